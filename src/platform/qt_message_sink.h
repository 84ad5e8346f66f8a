#pragma once

#include "model/message_sink.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <string>
#include <utility>

namespace shiftex {

// The program's message boxes: information, error and question boxes over a parent window.
class QtMessageSink final : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr, QString caption = QStringLiteral("Shiftex"))
        : parent_(parent), caption_(std::move(caption))
    {
    }

    void Information(const std::string& text) override;
    void Error(const std::string& text) override;
    Answer Question(const std::string& text, QuestionButtons buttons) override;

private:
    QWidget* owner() const;

    QPointer<QWidget> parent_;
    QString caption_;
};

} // namespace shiftex

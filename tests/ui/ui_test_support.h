#pragma once

#include "files/text_io.h"
#include "model/message_sink.h"

#include <QFile>
#include <QString>

#include <string>
#include <vector>

namespace shiftex::test {

// Records every message; questions get the answer the test sets.
class RecordingSink final : public MessageSink {
public:
    std::vector<std::string> informations;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    Answer answer = Answer::Cancel;

    void Information(const std::string& text) override { informations.push_back(text); }
    void Error(const std::string& text) override { errors.push_back(text); }
    Answer Question(const std::string& text, QuestionButtons) override
    {
        questions.push_back(text);
        return answer;
    }
};

// Writes the lines of a schedule text with their CR LF ends.
inline bool WriteLines(const QString& path, const std::vector<std::string>& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string text = JoinLines(lines);
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

} // namespace shiftex::test

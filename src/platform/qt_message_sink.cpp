#include "platform/qt_message_sink.h"

#include <QApplication>
#include <QMessageBox>

namespace shiftex {

QWidget* QtMessageSink::owner() const
{
    // A box over a modal dialog (the wizard) belongs to it, so that the dialog has the keyboard
    // again when the box closes.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return parent_;
}

void QtMessageSink::Information(const std::string& text)
{
    QMessageBox::information(owner(), caption_, QString::fromStdString(text));
}

void QtMessageSink::Error(const std::string& text)
{
    QMessageBox::critical(owner(), caption_, QString::fromStdString(text));
}

Answer QtMessageSink::Question(const std::string& text, QuestionButtons buttons)
{
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton fallback = QMessageBox::No;
    switch (buttons) {
    case QuestionButtons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        break;
    case QuestionButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        fallback = QMessageBox::Cancel;
        break;
    case QuestionButtons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        fallback = QMessageBox::Cancel;
        break;
    case QuestionButtons::YesCancel:
        set = QMessageBox::Yes | QMessageBox::Cancel;
        fallback = QMessageBox::Cancel;
        break;
    }
    // Closing the box with Escape or the title bar counts as the most cautious answer.
    switch (QMessageBox::question(owner(), caption_, QString::fromStdString(text), set,
                                  fallback)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
    }
}

} // namespace shiftex

#pragma once

#include <string>

namespace shiftex {

enum class Answer { Yes, No, Ok, Cancel };
enum class QuestionButtons { YesNo, YesNoCancel, OkCancel, YesCancel };

// The message boxes the core shows: the window implements it with QMessageBox, the command line
// prints, tests record.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Information(const std::string& text) = 0;
    virtual void Error(const std::string& text) = 0;
    virtual Answer Question(const std::string& text, QuestionButtons buttons) = 0;
};

// Swallows everything and answers yes / ok.
class SilentMessageSink final : public MessageSink {
public:
    void Information(const std::string&) override {}
    void Error(const std::string&) override {}
    Answer Question(const std::string&, QuestionButtons buttons) override
    {
        return buttons == QuestionButtons::OkCancel ? Answer::Ok : Answer::Yes;
    }
};

} // namespace shiftex

#pragma once

#include "model/message_sink.h"
#include "model/result.h"
#include "model/schedule_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace shiftex::test {

// The document a loader gave; a test failure, and a new document, when it gave an error.
inline ScheduleDocument LoadedOrFail(Result<ScheduleDocument> loaded)
{
    EXPECT_TRUE(loaded) << (loaded ? "" : loaded.error().message);
    return loaded ? std::move(*loaded) : CreateDocument();
}

// A loader's document into `target`; its error instead, with `target` left as it was.
inline Result<void> KeepLoaded(ScheduleDocument& target, Result<ScheduleDocument> loaded)
{
    if (!loaded)
        return std::unexpected(loaded.error());
    target = std::move(*loaded);
    return {};
}

// Records every message box instead of showing it; answers with the queued answers, then yes.
class RecordingMessageSink final : public MessageSink {
public:
    std::vector<std::string> informations;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::vector<Answer> answers;

    void Information(const std::string& text) override { informations.push_back(text); }
    void Error(const std::string& text) override { errors.push_back(text); }
    Answer Question(const std::string& text, QuestionButtons buttons) override
    {
        questions.push_back(text);
        if (!answers.empty()) {
            const Answer answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }
        return buttons == QuestionButtons::OkCancel ? Answer::Ok : Answer::Yes;
    }
};

// A program folder of its own, seeded with the shipped holiday data, removed afterwards.
class TempProgramFolder {
public:
    TempProgramFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("shiftex-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
        std::filesystem::copy(SHIFTEX_DATA_DIR, path_, std::filesystem::copy_options::recursive);
    }
    ~TempProgramFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace shiftex::test

#pragma once

#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/settings_store.h"

#include <nlohmann/json_fwd.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {
struct WizardAnswers;
} // namespace shiftex

namespace shiftex::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

struct Options {
    std::filesystem::path programFolder;
    // Where the settings store keeps its files; empty for the program's own place.
    std::filesystem::path settingsFolder;
    // The settings store of that folder; null: settings held in memory only.
    SettingsStore* settings = nullptr;
    std::vector<std::string> arguments;  // without the subcommand and the options above
};

// Messages go to standard error as "information: TEXT" or "error: TEXT"; questions take the
// most recent answer given (yes / ok by default).
class StderrMessageSink final : public MessageSink {
public:
    void Information(const std::string& text) override;
    void Error(const std::string& text) override;
    Answer Question(const std::string& text, QuestionButtons buttons) override;
    void SetAnswer(Answer answer) { answer_ = answer; }

private:
    std::optional<Answer> answer_;
};

std::filesystem::path DefaultProgramFolder();

// Loads a schedule of either form; nullopt when it does not load, after its message went to
// standard error.
std::optional<ScheduleDocument> LoadOrReport(const std::string& path, const Options& options,
                                             MessageSink& messages);

std::string DocumentJson(const ScheduleDocument& document);
// A cell's alignment as the cell form names it: "taLeftJustify", "taRightJustify", "taCenter".
const char* AlignmentName(HAlignment alignment);

// The answers of `new`: the wizard's defaults for this month, changed by the JSON object's
// fields. A field of the wrong shape throws.
WizardAnswers ReadWizardAnswers(const nlohmann::json& json);

int RunDump(const Options& options);
int RunNew(const Options& options);
int RunConvert(const Options& options);
// shiftex-cli wizard SCRIPT OUT [--today YYYY-MM-DD] [--text]
int RunWizard(const Options& options);
// shiftex-cli check FILE [--min-rest H] [--max-break H] [--weekly-rest H] [--max-week-hours H]
//                        [--max-days N] [--max-nights N]
int RunCheck(const Options& options);

} // namespace shiftex::cli

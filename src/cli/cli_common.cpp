#include "cli/cli_common.h"

#include "files/schedule_loader.h"

#include <cctype>
#include <cstdlib>
#include <iostream>
#include <system_error>

namespace shiftex::cli {

void StderrMessageSink::Information(const std::string& text)
{
    std::cerr << "information: " << text << '\n';
}

void StderrMessageSink::Error(const std::string& text)
{
    std::cerr << "error: " << text << '\n';
}

Answer StderrMessageSink::Question(const std::string& text, QuestionButtons buttons)
{
    std::cerr << "question: " << text << '\n';
    if (answer_)
        return *answer_;
    return buttons == QuestionButtons::OkCancel ? Answer::Ok : Answer::Yes;
}

namespace {

bool HoldsHolidays(const std::filesystem::path& folder)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        for (char& ch : name)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (name == "holidays" && entry.is_directory(ec))
            return true;
    }
    return false;
}

} // namespace

// The folder of the executable when it holds the holiday data (build tree, portable install),
// otherwise the per-user data folder the window uses too.
std::filesystem::path DefaultProgramFolder()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && HoldsHolidays(exe.parent_path()))
        return exe.parent_path() / "";
    fs::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        data = fs::path(home) / ".local/share";
    data /= "Shiftex/Shiftex/";
    // An installation keeps its holidays in share/shiftex; the user's folder starts as a copy,
    // as it does for the window, and year folders are written there, never beside the program.
    const fs::path installed = exe.parent_path() / "../share/shiftex/Holidays";
    if (!ec && !HoldsHolidays(data) && fs::is_directory(installed, ec)) {
        fs::create_directories(data, ec);
        fs::copy(installed, data / "Holidays",
                 fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    }
    return data;
}

std::optional<ScheduleDocument> LoadOrReport(const std::string& path, const Options& options,
                                             MessageSink& messages)
{
    auto document = LoadScheduleFromFile(path, options.programFolder, messages);
    if (!document) {
        std::cerr << document.error().message << '\n';
        return std::nullopt;
    }
    return std::move(*document);
}

const char* AlignmentName(HAlignment alignment)
{
    switch (alignment) {
    case HAlignment::Left: return "taLeftJustify";
    case HAlignment::Right: return "taRightJustify";
    case HAlignment::Center: return "taCenter";
    }
    return "taLeftJustify";
}

} // namespace shiftex::cli

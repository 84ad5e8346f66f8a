#include "cli/cli_common.h"
#include "cli/page_commands.h"
#include "files/schedule_file.h"
#include "files/text_io.h"
#include "setup/wizard.h"

#include <chrono>
#include <iostream>

namespace shiftex::cli {

namespace {

int WizardUsage()
{
    std::cerr << "usage: shiftex-cli wizard SCRIPT OUT [--today YYYY-MM-DD] [--text]\n";
    return kExitUsage;
}

// Every field of the answers, named as `new` reads them.
Json AnswersJson(const WizardAnswers& answers)
{
    return {{"year", answers.year},
            {"month", answers.month},
            {"regionName", answers.regionName},
            {"templateFile", answers.templateFile},
            {"templateKind", answers.templateKind},
            {"employeeNames", answers.employeeNames},
            {"workingTypes", WorkingTypesJson(answers.workingTypes)},
            {"customQueryLines", answers.customQueryLines},
            {"queryThresholds", QueryThresholdsJson(answers.queryThresholds)},
            {"weekendColour", answers.weekendColour},
            {"holidayColour", answers.holidayColour},
            {"workingTypeFontColour", answers.workingTypeFontColour},
            {"gridFontName", answers.gridFontName},
            {"departmentNames", answers.departmentNames},
            {"departmentColours", answers.departmentColours},
            {"page", answers.page}};
}

std::string StateJson(const Wizard& wizard)
{
    Json state;
    state["page"] = wizard.page();
    state["step"] = wizard.stepCaption();
    state["prior"] = wizard.priorEnabled();
    state["next"] = wizard.nextEnabled();
    state["answers"] = AnswersJson(wizard.answers());
    state["editor"] = wizard.editor() ? PageStateJson(*wizard.editor())
                                      : Json(nullptr);
    return JsonText(state);
}

// The date the wizard takes its month and year from.
bool ParseToday(const std::string& text, int& year, int& month)
{
    int day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        !TryParseInt(text.substr(0, 4), year) || !TryParseInt(text.substr(5, 2), month) ||
        !TryParseInt(text.substr(8, 2), day))
        return false;
    return year >= 1000 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(month, year);
}

// What finishing the wizard writes: the schedule file, or the lines of the text.
int WriteResult(Wizard& wizard, const std::string& out, bool text, MessageSink& messages)
{
    if (text) {
        if (auto written = WriteFileAtomically(out, JoinLines(wizard.ScheduleText())); !written) {
            std::cerr << written.error().message << '\n';
            return kExitFileError;
        }
        return kExitOk;
    }
    Result<ScheduleDocument> document = wizard.Finish();
    if (!document) {
        messages.Error(document.error().message);
        return kExitFileError;
    }
    if (auto saved = SaveSchedule(*document, out); !saved) {
        std::cerr << saved.error().message << '\n';
        return kExitFileError;
    }
    return kExitOk;
}

class WizardScript {
public:
    WizardScript(Wizard& wizard, StderrMessageSink& messages) : wizard_(wizard), messages_(messages)
    {
    }

    // Runs one line; true when the wizard was finished.
    bool Run(const std::vector<std::string>& words)
    {
        const std::string& command = words[0];
        if (!wizard_.shown())
            throw ScriptError{"the wizard is closed"};
        const PageCommandHost host{messages_, [this](const std::string& topic) {
                                       std::cerr << "help: " << topic << '\n';
                                   }};
        if (command == "next" || command == "prior") {
            ExpectArguments(words, 0);
            ShowMessage(command == "next" ? wizard_.Next() : wizard_.Prior(), messages_);
        } else if (command == "finish") {
            ExpectArguments(words, 0);
            return wizard_.page() == kWizardPageCount - 1;
        } else if (command == "close") {
            ExpectArguments(words, 0);
            wizard_.Close();
        } else if (command == "answer") {
            ExpectArguments(words, 1);
            messages_.SetAnswer(ParseAnswer(words[1]));
        } else if (command == "state") {
            ExpectArguments(words, 0);
            std::cout << StateJson(wizard_) << '\n';
        } else if (command == "press" && words.size() == 2 && words[1] == "help" &&
                   !(wizard_.editor() && wizard_.editor()->HasButton("help") &&
                     wizard_.editor()->IsVisible("help"))) {
            // The page shows no help button of its own: the wizard's is the one there.
            host.showHelp(wizard_.helpTopic());
        } else if (!wizard_.editor() || !RunPageCommand(*wizard_.editor(), words, host)) {
            throw ScriptError{"unknown command \"" + command + "\" on this page"};
        }
        return false;
    }

private:
    Wizard& wizard_;
    StderrMessageSink& messages_;
};

} // namespace

int RunWizard(const Options& options)
{
    std::vector<std::string> args;
    bool text = false;
    const auto now = std::chrono::system_clock::now();
    const std::chrono::year_month_day today{std::chrono::floor<std::chrono::days>(now)};
    int year = static_cast<int>(today.year());
    int month = static_cast<int>(unsigned(today.month()));
    for (std::size_t i = 0; i < options.arguments.size(); ++i) {
        const std::string& arg = options.arguments[i];
        if (arg == "--text") {
            text = true;
        } else if (arg == "--today") {
            if (i + 1 >= options.arguments.size() ||
                !ParseToday(options.arguments[++i], year, month))
                return WizardUsage();
        } else {
            args.push_back(arg);
        }
    }
    if (args.size() != 2)
        return WizardUsage();
    const std::string& scriptPath = args[0];
    const std::optional<std::string> script = ReadFileBytes(scriptPath);
    if (!script) {
        std::cerr << "Unable to find " << scriptPath << ".\n";
        return kExitFileError;
    }

    StderrMessageSink messages;
    Wizard wizard(options.programFolder, messages);
    wizard.Show(year, month);
    WizardScript runner(wizard, messages);
    bool finished = false;
    const auto run = [&](const std::vector<std::string>& words) {
        finished = runner.Run(words);
        return finished;
    };
    if (!RunScriptLines("wizard", scriptPath, *script, run))
        return kExitUsage;
    return finished ? WriteResult(wizard, args[1], text, messages) : kExitOk;
}

} // namespace shiftex::cli

#include "cli/options_script.h"

#include "app/shell_links.h"
#include "app/shell_open.h"
#include "app/startup.h"
#include "cli/page_commands.h"
#include "cli/script.h"
#include "model/text_helpers.h"

#include <iostream>

namespace shiftex::cli {

namespace {

Json CopyJson(const OptionsWorkingCopy& copy)
{
    return {{"workingTypes", WorkingTypesJson(copy.workingTypes)},
            {"employeeNames", copy.employeeNames},
            {"gridFontName", copy.gridFontName},
            {"workingTypeFontColour", copy.workingTypeFontColour},
            {"weekendColour", copy.weekendColour},
            {"holidayColour", copy.holidayColour},
            {"year", copy.year},
            {"month", copy.month},
            {"regionName", copy.regionName},
            {"departmentNames", copy.departmentNames},
            {"departmentColours", copy.departmentColours},
            {"customQueryLines", copy.customQueryLines},
            {"queryThresholds", QueryThresholdsJson(copy.queryThresholds)},
            {"backupFolder", copy.backupFolder},
            {"backupInterval", copy.backupInterval},
            {"backupToggle", copy.backupToggle},
            {"presetPanel", copy.presetPanel},
            {"presetItem", copy.presetItem},
            {"presetCode", copy.presetCode}};
}

// A panel and an item of the bar, as numbers.
std::pair<int, int> BarItem(const std::string& panelText, const std::string& itemText)
{
    int panel = -1;
    int item = -1;
    if (!TryParseInt(panelText, panel) || !TryParseInt(itemText, item) ||
        !IsOptionsItem(panel, item))
        throw ScriptError{"no item " + itemText + " in panel " + panelText + " of the bar"};
    return {panel, item};
}

// Where the web commands of the dialog lead, told on standard error.
void TellWebPage(WebPage page)
{
    const WebTarget target = WebPageTarget(page);
    if (target.address.empty())
        std::cerr << "help: " << target.helpTopic << '\n';
    else
        std::cerr << "open: " << target.address << '\n';
}

} // namespace

OptionsScript::OptionsScript(ScheduleSession& session, StderrMessageSink& messages,
                             SettingsStore& settings, const std::filesystem::path& programFolder)
    : session_(session),
      messages_(messages),
      backup_(settings, messages, timer_, programFolder),
      dialog_(programFolder, messages, backup_)
{
    backup_.Start(ReadBackupSettings(settings));
    dialog_.onProductPage = [] { TellWebPage(WebPage::Product); };
    dialog_.onWebForm = [] { TellWebPage(WebPage::WebForm); };
    dialog_.onMail = [] {
        std::cerr << "open: " << MailLink(BuiltInShellLinks().supportAddress) << '\n';
    };
}

bool OptionsScript::Run(const std::vector<std::string>& words)
{
    const std::string& command = words[0];
    if (scheduleClosed_)
        throw ScriptError{"the schedule is closed"};
    if (command == "options") {
        if (words.size() != 3 && words.size() != 4)
            throw ScriptError{"options takes 2 or 3 arguments"};
        if (open())
            throw ScriptError{"the options dialog is open already"};
        const auto [panel, item] = BarItem(words[1], words[2]);
        std::optional<std::string> code;
        if (words.size() == 4)
            code = words[3];
        ShowMessage(dialog_.Open(session_, panel, item, code), messages_);
        return true;
    }
    if (!open())
        return false;
    const PageCommandHost host{messages_, [](const std::string& topic) {
                                   std::cerr << "help: " << topic << '\n';
                               }};
    if (command == "item") {
        ExpectArguments(words, 2);
        const auto [panel, item] = BarItem(words[1], words[2]);
        ShowMessage(dialog_.ClickItem(panel, item), messages_);
    } else if (command == "options-close") {
        ExpectArguments(words, 0);
        Close();
    } else if (command == "state") {
        ExpectArguments(words, 0);
        std::cout << StateJson() << '\n';
    } else if (command == "answer") {
        return false;
    } else if (!dialog_.page() || !RunPageCommand(*dialog_.page(), words, host)) {
        throw ScriptError{"unknown command \"" + command + "\" while the options dialog is open"};
    }
    return true;
}

bool OptionsScript::Close()
{
    if (!dialog_.Close().closeSchedule)
        return true;
    // The backup settings could not be written: the schedule's window closes, after its
    // question.
    scheduleClosed_ = session_.CloseSchedule(guard_);
    return !scheduleClosed_;
}

std::string OptionsScript::StateJson() const
{
    Json state;
    state["panel"] = dialog_.panel();
    state["item"] = dialog_.item();
    state["caption"] = dialog_.caption();
    state["copy"] = CopyJson(dialog_.copy());
    state["editor"] = dialog_.page() ? PageStateJson(*dialog_.page())
                                     : Json(nullptr);
    return JsonText(state);
}

} // namespace shiftex::cli

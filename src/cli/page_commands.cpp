#include "cli/page_commands.h"

#include "model/text_helpers.h"
#include "setup/backup_page.h"
#include "setup/custom_query_page.h"
#include "setup/holidays_page.h"
#include "setup/import_page.h"
#include "setup/working_types_page.h"


namespace shiftex::cli {

namespace {

template <typename Page>
Page& PageOf(SetupPage& page, const std::string& command)
{
    auto* typed = dynamic_cast<Page*>(&page);
    if (typed == nullptr)
        throw ScriptError{"this page has no \"" + command + "\""};
    return *typed;
}

int Number(const std::string& text, int min, int max, const std::string& what)
{
    int value = 0;
    if (!TryParseInt(text, value) || value < min || value > max)
        throw ScriptError{"\"" + text + "\" is no " + what};
    return value;
}

int EntryIndex(const SetupPage& page, const std::string& word)
{
    const std::vector<std::vector<std::string>> entries = page.ListEntries();
    if (word.size() > 1 && word.front() == '#')
        return Number(word.substr(1), 0, static_cast<int>(entries.size()) - 1,
                      "entry of the list");
    for (std::size_t k = 0; k < entries.size(); ++k)
        if (!entries[k].empty() && entries[k].front() == word)
            return static_cast<int>(k);
    throw ScriptError{"no entry \"" + word + "\" in the list"};
}

void CheckField(const SetupPage& page, const std::string& field)
{
    if (!page.HasField(field))
        throw ScriptError{"this page has no field \"" + field + "\""};
}

void SetField(SetupPage& page, const std::string& field, const std::string& text,
              const PageCommandHost& host)
{
    CheckField(page, field);
    if (!page.IsEnabled(field) || page.IsReadOnly(field))
        return;
    // Choosing a region opens the region list first.
    if (auto* holidays = dynamic_cast<HolidaysPage*>(&page); holidays && field == "region")
        ShowMessage(holidays->OpenRegionList(), host.messages);
    if (!page.CanHold(field, text))
        throw ScriptError{"the field \"" + field + "\" cannot hold \"" + text + "\""};
    ShowMessage(page.SetField(field, text), host.messages);
}

void Press(SetupPage& page, const std::string& button, const PageCommandHost& host)
{
    if (!page.HasButton(button))
        throw ScriptError{"this page has no button \"" + button + "\""};
    if (!page.IsEnabled(button))
        return;
    if (button == "help") {
        if (host.showHelp)
            host.showHelp(page.helpTopic());
        return;
    }
    ShowMessage(page.Press(button), host.messages);
}

void Calendar(HolidaysPage& page, const std::string& text, const PageCommandHost& host)
{
    const std::size_t dash = text.find('-');
    if (dash != 4 || text.size() != 7)
        throw ScriptError{"\"" + text + "\" is no YYYY-MM"};
    const int year = Number(text.substr(0, 4), 1000, 9999, "year");
    const int month = Number(text.substr(5), 1, 12, "month");
    ShowMessage(page.MoveCalendar(year, month), host.messages);
}

} // namespace

bool RunPageCommand(SetupPage& page, const std::vector<std::string>& words,
                    const PageCommandHost& host)
{
    const std::string& command = words[0];
    if (command == "set") {
        ExpectArguments(words, 2);
        SetField(page, words[1], words[2], host);
    } else if (command == "leave") {
        ExpectArguments(words, 1);
        CheckField(page, words[1]);
        ShowMessage(page.LeaveField(words[1]), host.messages);
    } else if (command == "pick") {
        ExpectArguments(words, 1);
        ShowMessage(page.Pick(EntryIndex(page, words[1])), host.messages);
    } else if (command == "press") {
        ExpectArguments(words, 1);
        Press(page, words[1], host);
    } else if (command == "mark") {
        ExpectArguments(words, 1);
        auto& queries = PageOf<CustomQueryPage>(page, command);
        const int index = queries.ChecklistIndexOf(words[1]);
        if (index < 0)
            throw ScriptError{"no working type \"" + words[1] + "\" in the checklist"};
        queries.ToggleMark(index);
    } else if (command == "calendar") {
        ExpectArguments(words, 1);
        Calendar(PageOf<HolidaysPage>(page, command), words[1], host);
    } else if (command == "calendar-day") {
        ExpectArguments(words, 1);
        auto& holidays = PageOf<HolidaysPage>(page, command);
        holidays.ClickCalendarDay(Number(words[1], 1, 31, "day"));
    } else if (command == "template") {
        ExpectArguments(words, 1);
        auto& import = PageOf<ImportPage>(page, command);
        import.ChooseTemplateOption();
        ShowMessage(import.ImportTemplate(words[1]), host.messages);
    } else if (command == "choose") {
        ExpectArguments(words, 1);
        auto& import = PageOf<ImportPage>(page, command);
        if (words[1] != "template" && words[1] != "scratch")
            throw ScriptError{"choose template or scratch"};
        import.Choose(words[1] == "template" ? ImportPage::Choice::Template
                                             : ImportPage::Choice::Scratch);
    } else {
        return false;
    }
    return true;
}

Json WorkingTypesJson(const std::vector<WorkingType>& types)
{
    Json json = Json::array();
    for (const WorkingType& type : types)
        json.push_back({{"icon", type.iconIndex}, {"fields", type.fields}});
    return json;
}

Json QueryThresholdsJson(const std::vector<ColorThreshold>& rows)
{
    Json json = Json::array();
    for (const ColorThreshold& row : rows)
        json.push_back({row.name, row.minColour, row.minCount, row.maxColour, row.maxCount});
    return json;
}

Json PageStateJson(const SetupPage& page)
{
    Json state;
    state["list"] = page.ListEntries();
    state["selected"] = page.selected();
    Json fields = Json::object();
    Json enabled = Json::object();
    for (const std::string& field : page.fieldNames()) {
        fields[field] = page.Text(field);
        enabled[field] = page.IsEnabled(field);
    }
    for (const std::string& button : page.buttonNames())
        enabled[button] = page.IsEnabled(button);
    state["fields"] = std::move(fields);
    state["enabled"] = std::move(enabled);
    state["focus"] = page.focus().empty() ? Json(nullptr)
                                          : Json(page.focus());
    if (const auto* queries = dynamic_cast<const CustomQueryPage*>(&page))
        state["marks"] = queries->MarkedCodes();
    if (const auto* types = dynamic_cast<const WorkingTypesPage*>(&page)) {
        std::vector<int> icons;
        for (int k = 0; k < static_cast<int>(types->ListEntries().size()); ++k)
            icons.push_back(types->IconOfEntry(k));
        state["icons"] = icons;
    }
    if (const auto* holidays = dynamic_cast<const HolidaysPage*>(&page)) {
        const HolidayCalendar& calendar = holidays->calendar();
        state["calendar"] = {{"year", calendar.year},
                             {"month", calendar.month},
                             {"bold", calendar.bold}};
        state["regions"] = holidays->regions();
    }
    if (const auto* backup = dynamic_cast<const BackupPage*>(&page)) {
        state["toggle"] = backup->Text("toggle");
        state["panel"] = backup->panelShown();
    }
    if (const auto* import = dynamic_cast<const ImportPage*>(&page)) {
        state["preview"] = import->previewShown();
        state["noPreview"] = import->noPreviewShown();
        state["choice"] =
            import->choice() == ImportPage::Choice::Template ? "template" : "scratch";
        state["path"] = import->Text("path");
    }
    return state;
}

} // namespace shiftex::cli

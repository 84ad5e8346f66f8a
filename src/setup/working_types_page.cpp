#include "setup/working_types_page.h"

#include "model/text_helpers.h"

#include <algorithm>
#include <array>

namespace shiftex {

namespace {

constexpr std::array<const char*, 4> kTimeFields{"start1", "finish1", "start2", "finish2"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsTimeField(std::string_view field)
{
    return std::find(kTimeFields.begin(), kTimeFields.end(), field) != kTimeFields.end();
}

bool IsEmptyTime(std::string_view text) { return text == kEmptyHourText; }

// Every position filled (the first hour digit may be a blank).
bool IsCompleteTime(std::string_view text)
{
    return text.size() == 5 && (IsDigit(text[0]) || text[0] == ' ') && IsDigit(text[1]) &&
           text[2] == 'H' && IsDigit(text[3]) && IsDigit(text[4]);
}

int TimeMinutes(std::string_view text)
{
    return ParseInt(text.substr(0, 2)) * 60 + ParseInt(text.substr(3, 2));
}

} // namespace

bool IsTimeFieldText(std::string_view text)
{
    const auto slot = [](char c) { return IsDigit(c) || c == ' '; };
    return text.size() == 5 && slot(text[0]) && slot(text[1]) && text[2] == 'H' &&
           slot(text[3]) && slot(text[4]);
}

std::string TimeFieldText(std::string_view typed)
{
    if (typed.empty())
        return std::string(kEmptyHourText);
    if (typed.size() == 4)
        return " " + std::string(typed);
    return std::string(typed);
}

WorkingTypesPage::WorkingTypesPage(std::vector<WorkingType> types)
    : SetupPage("Working Type"), types_(std::move(types))
{
    for (WorkingType& type : types_)
        type.fields[1].clear();
    AddField("code", 9);
    AddField("info", 21);
    for (const char* field : kTimeFields)
        AddField(field);
    AddField("hours", 0, true);
    AddField("icon");
    AddButton("save");
    AddButton("remove");
    AddButton("help");
    OnPick(0);
}

std::vector<std::vector<std::string>> WorkingTypesPage::ListEntries() const
{
    std::vector<std::vector<std::string>> entries{{" ", kCreateNewEntry}};
    for (const WorkingType& type : types_)
        entries.push_back({type.code(), type.fields[field::Information]});
    return entries;
}

int WorkingTypesPage::IconOfEntry(int index) const
{
    return index <= 0 ? -1 : types_[static_cast<std::size_t>(index) - 1].iconIndex;
}

bool WorkingTypesPage::CanHold(std::string_view field, std::string_view text) const
{
    if (IsTimeField(field))
        return IsTimeFieldText(TimeFieldText(text));
    if (field == "icon") {
        int icon = 0;
        return text.empty() ||
               (std::all_of(text.begin(), text.end(), IsDigit) && TryParseInt(text, icon) &&
                icon < kIconCount);
    }
    return SetupPage::CanHold(field, text);
}

Result<void> WorkingTypesPage::OnPick(int index)
{
    SetSelected(index);
    Enable("save", true);
    if (index == 0) {
        Enable("remove", false);
        Enable("code", true);
        SetText("code", {});
        SetText("info", {});
        SetText("icon", {});
        for (const char* field : kTimeFields)
            SetText(field, std::string(kEmptyHourText));
        SetText("hours", "00H00");
        Focus("code");
        return {};
    }
    const WorkingType& type = types_[static_cast<std::size_t>(index) - 1];
    Enable("remove", true);
    Enable("code", false);
    SetText("code", type.code());
    SetText("info", type.fields[field::Information]);
    SetText("icon", type.iconIndex >= 0 ? std::to_string(type.iconIndex) : std::string());
    for (std::size_t k = 0; k < kTimeFields.size(); ++k)
        SetText(kTimeFields[k], type.fields[field::From1 + k]);
    return ComputeHours();
}

Result<void> WorkingTypesPage::OnFieldSet(const std::string& field)
{
    if (IsTimeField(field))
        SetText(field, TimeFieldText(Text(field)));
    return {};
}

Result<void> WorkingTypesPage::OnFieldLeft(const std::string& field)
{
    if (field == "code")
        return CheckCode();
    if (IsTimeField(field))
        return CheckTime(field);
    return {};
}

std::unexpected<Error> WorkingTypesPage::RefuseAt(std::string field, std::string message,
                                                  bool select)
{
    Focus(std::move(field), select);
    return Refuse(std::move(message));
}

Result<void> WorkingTypesPage::CheckCode()
{
    const std::string& code = Text("code");
    const auto same = [&](const WorkingType& type) { return type.code() == code; };
    if (Trim(code).empty() || std::none_of(types_.begin(), types_.end(), same))
        return {};
    return RefuseAt("code", "WorkingType \"" + code + "\" allready exists.", true);
}

Result<void> WorkingTypesPage::CheckTime(const std::string& field)
{
    const std::string& text = Text(field);
    // Half-typed hours are the input pattern's business.
    if (text[0] == ' ' || text[1] == ' ' || text[2] == ' ' || text[3] == ' ')
        return {};
    const int hours = ParseInt(text.substr(0, 2));
    const bool start = field.starts_with("start");
    if (hours >= (start ? 24 : 25))
        return RefuseAt(field, "A day has only 24 Hours!", true);
    if (IsDigit(text[4]) && ParseInt(text.substr(3, 2)) >= 60)
        return RefuseAt(field, "59 is the maximum amount of minutes.", true);
    return ComputeHours();
}

Result<void> WorkingTypesPage::ComputeHours()
{
    Result<void> result;
    const auto span = [&](const char* from, const char* til) {
        const std::string& start = Text(from);
        const std::string& finish = Text(til);
        if (!IsCompleteTime(start) || !IsCompleteTime(finish))
            return std::string("00H00");
        if (TimeMinutes(start) > TimeMinutes(finish)) {
            // The first message is the one shown.
            if (result)
                result = RefuseAt(from, kMidnightMessage);
            return std::string("00H00");
        }
        return HourSpan(start, finish);
    };
    const std::string first = span("start1", "finish1");
    const std::string second = span("start2", "finish2");
    SetText("hours", AddHourText(first, second));
    return result;
}

Result<void> WorkingTypesPage::OnPress(const std::string& button)
{
    if (button == "save")
        return Save();
    SHIFTEX_ASSERT(button == "remove");
    return Remove();
}

Result<void> WorkingTypesPage::Save()
{
    if (Trim(Text("code")).empty()) {
        SetSelected(0);
        Enable("code", true);
        return RefuseAt("code", "\"Working Type\" is a required field.");
    }
    if (IsEmptyTime(Text("start1")))
        return RefuseAt("start1", "\"Starting Hour\" is a required field.");
    if (IsEmptyTime(Text("finish1")))
        return RefuseAt("finish1", "\"Hour Finished\" is a required field.");
    const bool start2 = !IsEmptyTime(Text("start2"));
    const bool finish2 = !IsEmptyTime(Text("finish2"));
    if (start2 && !finish2)
        return RefuseAt("finish2", "When you fill in a second starting hour, the \"Hour "
                                   "Finished\" must be filled in as well.");
    if (!start2 && finish2)
        return RefuseAt("start2", "When you fill in a second \"Hour Finished\", the \"Starting "
                                  "Hour\" must be filled in as well.");
    if (Text("icon").empty())
        return RefuseAt("icon", "Select an icon, to be displayed beside the workingtype.");
    // A half-typed time would reach the summaries as a number that does not read.
    for (const char* field : kTimeFields) {
        const std::string& text = Text(field);
        if (!IsEmptyTime(text) && !IsCompleteTime(text))
            return RefuseAt(field, "\"" + text + "\" is not a valid hour text.", true);
    }

    const int icon = ParseInt(Text("icon"));
    if (selected() > 0) {
        WorkingType& type = types_[static_cast<std::size_t>(selected()) - 1];
        type.iconIndex = icon;
        type.fields[field::Information] = Text("info");
        for (std::size_t k = 0; k < kTimeFields.size(); ++k)
            type.fields[field::From1 + k] = Text(kTimeFields[k]);
    } else {
        types_.push_back(WorkingType::Create(Text("code"), Text("info"), Text("start1"),
                                             Text("finish1"), Text("start2"), Text("finish2"),
                                             icon));
        SetSelected(static_cast<int>(types_.size()));
        Enable("code", false);
        Enable("remove", true);
    }
    if (onSaved)
        onSaved();
    return {};
}

Result<void> WorkingTypesPage::Remove()
{
    if (types_.size() < 2)
        return Refuse(kLastTypeMessage);
    SHIFTEX_ASSERT(selected() > 0);
    types_.erase(types_.begin() + (selected() - 1));
    return OnPick(0);
}

} // namespace shiftex

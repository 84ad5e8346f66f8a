#include "setup/threshold_page.h"

#include <algorithm>

namespace shiftex {

namespace {

constexpr ThresholdPageTexts kQueryTexts{
    "\"Custom Query\" Color Settings",
    "Select a Custom Query: ",
    "Select a Custom Query to edit or \"Create New\" to setup a new one.",
    "occurences of this summation is lower than",
    "occurences of this summation is higher than",
    "set number of occurences",
    "Custom Query Color settings",
    200,
    60};
constexpr ThresholdPageTexts kDayTypeTexts{
    "\"Day / Type\" Color Settings",
    "Select a working type: ",
    "Select a workingtype",
    "occurences of this working type is lower than",
    "occurences of this working type is higher than",
    "Set number of occurences",
    "Days/Type Color settings",
    500,
    500};
constexpr ThresholdPageTexts kEmployeeTypeTexts{
    "\"Employee / Type\" Color Settings",
    "Select a working type: ",
    "Select WorkingType",
    "occurences of this working type is lower than",
    "occurences of this working type is higher than",
    "Set number of occurences",
    "Employee/Type Color settings",
    200,
    60};

bool IsCountField(std::string_view field)
{
    return field == "count-below" || field == "count-above";
}

} // namespace

const ThresholdPageTexts& TextsOf(ThresholdKind kind)
{
    switch (kind) {
    case ThresholdKind::CustomQuery: return kQueryTexts;
    case ThresholdKind::DayType: return kDayTypeTexts;
    case ThresholdKind::EmployeeType: return kEmployeeTypeTexts;
    }
    return kQueryTexts;
}

ThresholdPage ThresholdPage::ForQueries(std::vector<ColorThreshold> rows)
{
    return ThresholdPage(ThresholdKind::CustomQuery, std::move(rows), {});
}

ThresholdPage ThresholdPage::ForDayTypes(const std::vector<WorkingType>& types)
{
    return ForTypes(ThresholdKind::DayType, types);
}

ThresholdPage ThresholdPage::ForEmployeeTypes(const std::vector<WorkingType>& types)
{
    return ForTypes(ThresholdKind::EmployeeType, types);
}

ThresholdPage ThresholdPage::ForTypes(ThresholdKind kind, const std::vector<WorkingType>& types)
{
    const int first = kind == ThresholdKind::DayType ? field::DayMinColour
                                                     : field::EmployeeMinColour;
    std::vector<ColorThreshold> rows;
    std::vector<std::string> information;
    for (const WorkingType& type : types) {
        rows.push_back({type.code(), type.fields[first], type.fields[first + 1],
                        type.fields[first + 2], type.fields[first + 3]});
        information.push_back(type.fields[field::Information]);
    }
    return ThresholdPage(kind, std::move(rows), std::move(information));
}

ThresholdPage::ThresholdPage(ThresholdKind kind, std::vector<ColorThreshold> rows,
                             std::vector<std::string> information)
    : SetupPage(TextsOf(kind).helpTopic),
      kind_(kind),
      rows_(std::move(rows)),
      information_(std::move(information))
{
    AddField("colour-below");
    AddField("count-below");
    AddField("colour-above");
    AddField("count-above");
    AddButton("save");
    AddButton("default");
    AddButton("help");
    if (rows_.empty()) {
        for (const char* name : {"colour-below", "colour-above", "save", "default"})
            Enable(name, false);
        Show(ColorThreshold{});
    } else {
        OnPick(0);
    }
}

int ThresholdPage::FirstField() const
{
    return kind_ == ThresholdKind::DayType ? field::DayMinColour : field::EmployeeMinColour;
}

void ThresholdPage::ApplyTo(std::vector<WorkingType>& types) const
{
    SHIFTEX_ASSERT(kind_ != ThresholdKind::CustomQuery);
    const int first = FirstField();
    for (std::size_t k = 0; k < rows_.size() && k < types.size(); ++k) {
        types[k].fields[first] = rows_[k].minColour;
        types[k].fields[first + 1] = rows_[k].minCount;
        types[k].fields[first + 2] = rows_[k].maxColour;
        types[k].fields[first + 3] = rows_[k].maxCount;
    }
}

std::vector<std::vector<std::string>> ThresholdPage::ListEntries() const
{
    std::vector<std::vector<std::string>> entries;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        const ColorThreshold& row = rows_[k];
        if (kind_ == ThresholdKind::CustomQuery)
            entries.push_back({row.name, row.minColour, row.minCount, row.maxColour,
                               row.maxCount});
        else
            entries.push_back({row.name, "", information_[k], row.minColour, row.minCount,
                               row.maxColour, row.maxCount});
    }
    return entries;
}

bool ThresholdPage::CanHold(std::string_view field, std::string_view text) const
{
    Colour colour = 0;
    int count = 0;
    if (IsCountField(field))
        return TryParseInt(text, count);
    if (field == "colour-below" || field == "colour-above")
        return TryStringToColor(text, colour);
    return SetupPage::CanHold(field, text);
}

void ThresholdPage::Show(const ColorThreshold& values)
{
    SetText("colour-below", ColourButtonText(values.minColour));
    SetText("count-below", values.minCount);
    SetText("colour-above", ColourButtonText(values.maxColour));
    SetText("count-above", values.maxCount);
}

Result<void> ThresholdPage::OnPick(int index)
{
    SetSelected(index);
    Show(rows_[static_cast<std::size_t>(index)]);
    return {};
}

Result<void> ThresholdPage::OnFieldSet(const std::string& field)
{
    if (IsCountField(field)) {
        // The count fields are spin fields within their limits.
        const ThresholdPageTexts& texts = TextsOf(kind_);
        const int max = field == "count-below" ? texts.belowMax : texts.aboveMax;
        SetText(field, std::to_string(std::clamp(ParseInt(Text(field)), 1, max)));
    } else {
        SetText(field, ColourButtonText(Text(field)));
    }
    return {};
}

Result<void> ThresholdPage::OnPress(const std::string& button)
{
    if (button == "default") {
        Show({{}, ColorToString(clWhite), "1", ColorToString(clWhite), "1"});
        return {};
    }
    SHIFTEX_ASSERT(button == "save" && selected() >= 0);
    int below = 0;
    int above = 0;
    // A count someone left without a number counts as the lowest the field allows.
    if (!TryParseInt(Text("count-below"), below))
        below = 1;
    if (!TryParseInt(Text("count-above"), above))
        above = 1;
    if (above < below)
        return Refuse(kHigherThanLowerMessage);
    ColorThreshold& row = rows_[static_cast<std::size_t>(selected())];
    row.minColour = Text("colour-below");
    row.minCount = std::to_string(below);
    row.maxColour = Text("colour-above");
    row.maxCount = std::to_string(above);
    return {};
}

} // namespace shiftex

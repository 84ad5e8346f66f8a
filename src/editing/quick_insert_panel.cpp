#include "editing/quick_insert_panel.h"

#include "summaries/cell_reading.h"

#include <algorithm>

namespace shiftex {

std::string ChoiceList::Text() const
{
    return chosen >= 0 && chosen < static_cast<int>(entries.size())
               ? entries[static_cast<std::size_t>(chosen)]
               : std::string();
}

bool ChoiceList::Choose(int index)
{
    if (index < 0 || index >= static_cast<int>(entries.size()))
        return false;
    chosen = index;
    return true;
}

int ChoiceList::Find(const std::string& text) const
{
    const auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

void ChoiceList::Rebuild(std::vector<std::string> newEntries)
{
    const bool hadChoice = chosen >= 0 && chosen < static_cast<int>(entries.size());
    const std::string text = Text();
    entries = std::move(newEntries);
    chosen = hadChoice ? Find(text) : -1;
}

QuickInsertPanel::QuickInsertPanel()
{
    scope.entries.assign(kScopeEntries.begin(), kScopeEntries.end());
    // The department list is offered in the department view only (FollowDepartmentView).
    department.enabled = false;
}

void QuickInsertPanel::DropDownEmployees(const ScheduleDocument& document)
{
    std::vector<std::string> entries{kEverybody};
    for (std::string& name : document.Employees())
        entries.push_back(std::move(name));
    employee.Rebuild(std::move(entries));
}

void QuickInsertPanel::DropDownGroupColours(const ScheduleDocument& document)
{
    const ScheduleSheet& sheet = document.sheet;
    std::optional<Colour> chosenValue;
    if (groupColour.chosen > 0 &&
        groupColour.chosen <= static_cast<int>(groupColourValues_.size()))
        chosenValue = groupColourValues_[static_cast<std::size_t>(groupColour.chosen - 1)];
    const bool firstChosen = groupColour.chosen == 0;

    groupColourValues_.clear();
    std::vector<std::string> entries{std::string()};
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r) {
        const Colour colour = sheet.BrushColor(0, r);
        if (std::find(groupColourValues_.begin(), groupColourValues_.end(), colour) !=
            groupColourValues_.end())
            continue;
        groupColourValues_.push_back(colour);
        entries.push_back(ColorToString(colour));
    }
    groupColour.entries = std::move(entries);
    groupColour.chosen = firstChosen ? 0 : -1;
    if (chosenValue) {
        const auto it =
            std::find(groupColourValues_.begin(), groupColourValues_.end(), *chosenValue);
        if (it != groupColourValues_.end())
            groupColour.chosen = static_cast<int>(it - groupColourValues_.begin()) + 1;
    }
}

void QuickInsertPanel::DropDownDepartments(const ScheduleDocument& document)
{
    std::vector<std::string> entries{kAllDepartments};
    for (const Department& d : document.departments)
        entries.push_back(d.name);
    department.Rebuild(std::move(entries));
}

bool QuickInsertPanel::ChooseScope(int index, const ScheduleDocument& document)
{
    if (!scope.Choose(index))
        return false;
    ApplyStateRules(document);
    return true;
}

bool QuickInsertPanel::ChooseEmployee(int index, const ScheduleDocument& document)
{
    if (!employee.Choose(index))
        return false;
    ApplyStateRules(document);
    return true;
}

bool QuickInsertPanel::ChooseGroupColourValue(Colour colour, const ScheduleDocument& document)
{
    if (!groupColour.enabled)
        return false;
    DropDownGroupColours(document);
    const auto it = std::find(groupColourValues_.begin(), groupColourValues_.end(), colour);
    if (it == groupColourValues_.end())
        return false;
    groupColour.chosen = static_cast<int>(it - groupColourValues_.begin()) + 1;
    return true;
}

void QuickInsertPanel::ApplyStateRules(const ScheduleDocument& document)
{
    if (!EverybodyChosen()) {
        groupColour.enabled = false;
    } else {
        groupColour.enabled = true;
        DropDownGroupColours(document);
        groupColour.chosen = 0;
    }
    department.enabled = false;
    FollowDepartmentView(document);
    buttonEnabled = !scope.Text().empty() && !employee.Text().empty();
}

void QuickInsertPanel::FollowDepartmentView(const ScheduleDocument& document)
{
    const bool view = InDepartmentView(document);
    if (view && !department.enabled) {
        department.enabled = true;
        DropDownDepartments(document);
        department.chosen = 0;
    } else if (!view) {
        department.enabled = false;
    }
}

QuickInsertScope QuickInsertPanel::ChosenScope() const
{
    const int index = scope.chosen;
    return index >= 0 && index < static_cast<int>(kScopeEntries.size())
               ? static_cast<QuickInsertScope>(index)
               : QuickInsertScope::AllCells;
}

std::optional<Colour> QuickInsertPanel::GroupColourFilter() const
{
    if (!groupColour.enabled || groupColour.chosen <= 0 ||
        groupColour.chosen > static_cast<int>(groupColourValues_.size()))
        return std::nullopt;
    return groupColourValues_[static_cast<std::size_t>(groupColour.chosen - 1)];
}

std::string QuickInsertPanel::DepartmentFilter() const
{
    if (!department.enabled || department.chosen <= 0)
        return {};
    return department.Text();
}

} // namespace shiftex

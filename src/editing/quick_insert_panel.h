#pragma once

#include "model/schedule_document.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {

// The texts of the quick insert panel AdvPanel9, in reading order.
inline constexpr const char* kQuickInsertCaption = "Quick Insert Menu";
inline constexpr const char* kQuickInsertLead = "Insert selected workingtype at";
inline constexpr const char* kQuickInsertOf = "of";
inline constexpr const char* kQuickInsertWithGroupColour = "with group color";
inline constexpr const char* kQuickInsertApplyToDepartment = "apply to department";
inline constexpr const char* kScopeListHint = "Select day type";
inline constexpr const char* kEmployeeListHint = "Select employee";
inline constexpr const char* kDepartmentListHint = "Select department (only when visible)";
inline constexpr const char* kGroupColourListHint = "Select group color";
inline constexpr const char* kQuickInsertButtonHint =
    "Use this option to quickly insert workingtypes to all SELECTED cells";
inline constexpr const char* kEverybody = "Everybody";
inline constexpr const char* kAllDepartments = "All departments";

// Which cells of the range quick insert writes: ComboBox5's entries in their order.
enum class QuickInsertScope { AllCells, EmptyCells, NonEmptyCells, Weekends, Holidays };
inline constexpr std::array<const char*, 5> kScopeEntries{
    "All cells", "All empty cells", "All non-empty cells", "All week-ends", "All holidays"};

// One drop-down list of the panel: its entries, the chosen one (-1: none, the list shows no
// text) and whether it can be used.
struct ChoiceList {
    std::vector<std::string> entries;
    int chosen = -1;
    bool enabled = true;

    std::string Text() const;
    // False, with nothing changed, for an index that is no entry.
    bool Choose(int index);
    // The index of the entry with exactly this text, -1 when there is none.
    int Find(const std::string& text) const;
    // New entries; the chosen text stays chosen when it is among them.
    void Rebuild(std::vector<std::string> newEntries);
};

// The state of the quick insert panel of one schedule window. The employee, group colour and
// department lists take their entries from the document each time they drop down
// (DropDown...); the choices stay as the user left them.
class QuickInsertPanel {
public:
    QuickInsertPanel();

    ChoiceList scope;        // ComboBox5
    ChoiceList employee;     // ComboBox6
    ChoiceList groupColour;  // ComboBox12: an empty entry, then colour texts
    ChoiceList department;   // ComboBox3
    bool buttonEnabled = false;  // BtbQuickInsert
    bool folded = false;

    void DropDownEmployees(const ScheduleDocument& document);
    void DropDownGroupColours(const ScheduleDocument& document);
    void DropDownDepartments(const ScheduleDocument& document);

    // A choice of the scope or the employee list applies the panel's state rules.
    bool ChooseScope(int index, const ScheduleDocument& document);
    bool ChooseEmployee(int index, const ScheduleDocument& document);
    bool ChooseGroupColour(int index) { return groupColour.enabled && groupColour.Choose(index); }
    // The entry of the group colour with this value (entries are matched by value, so any
    // colour text of it will do); false when no employee has it.
    bool ChooseGroupColourValue(Colour colour, const ScheduleDocument& document);
    bool ChooseDepartment(int index) { return department.enabled && department.Choose(index); }

    // The rules applied when the scope or the employee choice changes: with a chosen employee
    // the group colour list is disabled, with "Everybody" enabled and set to its first entry;
    // in the department view the department list is enabled and set to "All departments",
    // otherwise disabled; the button needs a scope and an employee choice.
    void ApplyStateRules(const ScheduleDocument& document);
    // The department view was shown or hidden: only the department list follows (enabled and
    // set to "All departments" when the view came on, disabled when it went).
    void FollowDepartmentView(const ScheduleDocument& document);
    // A click on the panel's body.
    void ToggleFold() { folded = !folded; }

    // What QuickInsert reads.
    QuickInsertScope ChosenScope() const;
    bool EverybodyChosen() const { return employee.Text() == kEverybody; }
    // The group colour the filter asks for; none while the filter is off.
    std::optional<Colour> GroupColourFilter() const;
    // The department the filter asks for; empty while the filter is off.
    std::string DepartmentFilter() const;

private:
    std::vector<Colour> groupColourValues_;  // per entry after the first
};

} // namespace shiftex

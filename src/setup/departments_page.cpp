#include "setup/departments_page.h"

#include <algorithm>

namespace shiftex {

DepartmentsPage::DepartmentsPage(std::vector<Department> departments)
    : departments_(std::move(departments))
{
    AddField("name", 15);
    AddField("colour");
    AddButton("add");
    AddButton("remove");
    SetText("colour", ColourButtonText(kDefaultMainDepartmentColour));
    Enable("remove", false);
}

std::vector<std::vector<std::string>> DepartmentsPage::ListEntries() const
{
    std::vector<std::vector<std::string>> entries{{kAddDepartmentEntry, ""}};
    for (const Department& department : departments_)
        entries.push_back({department.name, department.colour});
    return entries;
}

bool DepartmentsPage::CanHold(std::string_view field, std::string_view text) const
{
    Colour colour = 0;
    if (field == "colour")
        return TryStringToColor(text, colour);
    return SetupPage::CanHold(field, text);
}

void DepartmentsPage::ShowNewDepartment()
{
    SetSelected(0);
    SetText("name", {});
    Enable("name", true);
    Focus("name");
    SetText("colour", ColourButtonText(kDefaultMainDepartmentColour));
    Enable("remove", false);
    Enable("add", true);
}

Result<void> DepartmentsPage::OnPick(int index)
{
    if (index == 0) {
        ShowNewDepartment();
        return {};
    }
    SetSelected(index);
    const Department& department = departments_[static_cast<std::size_t>(index) - 1];
    SetText("name", department.name);
    Enable("name", false);
    // The colour of a listed department can be changed on the button, but nothing saves it.
    SetText("colour", ColourButtonText(department.colour));
    Enable("remove", true);
    Enable("add", false);
    return {};
}

Result<void> DepartmentsPage::OnFieldSet(const std::string& field)
{
    if (field == "colour")
        SetText("colour", ColourButtonText(Text("colour")));
    return {};
}

Result<void> DepartmentsPage::OnPress(const std::string& button)
{
    if (button == "remove") {
        SHIFTEX_ASSERT(selected() > 0);
        departments_.erase(departments_.begin() + (selected() - 1));
        ShowNewDepartment();
        return {};
    }
    SHIFTEX_ASSERT(button == "add");
    const std::string& name = Text("name");
    if (Trim(name).empty()) {
        Focus("name");
        return Refuse("Department must be filled in.");
    }
    const auto same = [&](const Department& department) { return department.name == name; };
    if (std::any_of(departments_.begin(), departments_.end(), same)) {
        Focus("name");
        return Refuse("Department \"" + name + "\" already listed.");
    }
    departments_.push_back({name, Text("colour")});
    ShowNewDepartment();
    return {};
}

} // namespace shiftex

#include "setup/employees_page.h"

#include "model/text_helpers.h"

#include <algorithm>

namespace shiftex {

EmployeesPage::EmployeesPage(std::vector<std::string> names) : names_(std::move(names))
{
    AddField("name", 40);
    AddButton("add");
    AddButton("remove");
    Enable("remove", false);
}

std::vector<std::vector<std::string>> EmployeesPage::ListEntries() const
{
    std::vector<std::vector<std::string>> entries{{kAddEmployeeEntry}};
    for (const std::string& name : names_)
        entries.push_back({name});
    return entries;
}

Result<void> EmployeesPage::OnPick(int index)
{
    SetSelected(index);
    const bool adding = index == 0;
    SetText("name", adding ? std::string() : names_[static_cast<std::size_t>(index) - 1]);
    Enable("name", adding);
    Enable("add", adding);
    Enable("remove", !adding);
    if (adding)
        Focus("name");
    return {};
}

Result<void> EmployeesPage::OnPress(const std::string& button)
{
    if (button == "add")
        return Add();
    SHIFTEX_ASSERT(button == "remove");
    return Remove();
}

std::unexpected<Error> EmployeesPage::RefuseName(std::string message)
{
    Focus("name", true);
    return Refuse(std::move(message));
}

Result<void> EmployeesPage::Add()
{
    const std::string& name = Text("name");
    if (Trim(name).empty())
        return RefuseName("\"Name of the employee\" is a required field.");
    if (name == kAddEmployeeEntry)
        return RefuseName("You can't name an employee \"Add Employee\"");
    if (std::find(names_.begin(), names_.end(), name) != names_.end())
        return RefuseName("\"" + name + "\" is already listed.");
    names_.push_back(name);
    SetSelected(static_cast<int>(names_.size()));
    Enable("remove", true);
    Enable("add", false);
    Enable("name", false);
    if (onAdded)
        onAdded();
    return {};
}

Result<void> EmployeesPage::Remove()
{
    if (names_.size() < 2)
        return Refuse(kLastEmployeeMessage);
    SHIFTEX_ASSERT(selected() > 0);
    names_.erase(names_.begin() + (selected() - 1));
    return OnPick(0);
}

} // namespace shiftex

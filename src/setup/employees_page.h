#pragma once

#include "setup/setup_page.h"

#include <functional>
#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kAddEmployeeEntry = "Add Employee";
inline constexpr const char* kLastEmployeeMessage =
    "At least one employee must be listed.\n\rIf you want to remove this employee, you'll have to "
    "add another one first.";

// The employee names of a schedule: added and removed, never renamed. Field "name"; buttons
// "add" and "remove".
class EmployeesPage final : public SetupPage {
public:
    explicit EmployeesPage(std::vector<std::string> names);

    const std::vector<std::string>& names() const { return names_; }
    std::vector<std::vector<std::string>> ListEntries() const override;

    // Told after every employee added.
    std::function<void()> onAdded;

private:
    Result<void> OnPick(int index) override;
    Result<void> OnPress(const std::string& button) override;
    Result<void> Add();
    Result<void> Remove();
    std::unexpected<Error> RefuseName(std::string message);

    std::vector<std::string> names_;
};

} // namespace shiftex

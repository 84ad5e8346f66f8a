#pragma once

#include "model/schedule_document.h"
#include "setup/setup_page.h"

#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kAddDepartmentEntry = "Add Department";

// The departments of a schedule, each a name and the colour its bars get in the bar graph: added
// and removed, never renamed. Fields "name" and "colour"; buttons "add" and "remove".
class DepartmentsPage final : public SetupPage {
public:
    explicit DepartmentsPage(std::vector<Department> departments);

    const std::vector<Department>& departments() const { return departments_; }
    std::vector<std::vector<std::string>> ListEntries() const override;
    bool CanHold(std::string_view field, std::string_view text) const override;

private:
    Result<void> OnPick(int index) override;
    Result<void> OnFieldSet(const std::string& field) override;
    Result<void> OnPress(const std::string& button) override;
    // Ready for the next new department.
    void ShowNewDepartment();

    std::vector<Department> departments_;
};

} // namespace shiftex

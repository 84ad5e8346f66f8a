#pragma once

#include "model/working_types.h"
#include "setup/setup_page.h"

#include <functional>
#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kCreateNewEntry = "Create New";
inline constexpr int kIconCount = 49;
inline constexpr const char* kWorkingTypesPageText =
    "Either choose \"Create New\" to setup a new workingtype\r\nor select an already existing "
    "type to edit.\r\n\r\nDon't forget to save your adjustments afterwards";
inline constexpr const char* kMidnightMessage =
    "The starting hour cannot be later then the finished hour.\n\rIf you have a workingtype that "
    "passes midnight,\n\rspread those hours.";

// A time field holds five characters: two hour positions, "H", two minute positions; blanks
// where nothing is typed. "  H  " is the empty field.
bool IsTimeFieldText(std::string_view text);
// The text a time field shows for what is typed: a missing first hour digit is a blank, an empty
// text the empty field.
std::string TimeFieldText(std::string_view typed);

// The working types of a schedule with their times, information and icon. Fields "code",
// "info", "start1", "finish1", "start2", "finish2", "hours" (read-only, the worked hours) and
// "icon" (the icon index, empty for none); buttons "save", "remove" and "help". The first list
// entry is "Create New"; a saved code cannot be changed.
class WorkingTypesPage final : public SetupPage {
public:
    // The types are shown with their reserved field 1 empty; "Create New" is selected.
    explicit WorkingTypesPage(std::vector<WorkingType> types);

    const std::vector<WorkingType>& types() const { return types_; }
    std::vector<std::vector<std::string>> ListEntries() const override;
    // The icon of a list entry; -1 for "Create New".
    int IconOfEntry(int index) const;
    bool CanHold(std::string_view field, std::string_view text) const override;

    // Told after every save.
    std::function<void()> onSaved;

private:
    Result<void> OnPick(int index) override;
    Result<void> OnFieldSet(const std::string& field) override;
    Result<void> OnFieldLeft(const std::string& field) override;
    Result<void> OnPress(const std::string& button) override;
    Result<void> CheckCode();
    Result<void> CheckTime(const std::string& field);
    // The worked hours of the four time fields into "hours"; the midnight message for a span
    // that ends before it starts.
    Result<void> ComputeHours();
    Result<void> Save();
    Result<void> Remove();
    std::unexpected<Error> RefuseAt(std::string field, std::string message, bool select = false);

    std::vector<WorkingType> types_;
};

} // namespace shiftex

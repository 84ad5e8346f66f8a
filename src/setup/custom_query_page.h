#pragma once

#include "model/text_helpers.h"
#include "model/working_types.h"
#include "setup/setup_page.h"

#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kCreateNewQueryEntry = "Create New Custom Query";

// The threshold rows brought in step with the queries of the lines: a query without a row gets
// [name, "clwhite", "1", "clwhite", "1"] at the end, a row whose query is gone is removed, and
// the other rows keep their values.
void SyncQueryThresholds(const std::vector<std::string>& customQueryLines,
                         std::vector<ColorThreshold>& thresholds);

// The named custom queries of a schedule, each adding up chosen working types, kept as the
// custom query lines. Field "name"; a checklist of the working types (marked by code); buttons
// "save", "remove" and "help". The first list entry is "Create New Custom Query".
class CustomQueryPage final : public SetupPage {
public:
    CustomQueryPage(std::vector<std::string> customQueryLines,
                    std::vector<WorkingType> checklistTypes);

    const std::vector<std::string>& customQueryLines() const { return lines_; }
    std::vector<std::vector<std::string>> ListEntries() const override;

    // The checklist: every working type with its mark, in list order.
    const std::vector<WorkingType>& checklist() const { return checklist_; }
    bool IsMarked(int index) const { return marks_[static_cast<std::size_t>(index)]; }
    // The codes of the marked types in checklist order.
    std::vector<std::string> MarkedCodes() const;
    // A click on the checklist entry toggles its mark.
    void ToggleMark(int index);
    // The first checklist entry with the code; -1 when there is none.
    int ChecklistIndexOf(const std::string& code) const;

private:
    Result<void> OnPick(int index) override;
    Result<void> OnPress(const std::string& button) override;
    Result<void> Save();
    std::vector<std::string> Names() const;

    std::vector<std::string> lines_;
    std::vector<WorkingType> checklist_;
    std::vector<bool> marks_;
};

} // namespace shiftex

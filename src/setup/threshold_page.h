#pragma once

#include "model/text_helpers.h"
#include "model/working_types.h"
#include "setup/setup_page.h"

#include <string>
#include <vector>

namespace shiftex {

// Which thresholds a threshold page edits.
enum class ThresholdKind {
    CustomQuery,   // the query threshold rows
    DayType,       // fields 7 to 10 of the working types (types per day)
    EmployeeType,  // fields 11 to 14 of the working types (employees per type)
};

// The program's own texts and limits of each threshold page.
struct ThresholdPageTexts {
    const char* groupHeader;
    const char* listCaption;
    const char* listHint;
    const char* belowEnd;  // "occurences of this ... is lower than"
    const char* aboveEnd;
    const char* countHint;
    const char* helpTopic;
    int belowMax;
    int aboveMax;
};
const ThresholdPageTexts& TextsOf(ThresholdKind kind);

inline constexpr const char* kHigherThanLowerMessage =
    "Value \"Higher\" must be higher then value \"Lower\".";

// Colour thresholds: per entry a count below which the count is shown in one colour and a count
// above which it is shown in another. Fields "colour-below", "count-below", "colour-above" and
// "count-above"; buttons "save", "default" and "help".
class ThresholdPage final : public SetupPage {
public:
    static ThresholdPage ForQueries(std::vector<ColorThreshold> rows);
    static ThresholdPage ForDayTypes(const std::vector<WorkingType>& types);
    static ThresholdPage ForEmployeeTypes(const std::vector<WorkingType>& types);

    ThresholdKind kind() const { return kind_; }
    // The values of every entry, in list order; for working types the name is the code.
    const std::vector<ColorThreshold>& rows() const { return rows_; }
    // The values back into fields 7 to 10, or 11 to 14, of the types, by position.
    void ApplyTo(std::vector<WorkingType>& types) const;

    std::vector<std::vector<std::string>> ListEntries() const override;
    bool CanHold(std::string_view field, std::string_view text) const override;

private:
    ThresholdPage(ThresholdKind kind, std::vector<ColorThreshold> rows,
                  std::vector<std::string> information);
    static ThresholdPage ForTypes(ThresholdKind kind, const std::vector<WorkingType>& types);
    int FirstField() const;
    Result<void> OnPick(int index) override;
    Result<void> OnFieldSet(const std::string& field) override;
    Result<void> OnPress(const std::string& button) override;
    void Show(const ColorThreshold& values);

    ThresholdKind kind_;
    std::vector<ColorThreshold> rows_;
    std::vector<std::string> information_;  // of the working types
};

} // namespace shiftex

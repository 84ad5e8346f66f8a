#pragma once

#include "model/schedule_document.h"

#include <string>

namespace shiftex {

// How wide and tall a cell text is drawn; the window supplies real font metrics.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int TextWidth(const std::string& line, bool bold) const = 0;
    virtual int LineHeight() const = 0;
};

// A fixed-pitch estimate used where no window is around (command line, tests).
class EstimatedTextMetrics final : public TextMetrics {
public:
    int TextWidth(const std::string& line, bool bold) const override;
    int LineHeight() const override { return 16; }
};

const TextMetrics& DefaultTextMetrics();

void LayoutMonthRow(ScheduleSheet& sheet, const std::string& title);
void LayoutWeekRow(ScheduleSheet& sheet);
void LayoutNameColumns(ScheduleSheet& sheet, const std::string& caption);
void PlaceExtendButtons(ScheduleSheet& sheet);
void ColourDayColumns(ScheduleDocument& document,
                      const TextMetrics& metrics = DefaultTextMetrics());
void CentreDayCells(ScheduleSheet& sheet, const TextMetrics& metrics = DefaultTextMetrics());
// Department view: the sub-columns of one day share one merged day number cell.
void MergeDayNumbers(ScheduleSheet& sheet);

// The holiday name of a day column as its hint shows it, empty when it is no holiday.
std::string HolidayNameOfColumn(const ScheduleDocument& document, int col);

inline constexpr int kExtendButtonSize = 15;
inline constexpr int kGroupColumnWidth = 8;
inline constexpr const char* kExtendButtonCaption = "\u00bb";

} // namespace shiftex

#include <functional>
#include <optional>
#include <vector>

namespace shiftex {

// The colour dialog: shown with the given custom colour lines, returns the confirmed colour.
using ColourPicker =
    std::function<std::optional<Colour>(const std::vector<std::string>& customColours)>;

// The group colours of the employee rows as the picker's custom colour lines "ColorA=C8E0E6".
std::vector<std::string> GroupColourOffers(const ScheduleSheet& sheet);
// Offers the sheet's group colours; a confirmed colour goes to the target's column-0 cell of row.
bool PickGroupColour(const ScheduleSheet& sheet, ScheduleSheet& target, int row,
                     const ColourPicker& picker);

} // namespace shiftex

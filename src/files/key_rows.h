#pragma once

#include "model/schedule_sheet.h"
#include "model/text_helpers.h"
#include "model/working_types.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// The keys in column 0 of the rows a schedule file appends below its sheet.
namespace keyrow {
inline constexpr const char* ColCount = "colcount";
inline constexpr const char* Fixed = "fixedcolsrows";
inline constexpr const char* Font = "font";
inline constexpr const char* WorkingType = "workingtype";
inline constexpr const char* Weekend = "kleur weekend";
inline constexpr const char* HolidayColour = "kleur holiday";
inline constexpr const char* Holidays = "holidays";
inline constexpr const char* Additions = "Additions";
inline constexpr const char* AdditionsColour = "Additions Color";
inline constexpr const char* MainDepartment = "MainDepaColor";
inline constexpr const char* Department = "DepartmentsColor";
} // namespace keyrow

// Thrown for every malformed input met in a schedule file's image; whoever reads the image turns
// it into the damaged-file failure.
struct DamagedImage {};

// Read access to the image of a schedule file that never leaves it: cells outside read as empty
// texts, and numbers and colours that do not convert throw DamagedImage.
class KeyRowImage {
public:
    explicit KeyRowImage(const ScheduleSheet& sheet) : sheet_(sheet) {}

    int rows() const { return sheet_.rowCount(); }
    int last() const { return rows() - 1; }
    const std::string& At(int col, int row) const
    {
        static const std::string empty;
        return sheet_.Contains(col, row) ? sheet_.Text(col, row) : empty;
    }
    bool Keyed(int row, std::string_view key) const { return At(0, row) == key; }

    // The first row from `from` to `limit` whose key is `key`; -1 when there is none.
    int Find(std::string_view key, int from, int limit) const
    {
        for (int row = std::max(from, 0); row <= std::min(limit, last()); ++row)
            if (Keyed(row, key))
                return row;
        return -1;
    }
    // Like Find, but the row must be there.
    int Require(std::string_view key, int from, int limit) const
    {
        const int row = Find(key, from, limit);
        if (row < 0)
            throw DamagedImage{};
        return row;
    }
    // The sheet's column and row counts from the last "colcount" row.
    struct SheetSize {
        int cols = 0;
        int rows = 0;
    };
    SheetSize LastSheetSize() const;

    int Number(int col, int row) const;
    const std::string& Colour(int col, int row, bool emptyAllowed = false) const;
    // A threshold count is kept as written, as the schedule text keeps it: one that is no number
    // opens and is reported by the colouring that meets it, so that every schedule saved from a
    // text opens again.
    const std::string& Count(int col, int row) const { return At(col, row); }

private:
    const ScheduleSheet& sheet_;
};

// A "workingtype" row: the icon in column 1, the nineteen fields in columns 2 to 20. The
// thresholds must be colours and counts, as the summaries read them.
WorkingType ReadWorkingTypeRow(const KeyRowImage& image, int row);

// The "Additions Color" rows from row `from` on into the thresholds of the 1st, 2nd, ... query; a
// row beyond the last query is damage.
void ReadQueryColourRows(const KeyRowImage& image, int from,
                         std::vector<ColorThreshold>& thresholds);

// A merge span larger than any sheet cannot be a merge of this sheet; such a cell is taken as
// not merged, before any arithmetic on the spans could overflow. Merges that do not fit the sheet
// are undone when the sheet is cut to its size.
void DropImpossibleMerges(ScheduleSheet& sheet);

} // namespace shiftex

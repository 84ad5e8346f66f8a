#pragma once

#include "summaries/cell_reading.h"
#include "summaries/summary_grid.h"

namespace shiftex {

// What every one of the four summaries does with the sheet, so that the summary set runs them
// in one loop. Each throws ConversionError where a time, threshold or colour text does not
// convert; the figures written before it stay.
class Summary {
public:
    virtual ~Summary() = default;

    virtual const SummaryGrid& grid() const = 0;
    // Rows, columns and headers from the document; every figure zero. (The custom query gives a
    // document without rows its one empty row.)
    virtual void Layout(ScheduleDocument& document, const CellResolver& resolver) = 0;
    // Every figure again from the sheet.
    virtual void Recount(const ScheduleDocument& document, const CellResolver& resolver) = 0;
    // The figures against their thresholds; the worked hours have none.
    virtual void ColourCounts(const ScheduleDocument& /*document*/) {}
    // The single-cell update: the lines of sheet cell (col, row) taken out before a change and
    // put in after it.
    virtual void TakeOut(const ScheduleDocument& document, const CellResolver& resolver, int col,
                         int row) = 0;
    virtual void PutIn(const ScheduleDocument& document, const CellResolver& resolver, int col,
                       int row) = 0;
    // Column widths and row heights as the sheet's.
    virtual void AlignToSheet(const ScheduleSheet& sheet) = 0;

protected:
    Summary() = default;
    Summary(const Summary&) = default;
    Summary& operator=(const Summary&) = default;
};

} // namespace shiftex

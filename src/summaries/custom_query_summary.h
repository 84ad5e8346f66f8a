#pragma once

#include "summaries/summary.h"
#include "summaries/thresholds.h"

#include <optional>
#include <string>
#include <vector>

namespace shiftex {

// The names of the custom queries in definition order: the first line, and every line after an
// "end this addition" that is not "end all additions".
std::vector<std::string> QueryNames(const std::vector<std::string>& customQueryLines);
// The member codes of the query named `name`: those of every definition with that name, in
// definition order; a code listed twice is a member twice.
std::vector<std::string> QueryMembers(const std::vector<std::string>& customQueryLines,
                                      const std::string& name);

// Per day column, how many cell lines hold a code of the row's query, for the employees whose
// group colour is the row's filter colour (or everybody); the last row adds the rows up. The
// rows (query name and filter colour) are the document's customQueryPanel.rows: this summary
// is laid out from them and never holds rows of its own.
class CustomQuerySummary final : public Summary {
public:
    const SummaryGrid& grid() const override { return grid_; }
    int headerRows() const { return grid_.fixedRows(); }
    // Grid row of the Total row.
    int totalRow() const { return grid_.rowCount() - 1; }
    // The count of data row `index` (0 = the first query row) in sheet column `col`, empty
    // when the row has no query name.
    std::optional<int> CountAt(int index, int col) const;
    int TotalAt(int col) const;

    // A document without rows gets one empty row. ConversionError for a filter colour that is
    // no colour text.
    void Layout(ScheduleDocument& document, const CellResolver& resolver) override;
    // Count, colour and total every row (or one row).
    void Recount(const ScheduleDocument& document, const CellResolver& resolver) override;
    void CountRow(const ScheduleDocument& document, const CellResolver& resolver, int index);
    void Total();
    // Each data row against its query's special summation threshold. ConversionError for a bad
    // threshold; rows coloured before it keep their colours.
    void ColourCounts(const ScheduleDocument& document) override;
    void ColourRow(const ScheduleDocument& document, int index);
    void TakeOut(const ScheduleDocument& document, const CellResolver& resolver, int col,
                 int row) override;
    void PutIn(const ScheduleDocument& document, const CellResolver& resolver, int col,
               int row) override;
    void AlignToSheet(const ScheduleSheet& sheet) override;

private:
    struct Row {
        bool named = false;
        bool everybody = true;
        Colour filter = clNone;
        std::vector<int> members;  // per working type index: how often the query lists its code
        std::optional<std::optional<ParsedThreshold>> threshold;  // read when first needed
    };
    void Add(const ScheduleDocument& document, const CellResolver& resolver, int col, int row,
             int sign);
    void PrepareRow(const ScheduleDocument& document, const CellResolver& resolver, int index);
    bool Admits(const Row& row, const ScheduleSheet& sheet, int sheetRow) const;
    void WriteCount(int index, int col);
    void WriteTotal(int col);
    const ParsedThreshold* ThresholdOf(const ScheduleDocument& document, int index);

    SummaryGrid grid_;
    std::vector<Row> rows_;
    int days_ = 0;               // sheet columns 2 .. days_ + 1
    std::vector<int> counts_;    // [row][sheet column - 2]
    std::vector<int> totals_;    // [sheet column - 2]
};

} // namespace shiftex

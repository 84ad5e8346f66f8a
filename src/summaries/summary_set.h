#pragma once

#include "model/sheet_layout.h"
#include "summaries/count_summaries.h"
#include "summaries/custom_query_summary.h"
#include "summaries/worked_hours_summary.h"

#include <string>
#include <vector>

namespace shiftex {

enum class SummaryKind { WorkedHours, TypesPerDay, EmployeesPerType, CustomQuery };

inline constexpr int kQueryRowHeight = 21;
inline constexpr int kMinQueryPanelHeight = 86;

// The four summaries of one open document. Which of them are shown is the document's
// (workedHoursPanelVisible, typesDaysPanelVisible, employeeTypesPanelVisible,
// customQueryPanel.visible); a hidden summary is not computed. Every operation that computes
// throws ConversionError when it meets a working type time, a threshold or a filter colour that
// does not convert; the command that called it stops there and reports the error (the schedule
// session does).
class SummarySet {
public:
    explicit SummarySet(ScheduleDocument& document) : document_(&document) {}
    // Bound to another document object (the owner moved it).
    void Rebind(ScheduleDocument& document) { document_ = &document; }

    bool IsShown(SummaryKind kind) const;
    bool AnyShown() const;
    // The Workinglist menu entry: "View &Worked Hours" while hidden, "Hide &Worked Hours" while
    // shown, and so on.
    std::string MenuCaption(SummaryKind kind) const;
    // Shown or hidden by the menu entry; both mark the document modified.
    void Show(SummaryKind kind);
    void Hide(SummaryKind kind);
    void Toggle(SummaryKind kind) { IsShown(kind) ? Hide(kind) : Show(kind); }
    // After a load: computes the summaries the document records as shown, in the order custom
    // query, employees per type, types per day, worked hours; nothing is marked modified.
    void ShowRecorded();

    // Lays out and recomputes every shown summary, then ColourSummaries.
    void RecomputeSummaries();
    void ColourSummaries();
    // The sheet was replaced (Undo, Redo): the shown summaries follow it again, their scopes,
    // captions, locks and query rows as they are.
    void FollowSheet();
    // Column widths and row heights again as the sheet's (after CentreDayCells).
    void AlignToSheet();

    // The single-cell update: call TakeOutCell before sheet cell (col, row) changes and PutInCell
    // after. Afterwards every shown summary equals a recount.
    void TakeOutCell(int col, int row);
    void PutInCell(int col, int row);

    // --- scopes of the worked hours and the employees per type summaries ---
    // A click on a sheet cell: shown, unlocked range views go back to the whole sheet.
    void ResetRangesAfterClick();
    // The header double-click over sheet columns first to last, for one summary (the header
    // double-click calls it for the worked hours summary first, then employees per type).
    void SelectRange(SummaryKind kind, int firstColumn, int lastColumn);
    // The lock button of a shown summary; the other one, when shown with a different lock
    // state, is switched too.
    void PressLock(SummaryKind kind);
    // Days were removed in a way that releases the locks: as the lock button of each locked one.
    void ReleaseLocks();
    // Day columns first to last (normal view numbering) leave the sheet. A range of the two
    // scoped summaries behind them moves with its days, one in front stays; a locked range that
    // loses days is released (its caption "          Global"), unless it reaches past the
    // removed days on both sides, and an unlocked one returns to the whole sheet. With
    // `releaseLocksBehind` (a removed month) a locked range behind the removed days is released
    // as well. Nothing is computed: the caller lays the shown summaries out again.
    void DaysRemoved(int first, int last, bool releaseLocksBehind = false);

    // --- the custom query rows; `gridRow` is a row of the custom query grid ---
    // The names the name cells offer: every query's name in definition order.
    std::vector<std::string> QueryNameChoices() const;
    void ChooseQuery(int gridRow, const std::string& name);
    // The filter colour through the group colour picker; the row is recounted either way.
    void PickFilterColour(int gridRow, const ColourPicker& picker);
    void InsertQueryRow(int gridRow);
    bool CanDeleteQueryRow(int gridRow) const;
    void DeleteQueryRow(int gridRow);
    // Recounts every query row (the group colours of the sheet changed).
    void RecountQueries();
    // The query definitions and thresholds were edited (the options dialog closed): rows naming
    // a query that is gone are removed, a summary left without rows gets an empty one, and
    // everything shown is recomputed.
    void QueryDefinitionsChanged();

    const WorkedHoursSummary& workedHours() const { return workedHours_; }
    const TypesPerDaySummary& typesPerDay() const { return typesPerDay_; }
    const EmployeesPerTypeSummary& employeesPerType() const { return employeesPerType_; }
    const CustomQuerySummary& customQuery() const { return customQuery_; }
    WorkedHoursSummary& workedHours() { return workedHours_; }
    EmployeesPerTypeSummary& employeesPerType() { return employeesPerType_; }

private:
    template <typename F>
    void UpdateShown(F&& update);
    void SetShown(SummaryKind kind, bool shown);
    Summary& Of(SummaryKind kind);
    void Build(SummaryKind kind);
    void RecountShown();
    void RebuildResolver() { resolver_ = CellResolver(*document_); }
    SummaryScope& ScopeOf(SummaryKind kind);
    void PressOneLock(SummaryKind kind);
    int QueryIndex(int gridRow) const;

    ScheduleDocument* document_;
    CellResolver resolver_;
    WorkedHoursSummary workedHours_;
    TypesPerDaySummary typesPerDay_;
    EmployeesPerTypeSummary employeesPerType_;
    CustomQuerySummary customQuery_;
};

} // namespace shiftex

#include "summaries/summary_set.h"

#include "model/conversion_guard.h"

#include <algorithm>

namespace shiftex {

namespace {

constexpr SummaryKind kAllKinds[] = {SummaryKind::CustomQuery, SummaryKind::TypesPerDay,
                                     SummaryKind::WorkedHours, SummaryKind::EmployeesPerType};

// The order the single-cell updates run in.
constexpr SummaryKind kCellUpdateOrder[] = {SummaryKind::WorkedHours, SummaryKind::TypesPerDay,
                                            SummaryKind::EmployeesPerType,
                                            SummaryKind::CustomQuery};

} // namespace

bool SummarySet::IsShown(SummaryKind kind) const
{
    const ScheduleDocument& d = *document_;
    switch (kind) {
    case SummaryKind::WorkedHours: return d.workedHoursPanelVisible;
    case SummaryKind::TypesPerDay: return d.typesDaysPanelVisible;
    case SummaryKind::EmployeesPerType: return d.employeeTypesPanelVisible;
    case SummaryKind::CustomQuery: return d.customQueryPanel.visible;
    }
    return false;
}

bool SummarySet::AnyShown() const
{
    return std::any_of(std::begin(kAllKinds), std::end(kAllKinds),
                       [&](SummaryKind kind) { return IsShown(kind); });
}

void SummarySet::SetShown(SummaryKind kind, bool shown)
{
    ScheduleDocument& d = *document_;
    switch (kind) {
    case SummaryKind::WorkedHours: d.workedHoursPanelVisible = shown; break;
    case SummaryKind::TypesPerDay: d.typesDaysPanelVisible = shown; break;
    case SummaryKind::EmployeesPerType: d.employeeTypesPanelVisible = shown; break;
    case SummaryKind::CustomQuery: d.customQueryPanel.visible = shown; break;
    }
}

std::string SummarySet::MenuCaption(SummaryKind kind) const
{
    const std::string verb = IsShown(kind) ? "Hide " : "View ";
    switch (kind) {
    case SummaryKind::WorkedHours: return verb + "&Worked Hours";
    case SummaryKind::TypesPerDay: return verb + "&Types / Days summary";
    case SummaryKind::EmployeesPerType: return verb + "&Employees / Types summary";
    case SummaryKind::CustomQuery: return verb + "&Custom Query";
    }
    return {};
}

SummaryScope& SummarySet::ScopeOf(SummaryKind kind)
{
    return kind == SummaryKind::EmployeesPerType ? employeesPerType_.scope : workedHours_.scope;
}

Summary& SummarySet::Of(SummaryKind kind)
{
    switch (kind) {
    case SummaryKind::WorkedHours: return workedHours_;
    case SummaryKind::TypesPerDay: return typesPerDay_;
    case SummaryKind::EmployeesPerType: return employeesPerType_;
    case SummaryKind::CustomQuery: return customQuery_;
    }
    SHIFTEX_ASSERT(false);
    return workedHours_;
}

// Lays a summary out and computes it as showing it does.
void SummarySet::Build(SummaryKind kind)
{
    ScheduleDocument& d = *document_;
    RebuildResolver();
    // Showing starts the scoped summaries over the whole sheet.
    if (kind == SummaryKind::WorkedHours)
        workedHours_.scope.Reset(kGlobalCaption);
    if (kind == SummaryKind::EmployeesPerType) {
        employeesPerType_.cornerTitle = "\rEmployees / Types";
        employeesPerType_.scope.Reset(kReleasedGlobalCaption);
    }
    Summary& summary = Of(kind);
    summary.Layout(d, resolver_);
    summary.Recount(d, resolver_);
    summary.ColourCounts(d);
}

void SummarySet::Show(SummaryKind kind)
{
    if (IsShown(kind))
        return;
    SetShown(kind, true);
    document_->MarkModified();
    Build(kind);
}

void SummarySet::Hide(SummaryKind kind)
{
    if (!IsShown(kind))
        return;
    SetShown(kind, false);
    document_->MarkModified();
    // Derived data: dropped while hidden. The scopes stay with the document.
    switch (kind) {
    case SummaryKind::WorkedHours: {
        const SummaryScope scope = workedHours_.scope;
        workedHours_ = {};
        workedHours_.scope = scope;
        break;
    }
    case SummaryKind::TypesPerDay: typesPerDay_ = {}; break;
    case SummaryKind::EmployeesPerType: {
        const SummaryScope scope = employeesPerType_.scope;
        employeesPerType_ = {};
        employeesPerType_.scope = scope;
        break;
    }
    case SummaryKind::CustomQuery: customQuery_ = {}; break;
    }
}

void SummarySet::ShowRecorded()
{
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        if (IsShown(kind))
            Build(kind);
}

void SummarySet::RecomputeSummaries()
{
    // Recomputing starts the worked hours over the whole sheet; a range of the employees per
    // type stays, its caption cell as it is.
    if (IsShown(SummaryKind::WorkedHours))
        workedHours_.scope.Reset(kGlobalCaption);
    if (IsShown(SummaryKind::EmployeesPerType))
        employeesPerType_.cornerTitle = "Employees / Types";
    RecountShown();
}

void SummarySet::FollowSheet() { RecountShown(); }

// Every shown summary laid out and counted again, then coloured; all of them even when one
// meets a conversion error, which is passed on afterwards.
void SummarySet::RecountShown()
{
    ScheduleDocument& d = *document_;
    RebuildResolver();
    ConversionGuard guard;
    for (SummaryKind kind : kAllKinds)
        if (IsShown(kind))
            guard.Attempt([&] {
                Summary& summary = Of(kind);
                summary.Layout(d, resolver_);
                summary.Recount(d, resolver_);
            });
    guard.Attempt([&] { ColourSummaries(); });
    guard.ThrowFirst();
}

void SummarySet::ColourSummaries()
{
    ConversionGuard guard;
    for (SummaryKind kind : kAllKinds)
        if (IsShown(kind))
            guard.Attempt([&] { Of(kind).ColourCounts(*document_); });
    guard.ThrowFirst();
}

void SummarySet::AlignToSheet()
{
    for (SummaryKind kind : kAllKinds)
        if (IsShown(kind))
            Of(kind).AlignToSheet(document_->sheet);
}

// Each shown summary in turn, all of them even when one meets a conversion error.
template <typename F>
void SummarySet::UpdateShown(F&& update)
{
    ConversionGuard guard;
    for (SummaryKind kind : kCellUpdateOrder)
        if (IsShown(kind))
            guard.Attempt([&] { update(Of(kind)); });
    guard.ThrowFirst();
}

void SummarySet::TakeOutCell(int col, int row)
{
    UpdateShown([&](Summary& summary) { summary.TakeOut(*document_, resolver_, col, row); });
}

void SummarySet::PutInCell(int col, int row)
{
    UpdateShown([&](Summary& summary) { summary.PutIn(*document_, resolver_, col, row); });
}

void SummarySet::ResetRangesAfterClick()
{
    ScheduleDocument& d = *document_;
    if (IsShown(SummaryKind::WorkedHours) && workedHours_.scope.ResetByClick(kGlobalCaption))
        workedHours_.Recount(d, resolver_);
    if (IsShown(SummaryKind::EmployeesPerType) &&
        employeesPerType_.scope.ResetByClick(kReleasedGlobalCaption)) {
        employeesPerType_.Recount(d, resolver_);
        employeesPerType_.ColourCounts(d);
    }
}

void SummarySet::SelectRange(SummaryKind kind, int firstColumn, int lastColumn)
{
    if ((kind != SummaryKind::WorkedHours && kind != SummaryKind::EmployeesPerType) ||
        !IsShown(kind))
        return;
    ScheduleDocument& d = *document_;
    const int lastDay = DayColumnCount(d) + 1;
    if (lastDay < 2)
        return;
    int first = std::clamp(DayColumnOfSheetColumn(d, firstColumn), 2, lastDay);
    int last = std::clamp(DayColumnOfSheetColumn(d, lastColumn), 2, lastDay);
    if (first > last)
        std::swap(first, last);
    ScopeOf(kind).SelectRange(first, last, RangeCaption(d, first, last));
    if (kind == SummaryKind::WorkedHours) {
        workedHours_.Recount(d, resolver_);
    } else {
        employeesPerType_.Recount(d, resolver_);
        employeesPerType_.ColourCounts(d);
    }
}

void SummarySet::PressOneLock(SummaryKind kind)
{
    ScheduleDocument& d = *document_;
    ScopeOf(kind).PressLock(2, DayColumnCount(d) + 1);
    if (!IsShown(kind))
        return;
    if (kind == SummaryKind::WorkedHours) {
        workedHours_.Recount(d, resolver_);
    } else {
        employeesPerType_.Recount(d, resolver_);
        employeesPerType_.ColourCounts(d);
    }
}

void SummarySet::PressLock(SummaryKind kind)
{
    if ((kind != SummaryKind::WorkedHours && kind != SummaryKind::EmployeesPerType) ||
        !IsShown(kind))
        return;
    PressOneLock(kind);
    const SummaryKind other = kind == SummaryKind::WorkedHours ? SummaryKind::EmployeesPerType
                                                               : SummaryKind::WorkedHours;
    if (IsShown(other) && ScopeOf(other).locked != ScopeOf(kind).locked)
        PressOneLock(other);
}

void SummarySet::ReleaseLocks()
{
    for (SummaryKind kind : {SummaryKind::WorkedHours, SummaryKind::EmployeesPerType})
        if (ScopeOf(kind).locked)
            PressOneLock(kind);
}

void SummarySet::DaysRemoved(int first, int last, bool releaseLocksBehind)
{
    if (last < first)
        return;
    const int count = last - first + 1;
    for (SummaryKind kind : {SummaryKind::WorkedHours, SummaryKind::EmployeesPerType}) {
        SummaryScope& scope = ScopeOf(kind);
        if (scope.IsGlobal() || scope.startColumn < 0 || scope.endColumn < 0)
            continue;
        if (scope.endColumn < first)
            continue;
        if (scope.startColumn > last && !(scope.locked && releaseLocksBehind)) {
            scope.startColumn -= count;
            scope.endColumn -= count;
        } else if (scope.locked && scope.startColumn < first && scope.endColumn > last) {
            scope.endColumn -= count;
        } else if (scope.locked) {
            scope.locked = false;
            scope.caption = kReleasedGlobalCaption;
        } else {
            scope.caption =
                kind == SummaryKind::WorkedHours ? kGlobalCaption : kReleasedGlobalCaption;
        }
    }
}

std::vector<std::string> SummarySet::QueryNameChoices() const
{
    return QueryNames(document_->customQueryLines);
}

int SummarySet::QueryIndex(int gridRow) const
{
    if (!IsShown(SummaryKind::CustomQuery))
        return -1;
    const int index = gridRow - customQuery_.headerRows();
    const int rows = static_cast<int>(document_->customQueryPanel.rows.size());
    return index >= 0 && index < rows && gridRow < customQuery_.totalRow() ? index : -1;
}

void SummarySet::ChooseQuery(int gridRow, const std::string& name)
{
    const int index = QueryIndex(gridRow);
    if (index < 0)
        return;
    ScheduleDocument& d = *document_;
    d.customQueryPanel.rows[static_cast<std::size_t>(index)].queryName = name;
    d.MarkModified();
    customQuery_.CountRow(d, resolver_, index);
    customQuery_.Total();
    customQuery_.ColourRow(d, index);
}

void SummarySet::PickFilterColour(int gridRow, const ColourPicker& picker)
{
    const int index = QueryIndex(gridRow);
    if (index < 0)
        return;
    ScheduleDocument& d = *document_;
    ScheduleSheet chosen;
    chosen.Resize(1, 1);
    if (PickGroupColour(d.sheet, chosen, 0, picker)) {
        d.customQueryPanel.rows[static_cast<std::size_t>(index)].groupColour =
            ColorToString(chosen.BrushColor(0, 0));
        d.MarkModified();
    }
    customQuery_.CountRow(d, resolver_, index);
    customQuery_.Total();
    customQuery_.ColourRow(d, index);
}

void SummarySet::InsertQueryRow(int gridRow)
{
    if (!IsShown(SummaryKind::CustomQuery))
        return;
    ScheduleDocument& d = *document_;
    std::vector<CustomQueryRow>& rows = d.customQueryPanel.rows;
    const int index =
        std::clamp(gridRow - customQuery_.headerRows(), 0, static_cast<int>(rows.size()));
    rows.insert(rows.begin() + index, CustomQueryRow{});
    d.customQueryPanel.height += kQueryRowHeight;
    d.MarkModified();
    Build(SummaryKind::CustomQuery);
}

bool SummarySet::CanDeleteQueryRow(int gridRow) const
{
    if (!IsShown(SummaryKind::CustomQuery))
        return false;
    const SummaryGrid& grid = customQuery_.grid();
    return gridRow != customQuery_.totalRow() && gridRow >= grid.fixedRows() &&
           gridRow < grid.rowCount() && grid.rowCount() > grid.fixedRows() + 2;
}

void SummarySet::DeleteQueryRow(int gridRow)
{
    if (!CanDeleteQueryRow(gridRow))
        return;
    ScheduleDocument& d = *document_;
    std::vector<CustomQueryRow>& rows = d.customQueryPanel.rows;
    rows.erase(rows.begin() + (gridRow - customQuery_.headerRows()));
    if (d.customQueryPanel.height - kQueryRowHeight > kMinQueryPanelHeight)
        d.customQueryPanel.height -= kQueryRowHeight;
    d.MarkModified();
    Build(SummaryKind::CustomQuery);
}

void SummarySet::RecountQueries()
{
    if (!IsShown(SummaryKind::CustomQuery))
        return;
    customQuery_.Recount(*document_, resolver_);
    customQuery_.ColourCounts(*document_);
}

void SummarySet::QueryDefinitionsChanged()
{
    ScheduleDocument& d = *document_;
    const std::vector<std::string> names = QueryNames(d.customQueryLines);
    std::vector<CustomQueryRow>& rows = d.customQueryPanel.rows;
    std::erase_if(rows, [&](const CustomQueryRow& row) {
        return !row.queryName.empty() &&
               std::find(names.begin(), names.end(), row.queryName) == names.end();
    });
    if (rows.empty())
        rows.emplace_back();
    RecomputeSummaries();
}

} // namespace shiftex

#include "summaries/summary_set.h"

#include <algorithm>
#include <exception>

namespace shiftex {

namespace {

constexpr SummaryKind kAllKinds[] = {SummaryKind::CustomQuery, SummaryKind::TypesPerDay,
                                     SummaryKind::WorkedHours, SummaryKind::EmployeesPerType};

// Runs every update even when one fails, so that the figures of the others stay right; the
// first failure is passed on afterwards.
template <typename... Updates>
void RunAll(Updates&&... updates)
{
    std::exception_ptr failure;
    auto run = [&](auto& update) {
        try {
            update();
        } catch (const ConversionError&) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    (run(updates), ...);
    if (failure)
        std::rethrow_exception(failure);
}

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

// Lays a summary out and computes it as showing it does.
void SummarySet::Build(SummaryKind kind)
{
    ScheduleDocument& d = *document_;
    RebuildResolver();
    switch (kind) {
    case SummaryKind::WorkedHours:
        workedHours_.scope.Reset(kGlobalCaption);
        workedHours_.Layout(d);
        workedHours_.Compute(d, resolver_);
        break;
    case SummaryKind::TypesPerDay:
        typesPerDay_.Layout(d, resolver_);
        typesPerDay_.Count(d, resolver_);
        typesPerDay_.ColourCounts(d);
        break;
    case SummaryKind::EmployeesPerType:
        employeesPerType_.cornerTitle = "\rEmployees / Types";
        employeesPerType_.scope.Reset(kReleasedGlobalCaption);
        employeesPerType_.Layout(d, resolver_);
        employeesPerType_.Count(d, resolver_);
        employeesPerType_.ColourCounts(d);
        break;
    case SummaryKind::CustomQuery:
        customQuery_.Layout(d, resolver_);
        customQuery_.CountAll(d, resolver_);
        customQuery_.ColourCounts(d);
        break;
    }
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
    ScheduleDocument& d = *document_;
    RebuildResolver();
    // Every summary is counted even when another meets a conversion error.
    RunAll(
        [&] {
            if (IsShown(SummaryKind::CustomQuery)) {
                customQuery_.Layout(d, resolver_);
                customQuery_.CountAll(d, resolver_);
            }
        },
        [&] {
            if (IsShown(SummaryKind::TypesPerDay)) {
                typesPerDay_.Layout(d, resolver_);
                typesPerDay_.Count(d, resolver_);
            }
        },
        [&] {
            if (IsShown(SummaryKind::WorkedHours)) {
                workedHours_.scope.Reset(kGlobalCaption);
                workedHours_.Layout(d);
                workedHours_.Compute(d, resolver_);
            }
        },
        [&] {
            if (IsShown(SummaryKind::EmployeesPerType)) {
                // The caption cell is left as it is: a range stays a range.
                employeesPerType_.cornerTitle = "Employees / Types";
                employeesPerType_.Layout(d, resolver_);
                employeesPerType_.Count(d, resolver_);
            }
        },
        [&] { ColourSummaries(); });
}

void SummarySet::ColourSummaries()
{
    const auto colour = [this](SummaryKind kind) {
        return [this, kind] {
            if (IsShown(kind))
                ColourOne(kind);
        };
    };
    RunAll(colour(kAllKinds[0]), colour(kAllKinds[1]), colour(kAllKinds[2]),
           colour(kAllKinds[3]));
}

void SummarySet::ColourOne(SummaryKind kind)
{
    switch (kind) {
    case SummaryKind::TypesPerDay: typesPerDay_.ColourCounts(*document_); break;
    case SummaryKind::EmployeesPerType: employeesPerType_.ColourCounts(*document_); break;
    case SummaryKind::CustomQuery: customQuery_.ColourCounts(*document_); break;
    case SummaryKind::WorkedHours: break;
    }
}

void SummarySet::FollowSheet()
{
    ScheduleDocument& d = *document_;
    RebuildResolver();
    if (IsShown(SummaryKind::CustomQuery)) {
        customQuery_.Layout(d, resolver_);
        customQuery_.CountAll(d, resolver_);
    }
    if (IsShown(SummaryKind::TypesPerDay)) {
        typesPerDay_.Layout(d, resolver_);
        typesPerDay_.Count(d, resolver_);
    }
    if (IsShown(SummaryKind::WorkedHours)) {
        workedHours_.Layout(d);
        workedHours_.Compute(d, resolver_);
    }
    if (IsShown(SummaryKind::EmployeesPerType)) {
        employeesPerType_.Layout(d, resolver_);
        employeesPerType_.Count(d, resolver_);
    }
    ColourSummaries();
}

void SummarySet::AlignToSheet()
{
    const ScheduleSheet& sheet = document_->sheet;
    if (IsShown(SummaryKind::WorkedHours))
        workedHours_.AlignToSheet(sheet);
    if (IsShown(SummaryKind::TypesPerDay))
        typesPerDay_.AlignToSheet(sheet);
    if (IsShown(SummaryKind::EmployeesPerType))
        employeesPerType_.AlignToSheet(sheet);
    if (IsShown(SummaryKind::CustomQuery))
        customQuery_.AlignToSheet(sheet);
}


// Each shown summary in turn, all of them even when one meets a conversion error.
template <typename F>
void SummarySet::UpdateShown(F&& update)
{
    RunAll([&] { if (IsShown(SummaryKind::WorkedHours)) update(workedHours_); },
           [&] { if (IsShown(SummaryKind::TypesPerDay)) update(typesPerDay_); },
           [&] { if (IsShown(SummaryKind::EmployeesPerType)) update(employeesPerType_); },
           [&] { if (IsShown(SummaryKind::CustomQuery)) update(customQuery_); });
}

void SummarySet::TakeOutCell(int col, int row)
{
    UpdateShown([&](auto& summary) { summary.TakeOut(*document_, resolver_, col, row); });
}

void SummarySet::PutInCell(int col, int row)
{
    UpdateShown([&](auto& summary) { summary.PutIn(*document_, resolver_, col, row); });
}

void SummarySet::ResetRangesAfterClick()
{
    ScheduleDocument& d = *document_;
    if (IsShown(SummaryKind::WorkedHours) && workedHours_.scope.ResetByClick(kGlobalCaption))
        workedHours_.Compute(d, resolver_);
    if (IsShown(SummaryKind::EmployeesPerType) &&
        employeesPerType_.scope.ResetByClick(kReleasedGlobalCaption)) {
        employeesPerType_.Count(d, resolver_);
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
        workedHours_.Compute(d, resolver_);
    } else {
        employeesPerType_.Count(d, resolver_);
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
        workedHours_.Compute(d, resolver_);
    } else {
        employeesPerType_.Count(d, resolver_);
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
    customQuery_.CountAll(*document_, resolver_);
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

#include "editing/summary_panels.h"

#include "editing/guarded.h"

namespace shiftex {

bool SummaryPanels::ShowRecorded()
{
    return Guarded(messages_, [&] { summaries_.ShowRecorded(); });
}

bool SummaryPanels::Show(SummaryKind kind)
{
    if (summaries_.IsShown(kind))
        return false;
    return Guarded(messages_, [&] { summaries_.Show(kind); });
}

bool SummaryPanels::Hide(SummaryKind kind)
{
    if (!summaries_.IsShown(kind))
        return false;
    summaries_.Hide(kind);
    return true;
}

bool SummaryPanels::Toggle(SummaryKind kind)
{
    return summaries_.IsShown(kind) ? Hide(kind) : Show(kind);
}

bool SummaryPanels::HideAll()
{
    bool hidden = false;
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        hidden = Hide(kind) || hidden;
    document_.customQueryPanel.height = kDefaultQueryPanelHeight;
    return hidden;
}

bool SummaryPanels::Recompute()
{
    return Guarded(messages_, [&] { summaries_.RecomputeSummaries(); });
}

// Only the worked hours and the employees per type summaries have a lock and a range.
bool SummaryPanels::Scoped(SummaryKind kind) const
{
    return (kind == SummaryKind::WorkedHours || kind == SummaryKind::EmployeesPerType) &&
           summaries_.IsShown(kind);
}

bool SummaryPanels::PressLock(SummaryKind kind)
{
    if (!Scoped(kind))
        return false;
    const bool ok = Guarded(messages_, [&] { summaries_.PressLock(kind); });
    edit_.selectionShown = false;
    return ok;
}

bool SummaryPanels::SelectRange(SummaryKind kind, int firstColumn, int lastColumn)
{
    if (!Scoped(kind))
        return false;
    return Guarded(messages_, [&] { summaries_.SelectRange(kind, firstColumn, lastColumn); });
}

bool SummaryPanels::ChooseQuery(int gridRow, const std::string& name)
{
    if (!summaries_.IsShown(SummaryKind::CustomQuery))
        return false;
    return Guarded(messages_, [&] { summaries_.ChooseQuery(gridRow, name); });
}

bool SummaryPanels::PickFilterColour(int gridRow, const ColourPicker& picker)
{
    if (!summaries_.IsShown(SummaryKind::CustomQuery))
        return false;
    return Guarded(messages_, [&] { summaries_.PickFilterColour(gridRow, picker); });
}

bool SummaryPanels::InsertQueryRow(int gridRow)
{
    if (!summaries_.IsShown(SummaryKind::CustomQuery))
        return false;
    return Guarded(messages_, [&] { summaries_.InsertQueryRow(gridRow); });
}

bool SummaryPanels::DeleteQueryRow(int gridRow)
{
    if (!summaries_.CanDeleteQueryRow(gridRow))
        return false;
    return Guarded(messages_, [&] { summaries_.DeleteQueryRow(gridRow); });
}

} // namespace shiftex

#pragma once

#include "editing/edit_state.h"
#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "summaries/summary_set.h"

#include <string>

namespace shiftex {

// The height the custom query panel starts at, and goes back to when every summary is hidden.
inline constexpr int kDefaultQueryPanelHeight = 72;

// The four summary panels of a schedule window with their figures: showing and hiding them, the
// lock buttons and ranges of the worked hours and the employees per type summaries, and the rows
// of the custom query panel. A conversion error met by a command stops it and goes to the message
// sink; such a command returns false, as does one that is unavailable at that moment.
class SummaryPanels {
public:
    SummaryPanels(ScheduleDocument& document, EditState& edit, MessageSink& messages)
        : document_(document), summaries_(document), edit_(edit), messages_(messages)
    {
    }

    SummarySet& summaries() { return summaries_; }
    const SummarySet& summaries() const { return summaries_; }

    // After a load: the summaries the document records as shown.
    bool ShowRecorded();
    bool Show(SummaryKind kind);
    bool Hide(SummaryKind kind);
    bool Toggle(SummaryKind kind);
    // "Toggle visible windows ": every summary hidden, the sheet alone, and the custom query
    // panel back to its first height. False when nothing was shown.
    bool HideAll();
    bool Recompute();
    // The height the window gives the custom query area. It is saved with the document but is
    // no edit: the document is not marked modified.
    void SetQueryPanelHeight(int height) { document_.customQueryPanel.height = height; }

    // The lock button of the worked hours or the employees per type summary.
    bool PressLock(SummaryKind kind);
    // A header double-click's range for one of the two scoped summaries (sheet columns).
    bool SelectRange(SummaryKind kind, int firstColumn, int lastColumn);

    // The rows of the custom query panel (grid rows).
    bool ChooseQuery(int gridRow, const std::string& name);
    bool PickFilterColour(int gridRow, const ColourPicker& picker);
    bool InsertQueryRow(int gridRow);
    bool CanDeleteQueryRow(int gridRow) const { return summaries_.CanDeleteQueryRow(gridRow); }
    bool DeleteQueryRow(int gridRow);

private:
    bool Scoped(SummaryKind kind) const;

    ScheduleDocument& document_;
    SummarySet summaries_;
    EditState& edit_;
    MessageSink& messages_;
};

} // namespace shiftex

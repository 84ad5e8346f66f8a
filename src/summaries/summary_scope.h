#pragma once

#include "model/schedule_document.h"

#include <string>

namespace shiftex {

// The Global captions: the worked hours summary writes eight blanks before the word when it is
// shown, recomputed or reset by a click, ten when its lock is released; the employees per type
// summary always writes ten.
inline constexpr const char* kGlobalCaption = "        Global";
inline constexpr const char* kReleasedGlobalCaption = "          Global";

// The days a scoped summary covers: the whole sheet ("Global") or a range of day columns,
// optionally locked. Day columns are those of the normal view, never department sub-columns.
struct SummaryScope {
    bool locked = false;
    int startColumn = -1;  // -1 until the summary is first computed
    int endColumn = -1;
    std::string caption;

    explicit SummaryScope(std::string globalCaption = kGlobalCaption)
        : caption(std::move(globalCaption))
    {
    }
    // "Global" after leading blanks.
    bool IsGlobal() const;

    // Shown or recomputed: an unlocked scope covers everything again.
    void Reset(const char* globalCaption);
    // A header double-click over the day columns first to last; a locked scope keeps its range.
    void SelectRange(int first, int last, std::string rangeCaption);
    // A click on a sheet cell: an unlocked range returns to the whole sheet. True if it did.
    bool ResetByClick(const char* globalCaption);
    // The lock button. Locking a Global scope fixes the range to the days there are now.
    void PressLock(int firstDay, int lastDay);
    // The day columns to compute, clipped to firstDay..lastDay; a Global caption takes all of
    // them and sets start and end. Empty (first > last) when there are no days.
    std::pair<int, int> Columns(int firstDay, int lastDay);

    friend bool operator==(const SummaryScope&, const SummaryScope&) = default;
};

// "        5 January 'till 11 January" for the day columns first and last (normal view).
std::string RangeCaption(const ScheduleDocument& document, int firstDay, int lastDay);

} // namespace shiftex

#include "summaries/summary_scope.h"

#include "summaries/cell_reading.h"

#include <algorithm>

namespace shiftex {

bool SummaryScope::IsGlobal() const
{
    const std::size_t first = caption.find_first_not_of(' ');
    return first != std::string::npos && caption.compare(first, std::string::npos, "Global") == 0;
}

void SummaryScope::Reset(const char* globalCaption)
{
    if (!locked)
        caption = globalCaption;
}

void SummaryScope::SelectRange(int first, int last, std::string rangeCaption)
{
    if (locked)
        return;
    startColumn = std::min(first, last);
    endColumn = std::max(first, last);
    caption = std::move(rangeCaption);
}

bool SummaryScope::ResetByClick(const char* globalCaption)
{
    if (locked || IsGlobal())
        return false;
    caption = globalCaption;
    return true;
}

void SummaryScope::PressLock(int firstDay, int lastDay)
{
    if (locked) {
        locked = false;
        caption = kReleasedGlobalCaption;
        return;
    }
    locked = true;
    if (IsGlobal()) {
        startColumn = firstDay;
        endColumn = lastDay;
    }
}

std::pair<int, int> SummaryScope::Columns(int firstDay, int lastDay)
{
    if (IsGlobal() || startColumn < 0 || endColumn < 0) {
        startColumn = firstDay;
        endColumn = lastDay;
        return {firstDay, lastDay};
    }
    return {std::max(startColumn, firstDay), std::min(endColumn, lastDay)};
}

namespace {

std::string MonthNameOfTitle(const std::string& title)
{
    return title.size() > 5 ? title.substr(0, title.size() - 5) : std::string();
}

} // namespace

std::string RangeCaption(const ScheduleDocument& document, int firstDay, int lastDay)
{
    const ScheduleSheet& sheet = document.sheet;
    auto day = [&](int dayColumn) {
        const int c = FirstSubColumn(document, dayColumn);
        if (!sheet.Contains(c, 2))
            return std::string();
        return sheet.Text(c, 2) + " " + MonthNameOfTitle(sheet.Text(c, 0));
    };
    return "        " + day(firstDay) + " 'till " + day(lastDay);
}

} // namespace shiftex

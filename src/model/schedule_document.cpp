#include "model/schedule_document.h"

namespace shiftex {

ScheduleDocument CreateDocument()
{
    ScheduleDocument document;
    document.sheet.Resize(5, 5);
    document.sheet.fixedRows = 1;
    document.sheet.fixedCols = 1;
    return document;
}

void ScheduleDocument::MarkModified()
{
    modified = true;
    if (onModified)
        onModified();
}

Date ScheduleDocument::DayOfColumn(int col) const
{
    return DateFromTitle(sheet.Text(col, 0), sheet.Text(col, 2));
}

std::vector<std::string> ScheduleDocument::Employees() const
{
    std::vector<std::string> names;
    if (sheet.colCount() < 2)
        return names;
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        names.push_back(sheet.Text(1, r));
    return names;
}

std::vector<std::string> SplitCellLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    if (n == 0)
        return lines;
    for (std::size_t i = 0; i < n; ++i) {
        const char ch = text[i];
        if (ch != '\r' && ch != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (ch == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.push_back(text.substr(start));
    return lines;
}

} // namespace shiftex

#include "editing/clipboard.h"

#include <algorithm>

namespace shiftex {

namespace {

bool NeedsQuotes(const std::string& text)
{
    return text.find_first_of("\r\n\t") != std::string::npos ||
           (!text.empty() && text.front() == '"');
}

void AppendField(std::string& out, const std::string& text)
{
    if (!NeedsQuotes(text)) {
        out += text;
        return;
    }
    out += '"';
    for (const char ch : text) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    out += '"';
}

bool EndsField(char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; }

// The end of the quoted field opening at `open` (the index after its closing quote), or npos
// when no closing quote is followed by a tab, a line end or the end of the text.
std::size_t QuotedFieldEnd(std::string_view text, std::size_t open)
{
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] != '"')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '"') {
            ++i;
            continue;
        }
        if (i + 1 == text.size() || EndsField(text[i + 1]))
            return i + 1;
        return std::string_view::npos;
    }
    return std::string_view::npos;
}

} // namespace

std::string ClipboardText(const ScheduleSheet& sheet, const CellRect& rect)
{
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, sheet.colCount() - 1);
    const int bottom = std::min(rect.bottom, sheet.rowCount() - 1);
    std::string out;
    if (left > right || top > bottom)
        return out;
    const bool severalRows = bottom > top;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left)
                out += '\t';
            AppendField(out, sheet.Text(c, r));
        }
        if (severalRows)
            out += "\r\n";
    }
    return out;
}

std::vector<std::vector<std::string>> ParseClipboardText(std::string_view text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        std::string field;
        const std::size_t quotedEnd = text[i] == '"' ? QuotedFieldEnd(text, i) : text.npos;
        if (quotedEnd != text.npos) {
            for (std::size_t j = i + 1; j + 1 < quotedEnd; ++j) {
                field += text[j];
                if (text[j] == '"')
                    ++j;  // the second quote of a doubled one
            }
            i = quotedEnd;
        } else {
            const std::size_t end = std::min(n, text.find_first_of("\t\r\n", i));
            field.assign(text.substr(i, end - i));
            i = end;
        }
        row.push_back(std::move(field));
        if (i >= n)
            break;
        if (text[i] == '\t') {
            ++i;
            if (i == n)
                row.emplace_back();  // a tab at the very end opens one more, empty field
            continue;
        }
        // A line end closes the row.
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        ++i;
        rows.push_back(std::move(row));
        row.clear();
        // A row that is only a line end holds one empty field.
        while (i < n && (text[i] == '\r' || text[i] == '\n')) {
            if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
                ++i;
            ++i;
            rows.push_back({std::string()});
        }
    }
    if (!row.empty())
        rows.push_back(std::move(row));
    return rows;
}

} // namespace shiftex

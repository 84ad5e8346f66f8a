#include "reports/table_export.h"

#include "files/text_io.h"

#include <array>
#include <cstdio>

namespace shiftex {

namespace {

constexpr Colour kSystemFlag = 0x80000000;

// The system colours clScrollBar ($80000000) to clMenuBar ($8000001E) as 0xRRGGBB.
constexpr std::array<std::uint32_t, 31> kSystemRgb{
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0xF0F0F0, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};

void AppendEscaped(std::string& out, std::string_view text, bool html)
{
    for (const char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        case '\r': out += html ? "" : "&#13;"; break;
        default:
            // Control characters have no place in either format (XML 1.0 refuses them).
            if (u < 0x20 && ch != '\t' && ch != '\n')
                break;
            out += ch;
        }
    }
}

// Valid UTF-8 without the two code points XML 1.0 refuses (U+FFFE and U+FFFF).
std::string CleanText(std::string_view text)
{
    std::string clean = ValidUtf8(text);
    for (std::size_t at = clean.find("\xEF\xBF"); at != std::string::npos;
         at = clean.find("\xEF\xBF", at)) {
        if (at + 2 < clean.size() && (clean[at + 2] == '\xBE' || clean[at + 2] == '\xBF'))
            clean.erase(at, 3);
        else
            at += 2;
    }
    return clean;
}

const char* TextAlign(HAlignment alignment)
{
    switch (alignment) {
    case HAlignment::Center: return "center";
    case HAlignment::Right: return "right";
    case HAlignment::Left: break;
    }
    return "left";
}

void AppendCell(std::string& out, const ScheduleSheet& grid, int col, int row,
                const CellRect& merge)
{
    const bool header = row < grid.fixedRows;
    const char* tag = header ? "th" : "td";
    out += '<';
    out += tag;
    if (merge.right > merge.left)
        out += " colspan=\"" + std::to_string(merge.right - merge.left + 1) + "\"";
    if (merge.bottom > merge.top)
        out += " rowspan=\"" + std::to_string(merge.bottom - merge.top + 1) + "\"";
    std::string style;
    if (const std::string background = CssColour(grid.BrushColor(col, row)); !background.empty())
        style += "background-color:" + background + ";";
    if (const std::string text = CssColour(ExportTextColour(grid, col, row)); !text.empty())
        style += "color:" + text + ";";
    style += grid.IsBold(col, row) ? "font-weight:bold;" : "font-weight:normal;";
    style += "text-align:";
    style += TextAlign(grid.Alignment(col, row));
    out += " style=\"" + style + "\">";
    bool first = true;
    for (const std::string& line : SplitCellLines(CleanText(grid.Text(col, row)))) {
        if (!first)
            out += "<br>";
        first = false;
        AppendEscaped(out, line, true);
    }
    out += "</";
    out += tag;
    out += ">";
}

} // namespace

std::optional<std::uint32_t> FileRgb(Colour colour)
{
    if (colour == clNone || colour == clDefault)
        return std::nullopt;
    if ((colour & 0xFF000000) == kSystemFlag) {
        const Colour index = colour & 0x00FFFFFF;
        if (index >= kSystemRgb.size())
            return std::nullopt;
        return kSystemRgb[index];
    }
    return static_cast<std::uint32_t>(RedOf(colour) << 16 | GreenOf(colour) << 8 |
                                      BlueOf(colour));
}

std::string CssColour(Colour colour)
{
    const std::optional<std::uint32_t> rgb = FileRgb(colour);
    if (!rgb)
        return {};
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(*rgb & 0xFFFFFF));
    return text;
}

Colour ExportTextColour(const ScheduleSheet& grid, int col, int row)
{
    const Colour own = grid.FontColor(col, row);
    if (own != clNone && own != clDefault)
        return own;
    if (col >= grid.fixedCols && row >= grid.fixedRows)
        return grid.fontColour;
    return clNone;
}

std::string ValidUtf8(std::string_view text)
{
    return IsValidUtf8(text) ? std::string(text) : DecodeText(text);
}

std::string HtmlTable(const ScheduleSheet& grid, std::string_view title)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(grid.colCount()) *
                static_cast<std::size_t>(grid.rowCount()) * 80 + 512);
    out += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendEscaped(out, CleanText(title), true);
    out += "</title>\n<style>\ntable { border-collapse: collapse; font-family: \"";
    // A quote or a backslash would end the font family's string early.
    for (const char ch : CleanText(grid.fontName))
        if (ch != '"' && ch != '\\' && ch != '<' && ch != '>' &&
            static_cast<unsigned char>(ch) >= 0x20)
            out += ch;
    out += "\", sans-serif; }\nth, td { border: 1px solid #A0A0A0; padding: 1px 4px; "
           "white-space: nowrap; }\n</style>\n</head>\n<body>\n<table>\n<colgroup>";
    for (int c = 0; c < grid.colCount(); ++c)
        out += "<col style=\"width:" + std::to_string(std::max(0, grid.ColWidth(c))) + "px\">";
    out += "</colgroup>\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        if (r == 0 && grid.fixedRows > 0)
            out += "<thead>\n";
        if (r == grid.fixedRows)
            out += "<tbody>\n";
        out += "<tr>";
        for (int c = 0; c < grid.colCount(); ++c) {
            const CellRect merge = grid.MergeRect(c, r);
            if (merge.left != c || merge.top != r)
                continue;
            AppendCell(out, grid, c, r, merge);
        }
        out += "</tr>\n";
        if (r + 1 == grid.fixedRows)
            out += "</thead>\n";
    }
    if (grid.fixedRows < grid.rowCount())
        out += "</tbody>\n";
    out += "</table>\n</body>\n</html>\n";
    return out;
}

bool IsXmlName(std::string_view text)
{
    if (text.empty())
        return false;
    const auto letter = [](char ch) {
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
    };
    if (!letter(text[0]))
        return false;
    for (const char ch : text)
        if (!letter(ch) && !(ch >= '0' && ch <= '9') && ch != '.' && ch != '-')
            return false;
    const auto lower = [](char ch) { return static_cast<char>(ch | 0x20); };
    return !(text.size() >= 3 && lower(text[0]) == 'x' && lower(text[1]) == 'm' &&
             lower(text[2]) == 'l');
}

std::vector<std::string> XmlFieldNames(const std::vector<std::string>& definitionLines,
                                       int columns)
{
    std::vector<std::string> names;
    for (int c = 0; c < columns; ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (i < definitionLines.size() && IsXmlName(definitionLines[i]))
            names.push_back(definitionLines[i]);
        else
            names.push_back("column" + std::to_string(c));
    }
    return names;
}

std::string XmlTable(const ScheduleSheet& grid, const std::vector<std::string>& fieldNames)
{
    SHIFTEX_ASSERT(static_cast<int>(fieldNames.size()) >= grid.colCount());
    std::string out;
    out.reserve(static_cast<std::size_t>(grid.colCount()) *
                static_cast<std::size_t>(grid.rowCount()) * 24 + 256);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<employee>\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        out += "  <day>";
        for (int c = 0; c < grid.colCount(); ++c) {
            // Names that are no valid names never reach the file.
            const std::string& name = IsXmlName(fieldNames[static_cast<std::size_t>(c)])
                                          ? fieldNames[static_cast<std::size_t>(c)]
                                          : std::string("column");
            out += '<' + name + '>';
            AppendEscaped(out, CleanText(grid.Text(c, r)), false);
            out += "</" + name + '>';
        }
        out += "</day>\n";
    }
    out += "</employee>\n";
    return out;
}

} // namespace shiftex

#include "platform/report_files.h"

#include "reports/table_export.h"

#include <xlsxwriter.h>

#include <map>
#include <memory>
#include <tuple>

namespace shiftex {

namespace {

// The largest sheet a spreadsheet file holds.
constexpr int kMaxXlsxColumns = 16384;
constexpr int kMaxXlsxRows = 1048576;

// Cells that look the same share one format.
struct FormatKey {
    std::optional<std::uint32_t> fill;
    std::optional<std::uint32_t> font;
    bool bold = false;
    HAlignment alignment = HAlignment::Left;
    bool wrap = false;
    auto Tie() const { return std::tie(fill, font, bold, alignment, wrap); }
    bool operator<(const FormatKey& other) const { return Tie() < other.Tie(); }
};

class FormatCache {
public:
    FormatCache(lxw_workbook* workbook, std::string fontName)
        : workbook_(workbook), fontName_(std::move(fontName))
    {
    }

    lxw_format* Of(const ScheduleSheet& grid, int col, int row)
    {
        FormatKey key;
        key.fill = FileRgb(grid.BrushColor(col, row));
        key.font = FileRgb(ExportTextColour(grid, col, row));
        key.bold = grid.IsBold(col, row);
        key.alignment = grid.Alignment(col, row);
        key.wrap = grid.Text(col, row).find_first_of("\r\n") != std::string::npos;
        const auto [it, added] = formats_.try_emplace(key, nullptr);
        if (added)
            it->second = Make(key);
        return it->second;
    }

private:
    lxw_format* Make(const FormatKey& key)
    {
        lxw_format* format = workbook_add_format(workbook_);
        if (!fontName_.empty())
            format_set_font_name(format, fontName_.c_str());
        if (key.fill) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, *key.fill);
        }
        if (key.font)
            format_set_font_color(format, *key.font);
        if (key.bold)
            format_set_bold(format);
        format_set_align(format, key.alignment == HAlignment::Center  ? LXW_ALIGN_CENTER
                                 : key.alignment == HAlignment::Right ? LXW_ALIGN_RIGHT
                                                                      : LXW_ALIGN_LEFT);
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        if (key.wrap)
            format_set_text_wrap(format);
        format_set_border(format, LXW_BORDER_THIN);
        format_set_border_color(format, 0xA0A0A0);
        return format;
    }

    lxw_workbook* workbook_;
    std::string fontName_;
    std::map<FormatKey, lxw_format*> formats_;
};

// A plain decimal number without leading zeros goes in as a number, everything else as text.
bool IsPlainNumber(const std::string& text, double& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    if (text.size() > 1 && text[0] == '0')
        return false;
    long number = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        number = number * 10 + (ch - '0');
    }
    value = static_cast<double>(number);
    return true;
}

// The cell's lines joined by line feeds, as a spreadsheet cell holds them.
std::string CellValue(const std::string& text)
{
    std::string value;
    bool first = true;
    for (const std::string& line : SplitCellLines(ValidUtf8(text))) {
        if (!first)
            value += '\n';
        first = false;
        value += line;
    }
    return value;
}

bool WriteWorkbook(const ScheduleSheet& grid, const char* path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    lxw_workbook* workbook = workbook_new_opt(path, &options);
    if (workbook == nullptr)
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Schedule");
    FormatCache formats(workbook, ValidUtf8(grid.fontName));
    bool ok = sheet != nullptr;
    for (int c = 0; ok && c < grid.colCount(); ++c) {
        // Pixels to the width of a character of the default font.
        const double width = std::max(1.0, (std::max(0, grid.ColWidth(c)) - 5) / 7.0 + 0.7);
        ok = worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                  width, nullptr) == LXW_NO_ERROR;
    }
    for (int r = 0; ok && r < grid.rowCount(); ++r) {
        int lines = 1;
        for (int c = 0; ok && c < grid.colCount(); ++c) {
            const CellRect merge = grid.MergeRect(c, r);
            if (merge.left != c || merge.top != r)
                continue;
            const std::string& text = grid.Text(c, r);
            lxw_format* format = formats.Of(grid, c, r);
            const auto row = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(c);
            const std::string value = CellValue(text);
            lines = std::max(lines, static_cast<int>(SplitCellLines(text).size()));
            double number = 0;
            if (merge.right > merge.left || merge.bottom > merge.top)
                ok = worksheet_merge_range(sheet, row, col, static_cast<lxw_row_t>(merge.bottom),
                                           static_cast<lxw_col_t>(merge.right), value.c_str(),
                                           format) == LXW_NO_ERROR;
            else if (value.empty())
                ok = worksheet_write_blank(sheet, row, col, format) == LXW_NO_ERROR;
            else if (IsPlainNumber(value, number))
                ok = worksheet_write_number(sheet, row, col, number, format) == LXW_NO_ERROR;
            else
                ok = worksheet_write_string(sheet, row, col, value.c_str(), format) ==
                     LXW_NO_ERROR;
        }
        if (ok && lines > 1)
            ok = worksheet_set_row(sheet, static_cast<lxw_row_t>(r), 15.0 * lines, nullptr) ==
                 LXW_NO_ERROR;
    }
    if (ok)
        worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(std::max(0, grid.fixedRows)),
                               static_cast<lxw_col_t>(std::max(0, grid.fixedCols)));
    // Closing writes the file; it frees the workbook whatever happened.
    const lxw_error closed = workbook_close(workbook);
    return ok && closed == LXW_NO_ERROR;
}

} // namespace

Result<void> WriteXlsx(const ScheduleSheet& grid, const std::filesystem::path& path)
{
    if (grid.colCount() > kMaxXlsxColumns || grid.rowCount() > kMaxXlsxRows)
        return std::unexpected(CannotCreateFile(path));
    return WriteThroughTemporary(path, [&](const std::filesystem::path& temporary) {
        return WriteWorkbook(grid, temporary.c_str());
    });
}

} // namespace shiftex

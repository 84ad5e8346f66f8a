#include "files/schedule_file.h"

#include "files/grid_cell_stream.h"
#include "files/key_rows.h"
#include "files/text_io.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace shiftex {

namespace {

constexpr const char* kQueryPanelKey = "PnlStringgrid2Visible";
constexpr const char* kQueryRowKey = "PnlStringgrid2";
constexpr const char* kEmployeeTypesKey = "PnlStringgrid4Visible";
constexpr const char* kTypesDaysKey = "PnlStringgrid5Visible";
constexpr const char* kWorkedHoursKey = "PnlStringgrid3Visible";
// The header rows of the sheet while the departments view is on.
constexpr int kDepartmentsViewRows = 4;

// One key row: column 0 holds the key, column i the i-th value.
using KeyRow = std::vector<std::string>;

const char* BoolText(bool value) { return value ? "true" : "false"; }

// The header rows of the custom query summary grid; it gets a second one in the departments
// view, and the stored row count and indexes are those of that grid.
int QueryGridHeaderRows(const ScheduleDocument& document)
{
    return document.sheet.fixedRows == kDepartmentsViewRows ? 2 : 1;
}

std::vector<KeyRow> KeyRows(const ScheduleDocument& document)
{
    const ScheduleSheet& sheet = document.sheet;
    std::vector<KeyRow> rows;
    rows.push_back({kKeyRowsMarker});
    rows.push_back({keyrow::ColCount, std::to_string(sheet.colCount()),
                    std::to_string(sheet.rowCount())});
    rows.push_back(
        {keyrow::Fixed, std::to_string(sheet.fixedRows), std::to_string(sheet.fixedCols)});
    rows.push_back({keyrow::Font, document.fontName, document.fontColour});
    for (int i = 1; i < document.workingTypes.Count(); ++i) {
        const WorkingType& type = document.workingTypes.At(i);
        KeyRow row{keyrow::WorkingType, std::to_string(type.iconIndex)};
        row.insert(row.end(), type.fields.begin(), type.fields.end());
        rows.push_back(std::move(row));
    }
    rows.push_back({keyrow::Weekend, document.weekendColour});
    rows.push_back({keyrow::HolidayColour, document.holidayColour});
    for (const std::string& line : document.holidayLines)
        rows.push_back({keyrow::Holidays, line});
    for (const std::string& line : document.customQueryLines)
        rows.push_back({keyrow::Additions, line});
    // A document without queries holds the single closing line; so does its file.
    if (document.customQueryLines.empty() || document.customQueryLines.back() != kEndAllAdditions)
        rows.push_back({keyrow::Additions, kEndAllAdditions});
    // One threshold row per query the loader will find, never more: a surplus row would make the
    // file unreadable.
    const std::size_t queries = CustomQueryNamesOf(document.customQueryLines).size();
    for (std::size_t k = 0; k < queries; ++k) {
        const ColorThreshold threshold = k < document.queryThresholds.size()
                                             ? document.queryThresholds[k]
                                             : ColorThreshold{};
        rows.push_back({keyrow::AdditionsColour, threshold.minColour, threshold.minCount,
                        threshold.maxColour, threshold.maxCount});
    }
    rows.push_back({keyrow::MainDepartment, "", document.mainDepartmentColour});
    for (const Department& department : document.departments)
        rows.push_back({keyrow::Department, department.name, department.colour});

    const CustomQueryPanel& panel = document.customQueryPanel;
    if (panel.visible) {
        rows.push_back({kQueryPanelKey, "true", std::to_string(panel.height)});
        // The summary always has a data row; a document that records none gets an empty one,
        // which also carries the grid's row count for the loader.
        std::vector<CustomQueryRow> queryRows = panel.rows;
        if (queryRows.empty())
            queryRows.emplace_back();
        const int header = QueryGridHeaderRows(document);
        const std::string gridRows = std::to_string(header + queryRows.size() + 1);
        for (std::size_t k = 0; k < queryRows.size(); ++k) {
            const CustomQueryRow& row = queryRows[k];
            rows.push_back({kQueryRowKey, row.queryName, std::to_string(header + k), gridRows,
                            row.groupColour.empty() ? ColorToString(clNone) : row.groupColour});
        }
    } else {
        rows.push_back({kQueryPanelKey, "false"});
    }
    rows.push_back({kEmployeeTypesKey, BoolText(document.employeeTypesPanelVisible)});
    rows.push_back({kTypesDaysKey, BoolText(document.typesDaysPanelVisible)});
    rows.push_back({kWorkedHoursKey, BoolText(document.workedHoursPanelVisible)});
    return rows;
}

int ImageColumns(const ScheduleSheet& sheet)
{
    return std::max(sheet.colCount(), kMinImageColumns);
}

Result<void> Fits(const ScheduleDocument& document, std::size_t keyRows)
{
    const std::size_t cols = static_cast<std::size_t>(ImageColumns(document.sheet));
    const std::size_t rows = static_cast<std::size_t>(document.sheet.rowCount()) + keyRows;
    if (rows > static_cast<std::size_t>(kMaxSheetSize) || cols * rows > kMaxStreamCells)
        return Fail(ErrorKind::RefusedInput,
                    "the schedule has too many rows or columns for a schedule file");
    return {};
}

// --- loading ---

void BuildQueryThresholds(ScheduleDocument& document)
{
    document.customQueryNames = CustomQueryNamesOf(document.customQueryLines);
    for (const std::string& name : document.customQueryNames)
        document.queryThresholds.push_back(ColorThreshold{name});
}

// The custom query panel's rows. The stored row count is that of the summary grid; in the
// departments view the grid has a second header row, which the count includes, so the last row
// read there is the empty one standing for it and is dropped again.
void ReadQueryRows(const KeyRowImage& image, int next, bool departmentsView,
                   std::vector<CustomQueryRow>& rows)
{
    if (!image.Keyed(next, kQueryRowKey))
        return;
    const int gridRows = image.Number(3, next);
    if (gridRows < 2 || gridRows > kMaxSheetSize)
        throw DamagedImage{};
    for (int i = 1; i <= gridRows - 2; ++i) {
        if (image.Keyed(next, kQueryRowKey)) {
            rows.push_back({image.At(1, next), image.Colour(4, next, true)});
            ++next;
        } else {
            rows.emplace_back();
        }
    }
    if (departmentsView && !rows.empty())
        rows.pop_back();
}

void ReadQueryPanel(const KeyRowImage& image, int panelRow, bool departmentsView,
                    ScheduleDocument& document)
{
    CustomQueryPanel& panel = document.customQueryPanel;
    panel.visible = true;
    panel.height = image.Number(2, panelRow);
    ReadQueryRows(image, panelRow + 1, departmentsView, panel.rows);
    // The rows as a save writes them back: at least one, and a row without a group colour
    // with clNone.
    if (panel.rows.empty())
        panel.rows.emplace_back();
    for (CustomQueryRow& row : panel.rows)
        if (row.groupColour.empty())
            row.groupColour = ColorToString(clNone);
}

// What every later operation takes for granted: two name columns, the three header rows (four
// in the departments view), and a month title and a day number over every day column.
void CheckSheet(const ScheduleDocument& document)
{
    const ScheduleSheet& sheet = document.sheet;
    const bool headerRows = sheet.fixedRows == 3 || sheet.fixedRows == kDepartmentsViewRows;
    if (sheet.fixedCols != 2 || !headerRows ||
        sheet.colCount() <= sheet.fixedCols || sheet.rowCount() < sheet.fixedRows)
        throw DamagedImage{};
    for (int col = sheet.fixedCols; col < sheet.colCount(); ++col)
        document.DayOfColumn(col);  // a ConversionError when the column has no date
}

void Load(ScheduleDocument& document, std::string_view bytes, const LoadProgress& progress)
{
    ScheduleSheet sheet;
    if (!ReadGridCellStream(sheet, bytes))
        throw DamagedImage{};
    const KeyRowImage image(sheet);
    const int rows = image.rows();
    const int last = image.last();
    if (progress)
        progress(0, rows);

    const auto [sheetCols, sheetRows] = image.LastSheetSize();
    // The key rows follow the sheet, so the sheet is a part of the image above them.
    if (sheetCols < 1 || sheetCols > sheet.colCount() || sheetRows < 1 || sheetRows >= rows)
        throw DamagedImage{};
    const int R = sheetRows;

    const int fixedRow = image.Require(keyrow::Fixed, R, last - 1);
    const int fixedRows = image.Number(1, fixedRow);
    const int fixedCols = image.Number(2, fixedRow);

    const int fontRow = image.Require(keyrow::Font, fixedRow, last);
    document.fontName = image.At(1, fontRow);
    document.fontColour = image.Colour(2, fontRow, true);

    int row = fontRow + 1;
    if (const int first = image.Find(keyrow::WorkingType, fontRow, last - 2); first >= 0) {
        for (row = first; image.Keyed(row, keyrow::WorkingType); ++row)
            document.workingTypes.Add(ReadWorkingTypeRow(image, row));
    }
    document.RefreshTypeCodes();

    const int weekendRow = image.Require(keyrow::Weekend, row, last - 2);
    document.weekendColour = image.Colour(1, weekendRow);
    // The holiday colour is the next row, whatever its key says.
    document.holidayColour = image.Colour(1, weekendRow + 1);

    document.holidayLines.clear();
    for (row = weekendRow + 2; row <= last - 1 && image.Keyed(row, keyrow::Holidays); ++row)
        document.holidayLines.push_back(image.At(1, row));
    for (; row <= last - 2 && image.Keyed(row, keyrow::Additions); ++row)
        document.customQueryLines.push_back(image.At(1, row));
    // The lines always end with "end all additions", and a save writes it; a file without it
    // gets it here, so that what was loaded is what is saved.
    if (document.customQueryLines.empty() || document.customQueryLines.back() != kEndAllAdditions)
        document.customQueryLines.push_back(kEndAllAdditions);
    BuildQueryThresholds(document);

    ReadQueryColourRows(image, row, document.queryThresholds);

    const int mainRow = image.Require(keyrow::MainDepartment, R, last - 1);
    document.departments.clear();
    document.mainDepartmentColour = image.Colour(2, mainRow);
    for (row = mainRow + 1; row <= last && image.Keyed(row, keyrow::Department); ++row)
        document.departments.push_back({image.At(1, row), image.Colour(2, row)});

    const int panelRow = image.Require(kQueryPanelKey, R, last);
    if (image.At(1, panelRow) == "true")
        ReadQueryPanel(image, panelRow, fixedRows == kDepartmentsViewRows, document);
    document.employeeTypesPanelVisible = image.At(1, image.Require(kEmployeeTypesKey, R, last)) ==
                                         "true";
    document.typesDaysPanelVisible = image.At(1, image.Require(kTypesDaysKey, R, last)) == "true";
    document.workedHoursPanelVisible =
        image.At(1, image.Require(kWorkedHoursKey, R, last)) == "true";

    // The sheet: the image without the key rows and the columns added for them. The font is not
    // part of the stream; the document's sheet keeps its own.
    ScheduleSheet& target = document.sheet;
    const int fontSize = target.fontSize;
    const Colour fontColour = target.fontColour;
    std::string fontName = std::move(target.fontName);
    target = std::move(sheet);
    DropImpossibleMerges(target);
    target.Resize(sheetCols, sheetRows);
    target.fontName = std::move(fontName);
    target.fontSize = fontSize;
    target.fontColour = fontColour;
    target.fixedRows = fixedRows;
    target.fixedCols = fixedCols;
    document.departmentsView = fixedRows == kDepartmentsViewRows;
    CheckSheet(document);
    document.monthTitle = target.Text(2, 0);
    if (progress)
        progress(rows, rows);
}

} // namespace

void DropImpossibleMerges(ScheduleSheet& sheet)
{
    const auto possible = [](int span) { return span >= -1 && span <= kMaxSheetSize; };
    for (int row = 0; row < sheet.rowCount(); ++row) {
        for (int col = 0; col < sheet.colCount(); ++col) {
            CellProperties* props = sheet.Cell(col, row).props.get();
            if (props && (!possible(props->spanX) || !possible(props->spanY))) {
                props->isBaseCell = true;
                props->spanX = props->spanY = -1;
            }
        }
    }
}

KeyRowImage::SheetSize KeyRowImage::LastSheetSize() const
{
    SheetSize size;
    for (int row = 0; row < rows(); ++row) {
        if (Keyed(row, keyrow::ColCount))
            size = {Number(1, row), Number(2, row)};
    }
    return size;
}

int KeyRowImage::Number(int col, int row) const
{
    int value = 0;
    if (!TryParseInt(At(col, row), value))
        throw DamagedImage{};
    return value;
}

const std::string& KeyRowImage::Colour(int col, int row, bool emptyAllowed) const
{
    const std::string& text = At(col, row);
    shiftex::Colour colour = 0;
    if (!(emptyAllowed && text.empty()) && !TryStringToColor(text, colour))
        throw DamagedImage{};
    return text;
}

void ReadQueryColourRows(const KeyRowImage& image, int from,
                         std::vector<ColorThreshold>& thresholds)
{
    const int last = image.last();
    const int first = image.Find(keyrow::AdditionsColour, from, last - 2);
    if (first < 0)
        return;
    std::size_t k = 0;
    for (int row = first; row <= last - 1 && image.Keyed(row, keyrow::AdditionsColour);
         ++row, ++k) {
        // A colour row without its query has nothing to colour.
        if (k >= thresholds.size())
            throw DamagedImage{};
        ColorThreshold& threshold = thresholds[k];
        threshold.minColour = image.Colour(1, row);
        threshold.minCount = image.Count(2, row);
        threshold.maxColour = image.Colour(3, row);
        threshold.maxCount = image.Count(4, row);
    }
}

WorkingType ReadWorkingTypeRow(const KeyRowImage& image, int row)
{
    WorkingType type;
    type.iconIndex = image.Number(1, row);
    for (int f = 0; f < field::Count; ++f)
        type.fields[f] = image.At(2 + f, row);
    for (int f = field::DayMinColour; f <= field::EmployeeMaxCount; f += 2) {
        image.Colour(2 + f, row);
        image.Count(2 + f + 1, row);
    }
    return type;
}

std::vector<std::string> CustomQueryNamesOf(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    if (lines.empty() || lines.front() == kEndAllAdditions)
        return names;
    names.push_back(lines.front());
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == kEndThisAddition && lines[i + 1] != kEndAllAdditions)
            names.push_back(lines[i + 1]);
    return names;
}


int ScheduleImageKeyRowCount(const ScheduleDocument& document)
{
    return static_cast<int>(KeyRows(document).size());
}

Result<void> ScheduleImageFits(const ScheduleDocument& document)
{
    return Fits(document, KeyRows(document).size());
}

ScheduleSheet BuildScheduleImage(const ScheduleDocument& document)
{
    const std::vector<KeyRow> keyRows = KeyRows(document);
    // A caller's mistake, not the user's: std::length_error rather than an assertion, so that
    // a release build never writes an image the reader would refuse.
    if (const Result<void> fits = Fits(document, keyRows.size()); !fits)
        throw std::length_error(fits.error().message);
    const ScheduleSheet& sheet = document.sheet;
    // A copy keeps every cell, attribute, size and the header counts and font; the stream
    // round trip of CopySheet would give the same sheet at several times the cost.
    ScheduleSheet image = sheet;
    image.Resize(ImageColumns(sheet), sheet.rowCount() + static_cast<int>(keyRows.size()));
    int row = sheet.rowCount();
    for (const KeyRow& keyRow : keyRows) {
        for (std::size_t col = 0; col < keyRow.size(); ++col)
            if (!keyRow[col].empty())
                image.SetText(static_cast<int>(col), row, keyRow[col]);
        ++row;
    }
    return image;
}

Result<ScheduleDocument> LoadScheduleFile(std::string_view bytes, const LoadProgress& progress)
{
    ScheduleDocument loaded = CreateDocument();
    try {
        Load(loaded, bytes, progress);
    } catch (const DamagedImage&) {
        return Fail(ErrorKind::DamagedFile, kDamagedFileMessage);
    } catch (const ConversionError&) {
        return Fail(ErrorKind::DamagedFile, kDamagedFileMessage);
    }
    return loaded;
}

Result<void> SaveSchedule(const ScheduleDocument& document, const std::filesystem::path& path)
{
    if (const Result<void> fits = ScheduleImageFits(document); !fits)
        return Fail(ErrorKind::RefusedInput,
                    "Cannot write \"" + path.string() + "\": " + fits.error().message + ".");
    return WriteFileAtomically(path, WriteGridCellStream(BuildScheduleImage(document)));
}

} // namespace shiftex

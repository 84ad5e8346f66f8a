#include "files/template_import.h"

#include "files/grid_cell_stream.h"
#include "files/key_rows.h"
#include "files/schedule_file.h"
#include "files/schedule_loader.h"
#include "files/schedule_text.h"
#include "files/schedule_text_reader.h"
#include "files/text_io.h"

namespace shiftex {

namespace {

std::unexpected<Error> Damaged()
{
    return Fail(ErrorKind::DamagedFile, kDamagedFileMessage);
}

std::vector<ColorThreshold> ThresholdsOf(const std::vector<std::string>& customQueryLines)
{
    std::vector<ColorThreshold> thresholds;
    for (const std::string& name : CustomQueryNamesOf(customQueryLines))
        thresholds.push_back(ColorThreshold{name});
    return thresholds;
}

// The sheet size of the last "colcount" row, which must fit the image above its key rows.
KeyRowImage::SheetSize SheetSizeOf(const KeyRowImage& image, const ScheduleSheet& sheet)
{
    const KeyRowImage::SheetSize size = image.LastSheetSize();
    if (size.cols < 1 || size.cols > sheet.colCount() || size.rows < 1 ||
        size.rows >= sheet.rowCount())
        throw DamagedImage{};
    return size;
}

TemplateSettings ReadImageSettings(const ScheduleSheet& sheet, const ScheduleSheet& preview)
{
    const KeyRowImage image(sheet);
    const int last = image.last();
    const int R = SheetSizeOf(image, sheet).rows;
    TemplateSettings settings;

    const int weekendRow = image.Require(keyrow::Weekend, R, last - 2);
    settings.weekendColour = image.Colour(1, weekendRow);
    settings.holidayColour = image.Colour(1, weekendRow + 1);

    for (int row = std::max(preview.fixedRows, 0); row < preview.rowCount(); ++row)
        settings.employeeNames.push_back(preview.colCount() > 1 ? preview.Text(1, row) : "");

    if (const int first = image.Find(keyrow::WorkingType, R, last - 2); first >= 0) {
        for (int row = first; image.Keyed(row, keyrow::WorkingType); ++row)
            settings.workingTypes.push_back(ReadWorkingTypeRow(image, row));
    }

    if (const int first = image.Find(keyrow::Additions, R, last - 2); first >= 0) {
        settings.customQueryLines.clear();
        for (int row = first; row <= last - 2 && image.Keyed(row, keyrow::Additions); ++row)
            settings.customQueryLines.push_back(image.At(1, row));
        settings.queryThresholds = ThresholdsOf(settings.customQueryLines);
    }
    ReadQueryColourRows(image, R, settings.queryThresholds);

    const int mainRow = image.Require(keyrow::MainDepartment, R, last - 1);
    settings.hasDepartments = true;
    settings.departmentColours.push_back(image.Colour(2, mainRow));
    for (int row = mainRow + 1; row <= last && image.Keyed(row, keyrow::Department); ++row) {
        settings.departmentNames.push_back(image.At(1, row));
        settings.departmentColours.push_back(image.Colour(2, row));
    }
    return settings;
}

Result<TemplateSettings> ImportText(LineReader& reader)
{
    if (reader.AtEnd() || reader.Peek() != kScheduleTextMagic)
        return Damaged();
    TemplateSettings settings;
    try {
        reader.SkipPast("end holidays");
        CheckColour(reader.Peek(), reader.LineNumber());
        settings.weekendColour = reader.Next();
        CheckColour(reader.Peek(), reader.LineNumber());
        settings.holidayColour = reader.Next();
        while (reader.Peek() != "end all person") {
            if (reader.AtEnd())
                return Damaged();
            if (settings.employeeNames.size() == kMaxListLines)
                return Damaged();
            settings.employeeNames.push_back(reader.Next());
            reader.SkipPast("end this person");
        }
        reader.Next();
        ScheduleTextBody body = ReadScheduleTextBody(reader);
        settings.workingTypes = std::move(body.workingTypes);
        settings.customQueryLines = std::move(body.customQueryLines);
        settings.queryThresholds = std::move(body.queryThresholds);
        settings.hasFont = body.hasFont;
        settings.fontName = std::move(body.fontName);
        settings.fontColour = std::move(body.fontColour);
    } catch (const TextReadFailure&) {
        return Damaged();
    }
    return settings;
}

} // namespace

Result<TemplateSettings> ImportTemplateText(const std::vector<std::string>& lines)
{
    LineReader reader(lines);
    return ImportText(reader);
}

Result<ScheduleSheet> ReadTemplateImage(std::string_view bytes)
{
    ScheduleSheet image;
    if (!ReadGridCellStream(image, bytes))
        return Damaged();
    DropImpossibleMerges(image);
    return image;
}

Result<ScheduleSheet> PreviewTemplateImage(const ScheduleSheet& image)
{
    try {
        const KeyRowImage rows(image);
        const auto [cols, sheetRows] = SheetSizeOf(rows, image);
        ScheduleSheet preview = image;
        preview.Resize(cols, sheetRows);
        const int fixedRow = rows.Require(keyrow::Fixed, sheetRows, rows.last());
        const int fixedRows = rows.Number(1, fixedRow);
        const int fixedCols = rows.Number(2, fixedRow);
        if (fixedRows < 0 || fixedRows > sheetRows || fixedCols < 0 || fixedCols > cols)
            throw DamagedImage{};
        preview.fixedRows = fixedRows;
        preview.fixedCols = fixedCols;
        if (const int fontRow = rows.Find(keyrow::Font, fixedRow, rows.last()); fontRow >= 0) {
            preview.fontName = rows.At(1, fontRow);
            if (const std::string& colour = rows.Colour(2, fontRow, true); !colour.empty())
                preview.fontColour = StringToColor(colour);
        }
        return preview;
    } catch (const DamagedImage&) {
        return Damaged();
    }
}

Result<TemplateSettings> ImportTemplateImage(const ScheduleSheet& image,
                                             const ScheduleSheet& preview)
{
    try {
        return ReadImageSettings(image, preview);
    } catch (const DamagedImage&) {
        return Damaged();
    }
}

Result<TemplateSettings> ImportTemplateBytes(std::string_view bytes,
                                             std::optional<ScheduleSheet>& preview)
{
    if (IsScheduleText(bytes))
    {
        std::string decoded;
        LineReader reader(DecodedText(bytes, decoded));
        return ImportText(reader);
    }
    Result<ScheduleSheet> image = ReadTemplateImage(bytes);
    if (!image)
        return std::unexpected(image.error());
    Result<ScheduleSheet> shown = PreviewTemplateImage(*image);
    if (!shown)
        return std::unexpected(shown.error());
    preview = std::move(*shown);
    return ImportTemplateImage(*image, *preview);
}

} // namespace shiftex

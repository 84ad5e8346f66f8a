#include "platform/report_export.h"

#include "platform/report_files.h"
#include "reports/table_export.h"

namespace shiftex {

Result<void> ExportSchedule(const ScheduleDocument& document,
                            const std::optional<CellRect>& selection, ExportType type,
                            const std::filesystem::path& path, const CellPictures& pictures)
{
    const SheetCopyUse use = type == ExportType::Pdf ? SheetCopyUse::Print : SheetCopyUse::Export;
    const Result<PrintCopy> copy = SheetCopy(document, selection, use);
    if (!copy)
        return std::unexpected(copy.error());
    const ScheduleSheet& grid = copy->grid;
    switch (type) {
    case ExportType::Html:
        return WriteBytes(path, HtmlTable(grid, document.title));
    case ExportType::Xml:
        return WriteBytes(
            path, XmlTable(grid, XmlFieldNames(document.customQueryLines, grid.colCount())));
    case ExportType::Xlsx:
        return WriteXlsx(grid, path);
    case ExportType::Odt:
        return WriteOdt(grid, path);
    case ExportType::Pdf:
        return WritePdf(*copy, path, pictures);
    }
    SHIFTEX_ASSERT(false);
    return std::unexpected(CannotCreateFile(path));
}

} // namespace shiftex

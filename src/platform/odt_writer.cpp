#include "platform/report_files.h"

#include "reports/table_export.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

namespace shiftex {

namespace {

QColor FileColour(Colour colour)
{
    const std::optional<std::uint32_t> rgb = FileRgb(colour);
    return rgb ? QColor::fromRgb(static_cast<QRgb>(*rgb)) : QColor();
}

Qt::Alignment BlockAlignment(HAlignment alignment)
{
    switch (alignment) {
    case HAlignment::Center: return Qt::AlignHCenter;
    case HAlignment::Right: return Qt::AlignRight;
    case HAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

void FillCell(QTextTable& table, const ScheduleSheet& grid, int col, int row,
              const QFont& font)
{
    QTextTableCell cell = table.cellAt(row, col);
    QTextTableCellFormat cellFormat;
    if (const QColor background = FileColour(grid.BrushColor(col, row)); background.isValid())
        cellFormat.setBackground(background);
    cellFormat.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    cell.setFormat(cellFormat);

    QTextCursor cursor = cell.firstCursorPosition();
    QTextBlockFormat block;
    block.setAlignment(BlockAlignment(grid.Alignment(col, row)));
    // The word processor writer keeps no cell backgrounds; the cell's paragraph carries it.
    if (cellFormat.hasProperty(QTextFormat::BackgroundBrush))
        block.setBackground(cellFormat.background());
    cursor.setBlockFormat(block);
    QTextCharFormat text;
    text.setFont(font);
    text.setFontWeight(grid.IsBold(col, row) ? QFont::Bold : QFont::Normal);
    if (const QColor colour = FileColour(ExportTextColour(grid, col, row)); colour.isValid())
        text.setForeground(colour);
    // Lines are line breaks in one paragraph: the writer would make a paragraph a cell.
    bool first = true;
    for (const std::string& line : SplitCellLines(ValidUtf8(grid.Text(col, row)))) {
        if (!first)
            cursor.insertText(QString(QChar::LineSeparator), text);
        first = false;
        cursor.insertText(QString::fromStdString(line), text);
    }
}

bool WriteDocument(const ScheduleSheet& grid, const std::filesystem::path& path)
{
    QTextDocument document;
    QFont font = document.defaultFont();
    if (!grid.fontName.empty())
        font.setFamily(QString::fromStdString(ValidUtf8(grid.fontName)));
    font.setPointSize(grid.fontSize > 0 ? grid.fontSize : 8);
    document.setDefaultFont(font);

    QTextCursor cursor(&document);
    QTextTableFormat tableFormat;
    tableFormat.setBorder(0.5);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tableFormat.setBorderBrush(QColor(0xA0, 0xA0, 0xA0));
    tableFormat.setCellSpacing(0);
    tableFormat.setCellPadding(0);
    tableFormat.setHeaderRowCount(std::max(0, grid.fixedRows));
    QList<QTextLength> widths;
    for (int c = 0; c < grid.colCount(); ++c)
        widths << QTextLength(QTextLength::FixedLength, std::max(0, grid.ColWidth(c)));
    tableFormat.setColumnWidthConstraints(widths);
    QTextTable* table = cursor.insertTable(grid.rowCount(), grid.colCount(), tableFormat);
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c) {
            const CellRect merge = grid.MergeRect(c, r);
            if (merge.left != c || merge.top != r)
                continue;
            FillCell(*table, grid, c, r, font);
        }
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c) {
            const CellRect merge = grid.MergeRect(c, r);
            if (merge.left == c && merge.top == r && (merge.right > c || merge.bottom > r))
                table->mergeCells(r, c, merge.bottom - r + 1, merge.right - c + 1);
        }

    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextDocumentWriter writer(&file, "odf");
    const bool written = writer.write(&document);
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

Result<void> WriteOdt(const ScheduleSheet& grid, const std::filesystem::path& path)
{
    if (grid.rowCount() == 0 || grid.colCount() == 0)
        return std::unexpected(CannotCreateFile(path));
    return WriteThroughTemporary(path, [&](const std::filesystem::path& temporary) {
        return WriteDocument(grid, temporary);
    });
}

} // namespace shiftex

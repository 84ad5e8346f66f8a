#include "platform/report_files.h"

#include "reports/table_export.h"

#include <QFile>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

#include <map>

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

// Formats built once per look: a year's schedule has a few of them and 180,000 cells.
class CellFormats {
public:
    struct Look {
        QColor background;
        QColor text;
        bool bold = false;
        HAlignment alignment = HAlignment::Left;
    };

    static Look LookOf(const ScheduleSheet& grid, int col, int row)
    {
        return {FileColour(grid.BrushColor(col, row)),
                FileColour(ExportTextColour(grid, col, row)), grid.IsBold(col, row),
                grid.Alignment(col, row)};
    }

    const QTextTableCellFormat& Cell(const Look& look)
    {
        return Find(cells_, look.background.rgba(), [&] {
            QTextTableCellFormat format;
            format.setBackground(look.background);
            return format;
        });
    }
    // The word processor writer keeps no cell backgrounds; the cell's paragraph carries it.
    const QTextBlockFormat& Block(const Look& look)
    {
        const quint64 key = static_cast<quint64>(look.background.isValid() ? look.background.rgba()
                                                                           : 0) << 8 |
                            static_cast<quint64>(look.alignment);
        return Find(blocks_, key, [&] {
            QTextBlockFormat format;
            format.setAlignment(BlockAlignment(look.alignment));
            if (look.background.isValid())
                format.setBackground(look.background);
            return format;
        });
    }
    const QTextCharFormat& Text(const Look& look)
    {
        const quint64 key = static_cast<quint64>(look.text.isValid() ? look.text.rgba() : 0) << 1 |
                            (look.bold ? 1 : 0);
        return Find(texts_, key, [&] {
            QTextCharFormat format;
            if (look.bold)
                format.setFontWeight(QFont::Bold);
            if (look.text.isValid())
                format.setForeground(look.text);
            return format;
        });
    }

private:
    template <typename Format, typename Make>
    static const Format& Find(std::map<quint64, Format>& formats, quint64 key, Make make)
    {
        auto it = formats.find(key);
        if (it == formats.end())
            it = formats.emplace(key, make()).first;
        return it->second;
    }

    std::map<quint64, QTextTableCellFormat> cells_;
    std::map<quint64, QTextBlockFormat> blocks_;
    std::map<quint64, QTextCharFormat> texts_;
};

void FillCell(QTextTable& table, const ScheduleSheet& grid, int col, int row,
              CellFormats& formats)
{
    const CellFormats::Look look = CellFormats::LookOf(grid, col, row);
    const std::string& text = grid.Text(col, row);
    if (!look.background.isValid() && look.alignment == HAlignment::Left && text.empty())
        return;
    QTextTableCell cell = table.cellAt(row, col);
    if (look.background.isValid())
        cell.setFormat(formats.Cell(look));
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setBlockFormat(formats.Block(look));
    const QTextCharFormat& format = formats.Text(look);
    // Lines are line breaks in one paragraph: the writer would make a paragraph a cell.
    bool first = true;
    for (const std::string& line : SplitCellLines(ValidUtf8(text))) {
        if (!first)
            cursor.insertText(QString(QChar::LineSeparator), format);
        first = false;
        cursor.insertText(QString::fromStdString(line), format);
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

    // One edit without an undo history: the document is built once and written.
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
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
    CellFormats formats;
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c) {
            const CellRect merge = grid.MergeRect(c, r);
            if (merge.left != c || merge.top != r)
                continue;
            FillCell(*table, grid, c, r, formats);
        }
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c) {
            const CellRect merge = grid.MergeRect(c, r);
            if (merge.left == c && merge.top == r && (merge.right > c || merge.bottom > r))
                table->mergeCells(r, c, merge.bottom - r + 1, merge.right - c + 1);
        }
    cursor.endEditBlock();

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

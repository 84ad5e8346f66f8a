#include "platform/print_renderer.h"

#include "platform/report_files.h"
#include "reports/table_export.h"

#include <QDate>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <set>

namespace shiftex {

namespace {

// Grid pixels are screen pixels: 96 to the inch.
constexpr double kGridDpi = 96.0;
// Shrinking stops here; a larger grid goes over more pages.
constexpr double kMinScale = 0.4;
constexpr int kGridLine = 1;
constexpr double kTextMargin = 2;
constexpr int kPictureSize = 16;
constexpr double kMarginFontPoints = 8;

const QColor kBorderColour(0x80, 0x80, 0x80);
const QColor kHeaderDefault(0xF0, 0xF0, 0xF0);

QColor PaperColour(Colour colour)
{
    const std::optional<std::uint32_t> rgb = FileRgb(colour);
    return rgb ? QColor::fromRgb(static_cast<QRgb>(*rgb)) : QColor();
}

// Visible columns or rows with their widths or heights, grid lines included.
std::vector<std::pair<int, int>> Extents(const std::vector<int>& sizes, int from, int to)
{
    std::vector<std::pair<int, int>> extents;
    for (int i = from; i < to; ++i)
        if (sizes[static_cast<std::size_t>(i)] >= 0)
            extents.push_back({i, sizes[static_cast<std::size_t>(i)] + kGridLine});
    return extents;
}

int Total(const std::vector<std::pair<int, int>>& extents)
{
    int total = 0;
    for (const auto& [index, size] : extents)
        total += size;
    return total;
}

// The data columns (or rows) split into bands that fit `available` beside the fixed ones.
std::vector<std::vector<int>> Bands(const std::vector<std::pair<int, int>>& fixed,
                                    const std::vector<std::pair<int, int>>& data,
                                    double available, bool repeat)
{
    std::vector<std::vector<int>> bands;
    std::size_t next = 0;
    do {
        std::vector<int> band;
        double used = 0;
        if (bands.empty() || repeat)
            for (const auto& [index, size] : fixed) {
                band.push_back(index);
                used += size;
            }
        const std::size_t start = next;
        while (next < data.size() &&
               (next == start || used + data[next].second <= available + 0.001)) {
            band.push_back(data[next].first);
            used += data[next].second;
            ++next;
        }
        bands.push_back(std::move(band));
    } while (next < data.size());
    return bands;
}

QString LinesOf(const std::vector<QString>& parts)
{
    QString text;
    for (const QString& part : parts) {
        if (!text.isEmpty())
            text += QStringLiteral("    ");
        text += part;
    }
    return text;
}

} // namespace

PrintRenderer::PrintRenderer(const PrintCopy& copy, CellPictures pictures)
    : copy_(copy), pictures_(std::move(pictures))
{
}

PrintRenderer::Plan PrintRenderer::PlanPages(double areaWidth, double areaHeight) const
{
    const ScheduleSheet& grid = copy_.grid;
    const int fixedCols = std::clamp(grid.fixedCols, 0, grid.colCount());
    const int fixedRows = std::clamp(grid.fixedRows, 0, grid.rowCount());
    const auto fixedX = Extents(grid.ColWidths(), 0, fixedCols);
    const auto dataX = Extents(grid.ColWidths(), fixedCols, grid.colCount());
    const auto fixedY = Extents(grid.RowHeights(), 0, fixedRows);
    const auto dataY = Extents(grid.RowHeights(), fixedRows, grid.rowCount());
    const double width = std::max(1, Total(fixedX) + Total(dataX));
    const double height = std::max(1, Total(fixedY) + Total(dataY));

    Plan plan;
    if (copy_.layout.shrinkToFit) {
        plan.scale = std::min({1.0, areaWidth / width, areaHeight / height});
        // Shrunk further the grid could not be read: it fills the width and goes on over more
        // pages instead.
        if (plan.scale < kMinScale)
            plan.scale = std::min(1.0, std::max(kMinScale, areaWidth / width));
    }
    const double availableX = areaWidth / plan.scale;
    const double availableY = areaHeight / plan.scale;
    // A grid that needs more than one page repeats its header rows and name columns, so that
    // every page can be read on its own.
    const bool onePage = width <= availableX + 0.001 && height <= availableY + 0.001;
    const bool repeat = copy_.layout.repeatHeaders || !onePage;
    const auto across = Bands(fixedX, dataX, availableX, repeat);
    const auto down = Bands(fixedY, dataY, availableY, repeat);
    for (const auto& columns : across)
        for (const auto& rows : down)
            plan.pages.push_back({columns, rows});
    return plan;
}

int PrintRenderer::PageCount(const QPagedPaintDevice& device) const
{
    const double unit = device.logicalDpiX() / kGridDpi;
    const double mm = device.logicalDpiY() / 25.4;
    const double areaHeight =
        device.height() - (copy_.layout.headerHeight + copy_.layout.footerHeight) * mm;
    return static_cast<int>(PlanPages(device.width() / unit, areaHeight / unit).pages.size());
}

bool PrintRenderer::Render(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double unit = device.logicalDpiX() / kGridDpi;
    const double mm = device.logicalDpiY() / 25.4;
    const QRectF paper(0, 0, device.width(), device.height());
    const QRectF area = paper.adjusted(0, copy_.layout.headerHeight * mm, 0,
                                       -copy_.layout.footerHeight * mm);
    const Plan plan = PlanPages(area.width() / unit, area.height() / unit);
    const int count = static_cast<int>(plan.pages.size());
    // Points are the device's own: a grid pixel is 1/96 inch at scale 1.
    const ScheduleSheet& grid = copy_.grid;
    fonts_.normal = QFont(grid.fontName.empty() ? QString()
                                                : QString::fromStdString(ValidUtf8(grid.fontName)));
    fonts_.normal.setStyleHint(QFont::SansSerif);
    fonts_.normal.setPointSizeF(std::max(1, grid.fontSize) * plan.scale);
    fonts_.bold = fonts_.normal;
    fonts_.bold.setBold(true);
    fonts_.lineHeight = std::max(QFontMetricsF(fonts_.normal, &device).height(),
                                 QFontMetricsF(fonts_.bold, &device).height());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        PaintPage(painter, plan.pages[static_cast<std::size_t>(i)], i + 1, count,
                  plan.scale * unit, area, paper);
    }
    return painter.end();
}

void PrintRenderer::PaintPage(QPainter& painter, const Page& page, int number, int count,
                              double scale, const QRectF& area, const QRectF& paper) const
{
    const ScheduleSheet& grid = copy_.grid;
    // Left edges of the page's columns and top edges of its rows, in device units.
    std::vector<double> xs{0};
    for (const int c : page.columns)
        xs.push_back(xs.back() + (grid.ColWidth(c) + kGridLine) * scale);
    std::vector<double> ys{0};
    for (const int r : page.rows)
        ys.push_back(ys.back() + (grid.RowHeight(r) + kGridLine) * scale);
    const double left =
        area.left() + (copy_.layout.centred ? std::max(0.0, (area.width() - xs.back()) / 2) : 0);
    const double top = area.top();

    const auto span = [](const std::vector<int>& list, int first, int last) {
        const auto from = std::lower_bound(list.begin(), list.end(), first);
        auto to = std::upper_bound(list.begin(), list.end(), last);
        return std::pair<int, int>(static_cast<int>(from - list.begin()),
                                   static_cast<int>(to - list.begin()) - 1);
    };
    std::set<std::pair<int, int>> drawn;
    std::vector<PlacedCell> cells;
    cells.reserve(page.rows.size() * page.columns.size());
    for (std::size_t ri = 0; ri < page.rows.size(); ++ri)
        for (std::size_t ci = 0; ci < page.columns.size(); ++ci) {
            const int c = page.columns[ci];
            const int r = page.rows[ri];
            const CellRect merge = grid.MergeRect(c, r);
            QRectF rect;
            if (merge.left == merge.right && merge.top == merge.bottom) {
                rect = QRectF(left + xs[ci], top + ys[ri], xs[ci + 1] - xs[ci],
                              ys[ri + 1] - ys[ri]);
                cells.push_back({c, r, rect});
                continue;
            }
            if (!drawn.insert({merge.left, merge.top}).second)
                continue;
            // A merged block shows over the part of it this page holds.
            const auto [c0, c1] = span(page.columns, merge.left, merge.right);
            const auto [r0, r1] = span(page.rows, merge.top, merge.bottom);
            if (c0 > c1 || r0 > r1)
                continue;
            rect = QRectF(left + xs[static_cast<std::size_t>(c0)],
                          top + ys[static_cast<std::size_t>(r0)],
                          xs[static_cast<std::size_t>(c1) + 1] - xs[static_cast<std::size_t>(c0)],
                          ys[static_cast<std::size_t>(r1) + 1] - ys[static_cast<std::size_t>(r0)]);
            cells.push_back({merge.left, merge.top, rect});
        }
    PaintCells(painter, cells, scale);

    const PageLayout& layout = copy_.layout;
    const QString date = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    const QString pageText = QStringLiteral("%1/%2").arg(number).arg(count);
    const QString title = QString::fromStdString(ValidUtf8(layout.title));
    for (const PageCorner corner : {PageCorner::TopLeft, PageCorner::TopRight,
                                    PageCorner::BottomLeft, PageCorner::BottomRight}) {
        std::vector<QString> parts;
        if (layout.titleAt == corner)
            parts.push_back(title);
        if (layout.dateAt == corner)
            parts.push_back(date);
        if (layout.pageNumberAt == corner)
            parts.push_back(pageText);
        if (!parts.empty())
            PaintMarginText(painter, paper, corner, LinesOf(parts));
    }
}

// Backgrounds, then every border in one go, then pictures and texts: few changes of pen and
// brush keep a page of thousands of cells quick to write.
void PrintRenderer::PaintCells(QPainter& painter, const std::vector<PlacedCell>& cells,
                               double scale) const
{
    const ScheduleSheet& grid = copy_.grid;
    for (const PlacedCell& cell : cells) {
        const bool header = cell.col < grid.fixedCols || cell.row < grid.fixedRows;
        QColor background = PaperColour(grid.BrushColor(cell.col, cell.row));
        if (!background.isValid())
            background = header ? kHeaderDefault : QColor(Qt::white);
        if (background != Qt::white)
            painter.fillRect(cell.rect, background);
    }
    QList<QRectF> borders;
    borders.reserve(static_cast<qsizetype>(cells.size()));
    for (const PlacedCell& cell : cells)
        borders.append(cell.rect);
    painter.setPen(QPen(kBorderColour, std::max(0.5, 0.5 * scale)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRects(borders);
    for (const PlacedCell& cell : cells)
        PaintCell(painter, cell.col, cell.row, cell.rect, scale);
}

void PrintRenderer::PaintCell(QPainter& painter, int col, int row, const QRectF& rect,
                              double scale) const
{
    const ScheduleSheet& grid = copy_.grid;
    const bool header = col < grid.fixedCols || row < grid.fixedRows;
    QRectF textArea = rect.adjusted(kTextMargin * scale, 0, -kTextMargin * scale, 0);
    if (const CellGraphic* graphic = grid.Graphic(col, row);
        graphic && pictures_ && copy_.layout.printIcons &&
        (graphic->kind == GraphicKind::ImageList || graphic->kind == GraphicKind::Picture)) {
        const QPixmap picture = pictures_(*graphic);
        if (!picture.isNull()) {
            const double side = std::min({kPictureSize * scale, rect.width(), rect.height()});
            QRectF target(0, 0, side, side);
            if (graphic->hAlign == GraphicHAlign::Center)
                target.moveCenter(rect.center());
            else
                target.moveTo(rect.left() + kTextMargin * scale,
                              rect.center().y() - side / 2);
            painter.drawPixmap(target, picture, QRectF(picture.rect()));
            if (graphic->hAlign != GraphicHAlign::Center)
                textArea.setLeft(target.right() + kTextMargin * scale);
        }
    }

    const std::string& text = grid.Text(col, row);
    if (text.empty())
        return;
    const QFont& font = grid.IsBold(col, row) ? fonts_.bold : fonts_.normal;
    painter.setFont(font);
    // Data cells print in the copy's font colour, whatever a single cell showed on screen.
    QColor colour = PaperColour(header ? grid.FontColor(col, row) : grid.fontColour);
    if (!colour.isValid())
        colour = Qt::black;
    painter.setPen(colour);

    const std::vector<std::string> lines = SplitCellLines(ValidUtf8(text));
    const double lineHeight = fonts_.lineHeight;
    const double blockHeight = lineHeight * static_cast<double>(lines.size());
    double y = rect.top() + std::max(0.0, (rect.height() - blockHeight) / 2);
    Qt::Alignment alignment = Qt::AlignLeft;
    if (grid.Alignment(col, row) == HAlignment::Center)
        alignment = Qt::AlignHCenter;
    else if (grid.Alignment(col, row) == HAlignment::Right)
        alignment = Qt::AlignRight;
    // Text that does not fit its line is clipped by drawText itself.
    for (const std::string& line : lines) {
        painter.drawText(QRectF(textArea.left(), y, textArea.width(), lineHeight),
                         static_cast<int>(alignment | Qt::AlignVCenter),
                         QString::fromStdString(line));
        y += lineHeight;
    }
}

void PrintRenderer::PaintMarginText(QPainter& painter, const QRectF& paper, PageCorner corner,
                                    const QString& text) const
{
    const double mm = painter.device()->logicalDpiY() / 25.4;
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kMarginFontPoints);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const bool topBand = corner == PageCorner::TopLeft || corner == PageCorner::TopRight;
    const double bandHeight =
        (topBand ? copy_.layout.headerHeight : copy_.layout.footerHeight) * mm;
    const QRectF band = topBand ? QRectF(paper.left(), paper.top(), paper.width(), bandHeight)
                                : QRectF(paper.left(), paper.bottom() - bandHeight, paper.width(),
                                         bandHeight);
    const bool right = corner == PageCorner::TopRight || corner == PageCorner::BottomRight;
    painter.drawText(band, static_cast<int>((right ? Qt::AlignRight : Qt::AlignLeft) |
                                            Qt::AlignVCenter),
                     text);
}

Result<void> WritePdf(const PrintCopy& copy, const std::filesystem::path& path,
                      const CellPictures& pictures)
{
    return WriteThroughTemporary(path, [&](const std::filesystem::path& temporary) {
        QPdfWriter writer(QFile::decodeName(temporary.c_str()));
        writer.setCreator(QStringLiteral("Shiftex"));
        writer.setTitle(QString::fromStdString(ValidUtf8(copy.layout.title)));
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(copy.layout.margin, copy.layout.margin, copy.layout.margin,
                      copy.layout.margin),
            QPageLayout::Millimeter));
        return PrintRenderer(copy, pictures).Render(writer);
    });
}

} // namespace shiftex

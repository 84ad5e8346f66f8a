#include "ui/summary_view.h"

#include "platform/qt_colour.h"
#include "summaries/cell_reading.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

namespace shiftex {

namespace {

constexpr int kTextMargin = 2;
constexpr int kScrollStep = 16;
constexpr int kIconSize = 16;
constexpr int kArrowWidth = 12;
const QColor kDataGridColour(192, 192, 192);

Qt::Alignment HorizontalFlag(HAlignment alignment)
{
    switch (alignment) {
    case HAlignment::Right:
        return Qt::AlignRight;
    case HAlignment::Center:
        return Qt::AlignHCenter;
    case HAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// "\rEmployee" puts the word on the second line.
std::vector<QString> TextLines(const std::string& text)
{
    std::vector<QString> lines;
    ForEachCellLine(text, [&](std::string_view line) {
        lines.push_back(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    });
    return lines;
}

} // namespace

SummaryView::SummaryView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
    setCellFont(font());
}

void SummaryView::setGrid(const SummaryGrid* grid)
{
    grid_ = grid;
    gridChanged();
}

void SummaryView::setCellFont(const QFont& font)
{
    font_ = font;
    boldFont_ = font;
    boldFont_.setBold(true);
    viewport()->update();
}

void SummaryView::setFollowHorizontal(bool follow)
{
    followH_ = follow;
    setHorizontalScrollBarPolicy(follow ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    updateScrollBars();
    viewport()->update();
}

void SummaryView::setFollowVertical(bool follow)
{
    followV_ = follow;
    setVerticalScrollBarPolicy(follow ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    updateScrollBars();
    viewport()->update();
}

void SummaryView::setHorizontalOffset(int offset)
{
    offsetX_ = std::max(0, offset);
    if (followH_)
        viewport()->update();
}

void SummaryView::setVerticalOffset(int offset)
{
    offsetY_ = std::max(0, offset);
    if (followV_)
        viewport()->update();
}

void SummaryView::setFrozenWidth(int width)
{
    if (frozenWidth_ == width)
        return;
    frozenWidth_ = width;
    gridChanged();
}

void SummaryView::setUniformRowHeight(int height)
{
    if (uniformRowHeight_ == height)
        return;
    uniformRowHeight_ = height;
    gridChanged();
}

void SummaryView::setCellIcon(int col, int row, const QIcon& icon)
{
    std::erase_if(icons_, [&](const CellIcon& i) { return i.col == col && i.row == row; });
    if (!icon.isNull())
        icons_.push_back({col, row, icon});
    viewport()->update();
}

void SummaryView::setDropDownCells(int col, int firstRow, int lastRow)
{
    dropCol_ = col;
    dropFirst_ = firstRow;
    dropLast_ = lastRow;
    viewport()->update();
}

void SummaryView::setShowCurrentCell(bool show)
{
    showCurrent_ = show;
    viewport()->update();
}

void SummaryView::setCurrentCell(int col, int row)
{
    if (grid_ == nullptr || !grid_->Contains(col, row))
        return;
    current_ = QPoint(col, row);
    viewport()->update();
}

int SummaryView::neededWidth(int col, int row) const
{
    if (grid_ == nullptr || !grid_->Contains(col, row))
        return 0;
    const SummaryCell& cell = grid_->Cell(col, row);
    const QFontMetrics metrics(cell.bold ? boldFont_ : font_);
    int text = 0;
    for (const QString& line : TextLines(cell.text))
        text = std::max(text, metrics.horizontalAdvance(line));
    int width = 2 * kTextMargin + text + kGridLine;
    for (const CellIcon& icon : icons_)
        if (icon.col == col && icon.row == row)
            width += kIconSize + 1 + kTextMargin;
    return width;
}

void SummaryView::gridChanged()
{
    const int cols = grid_ ? grid_->colCount() : 0;
    const int rows = grid_ ? grid_->rowCount() : 0;
    // Hidden (negative width) columns and rows take no room.
    colX_.assign(static_cast<std::size_t>(cols) + 1, 0);
    for (int c = 0; c < cols; ++c) {
        const int w = c < static_cast<int>(grid_->colWidths.size()) ? grid_->colWidths[c] : 0;
        colX_[c + 1] = colX_[c] + (w < 0 ? 0 : w + kGridLine);
    }
    const int fc = fixedCols();
    if (frozenWidth_ >= 0 && fc > 0) {
        const int delta = std::max(frozenWidth_ - colX_[fc], colX_[fc - 1] - colX_[fc]);
        for (int c = fc; c <= cols; ++c)
            colX_[c] += delta;
    }
    rowY_.assign(static_cast<std::size_t>(rows) + 1, 0);
    for (int r = 0; r < rows; ++r) {
        int h = uniformRowHeight_;
        if (h < 0)
            h = r < static_cast<int>(grid_->rowHeights.size()) ? grid_->rowHeights[r] : 0;
        rowY_[r + 1] = rowY_[r] + (h < 0 ? 0 : h + kGridLine);
    }
    rowMerged_.assign(static_cast<std::size_t>(rows), 0);
    if (grid_ != nullptr)
        for (const CellRect& m : grid_->Merges())
            for (int r = std::max(0, m.top); r <= m.bottom && r < rows; ++r)
                rowMerged_[static_cast<std::size_t>(r)] = 1;
    if (grid_ == nullptr || !grid_->Contains(current_.x(), current_.y()))
        current_ = QPoint(-1, -1);
    updateScrollBars();
    viewport()->update();
}

int SummaryView::fixedCols() const
{
    return grid_ ? std::clamp(grid_->fixedCols(), 0, grid_->colCount()) : 0;
}

int SummaryView::fixedRows() const
{
    return grid_ ? std::clamp(grid_->fixedRows(), 0, grid_->rowCount()) : 0;
}

int SummaryView::hOffset() const
{
    return followH_ ? offsetX_ : horizontalScrollBar()->value();
}

int SummaryView::vOffset() const
{
    return followV_ ? offsetY_ : verticalScrollBar()->value();
}

int SummaryView::colAtContent(int x) const
{
    if (x < 0 || x >= colX_.back())
        return -1;
    return static_cast<int>(std::upper_bound(colX_.begin(), colX_.end(), x) - colX_.begin()) - 1;
}

int SummaryView::rowAtContent(int y) const
{
    if (y < 0 || y >= rowY_.back())
        return -1;
    return static_cast<int>(std::upper_bound(rowY_.begin(), rowY_.end(), y) - rowY_.begin()) - 1;
}

QPoint SummaryView::cellAt(const QPoint& pos) const
{
    if (grid_ == nullptr)
        return {-1, -1};
    const int sx = pos.x() < frozenWidth() ? 0 : hOffset();
    const int sy = pos.y() < frozenHeight() ? 0 : vOffset();
    const int col = colAtContent(pos.x() + sx);
    const int row = rowAtContent(pos.y() + sy);
    if (col < 0 || row < 0)
        return {-1, -1};
    return {col, row};
}

QRect SummaryView::cellRect(int col, int row) const
{
    if (grid_ == nullptr || !grid_->Contains(col, row))
        return {};
    CellRect m{col, row, col, row};
    if (rowMerged_[static_cast<std::size_t>(row)] != 0)
        m = grid_->MergeRect(col, row);
    const int left = std::clamp(m.left, 0, grid_->colCount() - 1);
    const int top = std::clamp(m.top, 0, grid_->rowCount() - 1);
    const int right = std::clamp(m.right, left, grid_->colCount() - 1);
    const int bottom = std::clamp(m.bottom, top, grid_->rowCount() - 1);
    const int w = std::max(0, colX_[right + 1] - colX_[left] - kGridLine);
    const int h = std::max(0, rowY_[bottom + 1] - rowY_[top] - kGridLine);
    return {xOf(left), yOf(top), w, h};
}

void SummaryView::updateScrollBars()
{
    const QSize area = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, followH_ ? 0 : std::max(0, contentWidth() - area.width()));
    h->setPageStep(std::max(1, area.width() - frozenWidth()));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, followV_ ? 0 : std::max(0, contentHeight() - area.height()));
    v->setPageStep(std::max(1, area.height() - frozenHeight()));
}

void SummaryView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void SummaryView::scrollContentsBy(int, int)
{
    // The header bands stay put, so the viewport is repainted rather than scrolled.
    viewport()->update();
}

void SummaryView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    painter.fillRect(QRect(0, 0, vw, vh), palette().color(QPalette::Window));
    if (grid_ == nullptr || grid_->colCount() == 0 || grid_->rowCount() == 0)
        return;

    const int fc = fixedCols();
    const int fr = fixedRows();
    const int fw = std::min(frozenWidth(), vw);
    const int fh = std::min(frozenHeight(), vh);
    const int sx = hOffset();
    const int sy = vOffset();

    const int firstCol = colAtContent(frozenWidth() + sx);
    int col0 = firstCol < 0 ? grid_->colCount() : std::max(fc, firstCol);
    int col1 = colAtContent(vw - 1 + sx);
    if (col1 < 0)
        col1 = grid_->colCount() - 1;
    const int firstRow = rowAtContent(frozenHeight() + sy);
    int row0 = firstRow < 0 ? grid_->rowCount() : std::max(fr, firstRow);
    int row1 = rowAtContent(vh - 1 + sy);
    if (row1 < 0)
        row1 = grid_->rowCount() - 1;

    const QRect scrolling(fw, fh, vw - fw, vh - fh);
    paintRegion(painter, scrolling, col0, col1, row0, row1);
    paintRegion(painter, QRect(fw, 0, vw - fw, fh), col0, col1, 0, fr - 1);
    paintRegion(painter, QRect(0, fh, fw, vh - fh), 0, fc - 1, row0, row1);
    paintRegion(painter, QRect(0, 0, fw, fh), 0, fc - 1, 0, fr - 1);

    if (showCurrent_ && grid_->Contains(current_.x(), current_.y())) {
        painter.save();
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = cellRect(current_.x(), current_.y()).adjusted(1, 1, -1, -1);
        option.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        painter.restore();
    }
}

void SummaryView::paintRegion(QPainter& painter, const QRect& clip, int col0, int col1, int row0,
                              int row1)
{
    if (clip.isEmpty() || col0 > col1 || row0 > row1)
        return;
    painter.save();
    painter.setClipRect(clip);
    std::set<std::pair<int, int>> drawnMerges;
    for (int row = row0; row <= row1; ++row) {
        const bool merged = rowMerged_[static_cast<std::size_t>(row)] != 0;
        for (int col = col0; col <= col1; ++col) {
            if (!merged) {
                paintCell(painter, clip, col, row, cellRect(col, row));
                continue;
            }
            const CellRect m = grid_->MergeRect(col, row);
            if (!grid_->Contains(m.left, m.top) || !drawnMerges.insert({m.left, m.top}).second)
                continue;
            paintCell(painter, clip, m.left, m.top, cellRect(m.left, m.top));
        }
    }
    painter.restore();
}

void SummaryView::paintCell(QPainter& painter, const QRect& clip, int col, int row,
                            const QRect& rect)
{
    const SummaryCell& cell = grid_->Cell(col, row);
    const bool header = col < fixedCols() || row < fixedRows();
    const QPalette& pal = palette();

    QColor background = ToQColor(cell.colour, pal);
    if (!background.isValid())
        background = QColor(Qt::white);
    painter.fillRect(rect, background);
    painter.setPen(header ? pal.color(QPalette::Dark) : kDataGridColour);
    painter.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
    painter.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);

    QRect area = rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    for (const CellIcon& icon : icons_) {
        if (icon.col != col || icon.row != row)
            continue;
        const QRect box(area.left(), rect.top() + (rect.height() - kIconSize) / 2, kIconSize,
                        kIconSize);
        icon.icon.paint(&painter, box);
        area.setLeft(box.right() + 1 + kTextMargin);
    }
    if (col == dropCol_ && row >= dropFirst_ && row <= dropLast_) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = QRect(rect.right() + 1 - kArrowWidth, rect.top(), kArrowWidth,
                            rect.height());
        option.palette.setColor(QPalette::ButtonText, pal.color(QPalette::ButtonText));
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, this);
        area.setRight(std::max(area.left(), option.rect.left() - 1));
    }
    if (cell.text.empty())
        return;

    const std::vector<QString> lines = TextLines(cell.text);
    const QFont& font = cell.bold ? boldFont_ : font_;
    const int lineHeight = QFontMetrics(font).height();
    const int block = lineHeight * static_cast<int>(lines.size());
    // One line sits in the middle of its cell; a block of lines starts at the top.
    int y = lines.size() == 1 ? rect.top() + (rect.height() - lineHeight) / 2
                              : rect.top() + kTextMargin;
    if (block > rect.height())
        y = rect.top();
    QColor colour = header ? pal.color(QPalette::ButtonText) : QColor(Qt::black);
    painter.save();
    painter.setClipRect(rect.intersected(clip));
    painter.setFont(font);
    painter.setPen(colour);
    const Qt::Alignment flags = HorizontalFlag(cell.alignment) | Qt::AlignVCenter;
    for (const QString& line : lines) {
        painter.drawText(QRect(area.left(), y, area.width(), lineHeight), flags, line);
        y += lineHeight;
    }
    painter.restore();
}

void SummaryView::mousePressEvent(QMouseEvent* event)
{
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < 0 || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setCurrentCell(cell.x(), cell.y());
    emit cellPressed(cell.x(), cell.y());
}

void SummaryView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < 0 || event->button() != Qt::LeftButton)
        return;
    emit cellDoubleClicked(cell.x(), cell.y());
}

void SummaryView::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint cell = cellAt(event->pos());
    if (cell.x() >= 0)
        setCurrentCell(cell.x(), cell.y());
    emit cellMenuRequested(cell.x(), cell.y(), event->globalPos());
    event->accept();
}

void SummaryView::wheelEvent(QWheelEvent* event)
{
    // A followed axis belongs to the view it follows.
    const bool vertical = std::abs(event->angleDelta().y()) >= std::abs(event->angleDelta().x());
    if (wheelTarget_ != nullptr && ((vertical && followV_) || (!vertical && followH_))) {
        QWheelEvent copy(event->position(), event->globalPosition(), event->pixelDelta(),
                         event->angleDelta(), event->buttons(), event->modifiers(),
                         event->phase(), event->inverted());
        QApplication::sendEvent(wheelTarget_, &copy);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

bool SummaryView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && grid_ != nullptr) {
        // A text too wide for its cell (a department name) shows in full as the hint.
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint cell = cellAt(help->pos());
        QString tip;
        if (cell.x() >= 0) {
            const CellRect m = grid_->MergeRect(cell.x(), cell.y());
            const SummaryCell& data = grid_->Cell(m.left, m.top);
            const QString text = QString::fromStdString(data.text).trimmed();
            const QFontMetrics metrics(data.bold ? boldFont_ : font_);
            if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) &&
                metrics.horizontalAdvance(text) > cellRect(m.left, m.top).width() - kTextMargin)
                tip = text;
        }
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

} // namespace shiftex

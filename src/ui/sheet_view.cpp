#include "ui/sheet_view.h"

#include "model/sheet_layout.h"
#include "platform/qt_colour.h"
#include "ui/help_topic.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>
#include <optional>
#include <string>
#include <exception>
#include <set>
#include <utility>

namespace shiftex {

namespace {

constexpr int kTextMargin = 2;
constexpr int kCommentMark = 6;
constexpr int kWarningMark = 8;
const QColor kWarningColour(220, 0, 0);
constexpr int kScrollStep = 16;
const QColor kDayGridColour(192, 192, 192);
const QColor kSeparatorColour(0, 0, 0);
constexpr int kHandleSize = 5;

// The key codes the editing session knows; 0 for any other key.
int SessionKeyCode(const QKeyEvent& event)
{
    const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return key::Enter;
    case Qt::Key_Control:
        return key::Ctrl;
    case Qt::Key_Escape:
        return key::Escape;
    case Qt::Key_Delete:
        return key::Delete;
    case Qt::Key_Plus:
        return keypad ? key::NumPlus : 0;
    case Qt::Key_Minus:
        return keypad ? key::NumMinus : 0;
    case Qt::Key_F1:
        return key::F1;
    default:
        return 0;
    }
}

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

std::pair<int, int> ButtonSize(const CellGraphic& graphic)
{
    int w = graphic.index & 0xFFFF;
    int h = (graphic.index >> 16) & 0xFFFF;
    return {w > 0 ? w : kExtendButtonSize, h > 0 ? h : kExtendButtonSize};
}

} // namespace

QFont SheetFont(const ScheduleDocument& document, QFont base)
{
    const ScheduleSheet& sheet = document.sheet;
    const std::string& family = sheet.fontName.empty() ? document.fontName : sheet.fontName;
    if (!family.empty())
        base.setFamily(QString::fromStdString(family));
    // A face this machine lacks falls back to a plain sans serif face.
    base.setStyleHint(QFont::SansSerif);
    if (sheet.fontSize > 0)
        base.setPointSize(sheet.fontSize);
    return base;
}

SheetView::SheetView(ScheduleSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), session_(&session)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
    sheetChanged();
}

void SheetView::sheetChanged()
{
    const ScheduleDocument& document = session_->document();
    const ScheduleSheet& sheet = document.sheet;

    sheetFont_ = SheetFont(document, font());
    boldFont_ = sheetFont_;
    boldFont_.setBold(true);
    lineHeight_ = std::max(QFontMetrics(sheetFont_).height(), QFontMetrics(boldFont_).height());

    Colour colour = clNone;
    if (!TryStringToColor(document.fontColour, colour))
        colour = clNone;
    dayTextColour_ = ToQColor(colour, palette());
    if (!dayTextColour_.isValid())
        dayTextColour_ = ToQColor(sheet.fontColour, palette());
    if (!dayTextColour_.isValid())
        dayTextColour_ = palette().color(QPalette::Text);

    // Hidden (negative width) columns and rows take no room, not even a grid line.
    colX_.assign(static_cast<std::size_t>(sheet.colCount()) + 1, 0);
    for (int c = 0; c < sheet.colCount(); ++c) {
        const int w = sheet.ColWidth(c);
        colX_[c + 1] = colX_[c] + (w < 0 ? 0 : w + kGridLine);
    }
    rowY_.assign(static_cast<std::size_t>(sheet.rowCount()) + 1, 0);
    for (int r = 0; r < sheet.rowCount(); ++r) {
        const int h = sheet.RowHeight(r);
        rowY_[r + 1] = rowY_[r] + (h < 0 ? 0 : h + kGridLine);
    }

    if (!sheet.Contains(anchor_.x(), anchor_.y()))
        anchor_ = QPoint(-1, -1);
    pressedButton_ = QPoint(-1, -1);
    updateScrollBars();
    viewport()->update();
}

int SheetView::fixedCols() const
{
    const ScheduleSheet& sheet = session_->document().sheet;
    return std::clamp(sheet.fixedCols, 0, sheet.colCount());
}

int SheetView::fixedRows() const
{
    const ScheduleSheet& sheet = session_->document().sheet;
    return std::clamp(sheet.fixedRows, 0, sheet.rowCount());
}

int SheetView::xOf(int col) const
{
    return colX_[col] - (col >= fixedCols() ? horizontalScrollBar()->value() : 0);
}

int SheetView::yOf(int row) const
{
    return rowY_[row] - (row >= fixedRows() ? verticalScrollBar()->value() : 0);
}

int SheetView::colAtContent(int x) const
{
    if (x < 0 || x >= colX_.back())
        return -1;
    return static_cast<int>(std::upper_bound(colX_.begin(), colX_.end(), x) - colX_.begin()) - 1;
}

int SheetView::rowAtContent(int y) const
{
    if (y < 0 || y >= rowY_.back())
        return -1;
    return static_cast<int>(std::upper_bound(rowY_.begin(), rowY_.end(), y) - rowY_.begin()) - 1;
}

QPoint SheetView::cellAt(const QPoint& pos) const
{
    const int sx = pos.x() < frozenWidth() ? 0 : horizontalScrollBar()->value();
    const int sy = pos.y() < frozenHeight() ? 0 : verticalScrollBar()->value();
    const int col = colAtContent(pos.x() + sx);
    const int row = rowAtContent(pos.y() + sy);
    if (col < 0 || row < 0)
        return {-1, -1};
    return {col, row};
}

QRect SheetView::cellRect(int col, int row) const
{
    const ScheduleSheet& sheet = session_->document().sheet;
    if (!sheet.Contains(col, row))
        return {};
    const CellRect m = sheet.MergeRect(col, row);
    const int left = std::clamp(m.left, 0, sheet.colCount() - 1);
    const int top = std::clamp(m.top, 0, sheet.rowCount() - 1);
    const int right = std::clamp(m.right, left, sheet.colCount() - 1);
    const int bottom = std::clamp(m.bottom, top, sheet.rowCount() - 1);
    const int w = std::max(0, colX_[right + 1] - colX_[left] - kGridLine);
    const int h = std::max(0, rowY_[bottom + 1] - rowY_[top] - kGridLine);
    return {xOf(left), yOf(top), w, h};
}

QRect SheetView::buttonRect(int col, int row) const
{
    const ScheduleSheet& sheet = session_->document().sheet;
    if (!sheet.Contains(col, row) || !sheet.HasButton(col, row))
        return {};
    const CellGraphic* graphic = sheet.Graphic(col, row);
    if (graphic == nullptr)
        return {};
    const QRect cell = cellRect(col, row);
    const auto [bw, bh] = ButtonSize(*graphic);
    const int w = std::min(bw, cell.width());
    const int h = std::min(bh, cell.height());
    return {cell.right() + 1 - w, cell.top() + (cell.height() - h) / 2, w, h};
}

void SheetView::updateScrollBars()
{
    const QSize area = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, colX_.back() - area.width()));
    h->setPageStep(std::max(1, area.width() - frozenWidth()));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, rowY_.back() - area.height()));
    v->setPageStep(std::max(1, area.height() - frozenHeight()));
}

void SheetView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void SheetView::scrollContentsBy(int, int)
{
    // The frozen bands must stay put, so the viewport is repainted rather than scrolled.
    viewport()->update();
}

void SheetView::paintEvent(QPaintEvent*)
{
    const ScheduleSheet& sheet = session_->document().sheet;
    QPainter painter(viewport());
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    painter.fillRect(QRect(0, 0, vw, vh), palette().color(QPalette::Base));
    if (sheet.colCount() == 0 || sheet.rowCount() == 0)
        return;

    const int fc = fixedCols();
    const int fr = fixedRows();
    const int fw = std::min(frozenWidth(), vw);
    const int fh = std::min(frozenHeight(), vh);
    const int sx = horizontalScrollBar()->value();
    const int sy = verticalScrollBar()->value();

    int col0 = std::max(fc, colAtContent(frozenWidth() + sx));
    int col1 = colAtContent(vw - 1 + sx);
    if (col1 < 0)
        col1 = sheet.colCount() - 1;
    if (colAtContent(frozenWidth() + sx) < 0)
        col0 = sheet.colCount();
    int row0 = std::max(fr, rowAtContent(frozenHeight() + sy));
    int row1 = rowAtContent(vh - 1 + sy);
    if (row1 < 0)
        row1 = sheet.rowCount() - 1;
    if (rowAtContent(frozenHeight() + sy) < 0)
        row0 = sheet.rowCount();

    const QRect scrolling(fw, fh, vw - fw, vh - fh);
    paintRegion(painter, scrolling, col0, col1, row0, row1);
    paintRegion(painter, QRect(fw, 0, vw - fw, fh), col0, col1, 0, fr - 1);
    paintRegion(painter, QRect(0, fh, fw, vh - fh), 0, fc - 1, row0, row1);
    paintRegion(painter, QRect(0, 0, fw, fh), 0, fc - 1, 0, fr - 1);

    const QPoint current = currentCell();
    if (session_->editState().selectionShown)
        paintSelection(painter, scrolling);
    if (rowDragging_)
        paintDropMark(painter);
    if (sheet.Contains(current.x(), current.y())) {
        painter.save();
        painter.setClipRect(current.x() < fc || current.y() < fr ? QRect(0, 0, vw, vh)
                                                                 : scrolling);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = cellRect(current.x(), current.y()).adjusted(1, 1, -1, -1);
        option.backgroundColor = Qt::white;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        painter.restore();
    }
}

void SheetView::paintRegion(QPainter& painter, const QRect& clip, int col0, int col1, int row0,
                            int row1)
{
    if (clip.isEmpty() || col0 > col1 || row0 > row1)
        return;
    const ScheduleSheet& sheet = session_->document().sheet;
    painter.save();
    painter.setClipRect(clip);
    std::set<std::pair<int, int>> drawnMerges;
    for (int row = row0; row <= row1; ++row) {
        for (int col = col0; col <= col1; ++col) {
            const CellRect m = sheet.MergeRect(col, row);
            if (m.left == m.right && m.top == m.bottom) {
                paintCell(painter, clip, col, row, cellRect(col, row));
                continue;
            }
            if (!sheet.Contains(m.left, m.top) || !drawnMerges.insert({m.left, m.top}).second)
                continue;
            paintCell(painter, clip, m.left, m.top, cellRect(m.left, m.top));
        }
    }
    painter.restore();
}

void SheetView::paintCell(QPainter& painter, const QRect& clip, int col, int row,
                          const QRect& rect)
{
    const ScheduleSheet& sheet = session_->document().sheet;
    const bool header = col < fixedCols() || row < fixedRows();
    const QPalette& pal = palette();

    QColor background = ToQColor(sheet.BrushColor(col, row), pal);
    if (!background.isValid())
        background = header ? pal.color(QPalette::Button) : QColor(Qt::white);
    painter.fillRect(rect, background);

    painter.setPen(header ? pal.color(QPalette::Dark) : kDayGridColour);
    painter.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
    painter.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
    // Employees of one group stand together between lines; in the department view a line closes
    // each day.
    if (row >= fixedRows()) {
        painter.setPen(kSeparatorColour);
        if (session_->sheetMarks().GroupLineAbove(col, row))
            painter.drawLine(rect.left() - 1, rect.top() - 1, rect.right() + 1, rect.top() - 1);
        else if (session_->sheetMarks().DayLineRight(col, row))
            painter.drawLine(rect.right() + 1, rect.top() - 1, rect.right() + 1,
                             rect.bottom() + 1);
    }

    const CellGraphic* graphic = sheet.Graphic(col, row);
    const QRect button = buttonRect(col, row);
    const std::string& text = sheet.Text(col, row);
    if (!text.empty()) {
        const CellProperties* props = sheet.PropsIfAny(col, row);
        QFont font = sheet.IsBold(col, row) ? boldFont_ : sheetFont_;
        if (props != nullptr && (props->fontStyle & (fontstyle::Italic | fontstyle::Underline |
                                                     fontstyle::StrikeOut)) != 0) {
            font.setItalic((props->fontStyle & fontstyle::Italic) != 0);
            font.setUnderline((props->fontStyle & fontstyle::Underline) != 0);
            font.setStrikeOut((props->fontStyle & fontstyle::StrikeOut) != 0);
        }
        QColor colour = ToQColor(sheet.FontColor(col, row), pal);
        if (!colour.isValid())
            colour = header ? pal.color(QPalette::ButtonText) : dayTextColour_;

        QRect area = rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
        if (!button.isEmpty())
            area.setRight(std::max(area.left(), button.left() - kTextMargin));
        // A centred title over many columns (a month in the department view is wider than
        // the window) stays readable: it is centred over the part that can be seen.
        const CellRect merge = sheet.MergeRect(col, row);
        if (merge.right > merge.left && sheet.Alignment(col, row) == HAlignment::Center) {
            area.setLeft(std::max(area.left(), clip.left() + kTextMargin));
            area.setRight(std::min(area.right(), clip.right() - kTextMargin));
        }
        const std::vector<std::string> lines = SplitCellLines(text);
        const int lineHeight = lineHeight_;
        const int blockHeight = lineHeight * static_cast<int>(lines.size());
        int y = rect.top() + kTextMargin;
        if (props != nullptr && props->vAlignment == VAlignment::Center)
            y = rect.top() + (rect.height() - blockHeight) / 2;
        else if (props != nullptr && props->vAlignment == VAlignment::Bottom)
            y = rect.bottom() + 1 - kTextMargin - blockHeight;

        painter.save();
        painter.setClipRect(rect.intersected(clip));
        painter.setFont(font);
        painter.setPen(colour);
        const Qt::Alignment flags = HorizontalFlag(sheet.Alignment(col, row)) | Qt::AlignVCenter;
        for (const std::string& line : lines) {
            painter.drawText(QRect(area.left(), y, area.width(), lineHeight), flags,
                             QString::fromStdString(line));
            y += lineHeight;
        }
        painter.restore();
    }

    // A working-time warning marks the opposite corner, so that a comment still shows.
    if (warnings_ != nullptr && warnings_->Marked(col, row)) {
        const QPoint corner = rect.topLeft();
        const QPoint mark[] = {corner, corner + QPoint(kWarningMark, 0),
                               corner + QPoint(0, kWarningMark)};
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(kWarningColour);
        painter.drawPolygon(mark, 3);
        painter.restore();
    }
    if (graphic != nullptr && graphic->kind == GraphicKind::Comment) {
        const QPoint corner(rect.right() + 1, rect.top());
        const QPoint mark[] = {corner, corner + QPoint(-kCommentMark, 0),
                               corner + QPoint(0, kCommentMark)};
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        painter.drawPolygon(mark, 3);
        painter.restore();
    }
    if (!button.isEmpty())
        paintButton(painter, col, row, button);
}

void SheetView::paintButton(QPainter& painter, int col, int row, const QRect& rect)
{
    const CellGraphic* graphic = session_->document().sheet.Graphic(col, row);
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = rect;
    const bool down = buttonDown_ && pressedButton_ == QPoint(col, row);
    option.state |= QStyle::State_Enabled | (down ? QStyle::State_Sunken : QStyle::State_Raised);
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    const QString caption = graphic != nullptr && !graphic->text.empty()
                                ? QString::fromStdString(graphic->text)
                                : QString::fromUtf8(kExtendButtonCaption);
    painter.save();
    painter.setFont(sheetFont_);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, caption);
    painter.restore();
}

QPoint SheetView::currentCell() const
{
    const EditState& edit = session_->editState();
    return {edit.currentCol, edit.currentRow};
}

void SheetView::setCurrentCell(int col, int row)
{
    const ScheduleSheet& sheet = session_->document().sheet;
    if (!sheet.Contains(col, row) || col < fixedCols() || row < fixedRows())
        return;
    if (currentCell() == QPoint(col, row))
        return;
    session_->selections().SetCurrentCell(col, row);
    viewport()->update();
    emit currentCellChanged(col, row);
}

void SheetView::scrollToCell(int col, int row)
{
    const ScheduleSheet& sheet = session_->document().sheet;
    if (!sheet.Contains(col, row))
        return;
    const CellRect m = sheet.MergeRect(col, row);
    const auto reveal = [](QScrollBar* bar, int first, int last, int area) {
        if (first < bar->value())
            bar->setValue(first);
        else if (last > bar->value() + area)
            bar->setValue(std::min(first, last - area));
    };
    if (col >= fixedCols()) {
        const int right = std::min(m.right, sheet.colCount() - 1);
        reveal(horizontalScrollBar(), colX_[m.left] - frozenWidth(),
               colX_[right + 1] - frozenWidth(), viewport()->width() - frozenWidth());
    }
    if (row >= fixedRows()) {
        const int bottom = std::min(m.bottom, sheet.rowCount() - 1);
        reveal(verticalScrollBar(), rowY_[m.top] - frozenHeight(),
               rowY_[bottom + 1] - frozenHeight(), viewport()->height() - frozenHeight());
    }
}

void SheetView::moveCurrent(int dCol, int dRow)
{
    const ScheduleSheet& sheet = session_->document().sheet;
    const QPoint current = currentCell();
    if (!sheet.Contains(current.x(), current.y()))
        return;
    // A step leaves a merged block over its far edge.
    const CellRect m = sheet.MergeRect(current.x(), current.y());
    int col = current.x();
    int row = current.y();
    if (dCol > 0)
        col = m.right + dCol;
    else if (dCol < 0)
        col = m.left + dCol;
    if (dRow > 0)
        row = m.bottom + dRow;
    else if (dRow < 0)
        row = m.top + dRow;
    col = std::clamp(col, fixedCols(), sheet.colCount() - 1);
    row = std::clamp(row, fixedRows(), sheet.rowCount() - 1);
    setCurrentCell(col, row);
    scrollToCell(col, row);
}

void SheetView::syncCtrl(Qt::KeyboardModifiers modifiers)
{
    const bool down = (modifiers & Qt::ControlModifier) != 0;
    if (down == session_->flags().ctrlHeld)
        return;
    if (down)
        session_->sheetEdits().KeyDown(key::Ctrl);
    else
        session_->sheetEdits().KeyUp(key::Ctrl);
}

bool SheetView::event(QEvent* event)
{
    // F1 on the sheet is the sheet's own help page, not the main window's contents.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void SheetView::keyPressEvent(QKeyEvent* event)
{
    const int code = SessionKeyCode(*event);
    if (code == key::Ctrl) {
        if (!event->isAutoRepeat()) {
            session_->sheetEdits().KeyDown(key::Ctrl);
            viewport()->update();
        }
        event->accept();
        return;
    }
    // Every other key lets go of Ctrl first, then does its own work.
    if (const std::optional<std::string> topic = session_->sheetEdits().KeyDown(code))
        ShowHelpTopic(*topic);
    if (code != 0) {
        event->accept();
        if (code != key::F1) {
            viewport()->update();
            emit edited();
        }
        return;
    }

    const ScheduleSheet& sheet = session_->document().sheet;
    const int pageRows = std::max(1, (viewport()->height() - frozenHeight()) / kDefaultRowHeight);
    switch (event->key()) {
    case Qt::Key_Left:
        moveCurrent(-1, 0);
        break;
    case Qt::Key_Right:
        moveCurrent(1, 0);
        break;
    case Qt::Key_Up:
        moveCurrent(0, -1);
        break;
    case Qt::Key_Down:
        moveCurrent(0, 1);
        break;
    case Qt::Key_PageUp:
        moveCurrent(0, -pageRows);
        break;
    case Qt::Key_PageDown:
        moveCurrent(0, pageRows);
        break;
    case Qt::Key_Home:
        moveCurrent(-sheet.colCount(), 0);
        break;
    case Qt::Key_End:
        moveCurrent(sheet.colCount(), 0);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SheetView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control && !event->isAutoRepeat())
        session_->sheetEdits().KeyUp(key::Ctrl);
    QAbstractScrollArea::keyReleaseEvent(event);
}

void SheetView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const QPoint cell = cellAt(pos);
    if (cell.x() < 0)
        return;
    const CellRect m = session_->document().sheet.MergeRect(cell.x(), cell.y());
    if (buttonRect(m.left, m.top).contains(pos)) {
        pressedButton_ = QPoint(m.left, m.top);
        buttonDown_ = true;
        viewport()->update();
        return;
    }
    emit cellClicked(cell.x(), cell.y());
    if (cell.x() == 1 && cell.y() >= fixedRows()) {
        rowPress_ = pos;
        dragRow_ = cell.y();
        dropRow_ = -1;
        rowDragging_ = false;
    }
    if (!IsDayCell(session_->document().sheet, cell.x(), cell.y())) {
        setCurrentCell(cell.x(), cell.y());
        return;
    }
    syncCtrl(event->modifiers());
    if (session_->flags().ctrlHeld) {
        // With Ctrl the click only selects; a drag from here builds the rectangle.
        session_->sheetEdits().ClickCell(cell.x(), cell.y());
        session_->selections().SetCurrentCell(cell.x(), cell.y());
        session_->selections().SetSelection({cell.x(), cell.y(), cell.x(), cell.y()}, true);
        anchor_ = cell;
        viewport()->update();
        emit currentCellChanged(cell.x(), cell.y());
        emit edited();
        return;
    }
    anchor_ = QPoint(-1, -1);
    session_->sheetEdits().ClickCell(cell.x(), cell.y());
    sheetChanged();
    emit currentCellChanged(cell.x(), cell.y());
    emit edited();
}

void SheetView::mouseMoveEvent(QMouseEvent* event)
{
    if (dragRow_ >= 0 && (event->buttons() & Qt::LeftButton) != 0) {
        const QPoint pos = event->position().toPoint();
        if (!rowDragging_ &&
            (pos - rowPress_).manhattanLength() >= QApplication::startDragDistance()) {
            rowDragging_ = true;
            viewport()->setCursor(Qt::SizeVerCursor);
        }
        if (rowDragging_) {
            const int row = employeeRowAt(pos.y());
            if (row != dropRow_) {
                dropRow_ = row;
                viewport()->update();
            }
        }
        return;
    }
    if (anchor_.x() >= 0 && (event->buttons() & Qt::LeftButton) != 0) {
        const QPoint cell = cellAt(event->position().toPoint());
        if (IsDayCell(session_->document().sheet, cell.x(), cell.y())) {
            session_->selections().SetSelection({anchor_.x(), anchor_.y(), cell.x(), cell.y()},
                                                true);
            viewport()->update();
        }
        return;
    }
    if (pressedButton_.x() < 0)
        return;
    const bool down =
        buttonRect(pressedButton_.x(), pressedButton_.y()).contains(event->position().toPoint());
    if (down != buttonDown_) {
        buttonDown_ = down;
        viewport()->update();
    }
}

void SheetView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        anchor_ = QPoint(-1, -1);
        const int from = dragRow_;
        const int to = dropRow_;
        const bool dragged = rowDragging_;
        dragRow_ = -1;
        dropRow_ = -1;
        if (dragged) {
            rowDragging_ = false;
            viewport()->unsetCursor();
            viewport()->update();
            if (to >= 0 && to != from)
                emit employeeRowDragged(from, to);
            return;
        }
    }
    if (pressedButton_.x() < 0 || event->button() != Qt::LeftButton)
        return;
    const QPoint button = pressedButton_;
    const bool hit = buttonRect(button.x(), button.y()).contains(event->position().toPoint());
    pressedButton_ = QPoint(-1, -1);
    buttonDown_ = false;
    viewport()->update();
    if (hit)
        emit extendButtonClicked(button.x(), button.y());
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const QPoint cell = cellAt(pos);
    const ScheduleSheet& sheet = session_->document().sheet;
    if (cell.x() == 0 && cell.y() >= fixedRows()) {
        emit groupColourRequested(cell.y());
        return;
    }
    if (cell.x() >= fixedCols() && cell.y() >= 0 && cell.y() < fixedRows()) {
        const CellRect m = sheet.MergeRect(cell.x(), cell.y());
        if (!buttonRect(m.left, m.top).contains(pos))
            emit headerDoubleClicked(cell.x(), cell.y());
        return;
    }
    // On a day cell the second click of a double-click is a click of its own.
    mousePressEvent(event);
}

void SheetView::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint cell = cellAt(event->pos());
    emit contextMenuRequested(cell.x(), cell.y(), event->globalPos());
    event->accept();
}

void SheetView::paintSelection(QPainter& painter, const QRect& clip)
{
    const CellRect s = session_->editState().selection;
    const ScheduleSheet& sheet = session_->document().sheet;
    if (!sheet.Contains(s.left, s.top) || !sheet.Contains(s.right, s.bottom))
        return;
    const QRect area = cellRect(s.left, s.top).united(cellRect(s.right, s.bottom));
    QColor highlight = palette().color(QPalette::Highlight);
    painter.save();
    painter.setClipRect(clip);
    QColor fill = highlight;
    fill.setAlpha(60);
    painter.fillRect(area, fill);
    painter.setPen(QPen(highlight, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    // The handles at the corners.
    painter.setPen(Qt::NoPen);
    painter.setBrush(highlight);
    for (const QPoint corner : {area.topLeft(), area.topRight(), area.bottomLeft(),
                                area.bottomRight()})
        painter.drawRect(QRect(corner - QPoint(kHandleSize / 2, kHandleSize / 2),
                               QSize(kHandleSize, kHandleSize)));
    painter.restore();
}

int SheetView::employeeRowAt(int y) const
{
    const ScheduleSheet& sheet = session_->document().sheet;
    const int first = fixedRows();
    const int last = sheet.rowCount() - 1;
    if (first > last)
        return -1;
    if (y < frozenHeight())
        return first;
    const int row = rowAtContent(y + verticalScrollBar()->value());
    return row < 0 ? last : std::clamp(row, first, last);
}

// Where the dragged row would land: above the target row when it moves up, below it when it
// moves down.
void SheetView::paintDropMark(QPainter& painter)
{
    if (dragRow_ < 0 || dropRow_ < 0 || dropRow_ == dragRow_)
        return;
    const QRect target = cellRect(1, dropRow_);
    const int y = dropRow_ < dragRow_ ? target.top() - 1 : target.bottom() + 1;
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
    painter.drawLine(0, y, std::min(viewport()->width(), contentWidth()), y);
    painter.restore();
}

QString SheetView::headerTip(int col) const
{
    try {
        const std::string name = HolidayNameOfColumn(session_->document(), col);
        if (!name.empty())
            return QString::fromStdString(name);
        const Date date = session_->document().DayOfColumn(col);
        if (IsWeekend(date.day, date.month, date.year))
            return QStringLiteral("WeekEnd");
    } catch (const std::exception&) {
        // A column without a readable date has no tip.
    }
    return {};
}

QString SheetView::hintAt(const QPoint& pos) const
{
    const QPoint cell = cellAt(pos);
    if (cell.x() < 0)
        return {};
    const ScheduleSheet& sheet = session_->document().sheet;
    const CellRect m = sheet.MergeRect(cell.x(), cell.y());
    QString hint = QString::fromStdString(session_->sheetMarks().CellHint(cell.x(), cell.y()));
    const bool dayHeader = cell.x() >= fixedCols() && cell.y() < fixedRows();
    if (hint.isEmpty() && dayHeader)
        hint = headerTip(cell.x());
    // A comment shows as the hint of its cell, above the day's own hint.
    if (sheet.Contains(m.left, m.top)) {
        const QString comment = QString::fromStdString(sheet.Comment(m.left, m.top));
        if (!comment.isEmpty())
            hint = hint.isEmpty() ? comment : comment + QLatin1Char('\n') + hint;
    }
    // The working-time warnings of the cell come last.
    if (warnings_ != nullptr) {
        const QString warning = QString::fromStdString(warnings_->Hint(cell.x(), cell.y()));
        if (!warning.isEmpty())
            hint = hint.isEmpty() ? warning : hint + QLatin1Char('\n') + warning;
    }
    return hint;
}

bool SheetView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = hintAt(help->pos());
        const QPoint cell = cellAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), cellRect(cell.x(), cell.y()),
                               session_->sheetMarks().HintDisplayTime());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

} // namespace shiftex

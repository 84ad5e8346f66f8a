#pragma once

#include "editing/schedule_session.h"
#include "model/schedule_document.h"
#include "summaries/working_time_warnings.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <vector>

class QPainter;

namespace shiftex {

// The font a document's sheet is drawn in: its face and size over the given base font.
QFont SheetFont(const ScheduleDocument& document, QFont base);

// Draws the sheet of one open schedule: header rows and name columns stay in place, the days
// scroll horizontally and the employees vertically. Only the visible cells are painted; their
// range is found in prefix sums of the column widths and row heights, rebuilt by sheetChanged().
// Clicks and keys go to the schedule's editing session; what needs a dialog or a menu is handed
// on to the window through signals.
class SheetView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit SheetView(ScheduleSession& session, QWidget* parent = nullptr);

    ScheduleDocument& document() const { return session_->document(); }
    ScheduleSession& session() const { return *session_; }

    // Cells as (column, row) points; the current cell is the session's.
    QPoint currentCell() const;
    void setCurrentCell(int col, int row);
    // The cell under a viewport position; (-1, -1) outside the sheet.
    QPoint cellAt(const QPoint& pos) const;
    // The viewport rectangle of a cell or of the merge it belongs to, grid line excluded.
    QRect cellRect(int col, int row) const;
    // The viewport rectangle of a cell's "»" button; empty when the cell has none.
    QRect buttonRect(int col, int row) const;
    void scrollToCell(int col, int row);

    QFont sheetFont() const { return sheetFont_; }
    // Width of the name columns and height of the header rows, grid lines included.
    int frozenWidth() const { return colX_[fixedCols()]; }
    int frozenHeight() const { return rowY_[fixedRows()]; }
    int contentWidth() const { return colX_.back(); }
    int contentHeight() const { return rowY_.back(); }
    // The text of the hint shown over a viewport position.
    QString hintAt(const QPoint& pos) const;
    // The working-time warnings whose cells carry a corner mark and a hint; null for none.
    void setWarnings(const WorkingTimeWarnings* warnings) { warnings_ = warnings; }
    // Width of the grid lines between cells.
    static constexpr int kGridLine = 1;

public slots:
    // Call after anything in the sheet changed: sizes, texts, attributes.
    void sheetChanged();

signals:
    void cellClicked(int col, int row);
    void currentCellChanged(int col, int row);
    void extendButtonClicked(int col, int row);
    // A click or key ran an editing command: the window refreshes what depends on it.
    void edited();
    void contextMenuRequested(int col, int row, const QPoint& globalPos);
    void groupColourRequested(int row);
    void headerDoubleClicked(int col, int row);
    // An employee's name (column 1) was dragged from row `from` and dropped on row `to`.
    void employeeRowDragged(int from, int to);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    int fixedCols() const;
    int fixedRows() const;
    int xOf(int col) const;
    int yOf(int row) const;
    // The column or row holding a content position; -1 outside.
    int colAtContent(int x) const;
    int rowAtContent(int y) const;
    void updateScrollBars();
    void paintRegion(QPainter& painter, const QRect& clip, int col0, int col1, int row0,
                     int row1);
    void paintCell(QPainter& painter, const QRect& clip, int col, int row, const QRect& rect);
    void paintButton(QPainter& painter, int col, int row, const QRect& rect);
    void paintSelection(QPainter& painter, const QRect& clip);
    // The Ctrl flag as the keyboard holds it now (a release may have gone to another window).
    void syncCtrl(Qt::KeyboardModifiers modifiers);
    void moveCurrent(int dCol, int dRow);
    QString headerTip(int col) const;
    // The employee row under a viewport height, clamped to the employee rows.
    int employeeRowAt(int y) const;
    void paintDropMark(QPainter& painter);

    ScheduleSession* session_;
    const WorkingTimeWarnings* warnings_ = nullptr;
    std::vector<int> colX_;  // colX_[c]: left edge of column c in content pixels; size cols + 1
    std::vector<int> rowY_;
    QFont sheetFont_;
    QFont boldFont_;
    QColor dayTextColour_;
    int lineHeight_ = 0;
    QPoint anchor_{-1, -1};  // where a Ctrl drag started
    QPoint pressedButton_{-1, -1};
    bool buttonDown_ = false;
    // A name being dragged to another row: where it was pressed, its row, the row it would go
    // to; dragging starts once the mouse has moved far enough.
    QPoint rowPress_;
    int dragRow_ = -1;
    int dropRow_ = -1;
    bool rowDragging_ = false;
};

} // namespace shiftex

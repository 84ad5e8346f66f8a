#pragma once

#include "model/schedule_document.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <vector>

class QPainter;

namespace shiftex {

// The font a document's sheet is drawn in: its face and size over the given base font.
QFont SheetFont(const ScheduleDocument& document, QFont base);

// Draws the sheet of one document: header rows and name columns stay in place, the days scroll
// horizontally and the employees vertically. Only the visible cells are painted; their range is
// found in prefix sums of the column widths and row heights, rebuilt by sheetChanged().
class SheetView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit SheetView(ScheduleDocument& document, QWidget* parent = nullptr);

    ScheduleDocument& document() const { return *document_; }

    // Cells as (column, row) points.
    QPoint currentCell() const { return current_; }
    void setCurrentCell(int col, int row);
    // The cell under a viewport position; (-1, -1) outside the sheet.
    QPoint cellAt(const QPoint& pos) const;
    // The viewport rectangle of a cell or of the merge it belongs to, grid line excluded.
    QRect cellRect(int col, int row) const;
    // The viewport rectangle of a cell's "»" button; empty when the cell has none.
    QRect buttonRect(int col, int row) const;
    void scrollToCell(int col, int row);

    QFont sheetFont() const { return sheetFont_; }
    // Width of the grid lines between cells.
    static constexpr int kGridLine = 1;

public slots:
    // Call after anything in the sheet changed: sizes, texts, attributes.
    void sheetChanged();

signals:
    void cellClicked(int col, int row);
    void currentCellChanged(int col, int row);
    void extendButtonClicked(int col, int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    int fixedCols() const;
    int fixedRows() const;
    int frozenWidth() const { return colX_[fixedCols()]; }
    int frozenHeight() const { return rowY_[fixedRows()]; }
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
    void moveCurrent(int dCol, int dRow);
    QString headerTip(int col) const;

    ScheduleDocument* document_;
    std::vector<int> colX_;  // colX_[c]: left edge of column c in content pixels; size cols + 1
    std::vector<int> rowY_;
    QFont sheetFont_;
    QFont boldFont_;
    QColor dayTextColour_;
    int lineHeight_ = 0;
    QPoint current_{-1, -1};
    QPoint pressedButton_{-1, -1};
    bool buttonDown_ = false;
};

} // namespace shiftex

#pragma once

#include "summaries/summary_grid.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QIcon>
#include <QPoint>
#include <QRect>

#include <vector>

namespace shiftex {

// Draws one summary grid: its texts, cell colours, bold cells and merged blocks. Header rows and
// columns stay in place. Either axis scrolls by itself or follows another view (the sheet): then
// its scroll bar is hidden, the offset is set from outside and wheel turns go to that view. Only
// the visible cells are painted; the grid is read where it lies, never copied.
class SummaryView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit SummaryView(QWidget* parent = nullptr);

    // The grid to draw; null draws nothing. It must outlive the view or be set again.
    void setGrid(const SummaryGrid* grid);
    const SummaryGrid* grid() const { return grid_; }
    void setCellFont(const QFont& font);

    void setFollowHorizontal(bool follow);
    void setFollowVertical(bool follow);
    void setHorizontalOffset(int offset);
    void setVerticalOffset(int offset);
    void setWheelTarget(QWidget* target) { wheelTarget_ = target; }
    // The header columns together take this many pixels (the last one gives or takes the
    // difference), so that the day columns start where the sheet's do; -1 for their own widths.
    void setFrozenWidth(int width);
    // Every row this tall, whatever the grid says; -1 for the grid's heights.
    void setUniformRowHeight(int height);
    // A picture drawn at the left of one cell (the lock buttons).
    void setCellIcon(int col, int row, const QIcon& icon);
    // Column `col` of the rows first to last shows a drop-down arrow (a chooser).
    void setDropDownCells(int col, int firstRow, int lastRow);
    void setShowCurrentCell(bool show);

    QPoint currentCell() const { return current_; }
    void setCurrentCell(int col, int row);
    // The cell under a viewport position; (-1, -1) outside the grid.
    QPoint cellAt(const QPoint& pos) const;
    // The viewport rectangle of a cell or of its merged block, grid line excluded.
    QRect cellRect(int col, int row) const;
    // The width a cell needs to show its text in full, with its margins and picture.
    int neededWidth(int col, int row) const;
    // Width and height of the whole grid with its lines.
    int contentWidth() const { return colX_.empty() ? 0 : colX_.back(); }
    int contentHeight() const { return rowY_.empty() ? 0 : rowY_.back(); }

    static constexpr int kGridLine = 1;

public slots:
    // Call after the grid changed its size, widths, heights or merges; texts and colours alone
    // need only update().
    void gridChanged();

signals:
    void cellPressed(int col, int row);
    void cellDoubleClicked(int col, int row);
    void cellMenuRequested(int col, int row, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    int fixedCols() const;
    int fixedRows() const;
    int frozenWidth() const { return colX_[fixedCols()]; }
    int frozenHeight() const { return rowY_[fixedRows()]; }
    int hOffset() const;
    int vOffset() const;
    int xOf(int col) const { return colX_[col] - (col >= fixedCols() ? hOffset() : 0); }
    int yOf(int row) const { return rowY_[row] - (row >= fixedRows() ? vOffset() : 0); }
    int colAtContent(int x) const;
    int rowAtContent(int y) const;
    void updateScrollBars();
    void paintRegion(QPainter& painter, const QRect& clip, int col0, int col1, int row0,
                     int row1);
    void paintCell(QPainter& painter, const QRect& clip, int col, int row, const QRect& rect);

    const SummaryGrid* grid_ = nullptr;
    std::vector<int> colX_{0};
    std::vector<int> rowY_{0};
    std::vector<char> rowMerged_;  // rows that take part in a merged block
    QFont font_;
    QFont boldFont_;
    bool followH_ = false;
    bool followV_ = false;
    int offsetX_ = 0;
    int offsetY_ = 0;
    QWidget* wheelTarget_ = nullptr;
    int frozenWidth_ = -1;
    int uniformRowHeight_ = -1;
    struct CellIcon {
        int col;
        int row;
        QIcon icon;
    };
    std::vector<CellIcon> icons_;
    int dropCol_ = -1;
    int dropFirst_ = 0;
    int dropLast_ = -1;
    bool showCurrent_ = false;
    QPoint current_{-1, -1};
};

} // namespace shiftex

#pragma once

#include "model/result.h"
#include "reports/print_copy.h"

#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QString>

#include <filesystem>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace shiftex {

// The picture a cell graphic of a print copy shows (a working type icon, the lock); a null
// pixmap for none. The windows know how the pictures look.
using CellPictures = std::function<QPixmap(const CellGraphic&)>;

// Puts a print copy on paper as its page layout says: the grid scaled (shrunk to fit, never
// enlarged, but not below a readable size), split into pages across and down, the title, the
// date and the page numbers "n/N" in the margins.
class PrintRenderer {
public:
    PrintRenderer(const PrintCopy& copy, CellPictures pictures);

    // Every page onto the device (a printer, a PDF writer), starting on its current page.
    // False when the device cannot be painted on.
    bool Render(QPagedPaintDevice& device) const;
    // The pages the copy takes on that device.
    int PageCount(const QPagedPaintDevice& device) const;

    // The scale of the grid (1 = 96 grid pixels to the inch) and the pages as column and row
    // ranges, for the device's page.
    struct Page {
        std::vector<int> columns;
        std::vector<int> rows;
    };
    struct Plan {
        double scale = 1;
        std::vector<Page> pages;
    };
    Plan PlanPages(double areaWidth, double areaHeight) const;

private:
    void PaintPage(QPainter& painter, const Page& page, int number, int count, double scale,
                   const QRectF& area, const QRectF& paper) const;
    struct PlacedCell {
        int col;
        int row;
        QRectF rect;
    };
    void PaintCells(QPainter& painter, const std::vector<PlacedCell>& cells, double scale) const;
    void PaintCell(QPainter& painter, int col, int row, const QRectF& rect, double scale) const;
    void PaintMarginText(QPainter& painter, const QRectF& paper, PageCorner corner,
                         const QString& text) const;

    const PrintCopy& copy_;
    CellPictures pictures_;
    // Set for the device by Render.
    struct Fonts {
        QFont normal;
        QFont bold;
        double lineHeight = 0;
    };
    mutable Fonts fonts_;
};

// The copy as a PDF file, exactly as printing lays it out, on A4 in landscape.
Result<void> WritePdf(const PrintCopy& copy, const std::filesystem::path& path,
                      const CellPictures& pictures);

} // namespace shiftex

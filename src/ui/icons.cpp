#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <numbers>

namespace shiftex {

namespace {

constexpr int kSize = 16;

const std::array<QColor, 7>& Palette()
{
    static const std::array<QColor, 7> colours{QColor(0xD6, 0x33, 0x2F), QColor(0xF0, 0x8A, 0x24),
                                               QColor(0xE8, 0xC4, 0x1C), QColor(0x3C, 0xA5, 0x4A),
                                               QColor(0x1F, 0x9E, 0x9A), QColor(0x2F, 0x6C, 0xD6),
                                               QColor(0x8E, 0x44, 0xAD)};
    return colours;
}

QPolygonF Star(QPointF centre, double outer, double inner, int points)
{
    QPolygonF polygon;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / points;
        const double r = i % 2 ? inner : outer;
        polygon << centre + QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    return polygon;
}

void DrawShape(QPainter& p, int shape, const QColor& colour)
{
    const QColor outline = colour.darker(160);
    p.setPen(QPen(outline, 1));
    p.setBrush(colour);
    const QRectF box(1.5, 1.5, 13, 13);
    const QPointF centre = box.center();
    switch (shape) {
    case 0:  // circle
        p.drawEllipse(box);
        break;
    case 1:  // rounded square
        p.drawRoundedRect(box, 3, 3);
        break;
    case 2:  // triangle
        p.drawPolygon(QPolygonF{{centre.x(), 1.5}, {14.5, 14.5}, {1.5, 14.5}});
        break;
    case 3:  // diamond
        p.drawPolygon(QPolygonF{{centre.x(), 1}, {15, centre.y()}, {centre.x(), 15},
                                {1, centre.y()}});
        break;
    case 4:  // star
        p.drawPolygon(Star(centre, 7.2, 3.1, 5));
        break;
    case 5: {  // sun: a disc with rays
        p.setPen(QPen(outline, 1.4, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 8; ++i) {
            const double a = i * std::numbers::pi / 4;
            p.drawLine(centre + QPointF(5 * std::cos(a), 5 * std::sin(a)),
                       centre + QPointF(7 * std::cos(a), 7 * std::sin(a)));
        }
        p.setPen(QPen(outline, 1));
        p.drawEllipse(centre, 3.8, 3.8);
        break;
    }
    default: {  // moon: a crescent
        QPainterPath disc;
        disc.addEllipse(box);
        QPainterPath bite;
        bite.addEllipse(box.translated(4.5, -2.5));
        p.drawPath(disc.subtracted(bite));
        break;
    }
    }
}

} // namespace

QPixmap WorkingTypeIcon(int index)
{
    if (index < 0 || index >= kWorkingTypeIconCount)
        return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawShape(p, index / 7, Palette()[static_cast<std::size_t>(index % 7)]);
    return pixmap;
}

QIcon LockIcon(bool locked)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The shackle: closed over the body when locked, swung open to the right when not.
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.8));
    p.setBrush(Qt::NoBrush);
    const QRectF shackle = locked ? QRectF(4.5, 1.5, 7, 8) : QRectF(8.5, 0.5, 7, 8);
    p.drawArc(shackle, 0, 180 * 16);
    p.drawLine(QPointF(shackle.left(), shackle.center().y()),
               QPointF(shackle.left(), locked ? 8 : 5.5));
    p.drawLine(QPointF(shackle.right(), shackle.center().y()), QPointF(shackle.right(), 8));
    p.setPen(QPen(QColor(0x8a, 0x62, 0x0f), 1));
    p.setBrush(locked ? QColor(0xE8, 0xB9, 0x3A) : QColor(0xC8, 0xC8, 0xC8));
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 8), 1.5, 1.5);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8, 11), 1.3, 1.3);
    return QIcon(pixmap);
}

namespace {

// A curved arrow turning back to the left (undo) or on to the right (redo).
QIcon TurnArrow(bool back)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (!back) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    const QColor colour(0x2F, 0x6C, 0xD6);
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(4.5, 6);
    path.cubicTo(9, 3, 15, 5, 14, 10.5);
    path.cubicTo(13.5, 13, 11, 14, 8.5, 14);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{{1, 6.5}, {7, 1.5}, {7.5, 10}});
    return QIcon(pixmap);
}

} // namespace

QIcon UndoIcon() { return TurnArrow(true); }

QIcon RedoIcon() { return TurnArrow(false); }

namespace {

QPixmap BlankIcon()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A tool button's picture, drawn smoothly on a transparent ground.
template <typename Draw>
QIcon DrawnIcon(Draw draw)
{
    QPixmap pixmap = BlankIcon();
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    return QIcon(pixmap);
}

// A sheet of paper with a folded corner and a few lines of text.
void DrawPage(QPainter& p, const QRectF& page)
{
    const double fold = 3;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(Qt::white);
    p.drawPath(outline);
    p.setPen(QPen(QColor(0x2F, 0x6C, 0xD6), 1));
    for (double y = page.top() + 3.5; y < page.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
}

} // namespace

QIcon CutIcon()
{
    return DrawnIcon([](QPainter& p) {
        // Two blades crossing above two handles.
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
        p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
        p.setPen(QPen(QColor(0xD6, 0x33, 0x2F), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12), 2.6, 2.6);
        p.drawEllipse(QPointF(11.5, 12), 2.6, 2.6);
    });
}

QIcon CopyIcon()
{
    return DrawnIcon([](QPainter& p) {
        DrawPage(p, QRectF(1.5, 1.5, 8, 10));
        DrawPage(p, QRectF(6.5, 4.5, 8, 10));
    });
}

QIcon PasteIcon()
{
    return DrawnIcon([](QPainter& p) {
        // A clipboard with a sheet on it.
        p.setPen(QPen(QColor(0x6B, 0x4A, 0x1E), 1));
        p.setBrush(QColor(0xC8, 0x94, 0x50));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1.2, 1.2);
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
        DrawPage(p, QRectF(6.5, 5.5, 8, 9.5));
    });
}

namespace {

const QColor kOutline(0x55, 0x55, 0x55);
const QColor kBlue(0x2F, 0x6C, 0xD6);

// A printer seen from the front, its paper sticking out at the top.
void DrawPrinter(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(0xB8, 0xB8, 0xB8));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.2, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3C, 0xA5, 0x4A));
    p.drawEllipse(QPointF(12.5, 8.5), 0.9, 0.9);
}

} // namespace

QIcon NewScheduleIcon()
{
    return DrawnIcon([](QPainter& p) {
        // A blank sheet with a spark in its corner.
        DrawPage(p, QRectF(2.5, 1.5, 10, 13));
        p.setPen(QPen(QColor(0xE0, 0xA0, 0x10), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12.5, 0.8), QPointF(12.5, 5.2));
        p.drawLine(QPointF(10.3, 3), QPointF(14.7, 3));
    });
}

QIcon OpenIcon()
{
    return DrawnIcon([](QPainter& p) {
        // A folder, its front flap opening.
        p.setPen(QPen(QColor(0x8a, 0x62, 0x0f), 1));
        p.setBrush(QColor(0xE8, 0xB9, 0x3A));
        p.drawPolygon(QPolygonF{{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}});
        p.setBrush(QColor(0xF6, 0xD5, 0x6E));
        p.drawPolygon(QPolygonF{{1.5, 13.5}, {4, 7.5}, {15, 7.5}, {13.5, 13.5}});
    });
}

QIcon SaveIcon()
{
    return DrawnIcon([](QPainter& p) {
        // A diskette: blue body, metal shutter, white label.
        p.setPen(QPen(kBlue.darker(150), 1));
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF{{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}});
        p.setBrush(QColor(0xC8, 0xC8, 0xC8));
        p.drawRect(QRectF(4.5, 1.5, 7, 4.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 8.5, 9, 6));
    });
}

QIcon BackupIcon()
{
    return DrawnIcon([](QPainter& p) {
        // A small diskette with a green tick over its corner.
        p.setPen(QPen(kBlue.darker(150), 1));
        p.setBrush(kBlue);
        p.drawPolygon(QPolygonF{{1.5, 1.5}, {9.5, 1.5}, {11.5, 3.5}, {11.5, 11.5}, {1.5, 11.5}});
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 6.5, 6, 5));
        p.setPen(QPen(QColor(0x1E, 0x9E, 0x3C), 2.2, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF{{7.5, 11}, {10, 13.8}, {14.5, 7.5}});
    });
}

QIcon PrintIcon()
{
    return DrawnIcon([](QPainter& p) {
        DrawPrinter(p);
    });
}

QIcon PrintPreviewIcon()
{
    return DrawnIcon([](QPainter& p) {
        DrawPage(p, QRectF(1.5, 1.5, 10, 13));
        // A magnifying glass over the page.
        p.setPen(QPen(kOutline, 1.3));
        p.setBrush(QColor(0xD8, 0xEC, 0xFA, 0xC0));
        p.drawEllipse(QPointF(9.5, 8.5), 3.6, 3.6);
        p.setPen(QPen(QColor(0x6B, 0x4A, 0x1E), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12.2, 11.2), QPointF(14.8, 13.8));
    });
}

QIcon ToggleWindowsIcon()
{
    return DrawnIcon([](QPainter& p) {
        // A sheet with the panels beside and below it.
        p.setPen(QPen(kOutline, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 9, 8));
        p.setBrush(QColor(0xB4, 0xE6, 0xB4));
        p.drawRect(QRectF(11.5, 1.5, 3, 8));
        p.setBrush(QColor(0xF6, 0xD5, 0x6E));
        p.drawRect(QRectF(1.5, 11.5, 13, 3));
        p.setPen(QPen(kBlue, 1));
        for (double y = 4; y < 9; y += 2.5)
            p.drawLine(QPointF(3, y), QPointF(9, y));
    });
}

QIcon HelpIcon()
{
    return DrawnIcon([](QPainter& p) {
        p.setPen(QPen(kBlue.darker(150), 1));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font;
        font.setBold(true);
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QPixmap ProgramPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QColor frame(0x5b, 0x6b, 0x7a);
    p.setPen(QPen(frame, 3));
    p.setBrush(QColor(0xf7, 0xf3, 0xe8));
    p.drawRoundedRect(QRectF(4, 8, 56, 50), 6, 6);
    p.setBrush(QColor(0xe6, 0xe0, 0xc8));
    p.drawRoundedRect(QRectF(4, 8, 56, 12), 6, 6);
    p.setPen(Qt::NoPen);
    const auto cell = [&p](double x, double y, const QColor& colour) {
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(x, y, 10, 8), 1, 1);
    };
    cell(12, 26, kBlue);
    cell(27, 26, kBlue);
    cell(12, 40, kBlue);
    cell(42, 26, QColor(0xe8, 0xc4, 0x1c));
    cell(42, 40, QColor(0xe8, 0xc4, 0x1c));
    cell(27, 40, QColor(0xd6, 0x33, 0x2f));
    return pixmap;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(ProgramPixmap(size));
    return icon;
}

} // namespace shiftex

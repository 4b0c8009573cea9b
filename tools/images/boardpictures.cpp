// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardpictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace tw::images {
namespace {

constexpr QSize CellSize(17, 17);
constexpr QSize DigitSize(16, 21);

const QColor Water(0x22, 0xb8, 0xcc);
const QColor WaterDark(0x14, 0x8c, 0xa0);
const QColor WaterLight(0x8c, 0xe8, 0xf2);
const QColor Hull(0x1e, 0x3c, 0xb4);
const QColor HullLight(0x4a, 0x6c, 0xe0);
const QColor Mast(0x4a, 0x30, 0x1c);
const QColor SailWhite(0xf8, 0xf8, 0xf0);
const QColor SailRed(0xd8, 0x1c, 0x1c);
const QColor TileBorderLight(0xd8, 0xd8, 0xd8);
const QColor TileBorderDark(0x98, 0x98, 0x98);
const QColor TileField(0x78, 0x10, 0x10);
const QColor TileCross(0xa8, 0xa8, 0xa8);
const QColor Sight(0xff, 0xe8, 0x10);
const QColor Label(0x30, 0xf0, 0x40);
const QColor LabelShadow(0xd0, 0x20, 0xd0);
const QColor SegmentOn(0x40, 0xff, 0x50);
const QColor SegmentOff(0x0c, 0x2c, 0x10);
const QColor Arrow(0x38, 0x70, 0xd0);
const QColor ArrowEdge(0x12, 0x2c, 0x60);

void paintWater(QPainter &p)
{
    p.fillRect(QRect(QPoint(0, 0), CellSize), Water);
    // A darker seam at the right and bottom keeps neighbouring cells apart.
    p.fillRect(QRect(16, 0, 1, 17), WaterDark);
    p.fillRect(QRect(0, 16, 17, 1), WaterDark);
    // Two small wave crests.
    for (const QPoint crest : {QPoint(1, 15), QPoint(2, 14), QPoint(3, 15), QPoint(12, 15),
                               QPoint(13, 14), QPoint(14, 15)})
        fillPixel(p, crest.x(), crest.y(), WaterLight);
}

void paintBoat(QPainter &p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);

    p.setBrush(SailWhite);
    p.drawPolygon(QPolygonF({QPointF(8, 2), QPointF(8, 10), QPointF(2.5, 10)}));
    p.setBrush(SailRed);
    p.drawPolygon(QPolygonF({QPointF(9, 3.5), QPointF(9, 10), QPointF(13.5, 10)}));
    p.fillRect(QRectF(8, 1, 1, 10), Mast);

    p.setBrush(Hull);
    p.drawPolygon(
        QPolygonF({QPointF(1.5, 11), QPointF(15.5, 11), QPointF(13, 14), QPointF(4, 14)}));
    p.fillRect(QRectF(2.5, 11, 12, 1), HullLight);
    p.restore();
}

bool belowAntiDiagonal(int x, int y)
{
    return x + y > CellSize.width() - 1;
}

void paintTileFrame(QPainter &p)
{
    p.fillRect(QRect(QPoint(0, 0), CellSize), TileBorderDark);
    p.fillRect(QRect(0, 0, 17, 1), TileBorderLight);
    p.fillRect(QRect(0, 0, 1, 17), TileBorderLight);
    p.fillRect(QRect(1, 1, 15, 15), TileField);
}

void paintTileCross(QPainter &p)
{
    for (int i = 1; i <= 15; ++i) {
        fillPixel(p, i, i, TileCross);
        fillPixel(p, 16 - i, i, TileCross);
    }
}

void paintClosedTile(QPainter &p)
{
    paintTileFrame(p);
    paintTileCross(p);
    ditherBlack(p, CellSize, belowAntiDiagonal);
}

void paintSight(QPainter &p)
{
    p.fillRect(QRect(QPoint(0, 0), CellSize), Qt::black);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Sight, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8.5, 8.5), 5.4, 5.4);
    p.restore();
    // The cross reaches past the ring with a gap in the middle, so the cell
    // under the aim stays visible.
    p.fillRect(QRect(8, 1, 1, 5), Sight);
    p.fillRect(QRect(8, 11, 1, 5), Sight);
    p.fillRect(QRect(1, 8, 5, 1), Sight);
    p.fillRect(QRect(11, 8, 5, 1), Sight);
    fillPixel(p, 8, 8, Sight);
}

void paintOwnBoatUnderTile(QPainter &p)
{
    paintTileFrame(p);
    p.save();
    p.setClipRect(QRect(1, 1, 15, 15));
    p.setOpacity(0.8);
    paintBoat(p);
    p.restore();
    paintTileCross(p);
    ditherBlack(p, CellSize, belowAntiDiagonal);
}

void paintLabel(QPainter &p, const QString &text)
{
    p.fillRect(QRect(QPoint(0, 0), CellSize), Qt::black);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? 11 : 12);
    if (text.size() > 1)
        font.setStretch(QFont::SemiCondensed);
    font.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(font);
    const QRect box(0, 0, 16, 16);
    p.setPen(LabelShadow);
    p.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(Label);
    p.drawText(box, Qt::AlignCenter, text);
}

// The seven segments a..g, in the usual order: a top, b top right, c bottom
// right, d bottom, e bottom left, f top left, g middle.
enum Segment
{
    SegA,
    SegB,
    SegC,
    SegD,
    SegE,
    SegF,
    SegG
};

constexpr std::array<std::uint8_t, 10> DigitSegments = {
    0b0111111, // 0: a b c d e f
    0b0000110, // 1: b c
    0b1011011, // 2: a b d e g
    0b1001111, // 3: a b c d g
    0b1100110, // 4: b c f g
    0b1101101, // 5: a c d f g
    0b1111101, // 6: a c d e f g
    0b0000111, // 7: a b c
    0b1111111, // 8: all
    0b1101111, // 9: a b c d f g
};

// A segment is a long hexagon with pointed ends; a gap of half a pixel
// separates it from its neighbours.
QPolygonF horizontalSegment(qreal left, qreal right, qreal centreY)
{
    const qreal half = 1.0;
    return QPolygonF({QPointF(left, centreY), QPointF(left + half, centreY - half),
                      QPointF(right - half, centreY - half), QPointF(right, centreY),
                      QPointF(right - half, centreY + half), QPointF(left + half, centreY + half)});
}

QPolygonF verticalSegment(qreal centreX, qreal top, qreal bottom)
{
    const qreal half = 1.0;
    return QPolygonF({QPointF(centreX, top), QPointF(centreX + half, top + half),
                      QPointF(centreX + half, bottom - half), QPointF(centreX, bottom),
                      QPointF(centreX - half, bottom - half), QPointF(centreX - half, top + half)});
}

void paintDigit(QPainter &p, int digit)
{
    p.fillRect(QRect(QPoint(0, 0), DigitSize), Qt::black);
    // Whole-pixel centres keep the segments sharp at 1x.
    constexpr qreal left = 4, right = 12, top = 4, middle = 11, bottom = 18;
    constexpr qreal gap = 0.6;
    const std::array<QPolygonF, 7> segments = {
        horizontalSegment(left + gap, right - gap, top),
        verticalSegment(right, top + gap, middle - gap),
        verticalSegment(right, middle + gap, bottom - gap),
        horizontalSegment(left + gap, right - gap, bottom),
        verticalSegment(left, middle + gap, bottom - gap),
        verticalSegment(left, top + gap, middle - gap),
        horizontalSegment(left + gap, right - gap, middle),
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    const auto lit = DigitSegments[static_cast<std::size_t>(digit)];
    for (int s = SegA; s <= SegG; ++s) {
        p.setBrush((lit >> s) & 1 ? SegmentOn : SegmentOff);
        p.drawPolygon(segments[static_cast<std::size_t>(s)]);
    }
    p.restore();
}

void paintArrow(QPainter &p, bool pointsLeft)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPolygonF triangle({QPointF(4.5, 8.5), QPointF(11.5, 3.5), QPointF(11.5, 13.5)});
    if (!pointsLeft) {
        for (QPointF &point : triangle)
            point.setX(17 - point.x());
    }
    p.setPen(QPen(ArrowEdge, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Arrow);
    p.drawPolygon(triangle);
    p.restore();
}

} // namespace

std::vector<Picture> cellPictures()
{
    return {
        {QStringLiteral("cell0"), CellSize,
         [](QPainter &p) { p.fillRect(QRect(QPoint(0, 0), CellSize), Qt::black); }},
        {QStringLiteral("cell1"), CellSize,
         [](QPainter &p) {
             paintWater(p);
             paintBoat(p);
         }},
        {QStringLiteral("cell2"), CellSize, paintClosedTile},
        {QStringLiteral("cell3"), CellSize, paintSight},
        {QStringLiteral("cell4"), CellSize,
         [](QPainter &p) {
             paintWater(p);
             paintBoat(p);
             ditherBlack(p, CellSize, [](int, int) { return true; });
         }},
        {QStringLiteral("cell5"), CellSize, paintOwnBoatUnderTile},
    };
}

std::vector<Picture> frameLabelPictures()
{
    std::vector<Picture> pictures;
    for (int column = 1; column <= 15; ++column) {
        const QString text = QString::number(column);
        pictures.push_back(
            {QStringLiteral("col") + text, CellSize, [text](QPainter &p) { paintLabel(p, text); }});
    }
    for (char row = 'A'; row <= 'O'; ++row) {
        const QString text(QChar::fromLatin1(row));
        pictures.push_back(
            {QStringLiteral("row") + text, CellSize, [text](QPainter &p) { paintLabel(p, text); }});
    }
    return pictures;
}

std::vector<Picture> digitPictures()
{
    std::vector<Picture> pictures;
    for (int digit = 0; digit <= 9; ++digit) {
        pictures.push_back({QStringLiteral("digit") + QString::number(digit), DigitSize,
                            [digit](QPainter &p) { paintDigit(p, digit); }});
    }
    return pictures;
}

std::vector<Picture> arrowPictures()
{
    return {
        {QStringLiteral("arrowLeft"), CellSize, [](QPainter &p) { paintArrow(p, true); }},
        {QStringLiteral("arrowRight"), CellSize, [](QPainter &p) { paintArrow(p, false); }},
    };
}

} // namespace tw::images

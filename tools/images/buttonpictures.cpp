// SPDX-License-Identifier: GPL-3.0-or-later
#include "buttonpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace tw::images {
namespace {

constexpr QSize ButtonSize(16, 16);

// Every button picture is a light fill inside a dark edge, so that it reads
// on light and on dark window themes alike.
void fillShape(QPainter &p, const QPainterPath &shape, const QColor &fill, const QColor &edge)
{
    p.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shape);
}

QPainterPath polygonPath(const QPolygonF &polygon)
{
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

void paintStart(QPainter &p)
{
    fillShape(p, polygonPath(QPolygonF({QPointF(4.5, 2.5), QPointF(13.5, 8), QPointF(4.5, 13.5)})),
              QColor(0x3c, 0xb4, 0x46), QColor(0x14, 0x50, 0x1a));
}

void paintPause(QPainter &p)
{
    QPainterPath bars;
    bars.addRect(QRectF(3.5, 2.5, 3, 11));
    bars.addRect(QRectF(9.5, 2.5, 3, 11));
    fillShape(p, bars, QColor(0xf0, 0xa8, 0x20), QColor(0x70, 0x44, 0x08));
}

void paintAbort(QPainter &p)
{
    // A white flag: giving up the match.
    QPainterPath pole;
    pole.addRect(QRectF(2.5, 1.5, 1.5, 13.5));
    fillShape(p, pole, QColor(0x8a, 0x6a, 0x4a), QColor(0x3a, 0x28, 0x18));
    QPainterPath flag;
    flag.moveTo(4, 2.5);
    flag.cubicTo(7, 1, 9, 4.5, 13.5, 2.5);
    flag.lineTo(13.5, 9);
    flag.cubicTo(9, 11, 7, 7.5, 4, 9);
    flag.closeSubpath();
    fillShape(p, flag, QColor(0xfa, 0xfa, 0xfa), QColor(0x50, 0x50, 0x50));
}

void paintPlayer(QPainter &p)
{
    const QColor fill(0x4a, 0x88, 0xe0), edge(0x14, 0x30, 0x68);
    QPainterPath body;
    body.moveTo(2.5, 15);
    body.cubicTo(2.5, 10, 5, 9, 8, 9);
    body.cubicTo(11, 9, 13.5, 10, 13.5, 15);
    body.closeSubpath();
    fillShape(p, body, fill, edge);
    QPainterPath head;
    head.addEllipse(QPointF(8, 5), 3, 3);
    fillShape(p, head, fill, edge);
}

void paintScores(QPainter &p)
{
    const QColor fill(0xf0, 0xc0, 0x28), edge(0x7a, 0x52, 0x08);
    QPainterPath handles;
    handles.addEllipse(QPointF(4, 5.5), 2.2, 2.2);
    handles.addEllipse(QPointF(12, 5.5), 2.2, 2.2);
    p.setPen(QPen(edge, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(handles);
    QPainterPath cup;
    cup.moveTo(4, 2.5);
    cup.lineTo(12, 2.5);
    cup.cubicTo(12, 7.5, 10, 9.5, 8, 9.5);
    cup.cubicTo(6, 9.5, 4, 7.5, 4, 2.5);
    cup.closeSubpath();
    cup.addRect(QRectF(7, 9.5, 2, 2.5));
    cup.addRect(QRectF(4.5, 12, 7, 2.5));
    fillShape(p, cup.simplified(), fill, edge);
    p.fillRect(QRectF(6, 3.5, 1, 3), QColor(0xff, 0xf0, 0xb0));
}

void paintAbout(QPainter &p)
{
    QPainterPath disc;
    disc.addEllipse(QPointF(8, 8), 6.8, 6.8);
    fillShape(p, disc, QColor(0x3a, 0x78, 0xd8), QColor(0x14, 0x30, 0x68));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.8), 1.3, 1.3);
    p.drawRect(QRectF(7, 7, 2, 5.5));
}

Picture button(const char *name, void (*paint)(QPainter &))
{
    return {QString::fromLatin1(name), ButtonSize, [paint](QPainter &p) {
                p.setRenderHint(QPainter::Antialiasing, true);
                paint(p);
            }};
}

} // namespace

std::vector<Picture> buttonPictures()
{
    return {
        button("start", paintStart),   button("pause", paintPause),   button("abort", paintAbort),
        button("player", paintPlayer), button("scores", paintScores), button("about", paintAbout),
    };
}

} // namespace tw::images

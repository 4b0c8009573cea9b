// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tw::images {
namespace {

constexpr QSize AboutSize(400, 296);
constexpr qreal Horizon = 198;
const QPointF Moon(342, 58);
constexpr qreal MoonRadius = 17;
// Where the about text lies; kept dark and quiet.
const QRectF TextArea(4, 4, 285, 221);

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return color;
}

void paintSky(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, Horizon);
    sky.setColorAt(0.0, QColor(0x02, 0x04, 0x0c));
    sky.setColorAt(0.55, QColor(0x06, 0x0d, 0x22));
    sky.setColorAt(1.0, QColor(0x16, 0x27, 0x4c));
    p.fillRect(QRectF(0, 0, AboutSize.width(), Horizon + 1), sky);

    // The moon lights the sky around it and the haze above the horizon.
    QRadialGradient glow(Moon, 150);
    glow.setColorAt(0.0, QColor(0x8c, 0x9c, 0xc8, 0x70));
    glow.setColorAt(0.25, QColor(0x3c, 0x50, 0x86, 0x40));
    glow.setColorAt(1.0, QColor(0x10, 0x20, 0x40, 0x00));
    p.fillRect(QRectF(0, 0, AboutSize.width(), Horizon + 1), glow);
}

void paintStar(QPainter &p, QPointF at, qreal radius, const QColor &color)
{
    QRadialGradient halo(at, radius * 3);
    halo.setColorAt(0.0, withAlpha(color, color.alphaF() * 0.5));
    halo.setColorAt(1.0, withAlpha(color, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(at, radius * 3, radius * 3);
    p.setBrush(color);
    p.drawEllipse(at, radius, radius);
}

void paintSparkle(QPainter &p, QPointF at, qreal length, const QColor &color)
{
    for (const QPointF direction : {QPointF(1, 0), QPointF(0, 1)}) {
        QLinearGradient ray(at - direction * length, at + direction * length);
        ray.setColorAt(0.0, withAlpha(color, 0));
        ray.setColorAt(0.5, color);
        ray.setColorAt(1.0, withAlpha(color, 0));
        p.setPen(QPen(QBrush(ray), 0.7));
        p.drawLine(at - direction * length, at + direction * length);
    }
    paintStar(p, at, 1.1, color);
}

void paintStars(QPainter &p)
{
    PictureRandom random(20240517);
    const std::array<QColor, 3> tints = {QColor(0xff, 0xff, 0xff), QColor(0xd8, 0xe4, 0xff),
                                         QColor(0xff, 0xf0, 0xd8)};
    for (int i = 0; i < 260; ++i) {
        const QPointF at(random.between(0, AboutSize.width()),
                         random.between(0, Horizon - 6) * random.between(0.35, 1.0));
        const qreal size = random.next();
        const QColor color = tints[static_cast<std::size_t>(random.next() * 3) % 3];
        // Stars fade toward the horizon haze and near the bright moon.
        qreal alpha = 0.25 + 0.75 * random.next();
        alpha *= std::clamp(1.2 - at.y() / Horizon, 0.0, 1.0);
        alpha *= std::clamp(QLineF(at, Moon).length() / 60.0 - 0.5, 0.0, 1.0);
        if (TextArea.contains(at))
            alpha *= 0.35;
        const qreal radius = 0.35 + 0.5 * size * size;
        paintStar(p, at, radius, withAlpha(color, alpha));
    }
    // A few bright ones where the text does not go.
    for (const QPointF at : {QPointF(300, 118), QPointF(382, 126), QPointF(372, 92),
                             QPointF(386, 20), QPointF(310, 16)})
        paintSparkle(p, at, 4.5, QColor(0xf4, 0xf8, 0xff, 0xe0));
}

void paintMoon(QPainter &p)
{
    QRadialGradient halo(Moon, MoonRadius * 3.2);
    halo.setColorAt(0.0, QColor(0xff, 0xf4, 0xd0, 0x90));
    halo.setColorAt(0.35, QColor(0xf0, 0xe0, 0xb0, 0x40));
    halo.setColorAt(1.0, QColor(0xa0, 0xa0, 0xc0, 0x00));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(Moon, MoonRadius * 3.2, MoonRadius * 3.2);

    QRadialGradient disc(Moon - QPointF(5, 5), MoonRadius * 1.6);
    disc.setColorAt(0.0, QColor(0xff, 0xfc, 0xee));
    disc.setColorAt(1.0, QColor(0xe6, 0xd6, 0xa4));
    p.setBrush(disc);
    p.drawEllipse(Moon, MoonRadius, MoonRadius);

    // Maria: soft darker patches.
    const QColor mare(0xb8, 0xa8, 0x80, 0x70);
    p.setBrush(mare);
    p.drawEllipse(Moon + QPointF(-6, -4), 5.5, 4.5);
    p.drawEllipse(Moon + QPointF(4, 3), 4, 5);
    p.drawEllipse(Moon + QPointF(-2, 8), 3, 2.2);
    p.drawEllipse(Moon + QPointF(7, -7), 2.2, 2);
}

void paintSea(QPainter &p)
{
    const qreal height = AboutSize.height() - Horizon;
    QLinearGradient sea(0, Horizon, 0, AboutSize.height());
    sea.setColorAt(0.0, QColor(0x10, 0x1e, 0x3c));
    sea.setColorAt(0.3, QColor(0x08, 0x12, 0x2a));
    sea.setColorAt(1.0, QColor(0x03, 0x07, 0x14));
    p.fillRect(QRectF(0, Horizon, AboutSize.width(), height), sea);

    PictureRandom random(7);
    // Broken wave crests in rows, closer together and finer toward the
    // horizon; crests near the moon's road catch its light.
    for (qreal y = Horizon + 1.5; y < AboutSize.height() + 4;) {
        const qreal depth = (y - Horizon) / height; // 0 at the horizon, 1 at the bottom
        const qreal scale = 0.3 + 1.7 * depth;
        for (qreal x = random.between(-30, 0); x < AboutSize.width();) {
            const qreal length = random.between(8, 34) * scale;
            const qreal rise = random.between(0.3, 1.2) * scale;
            const qreal wy = y + random.between(-0.6, 0.6) * scale;
            QPainterPath crest;
            crest.moveTo(x, wy);
            crest.quadTo(x + length / 2, wy - rise, x + length, wy);
            const qreal moonlight =
                std::clamp(1.0 - std::abs(x + length / 2 - Moon.x()) / (40 + 90 * depth), 0.0, 1.0);
            QColor light = moonlight > 0 ? QColor(0xb0, 0xb8, 0xc8) : QColor(0x4c, 0x74, 0xac);
            const qreal alpha = random.between(0.12, 0.4) * (0.6 + 0.6 * depth) + 0.35 * moonlight;
            p.setPen(QPen(withAlpha(light, alpha), 0.5 + 0.9 * depth, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(crest);
            p.setPen(QPen(QColor(0x00, 0x02, 0x08, static_cast<int>(50 + 90 * depth)),
                          0.6 + 1.4 * depth, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(crest.translated(0, 0.8 + 1.6 * depth));
            x += length + random.between(3, 16) * scale;
        }
        y += 1.6 + 11 * depth * depth + random.between(0, 1 + 2.5 * depth);
    }

    // The moon's road: glints that widen and scatter toward the viewer.
    for (qreal y = Horizon + 1; y < AboutSize.height(); y += random.between(1.0, 2.2)) {
        const qreal depth = (y - Horizon) / height;
        const qreal spread = 6 + 70 * depth;
        const int glints = 2 + static_cast<int>(6 * depth);
        for (int i = 0; i < glints; ++i) {
            const qreal offset = (random.next() + random.next() - 1.0) * spread;
            const qreal closeness = 1.0 - std::abs(offset) / spread;
            const qreal length = random.between(2, 5 + 14 * depth) * (0.5 + closeness);
            const qreal alpha =
                (0.25 + 0.7 * closeness) * random.between(0.5, 1.0) * (1.0 - 0.35 * depth);
            const qreal x = Moon.x() + offset;
            p.setPen(QPen(QColor(0xff, 0xee, 0xbb, static_cast<int>(255 * alpha)),
                          0.6 + 0.9 * depth, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x - length / 2, y), QPointF(x + length / 2, y));
        }
    }
}

// The sailing ship, seen from its side against the moon's road, bow to the right.
QPainterPath shipSilhouette()
{
    QPainterPath ship;
    ship.setFillRule(Qt::WindingFill);
    const qreal waterline = 213;

    QPainterPath hull;
    hull.moveTo(282, waterline - 12);
    hull.lineTo(300, waterline - 9);
    hull.quadTo(335, waterline - 8, 362, waterline - 11);
    hull.lineTo(371, waterline - 14);
    hull.quadTo(366, waterline - 4, 356, waterline);
    hull.lineTo(296, waterline);
    hull.quadTo(286, waterline - 4, 282, waterline - 12);
    hull.closeSubpath();
    ship.addPath(hull);

    // Bowsprit and the stern lantern post.
    ship.addPolygon(QPolygonF({QPointF(366, waterline - 13), QPointF(392, waterline - 22),
                               QPointF(392.6, waterline - 21), QPointF(368, waterline - 11)}));
    ship.closeSubpath();

    struct Mast
    {
        qreal x, top, width;
    };
    const std::array<Mast, 3> masts = {{{302, 150, 22}, {326, 136, 28}, {350, 148, 24}}};
    for (const Mast &mast : masts) {
        ship.addRect(QRectF(mast.x - 0.8, mast.top - 6, 1.6, waterline - 8 - mast.top + 6));
        // Three square sails, narrower aloft, their lower edges bellied by the wind.
        qreal top = mast.top;
        for (int sail = 0; sail < 3; ++sail) {
            const qreal height = 13 + 4 * sail;
            const qreal half = mast.width / 2 * (0.62 + 0.19 * sail);
            const qreal bottom = top + height;
            QPainterPath canvas;
            canvas.moveTo(mast.x - half * 0.9, top);
            canvas.lineTo(mast.x + half * 0.9, top);
            canvas.quadTo(mast.x + half * 1.12, top + height / 2, mast.x + half, bottom);
            canvas.quadTo(mast.x, bottom + 2.5, mast.x - half, bottom);
            canvas.quadTo(mast.x - half * 1.12, top + height / 2, mast.x - half * 0.9, top);
            canvas.closeSubpath();
            ship.addPath(canvas);
            top = bottom + 1.6;
        }
        // A pennant at the masthead.
        ship.addPolygon(
            QPolygonF({QPointF(mast.x, mast.top - 6), QPointF(mast.x - 9, mast.top - 4.8),
                       QPointF(mast.x, mast.top - 3.8)}));
        ship.closeSubpath();
    }
    // Jibs from the foremast to the bowsprit.
    ship.addPolygon(
        QPolygonF({QPointF(352, 156), QPointF(384, waterline - 19), QPointF(356, waterline - 19)}));
    ship.closeSubpath();
    ship.addPolygon(QPolygonF({QPointF(351, 150), QPointF(391, waterline - 22),
                               QPointF(386, waterline - 20), QPointF(354, 160)}));
    ship.closeSubpath();
    // A spanker aft.
    ship.addPolygon(QPolygonF(
        {QPointF(300.5, 176), QPointF(300.5, waterline - 14), QPointF(284, waterline - 14)}));
    ship.closeSubpath();
    return ship.simplified();
}

void paintShip(QPainter &p)
{
    const QPainterPath ship = shipSilhouette();
    // Rigging lines, thin against the glowing sky.
    p.setPen(QPen(QColor(0x05, 0x08, 0x12, 0xd0), 0.5));
    p.drawLine(QPointF(302, 144), QPointF(282, 201));
    p.drawLine(QPointF(326, 130), QPointF(302, 144));
    p.drawLine(QPointF(326, 130), QPointF(350, 142));
    p.drawLine(QPointF(350, 142), QPointF(392, 191));

    // The moon behind and above the ship lines the upper edges.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x90, 0xb8, 0x90));
    p.drawPath(ship.translated(0.45, -0.6));
    p.setBrush(QColor(0x03, 0x05, 0x0c));
    p.drawPath(ship);

    // Its reflection, broken by the waves.
    p.save();
    p.setClipRect(QRectF(0, 213, AboutSize.width(), 30));
    QTransform mirror;
    mirror.translate(0, 2 * 213);
    mirror.scale(1, -1);
    PictureRandom random(99);
    for (qreal y = 213; y < 243; y += 1.5) {
        const qreal shift = random.between(-2.5, 2.5);
        p.save();
        p.setClipRect(QRectF(0, y, AboutSize.width(), 1.5), Qt::IntersectClip);
        p.translate(shift, 0);
        p.setOpacity(0.55 * (1.0 - (y - 213) / 30));
        p.setBrush(QColor(0x02, 0x04, 0x0a));
        p.drawPath(mirror.map(ship));
        p.restore();
    }
    p.restore();
}

// A far lighthouse on a low rock at the horizon, its lamp a warm point.
void paintLighthouse(QPainter &p)
{
    const QPointF lamp(236, 176.5);
    QPainterPath rock;
    rock.moveTo(214, Horizon + 1);
    rock.quadTo(220, Horizon - 6, 230, Horizon - 7);
    rock.quadTo(246, Horizon - 9, 252, Horizon - 4);
    rock.quadTo(258, Horizon - 1, 262, Horizon + 1);
    rock.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x04, 0x07, 0x10));
    p.drawPath(rock);

    // Beams first, so the tower stands in front of them.
    for (const qreal sign : {-1.0, 1.0}) {
        const QPointF far(lamp.x() + sign * 90, lamp.y() + 1);
        QLinearGradient fade(lamp, far);
        fade.setColorAt(0.0, QColor(0xff, 0xe6, 0xa0, 0x58));
        fade.setColorAt(1.0, QColor(0xff, 0xe6, 0xa0, 0x00));
        p.setBrush(fade);
        p.drawPolygon(
            QPolygonF({lamp, QPointF(far.x(), far.y() - 7), QPointF(far.x(), far.y() + 5)}));
    }

    QPainterPath tower;
    tower.moveTo(232, Horizon - 7);
    tower.lineTo(233.6, 179);
    tower.lineTo(238.4, 179);
    tower.lineTo(240, Horizon - 7);
    tower.closeSubpath();
    p.setBrush(QColor(0x16, 0x1c, 0x2e));
    p.drawPath(tower);
    // Faint bands of the tower's paint.
    p.setBrush(QColor(0x5a, 0x1a, 0x1e));
    p.drawRect(QRectF(233.2, 183, 5.6, 2.4));
    p.drawRect(QRectF(232.7, 188, 6.6, 2.4));
    p.setBrush(QColor(0x0a, 0x0e, 0x1a));
    p.drawPolygon(QPolygonF({QPointF(233, 174.8), QPointF(236, 172.4), QPointF(239, 174.8)}));

    QRadialGradient glow(lamp, 10);
    glow.setColorAt(0.0, QColor(0xff, 0xf0, 0xc0, 0xff));
    glow.setColorAt(0.25, QColor(0xff, 0xd0, 0x70, 0xa0));
    glow.setColorAt(1.0, QColor(0xff, 0xb0, 0x40, 0x00));
    p.setBrush(glow);
    p.drawEllipse(lamp, 10, 10);
}

void paintTitle(QPainter &p)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(34);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 7);
    const QString title = QStringLiteral("TARNWAKE");
    const QFontMetricsF metrics(font);
    // The trailing letter spacing is not part of the visible word.
    const qreal width = metrics.horizontalAdvance(title) - 7;
    QPainterPath text;
    text.addText(QPointF((AboutSize.width() - width) / 2, 282), font, title);

    p.setBrush(Qt::NoBrush);
    for (int i = 6; i >= 1; --i) {
        p.setPen(QPen(QColor(0xff, 0xa0, 0x30, 10), 1.5 * i, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(text);
    }
    p.setPen(QPen(QColor(0x1a, 0x0c, 0x02), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text.translated(1.2, 1.6));
    p.setPen(QPen(QColor(0x24, 0x12, 0x04), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF box = text.boundingRect();
    QLinearGradient gold(box.topLeft(), box.bottomLeft());
    gold.setColorAt(0.0, QColor(0xff, 0xf6, 0xd0));
    gold.setColorAt(0.45, QColor(0xf6, 0xc8, 0x60));
    gold.setColorAt(0.55, QColor(0xd8, 0x90, 0x2c));
    gold.setColorAt(1.0, QColor(0xf0, 0xb8, 0x50));
    p.setBrush(gold);
    p.drawPath(text);
}

void paintIcon(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF tile(2, 2, 60, 60);
    QPainterPath rounded;
    rounded.addRoundedRect(tile, 12, 12);
    QLinearGradient night(tile.topLeft(), tile.bottomLeft());
    night.setColorAt(0.0, QColor(0x06, 0x0e, 0x26));
    night.setColorAt(0.62, QColor(0x1a, 0x34, 0x6a));
    night.setColorAt(0.63, QColor(0x12, 0x50, 0x84));
    night.setColorAt(1.0, QColor(0x06, 0x1c, 0x3a));
    p.setPen(QPen(QColor(0x02, 0x06, 0x12), 1.5));
    p.setBrush(night);
    p.drawPath(rounded);

    p.save();
    p.setClipPath(rounded);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf4, 0xd0));
    p.drawEllipse(QPointF(46, 15), 6, 6);
    p.setBrush(QColor(0x0a, 0x16, 0x34));
    p.drawEllipse(QPointF(43, 13), 5.4, 5.4);

    // A sailing boat like the board's, grown up.
    p.setBrush(QColor(0xf8, 0xf8, 0xf0));
    p.drawPolygon(QPolygonF({QPointF(30, 12), QPointF(30, 38), QPointF(14, 38)}));
    p.setBrush(QColor(0xe0, 0x24, 0x24));
    p.drawPolygon(QPolygonF({QPointF(33, 17), QPointF(33, 38), QPointF(46, 38)}));
    p.setBrush(QColor(0x5a, 0x3a, 0x20));
    p.drawRect(QRectF(30, 9, 3, 31));
    p.setBrush(QColor(0x2a, 0x4c, 0xc8));
    p.drawPolygon(QPolygonF({QPointF(9, 40), QPointF(55, 40), QPointF(47, 50), QPointF(16, 50)}));

    p.setPen(QPen(QColor(0x8c, 0xe8, 0xf2), 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath wave;
    wave.moveTo(2, 55);
    for (int i = 0; i < 6; ++i)
        wave.quadTo(7 + 10 * i, 51, 12 + 10 * i, 55);
    p.drawPath(wave);
    p.restore();

    // The gun sight over the boat.
    const QColor sight(0xff, 0xe0, 0x10);
    p.setPen(QPen(sight, 2.2));
    p.drawEllipse(QPointF(44, 44), 9, 9);
    p.setPen(QPen(sight, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(44, 31), QPointF(44, 39));
    p.drawLine(QPointF(44, 49), QPointF(44, 57));
    p.drawLine(QPointF(31, 44), QPointF(39, 44));
    p.drawLine(QPointF(49, 44), QPointF(57, 44));
}

} // namespace

QImage aboutPicture()
{
    // Drawn at double size and scaled down, for smoother thin lines.
    QImage large(AboutSize * 2, QImage::Format_RGB32);
    large.setDevicePixelRatio(2);
    QPainter p(&large);
    p.setRenderHint(QPainter::Antialiasing, true);
    paintSky(p);
    paintStars(p);
    paintMoon(p);
    paintSea(p);
    paintLighthouse(p);
    paintShip(p);
    paintTitle(p);
    p.end();
    large.setDevicePixelRatio(1);
    return large.scaled(AboutSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

Picture appIcon()
{
    return {QStringLiteral("tarnwake"), QSize(64, 64), paintIcon};
}

} // namespace tw::images

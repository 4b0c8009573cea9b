// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include <QGuiApplication>

namespace tw {

namespace {

QPixmap load(const QString &name)
{
    // On a high-density screen the twice-as-large drawing is used; it keeps
    // its place and size in the layout through its device pixel ratio.
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap large(QStringLiteral(":/images/%1@2x.png").arg(name));
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    return QPixmap(QStringLiteral(":/images/%1.png").arg(name));
}

} // namespace

const Pictures &Pictures::get()
{
    static const Pictures pictures = [] {
        Pictures p;
        for (int i = 0; i < 6; ++i)
            p.cellPictures.append(load(QStringLiteral("cell%1").arg(i)));
        for (int i = 1; i <= 15; ++i) {
            p.columnNumbers.append(load(QStringLiteral("col%1").arg(i)));
            p.rowLetters.append(load(QStringLiteral("row%1").arg(QChar(u'A' + i - 1))));
        }
        for (int i = 0; i < 10; ++i)
            p.digitPictures.append(load(QStringLiteral("digit%1").arg(i)));
        p.arrowLeft = load(QStringLiteral("arrowLeft"));
        p.arrowRight = load(QStringLiteral("arrowRight"));
        p.start = load(QStringLiteral("start"));
        p.pause = load(QStringLiteral("pause"));
        p.abort = load(QStringLiteral("abort"));
        p.player = load(QStringLiteral("player"));
        p.scores = load(QStringLiteral("scores"));
        p.about = load(QStringLiteral("about"));
        return p;
    }();
    return pictures;
}

} // namespace tw

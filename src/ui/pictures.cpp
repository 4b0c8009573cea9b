#include "pictures.h"

#include <QGuiApplication>

namespace tw {

namespace {

QPixmap Load(const QString &name)
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
            p.ImageList1.append(Load(QStringLiteral("cell%1").arg(i)));
        for (int i = 1; i <= 15; ++i) {
            p.ImageList2.append(Load(QStringLiteral("col%1").arg(i)));
            p.ImageList3.append(Load(QStringLiteral("row%1").arg(QChar(u'A' + i - 1))));
        }
        for (int i = 0; i < 10; ++i)
            p.ImageList4.append(Load(QStringLiteral("digit%1").arg(i)));
        p.arrowLeft = Load(QStringLiteral("arrowLeft"));
        p.arrowRight = Load(QStringLiteral("arrowRight"));
        p.start = Load(QStringLiteral("start"));
        p.pause = Load(QStringLiteral("pause"));
        p.abort = Load(QStringLiteral("abort"));
        p.player = Load(QStringLiteral("player"));
        p.scores = Load(QStringLiteral("scores"));
        p.about = Load(QStringLiteral("about"));
        return p;
    }();
    return pictures;
}

} // namespace tw

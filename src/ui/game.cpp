#include "game.h"

#include "mainwindow.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

// Resources of a static library must be registered by name.
static void InitResources()
{
    Q_INIT_RESOURCE(images);
}

namespace tw {

int RunGame(QApplication &app)
{
    InitResources();
    QApplication::setApplicationName(QStringLiteral("Tarnwake"));
    QApplication::setApplicationVersion(QStringLiteral("2.5"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The windows are laid out in pixels for a small sans-serif face.
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);

    TForm1 main;
    if (!main.FormCreate())
        return 0;
    main.CreateCompanions();
    return app.exec();
}

} // namespace tw

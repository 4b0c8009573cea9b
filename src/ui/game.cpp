#include "game.h"

#include "mainwindow.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <QTimer>

// Resources of a static library must be registered by name, outside any
// namespace.
static void InitTarnwakeResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(audio);
}

namespace tw {

void InitResources()
{
    InitTarnwakeResources();
}

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
    // For the start-up benchmark: end as soon as the main window is up.
    if (qEnvironmentVariableIsSet("TARNWAKE_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &main, &QWidget::close);
    return app.exec();
}

} // namespace tw

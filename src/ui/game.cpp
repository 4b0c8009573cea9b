#include "game.h"

#include "audio/exitlimit.h"
#include "mainwindow.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QStyleFactory>
#include <cstdlib>

// Resources of a static library must be registered by name, outside any
// namespace.
static void InitTarnwakeResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(audio);
}

namespace tw {

namespace {

class QuitOnFirstPaint : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            QObject::eventFilter(watched, event);
            std::_Exit(0);
        }
        return false;
    }
};

} // namespace

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
    // For the start-up benchmark: end the moment the main window has been
    // painted, without saving anything.
    if (qEnvironmentVariableIsSet("TARNWAKE_QUIT_WHEN_SHOWN"))
        main.installEventFilter(new QuitOnFirstPaint(&main));
    const int status = app.exec();
    // Everything is saved by now; what is left must not hold the process.
    limitExitTime(status, 1500);
    return status;
}

} // namespace tw

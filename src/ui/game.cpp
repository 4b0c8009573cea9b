#include "game.h"

#include "instancelink.h"
#include "mainwindow.h"
#include "windowfamily.h"

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
    if (!main.FormCreate()) {
        // Another copy runs: it comes forward, this one shows and writes
        // nothing and ends.
        forwardToRunningInstance(QStringLiteral("Tarnwake"));
        return 0;
    }
    main.CreateCompanions();
    new WindowFamily(&main);
    auto *instanceServer = new InstanceServer(QStringLiteral("Tarnwake"), &main);
    QObject::connect(instanceServer, &InstanceServer::activationRequested, &main,
                     [&main] { bringForward(&main); });
    // For the start-up benchmark: end the moment the main window has been
    // painted, without saving anything.
    if (qEnvironmentVariableIsSet("TARNWAKE_QUIT_WHEN_SHOWN"))
        main.installEventFilter(new QuitOnFirstPaint(&main));
    return app.exec();
}

} // namespace tw

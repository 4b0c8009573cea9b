// SPDX-License-Identifier: GPL-3.0-or-later
#include "game.h"

#include "audio/exitlimit.h"
#include "instancelink.h"
#include "ui/feedback.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
#include "ui/windowfamily.h"
#include "util/instance.h"
#include "util/shutdownsignals.h"
#include "util/version.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QSessionManager>
#include <QStyleFactory>
#include <cstdlib>

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

// The platform asks the program to quit: the session manager's logout (its
// "die" message) and the last window closed arrive as a Quit event to the
// application.
class ShutDownOnQuit : public QObject
{
public:
    ShutDownOnQuit(MainWindow &main, QObject *parent) : QObject(parent), m_main(main) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
            m_main.endProgram();
            return true;
        }
        return false;
    }

private:
    MainWindow &m_main;
};

} // namespace

int runGame(QApplication &app)
{
    initResources();
    QApplication::setApplicationName(QStringLiteral("Tarnwake"));
    QApplication::setApplicationVersion(QStringLiteral(TARNWAKE_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The windows are laid out in pixels for a small sans-serif face.
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);

    if (isAnotherInstance(QStringLiteral("Tarnwake"))) {
        // Another copy runs: it comes forward, this one shows and writes
        // nothing and ends.
        forwardToRunningInstance(QStringLiteral("Tarnwake"));
        return 0;
    }
    Feedback feedback;
    MainWindow main(feedback);
    // From here a signal ends the game through its normal shutdown; one during
    // the rest of the start-up waits for the loop.
    const ShutdownSignals endingSignals([&main](int) { main.endProgram(); });
    main.restoreSession();
    // Logout: the session manager first asks for the data, then to quit. The
    // same request comes at its checkpoints, when the session goes on.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &main,
                     [&main](QSessionManager &) { main.saveForLogout(); });
    app.installEventFilter(new ShutDownOnQuit(main, &main));
    main.createCompanions();
    new WindowFamily(&main);
    auto *instanceServer = new InstanceServer(QStringLiteral("Tarnwake"), &main);
    QObject::connect(instanceServer, &InstanceServer::activationRequested, &main,
                     [&main] { bringForward(&main); });
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowplacement.h"

#include "boardview.h"
#include "pictures.h"
#include "widgets.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tw {

void WindowPlacement::arrange(int cellCount) const
{
    constexpr int W = Pictures::W;
    const int n = cellCount;
    ownBoard->resize(W * (n + 2), W * (n + 2));
    ownFrame->resize(ownBoard->width() + 2 * ownBoard->x(),
                     ownBoard->height() + ownBoard->y() + ownBoard->x());
    opponentBoard->resize(ownBoard->size());
    opponentFrame->resize(ownFrame->size());
    ownFrame->move(controlPanel->width(), 0);
    opponentFrame->move(ownFrame->x() + ownFrame->width(), 0);

    QWidget &main = *mainWindow;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int clientWidth = 2 * ownFrame->width() + controlPanel->width();
    const int clientHeight = std::max(controlPanel->height(), ownFrame->height());
    main.setFixedSize(clientWidth, clientHeight);
    centerOnScreen(&main);
    generatingPanel->move((clientWidth - generatingPanel->width()) / 2,
                          (clientHeight - generatingPanel->height()) / 2);

    // The frame adds to the client size once the window manager has decorated
    // the window; before that both are the same.
    const int frameExtra = main.frameGeometry().height() - main.height();
    const int editorHeight = editorWindow->frameGeometry().height();
    const int top = screen.y() + screen.height() - (clientHeight + frameExtra) - editorHeight - 32;
    main.move(main.x(), top);
    const QRect mainFrame(main.x(), top, clientWidth + main.frameGeometry().width() - main.width(),
                          clientHeight + frameExtra);

    editorWindow->move(mainFrame.left(), mainFrame.bottom() + 1);
    logWindow->setGeometry(editorWindow->geometry());
    const int chatTop = mainFrame.bottom() + 1;
    const int editorWidth = editorWindow->frameGeometry().width();
    chatWindow->move(mainFrame.left() + editorWidth, chatTop);
    chatWindow->resize(
        std::max(100, mainFrame.width() - editorWidth),
        std::max(60, screen.y() + screen.height() - chatTop - 32 -
                         (chatWindow->frameGeometry().height() - chatWindow->height())));
}

} // namespace tw

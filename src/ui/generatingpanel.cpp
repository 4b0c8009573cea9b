// SPDX-License-Identifier: GPL-3.0-or-later
#include "generatingpanel.h"

#include <QApplication>
#include <QPointer>

namespace tw {

GeneratingPanel::GeneratingPanel(const GameState &game, Random &random, QWidget *parent)
    : QLabel(parent), m_game(game), m_random(random)
{
    setObjectName(QStringLiteral("generatingPanel"));
    setGeometry(148, 128, 181, 25);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    hide();
}

void GeneratingPanel::generate(Board &board, FleetCounts &counts)
{
    // Disabling the windows takes the keyboard focus away; it comes back.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    for (QWidget *window : m_covered)
        window->setEnabled(false);
    raise();
    show();
    m_painted.invalidate();
    const QString prefix =
        catalogueOf(m_game.settings()).translate("GeneratingPanel", "Generating ships ");
    generateFleet(board, counts, m_game.boards().areaSize, m_random,
                  [&](const GenerateProgress &p) {
                      // Text and repaint are skipped within one screen refresh: the
                      // panel is a sign of activity, and painting it at every draw
                      // would cost more than the generation itself.
                      if (m_painted.isValid() && m_painted.elapsed() < 16)
                          return;
                      showProgress(prefix + QString::number(p.t) + QString::number(p.r) +
                                   QString::number(p.ox) + QString::number(p.oy) +
                                   QString::number(p.X) + QString::number(p.Y));
                  });
    for (QWidget *window : m_covered)
        window->setEnabled(true);
    hide();
    if (focused)
        focused->setFocus();
}

void GeneratingPanel::showProgress(const QString &text)
{
    setText(text);
    repaint();
    m_painted.start();
}

} // namespace tw

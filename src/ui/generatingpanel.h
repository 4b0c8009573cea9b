// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/gamestate.h"
#include "model/random.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QList>

namespace tw {

// The panel in the middle of the main window while a fleet is generated: it
// shows the generator's current try, and the windows it covers are disabled
// meanwhile.
class GeneratingPanel : public QLabel
{
    Q_OBJECT
public:
    // Precondition: game and random outlive the panel.
    GeneratingPanel(const GameState &game, Random &random, QWidget *parent);

    // The windows disabled while a fleet is generated.
    void setCovered(QList<QWidget *> windows) { m_covered = std::move(windows); }

    // Fills the board with a random fleet of the area, counting its ships in
    // counts, with the panel shown; returns when it is done.
    void generate(Board &board, FleetCounts &counts);

private:
    void showProgress(const QString &text);

    const GameState &m_game;
    Random &m_random;
    QList<QWidget *> m_covered;
    QElapsedTimer m_painted; // the panel repaints at most once a frame
};

} // namespace tw

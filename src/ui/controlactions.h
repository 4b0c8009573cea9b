// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace tw {

class AboutDialog;
class Audio;
class ControlPanel;
class GameState;
class PlayersDialog;
class StatisticsDialog;

// What the control column's switches and dialog buttons do: music and sound
// on and off, the player chosen, the records and the about box shown. The
// game counts as busy while a dialog is open, so invitations are refused.
class ControlActions : public QObject
{
    Q_OBJECT
public:
    // Every reference must outlive this object.
    ControlActions(GameState &game, Audio &audio, ControlPanel *panel, QObject *parent);
    // The dialogs, once the main window has made them: the dialog buttons
    // work from then on.
    void attachDialogs(PlayersDialog *players, StatisticsDialog *statistics, AboutDialog *about);

    void toggleMusic();
    void toggleSound();
    void choosePlayer();
    void showScores();
    void showAbout();
    // The music of the mode: the match's, or the editor's.
    void playModeMusic();

signals:
    // The players dialog closed; the player's name may be another.
    void playerChosen();

private:
    GameState &m_game;
    Audio &m_audio;
    ControlPanel *m_panel;
    PlayersDialog *m_players = nullptr;
    StatisticsDialog *m_statistics = nullptr;
    AboutDialog *m_about = nullptr;
};

} // namespace tw

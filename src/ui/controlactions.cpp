// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlactions.h"

#include "aboutdialog.h"
#include "audio/audio.h"
#include "controlpanel.h"
#include "feedback.h"
#include "match/gamestate.h"
#include "playersdialog.h"
#include "records/players.h"
#include "statisticsdialog.h"
#include "widgets.h"

namespace tw {

ControlActions::ControlActions(GameState &game, Audio &audio, ControlPanel *panel, QObject *parent)
    : QObject(parent), m_game(game), m_audio(audio), m_panel(panel)
{
    connect(m_panel, &ControlPanel::musicClicked, this, &ControlActions::toggleMusic);
    connect(m_panel, &ControlPanel::soundClicked, this, &ControlActions::toggleSound);
    connect(m_panel, &ControlPanel::playerClicked, this, &ControlActions::choosePlayer);
    connect(m_panel, &ControlPanel::scoresClicked, this, &ControlActions::showScores);
    connect(m_panel, &ControlPanel::aboutClicked, this, &ControlActions::showAbout);
}

void ControlActions::attachDialogs(PlayersDialog *players, StatisticsDialog *statistics,
                                   AboutDialog *about)
{
    m_players = players;
    m_statistics = statistics;
    m_about = about;
}

void ControlActions::toggleMusic()
{
    Settings &s = m_game.settings();
    s.musicOn = !s.musicOn;
    m_panel->showSwitches(s);
    if (s.musicOn)
        playModeMusic();
    else
        m_audio.stopMusic();
}

void ControlActions::toggleSound()
{
    Settings &s = m_game.settings();
    s.soundOn = !s.soundOn;
    m_panel->showSwitches(s);
    if (s.soundOn)
        m_audio.playSound(QStringLiteral("wrong3"));
}

void ControlActions::choosePlayer()
{
    if (m_game.match().gameInProgress)
        return;
    m_game.dialogOpened();
    m_players->setName(m_game.settings().playerName);
    m_players->fillPlayerList();
    centerOnScreen(m_players);
    openDialog(m_players, [this] {
        m_game.settings().playerName = normalizedPlayerName(m_players->name());
        emit playerChosen();
        m_game.dialogClosed();
    });
}

void ControlActions::showScores()
{
    m_game.dialogOpened();
    m_audio.playSound(QStringLiteral("gong"));
    centerOnScreen(m_statistics);
    openDialog(m_statistics, [this] { m_game.dialogClosed(); });
}

void ControlActions::showAbout()
{
    m_game.dialogOpened();
    m_audio.playMusic(QStringLiteral("logo"));
    centerOnScreen(m_about);
    openDialog(m_about, [this] {
        playModeMusic();
        m_game.dialogClosed();
    });
}

void ControlActions::playModeMusic()
{
    m_audio.playMusic(m_audio.pickTrack(m_game.match().gameInProgress));
}

} // namespace tw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlactions.h"

#include "aboutdialog.h"
#include "audio/audio.h"
#include "controlpanel.h"
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
    m_game.setModalBusy(true);
    m_players->setName(m_game.settings().playerName);
    m_players->fillPlayerList();
    centerOnScreen(m_players);
    m_players->exec();
    m_game.settings().playerName = normalizedPlayerName(m_players->name());
    emit playerChosen();
    m_game.setModalBusy(false);
}

void ControlActions::showScores()
{
    m_game.setModalBusy(true);
    m_audio.playSound(QStringLiteral("gong"));
    centerOnScreen(m_statistics);
    m_statistics->exec();
    m_game.setModalBusy(false);
}

void ControlActions::showAbout()
{
    m_game.setModalBusy(true);
    m_audio.playMusic(QStringLiteral("logo"));
    centerOnScreen(m_about);
    m_about->exec();
    playModeMusic();
    m_game.setModalBusy(false);
}

void ControlActions::playModeMusic()
{
    m_audio.playMusic(m_audio.pickTrack(m_game.match().gameInProgress));
}

} // namespace tw

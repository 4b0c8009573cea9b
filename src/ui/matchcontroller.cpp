// SPDX-License-Identifier: GPL-3.0-or-later
#include "matchcontroller.h"

#include "audio/audio.h"
#include "feedback.h"
#include "generatingpanel.h"

namespace tw {

MatchController::MatchController(GameState &game, Random &random, Feedback &feedback, Audio &audio,
                                 PeerChannel &network, GameLog &log, const LogClock &clock,
                                 GeneratingPanel &generating, QWidget *window)
    : m_game(game), m_feedback(feedback), m_audio(audio), m_generating(generating),
      m_window(window), m_match(game, random, *this, *this, network, log, clock)
{}

bool MatchController::ask(Box box)
{
    switch (box) {
    case Box::FleetIncomplete:
        m_feedback.message(
            m_window,
            localized(m_game.settings,
                      "Battle area is empty! Use Game Editor, which is located somewhere on "
                      "the screen.",
                      "Недозаполненность поля битвы. Используйте специальную утилиту Game "
                      "Editor, располагающуюся где-то на экране."),
            QStringLiteral(">:-|"), BoxIcon::Question, BoxButtons::Ok, BoxAnswer::Ok);
        return true;
    case Box::NoPlayerName:
        m_feedback.message(
            m_window,
            localized(m_game.settings, "Enter the player name by pressing the \"Player\" button!",
                      "Введите имя посредством кнопки \"Игрок\"!"),
            QStringLiteral(">:-|"), BoxIcon::Exclamation, BoxButtons::Ok, BoxAnswer::Ok);
        return true;
    case Box::ConfirmAbort:
        return m_feedback.message(m_window,
                                  localized(m_game.settings, "Do you want to abort the game?",
                                            "Хотите ли закончить игру?"),
                                  QStringLiteral(":-?"), BoxIcon::Question, BoxButtons::OkCancel,
                                  BoxAnswer::Cancel) == BoxAnswer::Ok;
    }
    return false;
}

void MatchController::generateOpponentFleet(Board &board)
{
    // The counts of the own fleet, complete before a match can start, stay.
    FleetCounts scratch;
    m_generating.generate(board, scratch);
}

void MatchController::playSound(const QString &name)
{
    m_audio.playSound(name);
}

void MatchController::playMusic(const QString &name)
{
    m_audio.playMusic(name);
}

} // namespace tw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "match/gamestate.h"

#include <QGroupBox>
#include <QList>

class QToolButton;

namespace tw {

class ClickLabel;
class Lamp;
class ScoreCounter;
class SunkenLabel;

// The control column of the main window: the six buttons, the music, sound
// and language switches, the turn lamps, both clocks and the score. It shows
// what it is told and reports its controls as signals; the main window acts.
class ControlPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit ControlPanel(QWidget *parent);

    // The captions, shortcuts and switch colours in the language and state of
    // the settings.
    void retranslate(const Settings &settings);
    // The Alt+letter shortcuts of the buttons; their captions must be set.
    void applyShortcuts(const Settings &settings);
    void showSwitches(const Settings &settings);
    // Centres the score under the column and ends the column below it.
    void fitScoreCounter();

    // The indicator tick: in a match the lamp of the side to move lit; the
    // score counter a step nearer to the match's score.
    void showIndicators(const MatchState &match);
    // A miss passed the turn: the lamp of the side that missed goes out.
    void turnPassed(bool playerTurn);
    void showClocks(int playerSeconds, int opponentSeconds);
    // The pause button up again: at a match's start and end.
    void releasePause();
    // No match: clocks empty, lamps out, score 0 at once.
    void showIdle();
    bool pauseDown() const;

    // The names and states assistive technology reads.
    void updateAccessibleTexts(const Settings &settings, const MatchState &match);
    // The controls in their tab order, top to bottom.
    QList<QWidget *> tabOrder() const;

signals:
    void startClicked();
    void pauseClicked();
    void abortClicked();
    void playerClicked();
    void scoresClicked();
    void aboutClicked();
    void musicClicked();
    void soundClicked();
    void languageClicked();
    // A language picked from the language switch's menu, by its code.
    void languageChosen(const QString &code);

private:
    // The menu of every shipped language, each in its own name, at the
    // switch: its context menu (right button, Menu key, Shift+F10).
    void showLanguageMenu(const QPoint &at);

    QToolButton *m_startButton, *m_pauseButton, *m_abortButton, *m_playerButton, *m_scoresButton,
        *m_aboutButton;
    ClickLabel *m_musicToggle, *m_soundToggle, *m_languageToggle;
    Lamp *m_playerTurnLamp, *m_opponentTurnLamp;
    SunkenLabel *m_playerTimeLabel, *m_opponentTimeLabel;
    ScoreCounter *m_scoreCounter;
};

} // namespace tw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The statistics window and the player list, each on its own game data and
// speaking through a recording feedback, driven through their controls and
// keys on the offscreen platform. statswindows_test.cpp holds the fixture,
// the drawing and scrolling they share and the statistics window;
// playerswindow_test.cpp the player list and the player button.
#include "match/gamestate.h"
#include "ui/feedback.h"
#include "ui/playersdialog.h"
#include "ui/statisticsdialog.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace tw {

class StatsWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void scrollsByKey_data();
    void scrollsByKey();
    void drawRefusesWhatCannotBeLaidOut_data();
    void drawRefusesWhatCannotBeLaidOut();
    void drawCentresVerticallyOnlyWithRoomToSpare_data();
    void drawCentresVerticallyOnlyWithRoomToSpare();
    void drawCentresEachLineAndSizesTheBox();

    void statisticsBlockTakesTheHeightOfItsText();
    void statisticsKeysScrollByLineSteps();
    void enterAndEscapeCloseAfterTheirScrollStep_data();
    void enterAndEscapeCloseAfterTheirScrollStep();
    void okButtonCloses();

    void playerListIsSortedAndUnticked();
    void clickingANameCopiesIt();
    void removingWithNothingTickedAsksNothing();
    void removingAsksThenRemovesTheExactName_data();
    void removingAsksThenRemovesTheExactName();
    void nameFieldKeepsWindows1251Characters();
    void playerButtonAppliesTheName_data();
    void playerButtonAppliesTheName();
    void playerButtonDoesNothingDuringAGame();

private:
    // Records every message box it is asked for and answers them all alike,
    // at once.
    class RecordingFeedback : public Feedback
    {
    public:
        struct Message
        {
            QString text;
            QString caption;
            BoxIcon icon;
            BoxButtons buttons;
            BoxAnswer defaultButton;
        };

        void beep() override { ++beeps; }
        void message(QWidget *, const QString &text, const QString &caption, BoxIcon icon,
                     BoxButtons buttons, BoxAnswer defaultButton, Answered answered) override
        {
            messages.append({text, caption, icon, buttons, defaultButton});
            if (answered)
                answered(answer);
        }

        QList<Message> messages;
        BoxAnswer answer = BoxAnswer::Ok;
        int beeps = 0;
    };

    // Makes slot `index` (from 1) a player with that name and score.
    static void usePlayer(GameState &game, int index, const QString &name, int wins = 0);

    QTemporaryDir m_dataDir;
    GameState m_game;
    RecordingFeedback m_feedback;
    std::unique_ptr<StatisticsDialog> m_stats;
    std::unique_ptr<PlayersDialog> m_players;
};

} // namespace tw

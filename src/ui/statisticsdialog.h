// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "paintbox.h"

#include <QDialog>
#include <QScrollArea>
#include <QToolButton>

namespace tw {

class GameState;

// The statistics window.
class StatisticsDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows the records and the end remark of the given state.
    explicit StatisticsDialog(const GameState &game, QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

    // Scrolls back to the first line, as a new statistics block shows.
    void scrollToTop();

protected:
    // A language change retranslates the window.
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void paintStatistics(QPainter &painter);

    QScrollArea *m_scrollArea;
    PaintBox *m_statisticsView; // in the scroll box at (4, 4); each paint sets its height
    QToolButton *m_okButton;

    const GameState &m_game;
};

} // namespace tw

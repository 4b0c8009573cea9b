// The statistics window's behaviour.
#include "forms.h"
#include "match/gamestate.h"
#include "records/statistics.h"
#include "wrappedtext.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace tw {

namespace {

// The family asked for the statistics block; where it is missing the
// desktop's sans-serif face takes its place.
const char *const StatisticsFontFamily = "Sans Serif";
constexpr int StatisticsFontHeight = 11;

} // namespace

void StatisticsDialog::paintStatistics(QPainter &painter)
{
    const GameState &game = gameState();
    const QString text = statisticsText(game.scores, game.match.endRemark, game.settings.englishUi);
    drawWrappedText(m_statisticsView, &painter, text, StatisticsFontHeight,
                    m_statisticsView->palette().color(QPalette::WindowText), QFont::Normal,
                    QString::fromLatin1(StatisticsFontFamily), true, true);
}

void StatisticsDialog::keyPressEvent(QKeyEvent *event)
{
    scrollByKey(m_scrollArea->verticalScrollBar(), event->key());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape)
        accept();
}

} // namespace tw

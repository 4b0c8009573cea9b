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

void TForm4::PaintBox1Paint(QPainter &painter)
{
    const GameState &game = Game();
    const QString text =
        StatisticsText(game.ScoreData, game.match.EndRemark, game.settings.EnglishUI);
    DrawWrappedText(PaintBox1, &painter, text, StatisticsFontHeight,
                    PaintBox1->palette().color(QPalette::WindowText), QFont::Normal,
                    QString::fromLatin1(StatisticsFontFamily), true, true);
}

void TForm4::keyPressEvent(QKeyEvent *event)
{
    ScrollByKey(ScrollBox1->verticalScrollBar(), event->key());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape)
        accept();
}

} // namespace tw

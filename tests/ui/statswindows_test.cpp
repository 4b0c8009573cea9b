// SPDX-License-Identifier: GPL-3.0-or-later
// The fixture of the statistics and player windows, the wrapped text and
// key scrolling they share, and the statistics window.
#include "common/gamestateaccess.h"
#include "match/gamestate.h"
#include "records/records.h"
#include "statswindowstest.h"
#include "ui/statisticsdialog.h"
#include "ui/wrappedtext.h"
#include "uitest.h"

#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

// Resources of a static library are registered by name, outside any namespace.
static void initPictures()
{
    Q_INIT_RESOURCE(images);
}

namespace tw {
namespace {

const QString FontFamily = QStringLiteral("Sans Serif");
constexpr int FontHeight = 11;

int textLineHeight()
{
    QFont font(FontFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FontHeight);
    return QFontMetrics(font).height();
}

// The rows and columns an image holds ink in (anything not white).
QRect inkBounds(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

struct Drawn
{
    int result;
    QRect ink;
    int boxHeight;
};

// Draws text into a paint box of the given size and reports what happened.
Drawn draw(const QString &text, QSize box, bool autoHeight, bool centreVertically)
{
    QWidget paintBox;
    paintBox.resize(box);
    QImage image(box.width(), 2048, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int result = drawWrappedText(&paintBox, &painter, text, FontHeight, Qt::black,
                                       QFont::Normal, FontFamily, autoHeight, centreVertically);
    painter.end();
    return {result, inkBounds(image), paintBox.height()};
}

} // namespace

void StatsWindowsTest::usePlayer(GameState &game, int index, const QString &name, int wins)
{
    PlayerRecord &r = game.scores().players[index - 1];
    setRecordName(r, name);
    r.free = 0;
    r.wins = wins;
    r.lastGame = 45000.5;
}

void StatsWindowsTest::initTestCase()
{
    QVERIFY(m_dataDir.isValid());
    // The main window looks for its files here; nothing in the user's home.
    qputenv("TARNWAKE_DATA_DIR", m_dataDir.path().toLocal8Bit());
    initPictures();
}

void StatsWindowsTest::init()
{
    m_game = GameState();
    setDefaultScoreData(m_game.scores());
    m_feedback = RecordingFeedback();
    m_stats = std::make_unique<StatisticsDialog>(m_game);
    m_players = std::make_unique<PlayersDialog>(m_game, m_feedback);
}

void StatsWindowsTest::cleanup()
{
    m_stats.reset();
    m_players.reset();
}

void StatsWindowsTest::scrollsByKey_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    // A bar from 0 to 100 with a line step of 8.
    QTest::newRow("page up") << 50 << int(Qt::Key_PageUp) << 18;
    QTest::newRow("page down") << 50 << int(Qt::Key_PageDown) << 82;
    QTest::newRow("end") << 50 << int(Qt::Key_End) << 100;
    QTest::newRow("home") << 50 << int(Qt::Key_Home) << 0;
    QTest::newRow("up") << 50 << int(Qt::Key_Up) << 42;
    QTest::newRow("down") << 50 << int(Qt::Key_Down) << 58;
    QTest::newRow("left") << 50 << int(Qt::Key_Left) << 50;
    QTest::newRow("right") << 50 << int(Qt::Key_Right) << 50;
    QTest::newRow("escape") << 50 << int(Qt::Key_Escape) << 50;
    QTest::newRow("page up at the top") << 10 << int(Qt::Key_PageUp) << 0;
    QTest::newRow("page down at the bottom") << 90 << int(Qt::Key_PageDown) << 100;
}

void StatsWindowsTest::scrollsByKey()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    QScrollBar bar(Qt::Vertical);
    bar.setRange(0, 100);
    bar.setSingleStep(8);
    bar.setPageStep(50); // the page is four line steps, whatever the bar's own page
    bar.setValue(start);
    scrollByKey(&bar, key);
    QCOMPARE(bar.value(), expected);
}

void StatsWindowsTest::drawRefusesWhatCannotBeLaidOut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("one character") << QStringLiteral("a") << 200;
    QTest::newRow("box narrower than 16") << QStringLiteral("ab|") << 15;
    QTest::newRow("word wider than the box")
        << QStringLiteral("fine|") + QString(80, u'W') + u'|' << 200;
    QTest::newRow("1025 lines") << QStringLiteral("x|").repeated(1025) << 200;
}

void StatsWindowsTest::drawRefusesWhatCannotBeLaidOut()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    const Drawn drawn = draw(text, {width, 77}, true, true);
    QCOMPARE(drawn.result, -1);
    QVERIFY(drawn.ink.isNull());
    QCOMPARE(drawn.boxHeight, 77);
}

void StatsWindowsTest::drawCentresVerticallyOnlyWithRoomToSpare_data()
{
    // Room beyond the text's height, and how far that moves the text down
    // compared with no centring.
    QTest::addColumn<int>("extra");
    QTest::addColumn<bool>("autoHeight");
    QTest::addColumn<int>("shift");
    QTest::newRow("3 pixels spare: top") << 3 << false << 0;
    QTest::newRow("4 pixels spare: centred") << 4 << false << 2;
    QTest::newRow("10 pixels spare") << 10 << false << 5;
    QTest::newRow("11 pixels spare, rounded down") << 11 << false << 5;
    QTest::newRow("auto height never centres") << 40 << true << 0;
}

void StatsWindowsTest::drawCentresVerticallyOnlyWithRoomToSpare()
{
    QFETCH(int, extra);
    QFETCH(bool, autoHeight);
    QFETCH(int, shift);
    const QString text = QStringLiteral("Hello|world|");
    const int total = 2 * textLineHeight();
    const Drawn top = draw(text, {200, total}, false, false);
    const Drawn centred = draw(text, {200, total + extra}, autoHeight, true);
    QCOMPARE(top.result, 2);
    QCOMPARE(centred.result, 2);
    QCOMPARE(centred.ink.top() - top.ink.top(), shift);
}

void StatsWindowsTest::drawCentresEachLineAndSizesTheBox()
{
    const QString text = QStringLiteral("Hello|");
    const Drawn narrow = draw(text, {200, 5}, true, true);
    const Drawn wide = draw(text, {210, 5}, true, true);
    QCOMPARE(narrow.result, 1);
    QCOMPARE(wide.ink.left() - narrow.ink.left(), 5);
    QCOMPARE(narrow.boxHeight, textLineHeight());
    QVERIFY(narrow.ink.bottom() < textLineHeight());
    // The line height does not depend on the letters drawn.
    QCOMPARE(draw(QStringLiteral("..|"), {200, 5}, true, true).boxHeight, textLineHeight());
    QCOMPARE(draw(QStringLiteral("a||b|"), {200, 5}, true, true).result, 3);
}

void StatsWindowsTest::statisticsBlockTakesTheHeightOfItsText()
{
    StatisticsDialog &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Nothing recorded: the name between empty lines and the closing line.
    const int lineHeight = textLineHeight();
    QTRY_COMPARE(test::child<PaintBox>(&form, "statisticsView")->height(), 4 * lineHeight);
    QCOMPARE(test::child<PaintBox>(&form, "statisticsView")->geometry(),
             QRect(4, 4, 485, 4 * lineHeight));
    QCOMPARE(test::child<QScrollArea>(&form, "scrollArea")->widget()->height(), 4 + 4 * lineHeight);

    // One player: five record lines, each followed by an empty one, and the
    // player's own line.
    usePlayer(m_game, 1, QStringLiteral("Al"));
    test::child<PaintBox>(&form, "statisticsView")->update();
    QTRY_COMPARE(test::child<PaintBox>(&form, "statisticsView")->height(),
                 (4 + 10 + 1) * lineHeight);
    QCOMPARE(test::child<QScrollArea>(&form, "scrollArea")->widget()->height(),
             4 + 15 * lineHeight);

    // An end-of-game remark of two lines goes on top.
    matchOf(m_game).endRemark = QStringLiteral("You won!|Score: 120");
    test::child<PaintBox>(&form, "statisticsView")->update();
    QTRY_COMPARE(test::child<PaintBox>(&form, "statisticsView")->height(),
                 (2 + 3 + 10 + 1 + 1) * lineHeight);
}

void StatsWindowsTest::statisticsKeysScrollByLineSteps()
{
    for (int i = 1; i <= 40; ++i)
        usePlayer(m_game, i, QStringLiteral("Player %1").arg(i), i);
    StatisticsDialog &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QScrollBar *bar = test::child<QScrollArea>(&form, "scrollArea")->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 100);
    QCOMPARE(bar->value(), 0);

    QTest::keyClick(&form, Qt::Key_PageDown);
    QCOMPARE(bar->value(), 32);
    QTest::keyClick(&form, Qt::Key_Down);
    QCOMPARE(bar->value(), 40);
    QTest::keyClick(&form, Qt::Key_Left);
    QCOMPARE(bar->value(), 40);
    QTest::keyClick(&form, Qt::Key_End);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(form.isVisible());
}

void StatsWindowsTest::enterAndEscapeCloseAfterTheirScrollStep_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("escape") << int(Qt::Key_Escape);
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << int(Qt::Key_Enter);
}

void StatsWindowsTest::enterAndEscapeCloseAfterTheirScrollStep()
{
    QFETCH(int, key);
    for (int i = 1; i <= 40; ++i)
        usePlayer(m_game, i, QStringLiteral("Player %1").arg(i));
    StatisticsDialog &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QScrollBar *bar = test::child<QScrollArea>(&form, "scrollArea")->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 100);
    bar->setValue(16);

    QTest::keyClick(&form, static_cast<Qt::Key>(key));
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(bar->value(), 16);
}

void StatsWindowsTest::okButtonCloses()
{
    StatisticsDialog &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(test::child<QToolButton>(&form, "okButton"), Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

} // namespace tw

QTEST_MAIN(tw::StatsWindowsTest)

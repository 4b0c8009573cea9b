// The statistics window, the player list and the wrapped text they draw,
// driven through their controls and keys on the offscreen platform.
#include "match/gamestate.h"
#include "records/records.h"
#include "ui/feedback.h"
#include "ui/mainwindow.h"
#include "ui/playersdialog.h"
#include "ui/statisticsdialog.h"
#include "ui/wrappedtext.h"
#include "uitest.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

// Resources of a static library are registered by name, outside any namespace.
static void initPictures()
{
    Q_INIT_RESOURCE(images);
}

namespace tw {
namespace {

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
    BoxAnswer message(QWidget *, const QString &text, const QString &caption, BoxIcon icon,
                      BoxButtons buttons, BoxAnswer defaultButton) override
    {
        messages.append({text, caption, icon, buttons, defaultButton});
        return answer;
    }

    QList<Message> messages;
    BoxAnswer answer = BoxAnswer::Ok;
    int beeps = 0;
};

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

void usePlayer(GameState &game, int index, const QString &name, int wins = 0)
{
    PlayerRecord &r = game.scores.players[index - 1];
    setRecordName(r, name);
    r.free = 0;
    r.wins = wins;
    r.lastGame = 45000.5;
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

QListWidgetItem *findItem(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    return found.size() == 1 ? found.first() : nullptr;
}

// Types text character by character, as a keyboard layout of any script
// would deliver it.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void clickItem(QListWidget *list, QListWidgetItem *item)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace

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
    QTemporaryDir m_dataDir;
    GameState m_game;
    RecordingFeedback m_feedback;
    std::unique_ptr<StatisticsDialog> m_stats;
    std::unique_ptr<PlayersDialog> m_players;
};

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
    setDefaultScoreData(m_game.scores);
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
    m_game.match.endRemark = QStringLiteral("You won!|Score: 120");
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

void StatsWindowsTest::playerListIsSortedAndUnticked()
{
    usePlayer(m_game, 1, QStringLiteral("zed"));
    usePlayer(m_game, 2, QStringLiteral("Anna"));
    usePlayer(m_game, 4, QStringLiteral("ёлка"));
    usePlayer(m_game, 5, QStringLiteral("bob"));
    usePlayer(m_game, 6, QStringLiteral("Ёжик"));
    usePlayer(m_game, 9, QStringLiteral("Carl"));
    setRecordName(m_game.scores.players[2], u"Ghost"); // a free slot is not listed

    PlayersDialog &form = *m_players;
    form.fillPlayerList();
    form.fillPlayerList(); // refilling replaces the entries
    QCOMPARE(listTexts(test::child<QListWidget>(&form, "playerList")),
             (QStringList{QStringLiteral("Anna"), QStringLiteral("bob"), QStringLiteral("Carl"),
                          QStringLiteral("zed"), QStringLiteral("Ёжик"), QStringLiteral("ёлка")}));
    for (int row = 0; row < test::child<QListWidget>(&form, "playerList")->count(); ++row) {
        const QListWidgetItem *item = test::child<QListWidget>(&form, "playerList")->item(row);
        QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
        QCOMPARE(item->checkState(), Qt::Unchecked);
    }
}

void StatsWindowsTest::clickingANameCopiesIt()
{
    usePlayer(m_game, 1, QStringLiteral("Anna"));
    usePlayer(m_game, 2, QStringLiteral("bob"));
    PlayersDialog &form = *m_players;
    test::child<QLineEdit>(&form, "nameEdit")->setText(QStringLiteral("Someone"));
    form.fillPlayerList();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    clickItem(test::child<QListWidget>(&form, "playerList"),
              findItem(test::child<QListWidget>(&form, "playerList"), QStringLiteral("bob")));
    QCOMPARE(test::child<QLineEdit>(&form, "nameEdit")->text(), QStringLiteral("bob"));
}

void StatsWindowsTest::removingWithNothingTickedAsksNothing()
{
    PlayersDialog &form = *m_players;
    form.fillPlayerList();
    QTest::mouseClick(test::child<QPushButton>(&form, "removeButton"),
                      Qt::LeftButton); // empty list
    usePlayer(m_game, 1, QStringLiteral("Anna"));
    form.fillPlayerList();
    QTest::mouseClick(test::child<QPushButton>(&form, "removeButton"),
                      Qt::LeftButton); // nothing ticked
    QVERIFY(m_feedback.messages.isEmpty());
    QCOMPARE(m_game.scores.players[0].free, 0);
    QCOMPARE(listTexts(test::child<QListWidget>(&form, "playerList")),
             QStringList{QStringLiteral("Anna")});
}

void StatsWindowsTest::removingAsksThenRemovesTheExactName_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("question");
    const QString en = QStringLiteral("Do you want to remove selected users?");
    const QString ru = QStringLiteral("Удалить выделенных пользователей?");
    QTest::newRow("english, ok") << true << true << en;
    QTest::newRow("english, cancel") << true << false << en;
    QTest::newRow("russian, ok") << false << true << ru;
}

void StatsWindowsTest::removingAsksThenRemovesTheExactName()
{
    QFETCH(bool, english);
    QFETCH(bool, confirm);
    QFETCH(QString, question);
    m_game.settings.englishUi = english;
    usePlayer(m_game, 2, QStringLiteral("Bob"), 4);
    usePlayer(m_game, 5, QStringLiteral("bob"), 6);
    usePlayer(m_game, 9, QStringLiteral("Bob"), 1);
    usePlayer(m_game, 11, QStringLiteral("Cid"), 2);
    PlayersDialog &form = *m_players;
    form.fillPlayerList();
    QCOMPARE(test::child<QListWidget>(&form, "playerList")->count(), 4);
    // Both "Bob" entries name the same text; ticking one is enough.
    test::child<QListWidget>(&form, "playerList")
        ->findItems(QStringLiteral("Bob"), Qt::MatchExactly)
        .first()
        ->setCheckState(Qt::Checked);
    findItem(test::child<QListWidget>(&form, "playerList"), QStringLiteral("Cid"))
        ->setCheckState(Qt::Checked);
    m_feedback.answer = confirm ? BoxAnswer::Ok : BoxAnswer::Cancel;

    QTest::mouseClick(test::child<QPushButton>(&form, "removeButton"), Qt::LeftButton);

    QCOMPARE(m_feedback.messages.size(), 1);
    const RecordingFeedback::Message &asked = m_feedback.messages.first();
    QCOMPARE(asked.text, question);
    QCOMPARE(asked.caption, QStringLiteral(":-?"));
    QCOMPARE(asked.icon, BoxIcon::Exclamation);
    QCOMPARE(asked.buttons, BoxButtons::OkCancel);
    QCOMPARE(asked.defaultButton, BoxAnswer::Cancel);
    const ScoreBlock &data = m_game.scores;
    if (!confirm) {
        QCOMPARE(listTexts(test::child<QListWidget>(&form, "playerList")).size(), 4);
        QCOMPARE(data.players[1].free, 0);
        return;
    }
    QCOMPARE(data.players[1].free, 1);
    QCOMPARE(data.players[8].free, 1);
    QCOMPARE(data.players[10].free, 1);
    QCOMPARE(data.players[4].free, 0); // "bob" differs in letter case
    QCOMPARE(listTexts(test::child<QListWidget>(&form, "playerList")),
             QStringList{QStringLiteral("bob")});
    QCOMPARE(test::child<QListWidget>(&form, "playerList")->item(0)->checkState(), Qt::Unchecked);
}

void StatsWindowsTest::nameFieldKeepsWindows1251Characters()
{
    QLineEdit *edit = test::child<QLineEdit>(m_players.get(), "nameEdit");
    edit->clear();
    type(edit, QStringLiteral("Капитан 日"));
    edit->insert(QStringLiteral("日本|Nemo€"));
    QCOMPARE(edit->text(), QStringLiteral("Капитан |Nemo€"));
    QCOMPARE(edit->cursorPosition(), edit->text().size());
    edit->insert(QString(40, u'x'));
    QCOMPARE(edit->text().size(), 32);
}

void StatsWindowsTest::playerButtonAppliesTheName_data()
{
    using Action = std::function<void(PlayersDialog &)>;
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cleared, close box") << Action([](PlayersDialog &form) {
        test::child<QLineEdit>(&form, "nameEdit")->clear();
        form.close();
    }) << QStringLiteral("NewUser");
    QTest::newRow("bar typed, Ok button") << Action([](PlayersDialog &form) {
        test::child<QLineEdit>(&form, "nameEdit")->clear();
        QTest::keyClicks(test::child<QLineEdit>(&form, "nameEdit"), QStringLiteral("Sea|Wolf"));
        QTest::mouseClick(test::child<QPushButton>(&form, "okButton"), Qt::LeftButton);
    }) << QStringLiteral("Sea Wolf");
    QTest::newRow("typed, Enter") << Action([](PlayersDialog &form) {
        test::child<QLineEdit>(&form, "nameEdit")->setText(QStringLiteral(" Nemo "));
        QTest::keyClick(test::child<QLineEdit>(&form, "nameEdit"), Qt::Key_Return);
    }) << QStringLiteral(" Nemo ");
    QTest::newRow("listed name clicked, close box") << Action([](PlayersDialog &form) {
        clickItem(test::child<QListWidget>(&form, "playerList"),
                  findItem(test::child<QListWidget>(&form, "playerList"), QStringLiteral("Anna")));
        form.close();
    }) << QStringLiteral("Anna");
    QTest::newRow("left alone, escape") << Action([](PlayersDialog &form) {
        QTest::keyClick(test::child<QLineEdit>(&form, "nameEdit"), Qt::Key_Escape);
    }) << QStringLiteral("Old Salt");
}

void StatsWindowsTest::playerButtonAppliesTheName()
{
    using Action = std::function<void(PlayersDialog &)>;
    QFETCH(Action, action);
    QFETCH(QString, expected);
    usePlayer(m_game, 3, QStringLiteral("Anna"));
    m_game.settings.playerName = QStringLiteral("Old Salt");
    MainWindow main(&m_feedback);
    main.game() = m_game;
    main.makeCompanions();
    PlayersDialog *players = main.findChild<PlayersDialog *>();

    QString shownName;
    bool busyWhileShown = false;
    QTimer::singleShot(0, players, [&] {
        PlayersDialog &form = *players;
        if (!form.isVisible())
            return;
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        shownName = test::child<QLineEdit>(&form, "nameEdit")->text();
        busyWhileShown = main.game().modalBusy;
        action(form);
    });
    QTimer guard; // a dialog left open would hang the test
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, players, &QDialog::reject);
    guard.start(10000);

    QTest::mouseClick(test::child<QToolButton>(&main, "playerButton"), Qt::LeftButton);

    QVERIFY(guard.isActive());
    QVERIFY(!players->isVisible());
    QCOMPARE(shownName, QStringLiteral("Old Salt"));
    QVERIFY(busyWhileShown);
    QVERIFY(!main.game().modalBusy);
    QCOMPARE(main.game().settings.playerName, expected);
    QVERIFY(main.windowTitle().endsWith(expected));
}

void StatsWindowsTest::playerButtonDoesNothingDuringAGame()
{
    m_game.match.gameInProgress = true;
    m_game.settings.playerName = QStringLiteral("Old Salt");
    MainWindow main(&m_feedback);
    main.game() = m_game;
    main.makeCompanions();
    PlayersDialog *players = main.findChild<PlayersDialog *>();
    bool shown = false;
    QTimer::singleShot(0, players, [&] {
        shown = players->isVisible();
        players->reject();
    });
    test::child<QLineEdit>(players, "nameEdit")->setText(QStringLiteral("Changed"));
    QTest::mouseClick(test::child<QToolButton>(&main, "playerButton"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!shown);
    QCOMPARE(main.game().settings.playerName, QStringLiteral("Old Salt"));
    QVERIFY(!main.game().modalBusy);
}

} // namespace tw

QTEST_MAIN(tw::StatsWindowsTest)
#include "statswindows_test.moc"

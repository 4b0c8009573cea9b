// The statistics window, the player list and the wrapped text they draw,
// driven through their controls and keys on the offscreen platform.
#include "match/gamestate.h"
#include "records/records.h"
#include "ui/feedback.h"
#include "ui/forms.h"
#include "ui/mainwindow.h"
#include "ui/wrappedtext.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

// Resources of a static library are registered by name, outside any namespace.
static void InitPictures()
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

int LineHeight()
{
    QFont font(FontFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(FontHeight);
    return QFontMetrics(font).height();
}

// The rows and columns an image holds ink in (anything not white).
QRect InkBounds(const QImage &image)
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
Drawn Draw(const QString &text, QSize box, bool autoHeight, bool centreVertically)
{
    QWidget paintBox;
    paintBox.resize(box);
    QImage image(box.width(), 2048, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int result = DrawWrappedText(&paintBox, &painter, text, FontHeight, Qt::black,
                                       QFont::Normal, FontFamily, autoHeight, centreVertically);
    painter.end();
    return {result, InkBounds(image), paintBox.height()};
}

void UsePlayer(int index, const QString &name, int wins = 0)
{
    TPlayerRecord &r = Game().ScoreData.Players[index - 1];
    SetRecordName(r, name);
    r.Free = 0;
    r.Wins = wins;
    r.LastGame = 45000.5;
}

QStringList ListTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

QListWidgetItem *FindItem(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    return found.size() == 1 ? found.first() : nullptr;
}

// Types text character by character, as a keyboard layout of any script
// would deliver it.
void Type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void ClickItem(QListWidget *list, QListWidgetItem *item)
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

    void scrollByKey_data();
    void scrollByKey();
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
    RecordingFeedback m_feedback;
    std::unique_ptr<TForm4> m_stats;
    std::unique_ptr<TForm3> m_players;
};

void StatsWindowsTest::initTestCase()
{
    QVERIFY(m_dataDir.isValid());
    // The main window looks for its files here; nothing in the user's home.
    qputenv("TARNWAKE_DATA_DIR", m_dataDir.path().toLocal8Bit());
    InitPictures();
    SetUiFeedback(&m_feedback);
}

void StatsWindowsTest::init()
{
    GameState &game = Game();
    game = GameState();
    SetDefaultScoreData(game.ScoreData);
    m_feedback = RecordingFeedback();
    m_stats = std::make_unique<TForm4>();
    m_players = std::make_unique<TForm3>();
    m_players->Edit1->setMaxLength(32);
}

void StatsWindowsTest::cleanup()
{
    m_stats.reset();
    m_players.reset();
}

void StatsWindowsTest::scrollByKey_data()
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

void StatsWindowsTest::scrollByKey()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    QScrollBar bar(Qt::Vertical);
    bar.setRange(0, 100);
    bar.setSingleStep(8);
    bar.setPageStep(50); // the page is four line steps, whatever the bar's own page
    bar.setValue(start);
    ScrollByKey(&bar, key);
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
    const Drawn drawn = Draw(text, {width, 77}, true, true);
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
    const int total = 2 * LineHeight();
    const Drawn top = Draw(text, {200, total}, false, false);
    const Drawn centred = Draw(text, {200, total + extra}, autoHeight, true);
    QCOMPARE(top.result, 2);
    QCOMPARE(centred.result, 2);
    QCOMPARE(centred.ink.top() - top.ink.top(), shift);
}

void StatsWindowsTest::drawCentresEachLineAndSizesTheBox()
{
    const QString text = QStringLiteral("Hello|");
    const Drawn narrow = Draw(text, {200, 5}, true, true);
    const Drawn wide = Draw(text, {210, 5}, true, true);
    QCOMPARE(narrow.result, 1);
    QCOMPARE(wide.ink.left() - narrow.ink.left(), 5);
    QCOMPARE(narrow.boxHeight, LineHeight());
    QVERIFY(narrow.ink.bottom() < LineHeight());
    // The line height does not depend on the letters drawn.
    QCOMPARE(Draw(QStringLiteral("..|"), {200, 5}, true, true).boxHeight, LineHeight());
    QCOMPARE(Draw(QStringLiteral("a||b|"), {200, 5}, true, true).result, 3);
}

void StatsWindowsTest::statisticsBlockTakesTheHeightOfItsText()
{
    TForm4 &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Nothing recorded: the name between empty lines and the closing line.
    const int lineHeight = LineHeight();
    QTRY_COMPARE(form.PaintBox1->height(), 4 * lineHeight);
    QCOMPARE(form.PaintBox1->geometry(), QRect(4, 4, 485, 4 * lineHeight));
    QCOMPARE(form.ScrollBox1->widget()->height(), 4 + 4 * lineHeight);

    // One player: five record lines, each followed by an empty one, and the
    // player's own line.
    UsePlayer(1, QStringLiteral("Al"));
    form.PaintBox1->update();
    QTRY_COMPARE(form.PaintBox1->height(), (4 + 10 + 1) * lineHeight);
    QCOMPARE(form.ScrollBox1->widget()->height(), 4 + 15 * lineHeight);

    // An end-of-game remark of two lines goes on top.
    Game().match.EndRemark = QStringLiteral("You won!|Score: 120");
    form.PaintBox1->update();
    QTRY_COMPARE(form.PaintBox1->height(), (2 + 3 + 10 + 1 + 1) * lineHeight);
}

void StatsWindowsTest::statisticsKeysScrollByLineSteps()
{
    for (int i = 1; i <= 40; ++i)
        UsePlayer(i, QStringLiteral("Player %1").arg(i), i);
    TForm4 &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QScrollBar *bar = form.ScrollBox1->verticalScrollBar();
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
        UsePlayer(i, QStringLiteral("Player %1").arg(i));
    TForm4 &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QScrollBar *bar = form.ScrollBox1->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 100);
    bar->setValue(16);

    QTest::keyClick(&form, static_cast<Qt::Key>(key));
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(bar->value(), 16);
}

void StatsWindowsTest::okButtonCloses()
{
    TForm4 &form = *m_stats;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

void StatsWindowsTest::playerListIsSortedAndUnticked()
{
    UsePlayer(1, QStringLiteral("zed"));
    UsePlayer(2, QStringLiteral("Anna"));
    UsePlayer(4, QStringLiteral("ёлка"));
    UsePlayer(5, QStringLiteral("bob"));
    UsePlayer(6, QStringLiteral("Ёжик"));
    UsePlayer(9, QStringLiteral("Carl"));
    SetRecordName(Game().ScoreData.Players[2], u"Ghost"); // a free slot is not listed

    TForm3 &form = *m_players;
    form.FillPlayerList();
    form.FillPlayerList(); // refilling replaces the entries
    QCOMPARE(ListTexts(form.CheckListBox1),
             (QStringList{QStringLiteral("Anna"), QStringLiteral("bob"), QStringLiteral("Carl"),
                          QStringLiteral("zed"), QStringLiteral("Ёжик"), QStringLiteral("ёлка")}));
    for (int row = 0; row < form.CheckListBox1->count(); ++row) {
        const QListWidgetItem *item = form.CheckListBox1->item(row);
        QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
        QCOMPARE(item->checkState(), Qt::Unchecked);
    }
}

void StatsWindowsTest::clickingANameCopiesIt()
{
    UsePlayer(1, QStringLiteral("Anna"));
    UsePlayer(2, QStringLiteral("bob"));
    TForm3 &form = *m_players;
    form.Edit1->setText(QStringLiteral("Someone"));
    form.FillPlayerList();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ClickItem(form.CheckListBox1, FindItem(form.CheckListBox1, QStringLiteral("bob")));
    QCOMPARE(form.Edit1->text(), QStringLiteral("bob"));
}

void StatsWindowsTest::removingWithNothingTickedAsksNothing()
{
    TForm3 &form = *m_players;
    form.FillPlayerList();
    QTest::mouseClick(form.Button2, Qt::LeftButton); // empty list
    UsePlayer(1, QStringLiteral("Anna"));
    form.FillPlayerList();
    QTest::mouseClick(form.Button2, Qt::LeftButton); // nothing ticked
    QVERIFY(m_feedback.messages.isEmpty());
    QCOMPARE(Game().ScoreData.Players[0].Free, 0);
    QCOMPARE(ListTexts(form.CheckListBox1), QStringList{QStringLiteral("Anna")});
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
    Game().settings.EnglishUI = english;
    UsePlayer(2, QStringLiteral("Bob"), 4);
    UsePlayer(5, QStringLiteral("bob"), 6);
    UsePlayer(9, QStringLiteral("Bob"), 1);
    UsePlayer(11, QStringLiteral("Cid"), 2);
    TForm3 &form = *m_players;
    form.FillPlayerList();
    QCOMPARE(form.CheckListBox1->count(), 4);
    // Both "Bob" entries name the same text; ticking one is enough.
    form.CheckListBox1->findItems(QStringLiteral("Bob"), Qt::MatchExactly)
        .first()
        ->setCheckState(Qt::Checked);
    FindItem(form.CheckListBox1, QStringLiteral("Cid"))->setCheckState(Qt::Checked);
    m_feedback.answer = confirm ? BoxAnswer::Ok : BoxAnswer::Cancel;

    QTest::mouseClick(form.Button2, Qt::LeftButton);

    QCOMPARE(m_feedback.messages.size(), 1);
    const RecordingFeedback::Message &asked = m_feedback.messages.first();
    QCOMPARE(asked.text, question);
    QCOMPARE(asked.caption, QStringLiteral(":-?"));
    QCOMPARE(asked.icon, BoxIcon::Exclamation);
    QCOMPARE(asked.buttons, BoxButtons::OkCancel);
    QCOMPARE(asked.defaultButton, BoxAnswer::Cancel);
    const TScoreData &data = Game().ScoreData;
    if (!confirm) {
        QCOMPARE(ListTexts(form.CheckListBox1).size(), 4);
        QCOMPARE(data.Players[1].Free, 0);
        return;
    }
    QCOMPARE(data.Players[1].Free, 1);
    QCOMPARE(data.Players[8].Free, 1);
    QCOMPARE(data.Players[10].Free, 1);
    QCOMPARE(data.Players[4].Free, 0); // "bob" differs in letter case
    QCOMPARE(ListTexts(form.CheckListBox1), QStringList{QStringLiteral("bob")});
    QCOMPARE(form.CheckListBox1->item(0)->checkState(), Qt::Unchecked);
}

void StatsWindowsTest::nameFieldKeepsWindows1251Characters()
{
    QLineEdit *edit = m_players->Edit1;
    edit->clear();
    Type(edit, QStringLiteral("Капитан 日"));
    edit->insert(QStringLiteral("日本|Nemo€"));
    QCOMPARE(edit->text(), QStringLiteral("Капитан |Nemo€"));
    QCOMPARE(edit->cursorPosition(), edit->text().size());
    edit->insert(QString(40, u'x'));
    QCOMPARE(edit->text().size(), 32);
}

void StatsWindowsTest::playerButtonAppliesTheName_data()
{
    using Action = std::function<void(TForm3 &)>;
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cleared, close box") << Action([](TForm3 &form) {
        form.Edit1->clear();
        form.close();
    }) << QStringLiteral("NewUser");
    QTest::newRow("bar typed, Ok button") << Action([](TForm3 &form) {
        form.Edit1->clear();
        QTest::keyClicks(form.Edit1, QStringLiteral("Sea|Wolf"));
        QTest::mouseClick(form.Button1, Qt::LeftButton);
    }) << QStringLiteral("Sea Wolf");
    QTest::newRow("typed, Enter") << Action([](TForm3 &form) {
        form.Edit1->setText(QStringLiteral(" Nemo "));
        QTest::keyClick(form.Edit1, Qt::Key_Return);
    }) << QStringLiteral(" Nemo ");
    QTest::newRow("listed name clicked, close box") << Action([](TForm3 &form) {
        ClickItem(form.CheckListBox1, FindItem(form.CheckListBox1, QStringLiteral("Anna")));
        form.close();
    }) << QStringLiteral("Anna");
    QTest::newRow("left alone, escape")
        << Action([](TForm3 &form) { QTest::keyClick(form.Edit1, Qt::Key_Escape); })
        << QStringLiteral("Old Salt");
}

void StatsWindowsTest::playerButtonAppliesTheName()
{
    using Action = std::function<void(TForm3 &)>;
    QFETCH(Action, action);
    QFETCH(QString, expected);
    UsePlayer(3, QStringLiteral("Anna"));
    Game().settings.PlayerName = QStringLiteral("Old Salt");
    TForm1 main;
    main.Form3 = m_players.release();
    main.Form3->setParent(&main, main.Form3->windowFlags());

    QString shownName;
    bool busyWhileShown = false;
    QTimer::singleShot(0, main.Form3, [&] {
        TForm3 &form = *main.Form3;
        if (!form.isVisible())
            return;
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        shownName = form.Edit1->text();
        busyWhileShown = Game().ModalBusy;
        action(form);
    });
    QTimer guard; // a dialog left open would hang the test
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, main.Form3, &QDialog::reject);
    guard.start(10000);

    QTest::mouseClick(main.SpeedButton3, Qt::LeftButton);

    QVERIFY(guard.isActive());
    QVERIFY(!main.Form3->isVisible());
    QCOMPARE(shownName, QStringLiteral("Old Salt"));
    QVERIFY(busyWhileShown);
    QVERIFY(!Game().ModalBusy);
    QCOMPARE(Game().settings.PlayerName, expected);
    QVERIFY(main.windowTitle().endsWith(expected));
}

void StatsWindowsTest::playerButtonDoesNothingDuringAGame()
{
    Game().match.GameInProgress = true;
    Game().settings.PlayerName = QStringLiteral("Old Salt");
    TForm1 main;
    main.Form3 = m_players.release();
    main.Form3->setParent(&main, main.Form3->windowFlags());
    bool shown = false;
    QTimer::singleShot(0, main.Form3, [&] {
        shown = main.Form3->isVisible();
        main.Form3->reject();
    });
    main.Form3->Edit1->setText(QStringLiteral("Changed"));
    QTest::mouseClick(main.SpeedButton3, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!shown);
    QCOMPARE(Game().settings.PlayerName, QStringLiteral("Old Salt"));
    QVERIFY(!Game().ModalBusy);
}

} // namespace tw

QTEST_MAIN(tw::StatsWindowsTest)
#include "statswindows_test.moc"

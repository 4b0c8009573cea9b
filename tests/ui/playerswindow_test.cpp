// SPDX-License-Identifier: GPL-3.0-or-later
// The player list and the player button: sorting, copying a name, removing
// ticked names after asking, and the name the main window takes.
#include "common/gamestateaccess.h"
#include "match/gamestate.h"
#include "records/records.h"
#include "statswindowstest.h"
#include "ui/mainwindow.h"
#include "ui/playersdialog.h"
#include "uitest.h"

#include <QListWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace tw {
namespace {

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

void StatsWindowsTest::playerListIsSortedAndUnticked()
{
    usePlayer(m_game, 1, QStringLiteral("zed"));
    usePlayer(m_game, 2, QStringLiteral("Anna"));
    usePlayer(m_game, 4, QStringLiteral("ёлка"));
    usePlayer(m_game, 5, QStringLiteral("bob"));
    usePlayer(m_game, 6, QStringLiteral("Ёжик"));
    usePlayer(m_game, 9, QStringLiteral("Carl"));
    setRecordName(m_game.scores().players[2], u"Ghost"); // a free slot is not listed

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
    QCOMPARE(m_game.scores().players[0].free, 0);
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
    m_game.settings().englishUi = english;
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
    const ScoreBlock &data = m_game.scores();
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
    m_game.settings().playerName = QStringLiteral("Old Salt");
    MainWindow main(m_feedback);
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
        busyWhileShown = main.game().modalBusy();
        action(form);
    });
    QTimer guard; // a dialog left open would hang the test
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, players, &QDialog::reject);
    guard.start(10000);

    QTest::mouseClick(test::child<QToolButton>(&main, "playerButton"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([players] { return !players->isVisible(); }, 20000));

    QVERIFY(guard.isActive());
    QCOMPARE(shownName, QStringLiteral("Old Salt"));
    QVERIFY(busyWhileShown);
    QVERIFY(!main.game().modalBusy());
    QCOMPARE(main.game().settings().playerName, expected);
    QVERIFY(main.windowTitle().endsWith(expected));
}

void StatsWindowsTest::playerButtonDoesNothingDuringAGame()
{
    matchOf(m_game).gameInProgress = true;
    m_game.settings().playerName = QStringLiteral("Old Salt");
    MainWindow main(m_feedback);
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
    QCOMPARE(main.game().settings().playerName, QStringLiteral("Old Salt"));
    QVERIFY(!main.game().modalBusy());
}

} // namespace tw

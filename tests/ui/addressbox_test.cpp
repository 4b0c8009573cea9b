// SPDX-License-Identifier: GPL-3.0-or-later
// The address field's drop-down of games found: the list changing never
// touches what the field holds, and choosing a game writes its address.
#include "net/foundgames.h"
#include "ui/addressbox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace tw;

namespace {

FoundGame foundGame(const QString &name, const QString &address, int port = 8170)
{
    return {QStringLiteral("local/") + name, name,    10,
            QStringLiteral("host-") + name,  address, port};
}

} // namespace

class AddressBoxTest : public QObject
{
    Q_OBJECT
private slots:
    void listChangesLeaveTheFieldAlone();
    void choosingAGameFillsTheFieldAndItsGoingKeepsIt();
};

void AddressBoxTest::listChangesLeaveTheFieldAlone()
{
    QWidget group;
    auto *edit = new QLineEdit(&group);
    edit->setGeometry(52, 16, 113, 17);
    FoundGamesModel games;
    AddressBox box(edit, &games);
    QCOMPARE(box.lineEdit(), edit);
    QCOMPARE(box.geometry(), QRect(52, 16, 113, 17));
    group.show();

    QTest::keyClicks(edit, QStringLiteral("fd77::2"));
    games.addGame(foundGame(QStringLiteral("Ann"), QStringLiteral("10.77.0.1")));
    games.addGame(foundGame(QStringLiteral("fd77 player"), QStringLiteral("fd77::9")));
    QCOMPARE(box.count(), 2);
    QCOMPARE(edit->text(), QStringLiteral("fd77::2"));
    // Enter does not make the typed address a game, nor complete it to one.
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(games.rowCount(), 2);
    QCOMPARE(edit->text(), QStringLiteral("fd77::2"));
    games.removeGame(QStringLiteral("local/Ann"));
    games.removeGame(QStringLiteral("local/fd77 player"));
    QCOMPARE(edit->text(), QStringLiteral("fd77::2"));
}

void AddressBoxTest::choosingAGameFillsTheFieldAndItsGoingKeepsIt()
{
    QWidget group;
    auto *edit = new QLineEdit(&group);
    FoundGamesModel games;
    AddressBox box(edit, &games);
    QSignalSpy chosen(&box, &AddressBox::gameChosen);
    group.show();
    games.addGame(foundGame(QStringLiteral("Ann"), QStringLiteral("10.77.0.1")));
    games.addGame(foundGame(QStringLiteral("Bob"), QStringLiteral("fd77::2"), 8171));

    // Bob is the newest, the first row; Ann is chosen from the open list.
    box.showPopup();
    QAbstractItemView *list = box.view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    list->setCurrentIndex(games.index(1));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(edit->text(), QStringLiteral("10.77.0.1"));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toString(), QStringLiteral("10.77.0.1"));
    QCOMPARE(chosen[0][1].toInt(), 8170);

    // Ann's game goes while chosen, another comes: the field keeps her address.
    games.removeGame(QStringLiteral("local/Ann"));
    games.addGame(foundGame(QStringLiteral("Cid"), QStringLiteral("10.77.0.3")));
    QCOMPARE(edit->text(), QStringLiteral("10.77.0.1"));
    QCOMPARE(box.currentIndex(), -1);
}

QTEST_MAIN(AddressBoxTest)
#include "addressbox_test.moc"

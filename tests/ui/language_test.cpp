// SPDX-License-Identifier: GPL-3.0-or-later
// The language switch: every shipped language reached from the switch's
// menu, every open window and accessible name following at once, the one
// click between English and Russian, the log lines in each language, and
// catalogues that are missing, damaged or unknown.
#include "match/matchlog.h"
#include "match/remarks.h"
#include "match/session.h"
#include "records/records.h"
#include "records/scorefile.h"
#include "uitest.h"
#include "util/catalogue.h"
#include "util/paths.h"
#include "util/translations.h"

#include <QAccessible>
#include <QMenu>
#include <QSettings>
#include <QTemporaryFile>
#include <QToolButton>

using namespace tw;

namespace {

// What the windows must read in each language: written here by hand, so
// that a catalogue that stops loading, or a window that stops following,
// shows.
struct Expected
{
    const char *code;
    const char *start;        // the Start button
    const char *editorTitle;  // the editor and network options window
    const char *logTitle;     // the game log window
    const char *playersTitle; // the player list
    const char *ownBoard;     // the own board's accessible name
    const char *qtCancel;     // Qt's own Cancel button
    const char *missLog;      // a missed shot in the log
    const char *nativeName;   // the language in the menu
};

const Expected Languages[] = {
    {"en", "Start", "Area editor and network options", "Game log", "Enter your name", "Your board",
     "Cancel", "wrong", "English"},
    {"ru", "Старт", "Редактор поля и сетевые установки", "Ход игры", "Введите свое имя",
     "Ваше поле", "Отмена", "мимо", "Русский"},
    {"de", "Start", "Feldeditor und Netzwerkoptionen", "Spielverlauf", "Gib deinen Namen ein",
     "Dein Feld", "Abbrechen", "daneben", "Deutsch"},
    {"fr", "Démarrer", "Éditeur de grille et options réseau", "Journal de partie",
     "Saisissez votre nom", "Votre grille", "Annuler", "manqué", "Français"},
    {"es", "Empezar", "Editor del tablero y opciones de red", "Registro de la partida",
     "Escribe tu nombre", "Tu tablero", "Cancelar", "agua", "Español"},
    {"uk", "Старт", "Редактор поля та мережеві налаштування", "Хід гри", "Введіть своє ім'я",
     "Ваше поле", "Скасувати", "мимо", "Українська"},
};

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_main = test::startMainWindow(m_feedback, true);
        QVERIFY(m_main);
    }
    void cleanup()
    {
        delete m_main;
        m_main = nullptr;
    }

    void everyWindowFollowsTheMenu_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(Languages)); ++i)
            QTest::newRow(Languages[i].code) << i;
    }

    void everyWindowFollowsTheMenu()
    {
        QFETCH(int, row);
        const Expected &e = Languages[row];
        chooseFromMenu(QString::fromLatin1(e.code), utf8(e.nativeName));

        QCOMPARE(languageCode(m_main->game().settings()), QString::fromLatin1(e.code));
        QCOMPARE(test::child<QToolButton>(m_main, "startButton")->text(), utf8(e.start));
        QCOMPARE(test::child<EditorWindow>(m_main, "EditorWindow")->windowTitle(),
                 utf8(e.editorTitle));
        QCOMPARE(test::child<GameLogWindow>(m_main, "GameLogWindow")->windowTitle(),
                 utf8(e.logTitle));
        QCOMPARE(test::child<PlayersDialog>(m_main, "PlayersDialog")->windowTitle(),
                 utf8(e.playersTitle));
        QCOMPARE(test::child<BoardView>(m_main, "ownBoard")->accessibleName(), utf8(e.ownBoard));
        // Qt's own catalogue came with the game's.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), utf8(e.qtCancel));

        // One click: English and Russian swap, any other language goes to
        // English.
        test::child<ClickLabel>(m_main, "languageToggle")->click();
        const QString after =
            QString::fromLatin1(e.code) == u"en" ? QStringLiteral("ru") : QStringLiteral("en");
        QCOMPARE(languageCode(m_main->game().settings()), after);
        QCOMPARE(test::child<QToolButton>(m_main, "startButton")->text(),
                 after == u"en" ? QStringLiteral("Start") : QStringLiteral("Старт"));
        QCOMPARE(test::child<ClickLabel>(m_main, "languageToggle")->text(),
                 after == u"en" ? QStringLiteral("Russian") : QStringLiteral("English"));
    }

    void keyboardOpensTheMenu()
    {
        auto *toggle = test::child<ClickLabel>(m_main, "languageToggle");
        toggle->setFocus();
        QTest::keyClick(toggle, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(QTest::qWaitFor([&] { return languageMenu() && languageMenu()->isVisible(); }));
        QCOMPARE(languageMenu()->actions().size(), int(std::size(Languages)));
        languageMenu()->close();
    }

    void chosenLanguageIsKeptBesideTheScoreFile()
    {
        chooseFromMenu(QStringLiteral("fr"), QStringLiteral("Français"));
        m_main->saveRecords();
        ScoreBlock data{};
        QVERIFY(loadScoreFile(data, dataDirectory(), systemDirectory()));
        QCOMPARE(data.englishUi, 1); // the score file knows English and Russian only
        QCOMPARE(loadLanguageSetting(), QStringLiteral("fr"));

        GameState restored;
        tw::restoreSession(restored, {});
        QCOMPARE(languageCode(restored.settings()), QStringLiteral("fr"));
    }

    void unknownLanguageStartsAsTheScoreFileSaysAndIsOverwritten()
    {
        saveLanguageSetting(QStringLiteral("xx"));
        GameState restored;
        tw::restoreSession(restored, {QStringLiteral("de-DE")});
        // A score file exists: its English rules, not the desktop's language.
        QCOMPARE(languageCode(restored.settings()), QStringLiteral("en"));
        QVERIFY(saveSession(restored));
        QCOMPARE(loadLanguageSetting(), QStringLiteral("en"));
    }

    void logLinesInEachLanguage_data() { everyWindowFollowsTheMenu_data(); }

    void logLinesInEachLanguage()
    {
        QFETCH(int, row);
        const Expected &e = Languages[row];
        m_main->setLanguage(QString::fromLatin1(e.code));
        const Settings &s = m_main->game().settings();
        QCOMPARE(shotLine(s, QStringLiteral("Ann: "), 2, 4, ShotOutcome::Miss),
                 QStringLiteral("Ann: D2 ") + utf8(e.missLog));
        // Each line of the summary and the remarks is in the catalogue.
        const Catalogue &texts = catalogueOf(s);
        if (QString::fromLatin1(e.code) != u"en") {
            QVERIFY(texts.isLoaded());
            const QStringList summary = gameSummary(m_main->game(), false);
            QVERIFY(!summary.first().startsWith(QStringLiteral("Game time")));
            QVERIFY(!summary.last().isEmpty());
            QVERIFY(!computerWinRemark(s, 1, QStringLiteral("Ann")).startsWith(u"Yes"));
        }
        QVERIFY(computerLossRemark(s, 3, QStringLiteral("Ann")).contains(u"Ann"));
    }

    void missingOrDamagedCatalogueFallsBackToEnglish()
    {
        QTemporaryFile damaged;
        QVERIFY(damaged.open());
        damaged.write(QByteArray(4096, '\x3c'));
        damaged.close();
        const Catalogue broken(QStringLiteral("de"), damaged.fileName());
        QVERIFY(!broken.isLoaded());
        QCOMPARE(broken.translate("ControlPanel", "Start"), QStringLiteral("Start"));

        const Catalogue missing(QStringLiteral("de"), QStringLiteral("/nonexistent/de.qm"));
        QVERIFY(!missing.isLoaded());
        QCOMPARE(missing.translate("MatchLog", "Game time: %1"), QStringLiteral("Game time: %1"));

        Translations unknown;
        QVERIFY(!unknown.use(QStringLiteral("xx")));
        QVERIFY(!Catalogue::of(QStringLiteral("xx")).isLoaded());
        // The game goes on in English.
        m_main->setLanguage(QStringLiteral("xx"));
        QCOMPARE(test::child<QToolButton>(m_main, "startButton")->text(), QStringLiteral("Start"));
    }

private:
    QMenu *languageMenu() const
    {
        return m_main->findChild<QMenu *>(QStringLiteral("languageMenu"));
    }

    // The switch's context menu, as the right button opens it, and the
    // language picked by its own name.
    void chooseFromMenu(const QString &code, const QString &name)
    {
        auto *toggle = test::child<ClickLabel>(m_main, "languageToggle");
        emit toggle->customContextMenuRequested(QPoint(2, 2));
        QMenu *menu = languageMenu();
        QVERIFY(menu);
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions())
            if (action->data().toString() == code)
                chosen = action;
        QVERIFY(chosen);
        QCOMPARE(chosen->text(), name);
        chosen->trigger();
        menu->close();
    }

    test::RecordingFeedback m_feedback;
    MainWindow *m_main = nullptr;
};

int main(int argc, char *argv[])
{
    return test::runWindowTest<LanguageTest>(argc, argv);
}

#include "language_test.moc"

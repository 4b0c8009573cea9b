// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlpanel.h"

#include "pictures.h"
#include "util/duration.h"
#include "util/translations.h"
#include "widgets.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

namespace tw {

namespace {

QToolButton *controlButton(QWidget *parent, const char *name, int top, const QPixmap &picture)
{
    QToolButton *button = makeFlatButton(parent, name, {4, top, 85, 21}, picture);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

QColor windowTextColor()
{
    return QApplication::palette().color(QPalette::WindowText);
}

} // namespace

ControlPanel::ControlPanel(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("controlPanel"));
    setGeometry(0, 0, 93, 305);
    const Pictures &pictures = Pictures::get();
    m_startButton = controlButton(this, "startButton", 16, pictures.start);
    m_pauseButton = controlButton(this, "pauseButton", 37, pictures.pause);
    m_pauseButton->setCheckable(true);
    m_abortButton = controlButton(this, "abortButton", 58, pictures.abort);
    m_playerButton = controlButton(this, "playerButton", 79, pictures.player);
    m_scoresButton = controlButton(this, "scoresButton", 100, pictures.scores);
    m_aboutButton = controlButton(this, "aboutButton", 121, pictures.about);
    m_aboutButton->setText(QStringLiteral("About"));
    QFont bold = font();
    bold.setBold(true);
    int labelTop = 144;
    for (ClickLabel **label : {&m_musicToggle, &m_soundToggle, &m_languageToggle}) {
        *label = place<ClickLabel>(this, "", {4, labelTop, 85, 13});
        (*label)->setAlignment(Qt::AlignCenter);
        (*label)->setFont(bold);
        (*label)->setCursor(Qt::PointingHandCursor);
        labelTop += 16;
    }
    m_musicToggle->setObjectName(QStringLiteral("musicToggle"));
    m_soundToggle->setObjectName(QStringLiteral("soundToggle"));
    m_languageToggle->setObjectName(QStringLiteral("languageToggle"));
    m_musicToggle->setCheckable(true);
    m_soundToggle->setCheckable(true);
    m_playerTurnLamp = place<Lamp>(this, "playerTurnLamp", {4, 192, 41, 17});
    m_opponentTurnLamp = place<Lamp>(this, "opponentTurnLamp", {48, 192, 41, 17});
    m_playerTimeLabel = place<SunkenLabel>(this, "playerTimeLabel", {4, 212, 85, 17});
    setTextColor(m_playerTimeLabel, Qt::blue);
    m_opponentTimeLabel = place<SunkenLabel>(this, "opponentTimeLabel", {4, 232, 85, 17});
    setTextColor(m_opponentTimeLabel, Qt::red);
    m_scoreCounter = place<ScoreCounter>(this, "scoreCounter", {4, 252, 64, 21});

    connect(m_startButton, &QToolButton::clicked, this, &ControlPanel::startClicked);
    connect(m_abortButton, &QToolButton::clicked, this, &ControlPanel::abortClicked);
    connect(m_pauseButton, &QToolButton::clicked, this, &ControlPanel::pauseClicked);
    connect(m_musicToggle, &ClickLabel::clicked, this, &ControlPanel::musicClicked);
    connect(m_soundToggle, &ClickLabel::clicked, this, &ControlPanel::soundClicked);
    connect(m_languageToggle, &ClickLabel::clicked, this, &ControlPanel::languageClicked);
    m_languageToggle->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_languageToggle, &QWidget::customContextMenuRequested, this,
            &ControlPanel::showLanguageMenu);
    // The Menu key arrives as a context menu event; Shift+F10 is its other key.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), m_languageToggle);
    menuKey->setContext(Qt::WidgetShortcut);
    connect(menuKey, &QShortcut::activated, this,
            [this] { showLanguageMenu(QPoint(0, m_languageToggle->height())); });
    connect(m_playerButton, &QToolButton::clicked, this, &ControlPanel::playerClicked);
    connect(m_scoresButton, &QToolButton::clicked, this, &ControlPanel::scoresClicked);
    connect(m_aboutButton, &QToolButton::clicked, this, &ControlPanel::aboutClicked);
}

void ControlPanel::retranslate(const Settings &settings)
{
    m_startButton->setText(catalogueOf(settings).translate("ControlPanel", "Start"));
    m_pauseButton->setText(catalogueOf(settings).translate("ControlPanel", "Pause"));
    m_abortButton->setText(catalogueOf(settings).translate("ControlPanel", "Abort"));
    m_playerButton->setText(catalogueOf(settings).translate("ControlPanel", "Player"));
    m_scoresButton->setText(catalogueOf(settings).translate("ControlPanel", "Scores"));
    m_musicToggle->setText(catalogueOf(settings).translate("ControlPanel", "Music"));
    m_soundToggle->setText(catalogueOf(settings).translate("ControlPanel", "Sound"));
    // The language one click goes to, in English: the switch between the two
    // first languages of the game, and the way back to English from another.
    m_languageToggle->setText(languageCode(settings) == QLatin1String("en")
                                  ? QStringLiteral("Russian")
                                  : QStringLiteral("English"));
    setTitle(u' ' + catalogueOf(settings).translate("ControlPanel", "Control") + u' ');
}

void ControlPanel::showLanguageMenu(const QPoint &at)
{
    auto *menu = new QMenu(m_languageToggle);
    menu->setObjectName(QStringLiteral("languageMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const QString &code : Translations::shippedLanguages()) {
        QAction *action = menu->addAction(Translations::nativeName(code));
        action->setData(code);
        connect(action, &QAction::triggered, this, [this, code] { emit languageChosen(code); });
    }
    menu->popup(m_languageToggle->mapToGlobal(at));
}

void ControlPanel::applyShortcuts(const Settings &settings)
{
    // Setting a button's text clears its shortcut, so these follow every
    // caption change. Each letter is one of its caption's.
    const Catalogue &texts = catalogueOf(settings);
    const struct
    {
        QAbstractButton *button;
        QString letter;
    } keys[] = {
        //: The Alt+letter shortcut of the Start button, a letter of its caption.
        {m_startButton, texts.translate("ControlPanel", "S", "shortcut of Start")},
        //: The Alt+letter shortcut of the Pause button, a letter of its caption.
        {m_pauseButton, texts.translate("ControlPanel", "P", "shortcut of Pause")},
        //: The Alt+letter shortcut of the Abort button, a letter of its caption.
        {m_abortButton, texts.translate("ControlPanel", "A", "shortcut of Abort")},
        //: The Alt+letter shortcut of the Player button, a letter of its caption.
        {m_playerButton, texts.translate("ControlPanel", "L", "shortcut of Player")},
        //: The Alt+letter shortcut of the Scores button, a letter of its caption.
        {m_scoresButton, texts.translate("ControlPanel", "C", "shortcut of Scores")},
        //: The Alt+letter shortcut of the About button, which has a picture and no caption.
        {m_aboutButton, texts.translate("ControlPanel", "B", "shortcut of About")},
    };
    for (const auto &k : keys)
        if (!k.letter.isEmpty())
            k.button->setShortcut(
                QKeySequence(Qt::ALT | Qt::Key(k.letter.at(0).toUpper().unicode())));
}

void ControlPanel::showSwitches(const Settings &settings)
{
    setTextColor(m_musicToggle, settings.musicOn ? Qt::red : windowTextColor());
    setTextColor(m_soundToggle, settings.soundOn ? Qt::red : windowTextColor());
}

void ControlPanel::fitScoreCounter()
{
    m_scoreCounter->resize(4 * Pictures::DigitW, Pictures::DigitH);
    m_scoreCounter->move((width() - m_scoreCounter->width()) / 2, m_scoreCounter->y());
    resize(width(), m_scoreCounter->y() + m_scoreCounter->height() + 4);
}

void ControlPanel::showIndicators(const MatchState &match)
{
    m_scoreCounter->stepToward(match.gameScore);
    if (!match.gameInProgress)
        return;
    const bool playerTurn = match.playerTurn;
    if (playerTurn && m_playerTurnLamp->brushColor() != QColor(Qt::blue)) {
        m_playerTurnLamp->setBrushColor(Qt::blue);
        m_opponentTurnLamp->setBrushColor(buttonFace());
    } else if (!playerTurn && m_opponentTurnLamp->brushColor() != QColor(Qt::red)) {
        m_playerTurnLamp->setBrushColor(buttonFace());
        m_opponentTurnLamp->setBrushColor(Qt::red);
    }
}

void ControlPanel::turnPassed(bool playerTurn)
{
    (playerTurn ? m_opponentTurnLamp : m_playerTurnLamp)->setBrushColor(buttonFace());
}

void ControlPanel::showClocks(int playerSeconds, int opponentSeconds)
{
    m_playerTimeLabel->setText(formatDuration(static_cast<quint32>(playerSeconds)));
    m_opponentTimeLabel->setText(formatDuration(static_cast<quint32>(opponentSeconds)));
}

void ControlPanel::releasePause()
{
    m_pauseButton->setChecked(false);
}

void ControlPanel::showIdle()
{
    m_playerTimeLabel->clear();
    m_opponentTimeLabel->clear();
    m_playerTurnLamp->setBrushColor(buttonFace());
    m_opponentTurnLamp->setBrushColor(buttonFace());
    m_scoreCounter->setValue(0); // at once, without rolling
}

bool ControlPanel::pauseDown() const
{
    return m_pauseButton->isChecked();
}

void ControlPanel::updateAccessibleTexts(const Settings &settings, const MatchState &match)
{
    const Catalogue &texts = catalogueOf(settings);
    const bool playerLamp = m_playerTurnLamp->brushColor() == QColor(Qt::blue);
    const bool opponentLamp = m_opponentTurnLamp->brushColor() == QColor(Qt::red);
    updateAccessibleName(m_playerTurnLamp,
                         playerLamp ? texts.translate("ControlPanel", "Your turn lamp, on")
                                    : texts.translate("ControlPanel", "Your turn lamp, off"));
    updateAccessibleName(m_opponentTurnLamp,
                         opponentLamp
                             ? texts.translate("ControlPanel", "Opponent's turn lamp, on")
                             : texts.translate("ControlPanel", "Opponent's turn lamp, off"));
    QString turn;
    if (match.gameInProgress)
        turn = match.playerTurn ? texts.translate("ControlPanel", "your turn")
                                : texts.translate("ControlPanel", "opponent's turn");
    m_playerTurnLamp->setAccessibleDescription(turn);
    m_opponentTurnLamp->setAccessibleDescription(turn);
    updateAccessibleName(m_scoreCounter,
                         texts.translate("ControlPanel", "Score %1").arg(match.gameScore));
    const auto clock = [](const QString &whose, const QString &time) {
        return time.isEmpty() ? whose : whose + QStringLiteral(" ") + time;
    };
    //: The accessible name of the player's clock, the time follows.
    updateAccessibleName(m_playerTimeLabel, clock(texts.translate("ControlPanel", "Your time"),
                                                  m_playerTimeLabel->text()));
    //: The accessible name of the opponent's clock, the time follows.
    updateAccessibleName(
        m_opponentTimeLabel,
        clock(texts.translate("ControlPanel", "Opponent's time"), m_opponentTimeLabel->text()));
    m_musicToggle->setChecked(settings.musicOn);
    m_soundToggle->setChecked(settings.soundOn);
}

QList<QWidget *> ControlPanel::tabOrder() const
{
    return {m_startButton, m_pauseButton, m_abortButton, m_playerButton,  m_scoresButton,
            m_aboutButton, m_musicToggle, m_soundToggle, m_languageToggle};
}

} // namespace tw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlpanel.h"

#include "pictures.h"
#include "util/duration.h"
#include "widgets.h"

#include <QApplication>
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
    connect(m_playerButton, &QToolButton::clicked, this, &ControlPanel::playerClicked);
    connect(m_scoresButton, &QToolButton::clicked, this, &ControlPanel::scoresClicked);
    connect(m_aboutButton, &QToolButton::clicked, this, &ControlPanel::aboutClicked);
}

void ControlPanel::retranslate(const Settings &settings)
{
    m_startButton->setText(localized(settings, "Start", "Старт"));
    m_pauseButton->setText(localized(settings, "Pause", "Пауза"));
    m_abortButton->setText(localized(settings, "Abort", "Прервать"));
    m_playerButton->setText(localized(settings, "Player", "Игрок"));
    m_scoresButton->setText(localized(settings, "Scores", "Дневник"));
    m_musicToggle->setText(localized(settings, "Music", "Музыка"));
    m_soundToggle->setText(localized(settings, "Sound", "Звуки"));
    m_languageToggle->setText(localized(settings, "Russian", "English"));
    setTitle(localized(settings, " Control ", " Управление "));
}

void ControlPanel::applyShortcuts(bool english)
{
    // Setting a button's text clears its shortcut, so these follow every
    // caption change. The Russian letters are those of the Russian captions.
    const struct
    {
        QAbstractButton *button;
        char16_t english, russian;
    } keys[] = {{m_startButton, u'S', u'С'},  {m_pauseButton, u'P', u'П'},
                {m_abortButton, u'A', u'Р'},  {m_playerButton, u'L', u'И'},
                {m_scoresButton, u'C', u'Д'}, {m_aboutButton, u'B', u'B'}};
    for (const auto &k : keys)
        k.button->setShortcut(QKeySequence(Qt::ALT | Qt::Key(english ? k.english : k.russian)));
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
    const QString on = localized(settings, "on", "горит"),
                  off = localized(settings, "off", "не горит");
    const bool playerLamp = m_playerTurnLamp->brushColor() == QColor(Qt::blue);
    const bool opponentLamp = m_opponentTurnLamp->brushColor() == QColor(Qt::red);
    updateAccessibleName(m_playerTurnLamp,
                         localized(settings, "Your turn lamp, ", "Лампа вашего хода, ") +
                             (playerLamp ? on : off));
    updateAccessibleName(m_opponentTurnLamp,
                         localized(settings, "Opponent's turn lamp, ", "Лампа хода противника, ") +
                             (opponentLamp ? on : off));
    QString turn;
    if (match.gameInProgress)
        turn = match.playerTurn ? localized(settings, "your turn", "ваш ход")
                                : localized(settings, "opponent's turn", "ход противника");
    m_playerTurnLamp->setAccessibleDescription(turn);
    m_opponentTurnLamp->setAccessibleDescription(turn);
    updateAccessibleName(m_scoreCounter,
                         localized(settings, "Score ", "Счёт ") + QString::number(match.gameScore));
    const auto clock = [](const QString &whose, const QString &time) {
        return time.isEmpty() ? whose : whose + QStringLiteral(" ") + time;
    };
    updateAccessibleName(m_playerTimeLabel, clock(localized(settings, "Your time", "Ваше время"),
                                                  m_playerTimeLabel->text()));
    updateAccessibleName(m_opponentTimeLabel,
                         clock(localized(settings, "Opponent's time", "Время противника"),
                               m_opponentTimeLabel->text()));
    m_musicToggle->setChecked(settings.musicOn);
    m_soundToggle->setChecked(settings.soundOn);
}

QList<QWidget *> ControlPanel::tabOrder() const
{
    return {m_startButton, m_pauseButton, m_abortButton, m_playerButton,  m_scoresButton,
            m_aboutButton, m_musicToggle, m_soundToggle, m_languageToggle};
}

} // namespace tw

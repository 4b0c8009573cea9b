// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window.
#include "statisticsdialog.h"

#include "match/gamestate.h"
#include "records/statistics.h"
#include "widgets.h"
#include "wrappedtext.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace tw {

namespace {

// The family asked for the statistics block; where it is missing the
// desktop's sans-serif face takes its place.
const char *const StatisticsFontFamily = "Sans Serif";
constexpr int StatisticsFontHeight = 11;

} // namespace

StatisticsDialog::StatisticsDialog(const GameState &game, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_game(game)
{
    setObjectName(QStringLiteral("StatisticsDialog"));
    setFixedSize(517, 185);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("scrollArea"));
    m_scrollArea->setGeometry(0, 0, 517, 161);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scrollArea->verticalScrollBar()->setSingleStep(8);
    m_scrollArea->verticalScrollBar()->setPageStep(32);
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    // The scroll range reaches the bottom of the paint box, 4 pixels in.
    auto *page = new QWidget;
    page->resize(489, 5);
    m_statisticsView = new PaintBox(page);
    m_statisticsView->setObjectName(QStringLiteral("statisticsView"));
    m_statisticsView->setGeometry(4, 4, 485, 1);
    m_statisticsView->setOnPaint([this](QPainter &painter) { paintStatistics(painter); });
    connect(m_statisticsView, &PaintBox::resized, page, [this, page] {
        page->resize(page->width(), m_statisticsView->geometry().bottom() + 1);
    });
    m_scrollArea->setWidget(page);
    m_okButton = makeFlatButton(this, "okButton", {0, 164, 517, 21});
    m_okButton->setText(QStringLiteral("Ok"));
    m_okButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(m_okButton, &QToolButton::clicked, this, &QDialog::accept);
}

void StatisticsDialog::paintStatistics(QPainter &painter)
{
    const QString text =
        statisticsText(m_game.scores(), m_game.match().endRemark, catalogueOf(m_game.settings()));
    drawWrappedText(m_statisticsView, &painter, text, StatisticsFontHeight,
                    m_statisticsView->palette().color(QPalette::WindowText), QFont::Normal,
                    QString::fromLatin1(StatisticsFontFamily), true, true);
}

void StatisticsDialog::scrollToTop()
{
    m_scrollArea->verticalScrollBar()->setValue(0);
}

void StatisticsDialog::keyPressEvent(QKeyEvent *event)
{
    scrollByKey(m_scrollArea->verticalScrollBar(), event->key());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape)
        accept();
}

void StatisticsDialog::retranslate()
{
    setWindowTitle(
        catalogueOf(m_game.settings()).translate("StatisticsDialog", "Our great winners"));
}

void StatisticsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

} // namespace tw

// SPDX-License-Identifier: GPL-3.0-or-later
// The window shown while the peer confirms a match.
#include "waitingdialog.h"

#include "match/gamestate.h"
#include "widgets.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>

namespace tw {

WaitingDialog::WaitingDialog(const Settings &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_settings(settings)
{
    setObjectName(QStringLiteral("WaitingDialog"));
    setFixedSize(257, 48);
    m_messageLabel = new QLabel(this);
    m_messageLabel->setObjectName(QStringLiteral("messageLabel"));
    m_messageLabel->setGeometry(rect());
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAutoFillBackground(true);
    QPalette palette = m_messageLabel->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    m_messageLabel->setPalette(palette);
}

void WaitingDialog::showEvent(QShowEvent *event)
{
    m_messageLabel->setText(
        catalogueOf(m_settings)
            .translate("WaitingDialog", "Waiting confirmation from opponent side..."));
    centerOnScreen(this);
    QDialog::showEvent(event);
}

void WaitingDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void WaitingDialog::keyPressEvent(QKeyEvent *event)
{
    event->ignore(); // Escape must not close it either
}

void WaitingDialog::retranslate()
{
    setWindowTitle(catalogueOf(m_settings).translate("WaitingDialog", "Waiting confirmation"));
}

void WaitingDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

} // namespace tw

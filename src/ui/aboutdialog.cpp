// SPDX-License-Identifier: GPL-3.0-or-later
// The about box.
#include "aboutdialog.h"

#include "util/jpegimage.h"
#include "util/version.h"

#include <QFile>
#include <QPainter>

namespace tw {

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(400, 296);
    QFile file(QStringLiteral(":/images/about.jpg"));
    if (file.open(QIODevice::ReadOnly))
        m_picture = decodeJpeg(file.readAll());
    m_text = QStringLiteral("Tarnwake " TARNWAKE_VERSION "\n"
                            "A sea battle for the Linux desktop.\n"
                            "Made by the Tarnwake developers.\n"
                            "Free software: GNU GPL version 3 or later,\n"
                            "with no warranty of any kind.\n"
                            "News and bug tracker: the project's page.\n"
                            "Like the game? Help it sail on:\n"
                            "  report the bugs you meet,\n"
                            "  translate it into your language,\n"
                            "  send us a patch, a picture or a tune.");
}

void AboutDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), QColor(0, 0, 64));
    else
        painter.drawImage(rect(), m_picture);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    const QRect box(4, 4, 285, 221);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    painter.setPen(QColor(128, 0, 0)); // the maroon shadow: one pixel right, one up
    painter.drawText(box.translated(1, -1), flags, m_text);
    painter.setPen(QColor(0, 255, 255));
    painter.drawText(box, flags, m_text);
}

void AboutDialog::keyPressEvent(QKeyEvent *)
{
    accept();
}

void AboutDialog::mousePressEvent(QMouseEvent *)
{
    accept();
}

} // namespace tw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "paintbox.h"

#include <QPainter>

namespace tw {

PaintBox::PaintBox(QWidget *parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent *)
{
    if (!m_onPaint)
        return;
    QPainter painter(this);
    m_onPaint(painter);
}

void PaintBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

} // namespace tw

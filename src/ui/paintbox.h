// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <utility>

namespace tw {

// A bare drawing surface whose owner paints it through a handler on every
// paint event. It reports its size changes, since a paint may resize it
// (a text block that takes the height of its text).
class PaintBox : public QWidget
{
    Q_OBJECT
public:
    using PaintHandler = std::function<void(QPainter &)>;

    explicit PaintBox(QWidget *parent = nullptr);

    void setOnPaint(PaintHandler handler) { m_onPaint = std::move(handler); }

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    PaintHandler m_onPaint;
};

} // namespace tw

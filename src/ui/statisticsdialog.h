#pragma once

#include "paintbox.h"

#include <QDialog>
#include <QScrollArea>
#include <QToolButton>

namespace tw {

// The statistics window.
class StatisticsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit StatisticsDialog(QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

    QScrollArea *m_scrollArea;
    PaintBox *m_statisticsView; // in the scroll box at (4, 4); each paint sets its height
    QToolButton *m_okButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void paintStatistics(QPainter &painter);
};

} // namespace tw

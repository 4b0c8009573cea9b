#pragma once

#include "paintbox.h"
#include "widgets.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QWidget>

namespace tw {

// A flat 17 by 17 arrow button, or a flat button with a picture and text.
QToolButton *makeFlatButton(QWidget *parent, const char *name, QRect place,
                            const QPixmap &picture = {});

// The field editor and the network options. Shown while no match runs;
// the user cannot close it.
class EditorWindow : public QWidget
{
    Q_OBJECT
public:
    explicit EditorWindow(QWidget *parent = nullptr);

    // Editor half.
    SunkenLabel *m_shipTypeLabel, *m_rotateLabel, *m_areaSizeLabel;
    QToolButton *m_previousShipTypeButton, *m_nextShipTypeButton, *m_rotateLeftButton,
        *m_rotateRightButton, *m_smallerAreaButton, *m_largerAreaButton;
    QGroupBox *m_sampleFrame;
    BoardView *m_sampleView; // the sample
    QPushButton *m_clearButton, *m_changeAreaButton, *m_generateButton;
    QLineEdit *m_areaSizeEdit;
    QCheckBox *m_saveLogCheck;
    // Network half.
    QGroupBox *m_networkGroup;
    SunkenLabel *m_addressLabel, *m_portLabel, *m_networkStatusLabel, *m_hostLabel;
    QLineEdit *m_addressEdit, *m_portEdit, *m_hostEdit;
    QPushButton *m_connectButton, *m_disconnectButton;
    Lamp *m_connectionLamp;

    // Draws the selected ship type, turned, in the sample box.
    void repaintSample();

signals:
    void fleetCleared();
    void generateRequested();
    void changeAreaRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void stepShipType(bool up);
    void stepRotation(bool on);
    void stepAreaSize(bool up);
    void onAreaSizeEdited(const QString &text);
    void onSaveLogToggled();
};

// The player list: choose a name, remove players.
class PlayersDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PlayersDialog(QWidget *parent = nullptr);

    QLineEdit *m_nameEdit;
    QListWidget *m_playerList;
    QPushButton *m_okButton, *m_removeButton;

    void fillPlayerList();

private:
    void takeClickedName();
    void removeTickedPlayers();
};

// The statistics window.
class StatisticsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit StatisticsDialog(QWidget *parent = nullptr);

    QScrollArea *m_scrollArea;
    PaintBox *m_statisticsView; // in the scroll box at (4, 4); each paint sets its height
    QToolButton *m_okButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void paintStatistics(QPainter &painter);
};

// The about box: the title picture with the about text over it.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    QString m_text;
};

// The game log window: takes the editor's place during a match.
class GameLogWindow : public QWidget
{
    Q_OBJECT
public:
    explicit GameLogWindow(QWidget *parent = nullptr);

    QPlainTextEdit *m_logView;

protected:
    void closeEvent(QCloseEvent *event) override;
};

// Waiting for the peer to confirm a match.
class WaitingDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitingDialog(QWidget *parent = nullptr);

    QLabel *m_messageLabel;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// The mini chat.
class ChatWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ChatWindow(QWidget *parent = nullptr);

    QLineEdit *m_input;        // the input line
    QPlainTextEdit *m_history; // the history

    void addHistoryLine(const QString &line);

signals:
    void sendRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace tw

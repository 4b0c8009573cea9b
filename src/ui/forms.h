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
QToolButton *MakeSpeedButton(QWidget *parent, const char *name, QRect place,
                             const QPixmap &picture = {});

// The field editor and the network options. Shown while no match runs;
// the user cannot close it.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    // Editor half.
    StaticText *StaticText1, *StaticText2, *StaticText3;
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5,
        *SpeedButton6;
    QGroupBox *GroupBox1;
    BoardView *PaintBox1; // the sample
    QPushButton *Button1, *Button2, *Button3;
    QLineEdit *Edit1;
    QCheckBox *CheckBox1;
    // Network half.
    QGroupBox *GroupBox2;
    StaticText *StaticText4, *StaticText5, *StaticText6, *StaticText7;
    QLineEdit *Edit2, *Edit3, *Edit4;
    QPushButton *Button4, *Button5;
    Lamp *Shape1;

    // Draws the selected ship type, turned, in the sample box.
    void PaintSample();

signals:
    void fleetCleared();
    void generateRequested();
    void changeAreaRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void SpeedButton2Click(bool up);
    void SpeedButton4Click(bool on);
    void SpeedButton5Click(bool up);
    void Edit1Change(const QString &text);
    void CheckBox1Click();
};

// The player list: choose a name, remove players.
class TForm3 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

    QLineEdit *Edit1;
    QListWidget *CheckListBox1;
    QPushButton *Button1, *Button2;

    void FillPlayerList();

private:
    void CheckListBox1Click();
    void Button2Click();
};

// The statistics window.
class TForm4 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);

    QScrollArea *ScrollBox1;
    PaintBox *PaintBox1; // in the scroll box at (4, 4); each paint sets its height
    QToolButton *SpeedButton1;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void PaintBox1Paint(QPainter &painter);
};

// The about box: the title picture with the about text over it.
class TForm5 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    QString m_text;
};

// The game log window: takes the editor's place during a match.
class TForm6 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm6(QWidget *parent = nullptr);

    QPlainTextEdit *Memo1;

protected:
    void closeEvent(QCloseEvent *event) override;
};

// Waiting for the peer to confirm a match.
class TForm7 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm7(QWidget *parent = nullptr);

    QLabel *Label1;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// The mini chat.
class TForm8 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm8(QWidget *parent = nullptr);

    QLineEdit *Memo1;      // the input line
    QPlainTextEdit *Memo2; // the history

    void addHistoryLine(const QString &line);

signals:
    void sendRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace tw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardview.h"
#include "widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

class QAbstractItemModel;

namespace tw {

class GameState;

// The field editor and the network options. Shown while no match runs;
// the user cannot close it.
class EditorWindow : public QWidget
{
    Q_OBJECT
public:
    // Edits the selected ship, the area size and the log setting of the state.
    explicit EditorWindow(GameState &game, QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();
    // The names assistive technology reads for the controls without text.
    void updateAccessibleTexts();

    // The settings shown: the log switch and the area size field.
    void setSaveLog(bool on);
    void showAreaSize(int n);

    // The network options as typed.
    QString address() const;
    QString host() const;
    QString port() const;
    void setAddress(const QString &text);
    void setHost(const QString &text);
    void setPort(const QString &text);
    void setConnectEnabled(bool enabled);
    // The list of games found on the network drops down from the address
    // field; choosing one emits gameChosen. Precondition: games outlives
    // this window.
    void offerFoundGames(QAbstractItemModel *games);
    // The connection status line and the lamp (lime when linked, red when
    // not; black until the first call).
    QString networkStatus() const;
    void setNetworkStatus(const QString &text);
    void setLinked(bool linked);
    // The address to give a friend, as a line of text and its explanation;
    // Copy puts address on the clipboard, and is off while it is empty.
    void showOwnAddress(const QString &line, const QString &explanation, const QString &address);
    // The switch that opens the game's port on the home router.
    void setPortMappingOn(bool on);

    // Draws the selected ship type, turned, in the sample box.
    void repaintSample();

signals:
    void fleetCleared();
    void generateRequested();
    // Change pressed with another area size than the boards have.
    void areaSizeChosen(int n);
    void connectRequested();
    void disconnectRequested();
    void gameChosen(const QString &address, int port);
    void portMappingToggled(bool on);

protected:
    // A language change retranslates the window.
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void stepShipType(bool up);
    void stepRotation(bool on);
    void stepAreaSize(bool up);
    void onAreaSizeEdited(const QString &text);
    void onSaveLogToggled();

    GameState &m_game;
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
    SunkenLabel *m_ownAddressLabel;
    QCheckBox *m_portMappingCheck;
    QPushButton *m_copyAddressButton;
    QString m_ownAddress; // what Copy copies
};

} // namespace tw

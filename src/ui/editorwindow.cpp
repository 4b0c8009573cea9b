// SPDX-License-Identifier: GPL-3.0-or-later
// The field editor and network options window.
#include "editorwindow.h"

#include "addressbox.h"
#include "match/gamestate.h"
#include "pictures.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <cmath>

namespace tw {

EditorWindow::EditorWindow(GameState &game, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_game(game)
{
    setObjectName(QStringLiteral("EditorWindow"));
    const Pictures &pictures = Pictures::get();
    constexpr int W = Pictures::W, H = Pictures::H;

    m_shipTypeLabel = place<SunkenLabel>(this, "shipTypeLabel", {0, 0, 85, 17});
    m_previousShipTypeButton =
        makeFlatButton(this, "previousShipTypeButton", {88, 0, 17, 17}, pictures.arrowLeft);
    m_nextShipTypeButton =
        makeFlatButton(this, "nextShipTypeButton", {105, 0, 17, 17}, pictures.arrowRight);
    m_rotateLabel = place<SunkenLabel>(this, "rotateLabel", {124, 0, 85, 17});
    // The other arrows take the pictures of the first two.
    m_rotateLeftButton =
        makeFlatButton(this, "rotateLeftButton", {212, 0, 17, 17}, pictures.arrowLeft);
    m_rotateRightButton =
        makeFlatButton(this, "rotateRightButton", {229, 0, 17, 17}, pictures.arrowRight);

    m_sampleFrame = place<QGroupBox>(this, "sampleFrame", {248, 0, 0, 0});
    m_sampleView = place<BoardView>(m_sampleFrame, "sampleView", {4, 16, 4 * W, 4 * H});
    m_sampleFrame->resize(2 * m_sampleView->x() + m_sampleView->width(),
                          m_sampleView->y() + m_sampleView->height() + m_sampleView->x());
    m_sampleView->setBoard(m_game, BoardView::Role::ShipSample);

    m_clearButton = place<QPushButton>(this, "clearButton", {0, 20, 89, 17});
    m_generateButton = place<QPushButton>(this, "generateButton", {92, 20, 153, 17});
    m_areaSizeLabel = place<SunkenLabel>(this, "areaSizeLabel", {0, 40, 105, 17});
    m_areaSizeEdit = place<QLineEdit>(this, "areaSizeEdit", {108, 40, 25, 17});
    m_smallerAreaButton =
        makeFlatButton(this, "smallerAreaButton", {136, 40, 17, 17}, pictures.arrowLeft);
    m_largerAreaButton =
        makeFlatButton(this, "largerAreaButton", {153, 40, 17, 17}, pictures.arrowRight);
    m_changeAreaButton = place<QPushButton>(this, "changeAreaButton", {172, 40, 73, 17});
    m_saveLogCheck = place<QCheckBox>(this, "saveLogCheck", {0, 60, 245, 17});

    m_networkGroup = place<QGroupBox>(this, "networkGroup", {0, 80, 245, 137});
    m_addressLabel = place<SunkenLabel>(m_networkGroup, "addressLabel", {4, 16, 45, 17});
    m_addressLabel->setText(QStringLiteral("IP"));
    m_addressEdit = place<QLineEdit>(m_networkGroup, "addressEdit", {52, 16, 113, 17});
    m_hostLabel = place<SunkenLabel>(m_networkGroup, "hostLabel", {4, 36, 45, 17});
    m_hostEdit = place<QLineEdit>(m_networkGroup, "hostEdit", {52, 36, 113, 17});
    m_portLabel = place<SunkenLabel>(m_networkGroup, "portLabel", {4, 56, 45, 17});
    m_portEdit = place<QLineEdit>(m_networkGroup, "portEdit", {52, 56, 113, 17});
    m_connectButton = place<QPushButton>(m_networkGroup, "connectButton", {168, 16, 33, 25});
    // Cyrillic letters, as the button has always read.
    m_connectButton->setText(QStringLiteral("\u041e\u043a!"));
    m_disconnectButton = place<QPushButton>(m_networkGroup, "disconnectButton", {168, 44, 33, 25});
    m_disconnectButton->setText(QStringLiteral("No!"));
    m_connectionLamp = place<Lamp>(m_networkGroup, "connectionLamp", {204, 16, 37, 37});
    m_connectionLamp->setBrushColor(Qt::black);
    m_connectionLamp->setPen(Qt::darkCyan, 5);
    m_networkStatusLabel =
        place<SunkenLabel>(m_networkGroup, "networkStatusLabel", {4, 76, 237, 17});
    m_ownAddressLabel = place<SunkenLabel>(m_networkGroup, "ownAddressLabel", {4, 96, 237, 17});
    m_portMappingCheck = place<QCheckBox>(m_networkGroup, "portMappingCheck", {4, 116, 164, 17});
    m_copyAddressButton =
        place<QPushButton>(m_networkGroup, "copyAddressButton", {170, 116, 71, 17});
    m_copyAddressButton->setEnabled(false);
    setTabOrder(m_addressEdit, m_hostEdit);
    setTabOrder(m_hostEdit, m_portEdit);

    for (QLineEdit *edit : {m_areaSizeEdit, m_addressEdit, m_portEdit, m_hostEdit})
        edit->setTextMargins(0, 0, 0, 0);

    setFixedSize(m_sampleFrame->x() + m_sampleFrame->width(),
                 m_networkGroup->y() + m_networkGroup->height());

    connect(m_previousShipTypeButton, &QToolButton::clicked, this, [this] { stepShipType(false); });
    connect(m_nextShipTypeButton, &QToolButton::clicked, this, [this] { stepShipType(true); });
    connect(m_rotateLeftButton, &QToolButton::clicked, this, [this] { stepRotation(false); });
    connect(m_rotateRightButton, &QToolButton::clicked, this, [this] { stepRotation(true); });
    connect(m_smallerAreaButton, &QToolButton::clicked, this, [this] { stepAreaSize(false); });
    connect(m_largerAreaButton, &QToolButton::clicked, this, [this] { stepAreaSize(true); });
    connect(m_clearButton, &QPushButton::clicked, this, &EditorWindow::fleetCleared);
    connect(m_generateButton, &QPushButton::clicked, this, &EditorWindow::generateRequested);
    connect(m_changeAreaButton, &QPushButton::clicked, this, [this] {
        const BoardState &b = m_game.boards();
        if (b.pendingAreaSize != b.areaSize)
            emit areaSizeChosen(b.pendingAreaSize);
    });
    connect(m_areaSizeEdit, &QLineEdit::textChanged, this, &EditorWindow::onAreaSizeEdited);
    connect(m_saveLogCheck, &QCheckBox::clicked, this, &EditorWindow::onSaveLogToggled);
    connect(m_connectButton, &QPushButton::clicked, this, &EditorWindow::connectRequested);
    connect(m_disconnectButton, &QPushButton::clicked, this, &EditorWindow::disconnectRequested);
    connect(m_portMappingCheck, &QCheckBox::clicked, this, &EditorWindow::portMappingToggled);
    connect(m_copyAddressButton, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_ownAddress); });
}

void EditorWindow::showOwnAddress(const QString &line, const QString &explanation,
                                  const QString &address)
{
    // Shown again at every idle tick: only a change reaches assistive
    // technology, which hears of every description set.
    m_ownAddressLabel->setText(line);
    if (m_ownAddressLabel->toolTip() != explanation) {
        m_ownAddressLabel->setToolTip(explanation);
        m_ownAddressLabel->setAccessibleDescription(explanation);
    }
    m_ownAddress = address;
    m_copyAddressButton->setEnabled(!address.isEmpty());
}

void EditorWindow::setPortMappingOn(bool on)
{
    m_portMappingCheck->setChecked(on);
}

void EditorWindow::setSaveLog(bool on)
{
    m_saveLogCheck->setChecked(on);
}

void EditorWindow::showAreaSize(int n)
{
    m_areaSizeEdit->setText(QString::number(n));
}

QString EditorWindow::address() const
{
    return m_addressEdit->text();
}

QString EditorWindow::host() const
{
    return m_hostEdit->text();
}

QString EditorWindow::port() const
{
    return m_portEdit->text();
}

void EditorWindow::setAddress(const QString &text)
{
    m_addressEdit->setText(text);
}

void EditorWindow::setHost(const QString &text)
{
    m_hostEdit->setText(text);
}

void EditorWindow::setPort(const QString &text)
{
    m_portEdit->setText(text);
}

void EditorWindow::setConnectEnabled(bool enabled)
{
    m_connectButton->setEnabled(enabled);
}

void EditorWindow::offerFoundGames(QAbstractItemModel *games)
{
    auto *addressBox = new AddressBox(m_addressEdit, games);
    connect(addressBox, &AddressBox::gameChosen, this, &EditorWindow::gameChosen);
}

QString EditorWindow::networkStatus() const
{
    return m_networkStatusLabel->text();
}

void EditorWindow::setNetworkStatus(const QString &text)
{
    m_networkStatusLabel->setText(text);
}

void EditorWindow::setLinked(bool linked)
{
    // The lamp colours of the network options: lime, or red.
    m_connectionLamp->setBrushColor(linked ? QColor(0x00, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00));
}

void EditorWindow::updateAccessibleTexts()
{
    const auto name = [](QWidget *widget, const QString &text) {
        if (widget->accessibleName() != text)
            widget->setAccessibleName(text);
    };
    const Settings &s = m_game.settings();
    name(m_previousShipTypeButton, catalogueOf(s).translate("EditorWindow", "Previous ship type"));
    name(m_nextShipTypeButton, catalogueOf(s).translate("EditorWindow", "Next ship type"));
    name(m_rotateLeftButton, catalogueOf(s).translate("EditorWindow", "Rotate anticlockwise"));
    name(m_rotateRightButton, catalogueOf(s).translate("EditorWindow", "Rotate clockwise"));
    name(m_smallerAreaButton, catalogueOf(s).translate("EditorWindow", "Smaller area"));
    name(m_largerAreaButton, catalogueOf(s).translate("EditorWindow", "Larger area"));
    name(m_areaSizeEdit, m_areaSizeLabel->text());
    name(m_sampleView, m_sampleFrame->title().trimmed());
    name(m_addressEdit, m_addressLabel->text());
    name(m_hostEdit, m_hostLabel->text());
    name(m_portEdit, m_portLabel->text());
}

void EditorWindow::repaintSample()
{
    m_sampleView->repaintBoard();
}

void EditorWindow::stepShipType(bool up)
{
    BoardState &b = m_game.boards();
    int type = b.selectedShipType + (up ? 1 : -1);
    if (type < 1)
        type = ShipTypeCount;
    if (type > ShipTypeCount)
        type = 1;
    b.selectedShipType = static_cast<std::uint8_t>(type);
    repaintSample();
}

void EditorWindow::stepRotation(bool on)
{
    BoardState &b = m_game.boards();
    int turn = b.rotation + (on ? 1 : -1);
    if (turn < 0)
        turn = 3;
    if (turn > 3)
        turn = 0;
    b.rotation = static_cast<std::int8_t>(turn);
    repaintSample();
}

void EditorWindow::stepAreaSize(bool up)
{
    BoardState &b = m_game.boards();
    int size = b.pendingAreaSize + (up ? 1 : -1);
    if (size < MinAreaSize)
        size = MaxAreaSize;
    if (size > MaxAreaSize)
        size = MinAreaSize;
    b.pendingAreaSize = static_cast<std::uint8_t>(size);
    m_areaSizeEdit->setText(QString::number(size));
}

void EditorWindow::onAreaSizeEdited(const QString &text)
{
    bool isNumber = false;
    const double value = text.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value))
        return;
    const double rounded = std::nearbyint(value); // a half goes to the even neighbour
    if (rounded < MinAreaSize || rounded > MaxAreaSize)
        return;
    const int size = static_cast<int>(rounded);
    m_game.boards().pendingAreaSize = static_cast<std::uint8_t>(size);
    if (text != QString::number(size))
        m_areaSizeEdit->setText(QString::number(size));
}

void EditorWindow::onSaveLogToggled()
{
    m_game.settings().saveLog = m_saveLogCheck->isChecked();
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void EditorWindow::retranslate()
{
    const Catalogue &texts = catalogueOf(m_game.settings());
    setWindowTitle(texts.translate("EditorWindow", "Area editor and network options"));
    m_shipTypeLabel->setText(texts.translate("EditorWindow", "Ship type"));
    m_rotateLabel->setText(texts.translate("EditorWindow", "Rotate"));
    m_areaSizeLabel->setText(texts.translate("EditorWindow", "Area size"));
    //: The label of the peer's host name field.
    m_hostLabel->setText(texts.translate("EditorWindow", "Host"));
    m_portLabel->setText(texts.translate("EditorWindow", "Port"));
    m_clearButton->setText(texts.translate("EditorWindow", "Clear"));
    m_generateButton->setText(texts.translate("EditorWindow", "Generate"));
    m_changeAreaButton->setText(texts.translate("EditorWindow", "Change"));
    m_sampleFrame->setTitle(u' ' + texts.translate("EditorWindow", "Sample") + u' ');
    m_networkGroup->setTitle(u' ' + texts.translate("EditorWindow", "Network game") + u' ');
    m_portMappingCheck->setText(texts.translate("EditorWindow", "Open the port on the router"));
    m_copyAddressButton->setText(texts.translate("EditorWindow", "Copy"));
    m_saveLogCheck->setText(texts.translate("EditorWindow", "Save game log to TWLog.txt"));
}

void EditorWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace tw

// The field editor and network options window.
#include "forms.h"
#include "match/gamestate.h"
#include "pictures.h"

#include <QCloseEvent>
#include <QPainter>
#include <cmath>

namespace tw {

QToolButton *MakeSpeedButton(QWidget *parent, const char *name, QRect place, const QPixmap &picture)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus); // Tab reaches it; a click leaves the focus alone
    button->setGeometry(place);
    if (!picture.isNull()) {
        button->setIcon(QIcon(picture));
        button->setIconSize(picture.deviceIndependentSize().toSize());
    }
    return button;
}

namespace {

template <typename T>
T *Place(QWidget *parent, const char *name, QRect place)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}

} // namespace

TForm2::TForm2(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TForm2"));
    const Pictures &pictures = Pictures::get();
    constexpr int W = Pictures::W, H = Pictures::H;

    StaticText1 = Place<StaticText>(this, "StaticText1", {0, 0, 85, 17});
    SpeedButton1 = MakeSpeedButton(this, "SpeedButton1", {88, 0, 17, 17}, pictures.arrowLeft);
    SpeedButton2 = MakeSpeedButton(this, "SpeedButton2", {105, 0, 17, 17}, pictures.arrowRight);
    StaticText2 = Place<StaticText>(this, "StaticText2", {124, 0, 85, 17});
    // The other arrows take the pictures of the first two.
    SpeedButton3 = MakeSpeedButton(this, "SpeedButton3", {212, 0, 17, 17}, pictures.arrowLeft);
    SpeedButton4 = MakeSpeedButton(this, "SpeedButton4", {229, 0, 17, 17}, pictures.arrowRight);

    GroupBox1 = Place<QGroupBox>(this, "GroupBox1", {248, 0, 0, 0});
    PaintBox1 = Place<BoardView>(GroupBox1, "PaintBox1", {4, 16, 4 * W, 4 * H});
    GroupBox1->resize(2 * PaintBox1->x() + PaintBox1->width(),
                      PaintBox1->y() + PaintBox1->height() + PaintBox1->x());
    PaintBox1->setPainter([this](QPainter &painter) {
        const auto &cells = Pictures::get().ImageList1;
        const BoardState &b = Game().boards;
        const TurnedShape shape = TurnedShipShape(b.SelectedShipType, b.Rotation);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                painter.drawPixmap(x * W, y * H,
                                   cells.value(MaskCell(shape.mask, x, y) == 1 ? 1 : 0));
    });

    Button1 = Place<QPushButton>(this, "Button1", {0, 20, 89, 17});
    Button3 = Place<QPushButton>(this, "Button3", {92, 20, 153, 17});
    StaticText3 = Place<StaticText>(this, "StaticText3", {0, 40, 105, 17});
    Edit1 = Place<QLineEdit>(this, "Edit1", {108, 40, 25, 17});
    SpeedButton5 = MakeSpeedButton(this, "SpeedButton5", {136, 40, 17, 17}, pictures.arrowLeft);
    SpeedButton6 = MakeSpeedButton(this, "SpeedButton6", {153, 40, 17, 17}, pictures.arrowRight);
    Button2 = Place<QPushButton>(this, "Button2", {172, 40, 73, 17});
    CheckBox1 = Place<QCheckBox>(this, "CheckBox1", {0, 60, 245, 17});

    GroupBox2 = Place<QGroupBox>(this, "GroupBox2", {0, 80, 245, 97});
    StaticText4 = Place<StaticText>(GroupBox2, "StaticText4", {4, 16, 45, 17});
    StaticText4->setText(QStringLiteral("IP"));
    Edit2 = Place<QLineEdit>(GroupBox2, "Edit2", {52, 16, 113, 17});
    StaticText7 = Place<StaticText>(GroupBox2, "StaticText7", {4, 36, 45, 17});
    StaticText7->setText(QStringLiteral("Host"));
    Edit4 = Place<QLineEdit>(GroupBox2, "Edit4", {52, 36, 113, 17});
    StaticText5 = Place<StaticText>(GroupBox2, "StaticText5", {4, 56, 45, 17});
    Edit3 = Place<QLineEdit>(GroupBox2, "Edit3", {52, 56, 113, 17});
    Button4 = Place<QPushButton>(GroupBox2, "Button4", {168, 16, 33, 25});
    Button4->setText(QStringLiteral("Ок!")); // Cyrillic letters, in both languages
    Button5 = Place<QPushButton>(GroupBox2, "Button5", {168, 44, 33, 25});
    Button5->setText(QStringLiteral("No!"));
    Shape1 = Place<Lamp>(GroupBox2, "Shape1", {204, 16, 37, 37});
    Shape1->setBrushColor(Qt::black);
    Shape1->setPen(Qt::darkCyan, 5);
    StaticText6 = Place<StaticText>(GroupBox2, "StaticText6", {4, 76, 237, 17});
    setTabOrder(Edit2, Edit4);
    setTabOrder(Edit4, Edit3);

    for (QLineEdit *edit : {Edit1, Edit2, Edit3, Edit4})
        edit->setTextMargins(0, 0, 0, 0);

    setFixedSize(GroupBox1->x() + GroupBox1->width(), GroupBox2->y() + GroupBox2->height());

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton2Click(false); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(true); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton4Click(false); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(true); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(false); });
    connect(SpeedButton6, &QToolButton::clicked, this, [this] { SpeedButton5Click(true); });
    connect(Button1, &QPushButton::clicked, this, &TForm2::fleetCleared);
    connect(Button3, &QPushButton::clicked, this, &TForm2::generateRequested);
    connect(Button2, &QPushButton::clicked, this, &TForm2::changeAreaRequested);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm2::Edit1Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm2::CheckBox1Click);
}

void TForm2::PaintSample()
{
    PaintBox1->repaintBoard();
}

void TForm2::SpeedButton2Click(bool up)
{
    BoardState &b = Game().boards;
    int type = b.SelectedShipType + (up ? 1 : -1);
    if (type < 1)
        type = ShipTypeCount;
    if (type > ShipTypeCount)
        type = 1;
    b.SelectedShipType = static_cast<std::uint8_t>(type);
    PaintSample();
}

void TForm2::SpeedButton4Click(bool on)
{
    BoardState &b = Game().boards;
    int turn = b.Rotation + (on ? 1 : -1);
    if (turn < 0)
        turn = 3;
    if (turn > 3)
        turn = 0;
    b.Rotation = static_cast<std::int8_t>(turn);
    PaintSample();
}

void TForm2::SpeedButton5Click(bool up)
{
    BoardState &b = Game().boards;
    int size = b.PendingAreaSize + (up ? 1 : -1);
    if (size < MinAreaSize)
        size = MaxAreaSize;
    if (size > MaxAreaSize)
        size = MinAreaSize;
    b.PendingAreaSize = static_cast<std::uint8_t>(size);
    Edit1->setText(QString::number(size));
}

void TForm2::Edit1Change(const QString &text)
{
    bool isNumber = false;
    const double value = text.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value))
        return;
    const double rounded = std::nearbyint(value); // a half goes to the even neighbour
    if (rounded < MinAreaSize || rounded > MaxAreaSize)
        return;
    const int size = static_cast<int>(rounded);
    Game().boards.PendingAreaSize = static_cast<std::uint8_t>(size);
    if (text != QString::number(size))
        Edit1->setText(QString::number(size));
}

void TForm2::CheckBox1Click()
{
    Game().settings.SaveLog = CheckBox1->isChecked();
}

void TForm2::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

} // namespace tw

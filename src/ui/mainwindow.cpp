#include "mainwindow.h"

#include "audio/devices.h"
#include "desktopsession.h"
#include "feedback.h"
#include "match/gamestate.h"
#include "match/session.h"
#include "model/shiptypes.h"
#include "pictures.h"
#include "records/players.h"
#include "util/instance.h"
#include "util/paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>

namespace tw {

namespace {

constexpr int W = Pictures::W;
constexpr int H = Pictures::H;

template <typename T>
T *Place(QWidget *parent, const char *name, QRect place)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}

QToolButton *ControlButton(QWidget *parent, const char *name, int top, const QPixmap &picture)
{
    QToolButton *button = MakeSpeedButton(parent, name, {4, top, 85, 21}, picture);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

void SetTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

QColor WindowText()
{
    return QApplication::palette().color(QPalette::WindowText);
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Tarnwake"));
    const Pictures &pictures = Pictures::get();
    QIcon icon(QStringLiteral(":/images/tarnwake.png"));
    icon.addFile(QStringLiteral(":/images/tarnwake-256.png"));
    setWindowIcon(icon);
    resize(536, 348);

    GroupBox3 = Place<QGroupBox>(this, "GroupBox3", {0, 0, 93, 305});
    SpeedButton1 = ControlButton(GroupBox3, "SpeedButton1", 16, pictures.start);
    SpeedButton6 = ControlButton(GroupBox3, "SpeedButton6", 37, pictures.pause);
    SpeedButton6->setCheckable(true);
    SpeedButton2 = ControlButton(GroupBox3, "SpeedButton2", 58, pictures.abort);
    SpeedButton3 = ControlButton(GroupBox3, "SpeedButton3", 79, pictures.player);
    SpeedButton4 = ControlButton(GroupBox3, "SpeedButton4", 100, pictures.scores);
    SpeedButton5 = ControlButton(GroupBox3, "SpeedButton5", 121, pictures.about);
    SpeedButton5->setText(QStringLiteral("About"));
    QFont bold = font();
    bold.setBold(true);
    int labelTop = 144;
    for (ClickLabel **label : {&Label1, &Label2, &Label3}) {
        *label = Place<ClickLabel>(GroupBox3, "", {4, labelTop, 85, 13});
        (*label)->setAlignment(Qt::AlignCenter);
        (*label)->setFont(bold);
        (*label)->setCursor(Qt::PointingHandCursor);
        labelTop += 16;
    }
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Shape1 = Place<Lamp>(GroupBox3, "Shape1", {4, 192, 41, 17});
    Shape2 = Place<Lamp>(GroupBox3, "Shape2", {48, 192, 41, 17});
    StaticText1 = Place<StaticText>(GroupBox3, "StaticText1", {4, 212, 85, 17});
    SetTextColor(StaticText1, Qt::blue);
    StaticText2 = Place<StaticText>(GroupBox3, "StaticText2", {4, 232, 85, 17});
    SetTextColor(StaticText2, Qt::red);
    PaintBox3 = Place<ScoreCounter>(GroupBox3, "PaintBox3", {4, 252, 64, 21});

    GroupBox1 = Place<QGroupBox>(this, "GroupBox1", {112, 24, 212, 224});
    SetTextColor(GroupBox1, Qt::blue);
    PaintBox1 = Place<BoardView>(GroupBox1, "PaintBox1", {4, 16, 204, 204});
    GroupBox2 = Place<QGroupBox>(this, "GroupBox2", {260, 28, 212, 224});
    SetTextColor(GroupBox2, Qt::red);
    PaintBox2 = Place<BoardView>(GroupBox2, "PaintBox2", {4, 16, 204, 204});
    PaintBox1->setPainter([this](QPainter &p) { PaintBoard(p, Game().boards.OwnBoard, false); });
    PaintBox2->setPainter([this](QPainter &p) {
        if (!Game().agreement.AwaitingConfirmation)
            PaintBoard(p, Game().boards.OpponentBoard, true);
    });

    Panel1 = Place<QLabel>(this, "Panel1", {148, 128, 181, 25});
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setAutoFillBackground(true);
    Panel1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer4 = new QTimer(this);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    Timer4->setInterval(110);

    m_musicDevice = MakeMusicDevice();
    m_soundDevice = MakeSoundDevice();
    m_audio =
        std::make_unique<Audio>(Game().settings, *m_musicDevice, *m_soundDevice, GameRandom());
    m_audio->setMusicDirectory(SystemDirectory());
    m_log.setPath(GameLog::FilePathIn(DataDirectory()));
    m_net = new NetworkController(*this);
    m_match = std::make_unique<Match>(Game(), static_cast<MatchHost &>(*this), GameRandom());

    connect(PaintBox1, &BoardView::mouseMoved, this, &TForm1::PaintBox1MouseMove);
    connect(PaintBox1, &BoardView::mousePressed, this, [this] { PaintBox1MouseDown(); });
    connect(PaintBox2, &BoardView::mouseMoved, this, &TForm1::PaintBox2MouseMove);
    connect(PaintBox2, &BoardView::mousePressed, this, [this] { PaintBox2MouseDown(); });
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(Label1, &ClickLabel::clicked, this, &TForm1::Label1Click);
    connect(Label2, &ClickLabel::clicked, this, &TForm1::Label2Click);
    connect(Label3, &ClickLabel::clicked, this, &TForm1::Label3Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);
}

TForm1::~TForm1() = default;

void TForm1::PlayModeMusic()
{
    m_audio->PlayMusic(m_audio->PickTrack(Game().match.GameInProgress));
}

bool TForm1::PeerConnected()
{
    return m_net->PeerConnected();
}

void TForm1::SendUserInfoIfIdle()
{
    m_net->SendUserInfoIfIdle();
}

bool TForm1::FormCreate()
{
    if (IsAnotherInstance(QStringLiteral("Tarnwake")))
        return false;
    GameRandom().seedFromClock();
    InitShipTypes([](const std::string &text, const std::string &caption) {
        UiFeedback().message(nullptr, QString::fromStdString(text), QString::fromStdString(caption),
                             BoxIcon::Error, BoxButtons::Ok, BoxAnswer::Ok);
    });
    GameState &game = Game();
    game.boards.SelectedShipType = 1;
    game.boards.Rotation = 0;
    game.match.GameInProgress = false;
    // A first start speaks the desktop's language; afterwards the stored
    // setting rules.
    if (!LoadSession(game))
        game.settings.EnglishUI = prefersEnglish(QLocale::system().uiLanguages());
    game.boards.HoverCol = 0;
    game.boards.HoverRow = 0;
    game.match.EndRemark.clear();
    game.ModalBusy = false;
    return true;
}

void TForm1::CreateCompanions()
{
    Form2 = new TForm2(this);
    Form3 = new TForm3(this);
    Form4 = new TForm4(this);
    Form5 = new TForm5(this);
    Form6 = new TForm6(this);
    Form7 = new TForm7(this);
    Form8 = new TForm8(this);
    connect(Form2, &TForm2::fleetCleared, this, [this] {
        ClearBoard(Game().boards.OwnBoard, Game().boards.PlacedFleet);
        PaintOwnBoard();
    });
    connect(Form8, &TForm8::sendRequested, m_net, &NetworkController::ChatSend);
    m_net->AttachWindows();
    connect(Form2, &TForm2::generateRequested, this, &TForm1::GenerateOwnFleet);
    connect(Form2, &TForm2::changeAreaRequested, this, [this] {
        const BoardState &b = Game().boards;
        if (b.PendingAreaSize != b.AreaSize)
            ApplyAreaSize(b.PendingAreaSize);
    });
    setUpKeyboard();
    LateStartup();
}

void TForm1::LateStartup()
{
    GameState &game = Game();
    game.agreement.AwaitingConfirmation = false;
    if (!m_audio->ExtractMusic())
        UiFeedback().message(this, QStringLiteral("Sound system init error"), QStringLiteral(":-("),
                             BoxIcon::Exclamation, BoxButtons::Ok, BoxAnswer::Ok);
    SetTextColor(Label1, game.settings.MusicOn ? Qt::red : WindowText());
    SetTextColor(Label2, game.settings.SoundOn ? Qt::red : WindowText());

    PaintBox3->resize(4 * Pictures::DigitW, Pictures::DigitH);
    PaintBox3->move((GroupBox3->width() - PaintBox3->width()) / 2, PaintBox3->y());
    GroupBox3->resize(GroupBox3->width(), PaintBox3->y() + PaintBox3->height() + 4);

    Form2->CheckBox1->setChecked(game.settings.SaveLog);
    Form2->Edit3->setText(QStringLiteral("8170"));
    m_net->StartServer();
    Form3->Edit1->setMaxLength(32);

    ApplyAreaSize(game.boards.AreaSize);
    ApplyModeLayout();
    ApplyLanguage();
    Form8->show();
    show();
    Timer1->start();
    Timer4->start();
}

void TForm1::PaintBoard(QPainter &painter, const TBoard &board, bool opponent)
{
    const auto &cells = Pictures::get().ImageList1;
    const int n = Game().boards.AreaSize;
    const bool inMatch = Game().match.GameInProgress;
    for (int y = 1; y <= n; ++y)
        for (int x = 1; x <= n; ++x) {
            int picture = board.at(x, y);
            if (inMatch && picture == CellIntact)
                picture = opponent ? Pictures::Tile : Pictures::CoveredBoat;
            painter.drawPixmap(x * W, y * H, cells.value(picture));
        }
    PaintBoardFrame(painter);
}

void TForm1::PaintBoardFrame(QPainter &painter)
{
    const Pictures &pictures = Pictures::get();
    const int n = Game().boards.AreaSize;
    for (int i = 1; i <= n; ++i) {
        painter.drawPixmap(i * W, 0, pictures.ImageList2.value(i - 1));
        painter.drawPixmap(i * W, (n + 1) * H, pictures.ImageList2.value(i - 1));
        painter.drawPixmap(0, i * H, pictures.ImageList3.value(i - 1));
        painter.drawPixmap((n + 1) * W, i * H, pictures.ImageList3.value(i - 1));
    }
    const QPixmap &corner = pictures.ImageList1.value(Pictures::Black);
    for (QPoint at : {QPoint(0, 0), QPoint(0, (n + 1) * H), QPoint((n + 1) * W, 0),
                      QPoint((n + 1) * W, (n + 1) * H)})
        painter.drawPixmap(at, corner);
}

void TForm1::PaintOwnBoard()
{
    PaintBox1->repaintBoard();
}

void TForm1::PaintOpponentBoard()
{
    PaintBox2->repaintBoard();
}

TForm1::HoverChange TForm1::TrackHover(QPoint pixel)
{
    // Both boards share the hovered cell; the frame ring gives -1 and n.
    BoardState &b = Game().boards;
    const int col = pixel.x() / W - 1;
    const int row = pixel.y() / H - 1;
    if (col == b.HoverCol && row == b.HoverRow)
        return HoverChange::None;
    b.HoverCol = col;
    b.HoverRow = row;
    const bool inside = col >= 0 && col < b.AreaSize && row >= 0 && row < b.AreaSize;
    return inside ? HoverChange::Inside : HoverChange::Outside;
}

void TForm1::PaintBox1MouseMove(QPoint pixel)
{
    GameState &game = Game();
    if (game.match.GameInProgress)
        return;
    BoardState &b = game.boards;
    const HoverChange hover = TrackHover(pixel);
    if (hover == HoverChange::None)
        return;
    if (hover == HoverChange::Outside) {
        PaintOwnBoard();
        return;
    }
    const int col = b.HoverCol, row = b.HoverRow;
    if (FleetComplete(b.PlacedFleet))
        return;
    const TurnedShape shape = TurnedShipShape(b.SelectedShipType, b.Rotation);
    PaintOwnBoard();
    const QPixmap &boat = Pictures::get().ImageList1.value(Pictures::Boat);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            if (MaskCell(shape.mask, x, y) == 1)
                PaintBox1->stamp(boat, {(col + x - shape.origin.ox + 1) * W,
                                        (row + y - shape.origin.oy + 1) * H});
}

void TForm1::PaintBox1MouseDown()
{
    if (Game().match.GameInProgress)
        return;
    if (PlaceSelectedShip(Game().boards) != PlaceResult::Placed) {
        UiFeedback().beep();
        return;
    }
    PaintOwnBoard();
}

void TForm1::PaintBox2MouseMove(QPoint pixel)
{
    GameState &game = Game();
    if (!game.match.GameInProgress || game.match.Paused)
        return;
    const HoverChange hover = TrackHover(pixel);
    if (hover == HoverChange::None)
        return;
    if (hover == HoverChange::Outside) {
        PaintOpponentBoard();
        return;
    }
    const int col = game.boards.HoverCol, row = game.boards.HoverRow;
    game.match.AimCol = col;
    game.match.AimRow = row;
    PaintOpponentBoard();
    PaintBox2->stamp(Pictures::get().ImageList1.value(Pictures::Sight),
                     {(col + 1) * W, (row + 1) * H});
}

void TForm1::GenerateOwnFleet()
{
    GameState &game = Game();
    game.ModalBusy = true;
    GenerateWithProgress(game.boards.OwnBoard, game.boards.PlacedFleet);
    PaintOwnBoard();
    game.ModalBusy = false;
}

void TForm1::GenerateWithProgress(TBoard &board, TFleetCounts &counts)
{
    // Disabling the windows takes the keyboard focus away; it comes back.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    setEnabled(false);
    Form2->setEnabled(false);
    Panel1->raise();
    Panel1->show();
    m_panelPainted.invalidate();
    const QString prefix = Lang("Generating ships ", "Расставляю кораблики ");
    GenerateFleet(board, counts, Game().boards.AreaSize, GameRandom(),
                  [&](const GenerateProgress &p) {
                      // Text and repaint are skipped within one screen refresh: the
                      // panel is a sign of activity, and painting it at every draw
                      // would cost more than the generation itself.
                      if (m_panelPainted.isValid() && m_panelPainted.elapsed() < 16)
                          return;
                      ShowGenerateProgress(prefix + QString::number(p.t) + QString::number(p.r) +
                                           QString::number(p.ox) + QString::number(p.oy) +
                                           QString::number(p.X) + QString::number(p.Y));
                  });
    setEnabled(true);
    Form2->setEnabled(true);
    Panel1->hide();
    if (focused)
        focused->setFocus();
}

void TForm1::ShowGenerateProgress(const QString &text)
{
    Panel1->setText(text);
    Panel1->repaint();
    m_panelPainted.start();
}

void TForm1::ApplyAreaSize(int n)
{
    GameState &game = Game();
    BoardState &b = game.boards;
    b.AreaSize = static_cast<std::uint8_t>(n);
    b.PendingAreaSize = static_cast<std::uint8_t>(n);
    Form2->Edit1->setText(QString::number(n));
    ClearBoard(b.OwnBoard, b.PlacedFleet);
    ClearBoard(b.OpponentBoard);
    PaintBox1->setCellCount(n);
    PaintBox2->setCellCount(n);

    PaintBox1->resize(W * (n + 2), W * (n + 2));
    GroupBox1->resize(PaintBox1->width() + 2 * PaintBox1->x(),
                      PaintBox1->height() + PaintBox1->y() + PaintBox1->x());
    PaintBox2->resize(PaintBox1->size());
    GroupBox2->resize(GroupBox1->size());
    GroupBox1->move(GroupBox3->width(), 0);
    GroupBox2->move(GroupBox1->x() + GroupBox1->width(), 0);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int clientWidth = 2 * GroupBox1->width() + GroupBox3->width();
    const int clientHeight = std::max(GroupBox3->height(), GroupBox1->height());
    setFixedSize(clientWidth, clientHeight);
    tw::CenterOnScreen(this);
    Panel1->move((clientWidth - Panel1->width()) / 2, (clientHeight - Panel1->height()) / 2);

    // The frame adds to the client size once the window manager has decorated
    // the window; before that both are the same.
    const int frameExtra = frameGeometry().height() - height();
    const int editorHeight = Form2->frameGeometry().height();
    const int top = screen.y() + screen.height() - (clientHeight + frameExtra) - editorHeight - 32;
    move(x(), top);
    const QRect mainFrame(x(), top, clientWidth + frameGeometry().width() - width(),
                          clientHeight + frameExtra);

    Form2->move(mainFrame.left(), mainFrame.bottom() + 1);
    Form6->setGeometry(Form2->geometry());
    const int chatTop = mainFrame.bottom() + 1;
    Form8->move(mainFrame.left() + Form2->frameGeometry().width(), chatTop);
    Form8->resize(std::max(100, mainFrame.width() - Form2->frameGeometry().width()),
                  std::max(60, screen.y() + screen.height() - chatTop - 32 -
                                   (Form8->frameGeometry().height() - Form8->height())));

    PaintOwnBoard();
    PaintOpponentBoard();
    SendUserInfoIfIdle();
}

void TForm1::ApplyModeLayout()
{
    GameState &game = Game();
    MatchState &m = game.match;
    if (m.GameInProgress) {
        Form2->hide();
        m.GameOver = false;
        m.OpponentTime = 0;
        m.PlayerTime = 0;
        Form6->Memo1->clear();
        Form6->show();
        SpeedButton6->setChecked(false);
        m.Paused = false;
        m.GameAborted = false;
        Timer1->setInterval(1000);
    } else {
        Form2->show();
        StaticText1->clear();
        StaticText2->clear();
        Shape1->setBrushColor(ButtonFace());
        Shape2->setBrushColor(ButtonFace());
        Form6->hide();
        SpeedButton6->setChecked(false);
        m.Paused = false;
        Timer1->setInterval(1000);
        UpdateTitle();
        m.GameScore = 0;
        m.ShownScore = 0;
        m.PlayerMisses = 0;
        DrawScoreCounter();
        game.agreement.AcceptedByUs = false;
    }
    PlayModeMusic();
}

void TForm1::ApplyLanguage()
{
    const bool inMatch = Game().match.GameInProgress;
    SpeedButton1->setText(Lang("Start", "Старт"));
    SpeedButton6->setText(Lang("Pause", "Пауза"));
    SpeedButton2->setText(Lang("Abort", "Прервать"));
    SpeedButton3->setText(Lang("Player", "Игрок"));
    SpeedButton4->setText(Lang("Scores", "Дневник"));
    Label1->setText(Lang("Music", "Музыка"));
    Label2->setText(Lang("Sound", "Звуки"));
    Label3->setText(Lang("Russian", "English"));
    GroupBox3->setTitle(Lang(" Control ", " Управление "));
    if (!inMatch) {
        GroupBox1->setTitle(Lang(" User ", " Пользователь "));
        GroupBox2->setTitle(Lang(" Computer ", " Компьютер "));
    }

    Form2->setWindowTitle(
        Lang("Area editor and network options", "Редактор поля и сетевые установки"));
    Form2->StaticText1->setText(Lang("Ship type", "Тип корабля"));
    Form2->StaticText2->setText(Lang("Rotate", "Вращение"));
    Form2->StaticText3->setText(Lang("Area size", "Размер поля"));
    Form2->StaticText5->setText(Lang("Port", "Порт"));
    Form2->Button1->setText(Lang("Clear", "Очистить"));
    Form2->Button3->setText(Lang("Generate", "Сгенерировать"));
    Form2->Button2->setText(Lang("Change", "Сменить"));
    Form2->GroupBox1->setTitle(Lang(" Sample ", " Образец "));
    Form2->GroupBox2->setTitle(Lang(" Network game ", " Игра по сети "));
    Form2->CheckBox1->setText(
        Lang("Save game log to TWLog.txt", "Сохранять ход игры в файл TWLog.txt"));

    Form3->setWindowTitle(Lang("Enter your name", "Введите свое имя"));
    Form3->Button2->setText(Lang("Remove selected users", "Удалить выделенных пользователей"));
    Form4->setWindowTitle(Lang("Our great winners", "Наши победители"));
    Form6->setWindowTitle(Lang("Game log", "Ход игры"));
    Form7->setWindowTitle(Lang("Waiting confirmation", "Ожидание подтверждения"));
    UpdateTitle();
    applyShortcuts();
    updateAccessibleTexts();
}

void TForm1::UpdateTitle()
{
    const QString &name = Game().settings.PlayerName;
    if (name.isEmpty())
        setWindowTitle(QStringLiteral("Tarnwake"));
    else
        setWindowTitle(Lang("Tarnwake - player ", "Tarnwake - игрок ") + name);
}

void TForm1::DrawScoreCounter()
{
    PaintBox3->setValue(Game().match.ShownScore);
}

void TForm1::Label1Click()
{
    Settings &s = Game().settings;
    s.MusicOn = !s.MusicOn;
    SetTextColor(Label1, s.MusicOn ? Qt::red : WindowText());
    if (s.MusicOn)
        PlayModeMusic();
    else
        m_audio->StopMusic();
}

void TForm1::Label2Click()
{
    Settings &s = Game().settings;
    s.SoundOn = !s.SoundOn;
    SetTextColor(Label2, s.SoundOn ? Qt::red : WindowText());
    if (s.SoundOn)
        m_audio->PlaySound(QStringLiteral("wrong3"));
}

void TForm1::Label3Click()
{
    Settings &s = Game().settings;
    s.EnglishUI = !s.EnglishUI;
    ApplyLanguage();
}

void TForm1::SpeedButton3Click()
{
    GameState &game = Game();
    if (game.match.GameInProgress)
        return;
    game.ModalBusy = true;
    Form3->Edit1->setText(game.settings.PlayerName);
    Form3->FillPlayerList();
    tw::CenterOnScreen(Form3);
    Form3->exec();
    game.settings.PlayerName = NormalizedPlayerName(Form3->Edit1->text());
    SendUserInfoIfIdle();
    UpdateTitle();
    game.ModalBusy = false;
}

void TForm1::SpeedButton4Click()
{
    GameState &game = Game();
    game.ModalBusy = true;
    m_audio->PlaySound(QStringLiteral("gong"));
    tw::CenterOnScreen(Form4);
    Form4->exec();
    game.ModalBusy = false;
}

void TForm1::SpeedButton5Click()
{
    GameState &game = Game();
    game.ModalBusy = true;
    m_audio->PlayMusic(QStringLiteral("logo"));
    tw::CenterOnScreen(Form5);
    Form5->exec();
    PlayModeMusic();
    game.ModalBusy = false;
}

void TForm1::Timer1Timer()
{
    m_audio->MusicUpkeep(Game().match.GameInProgress);
    m_match->Tick();
}

void TForm1::Timer4Timer()
{
    GameState &game = Game();
    MatchState &m = game.match;
    if (m.GameInProgress) {
        if (m.PlayerTurn && Shape1->brushColor() != QColor(Qt::blue)) {
            Shape1->setBrushColor(Qt::blue);
            Shape2->setBrushColor(ButtonFace());
        } else if (!m.PlayerTurn && Shape2->brushColor() != QColor(Qt::red)) {
            Shape1->setBrushColor(ButtonFace());
            Shape2->setBrushColor(Qt::red);
        }
    }
    m_net->SendAim();
    if (m.ShownScore != m.GameScore) {
        const int step = std::abs(m.GameScore - m.ShownScore) > 16 ? 16 : 1;
        m.ShownScore += m.GameScore > m.ShownScore ? step : -step;
        DrawScoreCounter();
    }
    updateAccessibleTexts();
}

bool TForm1::FormCloseQuery()
{
    return !Game().match.GameInProgress;
}

void TForm1::FormClose()
{
    m_audio->StopMusic();
    m_audio->DeleteMusicFiles();
    SaveSession(Game());
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    shutDown();
}

void TForm1::shutDown()
{
    if (!m_closing) {
        m_closing = true;
        // No tick may end a match, and count it, after the records are saved.
        Timer1->stop();
        Timer4->stop();
        FormClose();
    }
    // exit(), not quit(): quit() first asks every window to close, and the
    // companion windows refuse. exit() also ends the loops of open boxes and
    // of a running match (SpeedButton1Click() sees m_closing).
    QCoreApplication::exit(0);
}

void TForm1::saveRecords()
{
    // After the shutdown the file holds the run as it ended; nothing later
    // is added.
    if (!m_closing)
        SaveSession(Game());
}

void TForm1::SpeedButton1Click()
{
    if (!m_match->Begin())
        return;
    // The match runs as events of this loop: clicks, ticks, packets.
    while (!Game().match.GameOver && !m_closing)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // A shutdown in the middle of the match has saved the records without it.
    if (!m_closing)
        m_match->Finish();
}

void TForm1::SpeedButton2Click()
{
    m_match->Abort();
}

void TForm1::SpeedButton6Click()
{
    m_match->PauseButton(SpeedButton6->isChecked());
}

void TForm1::PaintBox2MouseDown()
{
    m_match->PlayerShot();
}

bool TForm1::InvitePeer()
{
    return m_net->InvitePeer();
}

void TForm1::SendShot(int col, int row)
{
    m_net->SendShot(col, row);
}

void TForm1::SendGameAborted()
{
    m_net->SendGameAborted();
}

void TForm1::Beep()
{
    UiFeedback().beep();
}

bool TForm1::Ask(Box box)
{
    Feedback &feedback = UiFeedback();
    switch (box) {
    case Box::FleetIncomplete:
        feedback.message(
            this,
            Lang("Battle area is empty! Use Game Editor, which is located somewhere on "
                 "the screen.",
                 "Недозаполненность поля битвы. Используйте специальную утилиту Game "
                 "Editor, располагающуюся где-то на экране."),
            QStringLiteral(">:-|"), BoxIcon::Question, BoxButtons::Ok, BoxAnswer::Ok);
        return true;
    case Box::NoPlayerName:
        feedback.message(this,
                         Lang("Enter the player name by pressing the \"Player\" button!",
                              "Введите имя посредством кнопки \"Игрок\"!"),
                         QStringLiteral(">:-|"), BoxIcon::Exclamation, BoxButtons::Ok,
                         BoxAnswer::Ok);
        return true;
    case Box::ConfirmAbort:
        return feedback.message(this,
                                Lang("Do you want to abort the game?", "Хотите ли закончить игру?"),
                                QStringLiteral(":-?"), BoxIcon::Question, BoxButtons::OkCancel,
                                BoxAnswer::Cancel) == BoxAnswer::Ok;
    }
    return false;
}

void TForm1::GenerateOpponentFleet(TBoard &board)
{
    // The counts of the own fleet, complete before a match can start, stay.
    TFleetCounts scratch;
    GenerateWithProgress(board, scratch);
}

QString TForm1::ExplosionCue()
{
    return m_audio->ExplosionCue();
}

QString TForm1::DestroyCue()
{
    return m_audio->DestroyCue();
}

QString TForm1::MissCue()
{
    return m_audio->MissCue();
}

void TForm1::PlaySound(const QString &name)
{
    m_audio->PlaySound(name);
}

void TForm1::PlayMusic(const QString &name)
{
    m_audio->PlayMusic(name);
}

void TForm1::MemoLine(const QString &line)
{
    Form6->Memo1->appendPlainText(line);
}

void TForm1::LogLine(const QString &text, bool withTime, bool withDate)
{
    m_log.setEnabled(Game().settings.SaveLog);
    m_log.LogLine(text, withTime, withDate);
}

void TForm1::EnterMatchLayout()
{
    ApplyModeLayout();
}

void TForm1::LeaveMatchLayout()
{
    ApplyModeLayout();
}

void TForm1::SetOwnBoardCaption(const QString &caption)
{
    GroupBox1->setTitle(caption);
}

void TForm1::SetOpponentBoardCaption(const QString &caption)
{
    GroupBox2->setTitle(caption);
}

void TForm1::Scramble(bool ownBoard, bool columnNumber, int picture, int x, int y)
{
    const Pictures &pictures = Pictures::get();
    const QPixmap &image =
        (columnNumber ? pictures.ImageList2 : pictures.ImageList3).value(picture);
    (ownBoard ? PaintBox1 : PaintBox2)->stamp(image, {x * W, y * H});
}

void TForm1::PutOutTurnLamp(bool playerLamp)
{
    (playerLamp ? Shape1 : Shape2)->setBrushColor(ButtonFace());
}

void TForm1::ShowTurnTimes(const QString &player, const QString &opponent)
{
    StaticText1->setText(player);
    StaticText2->setText(opponent);
}

void TForm1::SetTurnInterval(int milliseconds)
{
    Timer1->setInterval(milliseconds);
}

void TForm1::ShowConnectionState()
{
    m_net->ShowConnectionState();
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    QLineEdit *input = Form8->Memo1;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_net->ChatSend();
    } else if (event->key() == Qt::Key_Backspace) {
        if (!input->text().isEmpty())
            input->setText(input->text().chopped(1));
    } else {
        // Typed characters, control characters aside, join the chat line.
        QString typed = event->text();
        typed.removeIf([](QChar c) { return c.unicode() < 32; });
        if (!typed.isEmpty())
            input->setText(input->text() + typed);
    }
    QWidget::keyPressEvent(event);
}

void TForm1::ShowStatistics()
{
    Form4->ScrollBox1->verticalScrollBar()->setValue(0);
    tw::CenterOnScreen(Form4);
    Form4->exec();
}

QDateTime TForm1::Now()
{
    return QDateTime::currentDateTime();
}

} // namespace tw

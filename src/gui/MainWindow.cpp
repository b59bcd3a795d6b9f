#include "gui/MainWindow.h"

#include "core/startup/AppState.h"
#include "gui/AboutDialog.h"
#include "gui/CommandShortcuts.h"
#include "gui/CustomerDialog.h"
#include "gui/ErrorHandler.h"
#include "gui/PictureFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

namespace {

template <typename Widget> Widget* Place(Widget* widget, int x, int y, int width, int height)
{
    widget->setGeometry(x, y, width, height);
    return widget;
}

QLabel* PlaceLabel(const QString& text, QWidget* parent, int x, int y, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Создание заказа \"Пелмора\""));
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    m_client = new QWidget(this);
    setCentralWidget(m_client);
    CreateMenu();
    CreateControls(m_client);
    SetUpGrids();
    ConnectCommands();

    // The design size is the outer size; without a frame yet, the client
    // area takes all of it and the window manager's frame comes on top.
    move(99, 154);
    resize(1036, 662);

    // FormCreate
    DotNumberFormat = MakeDotNumberFormat(SystemFormat());
    App().OrderItemCount = 0;
    App().ImgPreviewMode = 1;
}

MainWindow::~MainWindow() = default;

void MainWindow::SetDialogs(CustomerDialog* customer, AboutDialog* about, QuantityDialog* quantity,
                            OrderPreviewDialog* preview)
{
    m_customerDialog = customer;
    m_aboutDialog = about;
    m_quantityDialog = quantity;
    m_previewWindow = preview;
    if (m_customerDialog)
        m_customerDialog->Bind(&CustomerDetails, &UserInfoPath);
}

void MainWindow::CreateControls(QWidget* client)
{
    Button1 = Place(new QPushButton(QStringLiteral("Новый заказ"), client), 8, 8, 137, 25);
    Button2 = Place(new QPushButton(QStringLiteral("Открыть заказ"), client), 160, 8, 137, 25);
    Button3 = Place(new QPushButton(QStringLiteral("Сохранить заказ"), client), 312, 8, 137, 25);
    Button6 = Place(new QPushButton(QStringLiteral("Завершить заказ"), client), 464, 8, 137, 25);
    QFont bold = Button6->font();
    bold.setBold(true);
    Button6->setFont(bold);

    GroupBox3 = Place(new QGroupBox(QStringLiteral(" Каталог "), client), 8, 39, 705, 293);
    Label1 = PlaceLabel(QStringLiteral("Фильтр по названию:"), GroupBox3, 11, 23);
    Edit1 = Place(new QLineEdit(GroupBox3), 127, 20, 142, 21);
    Button7 = Place(new QPushButton(QStringLiteral("OK"), GroupBox3), 275, 21, 45, 20);
    sg1 = Place(new QTableView(GroupBox3), 11, 57, 686, 208);
    Edit2 = Place(new QLineEdit(GroupBox3), 35, 269, 86, 21);
    Edit2->hide();

    GroupBox2 = Place(new QGroupBox(QStringLiteral(" Ваш заказ "), client), 8, 335, 705, 242);
    sg2 = Place(new QTableView(GroupBox2), 16, 28, 686, 186);
    PlaceLabel(QStringLiteral("Объем:"), GroupBox2, 16, 220);
    Label7 = PlaceLabel(QStringLiteral("0"), GroupBox2, 60, 220);
    PlaceLabel(QStringLiteral("Вес:"), GroupBox2, 220, 220);
    Label8 = PlaceLabel(QStringLiteral("0"), GroupBox2, 248, 220);
    PlaceLabel(QStringLiteral("Сумма:"), GroupBox2, 440, 220, true);
    Label6 = PlaceLabel(QStringLiteral("0"), GroupBox2, 488, 220, true);
    for (QLabel* total : {Label6, Label7, Label8})
        total->setMinimumWidth(150);
    Button8 = Place(new QPushButton(QStringLiteral("change"), GroupBox2), 3, 15, 62, 25);
    Button5 = Place(new QPushButton(QStringLiteral("del"), GroupBox2), 3, 40, 62, 25);
    Button8->hide();
    Button5->hide();

    panelRight = Place(new QFrame(client), 720, 0, 300, 585);
    panelRight->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelRight->setLineWidth(2);
    ImageFrame1 = Place(new PictureFrame(panelRight), 2, 2, 296, 240);
    ImageFrame2 = Place(new PictureFrame(panelRight), 2, 343, 296, 240);

    StatusBar1 = new QStatusBar(client);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(19);
    StatusPanel = new QLabel(StatusBar1);
    StatusBar1->addWidget(StatusPanel, 1);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
}

void MainWindow::CreateMenu()
{
    const auto item = [this](QMenu* menu, const QString& caption, const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(caption);
        action->setShortcut(keys);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    N2 = item(file, QStringLiteral("Новый заказ"), QKeySequence(Qt::CTRL | Qt::Key_N));
    N3 = item(file, QStringLiteral("Открыть заказ..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    N4 = item(file, QStringLiteral("Сохранить заказ..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    N16 = item(file, QStringLiteral("Завершить заказ"), QKeySequence(Qt::CTRL | Qt::Key_E));
    N17 = file->addSeparator();
    N18 = item(file, QStringLiteral("Выход"), QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* view = menuBar()->addMenu(QStringLiteral("Вид"));
    N14 = item(view, QStringLiteral("Одно изображение товара"));
    N15 = item(view, QStringLiteral("Два изображения товара"));
    auto* previewModes = new QActionGroup(this);
    for (QAction* mode : {N14, N15}) {
        mode->setCheckable(true);
        previewModes->addAction(mode);
    }

    QMenu* database = menuBar()->addMenu(QStringLiteral("База данных"));
    N13 = item(database, QStringLiteral("Указать файл БД"));
    N11 = item(database, QStringLiteral("Проверить обновление на сайте компании..."));

    QMenu* settings = menuBar()->addMenu(QStringLiteral("Настройки"));
    N6 = item(settings, QStringLiteral("Информация о пользователе"));
    N12 = item(settings, QStringLiteral("Указать курс евро..."));

    QMenu* help = menuBar()->addMenu(QStringLiteral("Помощь"));
    N8 = item(help, QStringLiteral("О программе"));

    // The menu commands with shortcuts run wherever the focus is, text boxes
    // included. Only these: an editing shortcut such as undo must stay the
    // focused box's.
    new CommandShortcuts(this, {N2, N3, N4, N16, N18});
}

void MainWindow::ConnectCommands()
{
    connect(N18, &QAction::triggered, this, &QWidget::close);
    connect(Button1, &QPushButton::clicked, this, Guard(this, &MainWindow::NewOrder));
    connect(Button2, &QPushButton::clicked, this, Guard(this, &MainWindow::OpenOrder));
    connect(Button3, &QPushButton::clicked, this, [this] { Guarded([this] { SaveOrder(); }); });
    connect(Button6, &QPushButton::clicked, this, Guard(this, &MainWindow::CompleteOrder));
    connect(N2, &QAction::triggered, Button1, &QPushButton::click);
    connect(N3, &QAction::triggered, Button2, &QPushButton::click);
    connect(N4, &QAction::triggered, Button3, &QPushButton::click);
    connect(N16, &QAction::triggered, Button6, &QPushButton::click);
    connect(N8, &QAction::triggered, this, [this] {
        if (m_aboutDialog)
            m_aboutDialog->exec();
    });
    connect(Button8, &QPushButton::clicked, this, Guard(this, &MainWindow::ChangeSelectedLine));
    connect(Button5, &QPushButton::clicked, this, Guard(this, &MainWindow::DeleteSelectedLine));
    connect(Edit2, &QLineEdit::textChanged, this, Guard(this, &MainWindow::Edit2Change));
    connect(sg1, &QTableView::doubleClicked, this,
            [this] { Guarded([this] { AddSelectedProduct(); }); });
    connect(sg2, &QTableView::doubleClicked, this, Guard(this, &MainWindow::ChangeSelectedLine));
    connect(ImageFrame1, &PictureFrame::mainImageDoubleClicked, this,
            [this] { Guarded([this] { AddSelectedProduct(); }); });
    connect(ImageFrame2, &PictureFrame::mainImageDoubleClicked, this,
            Guard(this, &MainWindow::ChangeSelectedLine));
    connect(N14, &QAction::triggered, this, Guard(this, &MainWindow::N14Click));
    connect(N15, &QAction::triggered, this, Guard(this, &MainWindow::N15Click));
    connect(N13, &QAction::triggered, this, Guard(this, &MainWindow::N13Click));
    connect(N6, &QAction::triggered, this, Guard(this, &MainWindow::N6Click));
    connect(N11, &QAction::triggered, this, Guard(this, &MainWindow::N11Click));
    connect(N12, &QAction::triggered, this, Guard(this, &MainWindow::N12Click));
    connect(Button7, &QPushButton::clicked, this, Guard(this, &MainWindow::Button7Click));
    connect(Edit1, &QLineEdit::returnPressed, this, Guard(this, &MainWindow::Button7Click));
    connect(Timer1, &QTimer::timeout, this, Guard(this, &MainWindow::Timer1Timer));
}

void MainWindow::N6Click()
{
    if (m_customerDialog)
        m_customerDialog->exec();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Guarded([this] { FormResize(); });
}

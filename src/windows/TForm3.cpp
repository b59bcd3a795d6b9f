#include "windows/TForm3.h"

#include "app/AppState.h"
#include "app/Interaction.h"
#include "app/Version.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString kSiteHost = QStringLiteral("www.pelmora.ru");
const QString kMailbox = QStringLiteral("info@pelmora.ru");
const QColor kLinkColour(0, 129, 230);

QLabel* Place(QLabel* label, int x, int y, int width = -1, int height = -1)
{
    label->move(x, y);
    if (width > 0)
        label->resize(width, height);
    else
        label->adjustSize();
    return label;
}

// A link shows it can be followed only while the pointer is over it.
void SetHot(QLabel* label, bool hot)
{
    QFont font = label->font();
    font.setUnderline(hot);
    label->setFont(font);
    if (hot)
        label->setCursor(Qt::PointingHandCursor);
    else
        label->unsetCursor();
}

// The links are a courtesy: a desktop without a browser or a mail program
// must not turn a click into an error box.
void OpenQuietly(const QString& url)
{
    try {
        if (IUserInteraction* ui = App().Ui)
            ui->ShellOpen(url);
    } catch (...) {
    }
}

bool IsClick(QLabel* label, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // Releasing outside the label takes the click back.
    return mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint());
}

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(225, 193);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(8, 8, 209, 145);
    Label1 = Place(new QLabel(QStringLiteral("Приложение для составления заказов компании "
                                             "\"Пелмора\""),
                              GroupBox1),
                   8, 10, 193, 34);
    Label1->setWordWrap(true);
    Label7 = Place(new QLabel(QStringLiteral("Версия"), GroupBox1), 8, 52);
    Label8 = Place(new QLabel(GroupBox1), 56, 52, 60, Label7->height());
    Label2 = Place(new QLabel(QStringLiteral("© Пелмора, 2026"), GroupBox1), 8, 72);
    Label5 = Place(new QLabel(QStringLiteral("Веб-сайт:"), GroupBox1), 8, 100);
    Label3 = Place(new QLabel(kSiteHost, GroupBox1), 72, 100);
    Label6 = Place(new QLabel(QStringLiteral("E-mail:"), GroupBox1), 8, 120);
    Label4 = Place(new QLabel(kMailbox, GroupBox1), 72, 120);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(75, 160, 75, 25);
    Button1->setDefault(true);

    Label3->installEventFilter(this);
    Label4->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);

    FormCreate();
}

void TForm3::FormCreate()
{
    for (QLabel* link : {Label3, Label4}) {
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, kLinkColour);
        link->setPalette(palette);
    }
}

void TForm3::FormShow()
{
    Label8->setText(QString::fromLatin1(kProgramVersion));
}

void TForm3::Label3Click()
{
    OpenQuietly(QStringLiteral("http://") + kSiteHost);
}

void TForm3::Label3MouseEnter()
{
    SetHot(Label3, true);
}

void TForm3::Label3MouseLeave()
{
    SetHot(Label3, false);
}

void TForm3::Label4Click()
{
    OpenQuietly(QStringLiteral("mailto:") + kMailbox);
}

void TForm3::Label4MouseEnter()
{
    SetHot(Label4, true);
}

void TForm3::Label4MouseLeave()
{
    SetHot(Label4, false);
}

void TForm3::Button1Click()
{
    accept();
}

void TForm3::showEvent(QShowEvent* event)
{
    FormShow();
    CentreOnParent();
    QDialog::showEvent(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label3) {
        if (event->type() == QEvent::Enter)
            Label3MouseEnter();
        else if (event->type() == QEvent::Leave)
            Label3MouseLeave();
        else if (IsClick(Label3, event))
            Label3Click();
    } else if (watched == Label4) {
        if (event->type() == QEvent::Enter)
            Label4MouseEnter();
        else if (event->type() == QEvent::Leave)
            Label4MouseLeave();
        else if (IsClick(Label4, event))
            Label4Click();
    }
    return QDialog::eventFilter(watched, event);
}

// The window lives for the whole run, so it follows the main window to
// wherever that has been moved since the last show.
void TForm3::CentreOnParent()
{
    if (!parentWidget())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->window()->frameGeometry().center());
    move(frame.topLeft());
}

#include "gui/AboutDialog.h"

#include "core/Version.h"
#include "core/seams/Interaction.h"
#include "core/startup/AppState.h"

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

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
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
    connect(Button1, &QPushButton::clicked, this, &AboutDialog::Button1Click);

    FormCreate();
}

void AboutDialog::FormCreate()
{
    for (QLabel* link : {Label3, Label4}) {
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, kLinkColour);
        link->setPalette(palette);
    }
}

void AboutDialog::FormShow()
{
    Label8->setText(QString::fromLatin1(kProgramVersion));
}

void AboutDialog::Label3Click()
{
    OpenQuietly(QStringLiteral("http://") + kSiteHost);
}

void AboutDialog::Label3MouseEnter()
{
    SetHot(Label3, true);
}

void AboutDialog::Label3MouseLeave()
{
    SetHot(Label3, false);
}

void AboutDialog::Label4Click()
{
    OpenQuietly(QStringLiteral("mailto:") + kMailbox);
}

void AboutDialog::Label4MouseEnter()
{
    SetHot(Label4, true);
}

void AboutDialog::Label4MouseLeave()
{
    SetHot(Label4, false);
}

void AboutDialog::Button1Click()
{
    accept();
}

void AboutDialog::showEvent(QShowEvent* event)
{
    FormShow();
    CentreOnParent();
    QDialog::showEvent(event);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event)
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
void AboutDialog::CentreOnParent()
{
    if (!parentWidget())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->window()->frameGeometry().center());
    move(frame.topLeft());
}

#include "gui/AboutDialog.h"

#include "core/Version.h"
#include "core/seams/Interaction.h"
#include "gui/WidgetPlacement.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString kSiteHost = QStringLiteral("www.pelmora.ru");
const QString kMailbox = QStringLiteral("info@pelmora.ru");
const QColor kLinkColour(0, 129, 230);

QLabel* PlaceLabel(QLabel* label, int x, int y, int width = -1, int height = -1)
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
void OpenQuietly(IUserInteraction& ui, const QString& url)
{
    try {
        ui.ShellOpen(url);
    } catch (...) {
    }
}

bool IsLeftClickInside(QLabel* label, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // Releasing outside the label takes the click back.
    return mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint());
}

} // namespace

AboutDialog::AboutDialog(IUserInteraction& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(225, 193);

    auto* group = Named(new QGroupBox(this), "GroupBox1");
    group->setGeometry(8, 8, 209, 145);
    auto* description = Named(PlaceLabel(new QLabel(QStringLiteral("Приложение для составления "
                                                                   "заказов компании \"Пелмора\""),
                                                    group),
                                         8, 10, 193, 34),
                              "Label1");
    description->setWordWrap(true);
    QLabel* versionCaption =
        Named(PlaceLabel(new QLabel(QStringLiteral("Версия"), group), 8, 52), "Label7");
    m_versionLabel =
        Named(PlaceLabel(new QLabel(group), 56, 52, 60, versionCaption->height()), "Label8");
    Named(PlaceLabel(new QLabel(QStringLiteral("© Пелмора, 2026"), group), 8, 72), "Label2");
    Named(PlaceLabel(new QLabel(QStringLiteral("Веб-сайт:"), group), 8, 100), "Label5");
    m_siteLink = Named(PlaceLabel(new QLabel(kSiteHost, group), 72, 100), "Label3");
    Named(PlaceLabel(new QLabel(QStringLiteral("E-mail:"), group), 8, 120), "Label6");
    m_mailLink = Named(PlaceLabel(new QLabel(kMailbox, group), 72, 120), "Label4");

    auto* okButton = Named(new QPushButton(QStringLiteral("OK"), this), "Button1");
    okButton->setGeometry(75, 160, 75, 25);
    okButton->setDefault(true);

    m_siteLink->installEventFilter(this);
    m_mailLink->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    colourLinks();
}

void AboutDialog::colourLinks()
{
    for (QLabel* link : {m_siteLink, m_mailLink}) {
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, kLinkColour);
        link->setPalette(palette);
    }
}

void AboutDialog::openSite()
{
    OpenQuietly(m_ui, QStringLiteral("http://") + kSiteHost);
}

void AboutDialog::writeMail()
{
    OpenQuietly(m_ui, QStringLiteral("mailto:") + kMailbox);
}

void AboutDialog::showEvent(QShowEvent* event)
{
    m_versionLabel->setText(QString::fromLatin1(kProgramVersion));
    centreOnParent();
    QDialog::showEvent(event);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event)
{
    for (QLabel* link : {m_siteLink, m_mailLink}) {
        if (watched != link)
            continue;
        if (event->type() == QEvent::Enter)
            SetHot(link, true);
        else if (event->type() == QEvent::Leave)
            SetHot(link, false);
        else if (IsLeftClickInside(link, event))
            link == m_siteLink ? openSite() : writeMail();
    }
    return QDialog::eventFilter(watched, event);
}

// The window lives for the whole run, so it follows the main window to
// wherever that has been moved since the last show.
void AboutDialog::centreOnParent()
{
    if (!parentWidget())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->window()->frameGeometry().center());
    move(frame.topLeft());
}

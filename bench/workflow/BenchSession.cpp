#include "BenchSession.h"

#include "BenchReport.h"
#include "core/order/OrderFile.h"
#include "gui/AboutDialog.h"
#include "gui/CustomerDialog.h"
#include "gui/MainWindow.h"
#include "gui/OrderPreviewDialog.h"
#include "gui/QuantityDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <stdexcept>

namespace Bench {

Profile::Profile()
{
    for (const char* name : {"home", "config", "data", "runtime"})
        QDir(m_root.path()).mkpath(QString::fromLatin1(name));
    QFile::setPermissions(Path("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", Path("home").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", Path("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", Path("data").toLocal8Bit());
}

QString Profile::Path(const char* relative) const
{
    return QDir(m_root.path()).filePath(QString::fromLatin1(relative));
}

void Profile::Prepare(const CatalogueFolder& catalogue) const
{
    Write("config/Pelmora/settings.ini",
          "[General]\r\nEuro=98.5\r\nDBPath=" + QFile::encodeName(catalogue.Database) +
              "\r\nDBImgPath=" + QFile::encodeName(catalogue.Pictures) +
              "\r\nUpdatesURL=http://www.pelmora.ru/kesta/\r\n");
    Write("data/Pelmora/userinfo.ini",
          "[General]\r\nImgPreviewMode=1\r\nRemindOnStartup=1\r\nUserInfoSpecified=1\r\n"
          "[UserInfo]\r\nCompany=Bench\r\nTIN=7700000000\r\nPhones=+7 495 000-00-00\r\n"
          "ContactPerson=Bench\r\nEmail=bench@example.org\r\nCompanyType=0\r\n");
}

void Profile::Write(const char* relative, const QByteArray& content) const
{
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

Session::Session(const Profile& profile, const CatalogueFolder& catalogue)
{
    profile.Prepare(catalogue);
    Ui.InputAnswers = {QStringLiteral("98.5")};

    const auto start = Clock::now();
    Form1 = std::make_unique<MainWindow>(Catalogue, Prices, Order, History, Settings,
                                         Seams{Ui, Http, SystemClock}, Format);
    Form2 = std::make_unique<CustomerDialog>(Settings, Ui, Form1.get());
    Form3 = std::make_unique<AboutDialog>(Ui, Form1.get());
    Form4 = std::make_unique<QuantityDialog>(Ui, Form1.get());
    Form5 = std::make_unique<OrderPreviewDialog>(Ui, Form1.get());
    Form1->setDialogs(Form2.get(), Form3.get(), Form4.get(), Form5.get());
    if (!Form1->runStartup(StandardStartupPlaces()))
        throw std::runtime_error("the start-up sequence ended the program");
    Form1->show();
    // The window's first pass of the message loop: pending layouts, then
    // a rendering of everything it shows.
    QCoreApplication::processEvents();
    (void)Form1->grab();
    StartupMs = Milliseconds(Clock::now() - start);

    // Anything but the one rate prompt means the start was not the one
    // meant to be measured.
    if (Ui.Inputs.size() != 1 || !Ui.Messages.empty())
        throw std::runtime_error(
            "unexpected dialogs at start-up: " + std::to_string(Ui.Inputs.size()) + " inputs, " +
            std::to_string(Ui.Messages.size()) + " messages" +
            (Ui.Messages.empty() ? std::string() : ": " + Ui.Messages.front().Text.toStdString()));
}

Session::~Session()
{
    Form5.reset();
    Form4.reset();
    Form3.reset();
    Form2.reset();
    Form1.reset();
}

void Session::StopPictureTimer() const
{
    Find<QTimer>("Timer1")->stop();
}

double Session::CompleteOrderToPreview(const QString& documentPath)
{
    Ui.SaveAnswers = {documentPath};
    if (QFile::exists(documentPath)) // replace it
        Ui.MessageAnswers = {MessageAnswer::Yes};
    OrderPreviewDialog* preview = Form5.get();
    // The view is made with the first document, so the bench watches for it
    // rather than connecting to a view that may not exist yet.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, preview, [preview, documentPath] {
        const auto* view = preview->findChild<QWebEngineView*>(QStringLiteral("WebBrowser1"));
        if (preview->isVisible() && view && !preview->isLoading() &&
            view->url() == QUrl::fromLocalFile(documentPath))
            preview->close();
    });
    watch.start(1);
    // A view that never reports must not hold the bench for ever.
    QTimer::singleShot(60000, preview, &QDialog::close);
    const double ms = TimeMs([this] { Find<QPushButton>("Button6")->click(); });
    return ms;
}

void MakeOrder(Session& session, int lines)
{
    const std::vector<CatalogueEntry>& products = session.Catalogue.entries();
    std::vector<OrderItem> items;
    for (int k = 0; k < lines; ++k) {
        const auto& entry =
            products[static_cast<std::size_t>((k * 97) % session.Catalogue.count())];
        items.push_back(OrderItem::FromEntry(entry, entry.MinQuantity * (1 + k % 7)));
    }
    // Through a file, as an opened order: a small catalogue repeats its
    // products, which adding them would merge.
    const QTemporaryDir folder;
    const std::filesystem::path file =
        QFile::encodeName(folder.filePath(QStringLiteral("made.order"))).toStdString();
    WriteOrderFile(file, items, lines);
    session.Order.load(file);
}

} // namespace Bench

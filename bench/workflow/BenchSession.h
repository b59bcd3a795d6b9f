#pragma once

// The program as the whole-program benchmark runs it: a private profile and
// the five windows started as the program entry starts them, with scripted
// dialogs and a network that fails at once.

#include "BenchCatalogue.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Prices.h"
#include "core/order/Order.h"
#include "core/order/OrderHistory.h"
#include "core/seams/Clock.h"
#include "core/settings/Settings.h"
#include "gui/MainWindow.h"
#include "support/FakeHttpClient.h"
#include "support/FakeInteraction.h"

#include <QByteArray>
#include <QLocale>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

class CustomerDialog;
class AboutDialog;
class QuantityDialog;
class OrderPreviewDialog;

namespace Bench {

// Home and settings folders in a temporary folder (HOME and the XDG folders
// point there while it lives), prepared so that the only question at
// start-up is the euro-rate prompt, when the network fails.
class Profile
{
public:
    Profile();

    QString Path(const char* relative) const;
    // Settings naming `catalogue`, preview mode 1, the customer's details given.
    void Prepare(const CatalogueFolder& catalogue) const;

private:
    void Write(const char* relative, const QByteArray& content) const;

    QTemporaryDir m_root;
};

// The five windows as the program entry makes them, started on `catalogue`
// with the rate prompt answered: construction, FormShow, show, one pass of
// the message loop and a rendering of the whole window, timed as StartupMs.
// Raises when the start asked anything but the rate prompt.
struct Session
{
    FakeInteraction Ui;
    FakeHttpClient Http;
    TSystemClock SystemClock;
    TFormatSettings Format = FormatFromLocale(QLocale::system());
    ::Catalogue Catalogue;
    ::Prices Prices;
    ::Order Order;
    ::OrderHistory History{Order};
    ::Settings Settings{Format};
    std::unique_ptr<MainWindow> Form1;
    std::unique_ptr<CustomerDialog> Form2;
    std::unique_ptr<AboutDialog> Form3;
    std::unique_ptr<QuantityDialog> Form4;
    std::unique_ptr<OrderPreviewDialog> Form5;
    double StartupMs = 0;

    Session(const Profile& profile, const CatalogueFolder& catalogue);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A control of the main window by its designer name.
    template <typename Control> Control* Find(const char* designerName) const
    {
        auto* control = Form1->findChild<Control*>(QLatin1StringView(designerName));
        if (!control)
            throw std::runtime_error(std::string("no control named ") + designerName);
        return control;
    }

    // The deferred picture refresh is not part of what is measured.
    void StopPictureTimer() const;

    // CompleteOrder with the document written to `documentPath`, through to
    // the preview window, which is closed as soon as its view has loaded the
    // document. Returns the time it took.
    double CompleteOrderToPreview(const QString& documentPath);
};

// An order of `lines` lines over the loaded catalogue, as entry makes them.
void MakeOrder(Session& session, int lines);

} // namespace Bench

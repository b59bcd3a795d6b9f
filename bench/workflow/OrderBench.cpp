#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "core/order/OrderDocument.h"
#include "core/order/OrderFile.h"
#include "core/order/OrderTotals.h"
#include "core/startup/AppState.h"
#include "gui/MainWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTableView>
#include <cstdio>
#include <fcntl.h>
#include <span>
#include <unistd.h>

namespace Bench {

namespace {

double PlainWrite(const QString& path, const std::string& bytes)
{
    return MedianMs([&] {
        std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    });
}

// What a write that survives a crash costs at least: a temporary file
// written, flushed to the disk and renamed over the old one.
double SafeWrite(const QString& path, const std::string& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".tmp";
    return MedianMs([&] {
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            std::printf("  (short write)\n");
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.constData(), target.constData());
    });
}

double PlainRead(const QString& path)
{
    return MedianMs([&] {
        std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb");
        std::string bytes(static_cast<std::size_t>(QFileInfo(path).size()), '\0');
        if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size())
            std::printf("  (short read)\n");
        std::fclose(f);
    });
}

} // namespace

void MeasureOrder(Session& session, const Profile& profile)
{
    Heading("An order of 1,000 lines");
    MainWindow& form = *session.Form1;
    AppState& app = App();
    MakeOrder(kOrderLines);
    const double refresh = MedianMs([&] {
        form.RefreshOrderView();
        QCoreApplication::processEvents();
        (void)form.sg2->grab();
    });
    const double totals = MedianMs(
        [&] { (void)OrderTotals::Of(app.OrderItems, app.OrderItemCount, app.PriceFactor); });

    const QString orderPath = profile.Path("home/bench.order");
    const double save = MedianMs([&] { form.SaveOrder(); },
                                 [&] {
                                     form.OrderModified = true;
                                     session.Ui.SaveAnswers = {orderPath};
                                 });
    const std::string orderBytes = OrderFileContent(app.OrderItems, app.OrderItemCount);
    const double content = MedianMs([&] { (void)OrderFileContent(app.OrderItems, kOrderLines); });
    const QString plainPath = profile.Path("home/plain.order");
    const double plainWrite = PlainWrite(plainPath, orderBytes);
    const double safeWrite = SafeWrite(plainPath, orderBytes);

    const double open = MedianMs([&] { form.OpenOrder(); },
                                 [&] {
                                     form.OrderModified = false;
                                     session.Ui.OpenAnswers = {orderPath};
                                 });
    const bool sameOrder = app.OrderItemCount == kOrderLines;
    const double read =
        MedianMs([&] { (void)ReadOrderFile(QFile::encodeName(orderPath).toStdString()); });
    const double plainRead = PlainRead(orderPath);

    const OrderTotals sums = OrderTotals::Of(app.OrderItems, app.OrderItemCount, app.PriceFactor);
    const OrderTotalTexts texts{sums.MoneyText(), sums.VolumeText(), sums.WeightText()};
    CustomerDetails customer;
    customer.UserInfoSpecified = true;
    customer.Company = "Bench";
    const std::span lines(app.OrderItems.data(), static_cast<std::size_t>(app.OrderItemCount));
    std::string document;
    const double documentText = MedianMs([&] {
        document = OrderDocumentText(lines, app.PriceFactor, texts, customer,
                                     QDateTime::currentDateTime());
    });
    const QString documentPath = profile.Path("home/bench.html");
    const std::filesystem::path documentFile = QFile::encodeName(documentPath).toStdString();
    const double documentWrite = MedianMs([&] { WriteOrderDocument(documentFile, document); });
    const double documentPlain = PlainWrite(profile.Path("home/plain.html"), document);
    const double documentSafe = SafeWrite(profile.Path("home/plain.html"), document);
    // The preview's first document also starts the HTML engine's renderer.
    const double previewFirst = session.CompleteOrderToPreview(documentPath);
    std::vector<double> previews;
    for (int i = 0; i < 3; ++i)
        previews.push_back(session.CompleteOrderToPreview(documentPath));

    std::printf("  order file %zu bytes, document %zu bytes\n", orderBytes.size(), document.size());
    Figure("RefreshOrderView + repaint", refresh);
    Figure("  the totals' arithmetic alone (reference)", totals);
    Compared("SaveOrder (file content + safe replace)", save, plainWrite);
    Figure("  of which OrderFileContent", content);
    Figure("  plain write of the same bytes (baseline)", plainWrite);
    Figure("  write + fsync + rename of the same bytes (reference)", safeWrite);
    Compared("OpenOrder (read, check, RefreshOrderView)", open, plainRead);
    Compared("  ReadOrderFile alone", read, plainRead);
    Figure("  plain read of the same bytes (baseline)", plainRead);
    Compared("OrderDocumentText", documentText, documentPlain);
    Compared("WriteOrderDocument", documentWrite, documentPlain);
    Figure("  plain write of the same bytes (baseline)", documentPlain);
    Figure("  write + fsync + rename of the same bytes (reference)", documentSafe);
    Figure("CompleteOrder to the document loaded in the preview", Median(previews));
    Figure("  the same, the first time in the process", previewFirst);
    if (!sameOrder)
        std::printf("  THE ORDER READ BACK HAS %d LINES\n", app.OrderItemCount);
}

} // namespace Bench

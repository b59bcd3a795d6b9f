#include "BenchReport.h"
#include "BenchSession.h"
#include "Measurements.h"
#include "core/order/OrderDocument.h"
#include "core/order/OrderFile.h"
#include "core/order/OrderTotals.h"
#include "gui/MainWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>
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
    Order& order = session.Order;
    const double priceFactor = session.Prices.priceFactor();
    MakeOrder(session, kOrderLines);
    const double refresh = MedianMs([&] {
        form.showOrder();
        QCoreApplication::processEvents();
        (void)session.Find<QTableView>("sg2")->grab();
    });
    const double totals = MedianMs([&] { (void)order.totals(priceFactor); });
    const auto lineVector = [&order] {
        return std::vector<OrderItem>(order.lines().begin(), order.lines().end());
    };

    const QString orderPath = profile.Path("home/bench.order");
    const double save = MedianMs([&] { session.Find<QPushButton>("Button3")->click(); },
                                 [&] {
                                     // A change, so that the save writes the file.
                                     order.changeQuantity(0, order.lines()[0].Quantity);
                                     session.Ui.SaveAnswers = {orderPath};
                                     if (QFile::exists(orderPath)) // replace it
                                         session.Ui.MessageAnswers = {MessageAnswer::Yes};
                                 });
    const std::vector<OrderItem> items = lineVector();
    const std::string orderBytes = OrderFileContent(items, order.lineCount());
    const double content = MedianMs([&] { (void)OrderFileContent(items, kOrderLines); });
    const QString plainPath = profile.Path("home/plain.order");
    const double plainWrite = PlainWrite(plainPath, orderBytes);
    const double safeWrite = SafeWrite(plainPath, orderBytes);

    const double open = MedianMs([&] { session.Find<QPushButton>("Button2")->click(); },
                                 [&] { session.Ui.OpenAnswers = {orderPath}; });
    const bool sameOrder = order.lineCount() == kOrderLines;
    const double read =
        MedianMs([&] { (void)ReadOrderFile(QFile::encodeName(orderPath).toStdString()); });
    const double plainRead = PlainRead(orderPath);

    const OrderTotalTexts texts = order.totalTexts(priceFactor, session.Format);
    CustomerDetails customer;
    customer.UserInfoSpecified = true;
    customer.Company = "Bench";
    std::string document;
    const double documentText = MedianMs([&] {
        document = OrderDocumentText(order.lines(), priceFactor, texts, customer,
                                     QDateTime::currentDateTime(), session.Format);
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
        std::printf("  THE ORDER READ BACK HAS %d LINES\n", order.lineCount());
    // A command that failed (a question no script answered, say) ends at once
    // in the error box, and its time measures nothing.
    for (const FakeInteraction::Message& message : session.Ui.Messages)
        if (message.Style == static_cast<int>(MessageIcon::Error))
            std::printf("  A COMMAND FAILED: %s\n", message.Text.toStdString().c_str());
}

} // namespace Bench

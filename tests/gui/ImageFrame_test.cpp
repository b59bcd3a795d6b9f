#include "core/pictures/JpegDecoder.h"
#include "core/pictures/LookAhead.h"
#include "core/text/Cp1251.h"
#include "core/text/SystemErrorText.h"
#include "gui/PictureBox.h"
#include "gui/PictureFrame.h"
#include "gui/PicturePanel.h"
#include "support/FakeInteraction.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"

#include <QSignalSpy>
#include <QtTest>
#include <cstring>

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb White = qRgb(255, 255, 255);

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 &&
           std::abs(qBlue(a) - qBlue(b)) < 8;
}

// The process's peak resident memory (VmHWM).
qint64 PeakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong() * 1024;
    }
    return -1;
}

QRgb CentreColour(const PictureBox* box)
{
    const QImage& image = box->picture();
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

class ImageFrameTest : public QObject
{
    Q_OBJECT

private:
    GuiTestEnvironment m_env;
    TempDir m_pictures;
    std::unique_ptr<PictureFrame> m_frame;

    void Picture(const QString& name, QRgb colour, QSize size = QSize(800, 600))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(m_pictures.QPath(name), "JPG", 95));
    }
    std::string Folder() const { return Utf8ToCp1251(m_pictures.Path().string()) + "/"; }

private Q_SLOTS:
    void initTestCase()
    {
        Picture(QStringLiteral("a.jpg"), Red);
        Picture(QStringLiteral("b.jpg"), Green);
        Picture(QStringLiteral("c.jpg"), Blue);
        Picture(QStringLiteral("my photo.jpg"), Blue);
        Picture(QStringLiteral("small.jpg"), Red, QSize(64, 48));
        QVERIFY(QDir(m_pictures.QPath()).mkdir(QStringLiteral("sub")));
        Picture(QStringLiteral("sub/d.jpg"), Green);
        QFile text(m_pictures.QPath(QStringLiteral("text.jpg")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("no picture");
    }

    void init()
    {
        m_frame = std::make_unique<PictureFrame>();
        m_frame->setPictureFolder(Folder());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void cleanup() { m_frame.reset(); }

    void firstPictureLargeAndAllAsThumbnails()
    {
        m_frame->showPictures("a.jpg;b.jpg;c.jpg");
        PictureBox* main = m_frame->mainPicture();
        PictureBox* small = m_frame->firstThumbnail();
        const auto thumbs = m_frame->furtherThumbnails();
        QCOMPARE(thumbs.size(), std::size_t(2));
        QVERIFY(Near(CentreColour(main), Red));
        QVERIFY(Near(CentreColour(small), Red));
        QVERIFY(Near(CentreColour(thumbs[0]), Green));
        QVERIFY(Near(CentreColour(thumbs[1]), Blue));

        // Decoded once, and kept only as the large box (320 x 169) shows it.
        QCOMPARE(main->picture().size(), QSize(225, 169));
        QCOMPARE(main->pictureFullSize(), QSize(800, 600));
        QCOMPARE(small->picture().cacheKey(), main->picture().cacheKey());

        QCOMPARE(main->geometry(), QRect(0, 0, 320, 169));
        QCOMPARE(small->geometry(), QRect(0, 169, 105, 71));
        QCOMPARE(thumbs[0]->geometry(), QRect(105, 169, 105, 71));
        QCOMPARE(thumbs[1]->geometry(), QRect(210, 169, 105, 71));

        QTest::mouseClick(thumbs[1], Qt::LeftButton);
        QCOMPARE(main->picture().cacheKey(), thumbs[1]->picture().cacheKey());
        QVERIFY(Near(CentreColour(small), Red));
        QTest::mouseClick(small, Qt::LeftButton);
        QVERIFY(Near(CentreColour(main), Red));
    }

    void doubleClickOnTheLargePicture()
    {
        QSignalSpy spy(m_frame.get(), &PictureFrame::mainPictureDoubleClicked);
        m_frame->showPictures("a.jpg");
        QTest::mouseDClick(m_frame->mainPicture(), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QTest::mouseDClick(m_frame->firstThumbnail(), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
    }

    void listsAndTheirThumbnails_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("thumbnails");
        QTest::newRow("blank after ;") << "a.jpg; b.jpg" << 1;
        QTest::newRow("blank alone") << "a.jpg b.jpg" << 1;
        QTest::newRow("empty item") << "a.jpg;;b.jpg" << 1;
        QTest::newRow("trailing ;") << "a.jpg;b.jpg;" << 1;
        QTest::newRow("quoted space") << "a.jpg;\"my photo.jpg\"" << 1;
        QTest::newRow("same twice") << "a.jpg;a.jpg;a.jpg" << 2;
        QTest::newRow("one") << "a.jpg" << 0;
        QTest::newRow("backslash separates folders") << "a.jpg;sub\\d.jpg" << 1;
    }
    void listsAndTheirThumbnails()
    {
        QFETCH(QString, list);
        QFETCH(int, thumbnails);
        m_frame->showPictures("c.jpg;b.jpg;a.jpg;c.jpg");
        m_frame->showPictures(list.toStdString());
        QCOMPARE(int(m_frame->furtherThumbnails().size()), thumbnails);
        QVERIFY(Near(CentreColour(m_frame->mainPicture()), Red));
        QVERIFY(m_frame->updatesEnabled());
    }

    void emptyListClearsTheFrame()
    {
        m_frame->showPictures("a.jpg;b.jpg");
        m_frame->showPictures("");
        QVERIFY(m_frame->mainPicture()->isEmpty());
        QVERIFY(m_frame->firstThumbnail()->isEmpty());
        QVERIFY(m_frame->furtherThumbnails().empty());
        m_frame->showPictures("a.jpg;b.jpg");
        m_frame->showPictures(" \t ");
        QVERIFY(m_frame->mainPicture()->isEmpty());
        QVERIFY(m_frame->furtherThumbnails().empty());
    }

    void failingFirstPictureKeepsThePreviousOne()
    {
        m_frame->showPictures("a.jpg;b.jpg;c.jpg");
        try {
            m_frame->showPictures("missing.jpg;b.jpg");
            QFAIL("no error");
        } catch (const EPictureError& e) {
            QCOMPARE(std::string(e.what()), "Cannot open file \"" + Folder() + "missing.jpg\". " +
                                                SystemErrorText(ENOENT));
        }
        QVERIFY(m_frame->furtherThumbnails().empty());
        QVERIFY(Near(CentreColour(m_frame->mainPicture()), Red));
        QVERIFY(Near(CentreColour(m_frame->firstThumbnail()), Red));
        QVERIFY(m_frame->updatesEnabled());

        // Unquoted, a name with a space is two names.
        QVERIFY_THROWS_EXCEPTION(EPictureError, m_frame->showPictures("my photo.jpg"));
    }

    void failingLaterPictureKeepsWhatWasMade()
    {
        m_frame->showPictures("c.jpg");
        try {
            m_frame->showPictures("a.jpg;b.jpg;text.jpg;c.jpg");
            QFAIL("no error");
        } catch (const EPictureError& e) {
            QVERIFY(std::string(e.what()).starts_with("JPEG error #"));
        }
        QVERIFY(Near(CentreColour(m_frame->mainPicture()), Red));
        const auto thumbs = m_frame->furtherThumbnails();
        QCOMPARE(thumbs.size(), std::size_t(1));
        QVERIFY(thumbs[0]->isVisible());
        QVERIFY(m_frame->updatesEnabled());
    }

    void picturesAreCentredAndNeverEnlarged()
    {
        m_frame->showPictures("a.jpg;small.jpg");
        QImage shown = m_frame->grab().toImage();
        // 800 x 600 in 320 x 169 is shown 225 x 169 from x = 47.
        QVERIFY(Near(shown.pixel(160, 84), Red));
        QVERIFY(Near(shown.pixel(40, 84), White));
        QVERIFY(Near(shown.pixel(60, 84), Red));

        QTest::mouseClick(m_frame->furtherThumbnails()[0], Qt::LeftButton);
        shown = m_frame->grab().toImage();
        // 64 x 48 stays so, centred.
        QVERIFY(Near(shown.pixel(160, 84), Red));
        QVERIFY(Near(shown.pixel(160 - 36, 84), White));
        QVERIFY(Near(shown.pixel(160, 84 - 28), White));
    }

    // Six names of a small file whose header claims 40000 x 40000 pixels:
    // even at libjpeg's smallest scale each takes 100 MB to decode. The
    // product's pictures together stay within the bound of one picture
    // (256 MB), and only the shown pictures remain.
    void picturesOfAProductShareOneMemoryBound()
    {
        QFile small(m_pictures.QPath(QStringLiteral("small.jpg")));
        QVERIFY(small.open(QIODevice::ReadOnly));
        QByteArray huge = small.readAll();
        const qsizetype frameHeader = huge.indexOf("\xFF\xC0");
        QVERIFY(frameHeader > 0);
        huge.replace(frameHeader + 5, 4, "\x9C\x40\x9C\x40");
        std::string list;
        for (int i = 1; i <= 6; ++i) {
            const QString name = QStringLiteral("huge%1.jpg").arg(i);
            QFile out(m_pictures.QPath(name));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(huge) == huge.size());
            list += name.toStdString() + ";";
        }

#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer's quarantine holds freed memory back, so the peak says nothing.
        QSKIP("peak memory is not measurable under AddressSanitizer");
#endif
        QFile clearRefs(QStringLiteral("/proc/self/clear_refs")); // resets the peak
        if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
            QSKIP("the peak memory of a process cannot be reset here");
        clearRefs.close();
        const qint64 before = PeakResidentBytes();
        m_frame->showPictures(list);
        const qint64 growth = PeakResidentBytes() - before;
        QVERIFY2(growth < (qint64(320) << 20),
                 qPrintable(QString::number(growth >> 20) + QStringLiteral(" MB")));

        QCOMPARE(m_frame->furtherThumbnails().size(), std::size_t(5));
        for (const PictureBox* box : m_frame->furtherThumbnails())
            QCOMPARE(box->picture().size(), QSize(169, 169));
    }

    void resizingKeepsTheStripAtTheBottom()
    {
        m_frame->showPictures("a.jpg;b.jpg;c.jpg;a.jpg;b.jpg");
        m_frame->resize(296, 400);
        QCOMPARE(m_frame->mainPicture()->geometry(), QRect(0, 0, 296, 329));
        QCOMPARE(m_frame->firstThumbnail()->geometry(), QRect(0, 329, 105, 71));
        const auto thumbs = m_frame->furtherThumbnails();
        QCOMPARE(thumbs.size(), std::size_t(4));
        // Past the right edge the thumbnails are cut off, not wrapped.
        QCOMPARE(thumbs[3]->geometry(), QRect(420, 329, 105, 71));
        QVERIFY(Near(m_frame->grab().toImage().pixel(148, 164), Red));
    }

    void returningToAProductDecodesNothing()
    {
        PictureCache cache(PictureCache::kDefaultBytes);
        m_frame->setPictureCache(cache);
        m_frame->showPictures("a.jpg;b.jpg");
        const qint64 shown = m_frame->mainPicture()->picture().cacheKey();
        m_frame->showPictures("c.jpg");
        m_frame->showPictures("a.jpg;b.jpg");
        QCOMPARE(cache.size(), std::size_t(3));
        QCOMPARE(m_frame->mainPicture()->picture().cacheKey(), shown);
        QVERIFY(Near(CentreColour(m_frame->furtherThumbnails().at(0)), Green));
    }

    // Through the panel: the rows around the selected one are decoded ahead,
    // and a resized frame decodes its pictures again once the resize rests.
    void panelDecodesAheadAndAfterAResize()
    {
        FakeInteraction ui;
        PictureCache cache(PictureCache::kDefaultBytes);
        LookAhead lookAhead(cache, LookAhead::kDefaultThreads);
        PicturePanel panel(ui, nullptr);
        panel.setPictureCache(cache, lookAhead);
        panel.setPictureFolder(Folder());
        panel.resize(300, 400);
        panel.setPreviewMode(PreviewMode::OnePicture);
        panel.show();
        auto* frame = panel.findChild<PictureFrame*>(QStringLiteral("ImageFrame1"));
        const auto fileOf = [this](const char* name) {
            return std::filesystem::path(m_pictures.Path()) / name;
        };

        panel.scheduleCataloguePictures("a.jpg", {"b.jpg;c.jpg", "text.jpg"});
        QTRY_VERIFY(!frame->shownList().empty());
        lookAhead.waitUntilIdle();
        QVERIFY(cache.holds(PictureKey::Of(fileOf("c.jpg"), frame->decodeBox())));
        // A look-ahead error is kept for when its product is shown.
        QVERIFY(ui.Messages.empty());

        const int shownBefore = frame->listsShown();
        panel.resize(600, 700);
        panel.layOut();
        QTRY_COMPARE(frame->listsShown(), shownBefore + 1);
        QVERIFY(cache.holds(PictureKey::Of(fileOf("a.jpg"), frame->decodeBox())));
        QCOMPARE(frame->mainPicture()->picture().size(), QSize(596, 447));

        panel.scheduleCataloguePictures("text.jpg");
        QTRY_COMPARE(ui.Messages.size(), std::size_t(1));
    }
};

QTEST_MAIN(ImageFrameTest)
#include "ImageFrame_test.moc"

// The HTML view module: the order preview's document view over the browser
// engine. Only this module links the engine; the program loads it with the
// first order document.

#include "gui/DocumentView.h"

#include <QObject>
#include <QPointer>
#include <QPrinter>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

class HtmlDocumentView final : public DocumentView
{
public:
    HtmlDocumentView(QWidget* parent, Events events) : m_view(new QWebEngineView(parent))
    {
        m_view->setObjectName(QStringLiteral("WebBrowser1"));
        QWebEngineSettings* settings = m_view->settings();
        // The documents are Windows-1251 and declare no character set. The
        // engine also guesses from the text itself, which a whole order
        // document's worth of Russian settles; the default covers what the
        // guess leaves open.
        settings->setDefaultTextEncoding(QStringLiteral("windows-1251"));
        // A document is static text: it needs no scripts and nothing from outside.
        settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);

        QObject::connect(m_view, &QWebEngineView::loadStarted, m_view,
                         [started = std::move(events.loadStarted)] { started(); });
        QObject::connect(m_view, &QWebEngineView::loadFinished, m_view,
                         [finished = std::move(events.loadFinished)](bool ok) { finished(ok); });
        QObject::connect(
            m_view, &QWebEngineView::printFinished, m_view,
            [printed = std::move(events.printFinished)](bool success) { printed(success); });
    }

    // The parent may have taken the widget with it already.
    ~HtmlDocumentView() override { delete m_view.data(); }

    HtmlDocumentView(const HtmlDocumentView&) = delete;
    HtmlDocumentView& operator=(const HtmlDocumentView&) = delete;

    QWidget* widget() override { return m_view; }
    void load(const QString& path) override { m_view->load(QUrl::fromLocalFile(path)); }
    void print(QPrinter& printer) override { m_view->print(&printer); }

private:
    QPointer<QWebEngineView> m_view;
};

} // namespace

class HtmlDocumentViewFactory : public QObject, public DocumentViewFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PELMORA_DOCUMENT_VIEW_FACTORY_IID)
    Q_INTERFACES(DocumentViewFactory)
public:
    std::unique_ptr<DocumentView> create(QWidget* parent, DocumentView::Events events) override
    {
        return std::make_unique<HtmlDocumentView>(parent, std::move(events));
    }
};

#include "HtmlDocumentView.moc"

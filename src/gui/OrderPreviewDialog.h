#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

class IUserInteraction;
class QPrinter;
class QPushButton;
class BusyCursor;
class DocumentView;

// The order preview window: shows the last order document from its file and
// prints it. It lives for the whole run and is shown modally per document.
// Its HTML view, and with it the browser engine, is made with the first
// document, from a module loaded then: most sessions never preview an order.
class OrderPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OrderPreviewDialog(IUserInteraction& ui, QWidget* parent = nullptr);
    ~OrderPreviewDialog() override;

    // Loads the document at `path` and shows the window modally; returns
    // when the user closes the window, or at once, with the error shown,
    // when the HTML view cannot be made.
    void showDocument(const QString& path);
    // Remembers `path` as the document and loads it into the view; the
    // window may be hidden. False, with the error shown, when the HTML view
    // cannot be made.
    bool loadDocument(const QString& path);
    // Where the HTML view's module is looked for; DocumentViewModule's
    // folders unless set.
    void setModuleFolders(const QStringList& folders) { m_moduleFolders = folders; }
    // The full path of the last order document; empty until the first one.
    const QString& documentFileName() const { return m_documentFileName; }

    bool isLoading() const { return m_awaitingStart || m_openLoads > 0; }
    bool isPrinting() const { return m_printer != nullptr; }

Q_SIGNALS:
    // A print job has ended and its printer is released.
    void documentPrinted(bool success);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // "Печать заказа": the print dialog, then the loaded document is printed
    // in the background; documentPrinted reports the end.
    void printDocument();
    bool navigate();
    // The HTML view, made on first use; nullptr, with the error shown, when
    // its module cannot be loaded.
    DocumentView* view();
    bool createView();
    void placeCloseButton();
    void loadStarted();
    void loadFinished(bool ok);
    void startPrinting();
    void finishPrinting(bool success);

    IUserInteraction& m_ui;
    QStringList m_moduleFolders;
    std::unique_ptr<DocumentView> m_view; // none before the first document
    QPushButton* m_printButton;
    QPushButton* m_closeButton;
    QString m_documentFileName;

    // A navigation that supersedes another may start before or after the
    // older one ends, so loads are counted rather than flagged.
    bool m_awaitingStart = false;        // asked to navigate, not started yet
    int m_openLoads = 0;                 // started and not yet ended
    bool m_loaded = false;               // the last load ended with the document shown
    bool m_printWhenLoaded = false;      // a chosen printer waits for the document
    std::unique_ptr<QPrinter> m_printer; // alive until the view is done with it
    std::unique_ptr<BusyCursor> m_busy;
};

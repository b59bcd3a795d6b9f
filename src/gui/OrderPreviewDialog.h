#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class QPrinter;
class QPushButton;
class QWebEngineView;
class TBusyCursor;

// The order preview window: shows the last order document from its file and
// prints it. It lives for the whole run and is shown modally per document.
class OrderPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OrderPreviewDialog(QWidget* parent = nullptr);
    ~OrderPreviewDialog() override;

    // The full path of the last order document; empty until the first one.
    QString DocumentFileName;

    // Remembers `path` as the document, loads it into the view and shows the
    // window modally; returns when the user closes the window.
    void ShowDocument(const QString& path);
    // Loads DocumentFileName into the view; the window may be hidden.
    void Navigate();

    // "Печать заказа": the print dialog, then the loaded document is printed
    // in the background; DocumentPrinted reports the end.
    void PrintDocument();
    void Button2Click(); // "Закрыть"
    void FormResize();

    bool IsLoading() const { return m_awaitingStart || m_openLoads > 0; }
    bool IsPrinting() const { return m_printer != nullptr; }

    // Controls.
    QWebEngineView* WebBrowser1;
    QWidget* Panel1;
    QPushButton* Button3; // "Печать заказа"
    QPushButton* Button2; // "Закрыть"

Q_SIGNALS:
    // A print job has ended and its printer is released.
    void DocumentPrinted(bool success);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void WebBrowser1LoadStarted();
    void WebBrowser1LoadFinished(bool ok);
    void StartPrinting();
    void FinishPrinting(bool success);

    // A navigation that supersedes another may start before or after the
    // older one ends, so loads are counted rather than flagged.
    bool m_awaitingStart = false;        // asked to navigate, not started yet
    int m_openLoads = 0;                 // started and not yet ended
    bool m_loaded = false;               // the last load ended with the document shown
    bool m_printWhenLoaded = false;      // a chosen printer waits for the document
    std::unique_ptr<QPrinter> m_printer; // alive until the view is done with it
    std::unique_ptr<TBusyCursor> m_busy;
};

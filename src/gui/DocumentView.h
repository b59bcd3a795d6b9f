#pragma once

#include <QString>
#include <QtPlugin>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// What the order preview needs of an HTML view. The view lives in a module of
// its own (src/htmlview), loaded with the first document, so that the browser
// engine's libraries stay out of the process until an order is previewed.
// The types here are plain C++ with no signals: the module and the program
// share nothing but this header and Qt's own libraries.
class DocumentView
{
public:
    // Called on the window's thread, from the view's event handling.
    struct Events
    {
        std::function<void()> loadStarted;
        std::function<void(bool ok)> loadFinished;
        std::function<void(bool success)> printFinished;
    };

    virtual ~DocumentView() = default;

    // The view's widget, a child of the parent the factory was given; it is
    // destroyed with this object.
    virtual QWidget* widget() = 0;
    // Shows the local HTML file at `path`: static Windows-1251 text, no
    // scripts, nothing loaded from outside.
    virtual void load(const QString& path) = 0;
    // Prints the loaded document in the background; printFinished reports
    // the end. The printer must live until then.
    virtual void print(QPrinter& printer) = 0;
};

class DocumentViewFactory
{
public:
    virtual ~DocumentViewFactory() = default;
    virtual std::unique_ptr<DocumentView> create(QWidget* parent, DocumentView::Events events) = 0;
};

#define PELMORA_DOCUMENT_VIEW_FACTORY_IID "ru.pelmora.Order.DocumentViewFactory/1.0"
Q_DECLARE_INTERFACE(DocumentViewFactory, PELMORA_DOCUMENT_VIEW_FACTORY_IID)

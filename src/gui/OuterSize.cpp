#include "gui/OuterSize.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// The window manager frames a window shortly after it is mapped; after two
// seconds without a frame there is none to wait for.
constexpr int kPollMilliseconds = 20;
constexpr int kPolls = 100;

class OuterSizeFit : public QObject
{
public:
    OuterSizeFit(QWidget* window, QSize outer) : QObject(window), m_window(window), m_outer(outer)
    {
        m_window->resize(m_outer);
        m_window->installEventFilter(this);
        m_poll.setInterval(kPollMilliseconds);
        connect(&m_poll, &QTimer::timeout, this, &OuterSizeFit::fitToFrame);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !m_poll.isActive()) {
            m_polls = 0;
            m_poll.start();
        }
        return false;
    }

private:
    void fitToFrame()
    {
        const QWindow* handle = m_window->windowHandle();
        const QMargins frame = handle ? handle->frameMargins() : QMargins();
        if (frame.isNull()) {
            if (++m_polls >= kPolls)
                m_poll.stop();
            return;
        }
        m_poll.stop();
        m_window->removeEventFilter(this);
        deleteLater();
        // A size given meanwhile, by the user or the program, stays.
        if (m_window->size() != m_outer)
            return;
        m_window->resize(m_outer.shrunkBy(frame));
        if (const QWidget* parent = m_window->parentWidget()) {
            const QPoint centre = parent->window()->frameGeometry().center();
            m_window->move(centre - QPoint(m_outer.width() / 2, m_outer.height() / 2));
        }
    }

    QWidget* m_window;
    QSize m_outer;
    QTimer m_poll;
    int m_polls = 0;
};

} // namespace

void KeepOuterSize(QWidget* window, QSize outer)
{
    new OuterSizeFit(window, outer);
}

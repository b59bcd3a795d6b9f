#pragma once

#include <QApplication>
#include <QDebug>
#include <QDialog>
#include <QObject>
#include <QTimer>
#include <functional>

// Acts on the modal dialog that opens while this object lives (to fill and
// close it); the nested event loop of exec() lets its timer run. It never
// outlives the step it scripts, so a dialog that never opens leaves nothing
// behind to answer a later one, and a dialog that its action leaves open is
// closed rather than waited for: both count as failures, with a message.
class ModalScript : public QObject
{
public:
    ModalScript(QString what, std::function<void(QDialog*)> action)
        : m_what(std::move(what)), m_action(std::move(action))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
        m_timer.start(5);
    }

    // True when the dialog opened and its action closed it.
    bool succeeded() const
    {
        if (!m_asked)
            qWarning().noquote() << "The scripted answer" << m_what << "was never asked for.";
        else if (m_leftOpen)
            qWarning().noquote() << "The dialog stayed open after the scripted answer" << m_what
                                 << "and was closed.";
        return m_asked && !m_leftOpen;
    }

private:
    void poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || m_asked)
            return;
        m_asked = true;
        m_timer.stop();
        m_action(dialog);
        if (dialog->isVisible()) {
            m_leftOpen = true;
            dialog->reject();
        }
    }

    QString m_what;
    std::function<void(QDialog*)> m_action;
    QTimer m_timer;
    bool m_asked = false;
    bool m_leftOpen = false;
};

#pragma once

#include "core/seams/Interaction.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>

// Scripted answers for every modal interaction; records what was asked.
// An interaction without a scripted answer fails the test by throwing, so no
// test ever waits for a person.
class FakeInteraction : public IUserInteraction
{
public:
    struct Message
    {
        QString Text;
        QString Caption;
        int Style = 0; // the buttons', the icon's and No-by-default's codes added up (0x100)
    };
    struct Input
    {
        QString Caption;
        QString Prompt;
        QString Initial;
    };

    std::deque<MessageAnswer> MessageAnswers;
    std::deque<std::optional<QString>> InputAnswers;
    std::deque<std::optional<QString>> OpenAnswers;
    std::deque<std::optional<QString>> SaveAnswers;
    std::deque<bool> PrintAnswers;
    // When set, answers the print dialog instead of PrintAnswers and may set
    // the printer up (e.g. PDF output into a temporary file).
    std::function<bool(QPrinter&)> OnChoosePrinter;
    // Runs while a message box is "open", for tests that look at the window behind it.
    std::function<void(const Message&)> OnMessage;

    std::vector<Message> Messages;
    std::vector<Input> Inputs;
    std::vector<FileDialogOptions> OpenDialogs;
    std::vector<FileDialogOptions> SaveDialogs;
    QStringList OpenedUrls;
    int PrintDialogs = 0;

    MessageAnswer ShowMessageBox(const QString& text, const QString& caption,
                                 MessageButtons buttons, MessageIcon icon,
                                 DefaultButton defaultButton) override
    {
        const int style = static_cast<int>(buttons) + static_cast<int>(icon) +
                          (defaultButton == DefaultButton::No ? 0x100 : 0);
        Messages.push_back({text, caption, style});
        if (OnMessage)
            OnMessage(Messages.back());
        // A plain OK box needs no script: OK is its only answer.
        if (MessageAnswers.empty()) {
            if (buttons == MessageButtons::Ok)
                return MessageAnswer::Ok;
            throw std::logic_error("unscripted question: " + text.toStdString());
        }
        return Next(MessageAnswers);
    }
    std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                    const QString& initial) override
    {
        Inputs.push_back({caption, prompt, initial});
        if (InputAnswers.empty())
            throw std::logic_error("unscripted input box: " + prompt.toStdString());
        return Next(InputAnswers);
    }
    std::optional<QString> OpenFileName(const FileDialogOptions& options) override
    {
        OpenDialogs.push_back(options);
        if (OpenAnswers.empty())
            throw std::logic_error("unscripted open dialog");
        return Next(OpenAnswers);
    }
    std::optional<QString> SaveFileName(const FileDialogOptions& options) override
    {
        SaveDialogs.push_back(options);
        if (SaveAnswers.empty())
            throw std::logic_error("unscripted save dialog");
        return Next(SaveAnswers);
    }
    bool ShellOpen(const QString& url) override
    {
        OpenedUrls << url;
        return true;
    }
    bool ChoosePrinter(QPrinter& printer) override
    {
        ++PrintDialogs;
        if (OnChoosePrinter)
            return OnChoosePrinter(printer);
        return PrintAnswers.empty() ? false : Next(PrintAnswers);
    }

private:
    template <typename T> static T Next(std::deque<T>& queue)
    {
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

#pragma once

#include <QString>
#include <optional>

class QPrinter;

// A message box's buttons and icon; the values are the classic style codes,
// which add up to one number (Yes/No with a question is 36).
enum class MessageButtons
{
    Ok = 0,
    YesNoCancel = 3,
    YesNo = 4
};

enum class MessageIcon
{
    None = 0,
    Error = 16,
    Question = 32,
    Warning = 48,
    Information = 64
};

// The button that answers Enter: the first one, or No where a careless Enter
// must not agree.
enum class DefaultButton
{
    First,
    No
};

// The answer of a message box; Cancel is also the answer of a closed box.
enum class MessageAnswer
{
    Ok = 1,
    Cancel = 2,
    Yes = 6,
    No = 7
};

struct FileDialogOptions
{
    QString Filter;           // "description|pattern", as "Заказы (*.order)|*.order"
    QString DefaultExtension; // without the dot; added when the name has none
    QString FileName;         // prefilled name
};

// Every modal question, dialog and shell action of the program goes through
// this seam, so that tests script the answers and nothing waits for a person.
class IUserInteraction
{
public:
    virtual ~IUserInteraction() = default;

    MessageAnswer MessageBox(const QString& text, const QString& caption, MessageButtons buttons,
                             MessageIcon icon, DefaultButton defaultButton = DefaultButton::First)
    {
        return ShowMessageBox(text, caption, buttons, icon, defaultButton);
    }
    // The confirmed text, or nothing when the user cancels or closes the box.
    virtual std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                            const QString& initial) = 0;
    // The chosen file's full path, or nothing when cancelled.
    virtual std::optional<QString> OpenFileName(const FileDialogOptions& options) = 0;
    // It does not ask before replacing a file: the caller asks about the name
    // it will write, which may get an extension after the dialog.
    virtual std::optional<QString> SaveFileName(const FileDialogOptions& options) = 0;
    // Hands an http or mailto address to the desktop; false when it failed.
    virtual bool ShellOpen(const QString& url) = 0;
    // The system print dialog: sets up `printer` (a printer or a PDF file);
    // false when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer) = 0;

protected:
    virtual MessageAnswer ShowMessageBox(const QString& text, const QString& caption,
                                         MessageButtons buttons, MessageIcon icon,
                                         DefaultButton defaultButton) = 0;
};

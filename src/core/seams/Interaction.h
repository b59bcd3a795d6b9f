#pragma once

#include <QString>
#include <optional>

class QPrinter;

// Message-box style flags: button set plus icon.
namespace MessageStyle {
constexpr int Ok = 0;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int IconError = 16;
constexpr int IconQuestion = 32;
constexpr int IconWarning = 48;
constexpr int IconInformation = 64;
// The second button (No) answers Enter instead of the first.
constexpr int DefaultButton2 = 0x100;
} // namespace MessageStyle

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

    virtual MessageAnswer MessageBox(const QString& text, const QString& caption, int style) = 0;
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
};

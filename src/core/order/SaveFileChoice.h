#pragma once

#include "core/seams/Interaction.h"

#include <QString>
#include <functional>
#include <optional>

// The file a save command writes, chosen in `dialog`. `completeName` turns the
// dialog's answer into the name that will be written (adding an extension, for
// instance), so an existing file of that name is never replaced unasked, however
// the name was typed. Declining the replacement shows the dialog again with the
// declined name, as a file dialog's own question would; cancelling the dialog
// gives nothing.
std::optional<QString> ChooseFileToSave(IUserInteraction& ui, FileDialogOptions dialog,
                                        const std::function<QString(const QString&)>& completeName);

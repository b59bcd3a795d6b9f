#pragma once

#include <QString>
#include <exception>
#include <utility>

class IUserInteraction;

// The application title, used as the caption of the program's plain messages.
QString AppTitle();

// The general error handler: a box with the error's text (a full stop
// appended by its rule), the application title as caption and the error icon.
void ShowGeneralError(IUserInteraction& ui, const std::exception& error);

// Runs a handler so that no exception crosses Qt's event loop: whatever the
// handler does not catch itself is shown by the general error handler.
template <typename Handler> void Guarded(IUserInteraction& ui, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ShowGeneralError(ui, error);
    }
}

// A slot that runs `member` of `object` guarded; `ui` outlives the connection.
template <typename Object, typename Member>
auto Guard(IUserInteraction& ui, Object* object, Member member)
{
    return [&ui, object, member] {
        Guarded(ui, [&] { (object->*member)(); });
    };
}

#pragma once

#include <QString>
#include <exception>
#include <utility>

// The application title, used as the caption of the program's plain messages.
QString AppTitle();

// The general error handler: a box with the error's text (a full stop
// appended by its rule), the application title as caption and the error icon.
void ShowGeneralError(const std::exception& error);

// Runs a handler so that no exception crosses Qt's event loop: whatever the
// handler does not catch itself is shown by the general error handler.
template <typename Handler> void Guarded(Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ShowGeneralError(error);
    }
}

// A slot that runs `member` of `object` guarded.
template <typename Object, typename Member> auto Guard(Object* object, Member member)
{
    return [object, member] {
        Guarded([&] { (object->*member)(); });
    };
}

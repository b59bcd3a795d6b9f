#include "core/startup/AppState.h"

AppState& App()
{
    static AppState state;
    return state;
}

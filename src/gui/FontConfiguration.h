#pragma once

#include <thread>

// Fontconfig reads its configuration and font caches the first time a font is
// needed, several milliseconds on the window's thread. Started at the top of
// the program, it reads them on another core while the application object is
// built, and Qt's font database finds them loaded. The thread ends on its own;
// keep the object until then.
std::jthread ReadFontConfigurationAhead();

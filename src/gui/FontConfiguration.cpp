#include "gui/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

std::jthread ReadFontConfigurationAhead()
{
    // Safe beside a first use elsewhere: fontconfig installs one of two
    // configurations loaded at once and drops the other.
    return std::jthread([] { FcInit(); });
}

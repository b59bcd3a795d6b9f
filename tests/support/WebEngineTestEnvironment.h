#pragma once

#include <QtGlobal>
#include <utility>

// The preview's browser runs on the display-less platform and, as root, only
// without its sandbox; a test started directly gets what the test runner
// sets. Call before the application object exists.
inline void PrepareWebEngineTestEnvironment()
{
    const std::pair<const char*, const char*> environment[] = {
        {"QT_QPA_PLATFORM", "offscreen"},
        {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
        {"QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu"}};
    for (const auto& [name, value] : environment)
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, value);
}

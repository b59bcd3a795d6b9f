#pragma once

#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

// Builds test databases with SQLite's own calls, independent of the layer
// under test. The script's bytes go to SQLite unchanged.
inline void RunSqlScript(const std::filesystem::path& file, const std::string& script)
{
    sqlite3* db = nullptr;
    const int opened = sqlite3_open(file.c_str(), &db);
    char* error = nullptr;
    const int result =
        opened == SQLITE_OK ? sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error) : opened;
    const std::string message = error != nullptr ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    sqlite3_close(db);
    if (result != SQLITE_OK)
        throw std::runtime_error("test script failed: " + message);
}

// The message of the exception of type E that `action` raises; "" when it
// raises none. An exception of another type fails the test.
template <class E = std::exception, class Action> std::string MessageOf(Action&& action)
{
    try {
        action();
    } catch (const E& error) {
        return error.what();
    }
    return "";
}

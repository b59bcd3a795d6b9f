// Every widget test runs on the desktop our users have: the locale
// ru_RU.UTF-8, taken from the environment as the application object starts.
// Linked into each widget test, this checks that premise as soon as the
// application object exists and stops the test when it does not hold: a
// machine without the generated locale quietly falls back to "C", and a test
// passing there would prove nothing.
#include <QCoreApplication>
#include <QLocale>
#include <clocale>
#include <cstring>

namespace {

void RequireRussianDesktop()
{
    const QLocale system = QLocale::system();
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (system.decimalPoint() != QStringLiteral(",") || !numeric ||
        std::strncmp(numeric, "ru_RU", 5) != 0 ||
        std::strcmp(std::localeconv()->decimal_point, ",") != 0)
        qFatal("The widget tests run under LANG=ru_RU.UTF-8, but the system locale is %s with "
               "decimal point \"%s\" and the C library's numeric locale is \"%s\" (is ru_RU.UTF-8 "
               "generated? scripts/install-deps.sh does it)",
               qPrintable(system.name()), qPrintable(system.decimalPoint()),
               numeric ? numeric : "(none)");
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(RequireRussianDesktop)

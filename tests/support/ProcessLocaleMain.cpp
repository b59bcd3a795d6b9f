// The core tests' entry point. `--process-locale=NAME` runs every test with
// the C library's locale set to NAME, as QApplication sets it from the
// environment in the real program; without it the locale is "C". A locale
// that cannot be set, or that does not bring the number conventions it
// stands for, stops the run: a suite that quietly ran under another locale
// would prove nothing.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// The decimal point that the named locale must bring; empty for a name that
// this check does not know.
std::string ExpectedDecimalPoint(const std::string& name)
{
    if (name == "C")
        return ".";
    if (name.rfind("ru_RU", 0) == 0)
        return ",";
    return {};
}

bool SetProcessLocale(const std::string& name)
{
    const std::string decimalPoint = ExpectedDecimalPoint(name);
    if (decimalPoint.empty()) {
        std::fprintf(stderr, "Unknown process locale \"%s\": use C or ru_RU.UTF-8\n", name.c_str());
        return false;
    }
    if (!std::setlocale(LC_ALL, name.c_str())) {
        std::fprintf(stderr,
                     "The locale \"%s\" is not available on this machine "
                     "(scripts/install-deps.sh generates it)\n",
                     name.c_str());
        return false;
    }
    const char* active = std::setlocale(LC_NUMERIC, nullptr);
    const char* point = std::localeconv()->decimal_point;
    if (!active || name != active || decimalPoint != point) {
        std::fprintf(stderr, "The process locale is \"%s\" with decimal point \"%s\", not \"%s\"\n",
                     active ? active : "(none)", point, name.c_str());
        return false;
    }
    std::printf("Process locale: %s (decimal point \"%s\")\n", active, point);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::string locale = "C";
    const char prefix[] = "--process-locale=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix, sizeof prefix - 1) == 0)
            locale = argv[i] + sizeof prefix - 1;
        else {
            std::fprintf(stderr, "Unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    if (!SetProcessLocale(locale))
        return 1;
    return RUN_ALL_TESTS();
}

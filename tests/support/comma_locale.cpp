#include "comma_locale.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quontest {

namespace {

bool CommaIsDecimalPoint() {
    const char* point = std::localeconv()->decimal_point;
    return point[0] == ',' && point[1] == '\0';
}

bool TryLocale(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr && CommaIsDecimalPoint(); }

#ifndef _WIN32
// Builds de_DE.UTF-8 once into a folder shared by the test processes (built
// aside and renamed into place, so that processes running side by side never
// see half a locale) and points LOCPATH at it.
bool BuildGermanLocale() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path root = fs::temp_directory_path(error) / "quon-comma-locale";
    const fs::path locale = root / "de_DE.UTF-8";
    if (!fs::exists(locale / "LC_NUMERIC", error)) {
        const fs::path aside = root.string() + "." + std::to_string(std::rand()) + "." + std::to_string(::getpid());
        fs::create_directories(aside, error);
        const std::string command =
            "localedef -c -i de_DE -f UTF-8 '" + (aside / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == -1 || !fs::exists(aside / "de_DE.UTF-8" / "LC_NUMERIC", error)) {
            fs::remove_all(aside, error);
            return false;
        }
        fs::rename(aside, root, error);  // fails when another process was first: its copy is as good
        fs::remove_all(aside, error);
    }
    ::setenv("LOCPATH", root.c_str(), 1);
    return TryLocale("de_DE.UTF-8");
}
#endif

}  // namespace

CommaLocale::CommaLocale() {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    m_previous = previous != nullptr ? previous : "C";
#ifdef _WIN32
    for (const char* name : {"German", "de-DE", "German_Germany.1252"}) {
        if (TryLocale(name)) return;
    }
    m_why = "no comma locale: setlocale(LC_NUMERIC, \"German\") and \"de-DE\" failed";
#else
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"}) {
        if (TryLocale(name)) return;
    }
    if (BuildGermanLocale()) return;
    m_why = "no comma locale: none is installed and localedef -i de_DE -f UTF-8 failed (Debian package \"locales\")";
#endif
    std::setlocale(LC_NUMERIC, m_previous.c_str());
}

CommaLocale::~CommaLocale() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }

}  // namespace quontest

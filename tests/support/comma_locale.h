// A C locale whose decimal point is ",", for the tests that check that the
// number conversions follow the current locale.
#pragma once

#include <string>

namespace quontest {

// Switches LC_NUMERIC to a locale whose decimal point is "," while it lives
// and restores the previous one afterwards. On Linux it uses an installed
// German or French locale or builds de_DE.UTF-8 with localedef (Debian's
// "locales" package) into a temporary folder named by LOCPATH; on Windows it
// asks for "German". Why() is empty when the switch worked.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    const std::string& Why() const { return m_why; }

private:
    std::string m_previous;
    std::string m_why;
};

}  // namespace quontest

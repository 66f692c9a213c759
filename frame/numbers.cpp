#include "frame/numbers.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "frame/diagnostics.h"

#if defined(__GLIBC__)
#include <langinfo.h>
#endif

namespace quon {

bool DecimalPointIsDot() {
#if defined(__GLIBC__)
    // The calling thread's locale (uselocale) or the global one; a pointer
    // into the locale data, no copy.
    const char* point = nl_langinfo(RADIXCHAR);
#else
    // mingw-w64's strtod and printf take the decimal point from localeconv().
    const char* point = std::localeconv()->decimal_point;
#endif
    return point != nullptr && point[0] == '.' && point[1] == '\0';
}

CText::CText(std::string_view field) {
    if (field.empty()) field = std::string_view("", 0);  // a default view has no data pointer
    const void* nul = std::memchr(field.data(), '\0', field.size());
    const std::size_t size = nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - field.data())
                                            : field.size();
    if (size < sizeof m_small) {
        std::memcpy(m_small, field.data(), size);
        m_small[size] = '\0';
        m_text = m_small;
    } else {
        m_large.assign(field.data(), size);
        m_text = m_large.c_str();
    }
}

namespace {

// The six white-space characters that isspace accepts in every locale.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What the fast path concluded about a field.
enum class Fast {
    Converted,  // value and length are the C library's
    Nothing,    // the C library converts nothing (value 0, nothing consumed)
    Unsure,     // the C library must decide
};

// Skips the six ASCII white-space characters. A byte of 0x80 or above may be
// white space in some locale, so the caller leaves such a field to the C
// library.
const char* SkipSpace(const char* p, const char* end) {
    while (p != end && IsSpace(*p)) ++p;
    return p;
}

// Base 10 as strtoll reads it: white space, an optional '-', digits, within
// the range of long long. A field that starts with an ASCII byte that cannot
// begin a number converts nothing in every locale. '+' is left to the C
// library (std::from_chars does not take it). Inlined into each integer
// conversion: short integers are the most common fields, and a call costs
// as much as reading one.
[[gnu::always_inline]] inline Fast FastInteger(std::string_view field, long long& value, std::size_t& used) {
    const char* begin = field.data();
    const char* end = begin + field.size();
    const char* p = SkipSpace(begin, end);
    if (p == end) return Fast::Nothing;
    const bool negative = *p == '-';
    const char* digits = negative ? p + 1 : p;
    if (digits == end || !IsDigit(*digits)) {
        const unsigned char c = static_cast<unsigned char>(*p);
        return c < 0x80 && c != '+' && c != '-' ? Fast::Nothing : Fast::Unsure;
    }
    // Up to 18 digits cannot overflow; longer numbers go through from_chars.
    const char* q = digits;
    uint64_t magnitude = 0;
    for (; q != end && IsDigit(*q) && q - digits < 18; ++q) magnitude = magnitude * 10 + static_cast<unsigned>(*q - '0');
    if (q != end && IsDigit(*q)) {
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc()) return Fast::Unsure;  // beyond long long: strtoll saturates and sets ERANGE
        q = next;
    } else {
        value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    }
    used = static_cast<std::size_t>(q - begin);
    return Fast::Converted;
}

// True when some digit of the mantissa [p, end) is not zero (the exponent, if
// any, is not looked at).
bool NonZeroMantissa(const char* p, const char* end) {
    for (; p != end && *p != 'e' && *p != 'E'; ++p)
        if (*p >= '1' && *p <= '9') return true;
    return false;
}

// The most common fields, short decimals without an exponent ("42", "-0.5",
// "123.456789"), read without std::from_chars: when the digits form an
// integer m below 2^53 and there are k <= 22 digits after the point, m / 10^k
// is a single correctly rounded division of two exact doubles, so it is the
// correctly rounded value of the text (Clinger's fast path). A float is that
// double rounded to float, which is the correctly rounded float unless the
// double lies exactly halfway between two floats (the text might be just
// above or below it): those go to from_chars. Returns false for anything
// else.
template <class T>
bool ShortDecimal(const char* p, const char* end, T& value, std::size_t& used) {
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* q = *p == '-' ? p + 1 : p;
    uint64_t m = 0;
    int count = 0;  // digits read into m (19 cannot overflow it)
    int fraction = 0;
    for (; q != end && IsDigit(*q); ++q, ++count) {
        if (count == 19) return false;
        m = m * 10 + static_cast<unsigned>(*q - '0');
    }
    if (q != end && *q == '.') {
        for (++q; q != end && IsDigit(*q); ++q, ++count, ++fraction) {
            if (count == 19) return false;
            m = m * 10 + static_cast<unsigned>(*q - '0');
        }
    }
    if (q != end && (*q == 'e' || *q == 'E')) return false;
    if (m > (uint64_t{1} << 53) || fraction > 22) return false;
    const double magnitude = static_cast<double>(m) / powers[fraction];
    if constexpr (std::is_same_v<T, float>) {
        // Halfway between two floats: the 29 bits that the float drops are
        // exactly 1000...0 (m / 10^k lies between 1e-22 and 2^53, always in
        // the normal range of float).
        uint64_t bits = 0;
        std::memcpy(&bits, &magnitude, sizeof bits);
        if ((bits & 0x1FFFFFFF) == 0x10000000) return false;
    }
    value = static_cast<T>(*p == '-' ? -magnitude : magnitude);
    used = static_cast<std::size_t>(q - p);
    return true;
}

// A decimal number as strtod (strtof) reads it in a "." locale: white space,
// an optional '-', digits with an optional point and an optional exponent.
// std::from_chars reads exactly the same characters and rounds correctly, as
// the C libraries here do. Left to the C library: '+', hexadecimal ("0x...",
// which from_chars would read as 0), inf and nan, overflow, and results that
// are subnormal or zero from non-zero digits (strtod reports ERANGE for
// those), and every field in a locale whose decimal point is not ".".
template <class T>
Fast FastFloating(std::string_view field, T& value, std::size_t& used) {
    const char* begin = field.data();
    const char* end = begin + field.size();
    const char* p = SkipSpace(begin, end);
    if (p == end) return Fast::Nothing;
    const char* digits = *p == '-' ? p + 1 : p;
    const bool number = digits != end && (IsDigit(*digits) || (*digits == '.' && digits + 1 != end && IsDigit(digits[1])));
    if (!number) {
        // Bytes that start no number in any locale: not a sign, point, digit,
        // comma (a decimal point elsewhere), the i and n of inf and nan, or a
        // byte that might be white space.
        const unsigned char c = static_cast<unsigned char>(*p);
        const bool nothing = c < 0x80 && (c == '\0' || !std::strchr("+-.,iInN", c));
        return nothing && DecimalPointIsDot() ? Fast::Nothing : Fast::Unsure;
    }
    if (digits[0] == '0' && digits + 1 != end && (digits[1] == 'x' || digits[1] == 'X')) return Fast::Unsure;
    if (!DecimalPointIsDot()) return Fast::Unsure;
    if (ShortDecimal(p, end, value, used)) {
        used += static_cast<std::size_t>(p - begin);
        return Fast::Converted;
    }
    T result;
    const auto [next, error] = std::from_chars(p, end, result);
    if (error != std::errc()) return Fast::Unsure;
    constexpr T smallest = std::is_same_v<T, float> ? FLT_MIN : DBL_MIN;
    const T magnitude = result < 0 ? -result : result;
    if (magnitude == 0) {
        if (NonZeroMantissa(digits, next)) return Fast::Unsure;
    } else if (!(magnitude > smallest && magnitude < std::numeric_limits<T>::max())) {
        // Subnormal, or at the very edges of the range, where whether strtod
        // reports ERANGE is its own business.
        return Fast::Unsure;
    }
    value = result;
    used = static_cast<std::size_t>(next - begin);
    return Fast::Converted;
}

INT32 Saturate32(long long value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<INT32>(value);
}

// The checking conversions' failures, placed at their field for a listener.
[[noreturn, gnu::cold, gnu::noinline]] void ThrowInvalid(const char* name, std::string_view field) {
    PlaceException(field.data());
    throw std::invalid_argument(std::string("invalid ") + name + " argument");
}

[[noreturn, gnu::cold, gnu::noinline]] void ThrowRange(const char* name, std::string_view field) {
    PlaceException(field.data());
    throw std::out_of_range(std::string(name) + " argument out of range");
}

// A lenient conversion that read nothing gives 0; a listener hears of a
// field that held something else than white space.
[[gnu::cold, gnu::noinline]] void ReadAsZero(std::string_view field) {
    if (Listener() == nullptr || field.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos) return;
    Report(field.data(), Quoted(field), " is not a number: read as 0");
}

// Runs a C library conversion on a NUL-terminated copy of the field with
// errno cleared; gives the value, the bytes consumed and whether errno
// reported ERANGE. Kept out of line so that the fast paths need no stack room
// for the copy.
template <class T, class Convert>
[[gnu::noinline]] T CLibrary(std::string_view field, Convert convert, std::size_t& used, bool& range) {
    const CText text(field);
    char* end = nullptr;
    errno = 0;
    const T value = convert(text.c_str(), &end);
    range = errno == ERANGE;
    used = static_cast<std::size_t>(end - text.c_str());
    return value;
}

long long CStrtoll(std::string_view field, int base, std::size_t& used, bool& range) {
    return CLibrary<long long>(field, [base](const char* text, char** end) { return std::strtoll(text, end, base); }, used,
                               range);
}

template <class T>
T CStrtod(std::string_view field, std::size_t& used, bool& range) {
    if constexpr (std::is_same_v<T, float>) {
        return CLibrary<float>(field, [](const char* text, char** end) { return std::strtof(text, end); }, used, range);
    } else {
        return CLibrary<double>(field, [](const char* text, char** end) { return std::strtod(text, end); }, used, range);
    }
}

// strtoll with the checks of the 32-bit integer conversions.
INT32 CheckedInteger32(std::string_view field, std::size_t* index, int base, const char* name) {
    long long value = 0;
    std::size_t used = 0;
    const Fast fast = base == 10 ? FastInteger(field, value, used) : Fast::Unsure;
    if (fast == Fast::Nothing) ThrowInvalid(name, field);
    if (fast == Fast::Unsure) {
        bool range = false;
        value = CStrtoll(field, base, used, range);
        if (used == 0) ThrowInvalid(name, field);
        if (range) ThrowRange(name, field);
    }
    if (value > INT32_MAX || value < INT32_MIN) ThrowRange(name, field);
    if (index != nullptr) *index = used;
    return static_cast<INT32>(value);
}

// strtod or strtof with the checks of stod and stof.
template <class T>
T CheckedFloating(std::string_view field, std::size_t* index, const char* name) {
    T value = 0;
    std::size_t used = 0;
    const Fast fast = FastFloating(field, value, used);
    if (fast == Fast::Nothing) ThrowInvalid(name, field);
    if (fast == Fast::Unsure) {
        bool range = false;
        value = CStrtod<T>(field, used, range);
        if (used == 0) ThrowInvalid(name, field);
        if (range) ThrowRange(name, field);
    }
    if (index != nullptr) *index = used;
    return value;
}

INT32 LenientInteger32(std::string_view field) {
    long long value = 0;
    std::size_t used = 0;
    bool range = false;
    switch (FastInteger(field, value, used)) {
        case Fast::Converted: return Saturate32(value);
        case Fast::Nothing:
            if (!field.empty()) ReadAsZero(field);
            return 0;
        case Fast::Unsure: break;
    }
    value = CStrtoll(field, 10, used, range);
    if (used == 0) ReadAsZero(field);
    return Saturate32(value);
}

}  // namespace

INT32 Atoi(std::string_view field) { return LenientInteger32(field); }

INT32 Atol(std::string_view field) { return LenientInteger32(field); }

double Atof(std::string_view field) {
    double value = 0;
    std::size_t used = 0;
    switch (FastFloating(field, value, used)) {
        case Fast::Converted: return value;
        case Fast::Nothing:
            if (!field.empty()) ReadAsZero(field);
            return 0;
        case Fast::Unsure: break;
    }
    bool range = false;
    value = CStrtod<double>(field, used, range);
    if (used == 0) ReadAsZero(field);
    return value;
}

int Stoi(std::string_view field, std::size_t* index, int base) { return CheckedInteger32(field, index, base, "stoi"); }

INT32 Stol(std::string_view field, std::size_t* index, int base) { return CheckedInteger32(field, index, base, "stol"); }

float Stof(std::string_view field, std::size_t* index) { return CheckedFloating<float>(field, index, "stof"); }

double Stod(std::string_view field, std::size_t* index) { return CheckedFloating<double>(field, index, "stod"); }

namespace scan_detail {

bool ScanSpace(const char*& p, const char* end) {
    p = SkipSpace(p, end);
    return p == end || static_cast<unsigned char>(*p) < 0x80;
}

// %d: an optional '-' and digits whose value fits in int (glibc stores a
// wider value cut to int, the Windows runtime clamps it: left to sscanf).
bool ScanInt(const char*& p, const char* end, int& value) {
    const char* digits = p != end && *p == '-' ? p + 1 : p;
    if (digits == end || !IsDigit(*digits)) return false;
    const auto [next, error] = std::from_chars(p, end, value);
    if (error != std::errc()) return false;
    p = next;
    return true;
}

// %lf: an optional '-', digits, and optionally a point followed by digits,
// not followed by anything that could continue a number (an exponent,
// hexadecimal, a second point, letters): sscanf then reads exactly these
// characters and converts them as strtod does. The caller has checked that
// the decimal point is ".".
bool ScanDouble(const char*& p, const char* end, double& value) {
    const char* q = p != end && *p == '-' ? p + 1 : p;
    const char* digits = q;
    while (q != end && IsDigit(*q)) ++q;
    if (q == digits) return false;
    if (q != end && *q == '.') {
        const char* fraction = ++q;
        while (q != end && IsDigit(*q)) ++q;
        if (q == fraction) return false;
    }
    if (q != end) {
        const unsigned char c = static_cast<unsigned char>(*q);
        const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(*q);
        if (alphanumeric || c == '.' || c >= 0x80) return false;
    }
    double result;
    const auto [next, error] = std::from_chars(p, q, result);
    if (error != std::errc() || next != q) return false;
    const double magnitude = result < 0 ? -result : result;
    if (magnitude == 0 ? NonZeroMantissa(digits, q) : !(magnitude > DBL_MIN && magnitude < DBL_MAX)) return false;
    value = result;
    p = q;
    return true;
}

}  // namespace scan_detail

}  // namespace quon

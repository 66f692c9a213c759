// Reading numbers from text fields: the lenient and checking conversions and
// the formatted scan of the readers, exactly as the C library reads them (bit
// for bit, with its exceptions and counts) but without its costs.
//
// Every function takes the field as a std::string_view and never reads past
// it; an embedded NUL ends the field, as the C function working on a
// NUL-terminated copy would stop there. A fast path built on std::from_chars
// takes the plain cases (ASCII white space, an optional '-', decimal digits,
// in range, and for floating values a locale whose decimal point is ".").
// Everything else, and everything whose result the fast path cannot prove
// equal to the C library's, is handed to the C library itself on a
// NUL-terminated copy of the field, so odd inputs give the C library's answer
// by construction.
#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "quon/platform_types.h"

namespace quon {

// A string literal used as a template argument, so that a scan or print
// format is parsed and checked against its arguments at compile time:
// Scan<"%d,%d">(line, &a, &b).
template <std::size_t N>
struct FormatLiteral {
    char text[N] = {};
    constexpr FormatLiteral(const char (&literal)[N]) {
        for (std::size_t i = 0; i < N; ++i) text[i] = literal[i];
    }
    constexpr std::size_t size() const { return N - 1; }
};

// True when the current C locale (the calling thread's, where the platform has
// per-thread locales) reads and prints the decimal point as ".". The fast
// floating paths run only then; otherwise the C library converts. Costs one
// call into the C library (nl_langinfo on glibc, localeconv elsewhere).
bool DecimalPointIsDot();

// Lenient conversions: skip leading white space, read the longest numeric
// prefix, never fail. Integers are 32-bit and saturate on overflow (the
// 64-bit strtoll result clamped to 32 bits).
INT32 Atoi(std::string_view field);
INT32 Atol(std::string_view field);
double Atof(std::string_view field);

// Checking conversions: throw std::invalid_argument ("invalid stoi argument",
// ...) when nothing converts and std::out_of_range ("stoi argument out of
// range", ...) when the value does not fit (strtod and strtof report ERANGE
// for overflow and for subnormal results). stol is 32-bit. Trailing
// characters are ignored; *index, when given, receives the count of bytes
// consumed, leading white space included.
int Stoi(std::string_view field, std::size_t* index = nullptr, int base = 10);
INT32 Stol(std::string_view field, std::size_t* index = nullptr, int base = 10);
float Stof(std::string_view field, std::size_t* index = nullptr);
double Stod(std::string_view field, std::size_t* index = nullptr);

// A NUL-terminated copy of a field for the C library: the field up to its
// first NUL. Short fields are copied to the stack, longer ones to the heap.
class CText {
public:
    explicit CText(std::string_view field);
    CText(const CText&) = delete;
    CText& operator=(const CText&) = delete;
    const char* c_str() const { return m_text; }

private:
    char m_small[112];
    std::string m_large;
    const char* m_text;
};

namespace scan_detail {

// One directive of a scan format: a conversion (%d into int, %lf into
// double), a run of white space (matches any amount, none included) or one
// ordinary character (must match exactly).
enum class Kind : unsigned char { Int, Double, Space, Char };

struct Directive {
    Kind kind = Kind::Char;
    char ch = 0;
    std::size_t arg = 0;  // argument index of a conversion
};

// Not constexpr: reaching it while parsing a format at compile time stops the
// build with this function's name and the message in the diagnostic.
void UnsupportedScanFormat(const char* why);

struct ScanCounts {
    std::size_t all = 0;   // directives in the format
    std::size_t kept = 0;  // directives up to and including the last conversion
};

// Parses the format into out (when given). Directives after the last
// conversion are not run: they cannot change what sscanf returns or stores.
constexpr ScanCounts ParseScan(const char* f, std::size_t n, Directive* out) {
    ScanCounts counts;
    std::size_t args = 0;
    auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    for (std::size_t i = 0; i < n;) {
        Directive d;
        if (f[i] == '%') {
            if (i + 1 < n && f[i + 1] == 'd') {
                d.kind = Kind::Int;
                i += 2;
            } else if (i + 2 < n && f[i + 1] == 'l' && f[i + 2] == 'f') {
                d.kind = Kind::Double;
                i += 3;
            } else {
                UnsupportedScanFormat("only %d (int*) and %lf (double*) are supported");
            }
            d.arg = args++;
        } else if (space(f[i])) {
            d.kind = Kind::Space;
            while (i < n && space(f[i])) ++i;
        } else {
            d.kind = Kind::Char;
            d.ch = f[i++];
        }
        if (out != nullptr) out[counts.all] = d;
        ++counts.all;
        if (d.kind == Kind::Int || d.kind == Kind::Double) counts.kept = counts.all;
    }
    return counts;
}

template <FormatLiteral F>
struct ScanPlan {
    static constexpr ScanCounts counts = ParseScan(F.text, F.size(), nullptr);
    static constexpr std::size_t count = counts.kept;
    static constexpr std::array<Directive, counts.all> directives = [] {
        std::array<Directive, counts.all> all{};
        ParseScan(F.text, F.size(), all.data());
        return all;
    }();
    static constexpr std::size_t conversions = [] {
        std::size_t c = 0;
        for (const Directive& d : directives) c += d.kind == Kind::Int || d.kind == Kind::Double;
        return c;
    }();
    static constexpr bool hasDouble = [] {
        for (const Directive& d : directives)
            if (d.kind == Kind::Double) return true;
        return false;
    }();
};

// The plain-case readers; each returns false when sscanf must decide.
bool ScanSpace(const char*& p, const char* end);
bool ScanInt(const char*& p, const char* end, int& value);
bool ScanDouble(const char*& p, const char* end, double& value);

template <FormatLiteral F, std::size_t I, class Values>
bool ScanOne(const char*& p, const char* end, Values& values) {
    constexpr Directive d = ScanPlan<F>::directives[I];
    if constexpr (d.kind == Kind::Int) {
        return ScanSpace(p, end) && ScanInt(p, end, std::get<d.arg>(values));
    } else if constexpr (d.kind == Kind::Double) {
        return ScanSpace(p, end) && ScanDouble(p, end, std::get<d.arg>(values));
    } else if constexpr (d.kind == Kind::Space) {
        return ScanSpace(p, end);
    } else {
        if (p == end || *p != d.ch) return false;
        ++p;
        return true;
    }
}

template <FormatLiteral F, class... Args, std::size_t... A>
constexpr bool ArgumentsMatch(std::index_sequence<A...>) {
    using Types = std::tuple<Args...>;
    constexpr auto& ds = ScanPlan<F>::directives;
    bool ok = true;
    for (const Directive& d : ds) {
        if (d.kind != Kind::Int && d.kind != Kind::Double) continue;
        // The argument type that this conversion stores into.
        const bool isInt[] = {std::is_same_v<std::tuple_element_t<A, Types>, int>..., false};
        const bool isDouble[] = {std::is_same_v<std::tuple_element_t<A, Types>, double>..., false};
        ok = ok && d.arg < sizeof...(A) && (d.kind == Kind::Int ? isInt[d.arg] : isDouble[d.arg]);
    }
    return ok;
}

}  // namespace scan_detail

// std::sscanf(line, Format, args...) on a NUL-terminated copy of the line:
// the same count (or EOF) and the same stores. Formats: %d into int*, %lf
// into double*, white space and ordinary characters. The fast path takes
// lines on which every conversion and every character between them matches
// plainly; any other line goes to sscanf itself.
template <FormatLiteral Format, class... Args>
int Scan(std::string_view line, Args*... args) {
    using Plan = scan_detail::ScanPlan<Format>;
    static_assert(Plan::conversions == sizeof...(Args), "Scan: one argument per conversion");
    static_assert(scan_detail::ArgumentsMatch<Format, Args...>(std::index_sequence_for<Args...>{}),
                  "Scan: %d stores into int*, %lf into double*");

    if (!Plan::hasDouble || DecimalPointIsDot()) {
        std::tuple<Args...> values{};
        const char* p = line.data();
        const char* end = p + line.size();
        const bool plain = [&]<std::size_t... I>(std::index_sequence<I...>) {
            return (scan_detail::ScanOne<Format, I>(p, end, values) && ...);
        }(std::make_index_sequence<Plan::count>{});
        if (plain) {
            [&]<std::size_t... A>(std::index_sequence<A...>) {
                ((*args = std::get<A>(values)), ...);
            }(std::index_sequence_for<Args...>{});
            return static_cast<int>(sizeof...(Args));
        }
    }
    const CText text(line);
    return std::sscanf(text.c_str(), Format.text, args...);
}

}  // namespace quon

// The number readers against the C library: every conversion must give the
// same bits, the same index and the same exception as strtoll / strtod /
// strtof (and the formatted scan the same count and stores as sscanf) on a
// NUL-terminated copy of the field.
#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#if defined(__GLIBC__)
#include <locale.h>
#endif

#include "frame/numbers.h"
#include "frame/text.h"
#include "support/comma_locale.h"

namespace {

using namespace std::string_literals;

// What one conversion gave: a value (as bits), the bytes consumed, or the
// exception with its message.
struct Outcome {
    std::string thrown;  // "" when a value came back
    uint64_t bits = 0;
    std::size_t index = 0;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    if (!o.thrown.empty()) return out << "throws " << o.thrown;
    return out << "bits 0x" << std::hex << o.bits << std::dec << " index " << o.index;
}

template <class T>
uint64_t Bits(T value) {
    if constexpr (std::is_integral_v<T>) {
        return static_cast<uint64_t>(static_cast<int64_t>(value));
    } else {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof value);
        return bits;
    }
}

template <class F>
Outcome Catch(F&& convert) {
    Outcome o;
    try {
        std::size_t index = 0;
        o.bits = Bits(convert(&index));
        o.index = index;
    } catch (const std::invalid_argument& e) {
        o.thrown = "invalid_argument: "s + e.what();
    } catch (const std::out_of_range& e) {
        o.thrown = "out_of_range: "s + e.what();
    }
    return o;
}

// The references: the C library on a NUL-terminated copy, with the checks of
// the checking conversions.
namespace ref {

INT32 Saturate(long long v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<INT32>(v); }

INT32 Atoi(std::string_view field) { return Saturate(std::strtoll(std::string(field).c_str(), nullptr, 10)); }
double Atof(std::string_view field) { return std::strtod(std::string(field).c_str(), nullptr); }

INT32 Stoi(std::string_view field, std::size_t* index, int base, const char* name) {
    const std::string text(field);
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, base);
    if (end == text.c_str()) throw std::invalid_argument("invalid "s + name + " argument");
    if (errno == ERANGE || v > INT32_MAX || v < INT32_MIN) throw std::out_of_range(name + " argument out of range"s);
    *index = static_cast<std::size_t>(end - text.c_str());
    return static_cast<INT32>(v);
}

template <class T>
T Stod(std::string_view field, std::size_t* index, const char* name) {
    const std::string text(field);
    char* end = nullptr;
    errno = 0;
    T v;
    if constexpr (std::is_same_v<T, float>) {
        v = std::strtof(text.c_str(), &end);
    } else {
        v = std::strtod(text.c_str(), &end);
    }
    if (end == text.c_str()) throw std::invalid_argument("invalid "s + name + " argument");
    if (errno == ERANGE) throw std::out_of_range(name + " argument out of range"s);
    *index = static_cast<std::size_t>(end - text.c_str());
    return v;
}

}  // namespace ref

// Every reader on one field, each against its reference.
void ExpectLikeCLibrary(std::string_view field) {
    SCOPED_TRACE(testing::Message() << "field \"" << std::string(field) << "\" (" << field.size() << " bytes)");
    EXPECT_EQ(Bits(ref::Atoi(field)), Bits(quon::Atoi(field)));
    EXPECT_EQ(Bits(ref::Atoi(field)), Bits(quon::Atol(field)));
    EXPECT_EQ(Bits(ref::Atof(field)), Bits(quon::Atof(field)));
    EXPECT_EQ(Catch([&](std::size_t* i) { return ref::Stoi(field, i, 10, "stoi"); }),
              Catch([&](std::size_t* i) { return quon::Stoi(field, i); }));
    EXPECT_EQ(Catch([&](std::size_t* i) { return ref::Stoi(field, i, 10, "stol"); }),
              Catch([&](std::size_t* i) { return quon::Stol(field, i); }));
    EXPECT_EQ(Catch([&](std::size_t* i) { return ref::Stod<double>(field, i, "stod"); }),
              Catch([&](std::size_t* i) { return quon::Stod(field, i); }));
    EXPECT_EQ(Catch([&](std::size_t* i) { return ref::Stod<float>(field, i, "stof"); }),
              Catch([&](std::size_t* i) { return quon::Stof(field, i); }));
}

// Fields chosen to break a reader that is not exactly the C library's.
const std::vector<std::string> kHardFields = {
    // empty, white space, junk, signs
    "", " ", "\t\n\v\f\r ", "x", "x1", "-", "+", "--1", "+-1", "-+1", " -", ".", "-.", "+.", "..5", "e5", ",5",
    "\r12", " \t-7x", "12,", "12 ", "4\r", "+12", "+0", "-0", "0", "00", "007", "-007", "0.", ".0", "-.5", "+.5",
    "5.", "5..", "1.2.3", "1,5", "1e", "1e+", "1e-", "1E5", "1e+5", "1e-5", "1.e5", ".e5", "1e5.5", "1ee5",
    "1d5", "1.5D2", "1q", "1f", "1L", "12abc", "\xa0" "5", "\x85" "5", " \xa0" "5", "5\xa0",
    // hexadecimal and other bases that base 10 and strtod treat differently
    "0x", "0x1A", "0X1a", "-0x10", "0x1p3", "0x1.8p1", "0x.8", "0xg", "00x1", "0b101", "1x",
    // inf and nan in their spellings
    "inf", "INF", "-inf", "+inf", "infinity", "-Infinity", "infin", "nan", "NAN", "-nan", "nan(123)", "nan(", "in",
    "na",
    // 32- and 64-bit integer edges
    "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295", "4294967296", "9223372036854775807",
    "9223372036854775808", "-9223372036854775808", "-9223372036854775809", "99999999999999999999",
    "-99999999999999999999", "000000000000000000000000000042", "1" + std::string(400, '0'),
    // halfway and near-halfway doubles, long mantissas
    "9007199254740993", "9007199254740992.5", "9007199254740993.0000000000000000001", "2.2250738585072011e-308",
    "2.2250738585072012e-308", "2.2250738585072014e-308", "2.2250738585072009e-308", "4.9406564584124654e-324",
    "2.4703282292062327e-324", "2.4703282292062328e-324", "5e-324", "1e-323", "1e-320", "1e-310", "1e-308",
    "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308", "1.8e308", "1e308", "1e309",
    "-1e309", "1e-400", "-1e-400", "0e999999", "0e-999999", "0.000e5", "1e99999999999999999999",
    "1e-99999999999999999999", "0.1", "0.2", "0.3", "0.1000000000000000055511151231257827",
    "123456789012345678901234567890", "0.000000000000000000000000000000000000001234567890123456789",
    "3.4028234663852886e38", "3.4028235677973366e38", "3.4028236e38", "1.17549435e-38", "1.17549421e-38",
    "1.1754942e-38", "1.4e-45", "7e-46", "1e-46", "1e39", "16777217", "16777216.5", "0.5000000000000000000001",
    "2.5", "-2.5", "0.125", "1e23", "8.589973e9", "4.35e-303", "1e22", "1e-22", "1.448997445238699",
    "89255.0e-22", "7.038531e-26", "9.5e-21", "123.456789", "-0.5", "42", "33554434", "-16777217.0",
    // short decimals whose nearest double lies exactly halfway between two
    // floats (rounding that double to float would round the wrong way)
    "0.004643915919587016", "0.000742753007216379", "0.4106092005968094", "7.621258020401001",
    // numbers followed by what C reads as the end
    "1.5\n", "2.5,3.5", "3 4", "7)", "-0.0e0x",
};

TEST(NumberReaders, HardCasesMatchTheCLibrary) {
    for (const std::string& field : kHardFields) ExpectLikeCLibrary(field);
    ExpectLikeCLibrary(std::string_view());
}

TEST(NumberReaders, TheFieldEndsAtItsBoundOrItsFirstNul) {
    // An embedded NUL ends the field, as it ends the C library's copy.
    for (const std::string& field : {"12\0" "34"s, "1.5\0" "e3"s, "\0" "5"s, "-\0" "5"s, " \0" "1"s, "0x\0" "1"s})
        ExpectLikeCLibrary(field);
    // The view ends the field: digits after it are not read.
    const std::string text = "123456.75e2";
    for (std::size_t n = 0; n <= text.size(); ++n) ExpectLikeCLibrary(std::string_view(text).substr(0, n));
    EXPECT_EQ(12, quon::Atoi(std::string_view(text).substr(0, 2)));
    EXPECT_EQ(123456.7, quon::Atof(std::string_view(text).substr(0, 8)));
    // Long fields (copied to the heap when the C library must read them).
    ExpectLikeCLibrary("0x" + std::string(300, 'f'));
    ExpectLikeCLibrary(" +" + std::string(300, '1') + ".5");
    ExpectLikeCLibrary(std::string(200, ' ') + "+5");
}

TEST(NumberReaders, CallersKeepTheirArgumentTypes) {
    // const char*, std::string and std::string_view all reach the same reader.
    const char* pointer = "12,";
    const std::string string = " 3.5";
    EXPECT_EQ(12, quon::Atoi(pointer));
    EXPECT_EQ(3.5, quon::Atof(string));
    EXPECT_EQ(-3, quon::Stol("-3,4"));
    EXPECT_EQ(255, quon::Stoi(std::string("ff"), nullptr, 16));
}

TEST(NumberReaders, OtherBasesAreTheCLibrarys) {
    for (const char* field : {"ff", "0xff", "-0x80000000", "7fffffff", "80000000", "0x", "g", " +1a", "0X7FFFFFFF"}) {
        for (int base : {0, 2, 8, 16, 36}) {
            SCOPED_TRACE(testing::Message() << field << " base " << base);
            EXPECT_EQ(Catch([&](std::size_t* i) { return ref::Stoi(field, i, base, "stoi"); }),
                      Catch([&](std::size_t* i) { return quon::Stoi(field, i, base); }));
            EXPECT_EQ(Catch([&](std::size_t* i) { return ref::Stoi(field, i, base, "stol"); }),
                      Catch([&](std::size_t* i) { return quon::Stol(field, i, base); }));
        }
    }
}

// A seeded corpus: doubles printed as the writers and other programs print
// them, and random digit strings with signs, points, exponents and junk.
std::vector<std::string> RandomFields(std::size_t count) {
    std::mt19937_64 random(20240611);
    std::vector<std::string> fields;
    fields.reserve(count);
    char text[512];
    auto anyDouble = [&] {
        double d;
        uint64_t bits = random();
        std::memcpy(&d, &bits, sizeof d);
        return d;
    };
    auto niceDouble = [&] {
        const double scale[] = {1, 10, 100, 1000, 1e4, 1e6, 1e-3, 1e-6};
        return static_cast<double>(static_cast<int64_t>(random() % 2000001) - 1000000) / scale[random() % 8];
    };
    const char* junk[] = {"", "", "", ",", " ", "\r", "x", "e", "e+", ".", "5", ",1", "\n"};
    while (fields.size() < count) {
        switch (random() % 8) {
            case 0: std::snprintf(text, sizeof text, "%.17g", anyDouble()); break;
            case 1: std::snprintf(text, sizeof text, "%g", niceDouble()); break;
            case 2: std::snprintf(text, sizeof text, "%f", niceDouble()); break;
            case 3: std::snprintf(text, sizeof text, "%.17g", niceDouble()); break;
            case 4: std::snprintf(text, sizeof text, "%.6e", anyDouble()); break;
            case 5: std::snprintf(text, sizeof text, "%lld", static_cast<long long>(random()) >> (random() % 64)); break;
            default: {
                // Random digits: optional sign, 1 to 30 digits with an
                // optional point, optional exponent.
                std::string s;
                const unsigned sign = random() % 6;
                if (sign == 0) s += '-';
                if (sign == 1) s += '+';
                const int digits = 1 + static_cast<int>(random() % 30);
                const int point = static_cast<int>(random() % (digits + 4));
                for (int i = 0; i < digits; ++i) {
                    if (i == point) s += '.';
                    s += static_cast<char>('0' + random() % 10);
                }
                if (random() % 3 == 0) {
                    s += 'e';
                    s += std::to_string(static_cast<int>(random() % 700) - 350);
                }
                std::snprintf(text, sizeof text, "%s", s.c_str());
                break;
            }
        }
        std::string field = random() % 8 == 0 ? " " : "";
        field += text;
        field += junk[random() % (sizeof junk / sizeof *junk)];
        fields.push_back(std::move(field));
    }
    return fields;
}

TEST(NumberReaders, RandomCorpusMatchesTheCLibrary) {
    int failures = 0;
    for (const std::string& field : RandomFields(300000)) {
        const bool before = HasFailure();
        ExpectLikeCLibrary(field);
        if (!before && HasFailure() && ++failures > 20) FAIL() << "too many differences";
    }
}

// --- Scan against sscanf -------------------------------------------------

// Runs Scan and sscanf with the same format over one line, from the same
// starting values, and compares the counts and every stored bit.
template <quon::FormatLiteral F, class... T>
void ExpectScanLikeSscanf(std::string_view line) {
    SCOPED_TRACE(testing::Message() << "format \"" << F.text << "\" line \"" << std::string(line) << "\"");
    std::tuple<T...> mine{T(-77)...};
    std::tuple<T...> theirs{T(-77)...};
    const std::string copy(line);
    const int count = std::apply([&](auto&... v) { return quon::Scan<F>(line, &v...); }, mine);
    const int expected = std::apply([&](auto&... v) { return std::sscanf(copy.c_str(), F.text, &v...); }, theirs);
    EXPECT_EQ(expected, count);
    const auto bits = [](const auto&... v) { return std::vector<uint64_t>{Bits(v)...}; };
    EXPECT_EQ(std::apply(bits, theirs), std::apply(bits, mine));
}

// Every format of the readers over one line.
void ExpectAllScansLikeSscanf(std::string_view line) {
    ExpectScanLikeSscanf<"%d", int>(line);
    ExpectScanLikeSscanf<"%d,", int>(line);
    ExpectScanLikeSscanf<"%d,%d,", int, int>(line);
    ExpectScanLikeSscanf<"%d,%d,%d,", int, int, int>(line);
    ExpectScanLikeSscanf<"%d,%d,%d,%d", int, int, int, int>(line);
    ExpectScanLikeSscanf<"%d,%d,%d,%d,", int, int, int, int>(line);
    ExpectScanLikeSscanf<"%d,%d,%d,%d,%d", int, int, int, int, int>(line);
    ExpectScanLikeSscanf<"%d,%d,%d,%d,%d,%d,%d", int, int, int, int, int, int, int>(line);
    ExpectScanLikeSscanf<"%d, %d, %d, %d, %d, %d, %d, %d,", int, int, int, int, int, int, int, int>(line);
    ExpectScanLikeSscanf<"%d,%lf,%lf,", int, double, double>(line);
}

const std::vector<std::string> kScanLines = {
    // good lines, as the writers print them and packed
    "1,2,3,4,", "1, 2, 3, 4, \n", "-5,0,7,2147483647,", "1,2,3,4,5,6,7", "1, 2, 3, 4, 5, 6, 7, 8,",
    "-1, -1, -1, -1, -1, -1, -1, -1,", "3,1.5,-2.25,", "3, 1.5, -2.25, \r", "0,0.0,-0.0,", "7,123.456789,0.000001,",
    "1,12345678901234567890.5,0.1000000000000000055511151231257827,", "\t4,\t5,", "12",
    // short lines and empty ones
    "", " ", "\r", "\n", "1", "1,", "1,2", "1,2,3", "1, 2, 3, 4, 5", "3,1.5", "3,1.5,",
    // overflow
    "2147483648,1,", "-2147483649,1,", "4294967297,", "99999999999999999999,2,", "1,2147483648,3,",
    "-2147483648,2147483647,", "1,1e400,1e-400,", "1,2.2250738585072011e-308,5e-324,",
    // junk, signs and things sscanf reads its own way
    "x", "x,1", "1,x", "1;2;3", "1,,2", ",1,2", "+1,+2,", "- 1,", "1 ,2 ,3 ,4 ,", "1,2,3,4,junk", "12abc",
    "1.5,2,", "1e5,2,", "0x10,2,", "1,1e5,2,", "1,1e,2,", "1,1e+,2,", "1,.5,2,", "1,5.,2,", "1,-.5,2,",
    "1,0x1p3,2,", "1,inf,nan,", "1,-INF,2,", "1,1.5.5,2,", "1,1.5e,", "1,2d5,3,", "\xa0" "1,2,", "1,\xa0" "2,",
    "1,2\xa0,", "1 2 3", "1\v,\f2,", std::string("1,\0" "2,3", 6), std::string("\0" "1,2", 4),
};

TEST(Scan, CorpusMatchesSscanf) {
    for (const std::string& line : kScanLines) ExpectAllScansLikeSscanf(line);
    ExpectAllScansLikeSscanf(std::string_view());
}

TEST(Scan, RandomLinesMatchSscanf) {
    std::mt19937_64 random(7);
    const char* separators[] = {",", ",", ", ", ", ", " ,", ",,", "", "\t,", ";", ",\r"};
    const char* odd[] = {"x", "", "-", "1e3", ".5", "+3"};
    char text[64];
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        const int fields = static_cast<int>(random() % 10);
        for (int f = 0; f < fields; ++f) {
            switch (random() % 6) {
                case 0: std::snprintf(text, sizeof text, "%d", static_cast<int>(random())); break;
                case 1: std::snprintf(text, sizeof text, "%d", static_cast<int>(random() % 2001) - 1000); break;
                case 2: std::snprintf(text, sizeof text, "%.6f", static_cast<double>(random() % 2000000) / 1000 - 1000); break;
                case 3: std::snprintf(text, sizeof text, "%.17g", static_cast<double>(static_cast<int64_t>(random())) / 7e9); break;
                case 4: std::snprintf(text, sizeof text, "%lld", static_cast<long long>(random()) >> (random() % 40)); break;
                default: std::snprintf(text, sizeof text, "%s", odd[random() % (sizeof odd / sizeof *odd)]); break;
            }
            line += text;
            line += separators[random() % (sizeof separators / sizeof *separators)];
        }
        if (random() % 4 == 0) line += "\r";
        ExpectAllScansLikeSscanf(line);
    }
}

// --- The current C locale --------------------------------------------------

TEST(NumberReaders, FollowTheCurrentLocalesDecimalPoint) {
    EXPECT_TRUE(quon::DecimalPointIsDot());
    quontest::CommaLocale comma;
    if (!comma.Why().empty()) GTEST_SKIP() << comma.Why();
    EXPECT_FALSE(quon::DecimalPointIsDot());

    // Under "," the C library reads "1,5" as 1.5 and "1.5" as 1: so must we.
    EXPECT_EQ(1.5, quon::Atof("1,5"));
    EXPECT_EQ(1.0, quon::Atof("1.5"));
    for (const std::string& field : kHardFields) ExpectLikeCLibrary(field);
    for (const std::string& field : {"1,5"s, "-0,25e3"s, "3,"s, ",5"s, "12,5,7"s, "1.234,5"s}) ExpectLikeCLibrary(field);
    for (const std::string& line : kScanLines) ExpectAllScansLikeSscanf(line);
    for (const char* line : {"1,2,5,3,75,", "3,1,5,-2,25,", "3, 1,5, -2,25,"}) ExpectAllScansLikeSscanf(line);

#if defined(__GLIBC__)
    // A thread's own locale (uselocale) counts, not only the global one.
    locale_t german = duplocale(LC_GLOBAL_LOCALE);
    ASSERT_NE(static_cast<locale_t>(0), german);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_TRUE(quon::DecimalPointIsDot());
    const locale_t previous = uselocale(german);
    EXPECT_FALSE(quon::DecimalPointIsDot());
    EXPECT_EQ(2.5, quon::Atof("2,5"));
    EXPECT_EQ(2.5, quon::Stod("2,5"));
    uselocale(previous);
    freelocale(german);
    EXPECT_EQ(2.0, quon::Atof("2,5"));
#endif
}

}  // namespace

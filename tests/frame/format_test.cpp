// The printer against snprintf: every format the writers use (and the flags
// the printer handles itself) must print the same bytes for random and edge
// values, through every sink; the in-place sink keeps its contract.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "frame/copy_out.h"
#include "frame/format.h"
#include "frame/text.h"
#include "support/comma_locale.h"

namespace {

// snprintf of the whole line: the expected bytes.
template <quon::FormatLiteral F, class... A>
std::string Reference(const A&... args) {
    const int size = std::snprintf(nullptr, 0, F.text, args...);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), F.text, args...);
    text.pop_back();
    return text;
}

// The same line through the three sinks: appended to a string, to a text
// buffer, and printed in place both with room to spare and with exactly the
// room it needs (the latter renders on the side first).
template <quon::FormatLiteral F, class... A>
void ExpectPrintLikeSnprintf(const A&... args) {
    const std::string expected = Reference<F>(args...);
    SCOPED_TRACE(testing::Message() << "format \"" << F.text << "\" expected \"" << expected << "\"");
    std::string appended = "<";
    quon::Append<F>(appended, args...);
    EXPECT_EQ("<" + expected, appended);

    quon::TextBuffer buffer;
    buffer.Append(">");
    quon::Append<F>(buffer, args...);
    EXPECT_EQ(">" + expected, buffer.View());

    std::string roomy(expected.size() + 4096, '#');
    quon::InPlacePrinter wide(roomy.data(), static_cast<UINT32>(roomy.size()));
    quon::Print<F>(wide, args...);
    EXPECT_EQ(expected, std::string(roomy.c_str()));
    EXPECT_EQ(expected.size(), wide.Length());

    std::string tight(expected.size() + 2, '#');
    quon::InPlacePrinter exact(tight.data(), static_cast<UINT32>(expected.size() + 1));
    quon::Print<F>(exact, args...);
    EXPECT_TRUE(exact.Fits());
    EXPECT_EQ(expected + '\0' + '#', tight);
}

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Doubles that trip a printer: ties at every precision in use, -0, the ends
// of the range, subnormals, non-finite values.
const std::vector<double> kEdgeDoubles = {
    0.0, -0.0, 0.5, -0.5, 1.5, 2.5, -2.5, 0.125, 0.375, -0.125, 0.05, 0.15, 0.25, 0.35, 0.45, 1.005, 1.0005,
    0.00005, 0.000005, 0.0000005, 9.5, 99.5, 999999.5, 9999995, 0.9999995, 0.99999949999, 1e6, 999999.0,
    1e-4, 9.9999e-5, 1e-5, 123456.7, 1234567.0, 1e15, 1e16, 1e17, 1e21, 1e22, 1e23, 1e300, -1e300, 1e-300,
    DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN, 4503599627370495.5, 9007199254740993.0,
    0.1, 0.2, 0.3, 1.0 / 3, 2.0 / 3, 3.14159265358979, 2147483647.5, kNan, -kNan, kInf, -kInf};

const std::vector<int> kEdgeInts = {0, 1, -1, 7, -7, 42, 99, 100, 999, 1000, -999, -1000, 123456, INT_MAX, INT_MIN, INT_MIN + 1};

// Random doubles: random bit patterns, round numbers with few decimals, and
// values near ties at 1 to 6 decimals.
std::vector<double> RandomDoubles(std::size_t count, uint64_t seed) {
    std::mt19937_64 random(seed);
    std::vector<double> values;
    while (values.size() < count) {
        double d = 0;
        switch (random() % 4) {
            case 0: {
                const uint64_t bits = random();
                std::memcpy(&d, &bits, sizeof d);
                break;
            }
            case 1: d = static_cast<double>(static_cast<int64_t>(random() % 20000001) - 10000000) / 1000; break;
            case 2: d = (static_cast<double>(random() % 100000) + 0.5) / std::pow(10.0, static_cast<double>(random() % 7)); break;
            default: d = std::ldexp(static_cast<double>(random() % 1000000), static_cast<int>(random() % 80) - 40); break;
        }
        values.push_back(d);
    }
    return values;
}

int RandomInt(std::mt19937_64& random) {
    const int shift = static_cast<int>(random() % 32);
    return static_cast<int>(static_cast<uint32_t>(random())) >> shift;
}

TEST(Print, IntegerFormatsOfTheWritersLikeSnprintf) {
    std::mt19937_64 random(11);
    std::vector<int> values = kEdgeInts;
    for (int n = 0; n < 4000; ++n) values.push_back(RandomInt(random));
    const char* names[] = {"LEFT", "", "x"};
    for (std::size_t n = 0; n < values.size(); ++n) {
        const int a = values[n];
        const int b = values[(n * 7 + 3) % values.size()];
        const int c = values[(n * 13 + 5) % values.size()];
        const unsigned u = static_cast<unsigned>(b);
        ExpectPrintLikeSnprintf<"%d\n">(a);
        ExpectPrintLikeSnprintf<"%d">(a);
        ExpectPrintLikeSnprintf<"%d,%d\n">(a, b);
        ExpectPrintLikeSnprintf<"%d, %d, %d, %d, \n">(a, b, c, a);
        ExpectPrintLikeSnprintf<"%d, %d, %03d%03d, %d, %d, %d, %d, \n">(a, b, c % 1000, a % 1000, b, c, a, b);
        ExpectPrintLikeSnprintf<"%d, %d, %d, %d, %d, %d, %d, %d,">(a, b, c, a, b, c, a, b);
        ExpectPrintLikeSnprintf<"%d,%d,d\n">(a, b);
        ExpectPrintLikeSnprintf<"  \"PJRESX\": %d,\n">(a);
        ExpectPrintLikeSnprintf<"%ld">(static_cast<long>(a));
        ExpectPrintLikeSnprintf<"%u %x %X 0x%08X">(u, u, u, u);
        ExpectPrintLikeSnprintf<"[EDGEBLEND_BRIGHT_%s]\nINTERLOCKED=%d\nCOLOR=%x\n">(names[n % 3], a, u);
        ExpectPrintLikeSnprintf<"%s=%d\n">(names[n % 3], a);
        // Flags and widths the printer lays out itself, and some it leaves
        // to snprintf ('#', integer precision).
        ExpectPrintLikeSnprintf<"|%5d|%-5d|%05d|%+d|% d|%+05d|%-+6d|% 04d|">(a, a, a, a, a, a, b, c);
        ExpectPrintLikeSnprintf<"|%12u|%-9x|%010X|%#x|%.3d|%8.5d|%c|%3c|">(u, u, u, u, a, b, static_cast<int>('A' + n % 26), 'z');
        ExpectPrintLikeSnprintf<"%lld %llu %lx %li %i">(static_cast<long long>(a) * b, static_cast<unsigned long long>(u) << 20,
                                                        static_cast<unsigned long>(u), static_cast<long>(c), a);
    }
}

TEST(Print, FloatingFormatsOfTheWritersLikeSnprintf) {
    std::vector<double> values = kEdgeDoubles;
    const std::vector<double> random = RandomDoubles(12000, 5);
    values.insert(values.end(), random.begin(), random.end());
    for (std::size_t n = 0; n < values.size(); ++n) {
        const double x = values[n];
        const double y = values[(n * 7 + 1) % values.size()];
        const int i = static_cast<int>(n) - 20000;
        ExpectPrintLikeSnprintf<"%f">(x);
        ExpectPrintLikeSnprintf<"%lf\n">(x);
        ExpectPrintLikeSnprintf<"%g">(x);
        ExpectPrintLikeSnprintf<"%.1f\n">(x);
        ExpectPrintLikeSnprintf<"%.01f\n">(x);
        ExpectPrintLikeSnprintf<"%.2f\n">(x);
        ExpectPrintLikeSnprintf<"%.4f, %.4f, \n">(x, y);
        ExpectPrintLikeSnprintf<"%.6f,%.6f\n">(x, y);
        ExpectPrintLikeSnprintf<"%g,%g,%g,%g\n">(x, y, -x, 1 / x);
        ExpectPrintLikeSnprintf<"%g, %g, %g, %g, %d, %d, %d, %d\n">(x, y, x * 3, y / 7, i, -i, 0, 1);
        ExpectPrintLikeSnprintf<"%lf, %lf, %lf, %lf, %lf, %lf, %lf, %lf\n">(x, y, x, y, x, y, x, y);
        ExpectPrintLikeSnprintf<"%.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %d\r\n">(x, y, x, y, x, y, x, y, i);
        ExpectPrintLikeSnprintf<"%d, %.1f, %.1f, \n">(i, x, y);
        ExpectPrintLikeSnprintf<"%d,%d=%.4f,%.4f\n">(i, i + 1, x, y);
        ExpectPrintLikeSnprintf<"[AUTOCALIB]\nResult=%s\nBestZoom=%.2f\nBestShift=%.2f,%.2f\nOANeighbor=%d\n">("OK", x, y, x, i);
        // Other precisions, flags and conversions: e, E, G, widths, zero
        // padding; '#' and %a go to snprintf.
        ExpectPrintLikeSnprintf<"%.0f|%.3g|%.0g|%.17g|%G|%e|%.2E|%.0e">(x, x, x, x, x, x, x, y);
        ExpectPrintLikeSnprintf<"|%12.3f|%-12.3f|%012.3f|%+.2f|% g|%+012g|%-+10.1e|">(x, x, x, x, x, y, y);
        ExpectPrintLikeSnprintf<"|%#.0f|%#g|%a|%.3A|%F|">(x, x, x, y, y);
        ExpectPrintLikeSnprintf<"%f">(static_cast<float>(x));  // a float widens to double
    }
}

TEST(Print, StringsAndLiteralText) {
    const char* null = nullptr;
    const std::string long_text(5000, 'w');
    enum Colour { kRed = 3 };
    ExpectPrintLikeSnprintf<"">();
    ExpectPrintLikeSnprintf<"%d %d %u">(kRed, true, static_cast<unsigned char>(200));
    ExpectPrintLikeSnprintf<"no conversion\r\n">();
    ExpectPrintLikeSnprintf<"100%% %s%%">("sure");
    ExpectPrintLikeSnprintf<"%s|%10s|%-10s|%.2s|%s|">("", "right", "left", "cut", null);
    ExpectPrintLikeSnprintf<"%s\n%s">(long_text.c_str(), "end");                    // longer than the stack line
    ExpectPrintLikeSnprintf<"%f,%f,%f,%f,%f,%f,%f">(1e300, -1e300, DBL_MAX, 1e300, 1e300, 1e300, 1e300);
    ExpectPrintLikeSnprintf<"Geometry\n[VERSION]\nMajorVersion=%d\nMinorVersion=%d\n[[PROJECTOR_ADDRESS[%s]]]\n">(1, 2,
                                                                                                               "1.2.3.4");
}

TEST(Print, InPlaceNeverWritesPastCapacity) {
    // Zero-filled at once; a line that does not fit with its terminator is
    // not printed and later lines are refused even when they would fit.
    std::string buffer(16, '#');
    quon::InPlacePrinter printer(buffer.data(), 12);
    quon::Print<"%d, %d\n">(printer, 1, 2);
    EXPECT_EQ(std::string("1, 2\n\0\0\0\0\0\0\0####", 16), buffer);
    quon::Print<"%s\n">(printer, "123456");  // 7 bytes + NUL would end at 13 > 12
    quon::Print<"%d">(printer, 1);
    EXPECT_FALSE(printer.Fits());
    EXPECT_EQ(5u, printer.Length());
    EXPECT_EQ(std::string("1, 2\n\0\0\0\0\0\0\0####", 16), buffer);

    // The bound of %f is hundreds of bytes: a short line still fits in a
    // small buffer, rendered on the side and copied in.
    std::string small(10, '#');
    quon::InPlacePrinter tight(small.data(), 9);
    quon::Print<"%.2f|">(tight, 3.14159);
    quon::Print<"%g">(tight, 0.5);
    EXPECT_TRUE(tight.Fits());
    EXPECT_EQ(std::string("3.14|0.5\0#", 10), small);
    quon::Print<"%c">(tight, 'x');
    EXPECT_FALSE(tight.Fits());

    quon::InPlacePrinter none(nullptr, 100);
    quon::Print<"%d">(none, 5);
    EXPECT_FALSE(none.Fits());
    EXPECT_EQ(0u, none.Length());
}

TEST(Print, TextBufferGrowsAndCopiesOut) {
    quon::TextBuffer text;
    EXPECT_EQ(0u, text.Size());
    std::string expected;
    for (int n = 0; n < 5000; ++n) {
        quon::Append<"%d,%g\n">(text, n, n / 8.0);
        expected += Reference<"%d,%g\n">(n, n / 8.0);
    }
    EXPECT_EQ(expected, text.View());
    std::string out(expected.size(), '#');
    UINT32 written = 0;
    EXPECT_EQ(S_OK, quon::CopyOut(text.View(), out.data(), static_cast<UINT32>(out.size()), &written));
    EXPECT_EQ(expected, out);
    text.Clear();
    EXPECT_EQ("", text.View());
}

TEST(Print, FollowsTheCurrentLocalesDecimalPoint) {
    quontest::CommaLocale comma;
    if (!comma.Why().empty()) GTEST_SKIP() << comma.Why();
    EXPECT_EQ("1,500000", Reference<"%f">(1.5));  // the C library prints the locale's point
    for (double x : kEdgeDoubles) {
        ExpectPrintLikeSnprintf<"%f|%.2f|%.4f|%g|%.1f|%e|%G">(x, x, x, x, x, x, x);
        ExpectPrintLikeSnprintf<"%d,%d=%.4f,%.4f\n">(3, 4, x, -x);
    }
    ExpectPrintLikeSnprintf<"%d, %x, %s">(-12345, 255u, "1.5");  // integers and text are not affected
}

}  // namespace

// Splitters, number conversions and the two output contracts.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/copy_out.h"
#include "frame/text.h"
#include "support/test_support.h"

namespace {

using quontest::Thrown;
using Fields = std::vector<std::string>;

Fields SplitOf(const std::string& text, char delimiter) {
    Fields out;
    EXPECT_EQ(S_OK, Split(text, delimiter, out));
    return out;
}

Fields TrimmedOf(const std::string& text, char delimiter) {
    Fields out;
    CQuonCommonClass helper;
    EXPECT_EQ(S_OK, helper.SplitTrimmed(text, delimiter, out));
    return out;
}

TEST(Split, FieldsLikeRepeatedGetline) {
    EXPECT_EQ(Fields({"a", "", "b"}), SplitOf("a,,b,", ','));
    EXPECT_EQ(Fields({"1 2\r", "3"}), SplitOf("1 2\r\n3", '\n'));
    EXPECT_EQ(Fields({"", "x"}), SplitOf(",x", ','));
    EXPECT_EQ(Fields(), SplitOf("", ','));
    EXPECT_EQ(Fields({" a ", " b"}), SplitOf(" a , b", ','));
    // Appends to what the list holds.
    Fields out = {"kept"};
    Split("n", ',', out);
    EXPECT_EQ(Fields({"kept", "n"}), out);
    // A NUL inside the text is an ordinary character.
    EXPECT_EQ(Fields({std::string("a\0b", 3)}), SplitOf(std::string("a\0b", 3), ','));
}

TEST(Split, CutsAtEveryDelimiterPositionOfLongText) {
    // The cutters look for the delimiter eight bytes at a time in the first
    // 32 bytes of what is left, then with memchr: a delimiter at any offset,
    // next to bytes one bit or one unit away from it, cuts exactly there.
    for (char delimiter : {'\n', '\x01', '\x80', '\xFF'}) {
        for (std::size_t first = 0; first < 72; ++first) {
            for (std::size_t second : {first + 1, first + 2, first + 9, first + 40}) {
                std::string text(80, static_cast<char>(delimiter ^ 1));
                for (std::size_t i = 0; i < text.size(); i += 3) text[i] = static_cast<char>(delimiter + 1);
                text[first] = delimiter;
                if (second < text.size()) text[second] = delimiter;
                Fields expected(1);
                for (char c : text) {
                    if (c == delimiter) {
                        expected.emplace_back();
                    } else {
                        expected.back() += c;
                    }
                }
                if (expected.back().empty()) expected.pop_back();
                ASSERT_EQ(expected, SplitOf(text, delimiter)) << int(delimiter) << " " << first << " " << second;
            }
        }
    }
}

TEST(SplitTrimmed, StripsOnlyTheLetterH) {
    EXPECT_EQ(Fields({"x", " H "}), TrimmedOf("HxH, H ,HH", ','));
    EXPECT_EQ(Fields({"a\r", "\tb"}), TrimmedOf("HHa\rH,,\tbH", ','));
    EXPECT_EQ(Fields({"hello"}), TrimmedOf("hello", ','));  // lower-case h stays
    EXPECT_EQ(Fields(), TrimmedOf("H,HHH,", ','));
}

TEST(LenientConversions, ReadLeadingNumberAndNeverFail) {
    EXPECT_EQ(12, quon::Atoi("12,"));
    EXPECT_EQ(-7, quon::Atoi("  -7x"));
    EXPECT_EQ(0, quon::Atoi("x1"));
    EXPECT_DOUBLE_EQ(3.5, quon::Atof(" 3.5"));
    EXPECT_DOUBLE_EQ(0.0, quon::Atof("abc"));
    EXPECT_DOUBLE_EQ(4.0, quon::Atof("4\r"));
    // 32-bit integers, saturating like the Windows runtime.
    EXPECT_EQ(2147483647, quon::Atol("2147483647"));
    EXPECT_EQ(2147483647, quon::Atol("2147483648"));
    EXPECT_EQ(-2147483647 - 1, quon::Atol("-99999999999999999999"));
    EXPECT_EQ(2147483647, quon::Atoi("4294967296"));
}

TEST(CheckingConversions, ExactMessagesAnd32BitRanges) {
    EXPECT_EQ(42, quon::Stoi(" 42abc"));
    EXPECT_EQ(255, quon::Stoi("ff", nullptr, 16));
    std::size_t used = 0;
    EXPECT_EQ(-3, quon::Stol("-3,4", &used));
    EXPECT_EQ(2u, used);
    EXPECT_EQ(2147483647, quon::Stol("2147483647"));
    EXPECT_EQ(static_cast<double>(0.1f), static_cast<double>(quon::Stof("0.1")));  // a float, not 0.1
    EXPECT_DOUBLE_EQ(1e300, quon::Stod("1e300"));

    EXPECT_EQ("invalid stoi argument", Thrown<std::invalid_argument>([] { quon::Stoi("x1"); }));
    EXPECT_EQ("invalid stol argument", Thrown<std::invalid_argument>([] { quon::Stol(""); }));
    EXPECT_EQ("invalid stof argument", Thrown<std::invalid_argument>([] { quon::Stof("-"); }));
    EXPECT_EQ("invalid stod argument", Thrown<std::invalid_argument>([] { quon::Stod(" ."); }));
    EXPECT_EQ("stoi argument out of range", Thrown<std::out_of_range>([] { quon::Stoi("2147483648"); }));
    EXPECT_EQ("stol argument out of range", Thrown<std::out_of_range>([] { quon::Stol("2147483648"); }));
    EXPECT_EQ("stol argument out of range", Thrown<std::out_of_range>([] { quon::Stol("-2147483649"); }));
    EXPECT_EQ("stol argument out of range", Thrown<std::out_of_range>([] { quon::Stol("99999999999999999999"); }));
    EXPECT_EQ("stof argument out of range", Thrown<std::out_of_range>([] { quon::Stof("1e39"); }));
    EXPECT_EQ("stod argument out of range", Thrown<std::out_of_range>([] { quon::Stod("1e309"); }));
}

TEST(ValueLines, PlainIntegerLinesReadAsTheConversionsReadThem) {
    // Each value read by ValueLines equals the conversion of the line the
    // trimming splitter gives, whether the line is taken on the short path
    // or not; the next value always comes from the next line.
    const std::string lines[] = {"0",          "-0",          "7",          "-999999999", "999999999",  "0000000001",
                                 "1234567890", "-2147483648", "2147483647", "12.5",       "255.0",      "12.",
                                 "-12.75",     "12\r",        "H12",        "12H",        "12.5H",      "  3",
                                 "3 ",         "+4",          "16777217",   "-16777217",  "123456789",  "1e3",
                                 "0x1A",       "12abc",       "-",          "-.5",        "4294967297", "9999999999"};
    std::string text;
    for (const std::string& line : lines) text += line + (line == "7" ? "\n\n" : "\n");  // empty lines are skipped
    quon::ValueLines asInt(text.data(), static_cast<UINT32>(text.size()));
    quon::ValueLines asFloat(text.data(), static_cast<UINT32>(text.size()));
    for (const std::string& line : lines) {
        const std::string kept(quon::TrimH(line));
        std::string expected, got;
        try {
            expected = std::to_string(quon::Stoi(kept));
        } catch (const std::exception& e) {
            expected = e.what();
        }
        try {
            got = std::to_string(asInt.Int());
        } catch (const std::exception& e) {
            got = e.what();
        }
        EXPECT_EQ(expected, got) << line;
        float want = 0, have = 0;
        try {
            want = quon::Stof(kept);
        } catch (const std::exception&) {
            want = -1;
        }
        try {
            have = asFloat.Float();
        } catch (const std::exception&) {
            have = -1;
        }
        EXPECT_EQ(std::signbit(want), std::signbit(have)) << line;
        EXPECT_EQ(want, have) << line;
    }
    EXPECT_TRUE(asInt.Rest().empty() && asFloat.Rest().empty());
}

TEST(ReaderText, ViewsOfExactlyLengthBytes) {
    const char raw[] = {'a', 'b', '\0', 'c', 'X'};
    EXPECT_EQ(std::string_view("ab\0c", 4), quon::TextView(raw, 4));
    EXPECT_EQ("ab", quon::TextViewUpToNul(raw, 4));
    EXPECT_EQ("a", quon::TextViewUpToNul(raw, 1));  // no NUL needed within length
    EXPECT_EQ("", quon::TextView(nullptr, 0));
    EXPECT_EQ("", quon::TextViewUpToNul(nullptr, 0));
}

TEST(CopyOut, ExactCapacityAndOneByteOver) {
    std::string buffer(10, '#');
    UINT32 written = 99;
    EXPECT_EQ(E_FAIL, quon::CopyOut("abcdefghi", buffer.data(), 8, &written));
    EXPECT_EQ("##########", buffer);
    EXPECT_EQ(99u, written);
    EXPECT_EQ(S_OK, quon::CopyOut("abcdefgh", buffer.data(), 8, &written));
    EXPECT_EQ("abcdefgh##", buffer);  // all of it, no terminator added
    EXPECT_EQ(8u, written);

    EXPECT_EQ(S_FALSE, quon::CopyOut("", buffer.data(), 0, &written, S_FALSE));
    EXPECT_EQ(0u, written);
    EXPECT_EQ(E_POINTER, quon::CopyOut("a", nullptr, 8, &written));
    EXPECT_EQ(E_POINTER, quon::CopyOut("a", buffer.data(), 8, nullptr));
}

TEST(InPlacePrinter, ZeroFillsCapacityAndNeverWritesPastIt) {
    std::string buffer(16, '#');
    quon::InPlacePrinter printer(buffer.data(), 12);
    quon::Print<"%d, %d\n">(printer, 1, 2);
    EXPECT_TRUE(printer.Fits());
    EXPECT_EQ(5u, printer.Length());
    EXPECT_EQ(std::string("1, 2\n\0\0\0\0\0\0\0####", 16), buffer);

    quon::Print<"%s\n">(printer, "123456");  // 7 bytes + NUL would end at 13 > 12
    EXPECT_FALSE(printer.Fits());
    EXPECT_EQ(5u, printer.Length());
    EXPECT_EQ(std::string("1, 2\n\0\0\0\0\0\0\0####", 16), buffer);

    std::string exact(6, '#');
    quon::InPlacePrinter tight(exact.data(), 6);
    quon::Print<"%s">(tight, "abcde");  // five bytes and the terminator fill it exactly
    EXPECT_TRUE(tight.Fits());
    EXPECT_EQ(std::string("abcde\0", 6), exact);
}

}  // namespace

// The grid NPD parameter set: defaults, its one-value-per-line text with
// checking conversions, its JSON fragment and its 4096-byte scratch limit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Thrown;

const char kDefaults[] =
    "60\n38\n28\n18\n60\n48\n36\n24\n0.5\n0.5\n0.5\n1\n0.3\n72\n95\n120\n0.25\n4\n60\n6\n4\n3\n0\n0\n1920\n1200\n"
    "1.815000\n1.183000\n3\n480\n600\n0.6\n0.5\n0.5\n0.55\n0.55\n0.5\n0.5\n36\n0.8\n";

// Line numbers (from 1) of the real values.
const int kRealLines[] = {9, 10, 11, 13, 17, 27, 28, 32, 33, 34, 35, 36, 37, 38, 40};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

struct GridNpdInfoTest : quontest::ObjectTest<IQuonGridNpdInfo, CLSID_QuonGridNpdInfo, IID_IQuonGridNpdInfo> {
    IQuonGridNpdInfo* const npd = object.get();

    std::string Json(UINT32 step) {
        return quontest::Written(
            [&](char* b, UINT32 c, UINT32* w) { return npd->SaveAsJson(b, static_cast<INT32>(c), w, step); });
    }
    GridNpdParams Params() { return Got(&IQuonGridNpdInfo::GetParams); }
};

TEST_F(GridNpdInfoTest, DefaultsAndTheirText) {
    EXPECT_STREQ("Ver.20130205", Params().version);  // the one default the text does not show
    EXPECT_EQ(kDefaults, Save());
    EXPECT_EQ("{\n  \"PATTERN_STEPX\": 8,\n  \"PATTERN_STEPY\": 8,\n  \"PJRESX\": 1920,\n  \"PJRESY\": 1200\n}\n",
              Json(8));
}

TEST_F(GridNpdInfoTest, SettersAndLabels) {
    const BYTE levels[3] = {255, 0, 1};
    EXPECT_EQ(S_OK, npd->SetLevels(levels));
    const double resolution[2] = {3840.9, -2.5};
    EXPECT_EQ(S_OK, npd->SetProjectorResolution(resolution));
    const double factors[2] = {0.1, -1e-7};
    EXPECT_EQ(S_OK, npd->SetFactors(factors));
    const std::vector<std::string> lines = Lines(Save());
    EXPECT_EQ((std::vector<std::string>{"255", "0", "1"}), std::vector<std::string>(&lines[13], &lines[16]));
    EXPECT_EQ((std::vector<std::string>{"3840", "-2", "0.100000", "-0.000000"}),
              std::vector<std::string>(&lines[24], &lines[28]));
    EXPECT_EQ("{\n  \"PATTERN_STEPX\": -1,\n  \"PATTERN_STEPY\": -1,\n  \"PJRESX\": 3840,\n  \"PJRESY\": -2\n}\n",
              Json(0xFFFFFFFFu));

    // The name comes back with its NUL and nothing after it.
    UINT32 a = 9, b = 9;
    char storage[16] = "xxxxxxxxxxxxxxx";
    char* name = storage;
    EXPECT_EQ(S_OK, npd->SetLabel(1, 2, "npd"));
    EXPECT_EQ(S_OK, npd->GetLabel(&a, &b, &name));
    EXPECT_EQ(1u, a);
    EXPECT_EQ(2u, b);
    EXPECT_EQ(0, std::memcmp("npd\0xxx", storage, 7));
    EXPECT_EQ(S_OK, npd->Reserved());

    const double outside[2] = {1e10, std::nan("")};
    EXPECT_EQ(S_OK, npd->SetProjectorResolution(outside));
    EXPECT_EQ(INT32_MIN, Params().projectorResX);
    EXPECT_EQ(INT32_MIN, Params().projectorResY);
}

TEST_F(GridNpdInfoTest, ListRoundTripAndVersionLine) {
    // Line 41 is never read and line 42 is the version, "\r" included; a
    // longer one is cut to 63 characters.
    ASSERT_EQ(S_OK, Load(std::string(kDefaults) + "ignored\nVer.20130205\r\n"));
    EXPECT_STREQ("Ver.20130205\r", Params().version);
    ASSERT_EQ(S_OK, Load(std::string(kDefaults) + "\n" + std::string(70, 'v') + "\nmore\n"));
    EXPECT_EQ(std::string(63, 'v'), Params().version);

    // The list alone carries no version line: the version becomes empty.
    const double factors[2] = {2.5, 0.125};
    npd->SetFactors(factors);
    ASSERT_EQ(S_OK, Load(kDefaults));
    EXPECT_STREQ("", Params().version);
    EXPECT_EQ(kDefaults, Save());

    // "\r\n" line ends: the checking conversions ignore what follows a number.
    std::vector<std::string> lines = Lines(kDefaults);
    for (std::string& line : lines) line += "\r";
    ASSERT_EQ(S_OK, Load(Join(lines)));
    EXPECT_EQ(kDefaults, Save());
}

// The default list with its first line and line `line` (from 1) replaced.
std::string DefaultsWith(std::size_t line, const std::string& value, const std::string& first = "60") {
    std::vector<std::string> lines = Lines(kDefaults);
    lines[0] = first;
    lines[line - 1] = value;
    return Join(lines);
}

TEST_F(GridNpdInfoTest, ShortAndMalformedLists) {
    const double factors[2] = {7, 7};
    npd->SetFactors(factors);
    const std::string before = Save();

    EXPECT_EQ(E_FAIL, Load(""));
    EXPECT_EQ(E_FAIL, npd->LoadFromBuffer(nullptr, 0));
    std::vector<std::string> lines = Lines(kDefaults);
    lines.pop_back();
    EXPECT_EQ(E_FAIL, Load(Join(lines)));  // 39 lines
    EXPECT_EQ(before, Save());

    // A blank first line: nothing converts, nothing changes.
    EXPECT_EQ("invalid stoi argument", Thrown<std::invalid_argument>([&] { Load(DefaultsWith(1, "")); }));
    EXPECT_EQ(before, Save());
    // A bad real on line 9: lines 1-8 keep their new values.
    EXPECT_EQ("invalid stod argument", Thrown<std::invalid_argument>([&] { Load(DefaultsWith(9, "x0.5", "61")); }));
    EXPECT_EQ(61, Params().npdInt1);
    EXPECT_EQ(7.0, Params().factor27);
    EXPECT_EQ("stoi argument out of range", Thrown<std::out_of_range>([&] { Load(DefaultsWith(2, "2147483648")); }));
    EXPECT_EQ("stod argument out of range", Thrown<std::out_of_range>([&] { Load(DefaultsWith(40, "1e999")); }));
}

TEST_F(GridNpdInfoTest, CopyOutAndTheScratchLimit) {
    ExpectFitsExactly(kDefaults);
    std::string buffer(16, '#');
    UINT32 written = 77;
    for (HRESULT r : {npd->SaveToBuffer(buffer.data(), -1, &written), npd->SaveAsJson(buffer.data(), 10, &written, 8),
                      npd->SaveToBuffer(nullptr, 4096, &written), npd->SaveAsJson(nullptr, 4096, &written, 8)}) {
        EXPECT_EQ(E_FAIL, r);
    }
    EXPECT_EQ(std::string(16, '#'), buffer);
    EXPECT_EQ(77u, written);
    EXPECT_EQ(E_POINTER, npd->SaveToBuffer(buffer.data(), 4096, nullptr));

    // Thirteen reals of 2^1000 (302 digits each) and factor27 2^117 make a
    // 4095-byte list, which fits the scratch area with its terminator;
    // 2^120 makes it 4096 bytes, which does not, whatever the capacity.
    std::vector<std::string> lines = Lines(kDefaults);
    for (int line : kRealLines) {
        if (line != 27 && line != 28) lines[line - 1] = "1.0715086071862673e301";
    }
    ASSERT_EQ(S_OK, Load(Join(lines)));
    double factors[2] = {std::ldexp(1.0, 117), 1.183};
    npd->SetFactors(factors);
    HRESULT hr = E_FAIL;
    EXPECT_EQ(4095u, Save(&hr).size());
    EXPECT_EQ(S_OK, hr);
    factors[0] = std::ldexp(1.0, 120);
    npd->SetFactors(factors);
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);

    char* null = nullptr;
    UINT32 a = 0, b = 0;
    for (HRESULT r : {npd->GetParams(nullptr), npd->SetLevels(nullptr), npd->GetLabel(&a, &b, &null),
                      npd->LoadFromBuffer(nullptr, 5)}) {
        EXPECT_EQ(E_POINTER, r);
    }
}

}  // namespace

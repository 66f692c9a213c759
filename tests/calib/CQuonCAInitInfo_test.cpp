// The camera auto-calibration init info: its one-value-per-line text, the
// camera bands, the point and colour tables, and its refusals.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
using quontest::Thrown;

// Joins values into a text of one value per line.
std::string Lines(std::initializer_list<const char*> values, const char* end = "\n") {
    std::string text;
    for (const char* v : values) text += std::string(v) + end;
    return text;
}

// A header of lines 1-15: 6 points (2 x 3), horizontal 0, one camera, no wrap.
const std::string kHeader = Lines({"6", "10", "1.5", "1.0", "0", "0", "0.9", "0.1", "250", "3", "2", "0", "7", "1", "0"});
// The lines after the point blocks: id2, colour flag 0, 21 colours, tuning 8-10, real 1, aux 2, real 2.
const std::string kTrailer = Lines({"9", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13",
                                    "14", "15", "16", "17", "18", "19", "20", "21", "255", "255", "255", "0.5", "3",
                                    "0.45"});

struct CAInitInfoTest : quontest::ObjectTest<IQuonCAInitInfo, CLSID_QuonCAInitInfo, IID_IQuonCAInitInfo> {
    IQuonCAInitInfo* const info = object.get();

    // The range derived for camera (0, column), as its three text lines.
    std::string RangeAfterRegion(UINT32 column, CameraRegion region) {
        EXPECT_EQ(S_OK, info->SetCameraRegion(0, column, &region));
        const std::string text = Save();
        std::size_t at = 0;
        for (UINT32 line = 0; line < 15 + 3 * column; ++line) at = text.find('\n', at) + 1;
        std::size_t end = at;
        for (int line = 0; line < 3; ++line) end = text.find('\n', end) + 1;
        return text.substr(at, end - at);
    }
    static std::string Range(int first, int last, int count) {
        return std::to_string(first) + "\n" + std::to_string(last) + "\n" + std::to_string(count) + "\n";
    }
    std::array<INT32, 4> RegionOf(UINT32 column) {
        CameraRegion r{};
        EXPECT_EQ(S_OK, info->GetCameraRegion(0, column, &r));
        return {r.startRow, r.endRow, r.startColumn, r.endColumn};
    }
    static std::array<INT32, 4> Region(INT32 sr, INT32 er, INT32 sc, INT32 ec) { return {sr, er, sc, ec}; }
};

TEST_F(CAInitInfoTest, OneCameraOfTwoPointsIsWrittenExactlyAndReadsBack) {
    ASSERT_EQ(S_OK, info->Initialize(7, 9, "front"));
    ASSERT_EQ(S_OK, info->SetPatternGrid(1, 2, 0));
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 1, 1));
    const CameraRegion region{1, 1, 1, 2};
    ASSERT_EQ(S_OK, info->SetCameraRegion(0, 0, &region));
    const PointRecord p1{10, 20, 1, 0}, p2{30, 40, 1, 0};
    const UINT32 red = 0x0000FF, green = 0x00FF00;
    ASSERT_EQ(S_OK, info->SetPointRecord(0, 0, 0, &p1));
    ASSERT_EQ(S_OK, info->SetPointRecord(0, 0, 1, &p2));
    ASSERT_EQ(S_OK, info->SetPointColour(0, 0, 0, &red));
    ASSERT_EQ(S_OK, info->SetPointColour(0, 0, 1, &green));
    ASSERT_EQ(S_OK, info->SetRealPair(0.0, 0.45));

    const std::string expected =
        "2\n10\n1.5\n1.0\n0\n1\n0.9\n0.1\n250\n2\n1\n0\n7\n1\n0\n"  // header
        "1\n2\n2\n"                                                    // range of camera 0
        "1\n10\n20\n1\n0\n255.0\n0.0\n0.0\n2\n30\n40\n1\n0\n0.0\n255.0\n0.0\n"  // point blocks
        "9\n0\n"                                                        // id2, colour flag
        "2048\n2048\n2048\n2048\n0\n0\n0\n2048\n0\n0\n0\n2048\n0\n2048\n2048\n2048\n0\n2048\n2048\n2048\n0\n"
        "255\n255\n255\n0.0\n0\n0.45\n";
    EXPECT_EQ(expected, Save());

    // Read into a fresh object (prepared with Initialize for its default
    // colours), the text writes back byte for byte: every point and colour
    // went back to its own index.
    Ref<IQuonCAInitInfo> copy{CLSID_QuonCAInitInfo, IID_IQuonCAInitInfo};
    ASSERT_EQ(S_OK, copy->Initialize(0, 0, ""));
    ASSERT_EQ(S_OK, quontest::Load(copy.get(), expected));
    EXPECT_EQ(expected, quontest::Saved(copy.get()));
}

TEST_F(CAInitInfoTest, FreshAndInitializedTexts) {
    // A fresh object: zeros, the flag 0 with 21 zero colours, and "1.0".
    std::string zeros;
    for (int i = 0; i < 6 + 2 + 21 + 3; ++i) zeros += "0\n";  // header tail, id2, flag, colours, tuning 8-10
    EXPECT_EQ(Lines({"0", "0", "0.0", "0.0", "0", "0", "0.0", "0.0", "0"}) + zeros + Lines({"0.0", "0", "1.0"}),
              Save());
    UINT32 rows = 9, columns = 9, mode = 9;
    EXPECT_EQ(S_OK, info->GetCameraGrid(&rows, &columns, &mode));
    EXPECT_EQ(1u, mode);

    ASSERT_EQ(S_OK, info->Initialize(1, 2, "x"));
    // Lines 2-9 after Initialize; the colour block holds the defaults.
    EXPECT_EQ(Lines({"0", "10", "1.5", "1.0", "0", "0", "0.9", "0.1", "250", "0", "0", "0", "1", "0", "0", "2", "0",
                     "2048", "2048", "2048", "2048", "0", "0", "0", "2048", "0", "0", "0", "2048", "0", "2048",
                     "2048", "2048", "0", "2048", "2048", "2048", "0", "255", "255", "255", "0.0", "0", "1.0"}),
              Save());

    // The literal "0.45" for 0.45 exactly; "1.0" for anything else.
    for (double v : {0.4500001, 0.0, 1.0, std::nan("")}) {
        info->SetRealPair(2.26, v);
        const std::string text = Save();
        EXPECT_EQ("2.3\n0\n1.0\n", text.substr(text.size() - 10)) << v;
    }
    info->SetRealPair(-0.06, 0.45);
    const std::string text = Save();
    EXPECT_EQ("-0.1\n0\n0.45\n", text.substr(text.size() - 12));
}

TEST_F(CAInitInfoTest, ReadingKeepsOneDecimalAndColoursGoToTheCustomSet) {
    // tuning2 1.57 is written back with one decimal; "\r\n" ends read like
    // "\n"; with the flag 0 the writer carries the default colours (all 0
    // without Initialize) while the colour lines went to the custom set,
    // white last, its lead value untouched.
    ColourSet set{};
    set.lead = 77;
    ASSERT_EQ(S_OK, info->SetCustomColours(&set));
    const std::string text =
        Lines({"6", "10", "1.57", "1.0", "0", "0", "0.9", "0.1", "250", "3", "2", "0", "7", "1", "0", "0", "0", "0"}) +
        kTrailer;
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string zeros;
    for (int i = 0; i < 21; ++i) zeros += "0\n";
    const std::string written =
        Lines({"6", "10", "1.6", "1.0", "0", "0", "0.9", "0.1", "250", "3", "2", "0", "7", "1", "0", "0", "0", "0",
               "9", "0"}) +
        zeros + Lines({"255", "255", "255", "0.5", "3", "0.45"});
    ASSERT_EQ(S_OK, Load(crlf));
    EXPECT_EQ(written, Save());
    ASSERT_EQ(S_OK, Load(text));
    EXPECT_EQ(written, Save());
    ASSERT_EQ(S_OK, info->GetCustomColours(&set));
    EXPECT_EQ(77, set.lead);
    EXPECT_EQ(4, set.triples[0].red);   // red: the second triple of the text
    EXPECT_EQ(19, set.triples[5].red);  // yellow: the last
    EXPECT_TRUE(set.triples[6].red == 1 && set.triples[6].blue == 3);  // white: the first

    // With the flag set the text carries the custom set, white first.
    info->SetUseCustomColours(5);
    EXPECT_NE(std::string::npos, Save().find("\n9\n5\n1\n2\n3\n4\n5\n6\n"));

    // A load leaves the name, the camera arrangement, auxValue1 and the
    // default colours alone.
    ASSERT_EQ(S_OK, info->Initialize(1, 1, "kept"));
    ASSERT_EQ(S_OK, info->SetCameraGrid(2, 3, 2));
    info->SetAuxValue1(44);
    ASSERT_EQ(S_OK, Load(text));
    UINT32 rows = 0, columns = 0, mode = 0, aux1 = 0;
    info->GetCameraGrid(&rows, &columns, &mode);
    info->GetAuxValue1(&aux1);
    EXPECT_TRUE(rows == 2 && columns == 3 && mode == 2 && aux1 == 44);
    char name[8] = {};
    char* namePtr = name;
    info->GetIdentity(nullptr, nullptr, &namePtr);
    EXPECT_STREQ("kept", name);
    EXPECT_NE(std::string::npos, Save().find("\n9\n0\n2048\n2048\n2048\n2048\n0\n0\n"));
}

TEST_F(CAInitInfoTest, PointBlocksTruncateAndSkipAbsentPoints) {
    ASSERT_EQ(S_OK, info->Initialize(0, 0, ""));
    ASSERT_EQ(S_OK, info->SetPatternGrid(2, 2, 3));
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 2, 1));
    // Present: value3 > 0. The values are truncated toward zero; beyond 32
    // bits they become -2147483648; byte 3 of a colour stays in memory.
    const PointRecord present{12.9, -3.7, 0.5, 3e10};
    const PointRecord absent{1, 1, 0.0, 1};
    const UINT32 colour = 0xFF0080FF;  // components 255, 128, 0; byte 3 0xFF
    ASSERT_EQ(S_OK, info->SetPointRecord(0, 1, 1, &present));
    ASSERT_EQ(S_OK, info->SetPointColour(0, 1, 1, &colour));
    ASSERT_EQ(S_OK, info->SetPointRecord(0, 0, 0, &absent));
    ASSERT_EQ(S_OK, info->SetPointRecord(1, 0, 1, &absent));  // camera 1: no present point
    const std::string text = Save();
    const std::string blocks = "4\n12\n-3\n0\n-2147483648\n255.0\n128.0\n0.0\n";
    EXPECT_NE(std::string::npos, text.find("\n0\n0\n0\n0\n0\n0\n" + blocks + "0\n0\n"));  // two zero ranges, one block

    // Read back: the values as the text holds them; byte 3 of the colour is 0.
    const std::string head = Lines({"4", "10", "1.5", "1.0", "0", "0", "0.9", "0.1", "250", "2", "2", "3", "0", "1",
                                    "0", "1", "4", "1"});
    ASSERT_EQ(S_OK, Load(head + blocks + kTrailer));
    PointRecord back{};
    ASSERT_EQ(S_OK, info->GetPointRecord(0, 1, 1, &back));
    EXPECT_TRUE(back.value1 == 12 && back.value2 == -3 && back.value3 == 0 && back.value4 == -2147483648.0);
    UINT32 backColour = 0;
    ASSERT_EQ(S_OK, info->GetPointColour(0, 1, 1, &backColour));
    EXPECT_EQ(0x000080FFu, backColour);
    // Values are read as floats and widened; a colour line "300" keeps its
    // low 8 bits; "255.0" and "12abc" read as integers.
    ASSERT_EQ(S_OK, Load(head + Lines({"2", "0.1", "2", "3e0", "4", "300", "255.0", "12abc"}) + kTrailer));
    ASSERT_EQ(S_OK, info->GetPointRecord(0, 0, 1, &back));
    EXPECT_EQ(static_cast<double>(0.1f), back.value1);
    EXPECT_EQ(3.0, back.value3);
    ASSERT_EQ(S_OK, info->GetPointColour(0, 0, 1, &backColour));
    EXPECT_EQ(0x0CFF2Cu, backColour);
}

TEST_F(CAInitInfoTest, CameraBandsOfBothOrientations) {
    // Column bands: SetPatternGrid(2, 5) sets horizontal.
    ASSERT_EQ(S_OK, info->SetPatternGrid(2, 5, 0));
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 2, 2));  // mode 2: wrap
    EXPECT_EQ(Range(2, 8, 4), RangeAfterRegion(0, {1, 2, 2, 3}));
    EXPECT_EQ(Range(4, 6, 6), RangeAfterRegion(1, {1, 2, 4, 1}));  // columns 4, 5, then 1

    // Row bands arise from a text whose horizontal line is 0: R = 4, C = 10.
    const std::string rowBands = Lines({"40", "10", "1.5", "1.0", "0", "0", "0.9", "0.1", "250", "10", "4", "0", "0",
                                        "2", "1", "11", "30", "0", "21", "10", "0"}) +
                                 kTrailer;
    ASSERT_EQ(S_OK, Load(rowBands));
    EXPECT_EQ(Region(2, 3, 1, 10), RegionOf(0));  // ((11 - 1) / 10 + 1, 30 / 10, 1, C)
    EXPECT_EQ(Range(11, 30, 20), RangeAfterRegion(0, {2, 3, 1, 10}));
    EXPECT_EQ(Range(21, 10, 30), RangeAfterRegion(1, {3, 1, 1, 10}));  // wraps: rows 3, 4, then 1

    // Column bands read back: (1, R, first, last - (R - 1) x C).
    const std::string columnBands = Lines({"10", "10", "1.5", "1.0", "0", "1", "0.9", "0.1", "250", "5", "2", "0",
                                           "0", "1", "0", "2", "8", "0"}) +
                                    kTrailer;
    ASSERT_EQ(S_OK, Load(columnBands));
    EXPECT_EQ(Region(1, 2, 2, 3), RegionOf(0));
    // A pattern without rows derives nothing: the regions stay zero.
    const std::string noRows = Lines({"0", "10", "1.5", "1.0", "0", "1", "0.9", "0.1", "250", "5", "0", "0", "0",
                                      "1", "0", "2", "8", "0"}) +
                               kTrailer;
    ASSERT_EQ(S_OK, Load(noRows));
    EXPECT_EQ(Region(0, 0, 0, 0), RegionOf(0));
}

TEST_F(CAInitInfoTest, ConversionFailuresThrowWithExactMessages) {
    const std::string good = kHeader + "1\n6\n0\n" + kTrailer;
    ASSERT_EQ(S_OK, Load(good));
    const std::string goodText = Save();
    auto loadThrows = [&](const std::string& text) { return [this, text] { Load(text); }; };

    EXPECT_EQ("invalid stoi argument", Thrown<std::invalid_argument>(loadThrows("x\n")));
    EXPECT_EQ("stoi argument out of range", Thrown<std::out_of_range>(loadThrows("5\n2147483648\n")));
    // Lines read before the failing one keep their new values.
    EXPECT_EQ("invalid stod argument", Thrown<std::invalid_argument>(loadThrows("12\n11\nabc\n")));
    EXPECT_EQ("12\n11\n1.5\n", Save().substr(0, 10));
    EXPECT_EQ("stod argument out of range", Thrown<std::out_of_range>(loadThrows("1\n1\n1e999\n")));
    EXPECT_EQ("invalid stol argument",
              Thrown<std::invalid_argument>(loadThrows(kHeader + "1\n6\n0\n" + "id\n")));
    EXPECT_EQ("stol argument out of range",
              Thrown<std::out_of_range>(loadThrows(kHeader + "1\n6\n0\n" + "4294967295\n")));
    const std::string block = "1\n6\n1\n1\n";
    EXPECT_EQ("invalid stof argument", Thrown<std::invalid_argument>(loadThrows(kHeader + block + "v\n")));
    EXPECT_EQ("stof argument out of range", Thrown<std::out_of_range>(loadThrows(kHeader + block + "1e39\n")));

    // A short text fails at its first missing line like a line without a
    // number: here the last line, read with stod.
    const std::string shortText = good.substr(0, good.size() - 5);
    EXPECT_EQ("invalid stod argument", Thrown<std::invalid_argument>(loadThrows(shortText)));
    EXPECT_EQ("invalid stoi argument", Thrown<std::invalid_argument>(loadThrows("")));
    // Empty lines are dropped, so they do not count as lines.
    EXPECT_EQ(S_OK, Load("\n\n" + kHeader + "\n1\n6\n0\n\n" + kTrailer));
    EXPECT_EQ(goodText, Save());
}

TEST_F(CAInitInfoTest, HostileCountsAndPointNumbers) {
    // Counts that would need absurd tables are refused; the tables stay.
    auto header = [](const char* points, const char* cameras) {
        return Lines({points, "10", "1.5", "1.0", "0", "0", "0.9", "0.1", "250", "3", "2", "0", "7", cameras, "0"});
    };
    ASSERT_EQ(S_OK, Load(kHeader + "1\n6\n0\n" + kTrailer));
    EXPECT_EQ(E_INVALIDARG, Load(header("2000000000", "1") + "1\n6\n0\n"));
    EXPECT_EQ(E_INVALIDARG, Load(header("-6", "1") + "1\n6\n0\n"));
    EXPECT_EQ(E_INVALIDARG, Load(header("6", "2000000000")));
    EXPECT_EQ(E_INVALIDARG, Load(header("6", "-1")));
    HRESULT hr = S_OK;
    // The counts now disagree with the tables: nothing is written.
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);

    // A range that promises more blocks than the text holds fails at the
    // first missing line.
    EXPECT_EQ("invalid stoi argument",
              Thrown<std::invalid_argument>([&] { Load(header("6", "1") + "1\n6\n2000000000\n"); }));
    // So does a camera count whose ranges the text cannot hold, at its first
    // bad or missing line, and the region and range tables are released.
    EXPECT_EQ("stoi argument out of range",
              Thrown<std::out_of_range>([&] { Load(header("6", "9000000") + "1\n99999999999\n"); }));
    EXPECT_EQ("invalid stoi argument",
              Thrown<std::invalid_argument>([&] { Load(header("6", "9000000") + "1\n6\n0\n" + kTrailer); }));
    CameraRegion region{};
    EXPECT_EQ(E_FAIL, info->GetCameraRegion(0, 0, &region));
    // Blocks whose point number lies outside 1 ... 6 are read and dropped.
    const std::string outside = header("6", "1") + "1\n6\n3\n" + "0\n1\n1\n1\n1\n1\n1\n1\n" +
                                "7\n2\n2\n2\n2\n2\n2\n2\n" + "-1\n3\n3\n3\n3\n3\n3\n3\n" + kTrailer;
    ASSERT_EQ(S_OK, Load(outside));
    const std::string text = Save();
    EXPECT_NE(std::string::npos, text.find("\n1\n6\n3\n9\n0\n"));  // no block between range and id2
}

TEST_F(CAInitInfoTest, BoundsAndRefusals) {
    PointRecord p{1, 2, 3, 4};
    UINT32 colour = 5;
    CameraRegion region{1, 1, 1, 1};
    // Nothing stored yet: no tables to read.
    EXPECT_EQ(E_FAIL, info->GetPointRecord(0, 0, 0, &p));
    EXPECT_EQ(E_FAIL, info->GetPointColour(0, 0, 0, &colour));

    EXPECT_EQ(E_INVALIDARG, info->SetCameraGrid(3, -1, 0));
    EXPECT_EQ(E_INVALIDARG, info->SetCameraGrid(65536, 65536, 0));
    ASSERT_EQ(S_OK, info->SetCameraGrid(2, 2, 1));
    // The pattern grid is stored as given with a 32-bit point count; a
    // negative count makes no point tables.
    ASSERT_EQ(S_OK, info->SetPatternGrid(-1, 3, 7));
    const std::string head = "-3\n0\n0.0\n0.0\n0\n1\n0.0\n0.0\n0\n3\n-1\n7\n";
    EXPECT_EQ(head, Save().substr(0, head.size()));
    EXPECT_EQ(E_INVALIDARG, info->SetPointRecord(0, 0, 0, &p));
    ASSERT_EQ(S_OK, info->SetPatternGrid(65536, 65536, 0));
    EXPECT_EQ("0\n", Save().substr(0, 2));
    ASSERT_EQ(S_OK, info->SetPatternGrid(2, 3, 0));
    EXPECT_EQ(E_INVALIDARG, info->SetCameraRegion(2, 0, &region));
    EXPECT_EQ(E_INVALIDARG, info->GetCameraRegion(0, 4, &region));
    EXPECT_EQ(S_OK, info->SetCameraRegion(1, 1, &region));

    ASSERT_EQ(S_OK, info->SetPointRecord(3, 1, 2, &p));  // last camera, last point
    EXPECT_EQ(E_INVALIDARG, info->SetPointRecord(4, 0, 0, &p));
    EXPECT_EQ(E_INVALIDARG, info->SetPointRecord(-1, 0, 0, &p));
    EXPECT_EQ(E_INVALIDARG, info->SetPointRecord(0, 2, 0, &p));
    EXPECT_EQ(E_INVALIDARG, info->GetPointRecord(0, 0xFFFFFFFFu, 0xFFFFFFFFu, &p));
    EXPECT_EQ(E_FAIL, info->GetPointColour(0, 0, 0, &colour));  // colours not stored yet
    ASSERT_EQ(S_OK, info->SetPointColour(0, 0, 0, &colour));
    EXPECT_EQ(E_INVALIDARG, info->GetPointColour(0, 2, 0, &colour));

    for (HRESULT r : {info->SetPointRecord(0, 0, 0, nullptr), info->GetPatternGrid(nullptr, nullptr, nullptr),
                      info->Initialize(1, 2, nullptr), info->LoadFromBuffer(nullptr, 4),
                      info->SaveToBuffer(nullptr, 100, nullptr)}) {
        EXPECT_EQ(E_POINTER, r);
    }
    // Getters whose pointers may be null skip them.
    EXPECT_EQ(S_OK, info->GetIdentity(nullptr, nullptr, nullptr));
    EXPECT_EQ(S_OK, info->GetRealPair(nullptr, nullptr));
    EXPECT_EQ(S_OK, info->GetAuxValue2(nullptr));

    // FreeData drops every table and keeps the counts: no text, no reads,
    // and a store makes fresh point tables.
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(E_FAIL, info->GetCameraRegion(0, 0, &region));
    EXPECT_EQ(E_FAIL, info->GetPointRecord(0, 0, 0, &p));
    HRESULT hr = S_OK;
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);
    ASSERT_EQ(S_OK, info->SetPointRecord(3, 0, 0, &p));
    ASSERT_EQ(S_OK, info->GetPointRecord(3, 1, 2, &p));
    EXPECT_EQ(0.0, p.value1);
    ASSERT_EQ(S_OK, info->SetCameraGrid(2, 2, 1));
    EXPECT_NE("", Save());
}

TEST_F(CAInitInfoTest, PointsStoredInAnyOrderAreWrittenInPointOrder) {
    // A 10 x 30 pattern: points stored last first, on both sides of every
    // 64-point boundary and in the last, partial stretch of the table.
    ASSERT_EQ(S_OK, info->SetPatternGrid(10, 30, 0));
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 1, 1));
    std::string blocks;
    for (UINT32 index : {299u, 130u, 64u, 63u, 0u}) {
        const PointRecord p{static_cast<double>(index), 1, 1, 0};
        const UINT32 colour = index % 256;
        ASSERT_EQ(S_OK, info->SetPointRecord(0, index / 30, index % 30, &p));
        ASSERT_EQ(S_OK, info->SetPointColour(0, index / 30, index % 30, &colour));
        blocks = std::to_string(index + 1) + "\n" + std::to_string(index) + "\n1\n1\n0\n" +
                 std::to_string(index % 256) + ".0\n0.0\n0.0\n" + blocks;
    }
    const std::string text = Save();
    EXPECT_NE(std::string::npos, text.find("\n0\n0\n0\n" + blocks + "0\n0\n"));  // range 0 0 0, blocks, id2, flag
    // Points never stored read as zero, wherever they lie.
    PointRecord back{9, 9, 9, 9};
    UINT32 colour = 9;
    ASSERT_EQ(S_OK, info->GetPointRecord(0, 6, 20, &back));
    ASSERT_EQ(S_OK, info->GetPointColour(0, 9, 28, &colour));
    EXPECT_TRUE(back.value1 == 0 && back.value2 == 0 && back.value3 == 0 && back.value4 == 0 && colour == 0);
    ASSERT_EQ(S_OK, info->GetPointColour(0, 9, 29, &colour));
    EXPECT_EQ(299u % 256, colour);
}

TEST_F(CAInitInfoTest, TablesMadeForAnOlderGridWriteWhatTheyHold) {
    // Point tables are made at the first store and keep their size when the
    // grids change afterwards; the writer writes the points they hold.
    ASSERT_EQ(S_OK, info->SetPatternGrid(1, 2, 0));
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 1, 1));
    const PointRecord p{5, 6, 1, 0};
    ASSERT_EQ(S_OK, info->SetPointRecord(0, 0, 1, &p));
    ASSERT_EQ(S_OK, info->SetPatternGrid(3, 3, 0));  // 9 points now
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 2, 1));   // 2 cameras now
    EXPECT_EQ(E_INVALIDARG, info->SetPointRecord(1, 0, 0, &p));
    EXPECT_EQ(E_INVALIDARG, info->SetPointRecord(0, 0, 2, &p));
    const std::string text = Save();
    EXPECT_NE(std::string::npos, text.find("\n0\n0\n0\n0\n0\n0\n2\n5\n6\n1\n0\n0.0\n0.0\n0.0\n0\n0\n"));
}

TEST_F(CAInitInfoTest, CopyOutReportsTheLengthAlways) {
    ASSERT_EQ(S_OK, info->Initialize(0, 0, ""));
    const std::string expected = Save();
    const UINT32 size = static_cast<UINT32>(expected.size());
    std::string buffer(size + 1, '#');
    UINT32 length = 0;
    EXPECT_EQ(E_FAIL, info->SaveToBuffer(buffer.data(), size - 1, &length));
    EXPECT_EQ(std::string(size + 1, '#'), buffer);
    EXPECT_EQ(size, length);
    length = 0;
    EXPECT_EQ(E_FAIL, info->SaveToBuffer(nullptr, 0, &length));  // a length query
    EXPECT_EQ(size, length);
    EXPECT_EQ(S_OK, info->SaveToBuffer(buffer.data(), size, &length));
    EXPECT_EQ(expected + "#", buffer);
}

}  // namespace

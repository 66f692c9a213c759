// The black-level object: its Geometry file byte for byte, upper-case and
// pair-wise colours, points in line order, and the sequential reader's stages.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Thrown;

// text with every from replaced by its to, in order.
std::string Replaced(std::string text, std::initializer_list<std::pair<std::string, std::string>> edits) {
    for (const auto& [from, to] : edits) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

std::ptrdiff_t Count(const std::string& text, const std::string& part) {
    std::ptrdiff_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// What a new object writes: every number 0, every colour "0".
std::string ZeroFile() {
    std::string text = quontest::kZeroGeometryHeader + "[EDGEBLEND_SETTING]\nControlMode=0\nMarker=0\nBlackLevelArea=0\n";
    text += quontest::kZeroEdgeBlendAreas;
    for (const std::string edge : {"LEFT", "UPPER", "RIGHT", "LOWER"}) {
        text += "[BLACKLEVEL_LOCATION_" + edge +
                "]\nINTERLOCKED=0\nCOLOR=0\nBLACKBORDERWIDTH=0\nFREESHAPE=0\nADJUSTMENTPOINTS=0\n";
    }
    return text;
}
const std::string kZeroFile = ZeroFile();

const std::string kFilledFile =
    "Geometry\n"
    "[VERSION]\nMajorVersion=2\nMinorVersion=1\n[[PROJECTOR_ADDRESS[10.0.0.7]]]\n"
    "[PROJECTOR]\nMajor=3\nMinor=4\nPanel=1\nScreen=2\n"
    "[EDGEBLEND_SETTING]\nControlMode=1\nMarker=2\nBlackLevelArea=-1\n"
    "[EDGEBLEND_LOCATION_LEFT]\nENABLE=1\nSTART=0\nWIDTH=320\nOUTSIDEAREA=0\nINTERLOCKED=1\nCOLOR=FF00\n"
        "KEYSTONEAREA=0\n"
    "[EDGEBLEND_LOCATION_UPPER]\nENABLE=0\nSTART=5\nWIDTH=0\nOUTSIDEAREA=0\nINTERLOCKED=0\nCOLOR=0\nKEYSTONEAREA=0\n"
    "[EDGEBLEND_LOCATION_RIGHT]\nENABLE=1\nSTART=1600\nWIDTH=320\nOUTSIDEAREA=12\nINTERLOCKED=1\nCOLOR=ABCDEF\n"
        "KEYSTONEAREA=3\n"
    "[EDGEBLEND_LOCATION_LOWER]\nENABLE=0\nSTART=0\nWIDTH=-8\nOUTSIDEAREA=0\nINTERLOCKED=0\nCOLOR=1\nKEYSTONEAREA=0\n"
    "[EDGEBLEND_BRIGHT_INSIDE]\nINTERLOCKED=1\nCOLOR=FF8000\n"
    "[EDGEBLEND_BRIGHT_OUTSIDE]\nINTERLOCKED=0\nCOLOR=80\n"
    "[BLACKLEVEL_LOCATION_LEFT]\nINTERLOCKED=1\nCOLOR=202020\nBLACKBORDERWIDTH=16\nFREESHAPE=0\nADJUSTMENTPOINTS=2\n"
        "POINT1=0.2500\nPOINT2=-1.1250\n"
    "[BLACKLEVEL_LOCATION_UPPER]\nINTERLOCKED=0\nCOLOR=0\nBLACKBORDERWIDTH=0\nFREESHAPE=0\nADJUSTMENTPOINTS=0\n"
    "[BLACKLEVEL_LOCATION_RIGHT]\nINTERLOCKED=1\nCOLOR=1A2B3C\nBLACKBORDERWIDTH=24\nFREESHAPE=1\nADJUSTMENTPOINTS=1\n"
        "POINT1=3.0000\n"
    "[BLACKLEVEL_LOCATION_LOWER]\nINTERLOCKED=0\nCOLOR=F\nBLACKBORDERWIDTH=8\nFREESHAPE=0\nADJUSTMENTPOINTS=0\n";

struct GeoBlackLevelInfoTest
    : quontest::ObjectTest<IQuonGeoBlackLevelInfo, CLSID_QuonGeoBlackLevelInfo, IID_IQuonGeoBlackLevelInfo> {
    IQuonGeoBlackLevelInfo* const info = object.get();
    struct EdgeBlend {
        EdgeBlendSetting setting;
        EdgeBlendLocation locations[4];
        BrightArea inside;
        BrightArea outside;
    };
    EdgeBlend Blend() {
        EdgeBlend e{};
        EXPECT_EQ(S_OK, info->GetEdgeBlendInfo(&e.setting, e.locations, &e.inside, &e.outside));
        return e;
    }
    BlackLevelLocation Level(UINT32 edge) {
        BlackLevelLocation levels[4];
        EXPECT_EQ(S_OK, info->GetBlackLevelInfo(levels));
        return levels[edge];
    }
};

TEST_F(GeoBlackLevelInfoTest, WritesZerosAndRoundTripsAFilledFile) {
    EXPECT_EQ(kZeroFile, Save());
    ASSERT_EQ(S_OK, Load(kFilledFile));
    EXPECT_EQ(kFilledFile, Save());

    // Bright colours are read pair by pair into low, middle, high.
    const EdgeBlend e = Blend();
    const BYTE inside[3] = {0x00, 0x80, 0xFF};
    const BYTE outside[3] = {0x80, 0x00, 0x00};
    EXPECT_EQ(0, std::memcmp(inside, e.inside.COLOR, 3));
    EXPECT_EQ(0, std::memcmp(outside, e.outside.COLOR, 3));
    EXPECT_EQ(0x1A2B3C, Level(GeoEdgeRight).COLOR);
}

TEST_F(GeoBlackLevelInfoTest, WritesAtMost33PointsAndNoneBelowOne) {
    BlackLevelLocation levels[4]{};
    for (int i = 0; i < 33; ++i) levels[GeoEdgeUpper].POINT[i] = i + 0.5;
    levels[GeoEdgeUpper].ADJUSTMENTPOINTS = 40;
    levels[GeoEdgeLower].ADJUSTMENTPOINTS = -3;
    levels[GeoEdgeLower].POINT[0] = 9;
    levels[GeoEdgeLeft].COLOR = -1;
    ASSERT_EQ(S_OK, info->SetBlackLevelInfo(levels));
    const std::string text = Save();
    EXPECT_EQ(33, Count(text, "\nPOINT"));
    EXPECT_NE(std::string::npos,
              text.find("ADJUSTMENTPOINTS=40\nPOINT1=0.5000\nPOINT2=1.5000\nPOINT3=2.5000\nPOINT4=3.5000\n"));
    EXPECT_NE(std::string::npos, text.find("POINT33=32.5000\n[BLACKLEVEL_LOCATION_RIGHT]\n"));
    EXPECT_EQ(text.size(), text.find("ADJUSTMENTPOINTS=-3\n") + 20);
    EXPECT_NE(std::string::npos, text.find("[BLACKLEVEL_LOCATION_LEFT]\nINTERLOCKED=0\nCOLOR=FFFFFFFF\n"));
}

TEST_F(GeoBlackLevelInfoTest, ColoursPointsAndCarriageReturns) {
    // Lower-case colours, "0", points numbered out of order, "\r\n" line ends.
    std::string text = Replaced(kFilledFile, {{"COLOR=FF8000", "COLOR=ff8000"},
                                              {"COLOR=80\n", "COLOR=0\n"},
                                              {"COLOR=ABCDEF", "COLOR=abcdef"},
                                              {"POINT1=0.2500\nPOINT2=-1.1250\n", "POINT5=1.0\nPOINT2=2.0\n"}});
    ASSERT_EQ(S_OK, Load(Replaced(text, {{"\n", "\r\n"}})));
    const EdgeBlend e = Blend();
    const BYTE inside[3] = {0x00, 0x80, 0xFF};
    EXPECT_EQ(0, std::memcmp(inside, e.inside.COLOR, 3));
    EXPECT_EQ(0, e.outside.COLOR[0]);
    EXPECT_EQ(0xABCDEF, e.locations[GeoEdgeRight].COLOR);
    EXPECT_EQ(1.0, Level(GeoEdgeLeft).POINT[0]);
    EXPECT_EQ(2.0, Level(GeoEdgeLeft).POINT[1]);
    EXPECT_EQ(Replaced(kFilledFile, {{"COLOR=80\n", "COLOR=0\n"},
                                     {"POINT1=0.2500\nPOINT2=-1.1250\n", "POINT1=1.0000\nPOINT2=2.0000\n"}}),
              Save());

    // Pairs: "80" is the low byte; nothing is validated and only the first six
    // characters count ("1zz00f": 1 * 16 + 35, 35 * 16 + 0 kept to a byte, 15).
    // Points: the 33rd point line is the last one read; "ADJUSTMENTPOINTS=" is
    // never a point; "COLOR=" with only "\r" behind reads 0.
    std::string points = "POINT=1\n" + std::string(35, 'x') + "\n";
    for (int i = 1; i <= 35; ++i) points += "POINT" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    ASSERT_EQ(S_OK, Load(kFilledFile.substr(0, kFilledFile.find("[EDGEBLEND_BRIGHT_INSIDE]")) +
                         "[EDGEBLEND_BRIGHT_INSIDE]\nCOLOR=80\n[EDGEBLEND_BRIGHT_OUTSIDE]\nCOLOR=1zz00ff80\n"
                         "[BLACKLEVEL_LOCATION_LEFT]\n" + points + "ADJUSTMENTPOINTS=5\nCOLOR=\r\n"));
    const EdgeBlend p = Blend();
    const BYTE lowOnly[3] = {0x80, 0x00, 0x00};
    const BYTE unchecked[3] = {0x0F, 0x30, 0x33};
    EXPECT_EQ(0, std::memcmp(lowOnly, p.inside.COLOR, 3));
    EXPECT_EQ(0, std::memcmp(unchecked, p.outside.COLOR, 3));
    const BlackLevelLocation left = Level(GeoEdgeLeft);
    EXPECT_EQ(1.0, left.POINT[0]);
    EXPECT_EQ(1.0, left.POINT[1]);
    EXPECT_EQ(32.0, left.POINT[32]);
    EXPECT_EQ(5, left.ADJUSTMENTPOINTS);
    EXPECT_EQ(0, left.COLOR);
}

TEST_F(GeoBlackLevelInfoTest, BadColoursThrowAndLeaveEveryRecord) {
    ASSERT_EQ(S_OK, Load(kFilledFile));
    std::string text = kFilledFile;
    text.replace(text.find("COLOR=ABCDEF"), 12, "COLOR=zz");
    EXPECT_EQ("invalid stol argument", Thrown<std::invalid_argument>([&] { Load(text); }));
    text = kFilledFile;
    text.replace(text.find("COLOR=1A2B3C"), 12, "COLOR=80000000");
    EXPECT_EQ("stol argument out of range", Thrown<std::out_of_range>([&] { Load(text); }));
    EXPECT_EQ(kFilledFile, Save());
}

TEST_F(GeoBlackLevelInfoTest, StagesMustComeInWriterOrder) {
    // Without [EDGEBLEND_SETTING] only the header records are read.
    std::string text = kFilledFile;
    text.replace(text.find("[EDGEBLEND_SETTING]"), 19, "[EDGEBLEND_SETTINGS");
    ASSERT_EQ(S_OK, Load(text));
    EXPECT_EQ(kFilledFile.substr(0, kFilledFile.find("[EDGEBLEND_SETTING]")) +
                  kZeroFile.substr(kZeroFile.find("[EDGEBLEND_SETTING]")),
              Save());

    // [PROJECTOR] before [VERSION] is not read; "MajorVersion=" is not "Major=";
    // a blank before "=" hides the key; "Marker=" with nothing behind reads 0;
    // a key outside its stage is not read.
    ASSERT_EQ(S_OK, Load("[PROJECTOR]\nMinor=4\nMajorVersion=2\nMinorVersion=1\n[[PROJECTOR_ADDRESS[a]]]\n"
                         "Panel =7\nScreen=3\nMarker=9\n[EDGEBLEND_SETTING]\nMarker=7\nMarker=\nBlackLevelArea=6\n"));
    ProjectorInfo projector{};
    GeoVersion version{};
    char address[64];
    ASSERT_EQ(S_OK, info->GetBasicInfo(&version, address, &projector));
    EXPECT_EQ(2, version.MajorVersion);
    EXPECT_STREQ("a", address);
    EXPECT_EQ(0, projector.Major);
    EXPECT_EQ(0, projector.Minor);
    EXPECT_EQ(0, projector.Panel);
    EXPECT_EQ(3, projector.Screen);
    EXPECT_EQ(0, Blend().setting.Marker);
    EXPECT_EQ(6, Blend().setting.BlackLevelArea);

    // An empty text, or one that stops at a NUL before "MinorVersion=", gives start values.
    ASSERT_EQ(S_OK, Load(kFilledFile));
    ASSERT_EQ(S_OK, info->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ(kZeroFile, Save());
    const std::string cut = "[VERSION]\nMajorVersion=5\n" + std::string(1, '\0') + "MinorVersion=1\n[[PROJECTOR_ADDRESS[b]]]\n";
    ASSERT_EQ(S_OK, Load(cut));
    ASSERT_EQ(S_OK, info->GetBasicInfo(&version, address, &projector));
    EXPECT_EQ(5, version.MajorVersion);
    EXPECT_EQ(0, version.MinorVersion);
    EXPECT_STREQ("", address);

    // An address longer than its field is cut at 63 characters.
    ASSERT_EQ(S_OK, Load("MinorVersion=1\n[[PROJECTOR_ADDRESS[" + std::string(70, 'q') + "]]]\n"));
    ASSERT_EQ(S_OK, info->GetBasicInfo(&version, address, &projector));
    EXPECT_EQ(std::string(63, 'q'), address);
}

TEST_F(GeoBlackLevelInfoTest, IdentityCopyOutAndNullPointers) {
    ASSERT_EQ(S_OK, info->Initialize(12, "left wall"));
    UINT32 number = 0;
    char label[16];
    std::memset(label, '#', sizeof label);
    ASSERT_EQ(S_OK, info->GetIdentity(&number, label));
    EXPECT_EQ(12u, number);
    EXPECT_EQ(0, std::memcmp("left wall\0#", label, 11));

    ExpectFitsExactly(kZeroFile);

    GeoVersion v{};
    ProjectorInfo p{};
    UINT32 written = 0;
    for (HRESULT r : {info->Initialize(1, nullptr), info->GetIdentity(&number, nullptr), info->SetBasicInfo(&v, nullptr, &p),
                      info->SetBlackLevelInfo(nullptr), info->LoadFromBuffer(nullptr, 4),
                      info->SaveToBuffer(nullptr, 10, &written)}) {
        EXPECT_EQ(E_POINTER, r);
    }
    EXPECT_EQ(S_OK, info->SetEdgeBlendInfo(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(kZeroFile, Save());
}

}  // namespace

// The colour-matching object: its Geometry file byte for byte (last line
// without "\n"), and the stages of the sequential reader.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

const std::string kZeroFile = R"(Geometry
[VERSION]
MajorVersion=0
MinorVersion=0
[[PROJECTOR_ADDRESS[]]]
[PROJECTOR]
Major=0
Minor=0
Panel=0
Screen=0
[COLOR_MATCHING]
ColorMatchingMode=0
7Color_1_1=0
7Color_1_2=0
7Color_1_3=0
7Color_2_1=0
7Color_2_2=0
7Color_2_3=0
7Color_3_1=0
7Color_3_2=0
7Color_3_3=0
7Color_4_1=0
7Color_4_2=0
7Color_4_3=0
7Color_5_1=0
7Color_5_2=0
7Color_5_3=0
7Color_6_1=0
7Color_6_2=0
7Color_6_3=0
7Color_7_1=0
7Color_7_2=0
7Color_7_3=0
[PICTURE]
WhiteBalanceHigh_0=0
WhiteBalanceHigh_1=0
WhiteBalanceHigh_2=0
TargetReset=0)";

const std::string kFilledFile = R"(Geometry
[VERSION]
MajorVersion=2
MinorVersion=1
[[PROJECTOR_ADDRESS[10.0.0.7]]]
[PROJECTOR]
Major=3
Minor=4
Panel=1
Screen=2
[COLOR_MATCHING]
ColorMatchingMode=1
7Color_1_1=11
7Color_1_2=12
7Color_1_3=13
7Color_2_1=21
7Color_2_2=22
7Color_2_3=23
7Color_3_1=31
7Color_3_2=32
7Color_3_3=33
7Color_4_1=-41
7Color_4_2=42
7Color_4_3=43
7Color_5_1=51
7Color_5_2=52
7Color_5_3=53
7Color_6_1=61
7Color_6_2=62
7Color_6_3=63
7Color_7_1=71
7Color_7_2=72
7Color_7_3=-73
[PICTURE]
WhiteBalanceHigh_0=-4
WhiteBalanceHigh_1=0
WhiteBalanceHigh_2=7
TargetReset=1)";

struct GeoColorInfoTest : ::testing::Test {
    Ref<IQuonGeoColorInfo> info{CLSID_QuonGeoColorInfo, IID_IQuonGeoColorInfo};

    HRESULT Load(const std::string& text) { return info->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())); }
    std::string Save() {
        return quontest::Written([&](char* b, UINT32 c, UINT32* w) { return info->SaveToBuffer(b, c, w); });
    }
    ColorMatching Matching() {
        ColorMatching m{};
        EXPECT_EQ(S_OK, info->GetColorMatching(&m));
        return m;
    }
    PictureSetting Picture() {
        PictureSetting p{};
        EXPECT_EQ(S_OK, info->GetPictureSetting(&p));
        return p;
    }
};

TEST_F(GeoColorInfoTest, WritesZerosAndRoundTripsAFilledFile) {
    EXPECT_EQ(kZeroFile, Save());
    ASSERT_EQ(S_OK, Load(kFilledFile));
    // The last line, TargetReset without "\n", is read too.
    EXPECT_EQ(1, Picture().TargetReset);
    EXPECT_EQ(-4, Picture().WhiteBalanceHigh_0);
    EXPECT_EQ(1, Matching().ColorMatchingMode);
    EXPECT_EQ(-41, Matching().SevenColor[3][0]);
    EXPECT_EQ(23, Matching().SevenColor[1][2]);
    EXPECT_EQ(-73, Matching().SevenColor[6][2]);
    EXPECT_EQ(kFilledFile, Save());

    // Records set through the slots are what is written.
    ColorMatching m{};
    m.SevenColor[0][1] = 2147483647;
    ASSERT_EQ(S_OK, info->SetColorMatching(&m));
    const PictureSetting picture{1, 2, 3, -2147483647 - 1};
    ASSERT_EQ(S_OK, info->SetPictureSetting(&picture));
    const std::string text = Save();
    EXPECT_NE(std::string::npos, text.find("\nColorMatchingMode=0\n7Color_1_1=0\n7Color_1_2=2147483647\n7Color_1_3=0\n"));
    const std::string tail =
        "[PICTURE]\nWhiteBalanceHigh_0=1\nWhiteBalanceHigh_1=2\nWhiteBalanceHigh_2=3\nTargetReset=-2147483648";
    EXPECT_EQ(text.size() - tail.size(), text.find(tail));
}

TEST_F(GeoColorInfoTest, KeysAreReadOnlyInTheirStage) {
    ASSERT_EQ(S_OK, Load(kFilledFile));
    // A picture key before [PICTURE] is not read; 17Color_1_1 holds 7Color_1_1=;
    // "\r\n" ends leave every value readable; a key with nothing behind "=" reads 0.
    ASSERT_EQ(S_OK, Load("Geometry\r\n[VERSION]\r\nMajorVersion=2\r\nMinorVersion=1\r\n[[PROJECTOR_ADDRESS[x]]]\r\n"
                         "[PROJECTOR]\r\nScreen=2\r\nTargetReset=5\r\n[COLOR_MATCHING]\r\nWhiteBalanceHigh_2=9\r\n"
                         "17Color_1_1=6\r\nColorMatchingMode=\r\n7Color_7_3=-1\r\n[PICTURE]\r\nWhiteBalanceHigh_1=8\r\n"
                         "7Color_1_2=4\r\nTargetReset=3"));
    EXPECT_EQ(3, Picture().TargetReset);
    EXPECT_EQ(0, Picture().WhiteBalanceHigh_2);
    EXPECT_EQ(8, Picture().WhiteBalanceHigh_1);
    EXPECT_EQ(6, Matching().SevenColor[0][0]);
    EXPECT_EQ(0, Matching().SevenColor[0][1]);
    EXPECT_EQ(-1, Matching().SevenColor[6][2]);
    EXPECT_EQ(0, Matching().ColorMatchingMode);
    GeoVersion version{};
    ProjectorInfo projector{};
    ASSERT_EQ(S_OK, info->GetBasicInfo(&version, nullptr, &projector));
    EXPECT_EQ(1, version.MinorVersion);
    EXPECT_EQ(2, projector.Screen);

    // Without "[COLOR_MATCHING]" neither colour matching nor picture is read.
    ASSERT_EQ(S_OK, Load(kFilledFile.substr(0, kFilledFile.find("[COLOR_MATCHING]")) + "[COLOR_MATCHING\n" +
                         kFilledFile.substr(kFilledFile.find("ColorMatchingMode"))));
    EXPECT_EQ(kFilledFile.substr(0, kFilledFile.find("[COLOR_MATCHING]")) +
                  kZeroFile.substr(kZeroFile.find("[COLOR_MATCHING]")),
              Save());
}

TEST_F(GeoColorInfoTest, IdentityCopyOutAndNullPointers) {
    ASSERT_EQ(S_OK, info->Initialize(3, "centre"));
    UINT32 number = 0;
    char label[8];
    std::memset(label, '#', sizeof label);
    ASSERT_EQ(S_OK, info->GetIdentity(&number, label));
    EXPECT_EQ(3u, number);
    EXPECT_EQ(0, std::memcmp("centre\0#", label, 8));

    std::string buffer(kZeroFile.size() + 1, '#');
    UINT32 written = 0;
    EXPECT_EQ(S_OK, info->SaveToBuffer(buffer.data(), static_cast<UINT32>(kZeroFile.size()), &written));
    EXPECT_EQ(kZeroFile + "#", buffer);
    EXPECT_EQ(kZeroFile.size(), written);
    EXPECT_EQ(E_FAIL, info->SaveToBuffer(buffer.data(), static_cast<UINT32>(kZeroFile.size() - 1), &written));

    GeoVersion v{};
    ProjectorInfo p{};
    EXPECT_EQ(E_POINTER, info->Initialize(1, nullptr));
    EXPECT_EQ(E_POINTER, info->SetBasicInfo(&v, nullptr, &p));
    EXPECT_EQ(E_POINTER, info->GetBasicInfo(nullptr, nullptr, &p));
    EXPECT_EQ(E_POINTER, info->SetColorMatching(nullptr));
    EXPECT_EQ(E_POINTER, info->GetColorMatching(nullptr));
    EXPECT_EQ(E_POINTER, info->SetPictureSetting(nullptr));
    EXPECT_EQ(E_POINTER, info->GetPictureSetting(nullptr));
    EXPECT_EQ(E_POINTER, info->SaveToBuffer(nullptr, 10, &written));
    EXPECT_EQ(E_POINTER, info->LoadFromBuffer(nullptr, 4));
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(kZeroFile, Save());
}

}  // namespace

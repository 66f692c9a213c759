// The colour-matching object: its Geometry file byte for byte (last line
// without "\n"), and the stages of the sequential reader.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

// What a new object writes: every number 0, no "\n" after the last line.
std::string ZeroFile() {
    std::string text = quontest::kZeroGeometryHeader + "[COLOR_MATCHING]\nColorMatchingMode=0\n";
    for (int color = 1; color <= 7; ++color) {
        for (int value = 1; value <= 3; ++value) {
            text += "7Color_" + std::to_string(color) + "_" + std::to_string(value) + "=0\n";
        }
    }
    return text + "[PICTURE]\nWhiteBalanceHigh_0=0\nWhiteBalanceHigh_1=0\nWhiteBalanceHigh_2=0\nTargetReset=0";
}
const std::string kZeroFile = ZeroFile();

const std::string kFilledFile =
    "Geometry\n"
    "[VERSION]\nMajorVersion=2\nMinorVersion=1\n[[PROJECTOR_ADDRESS[10.0.0.7]]]\n"
    "[PROJECTOR]\nMajor=3\nMinor=4\nPanel=1\nScreen=2\n"
    "[COLOR_MATCHING]\nColorMatchingMode=1\n"
    "7Color_1_1=11\n7Color_1_2=12\n7Color_1_3=13\n"
    "7Color_2_1=21\n7Color_2_2=22\n7Color_2_3=23\n"
    "7Color_3_1=31\n7Color_3_2=32\n7Color_3_3=33\n"
    "7Color_4_1=-41\n7Color_4_2=42\n7Color_4_3=43\n"
    "7Color_5_1=51\n7Color_5_2=52\n7Color_5_3=53\n"
    "7Color_6_1=61\n7Color_6_2=62\n7Color_6_3=63\n"
    "7Color_7_1=71\n7Color_7_2=72\n7Color_7_3=-73\n"
    "[PICTURE]\nWhiteBalanceHigh_0=-4\nWhiteBalanceHigh_1=0\nWhiteBalanceHigh_2=7\nTargetReset=1";

struct GeoColorInfoTest : quontest::ObjectTest<IQuonGeoColorInfo, CLSID_QuonGeoColorInfo, IID_IQuonGeoColorInfo> {
    IQuonGeoColorInfo* const info = object.get();
    ColorMatching Matching() { return Got(&IQuonGeoColorInfo::GetColorMatching); }
    PictureSetting Picture() { return Got(&IQuonGeoColorInfo::GetPictureSetting); }
};

TEST_F(GeoColorInfoTest, WritesZerosAndRoundTripsAFilledFile) {
    EXPECT_EQ(kZeroFile, Save());
    ASSERT_EQ(S_OK, Load(kFilledFile));
    // The last line, TargetReset without "\n", is read too; 7Color_c_v is
    // SevenColor[c - 1][v - 1].
    EXPECT_EQ(1, Picture().TargetReset);
    EXPECT_EQ(23, Matching().SevenColor[1][2]);
    EXPECT_EQ(kFilledFile, Save());
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

    // An address longer than its field is cut at 63 characters.
    char address[64];
    ASSERT_EQ(S_OK, Load("MinorVersion=1\n[[PROJECTOR_ADDRESS[" + std::string(70, 'q') + "]]]\n"));
    ASSERT_EQ(S_OK, info->GetBasicInfo(&version, address, &projector));
    EXPECT_EQ(std::string(63, 'q'), address);

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

    ExpectFitsExactly(kZeroFile);

    GeoVersion v{};
    ProjectorInfo p{};
    UINT32 written = 0;
    for (HRESULT r : {info->Initialize(1, nullptr), info->SetBasicInfo(&v, nullptr, &p), info->GetBasicInfo(nullptr, nullptr, &p),
                      info->SetColorMatching(nullptr), info->SaveToBuffer(nullptr, 10, &written),
                      info->LoadFromBuffer(nullptr, 4)}) {
        EXPECT_EQ(E_POINTER, r);
    }
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(kZeroFile, Save());
}

}  // namespace

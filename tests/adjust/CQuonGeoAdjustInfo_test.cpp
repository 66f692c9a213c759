// The geometry adjustment object: its Geometry file written byte for byte,
// the section-dispatch reading, conversion failures, its tags and bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "QuonCoreModel.h"
#include "adjust/CQuonGeoAdjustInfo.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
using quontest::Thrown;

const std::string kHeader =
    "Geometry\n[VERSION]\nMajorVersion=2\nMinorVersion=1\n[[PROJECTOR_ADDRESS[10.0.0.7]]]\n"
    "[PROJECTOR]\nMajor=3\nMinor=4\nPanel=1\nScreen=2\n";
const std::string kZeroGeometry =
    "[GEOMETRY_SETTING]\nScreen=0\nCheckMode=0\nControlMode=0\n[OTHER_SCREEN_0]\n[OTHER_SCREEN_1]\n[OTHER_SCREEN_2]\n";
const std::string kZeroLocation =
    "ENABLE=0\nSTART=0\nWIDTH=0\nOUTSIDEAREA=0\nINTERLOCKED=0\nCOLOR=0\nKEYSTONEAREA=0\n";
const std::string kZeroGamma =
    "[EDGEBLEND_GAMMADATA_LEFT]\nGAMMA=0\n[EDGEBLEND_GAMMADATA_UPPER]\nGAMMA=0\n"
    "[EDGEBLEND_GAMMADATA_RIGHT]\nGAMMA=0\n[EDGEBLEND_GAMMADATA_LOWER]\nGAMMA=0\n";
const std::string kZeroEdgeBlend = "[EDGEBLEND_SETTING]\nControlMode=0\n" + quontest::kZeroEdgeBlendAreas + kZeroGamma;

struct GeoAdjustInfoTest
    : quontest::ObjectTest<IQuonGeoAdjustInfo, CLSID_QuonGeoAdjustInfo, IID_IQuonGeoAdjustInfo> {
    IQuonGeoAdjustInfo* const info = object.get();
    const LONG objectsAtStart = CBaseObject::ObjectCount() - 1;  // before the fixture's object

    void SetUp() override { ASSERT_EQ(S_OK, info->Initialize(7, "wall")); }

    AutoCalibResult AutoCalib() {
        AutoCalibResult a{};
        EXPECT_EQ(S_OK, info->GetBasicInfo(nullptr, nullptr, nullptr, &a, nullptr));
        return a;
    }
    void SetAutoCalib(const char* result, INT32 horizontalWidth) {
        AutoCalibResult a{{}, 1.25, {-0.5, 0.13}, horizontalWidth, 120, 1, {12.9, -12.9, 960, 8, 1908.99, 540, -0.5, 1072}};
        std::strcpy(a.Result, result);
        ASSERT_EQ(S_OK, info->SetBasicInfo(nullptr, nullptr, nullptr, &a, nullptr));
    }
    std::pair<UINT32, UINT32> Used(UINT32 grid) {
        Ref<IQuonGeoOtherScreenTag> tag;
        UINT32 columns = 0, rows = 0;
        EXPECT_EQ(S_OK, info->GetOtherScreen(grid, tag.put()));
        EXPECT_EQ(S_OK, tag->GetUsedSize(&columns, &rows));
        return {columns, rows};
    }
};

TEST_F(GeoAdjustInfoTest, NewObjectWritesZerosAndHoldsThreeTags) {
    EXPECT_EQ(objectsAtStart + 4, CBaseObject::ObjectCount());
    // 0 is not -1: both blending widths and the whole edge-blend part are written.
    EXPECT_EQ(quontest::kZeroGeometryHeader +
                  "[AUTOCALIB]\nResult=\nBestZoom=0.00\nBestShift=0.00,0.00\nHorizontalBlendingWidth=0\n"
                  "VerticalBlendingWidth=0\nOANeighbor=0\n" +
                  kZeroGeometry + kZeroEdgeBlend,
              Save());

    UINT32 number = 0;
    const char* label = nullptr;
    EXPECT_EQ(S_OK, info->GetIdentity(&number, &label));
    EXPECT_EQ(std::make_pair(7u, std::string("wall")), std::make_pair(number, std::string(label)));

    // A second Initialize swaps in three fresh tags and releases the old ones.
    ASSERT_EQ(S_OK, Load("[OTHER_SCREEN_0]\n0,0=1,2\n"));
    ASSERT_EQ(S_OK, info->Initialize(8, "again"));
    EXPECT_EQ(objectsAtStart + 4, CBaseObject::ObjectCount());
    EXPECT_EQ(std::make_pair(0u, 0u), Used(0));

    // A shared tag is counted once per holder; replacing a tag releases it.
    {
        Ref<IQuonGeoOtherScreenTag> first;
        ASSERT_EQ(S_OK, info->GetOtherScreen(0, first.put()));
        EXPECT_EQ(S_OK, info->SetOtherScreen(1, first.get()));
        EXPECT_EQ(S_OK, info->SetOtherScreen(1, first.get()));
        EXPECT_EQ(objectsAtStart + 3, CBaseObject::ObjectCount());
        EXPECT_EQ(4u, first->AddRef());  // us, index 0, index 1, this call
        first->Release();
    }
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(objectsAtStart + 1, CBaseObject::ObjectCount());
    ASSERT_EQ(S_OK, info->Initialize(9, ""));
    object.Reset();
    EXPECT_EQ(objectsAtStart, CBaseObject::ObjectCount());
}

TEST_F(GeoAdjustInfoTest, FourAutoCalibForms) {
    const GeoVersion version{2, 1};
    char address[64] = "10.0.0.7";
    const ProjectorInfo projector{3, 4, 1, 2};
    const GeometrySetting geometry{1, 0, 2};
    ASSERT_EQ(S_OK, info->SetBasicInfo(&version, address, &projector, nullptr, &geometry));
    const std::string geometryText =
        "[GEOMETRY_SETTING]\nScreen=1\nCheckMode=0\nControlMode=2\n[OTHER_SCREEN_0]\n[OTHER_SCREEN_1]\n"
        "[OTHER_SCREEN_2]\n";
    const std::string lead = "[AUTOCALIB]\nResult=%\nBestZoom=1.25\nBestShift=-0.50,0.13\n";
    const std::string widths = "HorizontalBlendingWidth=240\nVerticalBlendingWidth=120\n";
    const std::string guides = "GuidePosLeft=12,-12\nGuidePosUpper=960,8\nGuidePosRight=1908,540\nGuidePosLower=0,1072\n";
    auto expected = [&](const std::string& result, bool withWidths, bool withGuides) {
        std::string a = lead;
        a.replace(a.find('%'), 1, result);
        return kHeader + a + (withWidths ? widths : "") + "OANeighbor=1\n" + (withGuides ? guides : "") +
               geometryText + kZeroEdgeBlend;
    };

    SetAutoCalib("NG", -1);
    EXPECT_EQ(expected("NG", false, false), Save());
    SetAutoCalib("NG", 240);
    EXPECT_EQ(expected("NG", true, false), Save());
    // Guide positions are truncated toward zero: 12.9 -> 12, -12.9 -> -12, -0.5 -> 0.
    SetAutoCalib("OA", -1);
    EXPECT_EQ(expected("OA", false, true), Save());
    SetAutoCalib("OA", 240);
    EXPECT_EQ(expected("OA", true, true), Save());
    // Only the exact text "OA" counts: "OA\r" does not.
    SetAutoCalib("OA\r", 240);
    EXPECT_EQ(expected("OA\r", true, false), Save());

    // Guide positions beyond 32 bits are held to the limits, NaN writes 0.
    AutoCalibResult a = AutoCalib();
    std::strcpy(a.Result, "OA");
    a.GuidePos[0] = 1e12;
    a.GuidePos[1] = -1e12;
    a.GuidePos[2] = std::nan("");
    ASSERT_EQ(S_OK, info->SetBasicInfo(nullptr, nullptr, nullptr, &a, nullptr));
    EXPECT_NE(std::string::npos, Save().find("GuidePosLeft=2147483647,-2147483648\nGuidePosUpper=0,8\n"));
}

TEST_F(GeoAdjustInfoTest, ReadsSectionsInAnyOrderWithCrLfAndLongerKeys) {
    const std::string text =
        "Geometry\r\n"
        "[EDGEBLEND_GAMMADATA_LOWER]\r\nGAMMA=4\r\n[EDGEBLEND_GAMMADATA_UPPER]\r\nGAMMA=2\r\n"
        "[EDGEBLEND_GAMMADATA_LEFT]\r\nGAMMA=1\r\n[EDGEBLEND_GAMMADATA_RIGHT]\r\nGAMMA=-3\r\n"
        "[OTHER_SCREEN_11]\r\n1,2=1.5,2.25\r\n0, 1= 0.5, -0.25\r\n[OTHER_SCREEN_12]\r\n0,0=-0.00004,1234.56789\r\n"
        "[PROJECTOR]\r\nMajor=3\r\nMinor=4\r\nPanel=1\r\nScreen=2\r\n"
        "[VERSION]\r\nMajorVersion=2\r\nMinorVersion=1\r\n"
        "[[PROJECTOR_ADDRESS[10.0.0.7]]]\r\n"
        "[AUTOCALIB]\r\nResult=OA\r\nMyBestZoomX=1.25\r\nBestShift=-0.5\r\nHorizontalBlendingWidth =240\r\n"
        "OANeighbor=1\r\nGuidePosLeft=12.9,-12.9\r\nOANeighbor==3\r\nVerticalBlendingWidth=\n"
        "[GEOMETRY_SETTING]\r\nScreen=1\r\nControlMode=2\r\n"
        "[EDGEBLEND_LOCATION_RIGHT]\r\nCOLOR=ff8000\r\nWIDTH=320\r\nKEYSTONEAREA=0x10\r\n"
        "[EDGEBLEND_LOCATION_RIGHT]\r\nWIDTH=330\r\n"
        "[EDGEBLEND_BRIGHT_INSIDE]\r\nCOLOR=FF8000\r\nINTERLOCKED=1\r\n"
        "[MASKING_SETTING]\r\nControlMode=9\r\n"
        "[EDGEBLEND_SETTING]\r\nMarker=5\r\n"
        "[COLOR_MATCHING]\r\nControlMode=7\r\n";
    ASSERT_EQ(S_OK, Load(text));

    // "Result=OA\r" keeps its "\r", so it is not OA and the guide positions read are not written.
    const AutoCalibResult a = AutoCalib();
    EXPECT_EQ(12.9, a.GuidePos[0]);
    EXPECT_EQ(-12.9, a.GuidePos[1]);
    EdgeBlendSetting setting{};
    ASSERT_EQ(S_OK, info->GetEdgeBlendInfo(&setting, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(5, setting.Marker);  // Marker is read but never written

    EXPECT_EQ(kHeader +
                  "[AUTOCALIB]\nResult=OA\r\nBestZoom=1.25\nBestShift=-0.50,0.00\nHorizontalBlendingWidth=240\n"
                  "VerticalBlendingWidth=0\nOANeighbor=1\n"
                  "[GEOMETRY_SETTING]\nScreen=1\nCheckMode=0\nControlMode=2\n[OTHER_SCREEN_0]\n[OTHER_SCREEN_1]\n"
                  "0,0=0.0000,0.0000\n0,1=0.5000,-0.2500\n0,2=0.0000,0.0000\n"
                  "1,0=0.0000,0.0000\n1,1=0.0000,0.0000\n1,2=1.5000,2.2500\n[OTHER_SCREEN_2]\n0,0=-0.0000,1234.5679\n"
                  "[EDGEBLEND_SETTING]\nControlMode=0\n[EDGEBLEND_LOCATION_LEFT]\n" + kZeroLocation +
                  "[EDGEBLEND_LOCATION_UPPER]\n" + kZeroLocation +
                  "[EDGEBLEND_LOCATION_RIGHT]\nENABLE=0\nSTART=0\nWIDTH=330\nOUTSIDEAREA=0\nINTERLOCKED=0\n"
                  "COLOR=ff8000\nKEYSTONEAREA=0\n[EDGEBLEND_LOCATION_LOWER]\n" + kZeroLocation +
                  "[EDGEBLEND_BRIGHT_INSIDE]\nINTERLOCKED=1\nCOLOR=ff8000\n"
                  "[EDGEBLEND_BRIGHT_OUTSIDE]\nINTERLOCKED=0\nCOLOR=0\n[EDGEBLEND_GAMMADATA_LEFT]\nGAMMA=1\n"
                  "[EDGEBLEND_GAMMADATA_UPPER]\nGAMMA=2\n[EDGEBLEND_GAMMADATA_RIGHT]\nGAMMA=-3\n"
                  "[EDGEBLEND_GAMMADATA_LOWER]\nGAMMA=4\n",
              Save());

    // BlackLevelArea -1 ends the file after the last grid line.
    const std::string written = Save();
    const EdgeBlendSetting cut{1, 2, -1};
    ASSERT_EQ(S_OK, info->SetEdgeBlendInfo(&cut, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(written.substr(0, written.find("[EDGEBLEND_SETTING]")), Save());

    // What the object wrote reads back to the same text (the load sets BlackLevelArea back to 0).
    ASSERT_EQ(S_OK, info->Initialize(7, "wall"));
    ASSERT_EQ(S_OK, Load(written));
    EXPECT_EQ(written, Save());

    // Grid points are not cleared by a load and the used size only grows.
    ASSERT_EQ(S_OK, Load("[OTHER_SCREEN_11]\n3,5=1.5,2.25\n"));
    EXPECT_EQ(std::make_pair(6u, 4u), Used(1));
    EXPECT_NE(std::string::npos, Save().find("[OTHER_SCREEN_1]\n0,0=0.0000,0.0000\n0,1=0.5000,-0.2500\n"));
}

TEST_F(GeoAdjustInfoTest, ConversionFailuresLeaveRecordsButKeepGridPoints) {
    const std::string good = "[VERSION]\nMajorVersion=2\n[EDGEBLEND_LOCATION_LEFT]\nCOLOR=0x1F\n";
    ASSERT_EQ(S_OK, Load(good));
    const std::string before = Save();
    EXPECT_NE(std::string::npos, before.find("COLOR=1f\n"));

    // Each failing line comes after a version and a grid point.
    const std::pair<std::string, std::string> cases[] = {
        {"[EDGEBLEND_LOCATION_LEFT]\nCOLOR=zz", "invalid stol argument"},
        {"[EDGEBLEND_LOCATION_UPPER]\nCOLOR=100000000", "stol argument out of range"},
        {"[BLACKLEVEL_LOCATION_LEFT]\nCOLOR=80000000", "stol argument out of range"},
        {"[EDGEBLEND_BRIGHT_INSIDE]\nCOLOR=\r", "invalid stoi argument"},
        {"[EDGEBLEND_BRIGHT_OUTSIDE]\nCOLOR=1ffffffff", "stoi argument out of range"},
        {"[BLACKLEVEL_LOCATION_LOWER]\nBLACKBORDERWIDTH=x", "invalid stol argument"},
        {"[BLACKLEVEL_LOCATION_LOWER]\nFREESHAPE=2147483648", "stol argument out of range"},
        {"[BLACKLEVEL_LOCATION_LOWER]\nADJUSTMENTPOINTS= +", "invalid stol argument"},
        {"[BLACKLEVEL_LOCATION_RIGHT]\nPOINT3=abc", "invalid stof argument"},
        {"[BLACKLEVEL_LOCATION_RIGHT]\nPOINT33=1e50", "stof argument out of range"},
    };
    for (const auto& [lines, message] : cases) {
        const auto load = [&] { Load("[VERSION]\nMajorVersion=9\n[OTHER_SCREEN_0]\n0,0=5,6\n" + lines + "\n"); };
        const bool range = message.find("range") != std::string::npos;
        EXPECT_EQ(message, range ? Thrown<std::out_of_range>(load) : Thrown<std::invalid_argument>(load)) << lines;
    }

    // No record was replaced, but the grid point read before the failing line stays.
    std::string after = before;
    after.insert(before.find("[OTHER_SCREEN_1]"), "0,0=5.0000,6.0000\n");
    EXPECT_EQ(after, Save());
}

TEST_F(GeoAdjustInfoTest, BlackLevelSectionsAreReadButNotWritten) {
    ASSERT_EQ(S_OK, Load("[BLACKLEVEL_LOCATION_UPPER]\nINTERLOCKED=1\nCOLOR=1a\nBLACKBORDERWIDTH= 16\nFREESHAPE=2\n"
                         "ADJUSTMENTPOINTS=33\nPOINT7=0.1\nPOINT0=zz\nPOINT34=zz\n POINT2=zz\nPOINT1=-2.5\r\n"
                         "[BLACKLEVEL_LOCATION_LOWER]\nPOINT33=3\n"));
    BlackLevelLocation levels[4];
    ASSERT_EQ(S_OK, info->GetEdgeBlendInfo(nullptr, nullptr, nullptr, nullptr, nullptr, levels));
    const BlackLevelLocation& upper = levels[GeoEdgeUpper];
    EXPECT_EQ((std::vector<INT32>{1, 0x1A, 16, 2, 33}),
              (std::vector<INT32>{upper.INTERLOCKED, upper.COLOR, upper.BLACKBORDERWIDTH, upper.FREESHAPE,
                                  upper.ADJUSTMENTPOINTS}));
    EXPECT_EQ(static_cast<double>(0.1f), upper.POINT[6]);  // float conversion, widened
    EXPECT_EQ(-2.5, upper.POINT[0]);
    EXPECT_EQ(0.0, upper.POINT[1]);  // " POINT2": its number is not at the sixth character
    EXPECT_EQ(3.0, levels[GeoEdgeLower].POINT[32]);
    EXPECT_EQ(0, levels[GeoEdgeLeft].INTERLOCKED);
    EXPECT_EQ(std::string::npos, Save().find("BLACKLEVEL"));
}

TEST_F(GeoAdjustInfoTest, OutOfRangeGridPointsAndLongTextsStayInTheirFields) {
    const std::string longText(70, 'r');
    ASSERT_EQ(S_OK, Load("[OTHER_SCREEN_0]\n79,0=1,1\n0,129=1,1\n-1,0=1,1\n5,5\n5=1,2\n5,5=1\n5,5=1,\n\n"
                         "[OTHER_SCREEN_2]\n78,128=1,2\n"
                         "[AUTOCALIB]\nResult=" + longText + "\n[[PROJECTOR_ADDRESS[" + longText + "]]]\n"));
    EXPECT_EQ(std::make_pair(0u, 0u), Used(0));
    EXPECT_EQ(std::make_pair(129u, 79u), Used(2));
    EXPECT_EQ(std::string(63, 'r'), AutoCalib().Result);
    char address[64];
    ASSERT_EQ(S_OK, info->GetBasicInfo(nullptr, address, nullptr, nullptr, nullptr));
    EXPECT_EQ(std::string(63, 'r'), address);

    // A 64-byte field without a NUL is written up to its 63rd character.
    std::memset(address, 'a', sizeof address);
    AutoCalibResult a{};
    std::memset(a.Result, 'b', sizeof a.Result);
    ASSERT_EQ(S_OK, info->SetBasicInfo(nullptr, address, nullptr, &a, nullptr));
    const std::string text = Save();
    EXPECT_NE(std::string::npos, text.find("[[PROJECTOR_ADDRESS[" + std::string(63, 'a') + "]]]\n"));
    EXPECT_NE(std::string::npos, text.find("Result=" + std::string(63, 'b') + "\n"));
}

TEST_F(GeoAdjustInfoTest, RefusesToReadOrWriteWithoutTags) {
    Ref<IQuonGeoAdjustInfo> bare{CLSID_QuonGeoAdjustInfo, IID_IQuonGeoAdjustInfo};
    std::string buffer(16, '#');
    UINT32 written = 77;
    EXPECT_EQ(E_FAIL, bare->LoadFromBuffer("[VERSION]\nMajorVersion=1\n", 25));
    EXPECT_EQ(E_FAIL, bare->SaveToBuffer(buffer.data(), 16, &written));
    IQuonGeoOtherScreenTag* tag = reinterpret_cast<IQuonGeoOtherScreenTag*>(0x1);
    EXPECT_EQ(E_FAIL, bare->GetOtherScreen(0, &tag));
    EXPECT_EQ(nullptr, tag);
    tag = reinterpret_cast<IQuonGeoOtherScreenTag*>(0x1);
    EXPECT_EQ(E_FAIL, bare->GetOtherScreen(3, &tag));
    EXPECT_EQ(reinterpret_cast<IQuonGeoOtherScreenTag*>(0x1), tag);

    // After FreeData likewise, and one tag put back is not enough.
    Ref<IQuonGeoOtherScreenTag> kept;
    ASSERT_EQ(S_OK, info->GetOtherScreen(2, kept.put()));
    ASSERT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(E_FAIL, Load(""));
    EXPECT_EQ(E_FAIL, info->SetOtherScreen(0, nullptr));
    EXPECT_EQ(E_FAIL, info->SetOtherScreen(3, kept.get()));
    EXPECT_EQ(S_OK, info->SetOtherScreen(0, kept.get()));
    EXPECT_EQ(E_FAIL, info->SaveToBuffer(buffer.data(), 16, &written));
    EXPECT_EQ(std::string(16, '#'), buffer);
    EXPECT_EQ(77u, written);
    EXPECT_EQ(S_OK, info->SetOtherScreen(1, kept.get()));
    EXPECT_EQ(S_OK, info->SetOtherScreen(2, kept.get()));
    EXPECT_EQ(S_OK, Load("[OTHER_SCREEN_1]\n0,0=1,2\n"));
    EXPECT_NE(std::string::npos, Save().find("[OTHER_SCREEN_2]\n0,0=1.0000,2.0000\n"));

    const char* label = nullptr;
    for (HRESULT r : {info->Initialize(1, nullptr), info->GetIdentity(nullptr, &label), info->SetAuxiliaryRecord(nullptr),
                      info->LoadFromBuffer(nullptr, 1), info->SaveToBuffer(nullptr, 16, &written)}) {
        EXPECT_EQ(E_POINTER, r);
    }
    EXPECT_EQ(S_OK, info->LoadFromBuffer(nullptr, 0));
}

TEST_F(GeoAdjustInfoTest, AuxiliaryRecordIsKeptButNotWritten) {
    const std::string expected = Save();
    ExpectFitsExactly(expected);
    // The auxiliary record is stored whole and never written.
    AuxiliaryRecord aux{}, back{};
    for (UINT32 i = 0; i < 31; ++i) aux.values[i] = 0xA5A50000u + i;
    ASSERT_EQ(S_OK, info->SetAuxiliaryRecord(&aux));
    ASSERT_EQ(S_OK, info->GetAuxiliaryRecord(&back));
    EXPECT_EQ(0, std::memcmp(&aux, &back, sizeof aux));
    EXPECT_EQ(expected, Save());
}

// A wrapper that answers slot 10 itself: the writer sees what the slot gives.
struct EdgeBlendOverride : CQuonGeoAdjustInfo {
    EdgeBlendOverride() : CQuonGeoAdjustInfo(nullptr) {}
    HRESULT STDMETHODCALLTYPE GetEdgeBlendInfo(EdgeBlendSetting* setting, EdgeBlendLocation locations[4],
                                               BrightArea* inside, BrightArea* outside, INT32 gamma[4],
                                               BlackLevelLocation blackLevels[4]) override {
        const HRESULT hr = CQuonGeoAdjustInfo::GetEdgeBlendInfo(setting, locations, inside, outside, gamma, blackLevels);
        if (setting != nullptr) setting->BlackLevelArea = -1;
        return hr;
    }
};

// A host tag that claims more points than a grid has.
struct OversizedTag : IQuonGeoOtherScreenTag {
    ULONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUsedSize(UINT32* columns, UINT32* rows) override {
        *columns = *rows = 100000;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetTag(UINT32, UINT32, const void*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTag(UINT32 row, UINT32 column, void* tag) override {
        const double xy[2] = {static_cast<double>(row), static_cast<double>(column)};
        std::memcpy(tag, xy, sizeof xy);
        return S_OK;
    }
};

TEST(GeoAdjustInfoWriter, ReadsTheObjectThroughItsSlotsAndBoundsHostTags) {
    const LONG start = CBaseObject::ObjectCount();
    {
        EdgeBlendOverride object;
        IQuonGeoAdjustInfo* info = &object;
        ASSERT_EQ(S_OK, info->Initialize(0, ""));
        OversizedTag host;
        ASSERT_EQ(S_OK, info->SetOtherScreen(0, &host));
        const std::string text = quontest::Saved(info);
        EXPECT_EQ(std::string::npos, text.find("EDGEBLEND"));
        const std::size_t from = text.find("[OTHER_SCREEN_0]\n");
        const std::size_t to = text.find("[OTHER_SCREEN_1]\n");
        const std::string grid = text.substr(from, to - from);
        EXPECT_EQ(79 * 129, std::count(grid.begin(), grid.end(), '\n') - 1);
        EXPECT_NE(std::string::npos, grid.find("\n0,0=0.0000,0.0000\n0,1=0.0000,1.0000\n"));
        EXPECT_EQ(grid.size() - std::string("78,128=78.0000,128.0000\n").size(), grid.rfind("78,128=78.0000,128.0000\n"));
        EXPECT_EQ(2u, host.refs);  // held by the object; the writer's reference is returned
        ASSERT_EQ(S_OK, info->FreeData());
        EXPECT_EQ(1u, host.refs);
    }
    EXPECT_EQ(start, CBaseObject::ObjectCount());
}

}  // namespace

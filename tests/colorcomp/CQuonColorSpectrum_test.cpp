// The colour spectrum: one picture-mode member of an original sheet, its
// values and its table of four-number points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

const char kFresh[] =
    R"({"pmode_0":{"pmodeID":"","xyRate":0.0,"YRate":0.0,"LightOutput":0.0,)"
    R"("LD_BW":{"Rhigh":0,"Rlow":0,"Ghigh":0,"Glow":0,"Bhigh":0,"Blow":0},"typDWL":{"R":0.0,"G":0.0,"B":0.0},"Spectrum":[]}})";

struct ColorSpectrumTest : ::testing::Test {
    Ref<IQuonColorSpectrum> spectrum{CLSID_QuonColorSpectrum, IID_IQuonColorSpectrum};

    HRESULT Load(const std::string& text, const char* name = "pmode_0") {
        return spectrum->LoadFromBuffer(name, text.data(), static_cast<UINT32>(text.size()));
    }
    std::string Save(const char* name = "pmode_0", HRESULT* hr = nullptr) {
        return quontest::Written(
            [&](char* b, UINT32 c, UINT32* w) { return spectrum->SaveToBuffer(name, b, static_cast<INT32>(c), w); }, hr);
    }
    std::string Thrown(const std::string& text) { return quontest::Thrown<std::runtime_error>([&] { Load(text); }); }
    UINT32 Count() { return quontest::Got(spectrum.get(), &IQuonColorSpectrum::GetPointCount); }
    ColorSpectrumInfo Info() { return quontest::Got(spectrum.get(), &IQuonColorSpectrum::GetData); }
    bool Stored(const ColorSpectrumInfo& expected) {
        const ColorSpectrumInfo info = Info();
        return std::memcmp(&expected, &info, sizeof info) == 0;
    }
    static ColorSpectrumPoint Point(double a, double b, double c, double d) { return ColorSpectrumPoint{{a, b, c, d}}; }
};

TEST_F(ColorSpectrumTest, FreshObjectAndPointTable) {
    EXPECT_EQ(std::string(kFresh), Save());
    EXPECT_EQ(0u, Count());
    ColorSpectrumPoint p{};
    EXPECT_EQ(ColorSpectrumOutOfRange, spectrum->GetPoint(0, &p));  // no table yet

    ColorSpectrumInfo info{};
    std::strcpy(info.pmodeID, "Dynamic");
    info.xyRate = 0.1;
    info.Rhigh = 1LL << 40;
    info.typDWL_B = 465.5;
    ASSERT_EQ(S_OK, spectrum->SetData(&info));
    EXPECT_EQ(0u, Count());  // SetData makes a 401-point table but keeps the count

    for (int k = 0; k < 401; ++k) ASSERT_EQ(S_OK, spectrum->AddPoint(&(p = Point(k, 1, 2, 3))));
    EXPECT_EQ(ColorSpectrumOutOfRange, spectrum->AddPoint(&p));
    EXPECT_EQ(401u, Count());
    ASSERT_EQ(S_OK, spectrum->GetPoint(0, &p));
    EXPECT_EQ(0.0, p.values[0]);
    ASSERT_EQ(S_OK, spectrum->GetPoint(400, &p));
    EXPECT_EQ(400.0, p.values[0]);
    p.values[0] = 9;
    EXPECT_EQ(ColorSpectrumOutOfRange, spectrum->GetPoint(401, &p));
    EXPECT_EQ(9.0, p.values[0]);

    // Initialize restarts the count without clearing the points.
    ASSERT_EQ(S_OK, spectrum->Initialize());
    EXPECT_EQ(0u, Count());
    ASSERT_EQ(S_OK, spectrum->GetPoint(7, &p));
    EXPECT_EQ(7.0, p.values[0]);
    ASSERT_EQ(S_OK, spectrum->AddPoint(&(p = Point(0.5, -1, 1e300, 4.9e-324))));
    EXPECT_EQ(
        R"({"Dynamic mode":{"pmodeID":"Dynamic","xyRate":0.1,"YRate":0.0,"LightOutput":0.0,)"
        R"("LD_BW":{"Rhigh":1099511627776,"Rlow":0,"Ghigh":0,"Glow":0,"Bhigh":0,"Blow":0},)"
        R"("typDWL":{"R":0.0,"G":0.0,"B":465.5},"Spectrum":[[0.5,-1.0,1e300,5e-324]]}})",
        Save("Dynamic mode"));
}

TEST_F(ColorSpectrumTest, ReadingTakesOnlyMembersOfTheirType) {
    ColorSpectrumInfo info{};
    std::strcpy(info.pmodeID, "Keep");
    info.xyRate = 7;
    info.YRate = 8;
    info.Rhigh = 5;
    info.typDWL_R = 600.5;
    ASSERT_EQ(S_OK, spectrum->SetData(&info));

    // Another member name: nothing changes. Null counts as absent.
    ASSERT_EQ(S_OK, Load(R"({"pmode_0":null,"pmode_1":{"pmodeID":"Other","Spectrum":[]}})"));
    EXPECT_TRUE(Stored(info));
    EXPECT_EQ(0u, Count());

    ASSERT_EQ(S_OK, Load(R"({"pmode_0":{"pmodeID":5,"xyRate":"0.5","YRate":0.5,"LightOutput":2,)"
                         R"("LD_BW":{"Rhigh":4294967296,"Rlow":-3,"Ghigh":1.0},"typDWL":{"R":615,"G":532.0,"B":"x"},)"
                         R"("Spectrum":{}}})"));
    ColorSpectrumInfo expected = info;
    expected.YRate = 0.5;
    expected.LightOutput = 2;
    expected.Rlow = -3;
    expected.typDWL_G = 532;
    EXPECT_TRUE(Stored(expected));
    EXPECT_EQ(0u, Count());  // a "Spectrum" that is not an array leaves the table

    // Short elements give zero points and the result 22; long ones give
    // their first four numbers (the rest is not looked at).
    EXPECT_EQ(ColorSpectrumOutOfRange, Load(R"({"pmode_0":{"Spectrum":[[1,2,3,4,"x"],[5,6,7],[8,9,10,11]]}})"));
    EXPECT_NE(std::string::npos, Save().find(R"("Spectrum":[[1.0,2.0,3.0,4.0],[0.0,0.0,0.0,0.0],[8.0,9.0,10.0,11.0]]}})"));
    ColorSpectrumPoint p{};
    EXPECT_EQ(ColorSpectrumOutOfRange, spectrum->GetPoint(3, &p));
}

TEST_F(ColorSpectrumTest, BrokenDocumentsThrowAfterEarlierMembersTookEffect) {
    EXPECT_EQ("IsObject()", Thrown(""));
    EXPECT_EQ("IsObject()", Thrown("[]"));
    EXPECT_EQ("IsObject()", Thrown(R"({"pmode_0":3})"));
    EXPECT_EQ("false", Thrown(R"({"pmode_0":{"pmodeID":"Early","xyRate":0.25}})"));
    EXPECT_STREQ("Early", Info().pmodeID);
    EXPECT_EQ(0.25, Info().xyRate);
    EXPECT_EQ("IsArray()", Thrown(R"({"pmode_0":{"Spectrum":[[1,2,3,4],5]}})"));
    EXPECT_EQ("IsNumber()", Thrown(R"({"pmode_0":{"Spectrum":[[1,2,3,4],[1,null,3,4]]}})"));
    // The table was already replaced (point 0 was read); the count is set
    // only when the whole array has been read.
    ColorSpectrumPoint p{};
    ASSERT_EQ(S_OK, spectrum->GetPoint(0, &p));
    EXPECT_EQ(4.0, p.values[3]);
    EXPECT_EQ(ColorSpectrumOutOfRange, spectrum->GetPoint(2, &p));
    EXPECT_EQ(0u, Count());
}

TEST_F(ColorSpectrumTest, TablesThatCannotHoldTheCount) {
    // Without a table, AddPoint first makes a full zeroed one.
    ColorSpectrumPoint p = Point(1, 2, 3, 4);
    ASSERT_EQ(S_OK, spectrum->AddPoint(&p));
    EXPECT_EQ(1u, Count());
    ASSERT_EQ(S_OK, spectrum->GetPoint(400, &p));
    EXPECT_EQ(0.0, p.values[0]);

    // A loaded table of two points grows to 401 when a third point comes.
    ASSERT_EQ(S_OK, Load(R"({"pmode_0":{"Spectrum":[[1,1,1,1],[2,2,2,2]]}})"));
    EXPECT_EQ(ColorSpectrumOutOfRange, spectrum->GetPoint(2, &p));
    ASSERT_EQ(S_OK, spectrum->AddPoint(&(p = Point(3, 3, 3, 3))));
    ASSERT_EQ(S_OK, spectrum->GetPoint(2, &p));
    EXPECT_EQ(3.0, p.values[0]);

    // After FreeData the count stays but the points are gone: nothing is written.
    ASSERT_EQ(S_OK, spectrum->FreeData());
    EXPECT_EQ(3u, Count());
    EXPECT_EQ(ColorSpectrumOutOfRange, spectrum->GetPoint(0, &p));
    HRESULT hr = S_OK;
    Save("pmode_0", &hr);
    EXPECT_EQ(E_FAIL, hr);
}

TEST_F(ColorSpectrumTest, RefusalsAndCutTexts) {
    ASSERT_EQ(S_OK, Load(R"({"m":{"pmodeID":")" + std::string(40, 'p') + R"(","Spectrum":null}})", "m"));
    EXPECT_EQ(std::string(31, 'p'), std::string(Info().pmodeID));

    ColorSpectrumInfo info{};
    info.LightOutput = std::nan("");
    ASSERT_EQ(S_OK, spectrum->SetData(&info));
    HRESULT hr = S_OK;
    Save("pmode_0", &hr);
    EXPECT_EQ(E_FAIL, hr);
    Save(nullptr, &hr);
    EXPECT_EQ(E_POINTER, hr);
    for (HRESULT r : {spectrum->LoadFromBuffer(nullptr, "{}", 2), spectrum->AddPoint(nullptr), spectrum->GetPoint(0, nullptr), spectrum->GetPointCount(nullptr),
                      spectrum->SetData(nullptr), spectrum->GetData(nullptr)}) {
        EXPECT_EQ(E_POINTER, r);
    }
}

}  // namespace

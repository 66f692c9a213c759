// The seven-colour difference: one picture-mode member of a difference
// sheet, its colour blocks, flags and two named spectra.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

const char kZeroBlock[] =
    R"({"Red":[0.0,0.0,0.0],"Green":[0.0,0.0,0.0],"Blue":[0.0,0.0,0.0],"Cyan":[0.0,0.0,0.0],)"
    R"("Magenta":[0.0,0.0,0.0],"Yellow":[0.0,0.0,0.0],"White":[0.0,0.0,0.0]})";

std::string Fresh(const std::string& name) {
    return R"({")" + name + R"(":{"pmodeID_0":"","pmodeID_1":"","LightOutput_0":0.0,"LightOutput_1":0.0,"xyRate":{"B":0.0},)" +
           R"("diff7colors_0":)" + kZeroBlock + R"(,"diff7colors_1":)" + kZeroBlock + R"(,"Spectrum_0":[],"Spectrum_1":[]}})";
}

struct Diff7colorsTest : ::testing::Test {
    Ref<IQuonColorDiff7colors> diff{CLSID_QuonColorDiff7colors, IID_IQuonColorDiff7colors};

    HRESULT Load(const std::string& text, const char* name = "pmode_0") {
        return diff->LoadFromBuffer(name, text.data(), static_cast<UINT32>(text.size()));
    }
    std::string Save(const char* name = "pmode_0", HRESULT* hr = nullptr) {
        return quontest::Written(
            [&](char* b, UINT32 c, UINT32* w) { return diff->SaveToBuffer(name, b, static_cast<INT32>(c), w); }, hr);
    }
    std::string Thrown(const std::string& text) { return quontest::Thrown<std::runtime_error>([&] { Load(text); }); }
    ColorDiff7colorsInfo Info() { return quontest::Got(diff.get(), &IQuonColorDiff7colors::GetData); }
    UINT32 Count(const char* name) {
        UINT32 n = 9999;
        EXPECT_EQ(S_OK, diff->GetSpectrumPointCount(name, &n));
        return n;
    }
    void SetFlags(INT32 a, INT32 b) {
        ColorDiff7colorsInfo info = Info();
        info.IsSpectrum_0 = a;
        info.IsSpectrum_1 = b;
        ASSERT_EQ(S_OK, diff->SetData(&info));
    }
};

TEST_F(Diff7colorsTest, FreshObjectAndNamedSpectra) {
    EXPECT_EQ(Fresh("pmode_0"), Save());

    ColorSpectrumPoint p{{1, 2, 3, 4}};
    UINT32 n = 0;
    EXPECT_EQ(E_FAIL, diff->AddSpectrumPoint("spectrum_0", &p));
    EXPECT_EQ(E_FAIL, diff->GetSpectrumPointCount("Spectrum", &n));
    EXPECT_EQ(E_FAIL, diff->GetSpectrumPoint("Spectrum_2", 0, &p));
    char own[16];
    std::strcpy(own, "Spectrum_1");  // compared as text, not by address
    ASSERT_EQ(S_OK, diff->AddSpectrumPoint(own, &p));
    EXPECT_EQ(1u, Count("Spectrum_1"));
    EXPECT_EQ(0u, Count("Spectrum_0"));

    // 402 points fit; a further one is ignored. A count of 402 is not reported.
    for (int k = 1; k < 402; ++k) ASSERT_EQ(S_OK, diff->AddSpectrumPoint("Spectrum_1", &(p = ColorSpectrumPoint{{double(k), 0, 0, 0}})));
    EXPECT_EQ(S_OK, diff->AddSpectrumPoint("Spectrum_1", &(p = ColorSpectrumPoint{{-1, -1, -1, -1}})));
    n = 777;
    ASSERT_EQ(S_OK, diff->GetSpectrumPointCount("Spectrum_1", &n));
    EXPECT_EQ(777u, n);
    ASSERT_EQ(S_OK, diff->GetSpectrumPoint("Spectrum_1", 401, &p));
    EXPECT_EQ(401.0, p.values[0]);
    p.values[0] = 55;
    EXPECT_EQ(S_OK, diff->GetSpectrumPoint("Spectrum_1", 402, &p));  // past the table's room: untouched
    EXPECT_EQ(55.0, p.values[0]);
    const std::string text = Save();
    EXPECT_NE(std::string::npos, text.find(R"("Spectrum_1":[[1.0,2.0,3.0,4.0],[1.0,0.0,0.0,0.0],)"));
    EXPECT_NE(std::string::npos, text.find(R"(,[401.0,0.0,0.0,0.0]]}})"));

    // Initialize restarts the counts; the points stay.
    ASSERT_EQ(S_OK, diff->Initialize());
    EXPECT_EQ(0u, Count("Spectrum_1"));
    ASSERT_EQ(S_OK, diff->GetSpectrumPoint("Spectrum_1", 5, &p));
    EXPECT_EQ(5.0, p.values[0]);
}

TEST_F(Diff7colorsTest, WholeModeRoundTrip) {
    const std::string text =
        R"({"pmode_2":{"pmodeID_0":"Std","pmodeID_1":"Std )" "\xc3\xa9" R"(","LightOutput_0":4800.5,"LightOutput_1":5100.0,)"
        R"("xyRate":{"B":0.125},"diff7colors_0":{"Red":[0.1,0.2,0.3],"Green":[1.0,2.0,3.0],"Blue":[-1.0,-2.0,-3.0],)"
        R"("Cyan":[0.5,0.5,0.5],"Magenta":[1e-7,1e21,0.0],"Yellow":[7.0,8.0,9.0],"White":[0.001,0.002,0.003]},)"
        R"("diff7colors_1":{"Red":[9.0,8.0,7.0],"Green":[6.0,5.0,4.0],"Blue":[3.0,2.0,1.0],"Cyan":[0.0,0.0,1.0],)"
        R"("Magenta":[0.0,1.0,0.0],"Yellow":[1.0,0.0,0.0],"White":[0.25,0.5,0.75]},)"
        R"("Spectrum_0":[[380.0,0.25,-1.5,1e-9],[381.0,1.25,-1.5,0.0]],"Spectrum_1":[[780.0,0.0,0.0,0.0]]}})";
    // Written documents carry no flags: spectra are read when the flags already say so.
    SetFlags(1, 1);
    ASSERT_EQ(S_OK, Load(text, "pmode_2"));
    EXPECT_EQ(text, Save("pmode_2"));

    // The reserved eighth triple travels through SetData/GetData only.
    ColorDiff7colorsInfo withReserved = Info();
    withReserved.diff7colors_0[7][0] = 42;
    ASSERT_EQ(S_OK, diff->SetData(&withReserved));
    EXPECT_EQ(text, Save("pmode_2"));
    ASSERT_EQ(S_OK, Load(text, "pmode_2"));
    EXPECT_EQ(42.0, Info().diff7colors_0[7][0]);
}

TEST_F(Diff7colorsTest, ReadingRulesAndFlags) {
    // Another member, or null: nothing changes.
    ASSERT_EQ(S_OK, Load(R"({"pmode_1":{"pmodeID_0":"x"},"pmode_0":null})"));
    EXPECT_EQ(Fresh("pmode_0"), Save());

    // Non-objects for "xyRate" and the blocks are skipped, as are colours
    // that are not arrays; a flag of 5 is 1, and then the spectrum is read.
    ASSERT_EQ(S_OK, Load(R"({"pmode_0":{"xyRate":3,"diff7colors_0":[1],"diff7colors_1":{"Red":"x","Blue":[1,2,3,4]},)"
                         R"("IsSpectrum_0":5,"IsSpectrum_1":0,"Spectrum_0":[[1,2,3],[5,6,7,8]],"Spectrum_1":[[1,1,1,1]]}})"));
    EXPECT_EQ(1, Info().IsSpectrum_0);
    EXPECT_EQ(0, Info().IsSpectrum_1);
    std::string text = Save();
    EXPECT_NE(std::string::npos, text.find(R"("xyRate":{"B":0.0},"diff7colors_0":{"Red":[0.0,0.0,0.0],)"));
    EXPECT_NE(std::string::npos, text.find(R"("diff7colors_1":{"Red":[0.0,0.0,0.0],"Green":[0.0,0.0,0.0],"Blue":[1.0,2.0,3.0],)"));
    // A three-number point keeps a zero fourth value.
    EXPECT_NE(std::string::npos, text.find(R"("Spectrum_0":[[1.0,2.0,3.0,0.0],[5.0,6.0,7.0,8.0]],"Spectrum_1":[]}})"));

    // A fifth entry or a non-number ends the load with E_FAIL; points read before stay.
    EXPECT_EQ(E_FAIL, Load(R"({"pmode_0":{"Spectrum_0":[[9,9,9,9],[1,2,3,4,5],[7,7,7,7]]}})"));
    EXPECT_NE(std::string::npos, Save().find(R"("Spectrum_0":[[9.0,9.0,9.0,9.0],[1.0,2.0,3.0,4.0],[0.0,0.0,0.0,0.0]],)"));
    EXPECT_EQ(E_FAIL, Load(R"({"pmode_0":{"Spectrum_0":[[1,"2",3,4]]}})"));
    EXPECT_NE(std::string::npos, Save().find(R"("Spectrum_0":[[1.0,0.0,0.0,0.0]],)"));
    // A "Spectrum_0" that is not an array leaves the table.
    ASSERT_EQ(S_OK, Load(R"({"pmode_0":{"Spectrum_0":{}}})"));
    EXPECT_EQ(1u, Count("Spectrum_0"));
    // Flag 0: the spectrum is not looked at, not even when it is missing.
    ASSERT_EQ(S_OK, Load(R"({"pmode_0":{"IsSpectrum_0":0}})"));
    EXPECT_EQ(0, Info().IsSpectrum_0);
}

TEST_F(Diff7colorsTest, BrokenDocumentsThrow) {
    EXPECT_EQ("IsObject()", Thrown("{"));
    EXPECT_EQ("IsObject()", Thrown(R"({"pmode_0":[]})"));
    EXPECT_EQ("IsString()", Thrown(R"({"pmode_0":{"pmodeID_0":"ok","pmodeID_1":1}})"));
    EXPECT_STREQ("ok", Info().pmodeID_0);
    EXPECT_EQ("IsNumber()", Thrown(R"({"pmode_0":{"LightOutput_1":"5"}})"));
    EXPECT_EQ("IsNumber()", Thrown(R"({"pmode_0":{"xyRate":{"B":null}}})"));
    EXPECT_EQ("index < data_.a.size", Thrown(R"({"pmode_0":{"diff7colors_0":{"Green":[4,5,6],"Red":[1,2]}}})"));
    // Red comes first: its two numbers were stored, Green not reached.
    EXPECT_EQ(2.0, Info().diff7colors_0[0][1]);
    EXPECT_EQ(0.0, Info().diff7colors_0[1][0]);
    EXPECT_EQ("IsNumber()", Thrown(R"({"pmode_0":{"diff7colors_1":{"White":[1,true,3]}}})"));
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(R"({"pmode_0":{"IsSpectrum_1":1.5}})"));
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(R"({"pmode_0":{"IsSpectrum_1":4294967295}})"));
    EXPECT_EQ("false", Thrown(R"({"pmode_0":{"IsSpectrum_1":1}})"));
    EXPECT_EQ(1, Info().IsSpectrum_1);
    EXPECT_EQ("IsArray()", Thrown(R"({"pmode_0":{"Spectrum_1":[[1,2,3,4],7]}})"));
    EXPECT_EQ(2u, Count("Spectrum_1"));  // the table was replaced before the bad element
}

TEST_F(Diff7colorsTest, TablesRefusalsAndCutTexts) {
    ColorSpectrumPoint p{{8, 8, 8, 8}};
    // No table: getting a point is refused; adding one makes a full table.
    EXPECT_EQ(E_INVALIDARG, diff->GetSpectrumPoint("Spectrum_0", 0, &p));
    EXPECT_EQ(8.0, p.values[0]);

    // A loaded table of one point grows when a second is added.
    SetFlags(1, 0);
    ASSERT_EQ(S_OK, Load(R"({"pmode_0":{"Spectrum_0":[[1,1,1,1]]}})"));
    EXPECT_EQ(E_INVALIDARG, diff->GetSpectrumPoint("Spectrum_0", 1, &p));
    ASSERT_EQ(S_OK, diff->AddSpectrumPoint("Spectrum_0", &p));
    ASSERT_EQ(S_OK, diff->GetSpectrumPoint("Spectrum_0", 401, &p));
    EXPECT_EQ(0.0, p.values[0]);
    EXPECT_NE(std::string::npos, Save().find(R"("Spectrum_0":[[1.0,1.0,1.0,1.0],[8.0,8.0,8.0,8.0]])"));

    // FreeData drops both tables and their counts.
    ASSERT_EQ(S_OK, diff->FreeData());
    EXPECT_EQ(0u, Count("Spectrum_0"));
    EXPECT_EQ(E_INVALIDARG, diff->GetSpectrumPoint("Spectrum_0", 0, &p));
    SetFlags(0, 0);
    EXPECT_EQ(Fresh("pmode_0"), Save());

    ASSERT_EQ(S_OK, Load(R"({"pmode_0":{"pmodeID_0":")" + std::string(32, 'a') + R"(","pmodeID_1":"b"}})"));
    EXPECT_EQ(std::string(31, 'a'), std::string(Info().pmodeID_0));

    ColorDiff7colorsInfo info = Info();
    info.diff7colors_1[3][1] = std::numeric_limits<double>::quiet_NaN();
    ASSERT_EQ(S_OK, diff->SetData(&info));
    HRESULT hr = S_OK;
    Save("pmode_0", &hr);
    EXPECT_EQ(E_FAIL, hr);
    Save(nullptr, &hr);
    EXPECT_EQ(E_POINTER, hr);
    for (HRESULT r : {diff->AddSpectrumPoint(nullptr, &p), diff->AddSpectrumPoint("Spectrum_0", nullptr),
                      diff->GetSpectrumPointCount("Spectrum_0", nullptr), diff->GetSpectrumPoint("Spectrum_0", 0, nullptr),
                      diff->LoadFromBuffer(nullptr, "{}", 2), diff->SetData(nullptr), diff->GetData(nullptr)}) {
        EXPECT_EQ(E_POINTER, r);
    }
}

}  // namespace

// The original colour sheet: its header document, its attached spectra and
// the whole document it writes from them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
using quontest::Refs;
using quontest::Repeat;

struct OrgSpecTest : quontest::ObjectTest<IQuonColorCompOrgSpec, CLSID_QuonColorCompOrgSpec, IID_IQuonColorCompOrgSpec> {
    IQuonColorCompOrgSpec* const sheet = object.get();
    const LONG objectsAtStart = CBaseObject::ObjectCount() - 1;  // before the fixture's object

    void TearDown() override {
        object.Reset();
        EXPECT_EQ(objectsAtStart, CBaseObject::ObjectCount());
    }
    UINT32 Count() { return Got(&IQuonColorCompOrgSpec::GetSpectrumCount); }
    ColorCompOrgSpecHeader Header() { return Got(&IQuonColorCompOrgSpec::GetHeader); }
    void SetHeader(const char* version, INT32 pjtype, INT32 modes) {
        ColorCompOrgSpecHeader h{};
        std::strcpy(h.Version, version);
        h.pjtype = pjtype;
        h.pmodeNum = modes;
        ASSERT_EQ(S_OK, sheet->SetHeader(&h));
    }
};

TEST_F(OrgSpecTest, HeaderDocument) {
    EXPECT_EQ(R"({"Version":"","pjtype":0,"pmodeNum":0})", Save());

    SetHeader("2.1", -1, 0);
    const std::string text = Save();
    EXPECT_EQ(R"({"Version":"2.1","pjtype":4294967295,"pmodeNum":0})", text);
    // 4294967295 does not fit a signed 32-bit value: skipped, like a double,
    // a text or null. Members of the wrong type never throw here.
    SetHeader("x", 12, 0);
    ASSERT_EQ(S_OK, Load(text));
    EXPECT_STREQ("2.1", Header().Version);
    EXPECT_EQ(12, Header().pjtype);
    ASSERT_EQ(S_OK, Load(R"({"Version":7,"pjtype":2.0,"pmodeNum":"2","pmode_0":{"x":1}})"));
    EXPECT_STREQ("2.1", Header().Version);
    EXPECT_EQ(12, Header().pjtype);
    EXPECT_EQ(0, Header().pmodeNum);
    ASSERT_EQ(S_OK, Load(R"({"Version":")" + std::string(35, 'v') + R"(","pjtype":-7,"pmodeNum":0})"));
    EXPECT_EQ(std::string(31, 'v'), std::string(Header().Version));
    EXPECT_EQ(-7, Header().pjtype);

    for (const char* bad : {"", "[]", "nul", "{\"Version\":\"a\",}"}) EXPECT_EQ("IsObject()", quontest::Thrown<std::runtime_error>([&] { Load(bad); }));
    EXPECT_EQ(-7, Header().pjtype);
    for (HRESULT r : {sheet->LoadFromBuffer(nullptr, 1), sheet->SetHeader(nullptr), sheet->GetHeader(nullptr),
                      sheet->GetSpectrumCount(nullptr)}) {
        EXPECT_EQ(E_POINTER, r);
    }
}

TEST_F(OrgSpecTest, AttachedSpectraAreHeldByReference) {
    Ref<IQuonColorSpectrum> s[4];
    for (auto& r : s) ASSERT_EQ(S_OK, r.Create(CLSID_QuonColorSpectrum, IID_IQuonColorSpectrum));

    // Before Initialize there is no table: refused, no reference taken.
    EXPECT_EQ(E_FAIL, sheet->AddSpectrum(s[0].get()));
    EXPECT_EQ(1u, Refs(s[0].get()));

    ASSERT_EQ(S_OK, sheet->Initialize());
    EXPECT_EQ(S_OK, sheet->AddSpectrum(nullptr));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(S_OK, sheet->AddSpectrum(s[i].get()));
    EXPECT_EQ(2u, Refs(s[0].get()));
    EXPECT_EQ(2u, Refs(s[2].get()));
    EXPECT_EQ(1u, Refs(s[3].get()));  // the fourth is ignored
    EXPECT_EQ(3u, Count());

    IQuonColorSpectrum* out = reinterpret_cast<IQuonColorSpectrum*>(0x1234);
    EXPECT_EQ(S_OK, sheet->GetSpectrum(3, &out));
    EXPECT_EQ(reinterpret_cast<IQuonColorSpectrum*>(0x1234), out);
    EXPECT_EQ(S_OK, sheet->GetSpectrum(0, nullptr));
    ASSERT_EQ(S_OK, sheet->GetSpectrum(1, &out));
    EXPECT_EQ(s[1].get(), out);
    EXPECT_EQ(3u, Refs(s[1].get()));
    out->Release();

    // Initialize again releases them and empties the table.
    ASSERT_EQ(S_OK, sheet->Initialize());
    EXPECT_EQ(1u, Refs(s[0].get()));
    EXPECT_EQ(0u, Count());
    out = nullptr;
    EXPECT_EQ(E_INVALIDARG, sheet->GetSpectrum(0, &out));  // an empty slot
    EXPECT_EQ(nullptr, out);

    // FreeData releases them and drops the table.
    ASSERT_EQ(S_OK, sheet->AddSpectrum(s[0].get()));
    ASSERT_EQ(S_OK, sheet->FreeData());
    EXPECT_EQ(1u, Refs(s[0].get()));
    EXPECT_EQ(0u, Count());
    EXPECT_EQ(E_FAIL, sheet->AddSpectrum(s[0].get()));
    // What stays attached is released by the destructor (the object count
    // is checked at the end of every test).
    ASSERT_EQ(S_OK, sheet->Initialize());
    ASSERT_EQ(S_OK, sheet->AddSpectrum(s[2].get()));
}

TEST_F(OrgSpecTest, WholeDocumentFromTheAttachedSpectra) {
    Ref<IQuonColorSpectrum> mode0{CLSID_QuonColorSpectrum, IID_IQuonColorSpectrum};
    Ref<IQuonColorSpectrum> mode1{CLSID_QuonColorSpectrum, IID_IQuonColorSpectrum};
    const std::string modeText =
        R"({"pmode_0":{"pmodeID":"Standard","xyRate":0.5,"YRate":0.75,"LightOutput":5000.0,)"
        R"("LD_BW":{"Rhigh":1,"Rlow":2,"Ghigh":3,"Glow":4,"Bhigh":5,"Blow":6},"typDWL":{"R":610.5,"G":530.0,"B":460.25},)"
        R"("Spectrum":[[380.0,0.1,0.2,0.3],[381.0,1.5,2.5,-3.5]]}})";
    ASSERT_EQ(S_OK, mode0->LoadFromBuffer("pmode_0", modeText.data(), static_cast<UINT32>(modeText.size())));
    ColorSpectrumInfo info{};
    std::strcpy(info.pmodeID, "Vivid");
    info.xyRate = 0.1f;  // widened float
    ASSERT_EQ(S_OK, mode1->SetData(&info));

    ASSERT_EQ(S_OK, sheet->Initialize());
    ASSERT_EQ(S_OK, sheet->AddSpectrum(mode0.get()));
    ASSERT_EQ(S_OK, sheet->AddSpectrum(mode1.get()));
    SetHeader("1.0", 3, 2);

    // YRate is not written into the sheet; every mode has 401 points, those
    // the spectrum cannot give are zeros.
    const std::string zero = "[0.0,0.0,0.0,0.0]";
    const std::string expected =
        R"({"Version":"1.0","pjtype":3,"pmodeNum":2,)"
        R"("pmode_0":{"pmodeID":"Standard","xyRate":0.5,"LightOutput":5000.0,)"
        R"("LD_BW":{"Rhigh":1,"Rlow":2,"Ghigh":3,"Glow":4,"Bhigh":5,"Blow":6},"typDWL":{"R":610.5,"G":530.0,"B":460.25},)"
        R"("Spectrum":[[380.0,0.1,0.2,0.3],[381.0,1.5,2.5,-3.5],)" +
        Repeat(zero, 399) +
        R"(]},"pmode_1":{"pmodeID":"Vivid","xyRate":0.10000000149011612,"LightOutput":0.0,)"
        R"("LD_BW":{"Rhigh":0,"Rlow":0,"Ghigh":0,"Glow":0,"Bhigh":0,"Blow":0},"typDWL":{"R":0.0,"G":0.0,"B":0.0},)"
        R"("Spectrum":[)" +
        Repeat(zero, 401) + "]}}";
    EXPECT_EQ(expected, Save());

    // More modes than attached spectra, or a negative count: nothing is written.
    SetHeader("1.0", 3, 3);
    EXPECT_EQ(E_FAIL, SaveResult());
    SetHeader("1.0", 3, -1);
    EXPECT_EQ(E_FAIL, SaveResult());

    // A value without a JSON form: nothing is written.
    SetHeader("1.0", 3, 2);
    info.LightOutput = -std::numeric_limits<double>::infinity();
    ASSERT_EQ(S_OK, mode1->SetData(&info));
    EXPECT_EQ(E_FAIL, SaveResult());
}

}  // namespace

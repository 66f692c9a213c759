// The colour difference sheet: its header document, its attached
// seven-colour objects and the whole document it writes from them.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Refs;
using quontest::Repeat;

struct DiffSpecTest : quontest::ObjectTest<IQuonColorCompDiffSpec, CLSID_QuonColorCompDiffSpec, IID_IQuonColorCompDiffSpec> {
    IQuonColorCompDiffSpec* const sheet = object.get();
    const LONG objectsAtStart = CBaseObject::ObjectCount() - 1;  // before the fixture's object

    void TearDown() override {
        object.Reset();
        EXPECT_EQ(objectsAtStart, CBaseObject::ObjectCount());
    }
    std::string Thrown(const std::string& text) { return quontest::Thrown<std::runtime_error>([&] { Load(text); }); }
    ColorCompDiffSpecHeader Header() { return Got(&IQuonColorCompDiffSpec::GetHeader); }
    void SetHeader(const char* version, INT32 a, INT32 b, INT32 modes) {
        ColorCompDiffSpecHeader h{};
        std::strcpy(h.Version, version);
        h.pjtype_0 = a;
        h.pjtype_1 = b;
        h.pmodeNum = modes;
        ASSERT_EQ(S_OK, sheet->SetHeader(&h));
    }
};

TEST_F(DiffSpecTest, HeaderDocument) {
    EXPECT_EQ(R"({"Version":"","pjtype_0":0,"pjtype_1":0,"pmodeNum":0})", Save());

    SetHeader("3.0", -1, 17, 0);
    const std::string text = Save();
    EXPECT_EQ(R"({"Version":"3.0","pjtype_0":4294967295,"pjtype_1":17,"pmodeNum":0})", text);
    // 4294967295 does not fit a signed 32-bit value: reading it back throws,
    // after "Version" was stored.
    SetHeader("", 1, 2, 0);
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(text));
    EXPECT_STREQ("3.0", Header().Version);
    EXPECT_EQ(1, Header().pjtype_0);

    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(R"({"Version":"v2","pjtype_0":1.5})"));
    EXPECT_STREQ("v2", Header().Version);
    EXPECT_EQ("data_.f.flags & kIntFlag", Thrown(R"({"pjtype_0":-4,"pjtype_1":5,"pmodeNum":"1"})"));
    EXPECT_EQ(-4, Header().pjtype_0);
    EXPECT_EQ(5, Header().pjtype_1);
    EXPECT_EQ("IsString()", Thrown(R"({"Version":["x"],"pjtype_0":9})"));
    EXPECT_EQ(-4, Header().pjtype_0);
    EXPECT_EQ("IsObject()", Thrown("[{}]"));

    // Null counts as absent.
    ASSERT_EQ(S_OK, Load(R"({"Version":null,"pjtype_1":null,"pmodeNum":2,"pmode_0":5})"));
    EXPECT_STREQ("v2", Header().Version);
    EXPECT_EQ(5, Header().pjtype_1);
    EXPECT_EQ(2, Header().pmodeNum);
    ASSERT_EQ(S_OK, Load(R"({"Version":")" + std::string(50, 'q') + R"("})"));
    EXPECT_EQ(std::string(31, 'q'), std::string(Header().Version));
    for (HRESULT r : {sheet->LoadFromBuffer(nullptr, 1), sheet->SetHeader(nullptr), sheet->GetHeader(nullptr),
                      sheet->GetDiff7colorsCount(nullptr)}) {
        EXPECT_EQ(E_POINTER, r);
    }
}

// The slot table is the one the original sheet uses; this checks its wiring here.
TEST_F(DiffSpecTest, AttachedObjectsAreHeldByReference) {
    quontest::Ref<IQuonColorDiff7colors> d[4];
    for (auto& r : d) ASSERT_EQ(S_OK, r.Create(CLSID_QuonColorDiff7colors, IID_IQuonColorDiff7colors));
    EXPECT_EQ(E_FAIL, sheet->AddDiff7colors(d[0].get()));  // no table before Initialize
    ASSERT_EQ(S_OK, sheet->Initialize());
    for (auto& r : d) EXPECT_EQ(S_OK, sheet->AddDiff7colors(r.get()));
    EXPECT_EQ(2u, Refs(d[2].get()));
    EXPECT_EQ(1u, Refs(d[3].get()));  // the fourth is ignored
    UINT32 count = 0;
    ASSERT_EQ(S_OK, sheet->GetDiff7colorsCount(&count));
    EXPECT_EQ(3u, count);
    IQuonColorDiff7colors* out = reinterpret_cast<IQuonColorDiff7colors*>(0x99);
    EXPECT_EQ(S_OK, sheet->GetDiff7colors(3, &out));
    EXPECT_EQ(reinterpret_cast<IQuonColorDiff7colors*>(0x99), out);
    ASSERT_EQ(S_OK, sheet->GetDiff7colors(2, &out));
    EXPECT_EQ(d[2].get(), out);
    out->Release();
    ASSERT_EQ(S_OK, sheet->FreeData());
    for (auto& r : d) EXPECT_EQ(1u, Refs(r.get()));
    ASSERT_EQ(S_OK, sheet->GetDiff7colorsCount(&count));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(E_INVALIDARG, sheet->GetDiff7colors(0, &out));
    ASSERT_EQ(S_OK, sheet->Initialize());
    ASSERT_EQ(S_OK, sheet->AddDiff7colors(d[1].get()));  // released by the destructor
}

TEST_F(DiffSpecTest, WholeDocumentFromTheAttachedObjects) {
    quontest::Ref<IQuonColorDiff7colors> mode0{CLSID_QuonColorDiff7colors, IID_IQuonColorDiff7colors};
    ColorDiff7colorsInfo info{};
    std::strcpy(info.pmodeID_0, "A");
    std::strcpy(info.pmodeID_1, "B");
    info.LightOutput_0 = 1.5;
    info.LightOutput_1 = 2;
    info.xyRate = -0.25;
    for (int c = 0; c < 8; ++c) {
        for (int j = 0; j < 3; ++j) {
            info.diff7colors_0[c][j] = c + j / 10.0;
            info.diff7colors_1[c][j] = -c;
        }
    }
    info.IsSpectrum_1 = 1;
    ASSERT_EQ(S_OK, mode0->SetData(&info));
    ColorSpectrumPoint p{{380, 0.5, 0.25, 1}};
    ASSERT_EQ(S_OK, mode0->AddSpectrumPoint("Spectrum_1", &p));

    ASSERT_EQ(S_OK, sheet->Initialize());
    ASSERT_EQ(S_OK, sheet->AddDiff7colors(mode0.get()));
    SetHeader("1.1", 2, 3, 1);

    // Neither the flags nor the reserved triple are written; each side has
    // 401 points, those the object cannot give are zeros.
    const std::string zero = "[0.0,0.0,0.0,0.0]";
    const std::string expected =
        R"({"Version":"1.1","pjtype_0":2,"pjtype_1":3,"pmodeNum":1,"pmode_0":{"pmodeID_0":"A","pmodeID_1":"B",)"
        R"("LightOutput_0":1.5,"LightOutput_1":2.0,"xyRate":{"B":-0.25},)"
        R"("diff7colors_0":{"Red":[0.0,0.1,0.2],"Green":[1.0,1.1,1.2],"Blue":[2.0,2.1,2.2],"Cyan":[3.0,3.1,3.2],)"
        R"("Magenta":[4.0,4.1,4.2],"Yellow":[5.0,5.1,5.2],"White":[6.0,6.1,6.2]},)"
        R"("diff7colors_1":{"Red":[0.0,0.0,0.0],"Green":[-1.0,-1.0,-1.0],"Blue":[-2.0,-2.0,-2.0],"Cyan":[-3.0,-3.0,-3.0],)"
        R"("Magenta":[-4.0,-4.0,-4.0],"Yellow":[-5.0,-5.0,-5.0],"White":[-6.0,-6.0,-6.0]},)"
        R"("Spectrum_0":[)" + Repeat(zero, 401) + R"(],"Spectrum_1":[[380.0,0.5,0.25,1.0],)" + Repeat(zero, 400) + "]}}";
    EXPECT_EQ(expected, Save());

    SetHeader("1.1", 2, 3, 2);  // a mode without its object
    EXPECT_EQ(E_FAIL, SaveResult());
    SetHeader("1.1", 2, 3, -2);
    EXPECT_EQ(E_FAIL, SaveResult());
}

}  // namespace

// The detect-mark init info: the key=value parameter text, the two area
// texts, list growth and bounds, and the guarded lists under many threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "QuonCoreModel.h"
#include "calib/CQuonDMInitInfo.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

const std::string kDefaultText = R"(threshAfterReproject=12.000000
threshValidHomography=0.050000
rangeCorrectPair=0.050000
threshRANSACInliner=5.000000
matchingCrossCheck=0
threshBRISK=30
makeMosaicImage=0
haloCorrect=0
threshHaloSignal=240
threshHaloCorrect=100
pointSelect=0
useInliner=0
binaryThreshLED=100
outputDebugImageLED=0
binaryOtsuMethodLED=0
maxAreaLED=800
minAreaLED=5
aspectRatioLED=0.250000
)";

struct DMInitInfoTest : quontest::ObjectTest<IQuonDMInitInfo, CLSID_QuonDMInitInfo, IID_IQuonDMInitInfo> {
    IQuonDMInitInfo* const info = object.get();

    HRESULT LoadFirst(const std::string& text) {
        return info->LoadFirstAreasFromBuffer(text.data(), static_cast<UINT32>(text.size()));
    }
    std::string SaveFirst() {
        return quontest::Written([&](char* b, UINT32 c, UINT32* w) { return info->SaveFirstAreasToBuffer(b, c, w); });
    }
    DetectMarkParams Params() { return Got(&IQuonDMInitInfo::GetParameters); }
    CQuonDMInitInfo* Object() { return static_cast<CQuonDMInitInfo*>(info); }
};

TEST_F(DMInitInfoTest, DefaultParameterTextIsZeroFilledAndExact) {
    ASSERT_EQ(371u, kDefaultText.size());
    std::string buffer(400, '#');
    UINT32 length = 0;
    ASSERT_EQ(S_OK, info->SaveToBuffer(buffer.data(), 400, &length));
    EXPECT_EQ(371u, length);
    EXPECT_EQ(kDefaultText + std::string(29, '\0'), buffer);

    // Reading the text back changes nothing; SetParameters and
    // GetParameters copy the record whole.
    ASSERT_EQ(S_OK, Load(kDefaultText));
    EXPECT_EQ(kDefaultText, Save());
    DetectMarkParams p = Params();
    p.threshAfterReproject = -1.5;
    p.minAreaLED = -7;
    p.aspectRatioLED = 1e-7;
    ASSERT_EQ(S_OK, info->SetParameters(&p));
    const std::string text = Save();
    EXPECT_EQ("threshAfterReproject=-1.500000\n", text.substr(0, 31));
    EXPECT_NE(std::string::npos, text.find("\nminAreaLED=-7\naspectRatioLED=0.000000\n"));

    // Too small a buffer: zero-filled, E_FAIL, the length it needs.
    buffer.assign(372, '#');
    EXPECT_EQ(E_FAIL, info->SaveToBuffer(buffer.data(), 371, &length));
    EXPECT_EQ(text.size(), length);
    EXPECT_EQ(std::string(371, '\0') + "#", buffer);
}

TEST_F(DMInitInfoTest, KeyValueLinesAreMatchedExactly) {
    ASSERT_EQ(S_OK, Load("threshBRISK=45\n"));
    EXPECT_EQ(45, Params().threshBRISK);
    // Wrong case, a space before "=", an empty value, a third piece and a
    // line without "=" change nothing.
    ASSERT_EQ(S_OK, Load("threshbrisk=1\nthreshBRISK =2\nthreshBRISK=\nthreshBRISK=3=4\nthreshBRISK\n=5\n"));
    EXPECT_EQ(45, Params().threshBRISK);
    // "==" gives two pieces; values are read leniently.
    ASSERT_EQ(S_OK, Load("threshBRISK==46"));
    EXPECT_EQ(46, Params().threshBRISK);
    ASSERT_EQ(S_OK, Load("threshBRISK=4x5\nmaxAreaLED= 12\n"));
    EXPECT_TRUE(Params().threshBRISK == 4 && Params().maxAreaLED == 12);
    ASSERT_EQ(S_OK, Load("threshBRISK=abc"));
    EXPECT_EQ(0, Params().threshBRISK);
    // The last of two lines wins; keys come in any order.
    ASSERT_EQ(S_OK, Load("aspectRatioLED=0.5\nhaloCorrect=1\naspectRatioLED=0.75\n"));
    EXPECT_TRUE(Params().aspectRatioLED == 0.75 && Params().haloCorrect == 1);
    // With "\r\n" ends the value keeps its "\r": "threshBRISK=\r" sets 0,
    // and a key followed by "\r" matches nothing.
    ASSERT_EQ(S_OK, Load("threshBRISK=9\r\nminAreaLED=6\r\n"));
    EXPECT_TRUE(Params().threshBRISK == 9 && Params().minAreaLED == 6);
    ASSERT_EQ(S_OK, Load("threshBRISK=\r\n"));
    EXPECT_EQ(0, Params().threshBRISK);
    EXPECT_EQ(S_OK, info->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ(E_POINTER, info->LoadFromBuffer(nullptr, 1));
}

TEST_F(DMInitInfoTest, AreaTextsAppendAndTruncate) {
    // An empty list writes nothing at all.
    std::string buffer(8, '#');
    UINT32 length = 99;
    ASSERT_EQ(S_OK, info->SaveFirstAreasToBuffer(buffer.data(), 8, &length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(std::string(8, '#'), buffer);
    EXPECT_EQ(S_OK, LoadFirst("1,2,3\n"));  // nothing appended

    ASSERT_EQ(S_OK, LoadFirst("10,20,30,40\n10,20,30\n10,20,30,40,50\n1,,2,3,4\n7x,-8,9.9, 6\r\n"));
    EXPECT_EQ("10,20,30,40\n1,2,3,4\n7,-8,9,6\n", SaveFirst());
    AreaRecord a{};
    ASSERT_EQ(S_OK, info->GetFirstArea(2, &a));
    EXPECT_EQ(9.0, a.value3);  // read as an integer, not as a real

    // Loading again appends again; the second list is separate.
    ASSERT_EQ(S_OK, LoadFirst("10,20,30,40\n"));
    UINT32 count = 0;
    ASSERT_EQ(S_OK, info->GetFirstAreaCount(&count));
    EXPECT_EQ(4u, count);
    const AreaRecord odd{10.9, -3.7, 0, 4e12};
    ASSERT_EQ(S_OK, info->AddSecondArea(&odd));
    const std::string second = "10,-3,0,-2147483648\n";
    buffer.assign(second.size() + 2, '#');
    ASSERT_EQ(S_OK, info->SaveSecondAreasToBuffer(buffer.data(), static_cast<UINT32>(buffer.size()), &length));
    EXPECT_EQ(second.size(), length);
    EXPECT_EQ(second + std::string(1, '\0') + "#", buffer);  // the NUL follows the last line
    // Room for the text but not its NUL: E_FAIL, nothing written, the length reported.
    buffer.assign(second.size() + 2, '#');
    length = 0;
    EXPECT_EQ(E_FAIL, info->SaveSecondAreasToBuffer(buffer.data(), static_cast<UINT32>(second.size()), &length));
    EXPECT_EQ(second.size(), length);
    EXPECT_EQ(std::string(second.size() + 2, '#'), buffer);
    const std::string twice = "1,1,1,1\n2,2,2,2\n";
    ASSERT_EQ(S_OK, info->LoadSecondAreasFromBuffer(twice.data(), static_cast<UINT32>(twice.size())));
    ASSERT_EQ(S_OK, info->GetSecondAreaCount(&count));
    EXPECT_EQ(3u, count);
    ASSERT_EQ(S_OK, info->GetFirstAreaCount(&count));
    EXPECT_EQ(4u, count);
}

TEST_F(DMInitInfoTest, ListsGrowBy128AndFreeDataEmptiesTheFirstOnly) {
    for (int i = 0; i < 128; ++i) {
        const AreaRecord a{static_cast<double>(i), 0, 0, 0};
        ASSERT_EQ(S_OK, info->AddFirstArea(&a));
    }
    EXPECT_EQ(128u, Object()->FirstAreaCapacity());
    const AreaRecord extra{128, 0, 0, 0};
    const TripleRecord triple{1, 2, 3};
    ASSERT_EQ(S_OK, info->AddFirstArea(&extra));
    ASSERT_EQ(S_OK, info->AddSecondArea(&extra));
    ASSERT_EQ(S_OK, info->AddTriple(&triple));
    EXPECT_EQ(256u, Object()->FirstAreaCapacity());
    EXPECT_EQ(128u, Object()->SecondAreaCapacity());
    AreaRecord a{};
    for (UINT32 i = 0; i < 129; ++i) {
        ASSERT_EQ(S_OK, info->GetFirstArea(i, &a));
        ASSERT_EQ(static_cast<double>(i), a.value1);
    }
    // Index = count is out of range and the output stays untouched.
    a.value1 = -1;
    EXPECT_EQ(E_INVALIDARG, info->GetFirstArea(129, &a));
    EXPECT_EQ(E_INVALIDARG, info->GetSecondArea(1, &a));
    EXPECT_EQ(-1.0, a.value1);
    TripleRecord t{-1, -1, -1};
    EXPECT_EQ(E_INVALIDARG, info->GetTriple(1, &t));
    EXPECT_EQ(-1.0, t.value1);
    EXPECT_EQ(S_OK, info->GetTriple(0, &t));
    EXPECT_EQ(3.0, t.value3);

    EXPECT_EQ(S_OK, info->FreeData());
    UINT32 first = 9, second = 0, triples = 0;
    info->GetFirstAreaCount(&first);
    info->GetSecondAreaCount(&second);
    info->GetTripleCount(&triples);
    EXPECT_TRUE(first == 0 && second == 1 && triples == 1);
    EXPECT_EQ(0u, Object()->FirstAreaCapacity());
    EXPECT_EQ("", SaveFirst());
    ASSERT_EQ(S_OK, info->AddFirstArea(&extra));
    EXPECT_EQ(128u, Object()->FirstAreaCapacity());
}

TEST_F(DMInitInfoTest, IdentityAndRefusals) {
    UINT32 id = 5;
    char name[16] = "x";
    ASSERT_EQ(S_OK, info->SetIdentity(42, "marks"));
    ASSERT_EQ(S_OK, info->GetIdentity(&id, name));
    EXPECT_TRUE(id == 42 && std::string(name) == "marks");
    EXPECT_EQ(30, Params().threshBRISK);  // the parameters are not touched
    for (HRESULT r : {info->SetIdentity(1, nullptr), info->GetIdentity(nullptr, name), info->SetParameters(nullptr),
                      info->LoadSecondAreasFromBuffer(nullptr, 3)}) {
        EXPECT_EQ(E_POINTER, r);
    }
}

// Threads append to the lists, count and read them, while another loads area
// texts that append; afterwards every record is present exactly once.
TEST(DMInitInfoConcurrency, AppendsCountsGetsAndLoadsFromManyThreads) {
    Ref<IQuonDMInitInfo> info{CLSID_QuonDMInitInfo, IID_IQuonDMInitInfo};
    constexpr int kThreads = 4;
    constexpr int kPerThread = 300;
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads + 1, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) {
                const AreaRecord a{static_cast<double>(t * kPerThread + i), 1, 2, 3};
                const TripleRecord tr{1, 2, 3};
                UINT32 count = 0;
                AreaRecord seen{};
                if (info->AddFirstArea(&a) != S_OK || info->AddTriple(&tr) != S_OK ||
                    info->GetFirstAreaCount(&count) != S_OK || count == 0 ||
                    info->GetFirstArea(count - 1, &seen) != S_OK || seen.value2 != 1)
                    ++failures[t];
            }
        });
    }
    threads.emplace_back([&] {
        for (int i = 0; i < kPerThread; i += 3) {
            std::string text;
            for (int k = i; k < i + 3; ++k) text += std::to_string(kThreads * kPerThread + k) + ",1,2,3\n";
            if (info->LoadFirstAreasFromBuffer(text.data(), static_cast<UINT32>(text.size())) != S_OK)
                ++failures[kThreads];
        }
    });
    for (std::thread& th : threads) th.join();
    for (int f : failures) EXPECT_EQ(0, f);

    constexpr UINT32 kAreas = (kThreads + 1) * kPerThread;
    UINT32 first = 0, triples = 0;
    info->GetFirstAreaCount(&first);
    info->GetTripleCount(&triples);
    ASSERT_EQ(kAreas, first);
    EXPECT_EQ(static_cast<UINT32>(kThreads * kPerThread), triples);
    std::vector<double> values;
    for (UINT32 i = 0; i < kAreas; ++i) {
        AreaRecord a{};
        info->GetFirstArea(i, &a);
        values.push_back(a.value1);
    }
    std::sort(values.begin(), values.end());
    for (UINT32 i = 0; i < kAreas; ++i) ASSERT_EQ(static_cast<double>(i), values[i]);
}

}  // namespace

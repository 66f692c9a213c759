// The LED marker info: its "%d,%d,%d,%d" text, bounds, and its guarded list
// under many threads (the list and lock code is shared with the marker info).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "QuonCoreModel.h"
#include "calib/CQuonLedMarkerInfo.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct LedMarkerInfoTest : ::testing::Test {
    Ref<IQuonLedMarkerInfo> info{CLSID_QuonLedMarkerInfo, IID_IQuonLedMarkerInfo};

    HRESULT Load(const std::string& text) { return info->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())); }
    std::string Save() {
        return quontest::Written([&](char* b, UINT32 c, UINT32* w) { return info->SaveToBuffer(b, c, w); });
    }
};

TEST_F(LedMarkerInfoTest, TextTruncatesTheRealsAndReadsIntegers) {
    const LedMarkerRecord r{3, 4, 10.9, -0.5}, wide{-2147483647 - 1, 2147483647, 2147483648.0, -1e300};
    ASSERT_EQ(S_OK, info->AddRecord(&r));
    ASSERT_EQ(S_OK, info->AddRecord(&wide));
    const std::string expected = "3,4,10,0\n-2147483648,2147483647,-2147483648,-2147483648\n";
    EXPECT_EQ(expected, Save());

    // Read back into a fresh list: lines of other than four pieces are
    // skipped; every piece is read as an integer ("7.9" gives 7, "5.9" 5.0).
    Ref<IQuonLedMarkerInfo> copy{CLSID_QuonLedMarkerInfo, IID_IQuonLedMarkerInfo};
    const std::string text = "3,4,10,0\r\n1,2\n1,2,3,4,5\n7.9,x,,5.9, 6\n";
    ASSERT_EQ(S_OK, copy->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())));
    EXPECT_EQ("3,4,10,0\n7,0,5,6\n",
              quontest::Written([&](char* b, UINT32 c, UINT32* w) { return copy->SaveToBuffer(b, c, w); }));
    LedMarkerRecord back{};
    ASSERT_EQ(S_OK, copy->GetRecord(1, &back));
    EXPECT_EQ(5.0, back.value3);
    back.value1 = -5;
    EXPECT_EQ(E_INVALIDARG, copy->GetRecord(2, &back));
    EXPECT_EQ(-5, back.value1);

    // Loading twice doubles the list; FreeData empties it.
    ASSERT_EQ(S_OK, Load(expected));
    EXPECT_EQ(expected + expected, Save());
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ("", Save());
    EXPECT_EQ(0u, static_cast<CQuonLedMarkerInfo*>(info.get())->RecordCapacity());

    EXPECT_EQ(E_POINTER, info->AddRecord(nullptr));
}

TEST(LedMarkerInfoConcurrency, AppendsCountsGetsAndLoadsFromManyThreads) {
    Ref<IQuonLedMarkerInfo> info{CLSID_QuonLedMarkerInfo, IID_IQuonLedMarkerInfo};
    constexpr int kThreads = 4;
    constexpr int kPerThread = 400;
    std::vector<int> failures(2 * kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) {
                const LedMarkerRecord r{t * kPerThread + i, 1, 2.0, 3.0};
                UINT32 count = 0;
                LedMarkerRecord seen{};
                if (info->AddRecord(&r) != S_OK || info->GetRecordCount(&count) != S_OK || count == 0 ||
                    info->GetRecord(count - 1, &seen) != S_OK || seen.value4 != 3.0)
                    ++failures[t];
            }
        });
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; i += 2) {
                const int base = (kThreads + t) * kPerThread + i;
                const std::string text = std::to_string(base) + ",1,2,3\n" + std::to_string(base + 1) + ",1,2,3\n";
                if (info->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())) != S_OK) ++failures[kThreads + t];
            }
        });
    }
    for (std::thread& th : threads) th.join();
    for (int f : failures) EXPECT_EQ(0, f);

    constexpr UINT32 kTotal = 2 * kThreads * kPerThread;
    UINT32 count = 0;
    info->GetRecordCount(&count);
    ASSERT_EQ(kTotal, count);
    std::vector<int> values;
    for (UINT32 i = 0; i < count; ++i) {
        LedMarkerRecord r{};
        info->GetRecord(i, &r);
        values.push_back(r.value1);
    }
    std::sort(values.begin(), values.end());
    for (UINT32 i = 0; i < kTotal; ++i) ASSERT_EQ(static_cast<int>(i), values[i]);
}

}  // namespace

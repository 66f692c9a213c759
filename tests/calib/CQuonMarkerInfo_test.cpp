// The marker info: its "%.6f,%.6f" text, growth, bounds, and the guarded
// list under many threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "QuonCoreModel.h"
#include "calib/CQuonMarkerInfo.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct MarkerInfoTest : quontest::ObjectTest<IQuonMarkerInfo, CLSID_QuonMarkerInfo, IID_IQuonMarkerInfo> {
    IQuonMarkerInfo* const info = object.get();
    UINT32 Count() { return Got(&IQuonMarkerInfo::GetRecordCount); }
};

TEST_F(MarkerInfoTest, TextIsWrittenExactlyAndReadsBack) {
    // An empty list writes nothing at all, not even a NUL.
    std::string buffer(4, '#');
    UINT32 length = 7;
    ASSERT_EQ(S_OK, info->SaveToBuffer(buffer.data(), 4, &length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ("####", buffer);

    const MarkerPoint m{1.5, -2.25}, small{1e-7, 123456.0000004};
    ASSERT_EQ(S_OK, info->AddRecord(&m));
    ASSERT_EQ(S_OK, info->AddRecord(&small));
    const std::string expected = "1.500000,-2.250000\n0.000000,123456.000000\n";
    buffer.assign(expected.size() + 2, '#');
    ASSERT_EQ(S_OK, info->SaveToBuffer(buffer.data(), static_cast<UINT32>(buffer.size()), &length));
    EXPECT_EQ(expected.size(), length);
    EXPECT_EQ(expected + std::string(1, '\0') + "#", buffer);

    // Read into a fresh list: lines of exactly two pieces are appended,
    // "\r" and trailing characters are ignored by the lenient reading.
    Ref<IQuonMarkerInfo> copy{CLSID_QuonMarkerInfo, IID_IQuonMarkerInfo};
    const std::string text = "1.500000,-2.250000\r\n1,2,3\n4\n,5,,6x\nabc,7\n";
    ASSERT_EQ(S_OK, quontest::Load(copy.get(), text));
    EXPECT_EQ("1.500000,-2.250000\n5.000000,6.000000\n0.000000,7.000000\n", quontest::Saved(copy.get()));

    // Loading again appends again; a text without a record appends nothing.
    ASSERT_EQ(S_OK, Load(expected));
    ASSERT_EQ(S_OK, Load(expected));
    EXPECT_EQ(6u, Count());
    EXPECT_EQ(S_OK, Load("1,2,3\n"));
    EXPECT_EQ(S_OK, info->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ(6u, Count());
}

TEST_F(MarkerInfoTest, GrowthBoundsAndName) {
    CQuonMarkerInfo* object = static_cast<CQuonMarkerInfo*>(info);
    for (int i = 0; i < 129; ++i) {
        const MarkerPoint m{static_cast<double>(i), 0};
        ASSERT_EQ(S_OK, info->AddRecord(&m));
        ASSERT_EQ(i < 128 ? 128u : 256u, object->RecordCapacity());
    }
    MarkerPoint m{-1, -1};
    ASSERT_EQ(S_OK, info->GetRecord(127, &m));
    EXPECT_EQ(127.0, m.value1);
    m.value1 = -1;
    EXPECT_EQ(E_INVALIDARG, info->GetRecord(129, &m));
    EXPECT_EQ(-1.0, m.value1);
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(0u, Count());
    EXPECT_EQ(0u, object->RecordCapacity());
    EXPECT_EQ(E_INVALIDARG, info->GetRecord(0, &m));
    ASSERT_EQ(S_OK, info->AddRecord(&m));
    EXPECT_EQ(128u, object->RecordCapacity());

    char name[16] = "x";
    char* namePtr = name;
    ASSERT_EQ(S_OK, info->SetName("corners"));
    ASSERT_EQ(S_OK, info->GetName(&namePtr));
    EXPECT_STREQ("corners", name);
    UINT32 length = 0;
    for (HRESULT r : {info->SetName(nullptr), info->GetName(nullptr), info->AddRecord(nullptr),
                      info->SaveToBuffer(nullptr, 10, &length)}) {
        EXPECT_EQ(E_POINTER, r);
    }
}

// Threads append, count, read and load texts that append, all at once;
// afterwards every record is present exactly once.
TEST(MarkerInfoConcurrency, AppendsCountsGetsAndLoadsFromManyThreads) {
    Ref<IQuonMarkerInfo> info{CLSID_QuonMarkerInfo, IID_IQuonMarkerInfo};
    constexpr int kThreads = 4;
    constexpr int kPerThread = 400;
    std::vector<int> failures(2 * kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) {
                const MarkerPoint m{static_cast<double>(t * kPerThread + i), 0.5};
                UINT32 count = 0;
                MarkerPoint seen{};
                if (info->AddRecord(&m) != S_OK || info->GetRecordCount(&count) != S_OK || count == 0 ||
                    info->GetRecord(count - 1, &seen) != S_OK || seen.value2 != 0.5)
                    ++failures[t];
            }
        });
        // A loader per appender, each with numbers of its own, two per text.
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; i += 2) {
                const int base = (kThreads + t) * kPerThread + i;
                const std::string text = std::to_string(base) + ",0.5\n" + std::to_string(base + 1) + ",0.5\n";
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
    std::vector<double> values;
    for (UINT32 i = 0; i < count; ++i) {
        MarkerPoint m{};
        info->GetRecord(i, &m);
        values.push_back(m.value1);
    }
    std::sort(values.begin(), values.end());
    for (UINT32 i = 0; i < kTotal; ++i) ASSERT_EQ(static_cast<double>(i), values[i]);
}

}  // namespace

// The LED marker info: its "%d,%d,%d,%d" text and bounds (the list and lock
// code, tested under many threads with the marker info, is shared).
#include <gtest/gtest.h>

#include <string>

#include "QuonCoreModel.h"
#include "calib/CQuonLedMarkerInfo.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct LedMarkerInfoTest : quontest::ObjectTest<IQuonLedMarkerInfo, CLSID_QuonLedMarkerInfo, IID_IQuonLedMarkerInfo> {
    IQuonLedMarkerInfo* const info = object.get();
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
    ASSERT_EQ(S_OK, quontest::Load(copy.get(), text));
    EXPECT_EQ("3,4,10,0\n7,0,5,6\n", quontest::Saved(copy.get()));
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
    EXPECT_EQ(0u, static_cast<CQuonLedMarkerInfo*>(info)->RecordCapacity());

    EXPECT_EQ(E_POINTER, info->AddRecord(nullptr));
}

}  // namespace

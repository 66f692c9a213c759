// The other-screen tag: its 79 x 129 grid, the used size and its bounds.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
using Tag = std::array<BYTE, 16>;

Tag Filled(BYTE value) {
    Tag t;
    t.fill(value);
    return t;
}

struct GeoOtherScreenTagTest : ::testing::Test {
    Ref<IQuonGeoOtherScreenTag> tag{CLSID_QuonGeoOtherScreenTag, IID_IQuonGeoOtherScreenTag};

    std::pair<UINT32, UINT32> Used() {
        UINT32 columns = 99, rows = 99;
        EXPECT_EQ(S_OK, tag->GetUsedSize(&columns, &rows));
        return {columns, rows};
    }
    Tag Get(UINT32 row, UINT32 column) {
        Tag t = Filled(0xEE);
        EXPECT_EQ(S_OK, tag->GetTag(row, column, t.data()));
        return t;
    }
};

TEST_F(GeoOtherScreenTagTest, ResetSetTagAndUsedSize) {
    ASSERT_EQ(S_OK, tag->Reset());
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
    EXPECT_EQ(Filled(0), Get(78, 128));

    // The record is stored and returned byte for byte; the used size grows
    // to one past the highest row and column written (columns first).
    Tag t;
    for (int i = 0; i < 16; ++i) t[i] = static_cast<BYTE>(0xA0 + i);
    EXPECT_EQ(S_OK, tag->SetTag(3, 10, t.data()));
    EXPECT_EQ(S_OK, tag->SetTag(1, 20, Filled(0x11).data()));
    EXPECT_EQ(std::make_pair(21u, 4u), Used());
    EXPECT_EQ(t, Get(3, 10));
    EXPECT_EQ(Filled(0x11), Get(1, 20));
    // Rows are 129 records apart: the last column of a row and the first of
    // the next one are different records.
    EXPECT_EQ(S_OK, tag->SetTag(2, 0, Filled(0x20).data()));
    EXPECT_EQ(S_OK, tag->SetTag(1, 128, Filled(0x18).data()));
    EXPECT_EQ(Filled(0x20), Get(2, 0));
    EXPECT_EQ(S_OK, tag->SetTag(78, 128, Filled(0x78).data()));
    EXPECT_EQ(std::make_pair(129u, 79u), Used());
    EXPECT_EQ(Filled(0x78), Get(78, 128));

    // A second reset clears tags and used size and keeps the capacity.
    ASSERT_EQ(S_OK, tag->Reset());
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
    EXPECT_EQ(Filled(0), Get(3, 10));
    EXPECT_EQ(S_OK, tag->SetTag(78, 128, Filled(1).data()));
}

TEST_F(GeoOtherScreenTagTest, RefusesTagsOutsideTheGridAndBeforeReset) {
    Tag t = Filled(5);
    // No grid before the first reset.
    EXPECT_EQ(E_FAIL, tag->SetTag(0, 0, t.data()));
    EXPECT_EQ(E_FAIL, tag->GetTag(0, 0, t.data()));
    EXPECT_EQ(std::make_pair(0u, 0u), Used());

    ASSERT_EQ(S_OK, tag->Reset());
    EXPECT_EQ(E_INVALIDARG, tag->SetTag(79, 0, t.data()));
    EXPECT_EQ(E_INVALIDARG, tag->SetTag(0, 129, t.data()));
    EXPECT_EQ(E_INVALIDARG, tag->SetTag(0xFFFFFFFFu, 0, t.data()));
    EXPECT_EQ(E_INVALIDARG, tag->GetTag(0, 129, t.data()));
    EXPECT_EQ(E_INVALIDARG, tag->GetTag(79, 128, t.data()));
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
    EXPECT_EQ(Filled(5), t);

    UINT32 columns = 0;
    EXPECT_EQ(E_POINTER, tag->SetTag(0, 0, nullptr));
    EXPECT_EQ(E_POINTER, tag->GetTag(0, 0, nullptr));
    EXPECT_EQ(E_POINTER, tag->GetUsedSize(&columns, nullptr));
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
}

}  // namespace

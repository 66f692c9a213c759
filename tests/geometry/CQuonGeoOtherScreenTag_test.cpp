// The other-screen tag: its 79 x 129 grid, the used size and its bounds.
#include <gtest/gtest.h>

#include <cstring>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct Tag {
    BYTE bytes[16];
};

Tag Filled(BYTE value) {
    Tag t;
    std::memset(t.bytes, value, sizeof t.bytes);
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
        EXPECT_EQ(S_OK, tag->GetTag(row, column, &t));
        return t;
    }
};

TEST_F(GeoOtherScreenTagTest, ResetSetTagAndUsedSize) {
    ASSERT_EQ(S_OK, tag->Reset());
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
    EXPECT_EQ(0, std::memcmp(Filled(0).bytes, Get(78, 128).bytes, 16));

    // The record is stored and returned byte for byte; the used size grows
    // to one past the highest row and column written.
    Tag t;
    for (int i = 0; i < 16; ++i) t.bytes[i] = static_cast<BYTE>(0xA0 + i);
    EXPECT_EQ(S_OK, tag->SetTag(3, 10, &t));
    EXPECT_EQ(S_OK, tag->SetTag(1, 20, Filled(0x11).bytes));
    EXPECT_EQ(std::make_pair(21u, 4u), Used());
    EXPECT_EQ(0, std::memcmp(t.bytes, Get(3, 10).bytes, 16));
    EXPECT_EQ(0, std::memcmp(Filled(0x11).bytes, Get(1, 20).bytes, 16));
    EXPECT_EQ(0, std::memcmp(Filled(0).bytes, Get(3, 11).bytes, 16));

    // The last point of the grid is in reach.
    EXPECT_EQ(S_OK, tag->SetTag(78, 128, Filled(0x78).bytes));
    EXPECT_EQ(std::make_pair(129u, 79u), Used());
    EXPECT_EQ(0x78, Get(78, 128).bytes[15]);

    // A second reset clears tags and used size and keeps the capacity.
    ASSERT_EQ(S_OK, tag->Reset());
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
    EXPECT_EQ(0, std::memcmp(Filled(0).bytes, Get(3, 10).bytes, 16));
    EXPECT_EQ(S_OK, tag->SetTag(78, 128, Filled(1).bytes));
}

TEST_F(GeoOtherScreenTagTest, RefusesTagsOutsideTheGridAndBeforeReset) {
    Tag t = Filled(5);
    // No grid before the first reset.
    EXPECT_EQ(E_FAIL, tag->SetTag(0, 0, &t));
    EXPECT_EQ(E_FAIL, tag->GetTag(0, 0, &t));
    EXPECT_EQ(std::make_pair(0u, 0u), Used());

    ASSERT_EQ(S_OK, tag->Reset());
    EXPECT_EQ(E_INVALIDARG, tag->SetTag(79, 0, &t));
    EXPECT_EQ(E_INVALIDARG, tag->SetTag(0, 129, &t));
    EXPECT_EQ(E_INVALIDARG, tag->SetTag(0xFFFFFFFFu, 0, &t));
    EXPECT_EQ(E_INVALIDARG, tag->GetTag(0, 129, &t));
    EXPECT_EQ(E_INVALIDARG, tag->GetTag(79, 128, &t));
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
    EXPECT_EQ(5, t.bytes[0]);

    EXPECT_EQ(E_POINTER, tag->SetTag(0, 0, nullptr));
    EXPECT_EQ(E_POINTER, tag->GetTag(0, 0, nullptr));
    UINT32 columns = 0;
    EXPECT_EQ(E_POINTER, tag->GetUsedSize(&columns, nullptr));
    EXPECT_EQ(E_POINTER, tag->GetUsedSize(nullptr, &columns));
    EXPECT_EQ(std::make_pair(0u, 0u), Used());
}

}  // namespace

// The mask line: identity, value, four lines of two 16-byte points, bounds.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "QuonCoreModel.h"
#include "geometry/CQuonGeoMaskLine.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct Point16 {
    unsigned char bytes[16];
};

Point16 Pattern(unsigned char seed) {
    Point16 p;
    for (int i = 0; i < 16; ++i) p.bytes[i] = static_cast<unsigned char>(seed + i);
    return p;
}

TEST(MaskLine, FreshObjectIsAllZero) {
    Ref<IQuonGeoMaskLine> line(CLSID_QuonGeoMaskLine, IID_IQuonGeoMaskLine);
    ASSERT_TRUE(line);
    UINT32 id = 9;
    UINT64 value = 9;
    EXPECT_EQ(S_OK, line->GetId(&id));
    EXPECT_EQ(0u, id);
    EXPECT_EQ(S_OK, line->GetValue(&value));
    EXPECT_EQ(0u, value);
    for (INT32 i = 0; i < 4; ++i) {
        UINT32 flag = 9;
        Point16 start = Pattern(1), end = Pattern(2);
        ASSERT_EQ(S_OK, line->GetLine(i, &flag, &start, &end));
        EXPECT_EQ(0u, flag);
        EXPECT_EQ(0, std::memcmp(&start, Point16{}.bytes, 16));
        EXPECT_EQ(0, std::memcmp(&end, Point16{}.bytes, 16));
    }
    UINT32 b[4] = {9, 9, 9, 9};
    EXPECT_EQ(S_OK, line->GetBounds(&b[0], &b[1], &b[2], &b[3]));
    EXPECT_EQ((std::vector<UINT32>{0, 0, 0, 0}), std::vector<UINT32>(b, b + 4));
}

TEST(MaskLine, SlotsStoreAndReturnUnchanged) {
    Ref<IQuonGeoMaskLine> line(CLSID_QuonGeoMaskLine, IID_IQuonGeoMaskLine);
    ASSERT_EQ(S_OK, line->SetIdentity(0xFFFFFFFFu, "edge mask"));
    UINT32 id = 0;
    EXPECT_EQ(S_OK, line->GetId(&id));
    EXPECT_EQ(0xFFFFFFFFu, id);
    EXPECT_EQ("edge mask", static_cast<CQuonGeoMaskLine*>(line.get())->Name());

    const UINT64 value = 0x8000000000000001ull;
    EXPECT_EQ(S_OK, line->SetValue(&value));
    UINT64 back = 0;
    EXPECT_EQ(S_OK, line->GetValue(&back));
    EXPECT_EQ(value, back);

    // Each line keeps its own flag and points.
    for (UINT32 i = 0; i < 4; ++i) {
        const Point16 start = Pattern(static_cast<unsigned char>(16 * i)), end = Pattern(static_cast<unsigned char>(200 + i));
        ASSERT_EQ(S_OK, line->SetLine(i, 100 + i, &start, &end));
    }
    for (INT32 i = 0; i < 4; ++i) {
        UINT32 flag = 0;
        Point16 start{}, end{};
        ASSERT_EQ(S_OK, line->GetLine(i, &flag, &start, &end));
        EXPECT_EQ(100u + i, flag);
        EXPECT_EQ(0, std::memcmp(&start, Pattern(static_cast<unsigned char>(16 * i)).bytes, 16)) << i;
        EXPECT_EQ(0, std::memcmp(&end, Pattern(static_cast<unsigned char>(200 + i)).bytes, 16)) << i;
    }

    EXPECT_EQ(S_OK, line->SetBounds(1, 2, 0x80000000u, 4));
    UINT32 b[4] = {};
    EXPECT_EQ(S_OK, line->GetBounds(&b[0], &b[1], &b[2], &b[3]));
    EXPECT_EQ((std::vector<UINT32>{1, 2, 0x80000000u, 4}), std::vector<UINT32>(b, b + 4));
}

TEST(MaskLine, IndicesOutsideZeroToThreeAnswerSFalseAndTouchNothing) {
    Ref<IQuonGeoMaskLine> line(CLSID_QuonGeoMaskLine, IID_IQuonGeoMaskLine);
    const Point16 a = Pattern(1), b = Pattern(50);
    ASSERT_EQ(S_OK, line->SetLine(3, 7, &a, &b));

    // Set: above 3 (also a huge index, and before any pointer is looked at).
    EXPECT_EQ(S_FALSE, line->SetLine(4, 1, &b, &a));
    EXPECT_EQ(S_FALSE, line->SetLine(0xFFFFFFFFu, 1, &b, &a));
    EXPECT_EQ(S_FALSE, line->SetLine(4, 1, nullptr, nullptr));
    // Get: below 0 and above 3; the caller's memory stays as it was.
    for (INT32 index : {-1, 4, INT32{-2147483647 - 1}, INT32{2147483647}}) {
        UINT32 flag = 0xABCD;
        Point16 start = Pattern(90), end = Pattern(91);
        EXPECT_EQ(S_FALSE, line->GetLine(index, &flag, &start, &end)) << index;
        EXPECT_EQ(0xABCDu, flag);
        EXPECT_EQ(0, std::memcmp(&start, Pattern(90).bytes, 16));
        EXPECT_EQ(0, std::memcmp(&end, Pattern(91).bytes, 16));
    }
    UINT32 flag = 0;
    Point16 start{}, end{};
    ASSERT_EQ(S_OK, line->GetLine(3, &flag, &start, &end));
    EXPECT_EQ(7u, flag);
    EXPECT_EQ(0, std::memcmp(&start, a.bytes, 16));
    EXPECT_EQ(0, std::memcmp(&end, b.bytes, 16));
}

TEST(MaskLine, NullPointersAreRefused) {
    Ref<IQuonGeoMaskLine> line(CLSID_QuonGeoMaskLine, IID_IQuonGeoMaskLine);
    ASSERT_EQ(S_OK, line->SetIdentity(5, "kept"));
    EXPECT_EQ(E_POINTER, line->SetIdentity(6, nullptr));
    UINT32 id = 0;
    line->GetId(&id);
    EXPECT_EQ(5u, id);
    EXPECT_EQ("kept", static_cast<CQuonGeoMaskLine*>(line.get())->Name());

    const Point16 p = Pattern(3);
    UINT32 u = 0;
    Point16 q{};
    EXPECT_EQ(E_POINTER, line->GetId(nullptr));
    EXPECT_EQ(E_POINTER, line->SetValue(nullptr));
    EXPECT_EQ(E_POINTER, line->GetValue(nullptr));
    EXPECT_EQ(E_POINTER, line->SetLine(0, 1, nullptr, &p));
    EXPECT_EQ(E_POINTER, line->SetLine(0, 1, &p, nullptr));
    EXPECT_EQ(E_POINTER, line->GetLine(0, nullptr, &q, &q));
    EXPECT_EQ(E_POINTER, line->GetLine(0, &u, nullptr, &q));
    EXPECT_EQ(E_POINTER, line->GetLine(0, &u, &q, nullptr));
    EXPECT_EQ(E_POINTER, line->GetBounds(&u, &u, &u, nullptr));
    // Line 0 was not changed by the refused calls.
    UINT32 flag = 9;
    ASSERT_EQ(S_OK, line->GetLine(0, &flag, &q, &q));
    EXPECT_EQ(0u, flag);
}

}  // namespace

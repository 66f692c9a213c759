// The mask line: identity, value, four lines of two 16-byte points, bounds.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "QuonCoreModel.h"
#include "geometry/CQuonGeoMaskLine.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
typedef std::array<unsigned char, 16> Point16;

Point16 Pattern(int seed) {
    Point16 p;
    for (int i = 0; i < 16; ++i) p[i] = static_cast<unsigned char>(seed + 13 * i);
    return p;
}

struct Line {
    HRESULT hr;
    UINT32 flag;
    Point16 start, end;
};

// Reads line index into memory prefilled with markers.
Line Get(IQuonGeoMaskLine* line, INT32 index) {
    Line l{E_UNEXPECTED, 0xABCD, Pattern(90), Pattern(91)};
    l.hr = line->GetLine(index, &l.flag, l.start.data(), l.end.data());
    return l;
}

// Line i holds flag first + i and the points Pattern(i), Pattern(100 + i).
void ExpectLines(IQuonGeoMaskLine* line, UINT32 first) {
    for (INT32 i = 0; i < 4; ++i) {
        const Line l = Get(line, i);
        EXPECT_EQ(S_OK, l.hr);
        EXPECT_EQ(first + i, l.flag);
        EXPECT_EQ(Pattern(i), l.start) << i;
        EXPECT_EQ(Pattern(100 + i), l.end) << i;
    }
}

TEST(MaskLine, EachLineKeepsItsOwnFlagAndSixteenBytePoints) {
    Ref<IQuonGeoMaskLine> line(CLSID_QuonGeoMaskLine, IID_IQuonGeoMaskLine);
    ASSERT_TRUE(line);
    // Fresh: every line is zero.
    for (INT32 i = 0; i < 4; ++i) {
        const Line l = Get(line.get(), i);
        EXPECT_EQ(0u, l.flag);
        EXPECT_EQ(Point16{}, l.start);
        EXPECT_EQ(Point16{}, l.end);
    }
    for (UINT32 i = 0; i < 4; ++i) ASSERT_EQ(S_OK, line->SetLine(i, 100 + i, Pattern(i).data(), Pattern(100 + i).data()));
    ExpectLines(line.get(), 100);

    // The 8-byte value and the four bounds come back whole and in order.
    const UINT64 stored = 0x8000000000000001ull;
    UINT64 value = 0;
    UINT32 b[4] = {9, 9, 9, 9};
    ASSERT_EQ(S_OK, line->SetValue(&stored));
    ASSERT_EQ(S_OK, line->SetBounds(1, 2, 0x80000000u, 4));
    EXPECT_EQ(S_OK, line->GetValue(&value));
    EXPECT_EQ(S_OK, line->GetBounds(&b[0], &b[1], &b[2], &b[3]));
    EXPECT_EQ((std::vector<UINT64>{stored, 1, 2, 0x80000000u, 4}), (std::vector<UINT64>{value, b[0], b[1], b[2], b[3]}));
}

TEST(MaskLine, OutOfRangeIndicesAnswerSFalseAndNullPointersEPointer) {
    Ref<IQuonGeoMaskLine> line(CLSID_QuonGeoMaskLine, IID_IQuonGeoMaskLine);
    for (UINT32 i = 0; i < 4; ++i) ASSERT_EQ(S_OK, line->SetLine(i, 7 + i, Pattern(i).data(), Pattern(100 + i).data()));

    // Outside 0 to 3 nothing is stored or written, and the index is checked first.
    for (UINT32 index : {4u, 0xFFFFFFFFu}) {
        EXPECT_EQ(S_FALSE, line->SetLine(index, 1, Pattern(8).data(), Pattern(9).data()));
        EXPECT_EQ(S_FALSE, line->SetLine(index, 1, nullptr, nullptr));
    }
    for (INT32 index : {-1, 4, INT32{-2147483647 - 1}, INT32{2147483647}}) {
        const Line l = Get(line.get(), index);
        EXPECT_EQ(S_FALSE, l.hr) << index;
        EXPECT_EQ(0xABCDu, l.flag);
        EXPECT_EQ(Pattern(90), l.start);
        EXPECT_EQ(Pattern(91), l.end);
    }

    UINT32 u = 0;
    Point16 q{};
    EXPECT_EQ(E_POINTER, line->SetValue(nullptr));
    EXPECT_EQ(E_POINTER, line->SetLine(3, 1, q.data(), nullptr));
    EXPECT_EQ(E_POINTER, line->GetLine(3, nullptr, q.data(), q.data()));
    EXPECT_EQ(E_POINTER, line->GetBounds(&u, &u, &u, nullptr));
    ExpectLines(line.get(), 7);

    // The identity: a refused one changes nothing.
    UINT32 id = 0;
    ASSERT_EQ(S_OK, line->SetIdentity(0xFFFFFFFFu, "edge mask"));
    EXPECT_EQ(E_POINTER, line->SetIdentity(6, nullptr));
    EXPECT_EQ(S_OK, line->GetId(&id));
    EXPECT_EQ(0xFFFFFFFFu, id);
    EXPECT_EQ("edge mask", static_cast<CQuonGeoMaskLine*>(line.get())->Name());
}

}  // namespace

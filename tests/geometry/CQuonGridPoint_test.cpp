// The grid point map: slots, its table text printed in place, the lenient
// space-cut reader, and its bounds.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <new>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

const char kTwoByOne[] =
    "2, 1, 0.5, 1.23457e+06, 1, -2, 3, 1\n"
    "0.100000, 2.000000, 3.000000, 4.000000, 5, 6, 7.000000, 8.000000, 9.000000, 10.000000, 11\n"
    "-1.500000, 0.000000, 0.000000, 0.000000, 0, 0, 0.000000, 0.000000, 0.000000, 0.000000, -7\n"
    "0.000000, 1.000000, 2.000000, 3.000000, 4.000000, 5.000000, 6.000000, 7.000000\n"
    "8.000000, 9.000000, 10.000000, 11.000000, 12.000000, 13.000000, 14.000000, 15.000000\n";

const std::string kZeroLine =
    "0.000000, 0.000000, 0.000000, 0.000000, 0, 0, 0.000000, 0.000000, 0.000000, 0.000000, 0\n";

struct GridPointTest : quontest::ObjectTest<IQuonGridPoint, CLSID_QuonGridPoint, IID_IQuonGridPoint> {
    IQuonGridPoint* const map = object.get();
    GridPointHeader Header() { return Got(&IQuonGridPoint::GetHeader); }
    GridPointRecord Point(UINT32 c, UINT32 r) {
        GridPointRecord p{};
        p.real0 = -99;
        EXPECT_EQ(S_OK, map->GetPoint(c, r, &p));
        return p;
    }
    void SetHeader(double columns, double rows) {
        const GridPointHeader h{columns, rows, 0, 0, 0, 0, 0, 0};
        ASSERT_EQ(S_OK, map->SetHeader(&h));
    }
};

TEST_F(GridPointTest, SettersAndLoadPrintSixSignificantDigitsAndSixDecimals) {
    GridPointHeader h{2, 1, 0.5, 1234567, 1, -2, 3, 1};
    ASSERT_EQ(S_OK, map->SetHeader(&h));
    const GridPointRecord first{0.1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    GridPointRecord second{};
    second.real0 = -1.5;
    second.int2 = -7;
    EXPECT_EQ(S_OK, map->SetPoint(0, 0, &first));
    EXPECT_EQ(S_OK, map->SetPoint(1, 0, &second));
    double extra[16];
    for (int i = 0; i < 16; ++i) extra[i] = i;
    EXPECT_EQ(S_OK, map->SetExtra(extra));
    EXPECT_EQ(kTwoByOne, Save());

    // extraFlag 0 prints exactly 1 + columns x rows lines, from a fresh
    // zeroed array.
    h.extraFlag = 0;
    ASSERT_EQ(S_OK, map->SetHeader(&h));
    EXPECT_EQ("2, 1, 0.5, 1.23457e+06, 1, -2, 3, 0\n" + kZeroLine + kZeroLine, Save());

    // A load replaces all of it and prints the same table again.
    ASSERT_EQ(S_OK, Load(kTwoByOne));
    EXPECT_EQ(1234570.0, Header().headerReal3);  // read back from six significant digits
    EXPECT_EQ(kTwoByOne, Save());
}

TEST_F(GridPointTest, ReaderCutsAtSingleSpacesAndLeavesMissingEntriesZero) {
    // Two spaces make an empty field and shift the later ones; a line with
    // ten fields has int2 0; an empty line leaves its entry zero and the
    // lines after it keep their places; "\r" is left to the conversions.
    ASSERT_EQ(S_OK, Load("2, 2, 0, 0, 0, 0, 0, 0\r\n"
                         "1,  2, 3\r\n"
                         "1, 2, 3, 4, 5, 6, 7, 8, 9, 10\n"
                         "\n"
                         "x9, 4.5e1, 7\n"));
    EXPECT_EQ("2, 2, 0, 0, 0, 0, 0, 0\n"
              "1.000000, 0.000000, 2.000000, 3.000000, 0, 0, 0.000000, 0.000000, 0.000000, 0.000000, 0\n"
              "1.000000, 2.000000, 3.000000, 4.000000, 5, 6, 7.000000, 8.000000, 9.000000, 10.000000, 0\n" +
                  kZeroLine +
                  "0.000000, 45.000000, 7.000000, 0.000000, 0, 0, 0.000000, 0.000000, 0.000000, 0.000000, 0\n",
              Save());

    // Fewer point lines than entries: the missing ones stay zero.
    ASSERT_EQ(S_OK, Load("1, 3, 0, 0, 0, 0, 0, 0\n5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5\n"));
    EXPECT_EQ(5, Point(0, 0).int2);
    EXPECT_EQ(0, Point(0, 2).int2);

    // Exactly length bytes, and the text ends at its first NUL.
    const char text[] = "1, 1, 0, 0, 0, 0, 0, 0\n7\0 8\n";
    ASSERT_EQ(S_OK, map->LoadFromBuffer(text, sizeof text - 1));
    EXPECT_EQ(7.0, Point(0, 0).real0);
    EXPECT_EQ(0.0, Point(0, 0).real1);

    // An empty text, or one whose first line has no field, changes nothing.
    EXPECT_EQ(S_OK, Load(""));
    EXPECT_EQ(S_OK, Load("\n2, 2, 0, 0, 0, 0, 0, 0\n"));
    EXPECT_EQ(S_OK, map->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ(7.0, Point(0, 0).real0);
    EXPECT_EQ(1.0, Header().rows);
}

TEST_F(GridPointTest, ExtraBlockNeedsAFlagAndTwoFullLines) {
    const std::string points = "1, 1, 0, 0, 0, 0, 0";
    const std::string extras = "\n0 0 0 0 0 0 0 0 0 0 0\n1 2 3 4 5 6 7 8\n9 10 11 12 13 14 15 16\n";
    double extra[16] = {};

    // A seven-field header has no flag: no extra block is read or printed.
    ASSERT_EQ(S_OK, Load(points + extras));
    map->GetExtra(extra);
    EXPECT_EQ(0.0, extra[0]);
    EXPECT_EQ("1, 1, 0, 0, 0, 0, 0, 0\n" + kZeroLine, Save());

    // Any non-zero flag reads the block; only 1 or more prints it.
    ASSERT_EQ(S_OK, Load(points + " -1" + extras));
    map->GetExtra(extra);
    EXPECT_EQ(1.0, extra[0]);
    EXPECT_EQ(16.0, extra[15]);
    EXPECT_EQ("1, 1, 0, 0, 0, 0, 0, -1\n" + kZeroLine, Save());

    // A short extra line, or a missing second line, leaves the block as it was.
    ASSERT_EQ(S_OK, Load(points + " 1\n0\n1 2 3 4 5 6 7\n9 9 9 9 9 9 9 9\n"));
    ASSERT_EQ(S_OK, Load(points + " 1\n0\n2 2 2 2 2 2 2 2\n"));
    map->GetExtra(extra);
    EXPECT_EQ(1.0, extra[0]);
    EXPECT_EQ(16.0, extra[15]);
}

TEST_F(GridPointTest, FractionalSidesAllocateTheProductAndVisitTruncatedBounds) {
    SetHeader(2.5, 2);
    // 5 records: (0, 2) is record 4, (1, 2) would be record 5; row 2 is
    // not printed.
    GridPointRecord p{};
    p.int0 = 3;
    EXPECT_EQ(S_OK, map->SetPoint(0, 2, &p));
    EXPECT_EQ(E_INVALIDARG, map->GetPoint(1, 2, &p));
    EXPECT_EQ("2.5, 2, 0, 0, 0, 0, 0, 0\n" + kZeroLine + kZeroLine + kZeroLine + kZeroLine, Save());

    // Bounds read as integer prefixes ("100000e-5" is 1 as a real, 100000
    // as an integer) visit only the lines there are and skip entries
    // outside the array.
    ASSERT_EQ(S_OK, Load("100000e-5, 100000e-5, 0, 0, 0, 0, 0, 0\n1\n2\n3\n"));
    EXPECT_EQ("1, 1, 0, 0, 0, 0, 0, 0\n"
              "1.000000, 0.000000, 0.000000, 0.000000, 0, 0, 0.000000, 0.000000, 0.000000, 0.000000, 0\n",
              Save());
}

TEST_F(GridPointTest, PrintInPlaceNeedsRoomForTheTerminator) {
    // A fresh map prints its header line only. The whole capacity is
    // zero-filled first; bytes past it stay untouched.
    std::string buffer(40, '#');
    UINT32 written = 0;
    ASSERT_EQ(S_OK, map->SaveToBuffer(buffer.data(), 30, &written));
    EXPECT_EQ(23u, written);
    EXPECT_EQ(std::string("0, 0, 0, 0, 0, 0, 0, 0\n") + std::string(7, '\0') + std::string(10, '#'), buffer);

    // Room for the text and its terminator is enough.
    ASSERT_EQ(S_OK, Load(kTwoByOne));
    const std::string text = kTwoByOne;
    const UINT32 length = static_cast<UINT32>(text.size());
    buffer.assign(length + 4, '#');
    ASSERT_EQ(S_OK, map->SaveToBuffer(buffer.data(), length + 1, &written));
    EXPECT_EQ(length, written);
    EXPECT_EQ(text + std::string(1, '\0') + "###", buffer);

    // One byte short: the last line is not printed, the rest of the
    // capacity stays zero, nothing is written past it and *written is kept.
    buffer.assign(length + 4, '#');
    written = 77;
    EXPECT_EQ(E_FAIL, map->SaveToBuffer(buffer.data(), length, &written));
    EXPECT_EQ(77u, written);
    const std::size_t lastLine = text.rfind('\n', text.size() - 2) + 1;
    EXPECT_EQ(text.substr(0, lastLine) + std::string(length - lastLine, '\0') + "####", buffer);
}

TEST_F(GridPointTest, AbsurdSizesAndIndicesAreRefused) {
    GridPointRecord p{};
    UINT32 a = 0, b = 0;
    UINT32 written = 0;
    char buffer[64];
    // Nothing to address before a header.
    EXPECT_EQ(E_FAIL, map->GetPoint(0, 0, &p));
    EXPECT_EQ(E_FAIL, map->SetPoint(0, 0, &p));
    EXPECT_EQ(E_POINTER, map->SetHeader(nullptr));
    EXPECT_EQ(E_POINTER, map->GetLabel(&a, &b, nullptr));
    // The name comes back with its NUL and nothing after it.
    char name[16] = "xxxxxxxxxxxxxxx";
    EXPECT_EQ(S_OK, map->SetLabel(4, 5, "left"));
    EXPECT_EQ(S_OK, map->GetLabel(&a, &b, name));
    EXPECT_EQ(4u, a);
    EXPECT_EQ(5u, b);
    EXPECT_EQ(0, std::memcmp("left\0xxxxx", name, 10));
    EXPECT_EQ(E_POINTER, map->LoadFromBuffer(nullptr, 4));
    EXPECT_EQ(E_POINTER, map->SaveToBuffer(nullptr, 64, &written));
    EXPECT_EQ(E_POINTER, map->SaveToBuffer(buffer, 64, nullptr));

    SetHeader(2, 3);
    EXPECT_EQ(E_INVALIDARG, map->GetPoint(2, 0, &p));
    EXPECT_EQ(E_INVALIDARG, map->SetPoint(0, 3, &p));
    EXPECT_EQ(E_INVALIDARG, map->GetPoint(0xFFFFFFFFu, 0xFFFFFFFFu, &p));

    // A negative product or an infinite side is refused; a product beyond
    // memory ends in the allocation failure exception. The map stays as it was.
    GridPointHeader h{-2, 3, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(E_INVALIDARG, map->SetHeader(&h));
    h.columns = std::numeric_limits<double>::infinity();
    h.rows = 1;
    EXPECT_EQ(E_INVALIDARG, map->SetHeader(&h));
    h.columns = 1e200;
    h.rows = 1e200;
    EXPECT_THROW(map->SetHeader(&h), std::bad_alloc);
    EXPECT_EQ(E_INVALIDARG, Load("-2, 3, 0, 0, 0, 0, 0, 0\n"));
    EXPECT_THROW(Load("1e9, 1e9, 0, 0, 0, 0, 0, 0\n"), std::bad_alloc);
    EXPECT_EQ(2.0, Header().columns);
    EXPECT_EQ(3.0, Header().rows);
    EXPECT_EQ(S_OK, map->GetPoint(1, 2, &p));

    // FreeData keeps the header but drops the points.
    EXPECT_EQ(S_OK, map->FreeData());
    EXPECT_EQ(3.0, Header().rows);
    EXPECT_EQ(E_FAIL, map->GetPoint(0, 0, &p));
    EXPECT_EQ(E_FAIL, map->SaveToBuffer(buffer, sizeof buffer, &written));
    // Two negative sides make six records, none of them visited or addressed.
    ASSERT_EQ(S_OK, Load("-2, -3, 0, 0, 0, 0, 0, 0\n1\n"));
    EXPECT_EQ("-2, -3, 0, 0, 0, 0, 0, 0\n", Save());
    EXPECT_EQ(E_INVALIDARG, map->GetPoint(0, 0, &p));

    // A side past the 32-bit range allocates its product and
    // truncates to 0x80000000: none of its 3 records is visited or addressed.
    SetHeader(3e9, 1e-9);
    EXPECT_EQ("3e+09, 1e-09, 0, 0, 0, 0, 0, 0\n", Save());
    EXPECT_EQ(E_INVALIDARG, map->GetPoint(0, 0, &p));
}

}  // namespace

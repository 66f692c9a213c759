// The edge-blend table: cells with levels, lists and pairs, points, and the
// comma-separated text read back through the H-trimming splitter.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

const char kTwoCells[] =
    "2, 1, 1, 2, \n"
    "3, 4, 1, 2, \n"
    "0, 0, 0, 0, \n"
    "10, -3, 012345, 1, 2, 3, 1, \n"
    "0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, \n"
    "100, -100, \n"
    "0, 0, 7, 4, 5, 6, 0 \n"
    "1, 2, -1, -1, 3, 4, -1, -1,\n"
    "-1, -1, -1, -1, -1, -1, -1, -1,\n";

struct EbInfoTest : quontest::ObjectTest<IQuonEbInfo, CLSID_QuonEbInfo, IID_IQuonEbInfo> {
    IQuonEbInfo* const eb = object.get();
    void Cell(UINT32 i, UINT32 j, UINT32 k, EbCell& cell, EbProfile& profile) {
        EXPECT_EQ(S_OK, eb->GetCell(i, j, k, &cell, &profile));
    }
    EbPoint Point(UINT32 i, UINT32 j) {
        EbPoint p{-9, -9, -9, -9};
        EXPECT_EQ(S_OK, eb->GetPoint(i, j, &p));
        return p;
    }
    void FillTwoCells() {
        ASSERT_EQ(S_OK, eb->AllocateCells(1, 2, 1));
        ASSERT_EQ(S_OK, eb->AllocatePoints(1, 2, 1));
        const EbPoint p{1, 2, 3, 4};
        EXPECT_EQ(S_OK, eb->SetPoint(0, 0, &p));
        EbCell cell{};
        EbProfile profile{10.9, -3.7, {}, {100, -100}};
        cell.levelHigh = 12;
        cell.levelLow = 345;
        cell.valueD = 1;
        cell.spare = 99;  // not in the text
        cell.valueE = 2;
        cell.valueF = 3;
        cell.listsPresent = 1;
        cell.list1Count = 17;
        cell.list2Count = 2;
        for (int v = 0; v < 33; ++v) profile.list1[v] = v;
        EXPECT_EQ(S_OK, eb->SetCell(0, 0, 0, &cell, &profile));
        EbCell plain{};
        plain.levelHigh = plain.levelLow = 7;
        plain.valueD = 4, plain.valueE = 5, plain.valueF = 6;
        const EbProfile flat{};
        EXPECT_EQ(S_OK, eb->SetCell(0, 1, 0, &plain, &flat));
        EbCellPairs pairs{};
        pairs.pairs[0] = {1, 1, 2};
        pairs.pairs[1] = {0, 5, 5};
        pairs.pairs[2] = {1, 3, 4};
        EXPECT_EQ(S_OK, eb->SetCellPairs(0, 0, 0, &pairs));
    }
};

TEST_F(EbInfoTest, WritesCellsListsPairsAndPoints) {
    EXPECT_EQ("0, 0, 0, 0, \n", Save());
    FillTwoCells();
    EXPECT_EQ(kTwoCells, Save());

    // A first list of other than 17 values is marked 2; a count past the
    // list prints the whole list.
    EbCell cell{};
    EbProfile profile{};
    Cell(0, 0, 0, cell, profile);
    cell.list1Count = 40;
    cell.list2Count = 0;
    eb->SetCell(0, 0, 0, &cell, &profile);
    const std::string text = Save();
    EXPECT_NE(std::string::npos,
              text.find("10, -3, 012345, 1, 2, 3, 2, \n"
                        "0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, "
                        "25, 26, 27, 28, 29, 30, 31, 32, \n\n0, 0, 7, "));

    // The header gives sizeB first.
    ASSERT_EQ(S_OK, eb->AllocateCells(2, 3, 4));
    ASSERT_EQ(S_OK, eb->AllocatePoints(0, 0, 1));
    EXPECT_EQ("3, 2, 4, 0, \n0, 0, 0, 0, 0, 0, 0 \n", Save().substr(0, 34));
}

TEST_F(EbInfoTest, ReadsWhatItWrites) {
    ASSERT_EQ(S_OK, Load(kTwoCells));
    EXPECT_EQ(kTwoCells, Save());
    // 012345 is levels 12 and 345, a lone 7 both levels 7.
    EbCell cell{};
    EbProfile profile{};
    Cell(0, 0, 0, cell, profile);
    EXPECT_EQ(12.0, cell.levelHigh);
    EXPECT_EQ(345.0, cell.levelLow);
    Cell(0, 1, 0, cell, profile);
    EXPECT_EQ(7.0, cell.levelHigh);
    EXPECT_EQ(7.0, cell.levelLow);
    // The point count is read without the grid: points are reached by
    // their number (columns stay 0).
    EXPECT_EQ(4, Point(0, 0).p3);
    EXPECT_EQ(0, Point(0, 1).p0);
    // -1, -1 reads as a disabled pair.
    EbCellPairs pairs{};
    ASSERT_EQ(S_OK, eb->GetCellPairs(0, 0, 0, &pairs));
    EXPECT_EQ(1, pairs.pairs[0].enable);
    EXPECT_EQ(0, pairs.pairs[1].enable);

    // Blank lines are dropped and H is trimmed from both ends of a line;
    // "\r" stays and sscanf stops before it.
    ASSERT_EQ(S_OK, Load("\nH2, 1, 1, 2, H\r\n\n\n3, 4, 1, 2, \r\nHH\n0, 0, 0, 0, \r\n"
                         "10, -3, 012345, 1, 2, 3, 1, \n0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, \n"
                         "100, -100, \n0, 0, 7, 4, 5, 6, 0 \n1, 2, -1, -1, 3, 4, -1, -1,\n"
                         "-1, -1, -1, -1, -1, -1, -1, -1,\n"));
    EXPECT_EQ(kTwoCells, Save());
}

TEST_F(EbInfoTest, ShortAndMalformedTexts) {
    // Fewer lines than announced: the rest stays zero, pairs included; a
    // first list of five values is marked 2 and still consumes two lines.
    ASSERT_EQ(S_OK, Load("3, 1, 1, 2, \n5, 6, 7, 8, \n"));
    EXPECT_EQ("3, 1, 1, 2, \n5, 6, 7, 8, \n0, 0, 0, 0, \n"
              "0, 0, 0, 0, 0, 0, 0 \n0, 0, 0, 0, 0, 0, 0 \n0, 0, 0, 0, 0, 0, 0 \n"
              "-1, -1, -1, -1, -1, -1, -1, -1,\n-1, -1, -1, -1, -1, -1, -1, -1,\n-1, -1, -1, -1, -1, -1, -1, -1,\n",
              Save());
    ASSERT_EQ(S_OK, Load("2, 1, 1, 0, \n1, 1, 5000, 0, 0, 0, 2, \n1, 2, 3, 4, 5, \n \n2, 2, 999, 0, 0, 0, 0, \n"
                         "7, 8, 9, \n1, 2, 3, 4, 5, 6, x, 8,\n"));
    EbCell cell{};
    EbProfile profile{};
    Cell(0, 0, 0, cell, profile);
    EXPECT_EQ(5.0, cell.levelHigh);
    EXPECT_EQ(0.0, cell.levelLow);
    EXPECT_EQ(5u, cell.list1Count);
    EXPECT_EQ(0u, cell.list2Count);  // a line of blanks holds no number
    Cell(0, 1, 0, cell, profile);
    EXPECT_EQ(999.0, cell.levelHigh);
    EXPECT_EQ(999.0, cell.levelLow);
    EbCellPairs pairs{};
    eb->GetCellPairs(0, 1, 0, &pairs);
    EXPECT_EQ(1, pairs.pairs[2].enable);  // 5, 6
    EXPECT_EQ(0, pairs.pairs[3].enable);  // did not scan
    eb->GetCellPairs(0, 0, 0, &pairs);
    EXPECT_EQ(0, pairs.pairs[1].enable);  // 9 alone
    EXPECT_EQ("2, 1, 1, 0, \n1, 1, 005000, 0, 0, 0, 2, \n1, 2, 3, 4, 5, \n\n2, 2, 999, 0, 0, 0, 0 \n"
              "7, 8, -1, -1, -1, -1, -1, -1,\n1, 2, 3, 4, 5, 6, -1, -1,\n",
              Save());

    // A header that does not scan keeps the sizes held; an empty text
    // changes nothing.
    ASSERT_EQ(S_OK, Load("x, 7\n"));
    EXPECT_EQ(S_OK, Load(""));
    EXPECT_EQ(S_OK, Load("\nHHH\n"));
    EXPECT_EQ(S_OK, eb->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ("2, 1, 1, 0, \n0, 0, 0, 0, 0, 0, 0 \n0, 0, 0, 0, 0, 0, 0 \n"
              "-1, -1, -1, -1, -1, -1, -1, -1,\n-1, -1, -1, -1, -1, -1, -1, -1,\n",
              Save());
}

TEST_F(EbInfoTest, AbsurdCountsAndIndicesAreRefused) {
    FillTwoCells();
    EbCell cell{};
    EbProfile profile{};
    EbPoint point{};
    EbCellPairs pairs{};
    EXPECT_EQ(E_INVALIDARG, eb->GetCell(1, 0, 0, &cell, &profile));
    EXPECT_EQ(E_INVALIDARG, eb->SetCell(0, 2, 0, &cell, &profile));
    EXPECT_EQ(E_INVALIDARG, eb->GetCellPairs(0, 0, 1, &pairs));
    EXPECT_EQ(E_INVALIDARG, eb->SetCellPairs(0xFFFFFFFFu, 0, 0, &pairs));
    EXPECT_EQ(E_INVALIDARG, eb->GetPoint(0, 2, &point));
    EXPECT_EQ(E_INVALIDARG, eb->SetPoint(1, 0, &point));
    EXPECT_EQ(E_POINTER, eb->SetCell(0, 0, 0, &cell, nullptr));
    EXPECT_EQ(E_POINTER, eb->LoadFromBuffer(nullptr, 1));

    // Negative extents and counts past a signed 32-bit number are refused;
    // a table past memory ends in the allocation failure exception. Nothing
    // changes.
    EXPECT_EQ(E_INVALIDARG, eb->AllocateCells(-1, 2, 3));
    EXPECT_EQ(E_INVALIDARG, eb->AllocateCells(65536, 65536, 1));
    EXPECT_EQ(E_INVALIDARG, eb->AllocatePoints(-1, -1, 1));
    EXPECT_EQ(E_INVALIDARG, Load("1, 1, 1, -1, \n"));
    EXPECT_EQ(E_INVALIDARG, Load("65536, 65536, 2, 0, \n"));
    EXPECT_THROW(Load("2000, 2000, 100, 0, \n"), std::bad_alloc);
    EXPECT_THROW(eb->AllocateCells(2000, 2000, 100), std::bad_alloc);
    EXPECT_EQ(kTwoCells, Save());

    UINT32 rows = 0, columns = 0, mode = 0;
    eb->GetPointGrid(&rows, &columns, &mode);
    EXPECT_EQ(1u, rows);
    EXPECT_EQ(2u, columns);
    EXPECT_EQ(1u, mode);

    // After FreeData nothing is addressed and announced tables are not printed.
    EXPECT_EQ(S_OK, eb->FreeData());
    EXPECT_EQ(E_FAIL, eb->GetCell(0, 0, 0, &cell, &profile));
    EXPECT_EQ(E_FAIL, eb->GetPoint(0, 0, &point));
    EXPECT_EQ(E_FAIL, eb->GetCellPairs(0, 0, 0, &pairs));
    HRESULT hr = S_OK;
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);
}

TEST_F(EbInfoTest, NameAndCopyOut) {
    char storage[8] = "xxxxxxx";
    char* name = storage;
    EXPECT_EQ(S_OK, eb->GetName(&name));
    EXPECT_EQ('\0', storage[0]);
    EXPECT_EQ(S_OK, eb->SetName("blend"));
    EXPECT_EQ(S_OK, eb->GetName(&name));
    EXPECT_EQ(0, std::memcmp("blend\0x", storage, 7));
    EXPECT_EQ(E_POINTER, eb->SetName(nullptr));
    char* null = nullptr;
    EXPECT_EQ(E_POINTER, eb->GetName(&null));

    FillTwoCells();
    ExpectFitsExactly(kTwoCells);
}

}  // namespace

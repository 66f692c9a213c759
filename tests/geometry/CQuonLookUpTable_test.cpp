// The look-up table: its comma-separated text and its bounds.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

struct LookUpTableTest : quontest::ObjectTest<IQuonLookUpTable, CLSID_QuonLookUpTable, IID_IQuonLookUpTable> {
    IQuonLookUpTable* const table = object.get();

    void ExpectSize(UINT32 columns, UINT32 rows) {
        UINT32 c = 99, r = 99;
        EXPECT_EQ(S_OK, table->GetTableSize(&c, &r));
        EXPECT_EQ(columns, c);
        EXPECT_EQ(rows, r);
    }
};

TEST_F(LookUpTableTest, TextRoundTripAndLenientReading) {
    EXPECT_EQ("0,0\n", Save());  // a fresh table
    ASSERT_EQ(S_OK, table->SetTableSize(3, 2));
    const LookUpEntry e{0.1, -2.5, 1e-7, 123456789};
    EXPECT_EQ(S_OK, table->SetEntry(2, 1, &e));
    // Row-major, zero-filled; %g keeps six significant digits; no label in the text.
    EXPECT_EQ("3,2\n0,0,0,0\n0,0,0,0\n0,0,0,0\n0,0,0,0\n0,0,0,0\n0.1,-2.5,1e-07,1.23457e+08\n", Save());

    const std::string text = "2,1\n1,2,3,4\n5,6,7,8\n";
    ASSERT_EQ(S_OK, Load(text));
    LookUpEntry back{};
    EXPECT_EQ(S_OK, table->GetEntry(1, 0, &back));
    EXPECT_EQ(5.0, back.value0);
    EXPECT_EQ(text, Save());
    ExpectFitsExactly(text);

    // Each load starts from a zeroed table: an empty line, missing fields and
    // missing lines read as 0, later lines keep their places, fields past the
    // fourth are ignored; a size line of one field is a table without rows.
    ASSERT_EQ(S_OK, Load("2,2\r\n1.5,2,3,4,99\r\n\n9x,8\n"));
    EXPECT_EQ("2,2\n1.5,2,3,4\n0,0,0,0\n9,8,0,0\n0,0,0,0\n", Save());
    ASSERT_EQ(S_OK, Load("4\n1,2,3,4\n"));
    EXPECT_EQ("4,0\n", Save());

    // A text without a size field changes nothing.
    for (const char* empty : {"", "\n5,5\n"}) EXPECT_EQ(S_OK, Load(empty));
    EXPECT_EQ(S_OK, table->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ("4,0\n", Save());

    // Exactly length bytes are read: no NUL is needed and nothing after them is seen.
    const char unterminated[] = {'1', ',', '1', '\n', '2', ',', '0', ',', '0', ',', '9', '9'};
    ASSERT_EQ(S_OK, table->LoadFromBuffer(unterminated, 11));
    EXPECT_EQ("1,1\n2,0,0,9\n", Save());
}

TEST_F(LookUpTableTest, BoundsAndRefusals) {
    LookUpEntry e{1, 2, 3, 4};
    // No table yet: nothing to address.
    EXPECT_EQ(E_FAIL, table->SetEntry(0, 0, &e));
    EXPECT_EQ(E_FAIL, table->GetEntry(0, 0, &e));

    ASSERT_EQ(S_OK, table->SetTableSize(2, 3));
    EXPECT_EQ(E_INVALIDARG, table->SetEntry(2, 0, &e));
    EXPECT_EQ(E_INVALIDARG, table->SetEntry(0, 3, &e));
    EXPECT_EQ(E_INVALIDARG, table->GetEntry(0xFFFFFFFFu, 0, &e));
    UINT32 written = 0;
    for (HRESULT r : {table->SetEntry(0, 0, nullptr), table->GetTableSize(nullptr, nullptr),
                      table->SetLabel(1, 2, nullptr), table->LoadFromBuffer(nullptr, 3),
                      table->SaveToBuffer(nullptr, 100, &written)}) {
        EXPECT_EQ(E_POINTER, r);
    }

    // Negative sides and products beyond 32 bits are refused, an array past
    // 2 GiB (here 3.2 GB) throws the allocation failure; the table stays.
    EXPECT_EQ(E_INVALIDARG, table->SetTableSize(-1, 5));
    EXPECT_EQ(E_INVALIDARG, table->SetTableSize(65536, 65536));
    EXPECT_EQ(E_INVALIDARG, Load("-2,-2\n"));
    EXPECT_THROW(table->SetTableSize(10000, 10000), std::bad_alloc);
    EXPECT_THROW(Load("10000,10000\n"), std::bad_alloc);
    ExpectSize(2, 3);

    // FreeData keeps the size but drops the entries: nothing can be read or written.
    EXPECT_EQ(S_OK, table->FreeData());
    ExpectSize(2, 3);
    EXPECT_EQ(E_FAIL, table->GetEntry(0, 0, &e));
    HRESULT hr = S_OK;
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);
    // A new size makes it usable again.
    ASSERT_EQ(S_OK, table->SetTableSize(1, 1));
    EXPECT_EQ("1,1\n0,0,0,0\n", Save());
}

}  // namespace

// The look-up table: its comma-separated text, its output contract and its bounds.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct LookUpTableTest : ::testing::Test {
    Ref<IQuonLookUpTable> table{CLSID_QuonLookUpTable, IID_IQuonLookUpTable};

    HRESULT Load(const std::string& text) { return table->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())); }
    std::string Save(HRESULT* hr = nullptr) {
        return quontest::Written([&](char* b, UINT32 c, UINT32* w) { return table->SaveToBuffer(b, c, w); }, hr);
    }
    void ExpectSize(UINT32 columns, UINT32 rows) {
        UINT32 c = 99, r = 99;
        EXPECT_EQ(S_OK, table->GetTableSize(&c, &r));
        EXPECT_EQ(columns, c);
        EXPECT_EQ(rows, r);
    }
};

TEST_F(LookUpTableTest, TextRoundTripAndLenientReading) {
    EXPECT_EQ("0,0\n", Save());  // a fresh table
    ASSERT_EQ(S_OK, Load("0,0"));
    EXPECT_EQ("0,0\n", Save());
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
    EXPECT_EQ(8.0, back.value3);
    EXPECT_EQ(text, Save());

    // "\r" stays in the fields and the lenient readers stop before it; an
    // empty line leaves its entry zero and later lines keep their places;
    // missing fields read as 0; each load starts from a zeroed table.
    ASSERT_EQ(S_OK, Load("2,2\r\n1.5,2,3,4\r\n\n7,8\n9x,10,11,12,13\n"));
    EXPECT_EQ("2,2\n1.5,2,3,4\n0,0,0,0\n7,8,0,0\n9,10,11,12\n", Save());
    ASSERT_EQ(S_OK, Load("1,3\n1,1,1,1\n"));  // fewer lines than entries
    EXPECT_EQ("1,3\n1,1,1,1\n0,0,0,0\n0,0,0,0\n", Save());
    ASSERT_EQ(S_OK, Load("4\n1,2,3,4\n"));  // one field: a table without rows
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

TEST_F(LookUpTableTest, CopyOutAtCapacityAndOneByteOver) {
    const std::string expected = "2,1\n1,2,3,4\n5,6,7,8\n";
    const UINT32 size = static_cast<UINT32>(expected.size());
    ASSERT_EQ(S_OK, Load(expected));
    std::string buffer(size + 1, '#');
    UINT32 written = 77;
    EXPECT_EQ(E_FAIL, table->SaveToBuffer(buffer.data(), size - 1, &written));
    EXPECT_EQ(std::string(size + 1, '#'), buffer);
    EXPECT_EQ(77u, written);
    EXPECT_EQ(S_OK, table->SaveToBuffer(buffer.data(), size, &written));
    EXPECT_EQ(expected + "#", buffer);  // no terminator
    EXPECT_EQ(size, written);
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
    EXPECT_EQ(E_POINTER, table->SetEntry(0, 0, nullptr));
    EXPECT_EQ(E_POINTER, table->GetEntry(0, 0, nullptr));
    EXPECT_EQ(E_POINTER, table->GetTableSize(nullptr, nullptr));
    EXPECT_EQ(E_POINTER, table->GetLabelValues(nullptr, nullptr));
    EXPECT_EQ(E_POINTER, table->SetLabel(1, 2, nullptr));
    EXPECT_EQ(E_POINTER, table->LoadFromBuffer(nullptr, 3));
    UINT32 written = 0;
    EXPECT_EQ(E_POINTER, table->SaveToBuffer(nullptr, 100, &written));

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

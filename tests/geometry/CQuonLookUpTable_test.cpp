// The look-up table: slots, its comma-separated text, and its bounds.
#include <gtest/gtest.h>

#include <string>

#include "QuonCoreModel.h"
#include "geometry/CQuonLookUpTable.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct LookUpTableTest : ::testing::Test {
    Ref<IQuonLookUpTable> table{CLSID_QuonLookUpTable, IID_IQuonLookUpTable};

    HRESULT Load(const std::string& text) { return table->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())); }
    std::string Save(HRESULT* hr = nullptr) {
        return quontest::Written([&](char* b, UINT32 c, UINT32* w) { return table->SaveToBuffer(b, c, w); }, hr);
    }
    LookUpEntry Entry(UINT32 c, UINT32 r) {
        LookUpEntry e{-1, -1, -1, -1};
        EXPECT_EQ(S_OK, table->GetEntry(c, r, &e));
        return e;
    }
};

TEST_F(LookUpTableTest, FreshTableAndSlots) {
    UINT32 a = 9, b = 9, columns = 9, rows = 9;
    EXPECT_EQ(S_OK, table->GetLabelValues(&a, &b));
    EXPECT_EQ(0u, a);
    EXPECT_EQ(0u, b);
    EXPECT_EQ(S_OK, table->GetTableSize(&columns, &rows));
    EXPECT_EQ(0u, columns);
    EXPECT_EQ(0u, rows);
    EXPECT_EQ("0,0\n", Save());

    EXPECT_EQ(S_OK, table->SetLabel(7, 8, "gain"));
    EXPECT_EQ(S_OK, table->GetLabelValues(&a, &b));
    EXPECT_EQ(7u, a);
    EXPECT_EQ(8u, b);
    EXPECT_EQ("gain", static_cast<CQuonLookUpTable*>(table.get())->Name());

    ASSERT_EQ(S_OK, table->SetTableSize(3, 2));
    const LookUpEntry e{0.1, -2.5, 1e-7, 123456789};
    EXPECT_EQ(S_OK, table->SetEntry(2, 1, &e));
    const LookUpEntry back = Entry(2, 1);
    EXPECT_EQ(0.1, back.value0);
    EXPECT_EQ(123456789.0, back.value3);
    EXPECT_EQ(0.0, Entry(0, 0).value0);
    // The label is not part of the text; %g keeps six significant digits.
    EXPECT_EQ("3,2\n0,0,0,0\n0,0,0,0\n0,0,0,0\n0,0,0,0\n0,0,0,0\n0.1,-2.5,1e-07,1.23457e+08\n", Save());
}

TEST_F(LookUpTableTest, TextRoundTripAndLenientReading) {
    const std::string text = "2,1\n1,2,3,4\n5,6,7,8\n";
    ASSERT_EQ(S_OK, Load(text));
    const LookUpEntry e = Entry(1, 0);
    EXPECT_EQ(5.0, e.value0);
    EXPECT_EQ(8.0, e.value3);
    EXPECT_EQ(text, Save());

    // "\r" stays in the fields and the lenient readers skip it; an empty
    // line leaves its entry zero and later lines keep their places; a
    // short line reads its missing fields as 0.
    ASSERT_EQ(S_OK, Load("2,2\r\n1.5,2,3,4\r\n\n7,8\n9x,10,11,12,13\n"));
    EXPECT_EQ(1.5, Entry(0, 0).value0);
    EXPECT_EQ(0.0, Entry(1, 0).value0);
    EXPECT_EQ(7.0, Entry(0, 1).value0);
    EXPECT_EQ(0.0, Entry(0, 1).value2);
    EXPECT_EQ(9.0, Entry(1, 1).value0);
    EXPECT_EQ("2,2\n1.5,2,3,4\n0,0,0,0\n7,8,0,0\n9,10,11,12\n", Save());

    // Fewer lines than entries: the missing entries stay zero.
    ASSERT_EQ(S_OK, Load("1,3\n1,1,1,1\n"));
    EXPECT_EQ("1,3\n1,1,1,1\n0,0,0,0\n0,0,0,0\n", Save());

    // A size line with one field is a table without rows.
    ASSERT_EQ(S_OK, Load("4\n1,2,3,4\n"));
    EXPECT_EQ("4,0\n", Save());

    // Exactly length bytes are read: no NUL is needed after them, and text
    // after length is not seen.
    const char unterminated[] = {'1', ',', '1', '\n', '2', ',', '0', ',', '0', ',', '9', '9'};
    ASSERT_EQ(S_OK, table->LoadFromBuffer(unterminated, 11));
    EXPECT_EQ("1,1\n2,0,0,9\n", Save());
}

TEST_F(LookUpTableTest, EmptyTextsChangeNothing) {
    ASSERT_EQ(S_OK, Load("1,1\n4,4,4,4\n"));
    EXPECT_EQ(S_OK, Load(""));
    EXPECT_EQ(S_OK, Load("\n5,5\n"));  // first line without a field
    EXPECT_EQ(S_OK, table->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ("1,1\n4,4,4,4\n", Save());
    EXPECT_EQ(S_OK, Load("0,0"));
    EXPECT_EQ("0,0\n", Save());
}

TEST_F(LookUpTableTest, CopyOutAtCapacityAndOneByteOver) {
    ASSERT_EQ(S_OK, Load("2,1\n1,2,3,4\n5,6,7,8\n"));
    const std::string expected = "2,1\n1,2,3,4\n5,6,7,8\n";
    std::string buffer(expected.size() + 4, '#');
    UINT32 written = 0;
    EXPECT_EQ(S_OK, table->SaveToBuffer(buffer.data(), static_cast<UINT32>(expected.size()), &written));
    EXPECT_EQ(expected + "####", buffer);
    EXPECT_EQ(expected.size(), written);

    buffer.assign(expected.size() + 4, '#');
    written = 77;
    EXPECT_EQ(E_FAIL, table->SaveToBuffer(buffer.data(), static_cast<UINT32>(expected.size() - 1), &written));
    EXPECT_EQ(std::string(expected.size() + 4, '#'), buffer);
    EXPECT_EQ(77u, written);
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

    // Negative sides and products beyond 32 bits are refused; the table stays.
    EXPECT_EQ(E_INVALIDARG, table->SetTableSize(-1, 5));
    EXPECT_EQ(E_INVALIDARG, table->SetTableSize(65536, 65536));
    EXPECT_EQ(E_INVALIDARG, Load("-2,-2\n"));
    UINT32 columns = 0, rows = 0;
    table->GetTableSize(&columns, &rows);
    EXPECT_EQ(2u, columns);
    EXPECT_EQ(3u, rows);

    // FreeData keeps the size but drops the entries: nothing can be read or written.
    EXPECT_EQ(S_OK, table->FreeData());
    table->GetTableSize(&columns, &rows);
    EXPECT_EQ(2u, columns);
    EXPECT_EQ(E_FAIL, table->GetEntry(0, 0, &e));
    HRESULT hr = S_OK;
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);
    // A new size makes it usable again.
    ASSERT_EQ(S_OK, table->SetTableSize(1, 1));
    EXPECT_EQ("1,1\n0,0,0,0\n", Save());
}

}  // namespace

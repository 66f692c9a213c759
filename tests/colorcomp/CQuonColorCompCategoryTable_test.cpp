// The colour compensation category table: its record, its JSON document and
// the document rules it shares with the other colour sheets.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

const char kDefault[] =
    R"({"Version":"","OrgSpecTable_1":{"PjCategory":"","PjCategoryN":0,"pjtype":0},)"
    R"("OrgSpecTable_2":{"PjCategory":"","PjCategoryN":0,"pjtype":0},)"
    R"("OrgSpecTable_3":{"PjCategory":"","PjCategoryN":0,"pjtype":0},)"
    R"("DiffSpecTable_1":{"PjCategory_0":"","PjCategoryN_0":0,"pjtype_0":0,"PjCategory_1":"","PjCategoryN_1":0,"pjtype_1":0}})";

struct CategoryTableTest : quontest::ObjectTest<IQuonColorCompCategoryTable, CLSID_QuonColorCompCategoryTable,
                                                 IID_IQuonColorCompCategoryTable> {
    IQuonColorCompCategoryTable* const table = object.get();
    ColorCompCategoryTableData Data() { return Got(&IQuonColorCompCategoryTable::GetData); }
    static ColorCompCategoryTableData Sample() {
        return {"1.0.2", {{"Cat1", 10, 100}, {"Cat2", 11, 101}, {"Cat3", 12, 102}}, {"Left \"A\"", 4294967295u, 7, "Right", 8, 9}};
    }
};

bool Same(const ColorCompCategoryTableData& a, const ColorCompCategoryTableData& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(CategoryTableTest, DefaultDocumentAndRecordRoundTrip) {
    EXPECT_EQ(std::string(kDefault), Save());

    const ColorCompCategoryTableData sample = Sample();
    ASSERT_EQ(S_OK, table->SetData(&sample));
    const std::string text = Save();
    EXPECT_EQ(
        R"({"Version":"1.0.2","OrgSpecTable_1":{"PjCategory":"Cat1","PjCategoryN":10,"pjtype":100},)"
        R"("OrgSpecTable_2":{"PjCategory":"Cat2","PjCategoryN":11,"pjtype":101},)"
        R"("OrgSpecTable_3":{"PjCategory":"Cat3","PjCategoryN":12,"pjtype":102},)"
        R"("DiffSpecTable_1":{"PjCategory_0":"Left \"A\"","PjCategoryN_0":4294967295,"pjtype_0":7,)"
        R"("PjCategory_1":"Right","PjCategoryN_1":8,"pjtype_1":9}})",
        text);

    // Initialize zero-fills; reading the text back restores the record;
    // FreeData leaves it.
    ASSERT_EQ(S_OK, table->Initialize());
    EXPECT_TRUE(Same(ColorCompCategoryTableData{}, Data()));
    ASSERT_EQ(S_OK, Load(text));
    EXPECT_EQ(S_OK, table->FreeData());
    EXPECT_TRUE(Same(sample, Data()));
}

TEST_F(CategoryTableTest, ReadingMergesAndSkipsMistypedMembers) {
    const ColorCompCategoryTableData sample = Sample();
    ASSERT_EQ(S_OK, table->SetData(&sample));

    // Null counts as absent; nothing changes.
    ASSERT_EQ(S_OK, Load(R"({"Version":null,"OrgSpecTable_1":null,"DiffSpecTable_1":null})"));
    EXPECT_TRUE(Same(sample, Data()));

    // A table that is not an object is skipped whole; members of the wrong
    // type (negative, fraction, text, too big for 32 bits, null) keep their values.
    ASSERT_EQ(S_OK, Load(R"({"OrgSpecTable_2":"abc","OrgSpecTable_1":{"PjCategoryN":-1,"pjtype":1.5},)"
                         R"("OrgSpecTable_3":{"PjCategory":null,"PjCategoryN":"7","pjtype":4294967296},)"
                         R"("DiffSpecTable_1":[1],"Unknown":{"x":1}})"));
    EXPECT_TRUE(Same(sample, Data()));

    // Only the members present change; 4294967295 is taken.
    ASSERT_EQ(S_OK, Load(R"({"OrgSpecTable_3":{"PjCategoryN":4294967295,"PjCategory":"New"},)"
                         R"("DiffSpecTable_1":{"pjtype_1":0,"PjCategory_0":""}})"));
    ColorCompCategoryTableData expected = sample;
    expected.OrgSpecTable[2].PjCategoryN = 4294967295u;
    std::memcpy(expected.OrgSpecTable[2].PjCategory, "New", 4);
    expected.DiffSpecTable.pjtype_1 = 0;
    expected.DiffSpecTable.PjCategory_0[0] = '\0';
    EXPECT_TRUE(Same(expected, Data()));
}

TEST_F(CategoryTableTest, BrokenDocumentsThrowBeforeAnythingChanges) {
    const ColorCompCategoryTableData sample = Sample();
    ASSERT_EQ(S_OK, table->SetData(&sample));
    for (const char* text : {"", "null", "[]", "{\"Version\":\"x\"", "\"text\""}) {
        EXPECT_EQ("IsObject()", quontest::Thrown<std::runtime_error>([&] { Load(text); })) << text;
    }
    EXPECT_EQ("IsString()",
              quontest::Thrown<std::runtime_error>([&] { Load(R"({"Version":5,"OrgSpecTable_1":{"pjtype":1}})"); }));
    EXPECT_TRUE(Same(sample, Data()));
    EXPECT_EQ(E_POINTER, table->LoadFromBuffer(nullptr, 2));
}

TEST_F(CategoryTableTest, LongTextsAreCutToTheirFields) {
    const std::string version(40, 'v');
    const std::string category(70, 'c');
    ASSERT_EQ(S_OK, Load(R"({"Version":")" + version + R"(","OrgSpecTable_1":{"PjCategory":")" + category +
                         R"("},"DiffSpecTable_1":{"PjCategory_1":")" + category + R"("}})"));
    const ColorCompCategoryTableData d = Data();
    EXPECT_EQ(std::string(31, 'v'), std::string(d.Version));
    EXPECT_EQ(std::string(63, 'c'), std::string(d.OrgSpecTable[0].PjCategory));
    EXPECT_EQ(std::string(63, 'c'), std::string(d.DiffSpecTable.PjCategory_1));

    // A field the host filled to its end without a NUL is written up to its end.
    ColorCompCategoryTableData full{};
    std::memset(full.Version, 'w', sizeof full.Version);
    ASSERT_EQ(S_OK, table->SetData(&full));
    EXPECT_EQ(0u, Save().find(R"({"Version":")" + std::string(32, 'w') + R"(","OrgSpecTable_1")"));
}

TEST_F(CategoryTableTest, OutputContract) {
    std::string buffer(400, '#');
    UINT32 written = 5;
    // Every refusal is E_FAIL: one byte short, a null buffer, a negative
    // capacity, a null length pointer.
    EXPECT_EQ(E_FAIL, table->SaveToBuffer(buffer.data(), 317, &written));
    EXPECT_EQ(E_FAIL, table->SaveToBuffer(nullptr, 1000, &written));
    EXPECT_EQ(E_FAIL, table->SaveToBuffer(buffer.data(), -1, &written));
    EXPECT_EQ(E_FAIL, table->SaveToBuffer(buffer.data(), 1000, nullptr));
    EXPECT_EQ(std::string(400, '#'), buffer);
    EXPECT_EQ(5u, written);
    ASSERT_EQ(S_OK, table->SaveToBuffer(buffer.data(), 318, &written));
    EXPECT_EQ(318u, written);
    EXPECT_EQ(kDefault + std::string(400 - 318, '#'), buffer);
    EXPECT_EQ(E_POINTER, table->SetData(nullptr));
    EXPECT_EQ(E_POINTER, table->GetData(nullptr));
}

}  // namespace

// The look-up table list: references held, tables created by the reader,
// the block document written and read back.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "QuonCoreModel.h"
#include "geometry/CQuonLookUpTable.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

const char kTwoTables[] =
    "7,8,d\n"
    "2,1\n"
    "0.1,-2.5,1e-07,1.23457e+08\n"
    "5,6,7,8\n"
    "-1,0,d\n"
    "1,1\n"
    "0,0,0,1\n";

struct LookUpTableListTest
    : quontest::ObjectTest<IQuonLookUpTableList, CLSID_QuonLookUpTableList, IID_IQuonLookUpTableList> {
    IQuonLookUpTableList* const list = object.get();
    const LONG startObjects = CBaseObject::ObjectCount() - 1;  // before the fixture's object

    void TearDown() override {
        object.Reset();
        EXPECT_EQ(startObjects, CBaseObject::ObjectCount());
    }
    UINT32 Count() { return Got(&IQuonLookUpTableList::GetCount); }
    // Table `index` of the list, with the reference GetAt hands out.
    Ref<IQuonLookUpTable> At(UINT32 index) {
        IQuonLookUpTable* table = nullptr;
        EXPECT_EQ(S_OK, list->GetAt(index, &table));
        return Ref<IQuonLookUpTable>(table);
    }
    static std::string Name(const Ref<IQuonLookUpTable>& table) {
        return static_cast<CQuonLookUpTable*>(table.get())->Name();
    }
};

TEST_F(LookUpTableListTest, SavesEveryTableAsABlockAndReadsThemBack) {
    Ref<IQuonLookUpTable> first{CLSID_QuonLookUpTable, IID_IQuonLookUpTable};
    Ref<IQuonLookUpTable> second{CLSID_QuonLookUpTable, IID_IQuonLookUpTable};
    first->SetLabel(7, 8, "gain");
    const std::string firstText = "2,1\n0.1,-2.5,1e-7,123456789\n5,6,7,8\n", secondText = "1,1\n0,0,0,1\n";
    quontest::Load(first.get(), firstText);
    second->SetLabel(0xFFFFFFFFu, 0, "offset");  // printed with %d as -1
    quontest::Load(second.get(), secondText);
    EXPECT_EQ(S_OK, list->Add(first.get()));
    EXPECT_EQ(S_OK, list->Add(second.get()));
    EXPECT_EQ(3u, first->AddRef());  // ours, the list's, this one
    first->Release();
    EXPECT_EQ(2u, Count());
    EXPECT_EQ(kTwoTables, Save());

    // Read back: new tables named "d", with the labels printed and read back.
    list->ReleaseAll();
    ASSERT_EQ(S_OK, Load(kTwoTables));
    ASSERT_EQ(2u, Count());
    Ref<IQuonLookUpTable> loaded = At(1);
    UINT32 a = 0, b = 9;
    loaded->GetLabelValues(&a, &b);
    EXPECT_EQ(0xFFFFFFFFu, a);
    EXPECT_EQ("d", Name(loaded));
    // A table created by the reader is held by the list and by GetAt's caller.
    EXPECT_EQ(3u, loaded->AddRef());
    loaded->Release();
    EXPECT_EQ(kTwoTables, Save());

    // Loading appends; lines without the letter d before a block are skipped.
    ASSERT_EQ(S_OK, Load(std::string("# comment\n\n") + kTwoTables));
    EXPECT_EQ(4u, Count());
    EXPECT_EQ(std::string(kTwoTables) + kTwoTables, Save());
}

TEST_F(LookUpTableListTest, MalformedBlocks) {
    // Short header: missing label reads 0 and the name is empty. "\r" stays
    // in the name. A block whose size line is empty, or refused, is dropped;
    // a block with fewer entry lines keeps the missing entries zero.
    ASSERT_EQ(S_OK, Load("3,4,d\r\n\n"
                         "6,6,d\n-1,2\n"
                         "5d\n1,1\n1\n"
                         "9,9,dd\r\n2,2\r\n1,0,0,4\r\n\r\n3\n"));
    ASSERT_EQ(2u, Count());
    EXPECT_EQ("", Name(At(0)));
    EXPECT_EQ("dd\r", Name(At(1)));
    EXPECT_EQ("5,0,d\n1,1\n1,0,0,0\n"
              "9,9,d\n2,2\n1,0,0,4\n0,0,0,0\n3,0,0,0\n0,0,0,0\n",
              Save());

    // A block whose text ends at its header is dropped; a size without its
    // entry lines visits no more lines than there are.
    ASSERT_EQ(S_OK, Load("1,1,d"));
    ASSERT_EQ(S_OK, Load("1,1,d\n1000,1000\n"));
    EXPECT_EQ(3u, Count());
    UINT32 columns = 0, rows = 0;
    At(2)->GetTableSize(&columns, &rows);
    EXPECT_EQ(1000u, rows);
    // An entry array past 2 GiB throws the allocation failure; earlier tables stay.
    EXPECT_THROW(Load("1,1,d\n10000,10000\n"), std::bad_alloc);
    EXPECT_EQ(3u, Count());
}

TEST_F(LookUpTableListTest, EmptyListAndReleaseAll) {
    char buffer[4] = {'#', '#', '#', '#'};
    UINT32 written = 5;
    EXPECT_EQ(S_OK, list->SaveToBuffer(buffer, 0, &written));
    EXPECT_EQ(0u, written);
    EXPECT_EQ('#', buffer[0]);

    Ref<IQuonLookUpTable> table{CLSID_QuonLookUpTable, IID_IQuonLookUpTable};
    list->Add(table.get());
    ASSERT_EQ(S_OK, Load(kTwoTables));
    EXPECT_EQ(3u, Count());
    EXPECT_EQ(S_OK, list->ReleaseAll());
    EXPECT_EQ(0u, Count());
    EXPECT_EQ("", Save());
    EXPECT_EQ(2u, table->AddRef());  // the list's reference is gone
    table->Release();
    EXPECT_EQ(startObjects + 2, CBaseObject::ObjectCount());  // the list and our table
}

TEST_F(LookUpTableListTest, RefusalsAndCapacity) {
    IQuonLookUpTable* untouched = reinterpret_cast<IQuonLookUpTable*>(0x1234);
    EXPECT_EQ(S_OK, list->GetAt(0, &untouched));  // past the end: nothing reported, nothing written
    EXPECT_EQ(reinterpret_cast<IQuonLookUpTable*>(0x1234), untouched);
    UINT32 written = 77;
    for (HRESULT r : {list->GetAt(0, nullptr), list->Add(nullptr), list->SetName(nullptr), list->LoadFromBuffer(nullptr, 1),
                      list->SaveToBuffer(nullptr, 10, &written)}) {
        EXPECT_EQ(E_POINTER, r);
    }
    EXPECT_EQ(S_OK, list->LoadFromBuffer(nullptr, 0));

    ASSERT_EQ(S_OK, Load(kTwoTables));
    ExpectFitsExactly(kTwoTables);

    // A table whose entries were freed cannot be printed: the document is
    // refused with its failure and nothing is written, wherever it stands.
    At(0)->FreeData();
    std::string buffer(sizeof kTwoTables, '#');
    EXPECT_EQ(E_FAIL, list->SaveToBuffer(buffer.data(), sizeof kTwoTables, &written));
    EXPECT_EQ(std::string(sizeof kTwoTables, '#'), buffer);
    EXPECT_EQ(77u, written);
}

}  // namespace

// The calibration point table list: references taken, handed out and
// released.
#include <gtest/gtest.h>

#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
using quontest::Refs;

TEST(CalibPointTableListTest, HoldsHandsOutAndReleasesReferences) {
    const LONG before = CBaseObject::ObjectCount();
    {
        Ref<IQuonCalibPointTableList> list{CLSID_QuonCalibPointTableList, IID_IQuonCalibPointTableList};
        Ref<IQuonCalibPointTable> a{CLSID_QuonCalibPointTable, IID_IQuonCalibPointTable};
        Ref<IQuonCalibPointTable> b{CLSID_QuonCalibPointTable, IID_IQuonCalibPointTable};
        ASSERT_EQ(S_OK, list->AddTable(a.get()));
        ASSERT_EQ(S_OK, list->AddTable(b.get()));
        ASSERT_EQ(S_OK, list->AddTable(a.get()));
        EXPECT_EQ(3u, Refs(a.get()));
        EXPECT_EQ(2u, Refs(b.get()));
        EXPECT_EQ(E_POINTER, list->AddTable(nullptr));

        UINT32 count = 0;
        ASSERT_EQ(S_OK, list->GetTableCount(&count));
        EXPECT_EQ(3u, count);
        IQuonCalibPointTable* got = nullptr;
        ASSERT_EQ(S_OK, list->GetTable(1, &got));
        EXPECT_EQ(b.get(), got);
        EXPECT_EQ(3u, Refs(b.get()));  // the caller's new reference
        got->Release();
        // Index = count: S_OK and the output untouched.
        IQuonCalibPointTable* untouched = reinterpret_cast<IQuonCalibPointTable*>(0x1);
        EXPECT_EQ(S_OK, list->GetTable(3, &untouched));
        EXPECT_EQ(reinterpret_cast<IQuonCalibPointTable*>(0x1), untouched);
        EXPECT_EQ(E_POINTER, list->GetTable(0, nullptr));

        // ReleaseTables keeps the entries, empty.
        ASSERT_EQ(S_OK, list->ReleaseTables());
        EXPECT_EQ(1u, Refs(a.get()));
        EXPECT_EQ(1u, Refs(b.get()));
        ASSERT_EQ(S_OK, list->GetTableCount(&count));
        EXPECT_EQ(3u, count);
        got = b.get();
        ASSERT_EQ(S_OK, list->GetTable(0, &got));
        EXPECT_EQ(nullptr, got);
        EXPECT_EQ(S_OK, list->ReleaseTables());  // nothing left to release

        // The list's destructor releases what it still holds.
        ASSERT_EQ(S_OK, list->AddTable(b.get()));
        EXPECT_EQ(2u, Refs(b.get()));
        list.Reset();
        EXPECT_EQ(1u, Refs(b.get()));
    }
    EXPECT_EQ(before, CBaseObject::ObjectCount());
}

TEST(CalibPointTableListTest, IdentityAndRefusals) {
    Ref<IQuonCalibPointTableList> list{CLSID_QuonCalibPointTableList, IID_IQuonCalibPointTableList};
    UINT32 id = 9;
    char name[16] = "x";
    ASSERT_EQ(S_OK, list->SetIdentity(12, "tables"));
    ASSERT_EQ(S_OK, list->GetIdentity(&id, name));
    EXPECT_TRUE(id == 12 && std::string(name) == "tables");
    EXPECT_EQ(E_POINTER, list->SetIdentity(1, nullptr));
    EXPECT_EQ(E_POINTER, list->GetIdentity(nullptr, name));
}

}  // namespace

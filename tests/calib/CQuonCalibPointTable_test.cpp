// The calibration point table: its "%.4f, ... %ld\r\n" text, the reader's
// one record per line, bounds and refusals.
#include <gtest/gtest.h>

#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct CalibPointTableTest
    : quontest::ObjectTest<IQuonCalibPointTable, CLSID_QuonCalibPointTable, IID_IQuonCalibPointTable> {
    IQuonCalibPointTable* const table = object.get();
    UINT32 Count() { return Got(&IQuonCalibPointTable::GetPointCount); }
    CalibPoint Point(INT32 index) {
        CalibPoint p{};
        EXPECT_EQ(S_OK, table->GetPoint(index, &p));
        return p;
    }
};

TEST_F(CalibPointTableTest, TextIsWrittenExactlyAndReadsBack) {
    EXPECT_EQ("", Save());  // no records: nothing
    ASSERT_EQ(S_OK, table->SetPointCount(2));
    const CalibPoint p{1, 2, 3, 4, 5, 6, 7, 8.123456, 42};
    const CalibPoint q{-0.00006, 1e6, 0, 0, 0, 0, 0, -2.5, -7};
    ASSERT_EQ(S_OK, table->SetPoint(0, &p));
    ASSERT_EQ(S_OK, table->SetPoint(1, &q));
    const std::string expected =
        "1.0000, 2.0000, 3.0000, 4.0000, 5.0000, 6.0000, 7.0000, 8.1235, 42\r\n"
        "-0.0001, 1000000.0000, 0.0000, 0.0000, 0.0000, 0.0000, 0.0000, -2.5000, -7\r\n";
    EXPECT_EQ(expected, Save());

    // Read back: the same count, records rounded to four decimals.
    Ref<IQuonCalibPointTable> copy{CLSID_QuonCalibPointTable, IID_IQuonCalibPointTable};
    ASSERT_EQ(S_OK, quontest::Load(copy.get(), expected));
    EXPECT_EQ(expected, quontest::Saved(copy.get()));
    ExpectFitsExactly(expected);
}

TEST_F(CalibPointTableTest, EveryLineIsARecord) {
    // An empty middle line is a zero record; no final "\n" is needed.
    ASSERT_EQ(S_OK, Load("1,2,3,4,5,6,7,8,9\n\n1,1,1,1,1,1,1,1,-3"));
    EXPECT_EQ(3u, Count());
    EXPECT_EQ(0.0, Point(1).value1);
    EXPECT_EQ(0, Point(1).tag);
    EXPECT_EQ(-3, Point(2).tag);
    // Ten fields: the first nine are read. Eight fields: the record stays
    // zero. Fields are read leniently; the tag saturates at 32 bits.
    ASSERT_EQ(S_OK, Load("1,2,3,4,5,6,7,8,9,10\n1,2,3,4,5,6,7,8\n x1, 2.5e1,3,4,5,6,7,8,2147483648\r\n"));
    EXPECT_EQ(3u, Count());
    EXPECT_EQ(9, Point(0).tag);
    EXPECT_EQ(0.0, Point(1).value1);
    EXPECT_EQ(0.0, Point(2).value1);
    EXPECT_EQ(25.0, Point(2).value2);
    EXPECT_EQ(2147483647, Point(2).tag);
    // An empty text is a table of no records.
    ASSERT_EQ(S_OK, Load(""));
    EXPECT_EQ(0u, Count());
    EXPECT_EQ("", Save());
    EXPECT_EQ(S_OK, table->LoadFromBuffer(nullptr, 0));
    EXPECT_EQ(E_POINTER, table->LoadFromBuffer(nullptr, 1));
}

TEST_F(CalibPointTableTest, BoundsRefusalsAndCapacity) {
    CalibPoint p{};
    EXPECT_EQ(E_FAIL, table->SetPoint(0, &p));
    EXPECT_EQ(E_FAIL, table->GetPoint(0, &p));
    EXPECT_EQ(E_INVALIDARG, table->SetPointCount(-1));
    EXPECT_EQ(E_INVALIDARG, table->SetPointCount(2000000000));
    ASSERT_EQ(S_OK, table->SetPointCount(3));
    EXPECT_EQ(E_INVALIDARG, table->SetPoint(3, &p));
    EXPECT_EQ(E_INVALIDARG, table->GetPoint(-1, &p));
    for (HRESULT r : {table->SetPoint(0, nullptr), table->GetPointCount(nullptr), table->SetIdentity(1, 2, nullptr)}) {
        EXPECT_EQ(E_POINTER, r);
    }
    EXPECT_EQ(3u, Count());

    // FreeData keeps the count; the records are gone until SetPointCount.
    EXPECT_EQ(S_OK, table->FreeData());
    EXPECT_EQ(3u, Count());
    EXPECT_EQ(E_FAIL, table->GetPoint(0, &p));
    HRESULT hr = S_OK;
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);
    ASSERT_EQ(S_OK, table->SetPointCount(1));
    EXPECT_EQ("0.0000, 0.0000, 0.0000, 0.0000, 0.0000, 0.0000, 0.0000, 0.0000, 0\r\n", Save());

    UINT32 id1 = 0, id2 = 0;
    char name[16] = "x";
    ASSERT_EQ(S_OK, table->SetIdentity(3, 4, "left"));
    ASSERT_EQ(S_OK, table->GetIdentity(&id1, &id2, name));
    EXPECT_TRUE(id1 == 3 && id2 == 4 && std::string(name) == "left");
    EXPECT_EQ(E_POINTER, table->GetIdentity(&id1, nullptr, name));
}

}  // namespace

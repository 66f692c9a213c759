// The black-level detection init info: its text, the point records it fills
// and its refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
using quontest::Thrown;

struct BlkInitInfoTest : quontest::ObjectTest<IQuonBlkInitInfo, CLSID_QuonBlkInitInfo, IID_IQuonBlkInitInfo> {
    IQuonBlkInitInfo* const info = object.get();
    PointLevelRecord Record(UINT32 row, UINT32 column) {
        PointLevelRecord r{};
        EXPECT_EQ(S_OK, info->GetPointRecord(row, column, &r));
        return r;
    }
};

// Initialize(5, ...), a 2 x 3 pattern with code 4, one camera seeing all of
// it (range 1, 6, 6), tuning8 20, levels A = 10 i and B = -i, real value 2.5.
const std::string kSixPoints =
    "6\n10\n1.5\n1.0\n0\n1\n0.9\n1.0\n250\n3\n2\n4\n5\n1\n0\n"
    "1\n6\n6\n20\n"
    "0\n10\n20\n30\n40\n50\n0\n-1\n-2\n-3\n-4\n-5\n2.50\n";

TEST_F(BlkInitInfoTest, TextIsWrittenExactlyAndReadsIntoTheRecords) {
    ASSERT_EQ(S_OK, info->Initialize(5, "blk"));
    ASSERT_EQ(S_OK, info->SetPatternGrid(2, 3, 4));
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 1, 1));
    const CameraRegion all{1, 2, 1, 3};
    ASSERT_EQ(S_OK, info->SetCameraRegion(0, 0, &all));
    for (UINT32 i = 0; i < 6; ++i) {
        PointLevelRecord r{};
        r.levelA = static_cast<INT32>(10 * i);
        r.levelB = -static_cast<INT32>(i);
        r.tail = 99.0;
        ASSERT_EQ(S_OK, info->SetPointRecord(i / 3, i % 3, &r));
    }
    ASSERT_EQ(S_OK, info->SetRealValue(2.5));
    EXPECT_EQ(kSixPoints, Save());

    // A fresh object with a point array of the grid's size reads it back
    // byte for byte; the load writes only the two levels of each record and
    // derives the band of its camera from the range.
    Ref<IQuonBlkInitInfo> copy{CLSID_QuonBlkInitInfo, IID_IQuonBlkInitInfo};
    ASSERT_EQ(S_OK, copy->SetPatternGrid(2, 3, 0));
    PointLevelRecord marked{};
    std::memset(marked.reserved0, 0xAB, sizeof marked.reserved0);
    marked.reserved1 = 7;
    ASSERT_EQ(S_OK, copy->SetPointRecord(1, 2, &marked));
    ASSERT_EQ(S_OK, quontest::Load(copy.get(), kSixPoints));
    EXPECT_EQ(kSixPoints, quontest::Saved(copy.get()));
    PointLevelRecord back{};
    ASSERT_EQ(S_OK, copy->GetPointRecord(1, 2, &back));
    EXPECT_EQ(7, back.reserved1);
    EXPECT_EQ(0xAB, back.reserved0[55]);
    CameraRegion derived{};
    ASSERT_EQ(S_OK, copy->GetCameraRegion(0, 0, &derived));
    EXPECT_EQ(0, std::memcmp(&all, &derived, sizeof all));
}

TEST_F(BlkInitInfoTest, FreshTextRealValueAndTuning) {
    // Lines 1-15 and the tuning line of a fresh object, then "%.2f".
    EXPECT_EQ("0\n0\n0.0\n0.0\n0\n0\n0.0\n0.0\n0\n0\n0\n0\n0\n0\n0\n0\n0.00\n", Save());
    ASSERT_EQ(S_OK, info->Initialize(1, ""));
    ASSERT_EQ(S_OK, info->SetRealValue(0.3333));
    EXPECT_EQ("0\n10\n1.5\n1.0\n0\n0\n0.9\n1.0\n250\n0\n0\n0\n1\n0\n0\n20\n0.33\n", Save());
    ASSERT_EQ(S_OK, info->SetTuning8(4000000000u));  // written as a signed 32-bit number
    const std::string text = Save();
    EXPECT_EQ("-294967296\n0.33\n", text.substr(text.size() - 16));

    // Read back, tuning8 and the real value take the text's values.
    const std::string loaded = "0\n0\n0.0\n0.0\n0\n0\n0.0\n0.0\n0\n0\n0\n0\n0\n0\n0\n-5\n0.33\n";
    ASSERT_EQ(S_OK, Load(loaded));
    EXPECT_EQ(loaded, Save());
    double value = 0;
    ASSERT_EQ(S_OK, info->GetRealValue(&value));
    EXPECT_EQ(0.33, value);
}

TEST_F(BlkInitInfoTest, LoadNeedsTheRecordsAndThrowsOnBadLines) {
    // Six points but no point array: refused after the tuning line.
    const std::string withoutLevels = kSixPoints.substr(0, kSixPoints.find("20\n") + 3);
    EXPECT_EQ(E_FAIL, Load(kSixPoints));
    UINT32 rows = 0, columns = 0, code = 0;
    info->GetPatternGrid(&rows, &columns, &code);
    EXPECT_EQ(2u, rows);  // lines before the refusal were read
    ASSERT_EQ(S_OK, info->SetPatternGrid(1, 5, 0));  // five records: still too few
    EXPECT_EQ(E_FAIL, Load(kSixPoints));
    ASSERT_EQ(S_OK, info->SetPatternGrid(1, 6, 0));
    ASSERT_EQ(S_OK, Load(kSixPoints));
    EXPECT_EQ(30, Record(0, 3).levelA);

    using Invalid = std::invalid_argument;
    using Range = std::out_of_range;
    EXPECT_EQ("invalid stoi argument", Thrown<Invalid>([&] { Load("six\n"); }));
    EXPECT_EQ("invalid stod argument", Thrown<Invalid>([&] { Load("6\n10\n-\n"); }));
    EXPECT_EQ("stoi argument out of range", Thrown<Range>([&] { Load("6\n10\n1.5\n1.0\n-2147483649\n"); }));
    EXPECT_EQ("stod argument out of range",
              Thrown<Range>([&] { Load(kSixPoints.substr(0, kSixPoints.size() - 5) + "1e400\n"); }));
    // A text that stops inside the levels fails at the first missing line;
    // the levels read before it are kept.
    EXPECT_EQ("invalid stoi argument", Thrown<Invalid>([&] { Load(withoutLevels + "7\n8\n"); }));
    EXPECT_TRUE(Record(0, 0).levelA == 7 && Record(0, 1).levelA == 8);
    // Counts that would need absurd tables are refused.
    std::string hugeCameras = kSixPoints;
    hugeCameras.replace(hugeCameras.find("5\n1\n0\n1\n6\n6\n"), 4, "5\n999999999\n");
    EXPECT_EQ(E_INVALIDARG, Load(hugeCameras));
}

TEST_F(BlkInitInfoTest, BoundsAndRefusals) {
    PointLevelRecord r{};
    EXPECT_EQ(E_FAIL, info->SetPointRecord(0, 0, &r));
    EXPECT_EQ(E_FAIL, info->GetPointRecord(0, 0, &r));
    EXPECT_EQ(E_INVALIDARG, info->SetPatternGrid(-1, 2, 0));
    EXPECT_EQ(E_INVALIDARG, info->SetPatternGrid(65536, 65536, 0));
    ASSERT_EQ(S_OK, info->SetPatternGrid(2, 2, 0));
    EXPECT_EQ(E_INVALIDARG, info->SetPatternGrid(4096, 1024, 0));  // 4M records of 152 bytes
    UINT32 rows = 0, columns = 0, code = 0;
    info->GetPatternGrid(&rows, &columns, &code);
    EXPECT_EQ(2u, rows);  // a refused grid keeps the old one
    EXPECT_EQ(S_OK, info->SetPointRecord(1, 1, &r));
    EXPECT_EQ(E_INVALIDARG, info->SetPointRecord(2, 0, &r));
    EXPECT_EQ(E_INVALIDARG, info->GetPointRecord(0, 4, &r));
    for (HRESULT r : {info->SetPointRecord(0, 0, nullptr), info->GetRealValue(nullptr), info->GetIdentity(nullptr, nullptr),
                      info->Initialize(1, nullptr), info->LoadFromBuffer(nullptr, 1)}) {
        EXPECT_EQ(E_POINTER, r);
    }
    ExpectFitsExactly(Save());

    // FreeData: the counts stay, the records and bands are gone.
    ASSERT_EQ(S_OK, info->SetCameraGrid(1, 2, 1));
    EXPECT_EQ(S_OK, info->FreeData());
    EXPECT_EQ(E_FAIL, info->GetPointRecord(0, 0, &r));
    CameraRegion region{};
    EXPECT_EQ(E_FAIL, info->GetCameraRegion(0, 0, &region));
    HRESULT hr = S_OK;
    EXPECT_EQ("", Save(&hr));
    EXPECT_EQ(E_FAIL, hr);
}

}  // namespace

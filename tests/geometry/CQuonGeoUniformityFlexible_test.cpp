// The flexible uniformity record grid: header, record count from h2 x h3,
// the object's own record array handed out, and refusals.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "QuonCoreModel.h"
#include "geometry/CQuonGeoUniformityFlexible.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

struct UniformityFlexibleTest : ::testing::Test {
    Ref<IQuonGeoUniformityFlexible> uni{CLSID_QuonGeoUniformityFlexible, IID_IQuonGeoUniformityFlexible};

    CQuonGeoUniformityFlexible* Object() { return static_cast<CQuonGeoUniformityFlexible*>(uni.get()); }
    std::vector<double> Header() {
        double h[4] = {-1, -1, -1, -1};
        EXPECT_EQ(S_OK, uni->GetData(h, nullptr));
        return std::vector<double>(h, h + 4);
    }
    const unsigned char* Records() {
        const void* records = reinterpret_cast<const void*>(0x1);
        EXPECT_EQ(S_OK, uni->GetData(nullptr, &records));
        return static_cast<const unsigned char*>(records);
    }
    // Records of exactly count x 12 bytes, so that reading one byte more is caught.
    static std::vector<unsigned char> Pattern(std::size_t count, unsigned char seed) {
        std::vector<unsigned char> bytes(count * 12);
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(seed + i * 7);
        return bytes;
    }
};

TEST_F(UniformityFlexibleTest, InitializeAllocates620ZeroedRecordsAndKeepsTheHeader) {
    EXPECT_EQ((std::vector<double>{0.0, 0.0, 31.0, 20.0}), Header());
    EXPECT_EQ(nullptr, Records());
    EXPECT_EQ(S_OK, uni->GetData(nullptr, nullptr));
    EXPECT_EQ(S_OK, uni->Reserved());
    EXPECT_EQ(S_OK, uni->SetMode(0xFFFFFFFFu));
    EXPECT_EQ(0xFFFFFFFFu, Object()->Mode());

    // A second Initialize replaces the records held by fresh zeroed ones,
    // whatever the header says.
    const double header[4] = {0, 0, 4.0, 3.0};
    const std::vector<unsigned char> source = Pattern(12, 5);
    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            ASSERT_EQ(S_OK, uni->SetData(header, source.data()));
        }
        ASSERT_EQ(S_OK, uni->Initialize(12, "panel"));
        EXPECT_EQ(7440u, Object()->RecordBytes());
        const unsigned char* records = Records();
        ASSERT_NE(nullptr, records);
        EXPECT_EQ(std::vector<unsigned char>(7440, 0), std::vector<unsigned char>(records, records + 7440));
    }
    EXPECT_EQ((std::vector<double>{0, 0, 4.0, 3.0}), Header());

    EXPECT_EQ(E_POINTER, uni->Initialize(2, nullptr));
    EXPECT_EQ(12u, Object()->Id());
    EXPECT_EQ("panel", Object()->Name());
}

TEST_F(UniformityFlexibleTest, SetDataCopiesH2TimesH3RecordsAndHandsOutItsOwnArray) {
    const double header[4] = {1.5, -2.25, 4.0, 3.0};
    const std::vector<unsigned char> source = Pattern(12, 3);
    ASSERT_EQ(S_OK, uni->SetData(header, source.data()));
    EXPECT_EQ((std::vector<double>{1.5, -2.25, 4.0, 3.0}), Header());
    EXPECT_EQ(144u, Object()->RecordBytes());
    const unsigned char* records = Records();
    ASSERT_NE(nullptr, records);
    EXPECT_NE(source.data(), records);  // a copy, not the caller's memory
    EXPECT_EQ(source, std::vector<unsigned char>(records, records + 144));

    // The handed-out array may come back in: the copy is made before the old one goes.
    const double smaller[4] = {0, 0, 2.0, 3.0};
    ASSERT_EQ(S_OK, uni->SetData(smaller, records));
    EXPECT_EQ(std::vector<unsigned char>(source.begin(), source.begin() + 72),
              std::vector<unsigned char>(Records(), Records() + 72));

    // The product is truncated: 2.5 x 3 = 7.5 gives 7 records.
    const double fractional[4] = {0, 0, 2.5, 3.0};
    const std::vector<unsigned char> seven = Pattern(7, 40);
    ASSERT_EQ(S_OK, uni->SetData(fractional, seven.data()));
    EXPECT_EQ(84u, Object()->RecordBytes());
    EXPECT_EQ(seven, std::vector<unsigned char>(Records(), Records() + 84));

    // Less than one record: no records held, and none read from a null pointer.
    const double none[4] = {9, 9, 0.5, 1.9};
    ASSERT_EQ(S_OK, uni->SetData(none, nullptr));
    EXPECT_EQ(nullptr, Records());
    EXPECT_EQ((std::vector<double>{9, 9, 0.5, 1.9}), Header());
}

TEST_F(UniformityFlexibleTest, RefusedSetDataChangesNothing) {
    const double header[4] = {0, 0, 2.0, 2.0};
    const std::vector<unsigned char> source = Pattern(4, 1);
    ASSERT_EQ(S_OK, uni->SetData(header, source.data()));
    const unsigned char* held = Records();

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double refused[][4] = {{0, 0, -1.0, 3.0}, {0, 0, nan, 1.0}, {0, 0, 65536.0, 32768.0},
                                 {0, 0, std::numeric_limits<double>::infinity(), 1.0}};
    for (const auto& h : refused) EXPECT_EQ(E_INVALIDARG, uni->SetData(h, source.data())) << h[2] << " x " << h[3];
    // The largest 32-bit count is accepted in principle; 65535 x 32768 is just below it
    // but needs records, so a null pointer is refused first.
    const double big[4] = {0, 0, 65535.0, 32768.0};
    EXPECT_EQ(E_POINTER, uni->SetData(big, nullptr));
    EXPECT_EQ(E_POINTER, uni->SetData(nullptr, source.data()));

    EXPECT_EQ((std::vector<double>{0, 0, 2.0, 2.0}), Header());
    EXPECT_EQ(held, Records());
    EXPECT_EQ(48u, Object()->RecordBytes());
}

}  // namespace

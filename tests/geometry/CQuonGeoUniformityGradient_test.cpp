// The gradient uniformity blocks: nothing before Allocate, zeroed after it,
// copied in and out 16 bytes each.
#include <gtest/gtest.h>

#include <vector>

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;
typedef std::vector<unsigned char> Bytes;

Bytes Block(unsigned char seed) {
    Bytes b(16);
    for (int i = 0; i < 16; ++i) b[i] = static_cast<unsigned char>(seed ^ (i * 17));
    return b;
}

TEST(UniformityGradient, BlocksExistFromAllocate) {
    Ref<IQuonGeoUniformityGradient> grad(CLSID_QuonGeoUniformityGradient, IID_IQuonGeoUniformityGradient);
    ASSERT_TRUE(grad);
    const Bytes a = Block(0x11), b = Block(0xEE);
    Bytes outA(16, 0x5A), outB(16, 0xA5);

    // Before Allocate: refused, the caller's memory untouched.
    EXPECT_EQ(E_FAIL, grad->SetBlocks(a.data(), b.data()));
    EXPECT_EQ(E_FAIL, grad->GetBlocks(outA.data(), outB.data()));
    EXPECT_EQ(Bytes(16, 0x5A), outA);
    EXPECT_EQ(Bytes(16, 0xA5), outB);

    // Each Allocate hands the blocks out zeroed, the second one too.
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(S_OK, grad->Allocate());
        ASSERT_EQ(S_OK, grad->GetBlocks(outA.data(), outB.data()));
        EXPECT_EQ(Bytes(16, 0), outA);
        EXPECT_EQ(Bytes(16, 0), outB);
        ASSERT_EQ(S_OK, grad->SetBlocks(a.data(), b.data()));
        ASSERT_EQ(S_OK, grad->GetBlocks(outA.data(), outB.data()));
        EXPECT_EQ(a, outA);
        EXPECT_EQ(b, outB);
    }

    EXPECT_EQ(E_POINTER, grad->SetBlocks(a.data(), nullptr));
    EXPECT_EQ(E_POINTER, grad->GetBlocks(nullptr, outB.data()));
}

}  // namespace

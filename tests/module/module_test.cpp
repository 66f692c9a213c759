// The built module, loaded by file name as a host loads it.
#include <gtest/gtest.h>

#include <string>

#include "QuonCoreModel.h"
#include "support/module_files.h"

namespace {

TEST(Module, HostCreatesAndRoundTripsALookUpTable) {
    quontest::LoadedModule module(quontest::ModuleFile());
    PFN_DllCreateInstance create = module.Entry();
    ASSERT_NE(nullptr, create) << quontest::ModuleFile();

    IQuonLookUpTable* table = nullptr;
    ASSERT_EQ(S_OK, create(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, reinterpret_cast<void**>(&table)));
    const std::string text = "1,2\n0.5,1,1.5,2\n-1,-2,-3,-4\n";
    ASSERT_EQ(S_OK, table->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())));
    char buffer[64] = {};
    UINT32 written = 0;
    ASSERT_EQ(S_OK, table->SaveToBuffer(buffer, sizeof buffer, &written));
    EXPECT_EQ(text, std::string(buffer, written));
    EXPECT_EQ(0u, table->Release());

    void* none = reinterpret_cast<void*>(0x1);
    const CLSID unknownClass = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, create(unknownClass, IID_IUnknown, &none));
    EXPECT_EQ(reinterpret_cast<void*>(0x1), none);
}

}  // namespace

// The built module, loaded by file name as a host loads it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "QuonCoreModel.h"
#include "support/test_support.h"

namespace {

PFN_DllCreateInstance LoadModuleEntry() {
    const std::string path = quontest::ModulePath();
#ifdef _WIN32
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) return nullptr;
    return reinterpret_cast<PFN_DllCreateInstance>(reinterpret_cast<void*>(GetProcAddress(module, "DllCreateInstance")));
#else
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<PFN_DllCreateInstance>(dlsym(module, "DllCreateInstance"));
#endif
}

TEST(Module, HostCreatesAndRoundTripsALookUpTable) {
    PFN_DllCreateInstance create = LoadModuleEntry();
    ASSERT_NE(nullptr, create) << quontest::ModulePath();

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

#ifndef _WIN32
TEST(Module, ExportsOnlyDllCreateInstance) {
    void* module = dlopen(quontest::ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, module);
    EXPECT_NE(nullptr, dlsym(module, "DllCreateInstance"));
    EXPECT_EQ(nullptr, dlsym(module, "Split"));
    EXPECT_EQ(nullptr, dlsym(module, "g_Templates"));
    EXPECT_EQ(nullptr, dlsym(module, "_ZN11CBaseObject10m_cObjectsE"));
}
#endif

}  // namespace

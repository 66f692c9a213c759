// Reference counting, interface queries, the factory table and the export.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "QuonCoreModel.h"
#include "frame/CTolvLock.h"
#include "geometry/CQuonLookUpTable.h"
#include "support/test_support.h"

namespace {

TEST(ObjectModel, CreateQueryAddRefReleaseAndDestroy) {
    const LONG before = CBaseObject::ObjectCount();
    IQuonLookUpTable* table = nullptr;
    ASSERT_EQ(S_OK, DllCreateInstance(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, reinterpret_cast<void**>(&table)));
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(before + 1, CBaseObject::ObjectCount());

    EXPECT_EQ(2u, table->AddRef());
    EXPECT_EQ(1u, table->Release());

    // IID_IUnknown answers the non-delegating unknown: another pointer of the same object.
    void* unknown = nullptr;
    ASSERT_EQ(S_OK, table->QueryInterface(IID_IUnknown, &unknown));
    EXPECT_NE(static_cast<void*>(table), unknown);
    auto* inner = static_cast<INonDelegatingUnknown*>(unknown);
    EXPECT_EQ(static_cast<INonDelegatingUnknown*>(static_cast<CQuonLookUpTable*>(table)), inner);

    // Asking that pointer again for the class's own interface gives the first pointer back.
    void* again = nullptr;
    ASSERT_EQ(S_OK, inner->NonDelegatingQueryInterface(IID_IQuonLookUpTable, &again));
    EXPECT_EQ(static_cast<void*>(table), again);
    EXPECT_EQ(2u, inner->NonDelegatingRelease());
    EXPECT_EQ(1u, inner->NonDelegatingRelease());

    // A failed query takes no reference (the counts below stay exact).
    void* none = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(E_NOINTERFACE, table->QueryInterface(IID_IQuonGridPoint, &none));
    EXPECT_EQ(E_POINTER, table->QueryInterface(IID_IQuonLookUpTable, nullptr));

    EXPECT_EQ(0u, table->Release());
    EXPECT_EQ(before, CBaseObject::ObjectCount());
}

TEST(ObjectModel, FactoryRefusals) {
    const LONG before = CBaseObject::ObjectCount();
    EXPECT_EQ(E_POINTER, DllCreateInstance(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, nullptr));

    // An unknown class identifier does not touch *ppv.
    const CLSID unknownClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* untouched = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, DllCreateInstance(unknownClass, IID_IUnknown, &untouched));
    EXPECT_EQ(reinterpret_cast<void*>(0x1234), untouched);

    // A known class asked for a foreign interface: null result, object destroyed.
    void* none = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(E_NOINTERFACE, DllCreateInstance(CLSID_QuonLookUpTable, IID_IQuonGridPoint, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(before, CBaseObject::ObjectCount());

    // IID_IUnknown from the factory: the non-delegating unknown with one reference.
    void* unknown = nullptr;
    ASSERT_EQ(S_OK, DllCreateInstance(CLSID_QuonLookUpTable, IID_IUnknown, &unknown));
    EXPECT_EQ(before + 1, CBaseObject::ObjectCount());
    EXPECT_EQ(0u, static_cast<INonDelegatingUnknown*>(unknown)->NonDelegatingRelease());
    EXPECT_EQ(before, CBaseObject::ObjectCount());
}

// An outer unknown that counts what reaches it, to show that the interface's
// slots 0-2 go to the owner while the inner unknown keeps its own count.
struct CountingOuter : IUnknown {
    int queries = 0, addRefs = 0, releases = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
        ++queries;
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++addRefs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(++releases); }
};

TEST(ObjectModel, AggregatedObjectForwardsToItsOwner) {
    const LONG before = CBaseObject::ObjectCount();
    CountingOuter outer;
    CUnknown* inner = CQuonLookUpTable::CreateInstance(&outer, nullptr);
    EXPECT_EQ(before + 1, CBaseObject::ObjectCount());
    EXPECT_EQ(1u, inner->NonDelegatingAddRef());

    void* itf = nullptr;
    ASSERT_EQ(S_OK, inner->NonDelegatingQueryInterface(IID_IQuonLookUpTable, &itf));
    EXPECT_EQ(1, outer.addRefs);  // the interface's AddRef reached the owner
    auto* table = static_cast<IQuonLookUpTable*>(itf);
    void* ignored = nullptr;
    EXPECT_EQ(E_NOINTERFACE, table->QueryInterface(IID_IUnknown, &ignored));
    table->Release();
    EXPECT_EQ(1, outer.queries);
    EXPECT_EQ(1, outer.releases);

    EXPECT_EQ(0u, inner->NonDelegatingRelease());
    EXPECT_EQ(before, CBaseObject::ObjectCount());
}

TEST(ObjectModel, CountsHoldUnderConcurrentAddRefRelease) {
    quontest::Ref<IQuonLookUpTable> table(CLSID_QuonLookUpTable, IID_IQuonLookUpTable);
    ASSERT_TRUE(table);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                table->AddRef();
                table->Release();
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(2u, table->AddRef());
    EXPECT_EQ(1u, table->Release());
}

TEST(ObjectModel, LockIsRecursive) {
    CTolvLock lock;
    {
        CTolvAutoLock outer(&lock);
        CTolvAutoLock inner(&lock);  // the same thread may enter again
    }
    bool entered = false;
    std::thread other([&] {
        CTolvAutoLock held(&lock);
        entered = true;
    });
    other.join();
    EXPECT_TRUE(entered);
}

}  // namespace

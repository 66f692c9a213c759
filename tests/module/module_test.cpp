// The built module, loaded by file name as a host loads it, through the
// host's header quon/Module.h.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "QuonCoreModel.h"
#include "quon/Module.h"
#include "support/module_files.h"
#include "support/test_support.h"

namespace {

template <class F>
quon::Error Thrown(F&& f) {
    try {
        f();
    } catch (const quon::Error& e) {
        return e;
    }
    ADD_FAILURE() << "no quon::Error thrown";
    return quon::Error(S_OK, "");
}

TEST(Module, HostCreatesAndRoundTripsALookUpTable) {
    const quon::Module module = quon::Module::Load(quontest::ModuleFile().string());
    const quon::Ptr<IQuonLookUpTable> table = module.Create<IQuonLookUpTable>(CLSID_QuonLookUpTable);
    const std::string text = "1,2\n0.5,1,1.5,2\n-1,-2,-3,-4\n";
    ASSERT_EQ(S_OK, table->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())));
    char buffer[64] = {};
    UINT32 written = 0;
    ASSERT_EQ(S_OK, table->SaveToBuffer(buffer, sizeof buffer, &written));
    EXPECT_EQ(text, std::string(buffer, written));

    void* none = reinterpret_cast<void*>(0x1);
    const CLSID unknownClass = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, module.Entry()(unknownClass, IID_IUnknown, &none));
    EXPECT_EQ(reinterpret_cast<void*>(0x1), none);
}

TEST(Module, PtrCountsEveryReferenceItTakesAndGives) {
    const quon::Module module = quon::Module::Load(quontest::ModuleFile().string());
    quon::Ptr<IQuonLookUpTable> table = module.Create<IQuonLookUpTable>(CLSID_QuonLookUpTable);
    IQuonLookUpTable* raw = table.get();
    ASSERT_TRUE(table);
    EXPECT_EQ(1u, quontest::Refs(raw));
    {
        quon::Ptr<IQuonLookUpTable> copy = table;
        EXPECT_EQ(2u, quontest::Refs(raw));
        quon::Ptr<IQuonLookUpTable> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(raw, moved.get());
        EXPECT_EQ(2u, quontest::Refs(raw));
        copy = moved;  // assigning over an empty pointer adds one
        EXPECT_EQ(3u, quontest::Refs(raw));
        moved.reset();
        EXPECT_FALSE(moved);
        EXPECT_EQ(2u, quontest::Refs(raw));
    }
    EXPECT_EQ(1u, quontest::Refs(raw));

    IQuonLookUpTable* detached = table.detach();
    EXPECT_FALSE(table);
    EXPECT_EQ(1u, quontest::Refs(detached));
    table.attach(detached);
    EXPECT_EQ(1u, quontest::Refs(raw));

    // As: the object's own interface and IUnknown add a reference each; an
    // interface it lacks gives an empty pointer and adds none.
    quon::Ptr<IUnknown> unknown = table.As<IUnknown>();
    ASSERT_TRUE(unknown);
    EXPECT_EQ(2u, quontest::Refs(raw));
    EXPECT_EQ(raw, unknown.As<IQuonLookUpTable>().get());
    EXPECT_FALSE(table.As<IQuonGridPoint>());
    EXPECT_FALSE(quon::Ptr<IQuonLookUpTable>().As<IUnknown>());
    unknown.reset();
    EXPECT_EQ(1u, quontest::Refs(raw));

    // put() fills an out-parameter after releasing what the pointer held.
    const quon::Ptr<IQuonLookUpTableList> list = module.Create<IQuonLookUpTableList>(CLSID_QuonLookUpTableList);
    ASSERT_EQ(S_OK, list->Add(raw));
    EXPECT_EQ(2u, quontest::Refs(raw));
    quon::Ptr<IQuonLookUpTable> other = module.Create<IQuonLookUpTable>(CLSID_QuonLookUpTable);
    ASSERT_EQ(S_OK, list->GetAt(0, other.put()));
    EXPECT_EQ(raw, other.get());
    EXPECT_EQ(3u, quontest::Refs(raw));
    other = nullptr;
    EXPECT_EQ(2u, quontest::Refs(raw));
}

TEST(Module, ErrorsNameTheFileTheReasonAndTheResult) {
    const std::string missing = (quontest::ModuleFile().parent_path() / "missing" / quon::ModuleFileName).string();
    quon::Error e = Thrown([&] { quon::Module::Load(missing); });
    EXPECT_EQ(E_HANDLE, e.hr());
    EXPECT_NE(std::string::npos, std::string(e.what()).find("cannot load " + missing + ": ")) << e.what();

    const std::string noEntry = quontest::NoEntryStandIn().string();
    e = Thrown([&] { quon::Module::Load(noEntry); });
    EXPECT_EQ(E_HANDLE, e.hr());
    EXPECT_EQ(noEntry + " has no export DllCreateInstance", std::string(e.what()));

    quon::Module module = quon::Module::Load(quontest::ModuleFile());
    e = Thrown([&] { module.Create<IQuonGridPoint>(CLSID_QuonLookUpTable); });
    EXPECT_EQ(E_NOINTERFACE, e.hr());
    EXPECT_STREQ(
        "DllCreateInstance of class {66EE26D3-5D43-4A97-AEB0-3A858F680213} for interface "
        "{FF8373B2-148E-41F1-8017-84A63BEABE23} failed: 0x80004002 E_NOINTERFACE",
        e.what());
    e = Thrown([&] { module.Create<IUnknown>(IID_IUnknown); });
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, e.hr());

    // A moved-from Module has nothing loaded; the one it moved into works.
    const quon::Module moved = std::move(module);
    EXPECT_TRUE(moved.Create<IUnknown>(CLSID_QuonGridPoint));
    e = Thrown([&] { module.Create<IUnknown>(CLSID_QuonGridPoint); });
    EXPECT_EQ(E_HANDLE, e.hr());
}


}  // namespace

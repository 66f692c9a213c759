// Sibling modules: how a relative name becomes a path, and loading beside
// the module that holds the loader (here the test program in bin/, whose
// neighbour folder standins/ holds the stand-in modules).
#include <gtest/gtest.h>

#include <string>

#include "QuonCoreModel.h"
#include "frame/sibling_module.h"
#include "siblings/LumidProbe.h"
#include "support/module_files.h"

namespace {

using quon::ResolveSiblingPath;

std::wstring Windows(const std::wstring& module, const std::wstring& name) {
    return ResolveSiblingPath<wchar_t>(module, name, quon::kWindowsSiblingRules);
}

std::string Posix(const std::string& module, const std::string& name) {
    return ResolveSiblingPath<char>(module, name, quon::kPosixSiblingRules);
}

TEST(SiblingPath, WindowsFolderParentAndCurrentPrefixes) {
    const std::wstring module = L"C:\\inst\\bin\\QuonCoreModel.dll";
    EXPECT_EQ(L"C:\\inst\\bin\\Lumid.dll", Windows(module, L"Lumid.dll"));
    EXPECT_EQ(L"C:\\inst\\Lumid.dll", Windows(module, L"..\\Lumid.dll"));
    EXPECT_EQ(L"C:\\inst\\bin\\Lumid.dll", Windows(module, L".\\Lumid.dll"));
    EXPECT_EQ(L"C:\\Lumid.dll", Windows(module, L"..\\..\\Lumid.dll"));
    EXPECT_EQ(L"C:\\inst\\x\\Lumid.dll", Windows(module, L".\\..\\.\\x\\Lumid.dll"));
    // Only leading prefixes count, and '/' is not a separator of names here.
    EXPECT_EQ(L"C:\\inst\\bin\\x\\..\\Lumid.dll", Windows(module, L"x\\..\\Lumid.dll"));
    EXPECT_EQ(L"C:\\inst\\bin\\../Lumid.dll", Windows(module, L"../Lumid.dll"));
    EXPECT_EQ(L"C:\\inst\\bin\\...\\Lumid.dll", Windows(module, L"...\\Lumid.dll"));
    EXPECT_EQ(L"C:\\inst\\bin\\..", Windows(module, L".."));
    // No ".dll" mapping on Windows.
    EXPECT_EQ(L"C:\\inst\\bin\\Image.DLL", Windows(module, L"Image.DLL"));

    // Climbing above the first folder, or a module path without a folder, loads nothing.
    EXPECT_EQ(L"", Windows(module, L"..\\..\\..\\Lumid.dll"));
    EXPECT_EQ(L"", Windows(L"QuonCoreModel.dll", L"Lumid.dll"));
}

TEST(SiblingPath, WindowsPathsStayBelow260Characters) {
    // Folder "C:\" + 240 characters, a separator, and a name: 259 characters
    // fit with their terminator, 260 do not.
    const std::wstring folder = L"C:\\" + std::wstring(240, L'f');
    const std::wstring module = folder + L"\\QuonCoreModel.dll";
    const std::wstring fits(259 - folder.size() - 1, L'n');
    EXPECT_EQ(folder + L"\\" + fits, Windows(module, fits));
    EXPECT_EQ(L"", Windows(module, fits + L"n"));
}

TEST(SiblingPath, PosixSeparatorsAndSharedLibraryNames) {
    const std::string module = "/opt/quon/lib/libQuonCoreModel.so";
    EXPECT_EQ("/opt/quon/lib/libLumid.so", Posix(module, "Lumid.dll"));
    EXPECT_EQ("/opt/quon/libLumid.so", Posix(module, "..\\Lumid.dll"));
    EXPECT_EQ("/opt/quon/libLumid.so", Posix(module, "../Lumid.dll"));
    EXPECT_EQ("/opt/quon/lib/libLumid.so", Posix(module, "./Lumid.dll"));
    EXPECT_EQ("/opt/libLumid.so", Posix(module, "..\\../Lumid.dll"));
    EXPECT_EQ("/libLumid.so", Posix(module, "../../../Lumid.dll"));
    EXPECT_EQ("", Posix(module, "../../../../Lumid.dll"));
    // Inner separators become '/', the file name proper is mapped, any case of ".dll".
    EXPECT_EQ("/opt/quon/lib/plugins/libImage.so", Posix(module, "plugins\\Image.DLL"));
    EXPECT_EQ("/opt/quon/lib/dll.d/libz.so.1", Posix(module, "dll.d/libz.so.1"));
    EXPECT_EQ("/opt/quon/lib/.dll", Posix(module, ".dll"));
    EXPECT_EQ("", Posix("libQuonCoreModel.so", "Lumid.dll"));
    EXPECT_EQ("", Posix("/" + std::string(4090, 'f') + "/m.so", "Lumid.dll"));
}

// The stand-ins are built into the folder "standins" beside bin/.
constexpr const wchar_t* kStandIns = L"..\\standins\\";

TEST(SiblingModuleLoader, LoadsBesideItsOwnFileAndFromTheParentFolder) {
    ASSERT_EQ("standins", quontest::LumidStandIn().parent_path().filename().string());

    // Own folder, plainly and with ".\": the module built beside the tests.
    for (const wchar_t* name : {L"QuonCoreModel.dll", L".\\QuonCoreModel.dll"}) {
        quon::SiblingModule sibling = quon::LoadSiblingModule(name);
        ASSERT_NE(nullptr, sibling.module);
        ASSERT_NE(nullptr, sibling.createInstance);
        IQuonLookUpTable* table = nullptr;
        EXPECT_EQ(S_OK, sibling.createInstance(CLSID_QuonLookUpTable, IID_IQuonLookUpTable,
                                               reinterpret_cast<void**>(&table)));
        ASSERT_NE(nullptr, table);
        EXPECT_EQ(0u, table->Release());
        quon::FreeSiblingModule(sibling);
        EXPECT_EQ(nullptr, sibling.module);
        EXPECT_EQ(nullptr, sibling.createInstance);
    }

    // Parent folder: the stand-in frame module answers its probe.
    quon::SiblingModule lumid = quon::LoadSiblingModule((std::wstring(kStandIns) + L"Lumid.dll").c_str());
    ASSERT_NE(nullptr, lumid.module);
    ASSERT_NE(nullptr, lumid.createInstance);
    ILumidProbe* probe = nullptr;
    EXPECT_EQ(S_OK, lumid.createInstance(CLSID_LumidProbe, IID_ILumidProbe, reinterpret_cast<void**>(&probe)));
    EXPECT_NE(nullptr, probe);
    void* none = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, lumid.createInstance(CLSID_QuonGeoMaskFrame, IID_IUnknown, &none));
    quon::FreeSiblingModule(lumid);
}

TEST(SiblingModuleLoader, ModuleWithoutTheEntryKeepsItsHandle) {
    quon::SiblingModule sibling = quon::LoadSiblingModule((std::wstring(kStandIns) + L"NoEntry.dll").c_str());
    EXPECT_NE(nullptr, sibling.module);
    EXPECT_EQ(nullptr, sibling.createInstance);
    EXPECT_TRUE(quontest::IsModuleLoaded(quontest::NoEntryStandIn()));
    quon::FreeSiblingModule(sibling);
    EXPECT_EQ(nullptr, sibling.module);
    EXPECT_FALSE(quontest::IsModuleLoaded(quontest::NoEntryStandIn()));
}

TEST(SiblingModuleLoader, MissingFilesAndBadNamesLeaveBothNull) {
    std::wstring tooHigh;
    for (int i = 0; i < 64; ++i) tooHigh += L"..\\";
    for (const std::wstring& name : {std::wstring(L"Lumid.dll"), std::wstring(L"Missing.dll"), tooHigh + L"Lumid.dll",
                                     std::wstring(L"..\\standins"), std::wstring()}) {
        quon::SiblingModule sibling = quon::LoadSiblingModule(name.c_str());
        EXPECT_EQ(nullptr, sibling.module);
        EXPECT_EQ(nullptr, sibling.createInstance);
        quon::FreeSiblingModule(sibling);  // a null pair is left alone
    }
    quon::SiblingModule none = quon::LoadSiblingModule(nullptr);
    EXPECT_EQ(nullptr, none.module);
    EXPECT_EQ(nullptr, none.createInstance);
}

}  // namespace

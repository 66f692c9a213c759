// The mask frame: without its sibling modules (the library linked into the
// tests, whose folder has none), and as a host meets it, with a copy of the
// built module in a folder beside the stand-in siblings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "QuonCoreModel.h"
#include "siblings/LumidProbe.h"
#include "siblings/UnloadRecord.h"
#include "support/module_files.h"
#include "support/test_support.h"

namespace {

using quontest::Ref;

TEST(MaskFrame, WithoutSiblingsOpenAnswersEHandleAndTheRestRefuses) {
    Ref<IQuonGeoMaskFrame> mask(CLSID_QuonGeoMaskFrame, IID_IQuonGeoMaskFrame);
    ASSERT_TRUE(mask);
    const UINT32 size[2] = {640, 480};
    UINT64 sizeOut = 0x1111;
    UINT32 state = 0x2222;
    // Before a successful Open there is no frame object to call.
    EXPECT_EQ(E_FAIL, mask->SetFrameSize(size));
    EXPECT_EQ(E_FAIL, mask->GetFrame(&sizeOut, 1, &state));
    EXPECT_EQ(0x1111u, sizeOut);
    EXPECT_EQ(0x2222u, state);

    EXPECT_EQ(static_cast<HRESULT>(0x80070006), mask->Open(7, "mask"));
    EXPECT_EQ(E_FAIL, mask->SetFrameSize(size));

    EXPECT_EQ(E_POINTER, mask->Open(9, nullptr));
    EXPECT_EQ(E_POINTER, mask->SetFrameSize(nullptr));
    EXPECT_EQ(E_POINTER, mask->GetFrame(nullptr, 1, &state));
    EXPECT_EQ(E_POINTER, mask->GetFrame(&sizeOut, 1, nullptr));
}

// A copy of the built module in a folder of its own, loaded by file.
struct ModuleCopy {
    quontest::LoadedModule module;
    explicit ModuleCopy(const std::filesystem::path& folder)
        : module(folder / quontest::ModuleFile().filename()) {}

    HRESULT CreateMask(IQuonGeoMaskFrame** mask) const {
        *mask = nullptr;
        PFN_DllCreateInstance create = module.Entry();
        if (create == nullptr) return E_HANDLE;
        return create(CLSID_QuonGeoMaskFrame, IID_IQuonGeoMaskFrame, reinterpret_cast<void**>(mask));
    }
};

std::string ReadLog(ILumidProbe* probe) {
    return quontest::Written([&](char* b, UINT32 c, UINT32* w) { return probe->ReadLog(b, c, w); });
}

TEST(MaskFrame, ModuleCopyBesideStandInsDrivesTheFrameObject) {
    quontest::ScratchFolder scratch;
    const auto beside = scratch.Place(
        "beside", {quontest::ModuleFile(), quontest::LumidStandIn(), quontest::ImageUtilityStandIn()});
    const auto lumidFile = beside / quontest::LumidStandIn().filename();
    const auto imageFile = beside / quontest::ImageUtilityStandIn().filename();
    {
        ModuleCopy copy(beside);
        ASSERT_TRUE(copy.module.Loaded()) << beside;
        EXPECT_FALSE(quontest::IsModuleLoaded(lumidFile));

        IQuonGeoMaskFrame* mask = nullptr;
        ASSERT_EQ(S_OK, copy.CreateMask(&mask));
        // Creation loaded both siblings from the module's own folder.
        EXPECT_TRUE(quontest::IsModuleLoaded(lumidFile));
        EXPECT_TRUE(quontest::IsModuleLoaded(imageFile));

        // The test reaches the same loaded stand-in for its call log.
        quontest::LoadedModule lumid(lumidFile);
        ASSERT_NE(nullptr, lumid.Entry());
        ILumidProbe* probe = nullptr;
        ASSERT_EQ(S_OK, lumid.Entry()(CLSID_LumidProbe, IID_ILumidProbe, reinterpret_cast<void**>(&probe)));
        probe->ClearLog();

        const UINT32 size[2] = {640, 480};
        UINT64 sizeOut = 0;
        UINT32 state = 0;
        ASSERT_EQ(S_OK, mask->Open(3, "first"));
        EXPECT_EQ(S_OK, mask->SetFrameSize(size));
        // The stand-in's slot 11 answers E_FAIL and writes 0xDEADBEEF to the
        // caller's state; GetFrame still succeeds and hands out the block.
        EXPECT_EQ(S_OK, mask->GetFrame(&sizeOut, 0x100000007ull, &state));
        EXPECT_EQ(8u, state);
        EXPECT_EQ((UINT64{482} << 32) | 641u, sizeOut);
        EXPECT_EQ(S_OK, mask->GetFrame(&sizeOut, 1, &state));
        EXPECT_EQ(2u, state);
        EXPECT_EQ((UINT64{484} << 32) | 642u, sizeOut);
        // Slot 6's result is passed on.
        const UINT32 zeroWidth[2] = {0, 9};
        EXPECT_EQ(E_INVALIDARG, mask->SetFrameSize(zeroWidth));

        // A second Open releases the first frame object before creating the next.
        ASSERT_EQ(S_OK, mask->Open(4, "second"));
        // A refused creation passes the sibling's result on and leaves no frame object.
        probe->RefuseNextCreate(E_OUTOFMEMORY);
        EXPECT_EQ(E_OUTOFMEMORY, mask->Open(5, "refused"));
        EXPECT_EQ(E_FAIL, mask->SetFrameSize(size));
        EXPECT_EQ(E_FAIL, mask->GetFrame(&sizeOut, 1, &state));

        // The log shows every frame object created and destroyed once.
        ASSERT_EQ(S_OK, mask->Open(6, "last"));
        EXPECT_EQ(0u, mask->Release());
        EXPECT_EQ(
            "create frame 1\n"
            "frame 1 slot 6: 0 640 480 0 0 0 0\n"
            "frame 1 slot 11: request 4294967303, block 0 640 480, state pointer given\n"
            "frame 1 slot 11: request 1, block 8 641 482, state pointer given\n"
            "frame 1 slot 6: 0 0 9 0 0 0 0\n"
            "frame 1 destroyed\n"
            "create frame 2\n"
            "frame 2 destroyed\n"
            "create refused 0x8007000E\n"
            "create frame 3\n"
            "frame 3 destroyed\n",
            ReadLog(probe));
    }
}

std::string UnloadRecordText() {
    const char* text = std::getenv(kUnloadRecordVariable);
    return text != nullptr ? text : "";
}

void ClearUnloadRecord() {
#ifdef _WIN32
    _putenv_s(kUnloadRecordVariable, "");
#else
    unsetenv(kUnloadRecordVariable);
#endif
}

TEST(MaskFrame, LastReleaseFreesTheImageUtilityThenTheFrameModule) {
    quontest::ScratchFolder scratch;
    const auto beside = scratch.Place(
        "beside", {quontest::ModuleFile(), quontest::LumidStandIn(), quontest::ImageUtilityStandIn()});
    ModuleCopy copy(beside);
    ASSERT_TRUE(copy.module.Loaded()) << beside;
    ClearUnloadRecord();

    IQuonGeoMaskFrame* mask = nullptr;
    ASSERT_EQ(S_OK, copy.CreateMask(&mask));
    ASSERT_EQ(S_OK, mask->Open(1, "held"));
    const UINT32 size[2] = {2, 2};
    ASSERT_EQ(S_OK, mask->SetFrameSize(size));
    EXPECT_EQ("", UnloadRecordText());
    // The frame object goes first (its module is still there), then the modules.
    EXPECT_EQ(0u, mask->Release());
    EXPECT_EQ("QuonImageUtility;Lumid;", UnloadRecordText());
    ClearUnloadRecord();
}

}  // namespace

// What the mask frame relies on from the frame component of the sibling
// module Lumid.dll: the identifiers its DllCreateInstance answers and the
// slots of the frame object that the mask frame calls. Everything else of
// that object belongs to the sibling; the slots between are placeholders.
#pragma once

#include "quon/platform_types.h"

inline constexpr CLSID CLSID_LumidFrame = {0x34C09AE9, 0xE8C2, 0x47E0, {0x84, 0x3B, 0xC2, 0x2E, 0x86, 0x29, 0x48, 0xB8}};
inline constexpr IID IID_ILumidFrame = {0x64F99A3E, 0x3A38, 0x4B93, {0x95, 0xC9, 0x6E, 0xF4, 0x27, 0x39, 0x94, 0x29}};

// Seven unsigned 32-bit values: {0, width, height, 0, 0, 0, 0}.
inline constexpr UINT32 LumidFrameDescriptionCount = 7;

struct ILumidFrame : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Slot3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot5() = 0;
    // slot 6: takes the frame description (seven values)
    virtual HRESULT STDMETHODCALLTYPE SetDescription(const UINT32* description) = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot8() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Slot10() = 0;
    // slot 11: reads a frame; stateAndSize points at a 32-bit state followed
    // by the width and height, all of which it may fill
    virtual HRESULT STDMETHODCALLTYPE ReadFrame(UINT64 request, UINT32* stateAndSize, UINT32* stateOut) = 0;
};

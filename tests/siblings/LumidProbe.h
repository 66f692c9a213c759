// The stand-in Lumid module's window for tests: besides the frame object, its
// DllCreateInstance answers CLSID_LumidProbe with a probe that reports every
// call the frame objects received, one line each.
#pragma once

#include "quon/platform_types.h"

inline constexpr CLSID CLSID_LumidProbe = {0x5B1F6E0A, 0x93C4, 0x4D2B, {0x8A, 0x17, 0x3E, 0x60, 0xC9, 0x21, 0x7D, 0x44}};
inline constexpr IID IID_ILumidProbe = {0x5B1F6E0B, 0x93C4, 0x4D2B, {0x8A, 0x17, 0x3E, 0x60, 0xC9, 0x21, 0x7D, 0x44}};

struct ILumidProbe : public IUnknown {
    // Copies the call log (lines ending in '\n', no NUL) when it fits.
    virtual HRESULT STDMETHODCALLTYPE ReadLog(char* buffer, UINT32 capacity, UINT32* written) = 0;
    // Empties the log and numbers the next frame object 1 again.
    virtual HRESULT STDMETHODCALLTYPE ClearLog() = 0;
    // The next frame creation is refused with this result.
    virtual HRESULT STDMETHODCALLTYPE RefuseNextCreate(HRESULT result) = 0;
};

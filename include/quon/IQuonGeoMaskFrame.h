// IQuonGeoMaskFrame: front for the frame component of the sibling module
// Lumid.dll: creates the frame object, gives it a frame size, reads frames.
#pragma once

#include "identifiers.h"

struct IQuonGeoMaskFrame : public IUnknown {
    // slot 3: store id and name, drop the frame object held and create a new one;
    // E_HANDLE when Lumid.dll or its entry point is missing
    virtual HRESULT STDMETHODCALLTYPE Open(UINT32 id, const char* name) = 0;
    // slot 4: store the frame size (width, height) and pass it to the frame object
    virtual HRESULT STDMETHODCALLTYPE SetFrameSize(const UINT32 size[2]) = 0;
    // slot 5: read a frame; *sizeOut receives the 8 bytes of the frame size (width, height)
    virtual HRESULT STDMETHODCALLTYPE GetFrame(UINT64* sizeOut, UINT64 request, UINT32* stateOut) = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoMaskFrame>() { return IID_IQuonGeoMaskFrame; }

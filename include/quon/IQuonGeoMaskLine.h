// IQuonGeoMaskLine: up to four mask lines (an enable value and two 16-byte
// points each), a label, one 8-byte value and four 32-bit bounds.
#pragma once

#include "identifiers.h"

inline constexpr UINT32 MaskLineCount = 4;
inline constexpr UINT32 MaskLinePointSize = 16;

struct IQuonGeoMaskLine : public IUnknown {
    // slot 3: store id and name
    virtual HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id, const char* name) = 0;
    // slot 4: the id
    virtual HRESULT STDMETHODCALLTYPE GetId(UINT32* id) = 0;
    // slot 5: store the 8-byte value
    virtual HRESULT STDMETHODCALLTYPE SetValue(const UINT64* value) = 0;
    // slot 6: the 8-byte value
    virtual HRESULT STDMETHODCALLTYPE GetValue(UINT64* value) = 0;
    // slot 7: store line `index` (flag and two 16-byte points); S_FALSE above 3
    virtual HRESULT STDMETHODCALLTYPE SetLine(UINT32 index, UINT32 flag, const void* start, const void* end) = 0;
    // slot 8: copy line `index` out; S_FALSE below 0 or above 3
    virtual HRESULT STDMETHODCALLTYPE GetLine(INT32 index, UINT32* flag, void* start, void* end) = 0;
    // slot 9: store the four bounds
    virtual HRESULT STDMETHODCALLTYPE SetBounds(UINT32 b0, UINT32 b1, UINT32 b2, UINT32 b3) = 0;
    // slot 10: the four bounds
    virtual HRESULT STDMETHODCALLTYPE GetBounds(UINT32* b0, UINT32* b1, UINT32* b2, UINT32* b3) = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoMaskLine>() { return IID_IQuonGeoMaskLine; }

// CQuonGeoMaskLine: up to four mask lines (an enable value and two 16-byte
// points each), a host label, one 8-byte value and four 32-bit bounds. All
// stored and returned unchanged; no text form.
#pragma once

#include <string>

#include "frame/CUnknown.h"
#include "quon/IQuonGeoMaskLine.h"

class CQuonGeoMaskLine : public CQuonObject<CQuonGeoMaskLine, IQuonGeoMaskLine, IID_IQuonGeoMaskLine> {
public:
    explicit CQuonGeoMaskLine(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetId(UINT32* id) override;
    HRESULT STDMETHODCALLTYPE SetValue(const UINT64* value) override;
    HRESULT STDMETHODCALLTYPE GetValue(UINT64* value) override;
    HRESULT STDMETHODCALLTYPE SetLine(UINT32 index, UINT32 flag, const void* start, const void* end) override;
    HRESULT STDMETHODCALLTYPE GetLine(INT32 index, UINT32* flag, void* start, void* end) override;
    HRESULT STDMETHODCALLTYPE SetBounds(UINT32 b0, UINT32 b1, UINT32 b2, UINT32 b3) override;
    HRESULT STDMETHODCALLTYPE GetBounds(UINT32* b0, UINT32* b1, UINT32* b2, UINT32* b3) override;

    // The name given with the identity (not part of the interface).
    const std::string& Name() const { return m_name; }

private:
    UINT32 m_id = 0;
    std::string m_name;
    UINT64 m_value = 0;
    UINT32 m_lineFlags[MaskLineCount] = {};
    unsigned char m_lineStarts[MaskLineCount][MaskLinePointSize] = {};
    unsigned char m_lineEnds[MaskLineCount][MaskLinePointSize] = {};
    UINT32 m_bounds[4] = {};
};

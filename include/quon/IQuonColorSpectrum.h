// IQuonColorSpectrum: the original-sheet values of one picture mode and
// its spectrum of 401 four-number points; reads and writes one named
// picture-mode member of the original-sheet document.
// Also home of ColorSpectrumInfo and ColorSpectrumPoint.
#pragma once

#include "identifiers.h"

inline constexpr UINT32 ColorSpectrumPointCount = 401;   // points of a full spectrum
inline constexpr UINT32 ColorPmodeIdSize = 32;            // 31 characters + NUL
// Result of AddPoint, GetPoint and LoadFromBuffer for an index out of range or a short point.
inline constexpr HRESULT ColorSpectrumOutOfRange = 22;

#pragma pack(push, 8)

// Values of one picture mode.
struct ColorSpectrumInfo {
    char pmodeID[32];        // NUL-terminated
    double xyRate;
    double YRate;
    double LightOutput;
    INT64 Rhigh;
    INT64 Rlow;
    INT64 Ghigh;
    INT64 Glow;
    INT64 Bhigh;
    INT64 Blow;
    double typDWL_R;
    double typDWL_G;
    double typDWL_B;
};
static_assert(sizeof(ColorSpectrumInfo) == 128);

// One spectrum sample: four numbers.
struct ColorSpectrumPoint {
    double values[4];
};
static_assert(sizeof(ColorSpectrumPoint) == 32);

#pragma pack(pop)

struct IQuonColorSpectrum : public IUnknown {
    // slot 3: restart the point count at 0 (table and record stay)
    virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;
    // slot 4: copy the record in and replace the point table by 401 zeroed points
    virtual HRESULT STDMETHODCALLTYPE SetData(const ColorSpectrumInfo* info) = 0;
    // slot 5: copy the record out
    virtual HRESULT STDMETHODCALLTYPE GetData(ColorSpectrumInfo* info) = 0;
    // slot 6: store a point at the count and advance it; 22 past 401 points
    virtual HRESULT STDMETHODCALLTYPE AddPoint(const ColorSpectrumPoint* point) = 0;
    // slot 7: the point count
    virtual HRESULT STDMETHODCALLTYPE GetPointCount(UINT32* count) = 0;
    // slot 8: copy point `index` out; 22 beyond the table
    virtual HRESULT STDMETHODCALLTYPE GetPoint(UINT32 index, ColorSpectrumPoint* point) = 0;
    // slot 9: read the picture-mode member `name` of a document; 22 when a point was short
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* name, const char* text, UINT32 length) = 0;
    // slot 10: write a document whose single member is `name`; E_FAIL for a null buffer or
    // a text longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(const char* name, char* buffer, INT32 capacity,
                                                   UINT32* written) = 0;
    // slot 11: release the point table (the count stays)
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonColorSpectrum>() { return IID_IQuonColorSpectrum; }

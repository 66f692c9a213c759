// IQuonColorDiff7colors: the difference-sheet values of one picture
// mode between two projector types, with up to two spectra; reads and writes
// one named picture-mode member of the difference-sheet document.
// Also home of ColorDiff7colorsInfo.
#pragma once

#include <cstddef>

#include "IQuonColorSpectrum.h"

inline constexpr UINT32 ColorDiffSpectrumCapacity = 402;   // points a spectrum table holds
inline constexpr UINT32 ColorDiffTripleCount = 8;          // seven colours + one reserved triple

#pragma pack(push, 8)

// Values of one picture mode of a difference sheet.
struct ColorDiff7colorsInfo {
    char pmodeID_0[32];          // NUL-terminated
    char pmodeID_1[32];          // NUL-terminated
    double LightOutput_0;
    double LightOutput_1;
    double xyRate;
    double diff7colors_0[8][3];  // Red, Green, Blue, Cyan, Magenta, Yellow, White, reserved
    double diff7colors_1[8][3];  // same order
    INT32 IsSpectrum_0;          // 0 or 1
    INT32 IsSpectrum_1;          // 0 or 1
};
static_assert(offsetof(ColorDiff7colorsInfo, diff7colors_0) == 88);
static_assert(offsetof(ColorDiff7colorsInfo, IsSpectrum_0) == 472);
static_assert(sizeof(ColorDiff7colorsInfo) == 480);

#pragma pack(pop)

struct IQuonColorDiff7colors : public IUnknown {
    // slot 3: restart both spectrum counts at 0 (tables and record stay)
    virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;
    // slot 4: copy the record in
    virtual HRESULT STDMETHODCALLTYPE SetData(const ColorDiff7colorsInfo* info) = 0;
    // slot 5: copy the record out
    virtual HRESULT STDMETHODCALLTYPE GetData(ColorDiff7colorsInfo* info) = 0;
    // slot 6: append a point to spectrum "Spectrum_0" or "Spectrum_1"; E_FAIL for another name
    virtual HRESULT STDMETHODCALLTYPE AddSpectrumPoint(const char* name, const ColorSpectrumPoint* point) = 0;
    // slot 7: point count of the named spectrum; E_FAIL for another name
    virtual HRESULT STDMETHODCALLTYPE GetSpectrumPointCount(const char* name, UINT32* count) = 0;
    // slot 8: copy point `index` of the named spectrum out; E_FAIL for another name
    virtual HRESULT STDMETHODCALLTYPE GetSpectrumPoint(const char* name, UINT32 index, ColorSpectrumPoint* point) = 0;
    // slot 9: read the picture-mode member `name` of a document
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* name, const char* text, UINT32 length) = 0;
    // slot 10: write a document whose single member is `name`; E_FAIL for a null buffer or
    // a text longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(const char* name, char* buffer, INT32 capacity,
                                                   UINT32* written) = 0;
    // slot 11: release both spectrum tables
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonColorDiff7colors>() { return IID_IQuonColorDiff7colors; }

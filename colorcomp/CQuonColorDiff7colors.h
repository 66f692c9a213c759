// CQuonColorDiff7colors: the difference-sheet values of one picture mode
// between two projector types and its two spectra ("Spectrum_0",
// "Spectrum_1"), read from and written to one named picture-mode member of a
// JSON document.
#pragma once

#include <vector>

#include "frame/CUnknown.h"
#include "quon/IQuonColorDiff7colors.h"

class CQuonColorDiff7colors
    : public CQuonObject<CQuonColorDiff7colors, IQuonColorDiff7colors, IID_IQuonColorDiff7colors> {
public:
    explicit CQuonColorDiff7colors(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize() override;
    HRESULT STDMETHODCALLTYPE SetData(const ColorDiff7colorsInfo* info) override;
    HRESULT STDMETHODCALLTYPE GetData(ColorDiff7colorsInfo* info) override;
    HRESULT STDMETHODCALLTYPE AddSpectrumPoint(const char* name, const ColorSpectrumPoint* point) override;
    HRESULT STDMETHODCALLTYPE GetSpectrumPointCount(const char* name, UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetSpectrumPoint(const char* name, UINT32 index, ColorSpectrumPoint* point) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* name, const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(const char* name, char* buffer, INT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    struct Spectrum {
        std::vector<ColorSpectrumPoint> points;  // the table; empty when there is none
        INT32 count = 0;
    };

    // The spectrum called name, or nullptr for any other name.
    Spectrum* Select(const char* name);

    ColorDiff7colorsInfo m_info{};
    Spectrum m_spectra[2];
};

// CQuonColorSpectrum: the original-sheet values of one picture mode and its
// spectrum of four-number points, read from and written to one named
// picture-mode member of a JSON document.
#pragma once

#include <vector>

#include "frame/CUnknown.h"
#include "quon/IQuonColorSpectrum.h"

class CQuonColorSpectrum : public CQuonObject<CQuonColorSpectrum, IQuonColorSpectrum, IID_IQuonColorSpectrum> {
public:
    explicit CQuonColorSpectrum(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize() override;
    HRESULT STDMETHODCALLTYPE SetData(const ColorSpectrumInfo* info) override;
    HRESULT STDMETHODCALLTYPE GetData(ColorSpectrumInfo* info) override;
    HRESULT STDMETHODCALLTYPE AddPoint(const ColorSpectrumPoint* point) override;
    HRESULT STDMETHODCALLTYPE GetPointCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetPoint(UINT32 index, ColorSpectrumPoint* point) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* name, const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(const char* name, char* buffer, INT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    ColorSpectrumInfo m_info{};
    std::vector<ColorSpectrumPoint> m_points;  // the point table; empty when there is none
    INT32 m_count = 0;
};

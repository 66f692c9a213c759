// CQuonColorCompOrgSpec: the original colour sheet of one projector type:
// a header read from and written to a JSON document, and up to three
// attached spectrum objects whose picture modes it writes with the header.
#pragma once

#include "colorcomp/child_table.h"
#include "frame/CUnknown.h"
#include "quon/IQuonColorCompOrgSpec.h"

class CQuonColorCompOrgSpec
    : public CQuonObject<CQuonColorCompOrgSpec, IQuonColorCompOrgSpec, IID_IQuonColorCompOrgSpec> {
public:
    explicit CQuonColorCompOrgSpec(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize() override;
    HRESULT STDMETHODCALLTYPE SetHeader(const ColorCompOrgSpecHeader* header) override;
    HRESULT STDMETHODCALLTYPE GetHeader(ColorCompOrgSpecHeader* header) override;
    HRESULT STDMETHODCALLTYPE AddSpectrum(IQuonColorSpectrum* spectrum) override;
    HRESULT STDMETHODCALLTYPE GetSpectrumCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetSpectrum(UINT32 index, IQuonColorSpectrum** spectrum) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    // Picture mode i is written from spectrum slot i: its record (GetData)
    // and its points (GetPoint), read at the time of writing.
    quon::colorcomp::ChildTable<IQuonColorSpectrum> m_spectra;
    ColorCompOrgSpecHeader m_header{};
};

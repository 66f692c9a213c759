// CQuonColorCompDiffSpec: the colour difference sheet between two projector
// types: a header read from and written to a JSON document, and up to three
// attached seven-colour objects whose picture modes it writes with the header.
#pragma once

#include "colorcomp/child_table.h"
#include "frame/CUnknown.h"
#include "quon/IQuonColorCompDiffSpec.h"

class CQuonColorCompDiffSpec
    : public CQuonObject<CQuonColorCompDiffSpec, IQuonColorCompDiffSpec, IID_IQuonColorCompDiffSpec> {
public:
    explicit CQuonColorCompDiffSpec(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize() override;
    HRESULT STDMETHODCALLTYPE SetHeader(const ColorCompDiffSpecHeader* header) override;
    HRESULT STDMETHODCALLTYPE GetHeader(ColorCompDiffSpecHeader* header) override;
    HRESULT STDMETHODCALLTYPE AddDiff7colors(IQuonColorDiff7colors* diff) override;
    HRESULT STDMETHODCALLTYPE GetDiff7colorsCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetDiff7colors(UINT32 index, IQuonColorDiff7colors** diff) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    // Picture mode i is written from seven-colour slot i: its record
    // (GetData) and its spectrum points, read at the time of writing.
    quon::colorcomp::ChildTable<IQuonColorDiff7colors> m_modes;
    ColorCompDiffSpecHeader m_header{};
};

// CQuonGridNpdInfo: one fixed set of forty pattern parameters with factory
// defaults, its one-value-per-line text and its JSON fragment.
#pragma once

#include <string>

#include "frame/CUnknown.h"
#include "frame/label.h"
#include "quon/IQuonGridNpdInfo.h"

class CQuonGridNpdInfo : public CQuonObject<CQuonGridNpdInfo, IQuonGridNpdInfo, IID_IQuonGridNpdInfo> {
public:
    explicit CQuonGridNpdInfo(IUnknown* pUnkOuter);

    HRESULT STDMETHODCALLTYPE SetLabel(UINT32 labelA, UINT32 labelB, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetLabel(UINT32* labelA, UINT32* labelB, char** name) override;
    HRESULT STDMETHODCALLTYPE SetLevels(const BYTE levels[3]) override;
    HRESULT STDMETHODCALLTYPE SetProjectorResolution(const double resolution[2]) override;
    HRESULT STDMETHODCALLTYPE SetFactors(const double factors[2]) override;
    HRESULT STDMETHODCALLTYPE GetParams(GridNpdParams* params) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE SaveAsJson(char* buffer, INT32 capacity, UINT32* written, UINT32 patternStep) override;
    HRESULT STDMETHODCALLTYPE Reserved() override;

private:
    quon::Label m_label;
    GridNpdParams m_params;
};

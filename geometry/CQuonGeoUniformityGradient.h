// CQuonGeoUniformityGradient: two 16-byte blocks of uniformity gradient data,
// held from Allocate until the object is destroyed. No text form.
#pragma once

#include "frame/CUnknown.h"
#include "quon/IQuonGeoUniformityGradient.h"

class CQuonGeoUniformityGradient
    : public CQuonObject<CQuonGeoUniformityGradient, IQuonGeoUniformityGradient, IID_IQuonGeoUniformityGradient> {
public:
    explicit CQuonGeoUniformityGradient(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Allocate() override;
    HRESULT STDMETHODCALLTYPE SetBlocks(const void* a, const void* b) override;
    HRESULT STDMETHODCALLTYPE GetBlocks(void* a, void* b) override;

private:
    bool m_allocated = false;
    unsigned char m_blockA[UniformityGradientBlockSize] = {};
    unsigned char m_blockB[UniformityGradientBlockSize] = {};
};

// IQuonGeoUniformityGradient: two 16-byte blocks of uniformity gradient data.
#pragma once

#include "identifiers.h"

inline constexpr UINT32 UniformityGradientBlockSize = 16;

struct IQuonGeoUniformityGradient : public IUnknown {
    // slot 3: allocate the two blocks
    virtual HRESULT STDMETHODCALLTYPE Allocate() = 0;
    // slot 4: copy 16 bytes into each block
    virtual HRESULT STDMETHODCALLTYPE SetBlocks(const void* a, const void* b) = 0;
    // slot 5: copy the two blocks out (16 bytes each)
    virtual HRESULT STDMETHODCALLTYPE GetBlocks(void* a, void* b) = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoUniformityGradient>() { return IID_IQuonGeoUniformityGradient; }

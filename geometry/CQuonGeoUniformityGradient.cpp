#include "geometry/CQuonGeoUniformityGradient.h"

#include <cstring>

HRESULT CQuonGeoUniformityGradient::Allocate() {
    // Every Allocate hands the blocks out zero-filled.
    std::memset(m_blockA, 0, sizeof m_blockA);
    std::memset(m_blockB, 0, sizeof m_blockB);
    m_allocated = true;
    return S_OK;
}

HRESULT CQuonGeoUniformityGradient::SetBlocks(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) return E_POINTER;
    if (!m_allocated) return E_FAIL;
    std::memcpy(m_blockA, a, sizeof m_blockA);
    std::memcpy(m_blockB, b, sizeof m_blockB);
    return S_OK;
}

HRESULT CQuonGeoUniformityGradient::GetBlocks(void* a, void* b) {
    if (a == nullptr || b == nullptr) return E_POINTER;
    if (!m_allocated) return E_FAIL;
    std::memcpy(a, m_blockA, sizeof m_blockA);
    std::memcpy(b, m_blockB, sizeof m_blockB);
    return S_OK;
}

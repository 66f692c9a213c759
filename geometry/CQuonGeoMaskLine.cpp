#include "geometry/CQuonGeoMaskLine.h"

#include <cstring>

HRESULT CQuonGeoMaskLine::SetIdentity(UINT32 id, const char* name) {
    if (name == nullptr) return E_POINTER;
    m_id = id;
    m_name = name;
    return S_OK;
}

HRESULT CQuonGeoMaskLine::GetId(UINT32* id) {
    if (id == nullptr) return E_POINTER;
    *id = m_id;
    return S_OK;
}

HRESULT CQuonGeoMaskLine::SetValue(const UINT64* value) {
    if (value == nullptr) return E_POINTER;
    m_value = *value;
    return S_OK;
}

HRESULT CQuonGeoMaskLine::GetValue(UINT64* value) {
    if (value == nullptr) return E_POINTER;
    *value = m_value;
    return S_OK;
}

HRESULT CQuonGeoMaskLine::SetLine(UINT32 index, UINT32 flag, const void* start, const void* end) {
    if (index >= MaskLineCount) return S_FALSE;
    if (start == nullptr || end == nullptr) return E_POINTER;
    m_lineFlags[index] = flag;
    std::memcpy(m_lineStarts[index], start, MaskLinePointSize);
    std::memcpy(m_lineEnds[index], end, MaskLinePointSize);
    return S_OK;
}

HRESULT CQuonGeoMaskLine::GetLine(INT32 index, UINT32* flag, void* start, void* end) {
    if (index < 0 || index >= static_cast<INT32>(MaskLineCount)) return S_FALSE;
    if (flag == nullptr || start == nullptr || end == nullptr) return E_POINTER;
    *flag = m_lineFlags[index];
    std::memcpy(start, m_lineStarts[index], MaskLinePointSize);
    std::memcpy(end, m_lineEnds[index], MaskLinePointSize);
    return S_OK;
}

HRESULT CQuonGeoMaskLine::SetBounds(UINT32 b0, UINT32 b1, UINT32 b2, UINT32 b3) {
    m_bounds[0] = b0;
    m_bounds[1] = b1;
    m_bounds[2] = b2;
    m_bounds[3] = b3;
    return S_OK;
}

HRESULT CQuonGeoMaskLine::GetBounds(UINT32* b0, UINT32* b1, UINT32* b2, UINT32* b3) {
    if (b0 == nullptr || b1 == nullptr || b2 == nullptr || b3 == nullptr) return E_POINTER;
    *b0 = m_bounds[0];
    *b1 = m_bounds[1];
    *b2 = m_bounds[2];
    *b3 = m_bounds[3];
    return S_OK;
}

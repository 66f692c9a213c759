#include "geometry/CQuonGeoOtherScreenTag.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr UINT32 kRecordCount = OtherScreenTagColumns * OtherScreenTagRows;
}

HRESULT CQuonGeoOtherScreenTag::Reset() {
    m_usedColumns = 0;
    m_usedRows = 0;
    // The same array serves every later reset.
    if (!m_tags) m_tags = std::make_unique<Record[]>(kRecordCount);
    std::memset(m_tags.get(), 0, sizeof(Record) * kRecordCount);
    return S_OK;
}

HRESULT CQuonGeoOtherScreenTag::GetUsedSize(UINT32* columns, UINT32* rows) {
    if (columns == nullptr || rows == nullptr) return E_POINTER;
    *columns = static_cast<UINT32>(m_usedColumns);
    *rows = static_cast<UINT32>(m_usedRows);
    return S_OK;
}

HRESULT CQuonGeoOtherScreenTag::Locate(UINT32 row, UINT32 column, const void* tag, UINT32* index) const {
    if (tag == nullptr) return E_POINTER;
    if (!m_tags) return E_FAIL;
    if (row >= static_cast<UINT32>(m_capacityRows) || column >= static_cast<UINT32>(m_capacityColumns)) {
        return E_INVALIDARG;
    }
    *index = row * static_cast<UINT32>(m_capacityColumns) + column;
    return S_OK;
}

HRESULT CQuonGeoOtherScreenTag::SetTag(UINT32 row, UINT32 column, const void* tag) {
    UINT32 index = 0;
    const HRESULT hr = Locate(row, column, tag, &index);
    if (FAILED(hr)) return hr;
    std::memcpy(m_tags[index].data(), tag, sizeof(Record));
    m_usedRows = std::max(m_usedRows, static_cast<INT32>(row) + 1);
    m_usedColumns = std::max(m_usedColumns, static_cast<INT32>(column) + 1);
    return S_OK;
}

HRESULT CQuonGeoOtherScreenTag::GetTag(UINT32 row, UINT32 column, void* tag) {
    UINT32 index = 0;
    const HRESULT hr = Locate(row, column, tag, &index);
    if (FAILED(hr)) return hr;
    std::memcpy(tag, m_tags[index].data(), sizeof(Record));
    return S_OK;
}

#include "geometry/CQuonGeoUniformityFlexible.h"

#include <cstring>

HRESULT CQuonGeoUniformityFlexible::Initialize(UINT32 id, const char* name) {
    if (name == nullptr) return E_POINTER;
    // Fresh zeroed records replace whatever was held; the header stays.
    std::vector<unsigned char> fresh(static_cast<std::size_t>(DefaultRecordCount) * UniformityRecordSize, 0);
    m_id = id;
    m_name = name;
    m_records.swap(fresh);
    return S_OK;
}

HRESULT CQuonGeoUniformityFlexible::SetData(const double header[4], const void* records) {
    if (header == nullptr) return E_POINTER;
    // The record count is h3 x h2 truncated to a 32-bit integer; a product
    // that is not a number, negative or beyond 32 bits is refused.
    const double product = header[3] * header[2];
    if (!(product > -1.0 && product < 2147483648.0)) return E_INVALIDARG;
    const std::size_t count = static_cast<std::size_t>(static_cast<INT32>(product));
    if (count > 0 && records == nullptr) return E_POINTER;

    std::vector<unsigned char> fresh(count * UniformityRecordSize);
    if (count > 0) std::memcpy(fresh.data(), records, fresh.size());
    m_records.swap(fresh);
    std::memcpy(m_header, header, sizeof m_header);
    return S_OK;
}

HRESULT CQuonGeoUniformityFlexible::SetMode(UINT32 mode) {
    m_mode = mode;
    return S_OK;
}

HRESULT CQuonGeoUniformityFlexible::GetData(double header[4], const void** records) {
    if (header != nullptr) std::memcpy(header, m_header, sizeof m_header);
    if (records != nullptr) *records = m_records.empty() ? nullptr : m_records.data();
    return S_OK;
}

HRESULT CQuonGeoUniformityFlexible::Reserved() { return S_OK; }

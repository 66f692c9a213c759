// The growable record list of the detect-mark areas and the marker lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "quon/platform_types.h"

namespace quon::calib {

// A list that grows in steps of 128 records: when an append finds it full,
// the capacity becomes count + 1 rounded up to a multiple of 128, a zeroed
// storage of that size replaces the old one and the records are copied over.
// It takes no lock; its owner does.
template <class T>
class GrowableList {
public:
    static constexpr UINT32 kStep = 128;

    // Appends a copy of record. E_OUTOFMEMORY when the count would no longer
    // fit 32 bits.
    HRESULT Append(const T& record) {
        if (m_count == m_capacity) {
            const uint64_t wanted = (static_cast<uint64_t>(m_count) + 1 + kStep - 1) / kStep * kStep;
            if (wanted > UINT32_MAX) return E_OUTOFMEMORY;
            std::unique_ptr<T[]> storage(new T[wanted]());
            if (m_count != 0) std::memcpy(storage.get(), m_storage.get(), sizeof(T) * m_count);
            m_storage = std::move(storage);
            m_capacity = static_cast<UINT32>(wanted);
        }
        m_storage[m_count++] = record;
        return S_OK;
    }

    // Copies record index out: E_INVALIDARG (nothing written) when index is
    // not below the count.
    HRESULT Get(UINT32 index, T* record) const {
        if (index >= m_count) return E_INVALIDARG;
        *record = m_storage[index];
        return S_OK;
    }

    // Releases the storage; capacity and count become 0.
    void Free() {
        m_storage.reset();
        m_capacity = 0;
        m_count = 0;
    }

    UINT32 Count() const { return m_count; }
    UINT32 Capacity() const { return m_capacity; }
    const T* begin() const { return m_storage.get(); }
    const T* end() const { return m_storage.get() + m_count; }

private:
    UINT32 m_capacity = 0;
    UINT32 m_count = 0;
    std::unique_ptr<T[]> m_storage;
};

}  // namespace quon::calib

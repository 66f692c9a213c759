// The checks of every slot that reads or writes one entry of a model
// object's table, in their one order: a null record pointer is E_POINTER, a
// table that is not held (never allocated, or freed) is E_FAIL, and an index
// outside the table is E_INVALIDARG. Callers compute the index with their
// own addressing rule and pass -1 when it finds no entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "quon/platform_types.h"

namespace quon {

template <class... Records>
HRESULT CheckEntry(bool held, int64_t index, std::size_t size, const Records*... records) {
    if ((false || ... || (records == nullptr))) return E_POINTER;
    if (!held) return E_FAIL;
    if (index < 0 || static_cast<uint64_t>(index) >= size) return E_INVALIDARG;
    return S_OK;
}

// The same checks for a table addressed through a pointer: entry is null
// when the caller's addressing rule finds none.
template <class T, class... Records>
HRESULT CheckEntryAt(bool held, const T* entry, const Records*... records) {
    return CheckEntry(held, entry != nullptr ? 0 : -1, 1, records...);
}

// Copies record into entry index of table, after the checks above.
template <class T>
HRESULT StoreEntry(std::vector<T>& table, bool held, int64_t index, const T* record) {
    const HRESULT hr = CheckEntry(held, index, table.size(), record);
    if (SUCCEEDED(hr)) table[static_cast<std::size_t>(index)] = *record;
    return hr;
}

// Copies entry index of table out to record, after the checks above.
template <class T>
HRESULT LoadEntry(const std::vector<T>& table, bool held, int64_t index, T* record) {
    const HRESULT hr = CheckEntry(held, index, table.size(), record);
    if (SUCCEEDED(hr)) *record = table[static_cast<std::size_t>(index)];
    return hr;
}

}  // namespace quon

#include "geometry/CQuonLookUpTable.h"

#include <cstdint>

#include "frame/bounded_table.h"
#include "frame/copy_out.h"
#include "frame/sizes.h"
#include "frame/text.h"

HRESULT CQuonLookUpTable::SetLabel(UINT32 labelA, UINT32 labelB, const char* name) {
    return m_label.Set(labelA, labelB, name);
}

HRESULT CQuonLookUpTable::GetLabelValues(UINT32* labelA, UINT32* labelB) {
    if (labelA == nullptr || labelB == nullptr) return E_POINTER;
    *labelA = m_label.first;
    *labelB = m_label.second;
    return S_OK;
}

HRESULT CQuonLookUpTable::SetTableSize(INT32 columns, INT32 rows) {
    // A negative side, or a table whose entry count does not fit a signed
    // 32-bit number, is refused and the table stays as it was.
    const int64_t count = quon::Int32Count({columns, rows});
    if (count < 0) return E_INVALIDARG;

    // The array held so far is released and replaced by a zeroed one; an
    // array past the model's limit throws the allocation failure exception
    // before anything changes.
    std::vector<LookUpEntry> fresh = quon::ZeroedArray<LookUpEntry>(static_cast<uint64_t>(count));
    m_entries.swap(fresh);
    m_columns = columns;
    m_rows = rows;
    m_allocated = true;
    return S_OK;
}

HRESULT CQuonLookUpTable::GetTableSize(UINT32* columns, UINT32* rows) {
    if (columns == nullptr || rows == nullptr) return E_POINTER;
    *columns = static_cast<UINT32>(m_columns);
    *rows = static_cast<UINT32>(m_rows);
    return S_OK;
}

long long CQuonLookUpTable::EntryIndex(UINT32 column, UINT32 row) const {
    if (!m_allocated) return -1;
    if (column >= static_cast<UINT32>(m_columns) || row >= static_cast<UINT32>(m_rows)) return -1;
    return static_cast<long long>(row) * m_columns + column;
}

HRESULT CQuonLookUpTable::SetEntry(UINT32 column, UINT32 row, const LookUpEntry* entry) {
    return quon::StoreEntry(m_entries, m_allocated, EntryIndex(column, row), entry);
}

HRESULT CQuonLookUpTable::GetEntry(UINT32 column, UINT32 row, LookUpEntry* entry) {
    return quon::LoadEntry(m_entries, m_allocated, EntryIndex(column, row), entry);
}

HRESULT CQuonLookUpTable::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    std::vector<std::string> lines;
    Split(quon::TextOfLength(text, length), '\n', lines);
    if (lines.empty()) return S_OK;

    std::vector<std::string> fields;
    Split(lines[0], ',', fields);
    if (fields.empty()) return S_OK;
    // A size line with one field reads as a table of no rows.
    const INT32 columns = quon::Atol(fields[0]);
    const INT32 rows = fields.size() > 1 ? quon::Atol(fields[1]) : 0;
    HRESULT hr = SetTableSize(columns, rows);
    if (FAILED(hr)) return hr;

    // Entries without a line, or whose line is empty, stay zero; missing
    // fields read as 0. The reading stops at the last line, and rows of no
    // columns are not walked, so the size line costs nothing beyond its table.
    std::size_t counter = 1;
    for (INT32 r = 0; r < rows && columns > 0 && counter < lines.size(); ++r) {
        for (INT32 c = 0; c < columns && counter < lines.size(); ++c, ++counter) {
            fields.clear();
            Split(lines[counter], ',', fields);
            if (fields.empty()) continue;
            LookUpEntry entry{};
            double* values[4] = {&entry.value0, &entry.value1, &entry.value2, &entry.value3};
            for (std::size_t i = 0; i < 4 && i < fields.size(); ++i) *values[i] = quon::Atof(fields[i]);
            hr = SetEntry(static_cast<UINT32>(c), static_cast<UINT32>(r), &entry);
        }
    }
    return hr;
}

HRESULT CQuonLookUpTable::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    HRESULT hr = S_OK;
    // After FreeData the size stays but the entries are gone: nothing to print.
    if (!m_allocated && m_columns > 0 && m_rows > 0) return E_FAIL;

    std::string out;
    quon::AppendFormat(out, "%d,%d\n", m_columns, m_rows);
    // A table without columns has no entry line, however many rows it has.
    for (INT32 r = 0; r < m_rows && m_columns > 0; ++r) {
        for (INT32 c = 0; c < m_columns; ++c) {
            LookUpEntry entry{};
            hr = GetEntry(static_cast<UINT32>(c), static_cast<UINT32>(r), &entry);
            quon::AppendFormat(out, "%g,%g,%g,%g\n", entry.value0, entry.value1, entry.value2, entry.value3);
        }
    }
    return quon::CopyOut(out, buffer, capacity, written, hr);
}

HRESULT CQuonLookUpTable::FreeData() {
    std::vector<LookUpEntry>().swap(m_entries);
    m_allocated = false;
    return S_OK;
}

#include "geometry/CQuonLookUpTable.h"

#include <cstdint>
#include <string_view>

#include "frame/bounded_table.h"
#include "frame/copy_out.h"
#include "frame/diagnostics.h"
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
    quon::Pieces lines(quon::TextView(text, length), '\n');
    std::string_view sizeLine;
    // A text without a size field changes nothing.
    if (!lines.Next(sizeLine) || sizeLine.empty()) return S_OK;
    // A size line with one field reads as a table of no rows.
    const quon::Fields<2> size(sizeLine, ',');
    if (size.Count() != 2) quon::geometry::ReportSizeLine(sizeLine, size.Count());
    const INT32 columns = quon::Atol(size[0]);
    const INT32 rows = quon::Atol(size[1]);
    const HRESULT hr = SetTableSize(columns, rows);
    if (FAILED(hr)) return hr;
    quon::geometry::ReadLookUpEntries(*this, columns, rows, lines);
    if (quon::Listener() != nullptr) quon::ReportTextAfter(lines.Rest(), "the last entry");
    return S_OK;
}

HRESULT CQuonLookUpTable::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    // After FreeData the size stays but the entries are gone: the first
    // entry cannot be read and nothing is written.
    quon::TextBuffer out;
    const HRESULT hr = quon::geometry::AppendLookUpTable(*this, out);
    if (FAILED(hr)) return hr;
    return quon::CopyOut(out.View(), buffer, capacity, written, hr);
}

HRESULT CQuonLookUpTable::FreeData() {
    std::vector<LookUpEntry>().swap(m_entries);
    m_allocated = false;
    return S_OK;
}

namespace quon::geometry {

void ReportSizeLine(std::string_view line, std::size_t fields) {
    Report(line.data(), "size line ", Quoted(line), " has ", fields, " fields, not columns,rows: ",
           fields < 2 ? "the missing ones read as 0" : "the others are not read");
}

void ReadLookUpEntries(IQuonLookUpTable& table, INT32 columns, INT32 rows, Pieces& lines) {
    std::string_view line;
    for (INT32 r = 0; r < rows && columns > 0; ++r) {
        for (INT32 c = 0; c < columns; ++c) {
            if (!lines.Next(line)) {
                Report(line.data(), "the table has ", columns, " x ", rows, " entries but the text ends after ",
                       static_cast<int64_t>(r) * columns + c, ": the others read as 0");
                return;
            }
            if (line.empty()) {
                Report(line.data(), "empty entry line: entry ", c, ",", r, " reads as 0");
                continue;
            }
            const Fields<4> f(line, ',');
            if (f.Count() != 4) [[unlikely]] {
                Report(line.data(), "entry ", c, ",", r, " has ", f.Count(), " fields, not 4: ",
                       f.Count() < 4 ? "the missing ones read as 0" : "the others are not read");
            }
            const LookUpEntry entry{Atof(f[0]), Atof(f[1]), Atof(f[2]), Atof(f[3])};
            table.SetEntry(static_cast<UINT32>(c), static_cast<UINT32>(r), &entry);
        }
    }
}

HRESULT AppendLookUpTable(IQuonLookUpTable& table, TextBuffer& out) {
    UINT32 columns = 0, rows = 0;
    HRESULT hr = table.GetTableSize(&columns, &rows);
    if (FAILED(hr)) return hr;
    Append<"%d,%d\n">(out, static_cast<INT32>(columns), static_cast<INT32>(rows));
    // A table without columns has no entry line, however many rows it has.
    for (UINT32 r = 0; r < rows && columns > 0; ++r) {
        for (UINT32 c = 0; c < columns; ++c) {
            LookUpEntry e{};
            if (FAILED(hr = table.GetEntry(c, r, &e))) return hr;
            Append<"%g,%g,%g,%g\n">(out, e.value0, e.value1, e.value2, e.value3);
        }
    }
    return hr;
}

}  // namespace quon::geometry

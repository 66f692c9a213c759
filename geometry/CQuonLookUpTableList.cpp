#include "geometry/CQuonLookUpTableList.h"

#include <memory>
#include <string_view>

#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/factory.h"
#include "frame/text.h"
#include "geometry/CQuonLookUpTable.h"

CQuonLookUpTableList::~CQuonLookUpTableList() { ReleaseAll(); }

HRESULT CQuonLookUpTableList::SetName(const char* name) {
    if (name == nullptr) return E_POINTER;
    m_name = name;
    return S_OK;
}

HRESULT CQuonLookUpTableList::Reserved() { return S_OK; }

HRESULT CQuonLookUpTableList::Add(IQuonLookUpTable* table) {
    if (table == nullptr) return E_POINTER;
    m_tables.push_back(table);
    table->AddRef();
    return S_OK;
}

HRESULT CQuonLookUpTableList::GetCount(UINT32* count) {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<UINT32>(m_tables.size());
    return S_OK;
}

HRESULT CQuonLookUpTableList::GetAt(UINT32 index, IQuonLookUpTable** table) {
    if (table == nullptr) return E_POINTER;
    // An index past the end reports nothing and leaves *table as it was.
    if (index >= m_tables.size()) return S_OK;
    *table = m_tables[index];
    (*table)->AddRef();
    return S_OK;
}

namespace {

// Drops the creation reference of a table however the block ends.
struct ReleaseTable {
    void operator()(IQuonLookUpTable* table) const { table->Release(); }
};

}  // namespace

HRESULT CQuonLookUpTableList::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    quon::Pieces lines(quon::TextView(text, length), '\n');

    // Blocks are appended to the tables the list already holds.
    HRESULT hr = S_OK;
    std::string_view line;
    bool more = lines.Next(line);
    while (more) {
        // A block starts at a line with the letter d; other lines are skipped.
        if (line.find('d') == std::string_view::npos) {
            if (!line.empty()) quon::Report(line.data(), quon::Quoted(line), " lies outside any table block: skipped");
            more = lines.Next(line);
            continue;
        }
        // Each table is created as the module's own entry point creates it.
        IQuonLookUpTable* created = nullptr;
        hr = DllCreateInstance(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, reinterpret_cast<void**>(&created));
        if (FAILED(hr)) return hr;
        const std::unique_ptr<IQuonLookUpTable, ReleaseTable> table(created);

        // A header line with fewer than three fields reads its missing
        // numbers as 0 and its missing name as empty; the name is the third
        // field up to its first NUL.
        const quon::Fields<3> header(line, ',');
        if (header.Count() < 3) {
            quon::Report(line.data(), "block header ", quon::Quoted(line), " has ", header.Count(),
                         " of 3 fields: the missing ones read as 0 or empty");
        }
        table->SetLabel(static_cast<UINT32>(quon::Atol(header[0])), static_cast<UINT32>(quon::Atol(header[1])),
                        quon::CText(header[2]).c_str());

        // A block without a size line, or whose size is refused, is dropped
        // and reading goes on at the line after its header.
        more = lines.Next(line);
        const quon::Fields<2> size(more ? line : std::string_view(), ',');
        const INT32 columns = quon::Atol(size[0]);
        const INT32 rows = quon::Atol(size[1]);
        if (size.Count() == 0) {
            quon::Report(line.data(), "table block without a size line: dropped");
            continue;
        }
        if (size.Count() != 2) quon::geometry::ReportSizeLine(line, size.Count());
        if (FAILED(table->SetTableSize(columns, rows))) {
            quon::Report(line.data(), "size ", quon::Quoted(line), " is refused: table block dropped");
            continue;
        }
        quon::geometry::ReadLookUpEntries(*table, columns, rows, lines);
        hr = Add(table.get());
        more = lines.Next(line);
    }
    return hr;
}

HRESULT CQuonLookUpTableList::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    // A table that cannot give a value (its entries freed) has nothing true
    // to print: the whole document is refused with that table's failure and
    // nothing is written.
    HRESULT hr = S_OK;
    quon::TextBuffer out;
    for (IQuonLookUpTable* table : m_tables) {
        UINT32 labelA = 0, labelB = 0;
        if (FAILED(hr = table->GetLabelValues(&labelA, &labelB))) return hr;
        quon::Append<"%d,%d,d\n">(out, static_cast<INT32>(labelA), static_cast<INT32>(labelB));
        if (FAILED(hr = quon::geometry::AppendLookUpTable(*table, out))) return hr;
    }
    return quon::CopyOut(out.View(), buffer, capacity, written, hr);
}

HRESULT CQuonLookUpTableList::ReleaseAll() {
    std::vector<IQuonLookUpTable*> tables;
    tables.swap(m_tables);
    for (IQuonLookUpTable* table : tables) table->Release();
    return S_OK;
}

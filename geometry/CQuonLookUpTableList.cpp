#include "geometry/CQuonLookUpTableList.h"

#include <memory>

#include "frame/copy_out.h"
#include "frame/factory.h"
#include "frame/text.h"

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
    std::vector<std::string> lines;
    Split(quon::TextOfLength(text, length), '\n', lines);

    // Blocks are appended to the tables the list already holds.
    HRESULT hr = S_OK;
    std::vector<std::string> fields;
    const auto field = [&fields](std::size_t i) -> const char* { return i < fields.size() ? fields[i].c_str() : ""; };
    std::size_t index = 0;
    while (index < lines.size()) {
        // A block starts at a line with the letter d; other lines are skipped.
        if (lines[index].find('d') == std::string::npos) {
            ++index;
            continue;
        }
        // Each table is created as the module's own entry point creates it.
        IQuonLookUpTable* created = nullptr;
        hr = DllCreateInstance(CLSID_QuonLookUpTable, IID_IQuonLookUpTable, reinterpret_cast<void**>(&created));
        if (FAILED(hr)) return hr;
        const std::unique_ptr<IQuonLookUpTable, ReleaseTable> table(created);

        // A header line with fewer than three fields reads its missing
        // numbers as 0 and its missing name as empty.
        fields.clear();
        Split(lines[index], ',', fields);
        table->SetLabel(static_cast<UINT32>(quon::Atol(field(0))), static_cast<UINT32>(quon::Atol(field(1))), field(2));

        // A block without a size line, or whose size is refused, is dropped.
        ++index;
        fields.clear();
        if (index < lines.size()) Split(lines[index], ',', fields);
        const INT32 columns = quon::Atol(field(0));
        const INT32 rows = quon::Atol(field(1));
        if (fields.empty() || FAILED(table->SetTableSize(columns, rows))) continue;
        // Entry lines the text does not have leave their entries zero; rows
        // of no columns are not walked.
        for (INT32 r = 0; r < rows && columns > 0 && index < lines.size(); ++r) {
            for (INT32 c = 0; c < columns && index < lines.size(); ++c) {
                if (++index >= lines.size()) break;
                fields.clear();
                Split(lines[index], ',', fields);
                if (fields.empty()) continue;
                const LookUpEntry entry{quon::Atof(field(0)), quon::Atof(field(1)), quon::Atof(field(2)),
                                        quon::Atof(field(3))};
                hr = table->SetEntry(static_cast<UINT32>(c), static_cast<UINT32>(r), &entry);
            }
        }
        hr = Add(table.get());
        ++index;
    }
    return hr;
}

HRESULT CQuonLookUpTableList::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    // A table that cannot give a value (its entries freed) has nothing true
    // to print: the whole document is refused with that table's failure and
    // nothing is written.
    HRESULT hr = S_OK;
    std::string out;
    for (IQuonLookUpTable* table : m_tables) {
        UINT32 labelA = 0, labelB = 0, columns = 0, rows = 0;
        if (FAILED(hr = table->GetLabelValues(&labelA, &labelB))) return hr;
        quon::AppendFormat(out, "%d,%d,d\n", static_cast<INT32>(labelA), static_cast<INT32>(labelB));
        if (FAILED(hr = table->GetTableSize(&columns, &rows))) return hr;
        quon::AppendFormat(out, "%d,%d\n", static_cast<INT32>(columns), static_cast<INT32>(rows));
        // A table without columns has no entry line, however many rows it has.
        for (UINT32 r = 0; r < rows && columns > 0; ++r) {
            for (UINT32 c = 0; c < columns; ++c) {
                LookUpEntry e{};
                if (FAILED(hr = table->GetEntry(c, r, &e))) return hr;
                quon::AppendFormat(out, "%g,%g,%g,%g\n", e.value0, e.value1, e.value2, e.value3);
            }
        }
    }
    return quon::CopyOut(out, buffer, capacity, written, hr);
}

HRESULT CQuonLookUpTableList::ReleaseAll() {
    std::vector<IQuonLookUpTable*> tables;
    tables.swap(m_tables);
    for (IQuonLookUpTable* table : tables) table->Release();
    return S_OK;
}

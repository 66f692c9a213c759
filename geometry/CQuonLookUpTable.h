// CQuonLookUpTable: a columns x rows table of four-real entries with a host
// label, and its comma-separated text form.
#pragma once

#include <vector>

#include "frame/CUnknown.h"
#include "frame/label.h"
#include "frame/text.h"
#include "quon/IQuonLookUpTable.h"

class CQuonLookUpTable : public CQuonObject<CQuonLookUpTable, IQuonLookUpTable, IID_IQuonLookUpTable> {
public:
    explicit CQuonLookUpTable(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE SetLabel(UINT32 labelA, UINT32 labelB, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetLabelValues(UINT32* labelA, UINT32* labelB) override;
    HRESULT STDMETHODCALLTYPE SetTableSize(INT32 columns, INT32 rows) override;
    HRESULT STDMETHODCALLTYPE GetTableSize(UINT32* columns, UINT32* rows) override;
    HRESULT STDMETHODCALLTYPE SetEntry(UINT32 column, UINT32 row, const LookUpEntry* entry) override;
    HRESULT STDMETHODCALLTYPE GetEntry(UINT32 column, UINT32 row, LookUpEntry* entry) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

    // The name given with the label (not part of the interface; the list's
    // reader names its tables after the block header).
    const std::string& Name() const { return m_label.name; }

private:
    // Index of entry (column, row), or -1 when it lies outside the table or
    // the table holds no entries.
    long long EntryIndex(UINT32 column, UINT32 row) const;

    quon::Label m_label;
    INT32 m_columns = 0;
    INT32 m_rows = 0;
    std::vector<LookUpEntry> m_entries;  // empty until SetTableSize or a load
    bool m_allocated = false;
};

namespace quon::geometry {

// The entry lines of a columns x rows table, read from lines into table
// through its slots: one line per entry in row order, four reals cut at ','
// (missing ones read as 0). An empty line leaves its entry zero; reading
// stops at the last line, and rows of no columns are not walked.
void ReadLookUpEntries(IQuonLookUpTable& table, INT32 columns, INT32 rows, Pieces& lines);
// Tells a listener that a size line does not have the two fields it needs.
void ReportSizeLine(std::string_view line, std::size_t fields);

// Appends a table's size line and its entry lines, taken through its slots.
// A getter's failure ends the text there and is returned.
HRESULT AppendLookUpTable(IQuonLookUpTable& table, TextBuffer& out);

}  // namespace quon::geometry

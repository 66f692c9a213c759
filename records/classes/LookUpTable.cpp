// Look-up table: the two labels, the size and the entries row by row (the
// name the host sets cannot be read back).
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<LookUpEntry>() {
    static const RecordType type = Describe<LookUpEntry>("LookUpEntry")("value0", &LookUpEntry::value0)(
        "value1", &LookUpEntry::value1)("value2", &LookUpEntry::value2)("value3", &LookUpEntry::value3);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonLookUpTable* table, Out& out) {
    UINT32 a = 0, b = 0, columns = 0, rows = 0;
    Check(table->GetLabelValues(&a, &b), "GetLabelValues");
    Check(table->GetTableSize(&columns, &rows), "GetTableSize");
    out.Uint("labelA", a);
    out.Uint("labelB", b);
    out.Uint("columns", columns);
    out.Uint("rows", rows);
    std::vector<LookUpEntry> entries(std::size_t(columns) * rows);
    for (UINT32 r = 0; r < rows; ++r) {
        for (UINT32 c = 0; c < columns; ++c) Check(table->GetEntry(c, r, &entries[std::size_t(r) * columns + c]), "GetEntry");
    }
    WriteRecords(out, "entries", entries, {rows, columns});
}

void FromJson(const In& in, IQuonLookUpTable* table) {
    in.Members({"labelA", "labelB", "columns", "rows", "entries"});
    const INT32 columns = SignedCount(in.U32("columns"), in, "columns");
    const INT32 rows = SignedCount(in.U32("rows"), in, "rows");
    const auto entries = ReadRecords<LookUpEntry>(in, "entries", {std::size_t(rows), std::size_t(columns)});
    Check(table->SetLabel(in.U32("labelA"), in.U32("labelB"), ""), "SetLabel");
    Check(table->SetTableSize(columns, rows), "SetTableSize");
    for (INT32 r = 0; r < rows; ++r) {
        for (INT32 c = 0; c < columns; ++c) {
            Check(table->SetEntry(UINT32(c), UINT32(r), &entries[std::size_t(r) * columns + c]), "SetEntry");
        }
    }
}

}  // namespace

ModelClass LookUpTableClass() {
    return TextClass<IQuonLookUpTable, ToJson, FromJson>("LookUpTable", "one look-up table", CLSID_QuonLookUpTable);
}

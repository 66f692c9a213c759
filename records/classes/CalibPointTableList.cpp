// Calibration point table list: id, name and its entries in order, each a
// calibration point table's records, or null once the tables are released.
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonCalibPointTableList* list, Out& out) {
    UINT32 id = 0, count = 0;
    const std::string name = CopiedName(out, [&](char* buffer) { Check(list->GetIdentity(&id, buffer), "GetIdentity"); });
    out.Uint("id", id);
    out.Text("name", name);
    Check(list->GetTableCount(&count), "GetTableCount");
    Value tables(rj::kArrayType);
    for (UINT32 i = 0; i < count; ++i) {
        quon::Ptr<IQuonCalibPointTable> table;
        Check(list->GetTable(i, table.put()), "GetTable");
        Value entry;  // null: a released entry
        if (table) {
            entry.SetObject();
            Out nested = out.Nested(entry, ".tables[" + std::to_string(i) + "]");
            CalibPointTableClass().toJson(table.get(), nested);
        }
        tables.PushBack(entry, out.allocator());
    }
    out.Add("tables", std::move(tables));
}

// Released entries can be made only all together (ReleaseTables): a list of
// nulls is built as fresh tables that are then released.
void FromJson(const In& in, IQuonCalibPointTableList* list) {
    in.Members({"id", "name", "tables"});
    Check(list->SetIdentity(in.U32("id"), NameOf(in, "name").c_str()), "SetIdentity");
    const In tables = in.Member("tables");
    const std::size_t count = tables.Size();
    std::size_t released = 0;
    for (std::size_t i = 0; i < count; ++i) released += tables.At(i).IsNull() ? 1 : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const quon::Ptr<IQuonCalibPointTable> table = Create<IQuonCalibPointTable>(CLSID_QuonCalibPointTable);
        if (!tables.At(i).IsNull()) {
            if (released > 0) tables.At(i).Fail("expected null: a list releases its tables all together");
            CalibPointTableClass().fromJson(tables.At(i), table.get());
        }
        Check(list->AddTable(table.get()), "AddTable");
    }
    if (released > 0) Check(list->ReleaseTables(), "ReleaseTables");
}

}  // namespace

ModelClass CalibPointTableListClass() {
    return RecordsOnlyClass<IQuonCalibPointTableList, ToJson, FromJson>(
        "CalibPointTableList", "a list of calibration point tables (no text form)", CLSID_QuonCalibPointTableList);
}

// Look-up table list: its tables in order, each as a look-up table's records
// (the list's name cannot be read back).
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonLookUpTableList* list, Out& out) {
    UINT32 count = 0;
    Check(list->GetCount(&count), "GetCount");
    std::vector<Out> tables = out.Objects("tables", count);
    for (UINT32 i = 0; i < count; ++i) {
        quon::Ptr<IQuonLookUpTable> table;
        Check(list->GetAt(i, table.put()), "GetAt");
        LookUpTableClass().toJson(table.get(), tables[i]);
    }
}

void FromJson(const In& in, IQuonLookUpTableList* list) {
    in.Members({"tables"});
    const In tables = in.Member("tables");
    for (std::size_t i = 0; i < tables.Size(); ++i) {
        const quon::Ptr<IQuonLookUpTable> table = Create<IQuonLookUpTable>(CLSID_QuonLookUpTable);
        LookUpTableClass().fromJson(tables.At(i), table.get());
        Check(list->Add(table.get()), "Add");
    }
}

}  // namespace

ModelClass LookUpTableListClass() {
    return TextClass<IQuonLookUpTableList, ToJson, FromJson>("LookUpTableList", "a list of look-up tables",
                                                              CLSID_QuonLookUpTableList);
}

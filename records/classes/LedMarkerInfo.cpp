// LED marker list: name and the LED marker records in order.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<LedMarkerRecord>() {
    static const RecordType type = Describe<LedMarkerRecord>("LedMarkerRecord")("value1", &LedMarkerRecord::value1)("value2", &LedMarkerRecord::value2)("value3", &LedMarkerRecord::value3)("value4", &LedMarkerRecord::value4);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonLedMarkerInfo* list, Out& out) {
    out.Text("name", CopiedName(out, [&](char* buffer) { Check(list->GetName(&buffer), "GetName"); }));
    UINT32 count = 0;
    Check(list->GetRecordCount(&count), "GetRecordCount");
    std::vector<LedMarkerRecord> records(count);
    for (UINT32 i = 0; i < count; ++i) Check(list->GetRecord(i, &records[i]), "GetRecord");
    WriteRecords(out, "records", records, {count});
}

void FromJson(const In& in, IQuonLedMarkerInfo* list) {
    in.Members({"name", "records"});
    Check(list->SetName(NameOf(in, "name").c_str()), "SetName");
    for (const LedMarkerRecord& r : ReadRecords<LedMarkerRecord>(in, "records", {in.Member("records").Size()})) {
        Check(list->AddRecord(&r), "AddRecord");
    }
}

}  // namespace

ModelClass LedMarkerInfoClass() {
    return TextClass<IQuonLedMarkerInfo, ToJson, FromJson>("LedMarkerInfo", "LED marker list", CLSID_QuonLedMarkerInfo);
}

// Marker list: name and the marker positions in order.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<MarkerPoint>() {
    static const RecordType type = Describe<MarkerPoint>("MarkerPoint")("value1", &MarkerPoint::value1)("value2", &MarkerPoint::value2);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonMarkerInfo* list, Out& out) {
    out.Text("name", CopiedName(out, [&](char* buffer) { Check(list->GetName(&buffer), "GetName"); }));
    UINT32 count = 0;
    Check(list->GetRecordCount(&count), "GetRecordCount");
    std::vector<MarkerPoint> records(count);
    for (UINT32 i = 0; i < count; ++i) Check(list->GetRecord(i, &records[i]), "GetRecord");
    WriteRecords(out, "records", records, {count});
}

void FromJson(const In& in, IQuonMarkerInfo* list) {
    in.Members({"name", "records"});
    Check(list->SetName(NameOf(in, "name").c_str()), "SetName");
    for (const MarkerPoint& r : ReadRecords<MarkerPoint>(in, "records", {in.Member("records").Size()})) {
        Check(list->AddRecord(&r), "AddRecord");
    }
}

}  // namespace

ModelClass MarkerInfoClass() {
    return TextClass<IQuonMarkerInfo, ToJson, FromJson>("MarkerInfo", "marker list", CLSID_QuonMarkerInfo);
}

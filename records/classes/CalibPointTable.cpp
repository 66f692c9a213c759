// Calibration point table: both identifiers, the name and the points.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<CalibPoint>() {
    using P = CalibPoint;
    static const RecordType type = Describe<P>("CalibPoint")("value1", &P::value1)("value2", &P::value2)(
        "value3", &P::value3)("value4", &P::value4)("value5", &P::value5)("value6", &P::value6)("value7", &P::value7)(
        "value8", &P::value8)("tag", &P::tag);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonCalibPointTable* table, Out& out) {
    UINT32 id1 = 0, id2 = 0, count = 0;
    const std::string name = CopiedName(out, [&](char* buffer) { Check(table->GetIdentity(&id1, &id2, buffer), "GetIdentity"); });
    out.Uint("id1", id1);
    out.Uint("id2", id2);
    out.Text("name", name);
    Check(table->GetPointCount(&count), "GetPointCount");
    std::vector<CalibPoint> points(count);
    for (UINT32 i = 0; i < count; ++i) Check(table->GetPoint(INT32(i), &points[i]), "GetPoint");
    WriteRecords(out, "points", points, {count});
}

void FromJson(const In& in, IQuonCalibPointTable* table) {
    in.Members({"id1", "id2", "name", "points"});
    Check(table->SetIdentity(in.U32("id1"), in.U32("id2"), NameOf(in, "name").c_str()), "SetIdentity");
    const auto points = ReadRecords<CalibPoint>(in, "points", {in.Member("points").Size()});
    Check(table->SetPointCount(INT32(points.size())), "SetPointCount");
    for (std::size_t i = 0; i < points.size(); ++i) Check(table->SetPoint(INT32(i), &points[i]), "SetPoint");
}

}  // namespace

ModelClass CalibPointTableClass() {
    return TextClass<IQuonCalibPointTable, ToJson, FromJson>("CalibPointTable", "one calibration point table",
                                                            CLSID_QuonCalibPointTable);
}

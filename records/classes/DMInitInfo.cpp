// Detect-mark settings: id and name, the eighteen parameters, the two area
// lists and the three-value records.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<DetectMarkParams>() {
    using P = DetectMarkParams;
    static const RecordType type = Describe<P>("DetectMarkParams")("threshAfterReproject", &P::threshAfterReproject)(
        "threshValidHomography", &P::threshValidHomography)("rangeCorrectPair", &P::rangeCorrectPair)(
        "threshRANSACInliner", &P::threshRANSACInliner)("matchingCrossCheck", &P::matchingCrossCheck)(
        "threshBRISK", &P::threshBRISK)("makeMosaicImage", &P::makeMosaicImage)("haloCorrect", &P::haloCorrect)(
        "threshHaloSignal", &P::threshHaloSignal)("threshHaloCorrect", &P::threshHaloCorrect)(
        "pointSelect", &P::pointSelect)("useInliner", &P::useInliner)("binaryThreshLED", &P::binaryThreshLED)(
        "outputDebugImageLED", &P::outputDebugImageLED)("binaryOtsuMethodLED", &P::binaryOtsuMethodLED)(
        "maxAreaLED", &P::maxAreaLED)("minAreaLED", &P::minAreaLED)("aspectRatioLED", &P::aspectRatioLED);
    return type;
}

template <>
const RecordType& TypeOf<AreaRecord>() {
    static const RecordType type = Describe<AreaRecord>("AreaRecord")("value1", &AreaRecord::value1)(
        "value2", &AreaRecord::value2)("value3", &AreaRecord::value3)("value4", &AreaRecord::value4);
    return type;
}

template <>
const RecordType& TypeOf<TripleRecord>() {
    static const RecordType type = Describe<TripleRecord>("TripleRecord")("value1", &TripleRecord::value1)(
        "value2", &TripleRecord::value2)("value3", &TripleRecord::value3);
    return type;
}

}  // namespace records

namespace {

using namespace records;

// A list read by count and index: every record, in order.
template <class R, class Count, class At>
std::vector<R> List(Count count, At at) {
    UINT32 n = 0;
    Check(count(&n), "counting a list");
    std::vector<R> list(n);
    for (UINT32 i = 0; i < n; ++i) Check(at(i, &list[i]), "reading a list");
    return list;
}

void ToJson(IQuonDMInitInfo* info, Out& out) {
    UINT32 id = 0;
    out.Text("name", CopiedName(out, [&](char* buffer) { Check(info->GetIdentity(&id, buffer), "GetIdentity"); }));
    out.Uint("id", id);
    DetectMarkParams params{};
    Check(info->GetParameters(&params), "GetParameters");
    WriteRecord(out, "params", params);
    const auto first = List<AreaRecord>([&](UINT32* n) { return info->GetFirstAreaCount(n); },
                                        [&](UINT32 i, AreaRecord* r) { return info->GetFirstArea(i, r); });
    const auto second = List<AreaRecord>([&](UINT32* n) { return info->GetSecondAreaCount(n); },
                                         [&](UINT32 i, AreaRecord* r) { return info->GetSecondArea(i, r); });
    const auto triples = List<TripleRecord>([&](UINT32* n) { return info->GetTripleCount(n); },
                                            [&](UINT32 i, TripleRecord* r) { return info->GetTriple(i, r); });
    WriteRecords(out, "firstAreas", first, {first.size()});
    WriteRecords(out, "secondAreas", second, {second.size()});
    WriteRecords(out, "triples", triples, {triples.size()});
}

void FromJson(const In& in, IQuonDMInitInfo* info) {
    in.Members({"name", "id", "params", "firstAreas", "secondAreas", "triples"});
    Check(info->SetIdentity(in.U32("id"), NameOf(in, "name").c_str()), "SetIdentity");
    const auto params = ReadRecord<DetectMarkParams>(in, "params");
    Check(info->SetParameters(&params), "SetParameters");
    for (const AreaRecord& r : ReadRecords<AreaRecord>(in, "firstAreas", {in.Member("firstAreas").Size()})) {
        Check(info->AddFirstArea(&r), "AddFirstArea");
    }
    for (const AreaRecord& r : ReadRecords<AreaRecord>(in, "secondAreas", {in.Member("secondAreas").Size()})) {
        Check(info->AddSecondArea(&r), "AddSecondArea");
    }
    for (const TripleRecord& r : ReadRecords<TripleRecord>(in, "triples", {in.Member("triples").Size()})) {
        Check(info->AddTriple(&r), "AddTriple");
    }
}

}  // namespace

ModelClass DMInitInfoClass() {
    return TextClass<IQuonDMInitInfo, ToJson, FromJson>("DMInitInfo", "detect-mark parameter text", CLSID_QuonDMInitInfo);
}

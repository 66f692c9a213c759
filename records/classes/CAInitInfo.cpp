// Camera auto-calibration init: identity, pattern and camera grids, the
// measured points and their colours per camera, the reals, switches and
// custom colours (all through the getters), and the band and tuning values
// the interface does not hand out (taken from the object's own text, as
// the black-level detection init does).
//
// Those values reach an object only through its text, so a build has the
// object read a text made of them (a dummy block per announced point, every
// real exact) and then sets everything else through the setters.
#include "camera_text.h"
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<PointRecord>() {
    static const RecordType type = Describe<PointRecord>("PointRecord")("value1", &PointRecord::value1)(
        "value2", &PointRecord::value2)("value3", &PointRecord::value3)("value4", &PointRecord::value4);
    return type;
}

template <>
const RecordType& TypeOf<ColourTriple>() {
    static const RecordType type = Describe<ColourTriple>("ColourTriple")("red", &ColourTriple::red)(
        "green", &ColourTriple::green)("blue", &ColourTriple::blue);
    return type;
}

template <>
const RecordType& TypeOf<ColourSet>() {
    static const RecordType type =
        Describe<ColourSet>("ColourSet")("lead", &ColourSet::lead)("triples", &ColourSet::triples);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonCAInitInfo* info, Out& out) {
    UINT32 id1 = 0, id2 = 0;
    out.Text("name", CopiedName(out, [&](char* buffer) { Check(info->GetIdentity(&id1, &id2, &buffer), "GetIdentity"); }));
    out.Uint("id1", id1);
    out.Uint("id2", id2);
    UINT32 pattern[3] = {}, camera[3] = {};
    Check(info->GetPatternGrid(&pattern[0], &pattern[1], &pattern[2]), "GetPatternGrid");
    Check(info->GetCameraGrid(&camera[0], &camera[1], &camera[2]), "GetCameraGrid");
    out.Uints("patternGrid", pattern, 3);
    out.Uints("cameraGrid", camera, 3);

    const std::vector<std::string> lines = TextLines(SaveText(CAInitInfoClass(), info));
    const CameraTextValues header = CameraHeaderValues(lines);
    WriteRecord(out, "text", header);
    const auto ranges = CameraRanges(lines, header.cameras);
    WriteRecords(out, "ranges", ranges, {ranges.size()});
    const std::size_t n = lines.size();
    const INT32 tuning[3] = {IntLine(lines, n - 6), IntLine(lines, n - 5), IntLine(lines, n - 4)};
    out.Ints("tuning8to10", tuning, 3);

    const std::size_t rows = pattern[0], columns = pattern[1], cameras = ranges.size();
    std::vector<PointRecord> points(cameras * rows * columns);
    std::vector<UINT32> colours(points.size());
    for (std::size_t at = 0; at < points.size(); ++at) {
        const INT32 c = INT32(at / (rows * columns));
        const UINT32 r = UINT32(at / columns % rows), k = UINT32(at % columns);
        Check(info->GetPointRecord(c, r, k, &points[at]), "GetPointRecord");
        Check(info->GetPointColour(c, r, k, &colours[at]), "GetPointColour");
    }
    WriteRecords(out, "points", points, {cameras, rows, columns});
    out.Numbers("pointColours", colours.data(), {colours.size()});

    double real[2] = {};
    UINT32 aux1 = 0, custom = 0, aux2 = 0;
    ColourSet colourSet{};
    Check(info->GetRealPair(&real[0], &real[1]), "GetRealPair");
    Check(info->GetAuxValue1(&aux1), "GetAuxValue1");
    Check(info->GetUseCustomColours(&custom), "GetUseCustomColours");
    Check(info->GetAuxValue2(&aux2), "GetAuxValue2");
    Check(info->GetCustomColours(&colourSet), "GetCustomColours");
    out.Doubles("realPair", real, 2);
    out.Uint("auxValue1", aux1);
    out.Uint("useCustomColours", custom);
    out.Uint("auxValue2", aux2);
    WriteRecord(out, "customColours", colourSet);
}

void FromJson(const In& in, IQuonCAInitInfo* info) {
    in.Members({"name", "id1", "id2", "patternGrid", "cameraGrid", "text", "ranges", "tuning8to10", "points",
                "pointColours", "realPair", "auxValue1", "useCustomColours", "auxValue2", "customColours"});
    const UINT32 id1 = in.U32("id1"), id2 = in.U32("id2");
    UINT32 pattern[3] = {}, camera[3] = {};
    in.Uints("patternGrid", pattern, 3);
    in.Uints("cameraGrid", camera, 3);
    const auto header = ReadRecord<CameraTextValues>(in, "text");
    const std::size_t cameras = header.cameras > 0 ? std::size_t(header.cameras) : 0;
    const auto ranges = ReadRecords<CameraPointRange>(in, "ranges", {cameras});
    INT32 tuning[3] = {};
    in.Ints("tuning8to10", tuning, 3);
    const std::size_t rows = pattern[0], columns = pattern[1];
    const auto points = ReadRecords<PointRecord>(in, "points", {cameras, rows, columns});
    std::vector<UINT32> colours(points.size());
    in.Uints("pointColours", colours.data(), colours.size());
    double real[2] = {};
    in.Doubles("realPair", real, 2);
    const auto colourSet = ReadRecord<ColourSet>(in, "customColours");

    Check(info->Initialize(id1, id2, NameOf(in, "name").c_str()), "Initialize");
    Check(info->SetCameraGrid(SignedCount(camera[0], in, "cameraGrid"), SignedCount(camera[1], in, "cameraGrid"),
                              camera[2]),
          "SetCameraGrid");
    std::string text = CameraHeaderText(header, pattern[0], pattern[1], pattern[2], id1, ranges);
    const std::size_t patternPoints = std::max<INT32>(header.points, 0);
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        // One block per announced point, numbered 0 so that it is read and
        // dropped; the points themselves are set below.
        if (ranges[i].pointCount > 0 && std::size_t(ranges[i].pointCount) > patternPoints) {
            in.Member("ranges").At(i).Fail("expected a pointCount of at most the pattern's points");
        }
        for (INT32 b = 0; b < ranges[i].pointCount; ++b) text += "0\n0\n0\n0\n0\n0\n0\n0\n";
    }
    text += std::to_string(INT32(id2)) + "\n0\n";
    for (int c = 0; c < 21; ++c) text += "0\n";
    for (const INT32 v : tuning) text += std::to_string(v) + "\n";
    text += ExactLine(real[0]) + "0\n" + ExactLine(real[1]);
    Check(info->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())), "LoadFromBuffer");

    for (std::size_t at = 0; at < points.size(); ++at) {
        const INT32 c = INT32(at / (rows * columns));
        const UINT32 r = UINT32(at / columns % rows), k = UINT32(at % columns);
        Check(info->SetPointRecord(c, r, k, &points[at]), "SetPointRecord");
        Check(info->SetPointColour(c, r, k, &colours[at]), "SetPointColour");
    }
    Check(info->SetRealPair(real[0], real[1]), "SetRealPair");
    Check(info->SetAuxValue1(in.U32("auxValue1")), "SetAuxValue1");
    Check(info->SetUseCustomColours(in.U32("useCustomColours")), "SetUseCustomColours");
    Check(info->SetAuxValue2(in.U32("auxValue2")), "SetAuxValue2");
    Check(info->SetCustomColours(&colourSet), "SetCustomColours");
}

// A loaded text whose colour flag is 0 is written with the default colours,
// which Initialize sets (the load overwrites the rest).
HRESULT Prepare(void* itf) { return static_cast<IQuonCAInitInfo*>(itf)->Initialize(0, 0, ""); }

}  // namespace

ModelClass CAInitInfoClass() {
    return TextClass<IQuonCAInitInfo, ToJson, FromJson>("CAInitInfo", "camera auto-calibration init text",
                                                       CLSID_QuonCAInitInfo, Prepare);
}

// Black-level detection init: identity, pattern and camera grids, the point
// record of every pattern point and the real value (through the getters),
// and the band and tuning values the interface does not hand out (taken from
// the object's own text, as the camera calibration init does).
//
// A build has the object read a text made of those values (levels 0, every
// real exact) into records made by SetPatternGrid, then sets the records and
// the real through the setters.
#include "camera_text.h"
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<PointLevelRecord>() {
    using P = PointLevelRecord;
    static const RecordType type = Describe<P>("PointLevelRecord")("reserved0", &P::reserved0)("levelA", &P::levelA)(
        "reserved1", &P::reserved1)("levelB", &P::levelB)("reserved2", &P::reserved2)("tail", &P::tail);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonBlkInitInfo* info, Out& out) {
    UINT32 id = 0;
    out.Text("name", CopiedName(out, [&](char* buffer) { Check(info->GetIdentity(&id, &buffer), "GetIdentity"); }));
    out.Uint("id", id);
    UINT32 pattern[3] = {}, camera[3] = {};
    Check(info->GetPatternGrid(&pattern[0], &pattern[1], &pattern[2]), "GetPatternGrid");
    Check(info->GetCameraGrid(&camera[0], &camera[1], &camera[2]), "GetCameraGrid");
    out.Uints("patternGrid", pattern, 3);
    out.Uints("cameraGrid", camera, 3);

    const std::vector<std::string> lines = TextLines(SaveText(BlkInitInfoClass(), info));
    const CameraTextValues header = CameraHeaderValues(lines);
    WriteRecord(out, "text", header);
    const auto ranges = CameraRanges(lines, header.cameras);
    WriteRecords(out, "ranges", ranges, {ranges.size()});
    out.Int("tuning8", IntLine(lines, CameraTextBody(header)));

    const std::size_t rows = pattern[0], columns = pattern[1];
    std::vector<PointLevelRecord> records(rows * columns);
    for (std::size_t at = 0; at < records.size(); ++at) {
        Check(info->GetPointRecord(UINT32(at / columns), UINT32(at % columns), &records[at]), "GetPointRecord");
    }
    WriteRecords(out, "pointRecords", records, {rows, columns});
    double real = 0;
    Check(info->GetRealValue(&real), "GetRealValue");
    out.Double("realValue", real);
}

void FromJson(const In& in, IQuonBlkInitInfo* info) {
    in.Members({"name", "id", "patternGrid", "cameraGrid", "text", "ranges", "tuning8", "pointRecords", "realValue"});
    const UINT32 id = in.U32("id");
    UINT32 pattern[3] = {}, camera[3] = {};
    in.Uints("patternGrid", pattern, 3);
    in.Uints("cameraGrid", camera, 3);
    const auto header = ReadRecord<CameraTextValues>(in, "text");
    const auto ranges = ReadRecords<CameraPointRange>(in, "ranges", {std::size_t(std::max(header.cameras, 0))});
    const INT32 tuning8 = in.I32("tuning8");
    const std::size_t rows = pattern[0], columns = pattern[1];
    const auto records = ReadRecords<PointLevelRecord>(in, "pointRecords", {rows, columns});
    const double real = in.Double("realValue");
    if (header.points > 0 && std::size_t(header.points) > records.size()) {
        in.Member("text").Member("points").Fail("expected at most the pattern grid's points");
    }

    Check(info->Initialize(id, NameOf(in, "name").c_str()), "Initialize");
    Check(info->SetCameraGrid(SignedCount(camera[0], in, "cameraGrid"), SignedCount(camera[1], in, "cameraGrid"),
                              camera[2]),
          "SetCameraGrid");
    Check(info->SetPatternGrid(SignedCount(pattern[0], in, "patternGrid"), SignedCount(pattern[1], in, "patternGrid"),
                               pattern[2]),
          "SetPatternGrid");
    std::string text = CameraHeaderText(header, pattern[0], pattern[1], pattern[2], id, ranges);
    text += std::to_string(tuning8) + "\n";
    for (INT32 i = 0; i < 2 * header.points; ++i) text += "0\n";
    text += ExactLine(real);
    Check(info->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())), "LoadFromBuffer");
    for (std::size_t at = 0; at < records.size(); ++at) {
        Check(info->SetPointRecord(UINT32(at / columns), UINT32(at % columns), &records[at]), "SetPointRecord");
    }
    Check(info->SetRealValue(real), "SetRealValue");
}

// The black-level text fills the point records the object already holds: a
// fresh object gets a 256 x 256 grid of them first (the load then sets the
// grid the text names).
HRESULT Prepare(void* itf) { return static_cast<IQuonBlkInitInfo*>(itf)->SetPatternGrid(256, 256, 0); }

}  // namespace

ModelClass BlkInitInfoClass() {
    return TextClass<IQuonBlkInitInfo, ToJson, FromJson>("BlkInitInfo",
                                                        "black-level detection init text (up to 65536 points)",
                                                        CLSID_QuonBlkInitInfo, Prepare);
}

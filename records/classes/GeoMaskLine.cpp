// Mask line: id, the 8-byte value, the four lines (flag and two 16-byte
// points in hexadecimal) and the four bounds (the name cannot be read back).
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonGeoMaskLine* mask, Out& out) {
    UINT32 id = 0;
    UINT64 value = 0;
    Check(mask->GetId(&id), "GetId");
    Check(mask->GetValue(&value), "GetValue");
    out.Uint("id", id);
    out.Uint("value", value);
    std::vector<Out> lines = out.Objects("lines", MaskLineCount);
    for (UINT32 i = 0; i < MaskLineCount; ++i) {
        UINT32 flag = 0;
        unsigned char start[MaskLinePointSize] = {}, end[MaskLinePointSize] = {};
        Check(mask->GetLine(INT32(i), &flag, start, end), "GetLine");
        lines[i].Uint("flag", flag);
        lines[i].Hex("start", start, sizeof start);
        lines[i].Hex("end", end, sizeof end);
    }
    UINT32 bounds[4] = {};
    Check(mask->GetBounds(&bounds[0], &bounds[1], &bounds[2], &bounds[3]), "GetBounds");
    out.Uints("bounds", bounds, 4);
}

void FromJson(const In& in, IQuonGeoMaskLine* mask) {
    in.Members({"id", "value", "lines", "bounds"});
    Check(mask->SetIdentity(in.U32("id"), ""), "SetIdentity");
    const UINT64 value = in.Member("value").Uint(UINT64_MAX);
    Check(mask->SetValue(&value), "SetValue");
    const In lines = in.Member("lines");
    lines.Size(MaskLineCount);
    for (UINT32 i = 0; i < MaskLineCount; ++i) {
        const In line = lines.At(i);
        line.Members({"flag", "start", "end"});
        unsigned char start[MaskLinePointSize], end[MaskLinePointSize];
        line.Hex("start", start, sizeof start);
        line.Hex("end", end, sizeof end);
        Check(mask->SetLine(i, line.U32("flag"), start, end), "SetLine");
    }
    UINT32 bounds[4] = {};
    in.Uints("bounds", bounds, 4);
    Check(mask->SetBounds(bounds[0], bounds[1], bounds[2], bounds[3]), "SetBounds");
}

}  // namespace

ModelClass GeoMaskLineClass() {
    return RecordsOnlyClass<IQuonGeoMaskLine, ToJson, FromJson>("GeoMaskLine", "up to four mask lines (no text form)",
                                                                CLSID_QuonGeoMaskLine);
}

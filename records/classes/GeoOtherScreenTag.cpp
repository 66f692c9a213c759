// Other-screen tag: the used size and the tags inside it, row by row, each
// as its 16 bytes in hexadecimal.
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonGeoOtherScreenTag* tag, Out& out) {
    UINT32 columns = 0, rows = 0;
    Check(tag->GetUsedSize(&columns, &rows), "GetUsedSize");
    out.Uint("columns", columns);
    out.Uint("rows", rows);
    Value grid(rj::kArrayType);
    for (UINT32 r = 0; r < rows; ++r) {
        Value row(rj::kArrayType);
        for (UINT32 c = 0; c < columns; ++c) {
            unsigned char bytes[OtherScreenTagRecordSize] = {};
            Check(tag->GetTag(r, c, bytes), "GetTag");
            row.PushBack(BytesAsHex(bytes, sizeof bytes, out.allocator()), out.allocator());
        }
        grid.PushBack(row, out.allocator());
    }
    out.Add("tags", std::move(grid));
}

void FromJson(const In& in, IQuonGeoOtherScreenTag* tag) {
    in.Members({"columns", "rows", "tags"});
    const UINT32 columns = in.U32("columns"), rows = in.U32("rows");
    in.Shape("tags", {rows, columns});
    Check(tag->Reset(), "Reset");
    const In grid = in.Member("tags");
    for (UINT32 r = 0; r < rows; ++r) {
        for (UINT32 c = 0; c < columns; ++c) {
            unsigned char bytes[OtherScreenTagRecordSize];
            grid.At(r).At(c).Hex(bytes, sizeof bytes);
            Check(tag->SetTag(r, c, bytes), "SetTag");
        }
    }
}

}  // namespace

ModelClass GeoOtherScreenTagClass() {
    return RecordsOnlyClass<IQuonGeoOtherScreenTag, ToJson, FromJson>(
        "GeoOtherScreenTag", "a 79 x 129 grid of 16-byte tags (no text form)", CLSID_QuonGeoOtherScreenTag);
}

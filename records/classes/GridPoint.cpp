// Grid point map: labels and name, the header, the point records of the
// columns x rows the text walks (the whole parts of the header's two sides),
// and the sixteen extra reals.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<GridPointHeader>() {
    using H = GridPointHeader;
    static const RecordType type = Describe<H>("GridPointHeader")("columns", &H::columns)("rows", &H::rows)(
        "headerReal2", &H::headerReal2)("headerReal3", &H::headerReal3)("headerInt0", &H::headerInt0)(
        "headerInt1", &H::headerInt1)("headerInt2", &H::headerInt2)("extraFlag", &H::extraFlag);
    return type;
}

template <>
const RecordType& TypeOf<GridPointRecord>() {
    using P = GridPointRecord;
    static const RecordType type = Describe<P>("GridPointRecord")("real0", &P::real0)("real1", &P::real1)(
        "real2", &P::real2)("real3", &P::real3)("int0", &P::int0)("int1", &P::int1)("real4", &P::real4)(
        "real5", &P::real5)("real6", &P::real6)("real7", &P::real7)("int2", &P::int2);
    return type;
}

}  // namespace records

namespace {

using namespace records;

// A side held as a real: the count the text walks (its whole part), 0 when it is none.
std::size_t Side(double side) { return side >= 1 && side < 2147483648.0 ? static_cast<std::size_t>(side) : 0; }

void ToJson(IQuonGridPoint* map, Out& out) {
    UINT32 a = 0, b = 0;
    const std::string name = CopiedName(out, [&](char* buffer) { Check(map->GetLabel(&a, &b, buffer), "GetLabel"); });
    out.Uint("labelA", a);
    out.Uint("labelB", b);
    out.Text("name", name);
    GridPointHeader header{};
    Check(map->GetHeader(&header), "GetHeader");
    WriteRecord(out, "header", header);
    const std::size_t columns = Side(header.columns), rows = Side(header.rows);
    std::vector<GridPointRecord> points(columns * rows);
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < columns; ++c) {
            Check(map->GetPoint(static_cast<UINT32>(c), static_cast<UINT32>(r), &points[r * columns + c]), "GetPoint");
        }
    }
    WriteRecords(out, "points", points, {rows, columns});
    double extra[GridPointExtraCount] = {};
    Check(map->GetExtra(extra), "GetExtra");
    out.Doubles("extra", extra, GridPointExtraCount);
}

void FromJson(const In& in, IQuonGridPoint* map) {
    in.Members({"labelA", "labelB", "name", "header", "points", "extra"});
    Check(map->SetLabel(in.U32("labelA"), in.U32("labelB"), NameOf(in, "name").c_str()), "SetLabel");
    const auto header = ReadRecord<GridPointHeader>(in, "header");
    const std::size_t columns = Side(header.columns), rows = Side(header.rows);
    const auto points = ReadRecords<GridPointRecord>(in, "points", {rows, columns});
    double extra[GridPointExtraCount] = {};
    in.Doubles("extra", extra, GridPointExtraCount);
    Check(map->SetHeader(&header), "SetHeader");
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < columns; ++c) {
            Check(map->SetPoint(static_cast<UINT32>(c), static_cast<UINT32>(r), &points[r * columns + c]), "SetPoint");
        }
    }
    Check(map->SetExtra(extra), "SetExtra");
}

}  // namespace

ModelClass GridPointClass() {
    return TextClass<IQuonGridPoint, ToJson, FromJson>("GridPoint", "one grid point map", CLSID_QuonGridPoint);
}

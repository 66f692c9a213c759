// Edge-blend table: name, the cells (cell, profile and pairs records) of the
// a x b x c array, the point grid and the points held (a loaded text sets
// their count apart from the grid).
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<EbPair>() {
    static const RecordType type =
        Describe<EbPair>("EbPair")("enable", &EbPair::enable)("x", &EbPair::x)("y", &EbPair::y);
    return type;
}

template <>
const RecordType& TypeOf<EbCellPairs>() {
    static const RecordType type = Describe<EbCellPairs>("EbCellPairs")("pairs", &EbCellPairs::pairs);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonEbInfo* info, Out& out) {
    const std::vector<std::size_t> shape = WriteCells(info, out);
    std::vector<EbCellPairs> pairs(shape[0] * shape[1] * shape[2]);
    for (std::size_t at = 0; at < pairs.size(); ++at) {
        const CellPlace p = CellAt(at, shape[1], shape[2]);
        Check(info->GetCellPairs(p.i, p.j, p.k, &pairs[at]), "GetCellPairs");
    }
    WriteRecords(out, "pairs", pairs, shape);
    WritePoints(info, out);
}

void FromJson(const In& in, IQuonEbInfo* info) {
    in.Members({"name", "cellExtents", "cells", "profiles", "pairs", "pointGrid", "points"});
    UINT32 e[3] = {}, g[3] = {};
    in.Uints("cellExtents", e, 3);
    in.Uints("pointGrid", g, 3);
    const std::vector<std::size_t> shape = {e[0], e[1], e[2]};
    const auto cells = ReadRecords<EbCell>(in, "cells", shape);
    const auto profiles = ReadRecords<EbProfile>(in, "profiles", shape);
    const auto pairs = ReadRecords<EbCellPairs>(in, "pairs", shape);
    const auto points = ReadRecords<EbPoint>(in, "points", {in.Member("points").Size()});
    Check(info->AllocatePoints(SignedCount(g[0], in, "pointGrid"), SignedCount(g[1], in, "pointGrid"), g[2]),
          "AllocatePoints");
    // A header line that makes every table, zeroed.
    const std::string header = SizeLineStart(in, e, points.size()) + "\n";
    Check(info->LoadFromBuffer(header.data(), static_cast<UINT32>(header.size())), "LoadFromBuffer");
    Check(info->SetName(NameOf(in, "name").c_str()), "SetName");
    SetCellsAndPoints(info, shape, cells, profiles, g[1], points);
    for (std::size_t at = 0; at < pairs.size(); ++at) {
        const CellPlace p = CellAt(at, shape[1], shape[2]);
        Check(info->SetCellPairs(p.i, p.j, p.k, &pairs[at]), "SetCellPairs");
    }
}

}  // namespace

ModelClass EbInfoClass() {
    return TextClass<IQuonEbInfo, ToJson, FromJson>("EbInfo", "the edge-blend table", CLSID_QuonEbInfo);
}

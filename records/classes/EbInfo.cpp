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
    out.Text("name", CopiedName(out, [&](char* buffer) { Check(info->GetName(&buffer), "GetName"); }));
    UINT32 a = 0, b = 0, c = 0;
    Check(info->GetCellDims(&a, &b, &c), "GetCellDims");
    const UINT32 extents[3] = {a, b, c};
    out.Uints("cellExtents", extents, 3);
    const std::size_t n = std::size_t(a) * b * c;
    std::vector<EbCell> cells(n);
    std::vector<EbProfile> profiles(n);
    std::vector<EbCellPairs> pairs(n);
    for (std::size_t at = 0; at < n; ++at) {
        const UINT32 i = UINT32(at / (std::size_t(b) * c)), j = UINT32(at / c % b), k = UINT32(at % c);
        Check(info->GetCell(i, j, k, &cells[at], &profiles[at]), "GetCell");
        Check(info->GetCellPairs(i, j, k, &pairs[at]), "GetCellPairs");
    }
    WriteRecords(out, "cells", cells, {a, b, c});
    WriteRecords(out, "profiles", profiles, {a, b, c});
    WriteRecords(out, "pairs", pairs, {a, b, c});
    UINT32 rows = 0, columns = 0, mode = 0;
    Check(info->GetPointGrid(&rows, &columns, &mode), "GetPointGrid");
    const UINT32 grid[3] = {rows, columns, mode};
    out.Uints("pointGrid", grid, 3);
    const auto points = HeldRecords<EbPoint>(columns, [&](UINT32 i, UINT32 j, EbPoint* p) { return info->GetPoint(i, j, p); });
    WriteRecords(out, "points", points, {points.size()});
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
    // The point count apart from the grid reaches the object only through
    // its text: a header line that makes every table, zeroed.
    const std::string header = std::to_string(SignedCount(e[1], in, "cellExtents")) + ", " +
                               std::to_string(SignedCount(e[0], in, "cellExtents")) + ", " +
                               std::to_string(SignedCount(e[2], in, "cellExtents")) + ", " +
                               std::to_string(points.size()) + ", \n";
    Check(info->LoadFromBuffer(header.data(), static_cast<UINT32>(header.size())), "LoadFromBuffer");
    Check(info->SetName(NameOf(in, "name").c_str()), "SetName");
    for (std::size_t at = 0; at < cells.size(); ++at) {
        const UINT32 i = UINT32(at / (shape[1] * shape[2])), j = UINT32(at / shape[2] % shape[1]),
                     k = UINT32(at % shape[2]);
        Check(info->SetCell(i, j, k, &cells[at], &profiles[at]), "SetCell");
        Check(info->SetCellPairs(i, j, k, &pairs[at]), "SetCellPairs");
    }
    for (std::size_t n = 0; n < points.size(); ++n) {
        const auto [i, j] = GridPlace(n, g[1]);
        Check(info->SetPoint(i, j, &points[n]), "SetPoint");
    }
}

}  // namespace

ModelClass EbInfoClass() {
    return TextClass<IQuonEbInfo, ToJson, FromJson>("EbInfo", "the edge-blend table", CLSID_QuonEbInfo);
}

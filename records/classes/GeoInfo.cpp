// Geometry info: name, the cells (cell and profile records) of the a x b x c
// array, the point grid with its points, the parameter block and the marker
// grid with its markers.
#include "class_kit.h"

namespace {

// One marker as the interface passes it: position and flag.
struct Marker {
    double position[2];
    UINT32 flag;
};

}  // namespace

namespace records {

template <>
const RecordType& TypeOf<GeoInfoParams>() {
    using P = GeoInfoParams;
    static const RecordType type = Describe<P>("GeoInfoParams")("sizeX", &P::sizeX)("sizeY", &P::sizeY)(
        "mode", &P::mode)("cornersPresent", &P::cornersPresent)("corners", &P::corners)("value", &P::value);
    return type;
}

template <>
const RecordType& TypeOf<Marker>() {
    static const RecordType type = Describe<Marker>("Marker")("position", &Marker::position)("flag", &Marker::flag);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonGeoInfo* info, Out& out) {
    out.Text("name", CopiedName([&](char* buffer) { Check(info->GetName(&buffer), "GetName"); }));
    UINT32 a = 0, b = 0, c = 0;
    Check(info->GetCellDims(&a, &b, &c), "GetCellDims");
    const UINT32 extents[3] = {a, b, c};
    out.Uints("cellExtents", extents, 3);
    const std::size_t n = std::size_t(a) * b * c;
    std::vector<EbCell> cells(n);
    std::vector<EbProfile> profiles(n);
    for (std::size_t at = 0; at < n; ++at) {
        Check(info->GetCell(UINT32(at / (std::size_t(b) * c)), UINT32(at / c % b), UINT32(at % c), &cells[at],
                            &profiles[at]),
              "GetCell");
    }
    WriteRecords(out, "cells", cells, {a, b, c});
    WriteRecords(out, "profiles", profiles, {a, b, c});
    UINT32 rows = 0, columns = 0, mode = 0;
    Check(info->GetPointGrid(&rows, &columns, &mode), "GetPointGrid");
    const UINT32 grid[3] = {rows, columns, mode};
    out.Uints("pointGrid", grid, 3);
    std::vector<EbPoint> points(std::size_t(rows) * columns);
    for (std::size_t at = 0; at < points.size(); ++at) {
        Check(info->GetPoint(UINT32(at / columns), UINT32(at % columns), &points[at]), "GetPoint");
    }
    WriteRecords(out, "points", points, {rows, columns});
    GeoInfoParams params{};
    Check(info->GetParams(&params), "GetParams");
    WriteRecord(out, "params", params);
    UINT32 markerRows = 0, markerColumns = 0;
    Check(info->GetMarkerGrid(&markerRows, &markerColumns), "GetMarkerGrid");
    const UINT32 markerGrid[2] = {markerRows, markerColumns};
    out.Uints("markerGrid", markerGrid, 2);
    std::vector<Marker> markers(std::size_t(markerRows) * markerColumns);
    for (std::size_t at = 0; at < markers.size(); ++at) {
        Check(info->GetMarker(UINT32(at / markerColumns), UINT32(at % markerColumns), markers[at].position,
                              &markers[at].flag),
              "GetMarker");
    }
    WriteRecords(out, "markers", markers, {markerRows, markerColumns});
}

void FromJson(const In& in, IQuonGeoInfo* info) {
    in.Members({"name", "cellExtents", "cells", "profiles", "pointGrid", "points", "params", "markerGrid", "markers"});
    Check(info->SetName(NameOf(in, "name").c_str()), "SetName");
    UINT32 e[3] = {};
    in.Uints("cellExtents", e, 3);
    const std::vector<std::size_t> shape = {e[0], e[1], e[2]};
    const auto cells = ReadRecords<EbCell>(in, "cells", shape);
    const auto profiles = ReadRecords<EbProfile>(in, "profiles", shape);
    Check(info->AllocateCells(SignedCount(e[0], in, "cellExtents"), SignedCount(e[1], in, "cellExtents"),
                              SignedCount(e[2], in, "cellExtents")),
          "AllocateCells");
    for (std::size_t at = 0; at < cells.size(); ++at) {
        Check(info->SetCell(UINT32(at / (shape[1] * shape[2])), UINT32(at / shape[2] % shape[1]), UINT32(at % shape[2]),
                            &cells[at], &profiles[at]),
              "SetCell");
    }
    UINT32 g[3] = {};
    in.Uints("pointGrid", g, 3);
    const auto points = ReadRecords<EbPoint>(in, "points", {g[0], g[1]});
    Check(info->AllocatePoints(SignedCount(g[0], in, "pointGrid"), SignedCount(g[1], in, "pointGrid"), g[2]),
          "AllocatePoints");
    for (std::size_t at = 0; at < points.size(); ++at) {
        Check(info->SetPoint(UINT32(at / g[1]), UINT32(at % g[1]), &points[at]), "SetPoint");
    }
    const auto params = ReadRecord<GeoInfoParams>(in, "params");
    Check(info->SetParams(&params), "SetParams");
    UINT32 m[2] = {};
    in.Uints("markerGrid", m, 2);
    const auto markers = ReadRecords<Marker>(in, "markers", {m[0], m[1]});
    Check(info->AllocateMarkers(SignedCount(m[0], in, "markerGrid"), SignedCount(m[1], in, "markerGrid")),
          "AllocateMarkers");
    for (std::size_t at = 0; at < markers.size(); ++at) {
        Check(info->SetMarker(UINT32(at / m[1]), UINT32(at % m[1]), markers[at].position, markers[at].flag), "SetMarker");
    }
}

}  // namespace

ModelClass GeoInfoClass() {
    return TextClass<IQuonGeoInfo, ToJson, FromJson>("GeoInfo", "the geometry description text", CLSID_QuonGeoInfo);
}

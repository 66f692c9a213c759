// Geometry info: name, the cells (cell and profile records) of the a x b x c
// array, the point grid and the points held, the parameter block, the marker
// grid and the markers held (a loaded text sets both counts apart from the
// grids), and the three layout values the interface does not hand out (taken
// from the object's own text).
//
// Those values and counts reach an object only through its text, so a build
// has the object read a text of them (zero records, a size line that keeps
// the parameters) and then sets every record through the setters.
#include <charconv>

#include "class_kit.h"

namespace {

// One marker as the interface passes it: position and flag.
struct Marker {
    double position[2];
    UINT32 flag;
};

// The layout values the text carries.
struct Layouts {
    INT32 pointLayout;   // fifth header field (not written when 0)
    INT32 markerLayout;  // first field of the layout line
    INT32 paramFlag;     // second field of the layout line
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
const RecordType& TypeOf<Layouts>() {
    static const RecordType type = Describe<Layouts>("Layouts")("pointLayout", &Layouts::pointLayout)(
        "markerLayout", &Layouts::markerLayout)("paramFlag", &Layouts::paramFlag);
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

// The integer fields of a written line ("1, 2, 3, ").
std::vector<INT32> Fields(const std::string& line) {
    std::vector<INT32> fields;
    for (std::size_t at = 0; at < line.size();) {
        while (at < line.size() && (line[at] == ' ' || line[at] == ',')) ++at;
        INT32 v = 0;
        const auto [end, ec] = std::from_chars(line.data() + at, line.data() + line.size(), v);
        if (ec != std::errc()) break;
        fields.push_back(v);
        at = std::size_t(end - line.data());
    }
    return fields;
}

void ToJson(IQuonGeoInfo* info, Out& out) {
    WriteCells(info, out);
    WritePoints(info, out);
    GeoInfoParams params{};
    Check(info->GetParams(&params), "GetParams");
    WriteRecord(out, "params", params);
    UINT32 markerRows = 0, markerColumns = 0;
    Check(info->GetMarkerGrid(&markerRows, &markerColumns), "GetMarkerGrid");
    const UINT32 markerGrid[2] = {markerRows, markerColumns};
    out.Uints("markerGrid", markerGrid, 2);
    const auto markers = HeldRecords<Marker>(
        markerColumns, [&](UINT32 i, UINT32 j, Marker* m) { return info->GetMarker(i, j, m->position, &m->flag); });
    WriteRecords(out, "markers", markers, {markers.size()});

    // The layout line comes before the count line, the markers and the
    // corners (five lines when present).
    const std::vector<std::string> lines = TextLines(SaveText(GeoInfoClass(), info));
    const std::size_t tail = 2 + markers.size() + (params.cornersPresent == 1 ? 5 : 0);
    const std::vector<INT32> header = Fields(lines.empty() ? std::string() : lines[0]);
    const std::vector<INT32> layout = Fields(lines.size() >= tail ? lines[lines.size() - tail] : std::string());
    if (layout.size() < 2) throw quon::Error(E_UNEXPECTED, "the object's text has no layout line");
    WriteRecord(out, "layouts", Layouts{header.size() >= 5 ? header[4] : 0, layout[0], layout[1]});
}

void FromJson(const In& in, IQuonGeoInfo* info) {
    in.Members({"name", "cellExtents", "cells", "profiles", "pointGrid", "points", "params", "markerGrid", "markers",
                "layouts"});
    UINT32 e[3] = {}, g[3] = {}, m[2] = {};
    in.Uints("cellExtents", e, 3);
    in.Uints("pointGrid", g, 3);
    in.Uints("markerGrid", m, 2);
    const std::vector<std::size_t> shape = {e[0], e[1], e[2]};
    const auto cells = ReadRecords<EbCell>(in, "cells", shape);
    const auto profiles = ReadRecords<EbProfile>(in, "profiles", shape);
    const auto points = ReadRecords<EbPoint>(in, "points", {in.Member("points").Size()});
    const auto params = ReadRecord<GeoInfoParams>(in, "params");
    const auto markers = ReadRecords<Marker>(in, "markers", {in.Member("markers").Size()});
    const auto layouts = ReadRecord<Layouts>(in, "layouts");

    Check(info->AllocatePoints(SignedCount(g[0], in, "pointGrid"), SignedCount(g[1], in, "pointGrid"), g[2]),
          "AllocatePoints");
    Check(info->SetParams(&params), "SetParams");
    Check(info->AllocateMarkers(SignedCount(m[0], in, "markerGrid"), SignedCount(m[1], in, "markerGrid")),
          "AllocateMarkers");
    std::string text = SizeLineStart(in, e, points.size()) + std::to_string(layouts.pointLayout) + ", \n";
    for (std::size_t i = 0; i < points.size(); ++i) text += "0, 0, 0, 0, \n";
    for (std::size_t i = 0; i < cells.size(); ++i) text += "0, 0, 0, 0, 0, 0, 0, \n";
    // A size line that does not scan keeps the parameters set above.
    text += "-\n" + std::to_string(layouts.markerLayout) + ", " + std::to_string(layouts.paramFlag) + ", \n" +
            std::to_string(markers.size()) + ", " + std::to_string(m[1]) + ", " + std::to_string(m[0]) + ", \n";
    for (std::size_t i = 0; i < markers.size(); ++i) text += "0, 0, 0, \n";
    Check(info->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size())), "LoadFromBuffer");
    Check(info->SetName(NameOf(in, "name").c_str()), "SetName");
    SetCellsAndPoints(info, shape, cells, profiles, g[1], points);
    for (std::size_t n = 0; n < markers.size(); ++n) {
        const auto [i, j] = GridPlace(n, m[1]);
        Check(info->SetMarker(i, j, markers[n].position, markers[n].flag), "SetMarker");
    }
}

}  // namespace

ModelClass GeoInfoClass() {
    return TextClass<IQuonGeoInfo, ToJson, FromJson>("GeoInfo", "the geometry description text", CLSID_QuonGeoInfo);
}

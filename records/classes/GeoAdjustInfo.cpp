// Geometry adjustment: number and label, the basic records, the three
// other-screen grids (each point x, y as the file holds it; null before
// Initialize makes them), the edge-blend
// records and the auxiliary record.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<AutoCalibResult>() {
    using A = AutoCalibResult;
    static const RecordType type = Describe<A>("AutoCalibResult")("Result", &A::Result)("BestZoom", &A::BestZoom)(
        "BestShift", &A::BestShift)("HorizontalBlendingWidth", &A::HorizontalBlendingWidth)(
        "VerticalBlendingWidth", &A::VerticalBlendingWidth)("OANeighbor", &A::OANeighbor)("GuidePos", &A::GuidePos);
    return type;
}

template <>
const RecordType& TypeOf<GeometrySetting>() {
    static const RecordType type = Describe<GeometrySetting>("GeometrySetting")("Screen", &GeometrySetting::Screen)(
        "CheckMode", &GeometrySetting::CheckMode)("ControlMode", &GeometrySetting::ControlMode);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonGeoAdjustInfo* info, Out& out) {
    UINT32 number = 0;
    const char* label = nullptr;
    Check(info->GetIdentity(&number, &label), "GetIdentity");
    out.Uint("number", number);
    out.Text("label", label != nullptr ? label : "");
    GeoVersion version{};
    char address[ProjectorAddressSize] = {};
    ProjectorInfo projector{};
    AutoCalibResult autoCalib{};
    GeometrySetting setting{};
    Check(info->GetBasicInfo(&version, address, &projector, &autoCalib, &setting), "GetBasicInfo");
    WriteRecord(out, "version", version);
    WriteAddress(out, address);
    WriteRecord(out, "projector", projector);
    WriteRecord(out, "autoCalib", autoCalib);
    WriteRecord(out, "geometrySetting", setting);

    quon::Ptr<IQuonGeoOtherScreenTag> first;
    std::vector<Out> screens;
    if (SUCCEEDED(info->GetOtherScreen(0, first.put()))) {
        screens = out.Objects("otherScreens", GeoOtherScreenCount);
    } else {
        out.Null("otherScreens");  // before Initialize: no tags
    }
    for (UINT32 i = 0; i < screens.size(); ++i) {
        quon::Ptr<IQuonGeoOtherScreenTag> tag;
        Check(info->GetOtherScreen(i, tag.put()), "GetOtherScreen");
        UINT32 columns = 0, rows = 0;
        Check(tag->GetUsedSize(&columns, &rows), "GetUsedSize");
        screens[i].Uint("columns", columns);
        screens[i].Uint("rows", rows);
        std::vector<double> points(std::size_t(rows) * columns * 2);
        for (UINT32 r = 0; r < rows; ++r) {
            for (UINT32 c = 0; c < columns; ++c) Check(tag->GetTag(r, c, &points[(std::size_t(r) * columns + c) * 2]), "GetTag");
        }
        screens[i].Numbers("points", points.data(), {rows, columns, 2});
    }

    EdgeBlendSetting blendSetting{};
    EdgeBlendLocation locations[GeoEdgeCount] = {};
    BrightArea inside{}, outside{};
    INT32 gamma[GeoEdgeCount] = {};
    BlackLevelLocation blackLevels[GeoEdgeCount] = {};
    Check(info->GetEdgeBlendInfo(&blendSetting, locations, &inside, &outside, gamma, blackLevels), "GetEdgeBlendInfo");
    Out blend = out.Object("edgeBlend");
    WriteRecord(blend, "setting", blendSetting);
    blend.Records("locations", TypeOf<EdgeBlendLocation>(), locations, {GeoEdgeCount});
    WriteRecord(blend, "inside", inside);
    WriteRecord(blend, "outside", outside);
    blend.Ints("gamma", gamma, GeoEdgeCount);
    blend.Records("blackLevels", TypeOf<BlackLevelLocation>(), blackLevels, {GeoEdgeCount});

    AuxiliaryRecord auxiliary{};
    Check(info->GetAuxiliaryRecord(&auxiliary), "GetAuxiliaryRecord");
    out.Uints("auxiliary", auxiliary.values, AuxiliaryRecordValueCount);
}

void FromJson(const In& in, IQuonGeoAdjustInfo* info) {
    in.Members({"number", "label", "version", "address", "projector", "autoCalib", "geometrySetting", "otherScreens",
                "edgeBlend", "auxiliary"});
    // Initialize sets number and label and makes the tags; an object without
    // tags has never had it called.
    const In screens = in.Member("otherScreens");
    const UINT32 number = in.U32("number");
    const std::string label = NameOf(in, "label");
    if (!screens.IsNull()) {
        Check(info->Initialize(number, label.c_str()), "Initialize");
    } else if (number != 0 || !label.empty()) {
        screens.Fail("expected the three grids: a number and label come with them");
    }
    const auto version = ReadRecord<GeoVersion>(in, "version");
    char address[ProjectorAddressSize] = {};
    ReadAddress(in, address);
    const auto projector = ReadRecord<ProjectorInfo>(in, "projector");
    const auto autoCalib = ReadRecord<AutoCalibResult>(in, "autoCalib");
    const auto setting = ReadRecord<GeometrySetting>(in, "geometrySetting");
    Check(info->SetBasicInfo(&version, address, &projector, &autoCalib, &setting), "SetBasicInfo");

    if (!screens.IsNull()) screens.Size(GeoOtherScreenCount);
    for (UINT32 i = 0; i < GeoOtherScreenCount && !screens.IsNull(); ++i) {
        const In screen = screens.At(i);
        screen.Members({"columns", "rows", "points"});
        const UINT32 columns = screen.U32("columns"), rows = screen.U32("rows");
        screen.Shape("points", {rows, columns});
        quon::Ptr<IQuonGeoOtherScreenTag> tag;
        Check(info->GetOtherScreen(i, tag.put()), "GetOtherScreen");
        const In grid = screen.Member("points");
        for (UINT32 r = 0; r < rows; ++r) {
            for (UINT32 c = 0; c < columns; ++c) {
                const In xy = grid.At(r).At(c);
                xy.Size(2);
                const double point[2] = {xy.At(0).Double(), xy.At(1).Double()};
                Check(tag->SetTag(r, c, point), "SetTag");
            }
        }
    }

    const In blend = in.Member("edgeBlend");
    blend.Members({"setting", "locations", "inside", "outside", "gamma", "blackLevels"});
    const auto blendSetting = ReadRecord<EdgeBlendSetting>(blend, "setting");
    const auto locations = ReadRecords<EdgeBlendLocation>(blend, "locations", {GeoEdgeCount});
    const auto inside = ReadRecord<BrightArea>(blend, "inside");
    const auto outside = ReadRecord<BrightArea>(blend, "outside");
    INT32 gamma[GeoEdgeCount] = {};
    blend.Ints("gamma", gamma, GeoEdgeCount);
    const auto blackLevels = ReadRecords<BlackLevelLocation>(blend, "blackLevels", {GeoEdgeCount});
    Check(info->SetEdgeBlendInfo(&blendSetting, locations.data(), &inside, &outside, gamma, blackLevels.data()),
          "SetEdgeBlendInfo");

    AuxiliaryRecord auxiliary{};
    in.Uints("auxiliary", auxiliary.values, AuxiliaryRecordValueCount);
    Check(info->SetAuxiliaryRecord(&auxiliary), "SetAuxiliaryRecord");
}

// The geometry adjustment object needs its three other-screen tags first.
HRESULT Prepare(void* itf) { return static_cast<IQuonGeoAdjustInfo*>(itf)->Initialize(0, ""); }

}  // namespace

ModelClass GeoAdjustInfoClass() {
    return TextClass<IQuonGeoAdjustInfo, ToJson, FromJson>(
        "GeoAdjustInfo", "geometry adjustment file (Geometry file with three grids)", CLSID_QuonGeoAdjustInfo, Prepare);
}

// Black level: number and label, the basic records, the edge-blend records
// and the four black-level records.
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonGeoBlackLevelInfo* info, Out& out) {
    WriteIdentityAndBasics(info, out);
    EdgeBlendSetting setting{};
    EdgeBlendLocation locations[GeoEdgeCount] = {};
    BrightArea inside{}, outside{};
    Check(info->GetEdgeBlendInfo(&setting, locations, &inside, &outside), "GetEdgeBlendInfo");
    Out blend = out.Object("edgeBlend");
    WriteRecord(blend, "setting", setting);
    blend.Records("locations", TypeOf<EdgeBlendLocation>(), locations, {GeoEdgeCount});
    WriteRecord(blend, "inside", inside);
    WriteRecord(blend, "outside", outside);
    BlackLevelLocation blackLevels[GeoEdgeCount] = {};
    Check(info->GetBlackLevelInfo(blackLevels), "GetBlackLevelInfo");
    out.Records("blackLevels", TypeOf<BlackLevelLocation>(), blackLevels, {GeoEdgeCount});
}

void FromJson(const In& in, IQuonGeoBlackLevelInfo* info) {
    in.Members({"number", "label", "version", "address", "projector", "edgeBlend", "blackLevels"});
    ReadIdentityAndBasics(in, info);
    const In blend = in.Member("edgeBlend");
    blend.Members({"setting", "locations", "inside", "outside"});
    const auto setting = ReadRecord<EdgeBlendSetting>(blend, "setting");
    const auto locations = ReadRecords<EdgeBlendLocation>(blend, "locations", {GeoEdgeCount});
    const auto inside = ReadRecord<BrightArea>(blend, "inside");
    const auto outside = ReadRecord<BrightArea>(blend, "outside");
    Check(info->SetEdgeBlendInfo(&setting, locations.data(), &inside, &outside), "SetEdgeBlendInfo");
    const auto blackLevels = ReadRecords<BlackLevelLocation>(in, "blackLevels", {GeoEdgeCount});
    Check(info->SetBlackLevelInfo(blackLevels.data()), "SetBlackLevelInfo");
}

}  // namespace

ModelClass GeoBlackLevelInfoClass() {
    return TextClass<IQuonGeoBlackLevelInfo, ToJson, FromJson>("GeoBlackLevelInfo", "black-level file (Geometry file)",
                                                                CLSID_QuonGeoBlackLevelInfo);
}

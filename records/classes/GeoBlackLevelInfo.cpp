// Black level: number and label, the basic records, the edge-blend records
// and the four black-level records.
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonGeoBlackLevelInfo* info, Out& out) {
    UINT32 number = 0;
    const std::string label = CopiedName(out, [&](char* buffer) { Check(info->GetIdentity(&number, buffer), "GetIdentity"); });
    out.Uint("number", number);
    out.Text("label", label);
    GeoVersion version{};
    char address[ProjectorAddressSize] = {};
    ProjectorInfo projector{};
    Check(info->GetBasicInfo(&version, address, &projector), "GetBasicInfo");
    WriteRecord(out, "version", version);
    out.Text("address", std::string_view(address, strnlen(address, sizeof address)));
    WriteRecord(out, "projector", projector);
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
    Check(info->Initialize(in.U32("number"), NameOf(in, "label").c_str()), "Initialize");
    const auto version = ReadRecord<GeoVersion>(in, "version");
    char address[ProjectorAddressSize] = {};
    const std::string text = in.Text("address", ProjectorAddressSize);
    text.copy(address, text.size());
    const auto projector = ReadRecord<ProjectorInfo>(in, "projector");
    Check(info->SetBasicInfo(&version, address, &projector), "SetBasicInfo");
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

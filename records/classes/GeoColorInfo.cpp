// Colour matching: number and label, the basic records, the colour-matching
// record and the picture settings.
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<ColorMatching>() {
    static const RecordType type = Describe<ColorMatching>("ColorMatching")(
        "ColorMatchingMode", &ColorMatching::ColorMatchingMode)("SevenColor", &ColorMatching::SevenColor);
    return type;
}

template <>
const RecordType& TypeOf<PictureSetting>() {
    using P = PictureSetting;
    static const RecordType type = Describe<P>("PictureSetting")("WhiteBalanceHigh_0", &P::WhiteBalanceHigh_0)(
        "WhiteBalanceHigh_1", &P::WhiteBalanceHigh_1)("WhiteBalanceHigh_2", &P::WhiteBalanceHigh_2)(
        "TargetReset", &P::TargetReset);
    return type;
}

}  // namespace records

namespace {

using namespace records;

void ToJson(IQuonGeoColorInfo* info, Out& out) {
    WriteIdentityAndBasics(info, out);
    ColorMatching matching{};
    PictureSetting picture{};
    Check(info->GetColorMatching(&matching), "GetColorMatching");
    Check(info->GetPictureSetting(&picture), "GetPictureSetting");
    WriteRecord(out, "colorMatching", matching);
    WriteRecord(out, "picture", picture);
}

void FromJson(const In& in, IQuonGeoColorInfo* info) {
    in.Members({"number", "label", "version", "address", "projector", "colorMatching", "picture"});
    ReadIdentityAndBasics(in, info);
    const auto matching = ReadRecord<ColorMatching>(in, "colorMatching");
    const auto picture = ReadRecord<PictureSetting>(in, "picture");
    Check(info->SetColorMatching(&matching), "SetColorMatching");
    Check(info->SetPictureSetting(&picture), "SetPictureSetting");
}

}  // namespace

ModelClass GeoColorInfoClass() {
    return TextClass<IQuonGeoColorInfo, ToJson, FromJson>("GeoColorInfo", "colour-matching file (Geometry file)",
                                                          CLSID_QuonGeoColorInfo);
}

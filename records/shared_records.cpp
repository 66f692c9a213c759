// Record types that more than one class passes, described once, and the
// projector address of the Geometry files.
#include <cstring>

#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<GeoVersion>() {
    static const RecordType type =
        Describe<GeoVersion>("GeoVersion")("MajorVersion", &GeoVersion::MajorVersion)("MinorVersion", &GeoVersion::MinorVersion);
    return type;
}

template <>
const RecordType& TypeOf<ProjectorInfo>() {
    static const RecordType type = Describe<ProjectorInfo>("ProjectorInfo")("Major", &ProjectorInfo::Major)(
        "Minor", &ProjectorInfo::Minor)("Panel", &ProjectorInfo::Panel)("Screen", &ProjectorInfo::Screen);
    return type;
}

template <>
const RecordType& TypeOf<EdgeBlendSetting>() {
    static const RecordType type = Describe<EdgeBlendSetting>("EdgeBlendSetting")(
        "ControlMode", &EdgeBlendSetting::ControlMode)("Marker", &EdgeBlendSetting::Marker)(
        "BlackLevelArea", &EdgeBlendSetting::BlackLevelArea);
    return type;
}

template <>
const RecordType& TypeOf<EdgeBlendLocation>() {
    using L = EdgeBlendLocation;
    static const RecordType type = Describe<L>("EdgeBlendLocation")("ENABLE", &L::ENABLE)("START", &L::START)(
        "WIDTH", &L::WIDTH)("OUTSIDEAREA", &L::OUTSIDEAREA)("INTERLOCKED", &L::INTERLOCKED)("COLOR", &L::COLOR)(
        "KEYSTONEAREA", &L::KEYSTONEAREA);
    return type;
}

template <>
const RecordType& TypeOf<BrightArea>() {
    static const RecordType type =
        Describe<BrightArea>("BrightArea")("INTERLOCKED", &BrightArea::INTERLOCKED)("COLOR", &BrightArea::COLOR);
    return type;
}

template <>
const RecordType& TypeOf<BlackLevelLocation>() {
    using B = BlackLevelLocation;
    static const RecordType type = Describe<B>("BlackLevelLocation")("INTERLOCKED", &B::INTERLOCKED)(
        "COLOR", &B::COLOR)("BLACKBORDERWIDTH", &B::BLACKBORDERWIDTH)("FREESHAPE", &B::FREESHAPE)(
        "ADJUSTMENTPOINTS", &B::ADJUSTMENTPOINTS)("POINT", &B::POINT);
    return type;
}

template <>
const RecordType& TypeOf<EbCell>() {
    static const RecordType type = Describe<EbCell>("EbCell")("reserved0", &EbCell::reserved0)(
        "levelHigh", &EbCell::levelHigh)("levelLow", &EbCell::levelLow)("valueD", &EbCell::valueD)(
        "spare", &EbCell::spare)("valueE", &EbCell::valueE)("valueF", &EbCell::valueF)(
        "listsPresent", &EbCell::listsPresent)("reserved1", &EbCell::reserved1)("list1Count", &EbCell::list1Count)(
        "list2Count", &EbCell::list2Count);
    return type;
}

template <>
const RecordType& TypeOf<EbProfile>() {
    static const RecordType type = Describe<EbProfile>("EbProfile")("valueA", &EbProfile::valueA)(
        "valueB", &EbProfile::valueB)("list1", &EbProfile::list1)("list2", &EbProfile::list2);
    return type;
}

template <>
const RecordType& TypeOf<EbPoint>() {
    static const RecordType type =
        Describe<EbPoint>("EbPoint")("p0", &EbPoint::p0)("p1", &EbPoint::p1)("p2", &EbPoint::p2)("p3", &EbPoint::p3);
    return type;
}

template <>
const RecordType& TypeOf<CameraRegion>() {
    static const RecordType type = Describe<CameraRegion>("CameraRegion")("startRow", &CameraRegion::startRow)(
        "endRow", &CameraRegion::endRow)("startColumn", &CameraRegion::startColumn)("endColumn", &CameraRegion::endColumn);
    return type;
}

template <>
const RecordType& TypeOf<ColorSpectrumInfo>() {
    using S = ColorSpectrumInfo;
    static const RecordType type = Describe<S>("ColorSpectrumInfo")("pmodeID", &S::pmodeID)("xyRate", &S::xyRate)(
        "YRate", &S::YRate)("LightOutput", &S::LightOutput)("Rhigh", &S::Rhigh)("Rlow", &S::Rlow)("Ghigh", &S::Ghigh)(
        "Glow", &S::Glow)("Bhigh", &S::Bhigh)("Blow", &S::Blow)("typDWL_R", &S::typDWL_R)("typDWL_G", &S::typDWL_G)(
        "typDWL_B", &S::typDWL_B);
    return type;
}

template <>
const RecordType& TypeOf<ColorSpectrumPoint>() {
    static const RecordType type = Describe<ColorSpectrumPoint>("ColorSpectrumPoint")("values", &ColorSpectrumPoint::values);
    return type;
}

template <>
const RecordType& TypeOf<ColorDiff7colorsInfo>() {
    using D = ColorDiff7colorsInfo;
    static const RecordType type = Describe<D>("ColorDiff7colorsInfo")("pmodeID_0", &D::pmodeID_0)(
        "pmodeID_1", &D::pmodeID_1)("LightOutput_0", &D::LightOutput_0)("LightOutput_1", &D::LightOutput_1)(
        "xyRate", &D::xyRate)("diff7colors_0", &D::diff7colors_0)("diff7colors_1", &D::diff7colors_1)(
        "IsSpectrum_0", &D::IsSpectrum_0)("IsSpectrum_1", &D::IsSpectrum_1);
    return type;
}

void WriteAddress(Out& out, const char (&address)[ProjectorAddressSize]) {
    out.Text("address", std::string_view(address, strnlen(address, sizeof address)));
}

void ReadAddress(const In& in, char (&address)[ProjectorAddressSize]) {
    const std::string text = in.Text("address", ProjectorAddressSize);
    text.copy(address, text.size());
}

std::string SizeLineStart(const In& in, const UINT32 (&extents)[3], std::size_t points) {
    return std::to_string(SignedCount(extents[1], in, "cellExtents")) + ", " +
           std::to_string(SignedCount(extents[0], in, "cellExtents")) + ", " +
           std::to_string(SignedCount(extents[2], in, "cellExtents")) + ", " + std::to_string(points) + ", ";
}

}  // namespace records

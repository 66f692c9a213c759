// Auto-calibration result: the label, the header, and one result per camera
// and per projector (as many as the header counts).
#include "class_kit.h"

namespace records {

template <>
const RecordType& TypeOf<AutoCalibHeader>() {
    using H = AutoCalibHeader;
    static const RecordType type = Describe<H>("AutoCalibHeader")("date", &H::date)("cameraCount", &H::cameraCount)(
        "projectorCount", &H::projectorCount)("basePosition", &H::basePosition)("extra", &H::extra);
    return type;
}

template <>
const RecordType& TypeOf<CameraResult>() {
    using C = CameraResult;
    static const RecordType type = Describe<C>("CameraResult")("id", &C::id)("isMove", &C::isMove)(
        "centerDeviationX", &C::centerDeviationX)("centerDeviationY", &C::centerDeviationY)(
        "marginTop", &C::marginTop)("marginBottom", &C::marginBottom)("marginLeft", &C::marginLeft)(
        "marginRight", &C::marginRight);
    return type;
}

template <>
const RecordType& TypeOf<ProjectorResult>() {
    using P = ProjectorResult;
    static const RecordType type = Describe<P>("ProjectorResult")("id", &P::id)("isMove", &P::isMove)(
        "centerDeviationX", &P::centerDeviationX)("centerDeviationY", &P::centerDeviationY)(
        "maxDeviationX", &P::maxDeviationX)("maxDeviationY", &P::maxDeviationY)("marginTop", &P::marginTop)(
        "marginBottom", &P::marginBottom)("marginLeft", &P::marginLeft)("marginRight", &P::marginRight);
    return type;
}

}  // namespace records

namespace {

using namespace records;

std::size_t Count(INT32 n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

void ToJson(IQuonGeoAutoCalibInfo* info, Out& out) {
    out.Text("label", CopiedName(out, [&](char* buffer) { Check(info->GetLabel(buffer), "GetLabel"); }));
    AutoCalibHeader header{};
    Check(info->GetHeader(&header), "GetHeader");
    WriteRecord(out, "header", header);
    std::vector<CameraResult> cameras(Count(header.cameraCount));
    for (std::size_t i = 0; i < cameras.size(); ++i) Check(info->GetCameraResult(INT32(i), &cameras[i]), "GetCameraResult");
    std::vector<ProjectorResult> projectors(Count(header.projectorCount));
    for (std::size_t i = 0; i < projectors.size(); ++i) {
        Check(info->GetProjectorResult(INT32(i), &projectors[i]), "GetProjectorResult");
    }
    WriteRecords(out, "cameras", cameras, {cameras.size()});
    WriteRecords(out, "projectors", projectors, {projectors.size()});
}

void FromJson(const In& in, IQuonGeoAutoCalibInfo* info) {
    in.Members({"label", "header", "cameras", "projectors"});
    Check(info->SetLabel(NameOf(in, "label").c_str()), "SetLabel");
    const auto header = ReadRecord<AutoCalibHeader>(in, "header");
    const auto cameras = ReadRecords<CameraResult>(in, "cameras", {Count(header.cameraCount)});
    const auto projectors = ReadRecords<ProjectorResult>(in, "projectors", {Count(header.projectorCount)});
    Check(info->SetHeader(&header), "SetHeader");
    for (std::size_t i = 0; i < cameras.size(); ++i) Check(info->SetCameraResult(INT32(i), &cameras[i]), "SetCameraResult");
    for (std::size_t i = 0; i < projectors.size(); ++i) {
        Check(info->SetProjectorResult(INT32(i), &projectors[i]), "SetProjectorResult");
    }
}

}  // namespace

ModelClass GeoAutoCalibInfoClass() {
    return TextClass<IQuonGeoAutoCalibInfo, ToJson, FromJson>("GeoAutoCalibInfo", "auto-calibration result document",
                                                             CLSID_QuonGeoAutoCalibInfo);
}

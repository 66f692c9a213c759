// Colour spectrum: the picture mode's record and the points it holds.
#include "class_kit.h"

namespace {

using namespace records;

void ToJson(IQuonColorSpectrum* spectrum, Out& out) {
    ColorSpectrumInfo info{};
    UINT32 count = 0;
    Check(spectrum->GetData(&info), "GetData");
    Check(spectrum->GetPointCount(&count), "GetPointCount");
    WriteRecord(out, "info", info);
    std::vector<ColorSpectrumPoint> points(count);
    for (UINT32 i = 0; i < count; ++i) Check(spectrum->GetPoint(i, &points[i]), "GetPoint");
    WriteRecords(out, "points", points, {count});
}

void FromJson(const In& in, IQuonColorSpectrum* spectrum) {
    in.Members({"info", "points"});
    const auto info = ReadRecord<ColorSpectrumInfo>(in, "info");
    const std::size_t count = in.Member("points").Size();
    if (count > ColorSpectrumPointCount) in.Member("points").Fail("expected at most 401 points");
    const auto points = ReadRecords<ColorSpectrumPoint>(in, "points", {count});
    Check(spectrum->SetData(&info), "SetData");
    Check(spectrum->Initialize(), "Initialize");
    for (const ColorSpectrumPoint& p : points) Check(spectrum->AddPoint(&p), "AddPoint");
}

}  // namespace

ModelClass ColorSpectrumClass() {
    return TextClass<IQuonColorSpectrum, ToJson, FromJson>(
        "ColorSpectrum", "one picture mode \"pmode_0\" of an original colour sheet", CLSID_QuonColorSpectrum, nullptr,
        SaveMode<IQuonColorSpectrum>, LoadMode<IQuonColorSpectrum>);
}

// Seven-colour difference: the picture mode's record (flags included) and
// the points of its two spectra.
#include "class_kit.h"

namespace {

using namespace records;

const char* const kSpectra[2] = {"Spectrum_0", "Spectrum_1"};

void ToJson(IQuonColorDiff7colors* diff, Out& out) {
    ColorDiff7colorsInfo info{};
    Check(diff->GetData(&info), "GetData");
    WriteRecord(out, "info", info);
    for (const char* name : kSpectra) {
        UINT32 count = 0;
        Check(diff->GetSpectrumPointCount(name, &count), "GetSpectrumPointCount");
        std::vector<ColorSpectrumPoint> points(count);
        for (UINT32 i = 0; i < count; ++i) Check(diff->GetSpectrumPoint(name, i, &points[i]), "GetSpectrumPoint");
        WriteRecords(out, name, points, {count});
    }
}

void FromJson(const In& in, IQuonColorDiff7colors* diff) {
    in.Members({"info", kSpectra[0], kSpectra[1]});
    const auto info = ReadRecord<ColorDiff7colorsInfo>(in, "info");
    Check(diff->SetData(&info), "SetData");
    Check(diff->Initialize(), "Initialize");
    for (const char* name : kSpectra) {
        const std::size_t count = in.Member(name).Size();
        if (count > ColorDiffSpectrumCapacity) in.Member(name).Fail("expected at most 402 points");
        for (const ColorSpectrumPoint& p : ReadRecords<ColorSpectrumPoint>(in, name, {count})) {
            Check(diff->AddSpectrumPoint(name, &p), "AddSpectrumPoint");
        }
    }
}

// Seven-colour objects read their spectra only when their flags say so, and
// written documents carry no flags: the host sets them before reading.
HRESULT FlagSpectra(IQuonColorDiff7colors* diff) {
    ColorDiff7colorsInfo info{};
    HRESULT hr = diff->GetData(&info);
    if (FAILED(hr)) return hr;
    info.IsSpectrum_0 = 1;
    info.IsSpectrum_1 = 1;
    return diff->SetData(&info);
}

HRESULT Prepare(void* itf) { return FlagSpectra(static_cast<IQuonColorDiff7colors*>(itf)); }

}  // namespace

HRESULT FlagDiff7colorsSpectra(IQuonColorDiff7colors* diff) { return FlagSpectra(diff); }

ModelClass ColorDiff7colorsClass() {
    return TextClass<IQuonColorDiff7colors, ToJson, FromJson>(
        "ColorDiff7colors", "one picture mode \"pmode_0\" of a colour difference sheet", CLSID_QuonColorDiff7colors,
        Prepare, SaveMode<IQuonColorDiff7colors>, LoadMode<IQuonColorDiff7colors>);
}

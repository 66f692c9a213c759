// Original colour sheet: the header and the attached spectra, each as a
// colour spectrum's records.
#include <string>

#include "class_kit.h"

HRESULT FlagDiff7colorsSpectra(IQuonColorDiff7colors* diff);

namespace records {

template <>
const RecordType& TypeOf<ColorCompOrgSpecHeader>() {
    using H = ColorCompOrgSpecHeader;
    static const RecordType type = Describe<H>("ColorCompOrgSpecHeader")("Version", &H::Version)("pjtype", &H::pjtype)("pmodeNum", &H::pmodeNum);
    return type;
}

}  // namespace records

namespace {

using namespace records;
using Sheet = IQuonColorCompOrgSpec;

void ToJson(Sheet* sheet, Out& out) {
    ColorCompOrgSpecHeader header{};
    UINT32 count = 0;
    Check(sheet->GetHeader(&header), "GetHeader");
    Check(sheet->GetSpectrumCount(&count), "GetSpectrumCount");
    WriteRecord(out, "header", header);
    std::vector<Out> children = out.Objects("spectra", count);
    for (UINT32 i = 0; i < count; ++i) {
        quon::Ptr<IQuonColorSpectrum> child;
        Check(sheet->GetSpectrum(i, child.put()), "GetSpectrum");
        ColorSpectrumClass().toJson(child.get(), children[i]);
    }
}

void FromJson(const In& in, Sheet* sheet) {
    in.Members({"header", "spectra"});
    const auto header = ReadRecord<ColorCompOrgSpecHeader>(in, "header");
    const In children = in.Member("spectra");
    if (children.Size() > ColorCompPmodeCapacity) children.Fail("expected at most 3 objects");
    Check(sheet->Initialize(), "Initialize");
    Check(sheet->SetHeader(&header), "SetHeader");
    for (std::size_t i = 0; i < children.Size(); ++i) {
        const quon::Ptr<IQuonColorSpectrum> child = Create<IQuonColorSpectrum>(CLSID_QuonColorSpectrum);
        ColorSpectrumClass().fromJson(children.At(i), child.get());
        Check(sheet->AddSpectrum(child.get()), "AddSpectrum");
    }
}

// A sheet gets three fresh picture-mode objects attached, as a host does,
// each set up before it reads.
HRESULT Prepare(void* itf) {
    auto* sheet = static_cast<Sheet*>(itf);
    HRESULT (*setUp)(IQuonColorSpectrum*) = nullptr;
    HRESULT hr = sheet->Initialize();
    for (int i = 0; i < 3 && SUCCEEDED(hr); ++i) {
        quon::Ptr<IQuonColorSpectrum> child;
        try {
            child = Create<IQuonColorSpectrum>(CLSID_QuonColorSpectrum);
        } catch (const quon::Error& e) {
            return e.hr();
        }
        if (setUp != nullptr) hr = setUp(child.get());
        if (SUCCEEDED(hr)) hr = sheet->AddSpectrum(child.get());
    }
    return hr;
}

// The sheet reads its header, each attached child its own mode "pmode_<i>"
// of the same text.
HRESULT Load(void* itf, const char* text, UINT32 length) {
    auto* sheet = static_cast<Sheet*>(itf);
    HRESULT hr = sheet->LoadFromBuffer(text, length);
    for (UINT32 i = 0; i < 3 && SUCCEEDED(hr); ++i) {
        quon::Ptr<IQuonColorSpectrum> child;
        if (FAILED(sheet->GetSpectrum(i, child.put())) || !child) break;  // no more attached
        hr = child->LoadFromBuffer(("pmode_" + std::to_string(i)).c_str(), text, length);
    }
    return hr;
}

}  // namespace

ModelClass ColorCompOrgSpecClass() {
    return TextClass<Sheet, ToJson, FromJson>("ColorCompOrgSpec", "original colour sheet with three spectra attached", CLSID_QuonColorCompOrgSpec, Prepare,
                                              SaveSigned<Sheet>, Load);
}

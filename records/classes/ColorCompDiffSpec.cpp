// Colour difference sheet: the header and the attached seven-colour
// objects, each as a seven-colour difference's records.
#include <string>

#include "class_kit.h"

HRESULT FlagDiff7colorsSpectra(IQuonColorDiff7colors* diff);

namespace records {

template <>
const RecordType& TypeOf<ColorCompDiffSpecHeader>() {
    using H = ColorCompDiffSpecHeader;
    static const RecordType type = Describe<H>("ColorCompDiffSpecHeader")("Version", &H::Version)("pjtype_0", &H::pjtype_0)("pjtype_1", &H::pjtype_1)("pmodeNum", &H::pmodeNum);
    return type;
}

}  // namespace records

namespace {

using namespace records;
using Sheet = IQuonColorCompDiffSpec;

void ToJson(Sheet* sheet, Out& out) {
    ColorCompDiffSpecHeader header{};
    UINT32 count = 0;
    Check(sheet->GetHeader(&header), "GetHeader");
    Check(sheet->GetDiff7colorsCount(&count), "GetDiff7colorsCount");
    WriteRecord(out, "header", header);
    std::vector<Out> children = out.Objects("modes", count);
    for (UINT32 i = 0; i < count; ++i) {
        quon::Ptr<IQuonColorDiff7colors> child;
        Check(sheet->GetDiff7colors(i, child.put()), "GetDiff7colors");
        ColorDiff7colorsClass().toJson(child.get(), children[i]);
    }
}

void FromJson(const In& in, Sheet* sheet) {
    in.Members({"header", "modes"});
    const auto header = ReadRecord<ColorCompDiffSpecHeader>(in, "header");
    const In children = in.Member("modes");
    if (children.Size() > ColorCompPmodeCapacity) children.Fail("expected at most 3 objects");
    Check(sheet->Initialize(), "Initialize");
    Check(sheet->SetHeader(&header), "SetHeader");
    for (std::size_t i = 0; i < children.Size(); ++i) {
        const quon::Ptr<IQuonColorDiff7colors> child = Create<IQuonColorDiff7colors>(CLSID_QuonColorDiff7colors);
        ColorDiff7colorsClass().fromJson(children.At(i), child.get());
        Check(sheet->AddDiff7colors(child.get()), "AddDiff7colors");
    }
}

// A sheet gets three fresh picture-mode objects attached, as a host does,
// each set up before it reads.
HRESULT Prepare(void* itf) {
    auto* sheet = static_cast<Sheet*>(itf);
    HRESULT (*setUp)(IQuonColorDiff7colors*) = FlagDiff7colorsSpectra;
    HRESULT hr = sheet->Initialize();
    for (int i = 0; i < 3 && SUCCEEDED(hr); ++i) {
        quon::Ptr<IQuonColorDiff7colors> child;
        try {
            child = Create<IQuonColorDiff7colors>(CLSID_QuonColorDiff7colors);
        } catch (const quon::Error& e) {
            return e.hr();
        }
        if (setUp != nullptr) hr = setUp(child.get());
        if (SUCCEEDED(hr)) hr = sheet->AddDiff7colors(child.get());
    }
    return hr;
}

// The sheet reads its header, each attached child its own mode "pmode_<i>"
// of the same text.
HRESULT Load(void* itf, const char* text, UINT32 length) {
    auto* sheet = static_cast<Sheet*>(itf);
    HRESULT hr = sheet->LoadFromBuffer(text, length);
    for (UINT32 i = 0; i < 3 && SUCCEEDED(hr); ++i) {
        quon::Ptr<IQuonColorDiff7colors> child;
        if (FAILED(sheet->GetDiff7colors(i, child.put())) || !child) break;  // no more attached
        hr = child->LoadFromBuffer(("pmode_" + std::to_string(i)).c_str(), text, length);
    }
    return hr;
}

}  // namespace

ModelClass ColorCompDiffSpecClass() {
    return TextClass<Sheet, ToJson, FromJson>("ColorCompDiffSpec", "colour difference sheet with three seven-colour objects attached", CLSID_QuonColorCompDiffSpec, Prepare,
                                              SaveSigned<Sheet>, Load);
}

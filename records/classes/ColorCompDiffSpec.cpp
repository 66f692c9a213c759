// Colour difference sheet: the header and the attached seven-colour
// objects, each as a seven-colour difference's records.
#include "colour_sheet.h"

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

struct Differences {
    using Sheet = IQuonColorCompDiffSpec;
    using Child = IQuonColorDiff7colors;
    using Header = ColorCompDiffSpecHeader;
    static constexpr const char* kMember = "modes";
    static constexpr const char* kCount = "GetDiff7colorsCount";
    static constexpr const char* kGet = "GetDiff7colors";
    static constexpr const char* kAdd = "AddDiff7colors";
    static HRESULT Count(Sheet* sheet, UINT32* count) { return sheet->GetDiff7colorsCount(count); }
    static HRESULT Get(Sheet* sheet, UINT32 i, Child** child) { return sheet->GetDiff7colors(i, child); }
    static HRESULT Add(Sheet* sheet, Child* child) { return sheet->AddDiff7colors(child); }
    static HRESULT SetUp(Child* child) { return FlagDiff7colorsSpectra(child); }
    static const CLSID& ChildClsid() { return CLSID_QuonColorDiff7colors; }
    static ModelClass ChildClass() { return ColorDiff7colorsClass(); }
};

}  // namespace

ModelClass ColorCompDiffSpecClass() {
    return records::ColourSheet<Differences>::Class("ColorCompDiffSpec",
                                                    "colour difference sheet with three seven-colour objects attached",
                                                    CLSID_QuonColorCompDiffSpec);
}

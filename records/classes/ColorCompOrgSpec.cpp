// Original colour sheet: the header and the attached spectra, each as a
// colour spectrum's records.
#include "colour_sheet.h"

namespace records {

template <>
const RecordType& TypeOf<ColorCompOrgSpecHeader>() {
    using H = ColorCompOrgSpecHeader;
    static const RecordType type = Describe<H>("ColorCompOrgSpecHeader")("Version", &H::Version)("pjtype", &H::pjtype)("pmodeNum", &H::pmodeNum);
    return type;
}

}  // namespace records

namespace {

struct Spectra {
    using Sheet = IQuonColorCompOrgSpec;
    using Child = IQuonColorSpectrum;
    using Header = ColorCompOrgSpecHeader;
    static constexpr const char* kMember = "spectra";
    static constexpr const char* kCount = "GetSpectrumCount";
    static constexpr const char* kGet = "GetSpectrum";
    static constexpr const char* kAdd = "AddSpectrum";
    static HRESULT Count(Sheet* sheet, UINT32* count) { return sheet->GetSpectrumCount(count); }
    static HRESULT Get(Sheet* sheet, UINT32 i, Child** child) { return sheet->GetSpectrum(i, child); }
    static HRESULT Add(Sheet* sheet, Child* child) { return sheet->AddSpectrum(child); }
    static HRESULT SetUp(Child*) { return S_OK; }
    static const CLSID& ChildClsid() { return CLSID_QuonColorSpectrum; }
    static ModelClass ChildClass() { return ColorSpectrumClass(); }
};

}  // namespace

ModelClass ColorCompOrgSpecClass() {
    return records::ColourSheet<Spectra>::Class("ColorCompOrgSpec", "original colour sheet with three spectra attached",
                                                CLSID_QuonColorCompOrgSpec);
}

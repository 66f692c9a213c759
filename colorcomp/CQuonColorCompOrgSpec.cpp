#include "colorcomp/CQuonColorCompOrgSpec.h"

#include <string>

#include "colorcomp/color_modes.h"

using quon::json::Value;

HRESULT CQuonColorCompOrgSpec::Initialize() {
    m_spectra.Start();
    return S_OK;
}

HRESULT CQuonColorCompOrgSpec::SetHeader(const ColorCompOrgSpecHeader* header) {
    if (header == nullptr) return E_POINTER;
    m_header = *header;
    return S_OK;
}

HRESULT CQuonColorCompOrgSpec::GetHeader(ColorCompOrgSpecHeader* header) {
    if (header == nullptr) return E_POINTER;
    *header = m_header;
    return S_OK;
}

HRESULT CQuonColorCompOrgSpec::AddSpectrum(IQuonColorSpectrum* spectrum) { return m_spectra.Add(spectrum); }

HRESULT CQuonColorCompOrgSpec::GetSpectrumCount(UINT32* count) {
    if (count == nullptr) return E_POINTER;
    *count = m_spectra.Count();
    return S_OK;
}

HRESULT CQuonColorCompOrgSpec::GetSpectrum(UINT32 index, IQuonColorSpectrum** spectrum) {
    return m_spectra.Get(index, spectrum);
}

HRESULT CQuonColorCompOrgSpec::LoadFromBuffer(const char* text, UINT32 length) {
    quon::json::Document document;
    const HRESULT parsed = quon::json::Parse(document, text, length);
    if (FAILED(parsed)) return parsed;

    // Members of the wrong type are skipped; the picture modes are read by
    // the spectrum objects.
    const Value* member = quon::json::Present(document, "Version");
    if (member != nullptr && member->IsString()) quon::json::CopyText(*member, m_header.Version);
    if ((member = quon::json::Present(document, "pjtype")) != nullptr && member->IsInt()) m_header.pjtype = member->GetInt();
    if ((member = quon::json::Present(document, "pmodeNum")) != nullptr && member->IsInt()) {
        m_header.pmodeNum = member->GetInt();
    }
    return S_OK;
}

HRESULT CQuonColorCompOrgSpec::SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) {
    // Every picture mode needs its spectrum object.
    const UINT32 modes = static_cast<UINT32>(m_header.pmodeNum);
    if (modes > m_spectra.Count()) return E_FAIL;

    quon::json::Builder doc;
    Value& root = doc.Root();
    doc.AddText(root, "Version", m_header.Version);
    doc.AddUint(root, "pjtype", static_cast<UINT32>(m_header.pjtype));
    doc.AddUint(root, "pmodeNum", modes);
    for (UINT32 i = 0; i < modes; ++i) {
        IQuonColorSpectrum* spectrum = m_spectra.At(i);
        ColorSpectrumInfo info{};
        spectrum->GetData(&info);
        Value& mode = doc.AddObject(root, "pmode_" + std::to_string(i));
        quon::colorcomp::AddSpectrumValues(doc, mode, info, false);
        // Always 401 points; a point the spectrum cannot supply is written as zeros.
        Value& points = doc.AddArray(mode, "Spectrum");
        points.Reserve(ColorSpectrumPointCount, doc.Alloc());
        for (UINT32 k = 0; k < ColorSpectrumPointCount; ++k) {
            ColorSpectrumPoint point{};
            spectrum->GetPoint(k, &point);
            doc.PushDoubles(points, point.values, 4);
        }
    }
    return quon::json::WriteOut(doc, buffer, capacity, written);
}

HRESULT CQuonColorCompOrgSpec::FreeData() {
    m_spectra.Discard();
    return S_OK;
}

#include "colorcomp/CQuonColorCompDiffSpec.h"

#include <string>

#include "colorcomp/color_modes.h"

using quon::json::Value;

HRESULT CQuonColorCompDiffSpec::Initialize() {
    m_modes.Start();
    return S_OK;
}

HRESULT CQuonColorCompDiffSpec::SetHeader(const ColorCompDiffSpecHeader* header) {
    if (header == nullptr) return E_POINTER;
    m_header = *header;
    return S_OK;
}

HRESULT CQuonColorCompDiffSpec::GetHeader(ColorCompDiffSpecHeader* header) {
    if (header == nullptr) return E_POINTER;
    *header = m_header;
    return S_OK;
}

HRESULT CQuonColorCompDiffSpec::AddDiff7colors(IQuonColorDiff7colors* diff) { return m_modes.Add(diff); }

HRESULT CQuonColorCompDiffSpec::GetDiff7colorsCount(UINT32* count) {
    if (count == nullptr) return E_POINTER;
    *count = m_modes.Count();
    return S_OK;
}

HRESULT CQuonColorCompDiffSpec::GetDiff7colors(UINT32 index, IQuonColorDiff7colors** diff) {
    return m_modes.Get(index, diff);
}

HRESULT CQuonColorCompDiffSpec::LoadFromBuffer(const char* text, UINT32 length) {
    quon::json::Document document;
    const HRESULT parsed = quon::json::Parse(document, text, length);
    if (FAILED(parsed)) return parsed;

    // Every present member must have its type; the picture modes are read by
    // the seven-colour objects.
    if (const Value* v = quon::json::Present(document, "Version")) quon::json::CopyText(*v, m_header.Version);
    if (const Value* v = quon::json::Present(document, "pjtype_0")) m_header.pjtype_0 = v->GetInt();
    if (const Value* v = quon::json::Present(document, "pjtype_1")) m_header.pjtype_1 = v->GetInt();
    if (const Value* v = quon::json::Present(document, "pmodeNum")) m_header.pmodeNum = v->GetInt();
    return S_OK;
}

HRESULT CQuonColorCompDiffSpec::SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) {
    // Every picture mode needs its seven-colour object.
    const UINT32 modes = static_cast<UINT32>(m_header.pmodeNum);
    if (modes > m_modes.Count()) return E_FAIL;

    quon::json::Builder doc;
    Value& root = doc.Root();
    doc.AddText(root, "Version", m_header.Version);
    doc.AddUint(root, "pjtype_0", static_cast<UINT32>(m_header.pjtype_0));
    doc.AddUint(root, "pjtype_1", static_cast<UINT32>(m_header.pjtype_1));
    doc.AddUint(root, "pmodeNum", modes);
    const char* const keys[2] = {"Spectrum_0", "Spectrum_1"};
    for (UINT32 i = 0; i < modes; ++i) {
        IQuonColorDiff7colors* diff = m_modes.At(i);
        ColorDiff7colorsInfo info{};
        diff->GetData(&info);
        Value& mode = doc.AddObject(root, "pmode_" + std::to_string(i));
        quon::colorcomp::AddDiffValues(doc, mode, info);
        // Always 401 points per side; a point the object cannot supply is written as zeros.
        for (const char* key : keys) {
            Value& points = doc.AddArray(mode, key);
            points.Reserve(ColorSpectrumPointCount, doc.Alloc());
            for (UINT32 k = 0; k < ColorSpectrumPointCount; ++k) {
                ColorSpectrumPoint point{};
                diff->GetSpectrumPoint(key, k, &point);
                doc.PushDoubles(points, point.values, 4);
            }
        }
    }
    return quon::json::WriteOut(doc, buffer, capacity, written);
}

HRESULT CQuonColorCompDiffSpec::FreeData() {
    m_modes.Discard();
    return S_OK;
}

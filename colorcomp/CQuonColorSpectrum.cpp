#include "colorcomp/CQuonColorSpectrum.h"

#include "colorcomp/color_modes.h"
#include "frame/diagnostics.h"
#include "frame/sizes.h"

using quon::json::Value;

namespace {

// Reading order of the "LD_BW" and "typDWL" members.
const char* const kBandwidthKeys[6] = {"Rhigh", "Rlow", "Ghigh", "Glow", "Bhigh", "Blow"};
const char* const kWavelengthKeys[3] = {"R", "G", "B"};

}  // namespace

HRESULT CQuonColorSpectrum::Initialize() {
    m_count = 0;
    return S_OK;
}

HRESULT CQuonColorSpectrum::SetData(const ColorSpectrumInfo* info) {
    if (info == nullptr) return E_POINTER;
    m_info = *info;
    std::vector<ColorSpectrumPoint>(ColorSpectrumPointCount, ColorSpectrumPoint{}).swap(m_points);
    return S_OK;
}

HRESULT CQuonColorSpectrum::GetData(ColorSpectrumInfo* info) {
    if (info == nullptr) return E_POINTER;
    *info = m_info;
    return S_OK;
}

HRESULT CQuonColorSpectrum::AddPoint(const ColorSpectrumPoint* point) {
    if (point == nullptr) return E_POINTER;
    if (m_count < 0 || m_count >= static_cast<INT32>(ColorSpectrumPointCount)) return ColorSpectrumOutOfRange;
    // Without a table, or with a loaded table too short for the next point,
    // the table is first brought to the full 401 points (kept points stay).
    if (static_cast<std::size_t>(m_count) >= m_points.size()) m_points.resize(ColorSpectrumPointCount, ColorSpectrumPoint{});
    m_points[static_cast<std::size_t>(m_count)] = *point;
    ++m_count;
    return S_OK;
}

HRESULT CQuonColorSpectrum::GetPointCount(UINT32* count) {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<UINT32>(m_count);
    return S_OK;
}

HRESULT CQuonColorSpectrum::GetPoint(UINT32 index, ColorSpectrumPoint* point) {
    if (point == nullptr) return E_POINTER;
    if (index >= m_points.size()) return ColorSpectrumOutOfRange;
    *point = m_points[index];
    return S_OK;
}

HRESULT CQuonColorSpectrum::LoadFromBuffer(const char* name, const char* text, UINT32 length) {
    if (name == nullptr) return E_POINTER;
    quon::json::Document document;
    const HRESULT parsed = quon::json::Parse(document, text, length);
    if (FAILED(parsed)) return parsed;

    const Value* mode = quon::json::Present(document, name);
    if (mode == nullptr) return S_OK;
    const Value& m = *mode;

    const Value* member = quon::json::Present(m, "pmodeID");
    if (member != nullptr && member->IsString()) quon::json::CopyText(*member, m_info.pmodeID);
    if ((member = quon::json::Present(m, "xyRate")) != nullptr && member->IsNumber()) m_info.xyRate = member->GetDouble();
    if ((member = quon::json::Present(m, "YRate")) != nullptr && member->IsNumber()) m_info.YRate = member->GetDouble();
    if ((member = quon::json::Present(m, "LightOutput")) != nullptr && member->IsNumber()) {
        m_info.LightOutput = member->GetDouble();
    }

    const Value* bandwidth = quon::json::Present(m, "LD_BW");
    if (bandwidth != nullptr && bandwidth->IsObject()) {
        INT64* fields[6] = {&m_info.Rhigh, &m_info.Rlow, &m_info.Ghigh, &m_info.Glow, &m_info.Bhigh, &m_info.Blow};
        for (int i = 0; i < 6; ++i) {
            const Value* v = quon::json::Existing(*bandwidth, kBandwidthKeys[i]);
            if (v != nullptr && v->IsInt()) *fields[i] = v->GetInt();
        }
    }

    // Wavelengths count only when written as JSON doubles (with a fraction
    // or an exponent); a plain integer is skipped.
    const Value* wavelength = quon::json::Present(m, "typDWL");
    if (wavelength != nullptr && wavelength->IsObject()) {
        double* fields[3] = {&m_info.typDWL_R, &m_info.typDWL_G, &m_info.typDWL_B};
        for (int i = 0; i < 3; ++i) {
            const Value* v = quon::json::Existing(*wavelength, kWavelengthKeys[i]);
            if (v != nullptr && v->IsDouble()) *fields[i] = v->GetDouble();
        }
    }

    // The member must exist (a missing one throws "false").
    const Value& spectrum = quon::json::Member(m, "Spectrum");
    if (!spectrum.IsArray()) {
        quon::Report(quon::json::PlaceOf(spectrum), "member Spectrum is not an array: the points are kept");
        return S_OK;
    }
    const bool listening = quon::Listener() != nullptr;
    const rapidjson::SizeType n = spectrum.Size();
    quon::ZeroedArray<ColorSpectrumPoint>(n).swap(m_points);
    HRESULT result = S_OK;
    for (rapidjson::SizeType k = 0; k < n; ++k) {
        const Value& element = spectrum[k];
        if (listening) [[unlikely]] quon::json::NotePlace(element);
        if (element.Size() <= 3) {  // not an array throws "IsArray()"
            quon::Report(quon::json::PlaceOf(element), "Spectrum[", k, "] has ", element.Size(),
                         " values, 4 are needed: the point reads as 0");
            result = ColorSpectrumOutOfRange;
            continue;
        }
        for (rapidjson::SizeType j = 0; j < 4; ++j) m_points[k].values[j] = element[j].GetDouble();
    }
    m_count = static_cast<INT32>(n);
    return result;
}

HRESULT CQuonColorSpectrum::SaveToBuffer(const char* name, char* buffer, INT32 capacity, UINT32* written) {
    if (name == nullptr) return E_POINTER;
    // Every point below the count must be in the table (after FreeData it is not).
    if (static_cast<std::size_t>(m_count) > m_points.size()) return E_FAIL;

    quon::json::Builder doc;
    Value& mode = doc.AddObject(doc.Root(), std::string(name));
    quon::colorcomp::AddSpectrumValues(doc, mode, m_info, true);
    Value& spectrum = doc.AddArray(mode, "Spectrum");
    for (INT32 k = 0; k < m_count; ++k) doc.PushDoubles(spectrum, m_points[static_cast<std::size_t>(k)].values, 4);
    return quon::json::WriteOut(doc, buffer, capacity, written);
}

HRESULT CQuonColorSpectrum::FreeData() {
    std::vector<ColorSpectrumPoint>().swap(m_points);
    return S_OK;
}

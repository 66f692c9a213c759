#include "colorcomp/CQuonColorDiff7colors.h"

#include <cstring>
#include <string>

#include "colorcomp/color_modes.h"
#include "frame/diagnostics.h"
#include "frame/sizes.h"

using quon::json::Value;

namespace {

// Reads the seven colour triples of one colour block; colours that are not
// arrays are skipped, a short array throws "index < data_.a.size".
void ReadColourBlock(const Value& mode, const char* key, double (&block)[ColorDiffTripleCount][3]) {
    const Value* colours = quon::json::Present(mode, key);
    if (colours == nullptr || !colours->IsObject()) return;
    for (int c = 0; c < 7; ++c) {
        const Value* triple = quon::json::Existing(*colours, quon::colorcomp::kSevenColourNames[c]);
        if (triple == nullptr || !triple->IsArray()) continue;
        for (rapidjson::SizeType j = 0; j < 3; ++j) block[c][j] = (*triple)[j].GetDouble();
    }
}

void ReadFlag(const Value& mode, const char* key, INT32& flag) {
    if (const Value* member = quon::json::Present(mode, key)) flag = member->GetInt() != 0 ? 1 : 0;
}

// Reads the spectrum member key of mode into a fresh table of as many points
// as its array has; entries 0 to 3 of each element fill a point. A
// non-number or a fifth entry ends the reading with E_FAIL (points read so
// far stay). A member that is not an array leaves the table as it was.
HRESULT ReadSpectrum(const Value& mode, const char* key, std::vector<ColorSpectrumPoint>& table, INT32& count) {
    const Value& points = quon::json::Member(mode, key);  // must exist: a missing member throws "false"
    if (!points.IsArray()) {
        quon::Report(quon::json::PlaceOf(points), "member ", key, " is not an array: the spectrum is kept");
        return S_OK;
    }
    const bool listening = quon::Listener() != nullptr;
    const rapidjson::SizeType n = points.Size();
    quon::ZeroedArray<ColorSpectrumPoint>(n).swap(table);
    count = static_cast<INT32>(n);
    for (rapidjson::SizeType k = 0; k < n; ++k) {
        const Value& point = points[k];
        if (listening) [[unlikely]] quon::json::NotePlace(point);
        const rapidjson::SizeType entries = point.Size();  // not an array throws "IsArray()"
        for (rapidjson::SizeType j = 0; j < entries; ++j) {
            if (j >= 4 || !point[j].IsNumber()) {
                quon::Report(quon::json::PlaceOf(point), key, "[", k, "]: entry ", j,
                             j >= 4 ? " is one too many" : " is not a number", ": the reading ends with E_FAIL");
                return E_FAIL;
            }
            table[k].values[j] = point[j].GetDouble();
        }
    }
    return S_OK;
}

}  // namespace

CQuonColorDiff7colors::Spectrum* CQuonColorDiff7colors::Select(const char* name) {
    if (std::strcmp(name, "Spectrum_0") == 0) return &m_spectra[0];
    if (std::strcmp(name, "Spectrum_1") == 0) return &m_spectra[1];
    return nullptr;
}

HRESULT CQuonColorDiff7colors::Initialize() {
    m_spectra[0].count = 0;
    m_spectra[1].count = 0;
    return S_OK;
}

HRESULT CQuonColorDiff7colors::SetData(const ColorDiff7colorsInfo* info) {
    if (info == nullptr) return E_POINTER;
    m_info = *info;
    return S_OK;
}

HRESULT CQuonColorDiff7colors::GetData(ColorDiff7colorsInfo* info) {
    if (info == nullptr) return E_POINTER;
    *info = m_info;
    return S_OK;
}

HRESULT CQuonColorDiff7colors::AddSpectrumPoint(const char* name, const ColorSpectrumPoint* point) {
    if (name == nullptr || point == nullptr) return E_POINTER;
    Spectrum* side = Select(name);
    if (side == nullptr) return E_FAIL;
    if (side->count < 0 || side->count >= static_cast<INT32>(ColorDiffSpectrumCapacity)) return S_OK;
    // Without a table, or with a loaded table too short for the next point,
    // the table is first brought to its full room of 402 points.
    if (static_cast<std::size_t>(side->count) >= side->points.size()) {
        side->points.resize(ColorDiffSpectrumCapacity, ColorSpectrumPoint{});
    }
    side->points[static_cast<std::size_t>(side->count)] = *point;
    ++side->count;
    return S_OK;
}

HRESULT CQuonColorDiff7colors::GetSpectrumPointCount(const char* name, UINT32* count) {
    if (name == nullptr || count == nullptr) return E_POINTER;
    Spectrum* side = Select(name);
    if (side == nullptr) return E_FAIL;
    if (side->count <= static_cast<INT32>(ColorSpectrumPointCount)) *count = static_cast<UINT32>(side->count);
    return S_OK;
}

HRESULT CQuonColorDiff7colors::GetSpectrumPoint(const char* name, UINT32 index, ColorSpectrumPoint* point) {
    if (name == nullptr || point == nullptr) return E_POINTER;
    Spectrum* side = Select(name);
    if (side == nullptr) return E_FAIL;
    if (index >= ColorDiffSpectrumCapacity) return S_OK;
    if (index >= side->points.size()) return E_INVALIDARG;
    *point = side->points[index];
    return S_OK;
}

HRESULT CQuonColorDiff7colors::LoadFromBuffer(const char* name, const char* text, UINT32 length) {
    if (name == nullptr) return E_POINTER;
    quon::json::Document document;
    const HRESULT parsed = quon::json::Parse(document, text, length);
    if (FAILED(parsed)) return parsed;

    const Value* found = quon::json::Present(document, name);
    if (found == nullptr) return S_OK;
    const Value& mode = *found;

    if (const Value* v = quon::json::Present(mode, "pmodeID_0")) quon::json::CopyText(*v, m_info.pmodeID_0);
    if (const Value* v = quon::json::Present(mode, "pmodeID_1")) quon::json::CopyText(*v, m_info.pmodeID_1);
    if (const Value* v = quon::json::Present(mode, "LightOutput_0")) m_info.LightOutput_0 = v->GetDouble();
    if (const Value* v = quon::json::Present(mode, "LightOutput_1")) m_info.LightOutput_1 = v->GetDouble();
    const Value* rate = quon::json::Present(mode, "xyRate");
    if (rate != nullptr && rate->IsObject()) {
        if (const Value* b = quon::json::Existing(*rate, "B")) m_info.xyRate = b->GetDouble();
    }
    ReadColourBlock(mode, "diff7colors_0", m_info.diff7colors_0);
    ReadColourBlock(mode, "diff7colors_1", m_info.diff7colors_1);
    ReadFlag(mode, "IsSpectrum_0", m_info.IsSpectrum_0);
    ReadFlag(mode, "IsSpectrum_1", m_info.IsSpectrum_1);

    if (m_info.IsSpectrum_0 == 1) {
        const HRESULT hr = ReadSpectrum(mode, "Spectrum_0", m_spectra[0].points, m_spectra[0].count);
        if (FAILED(hr)) return hr;
    }
    if (m_info.IsSpectrum_1 == 1) {
        const HRESULT hr = ReadSpectrum(mode, "Spectrum_1", m_spectra[1].points, m_spectra[1].count);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT CQuonColorDiff7colors::SaveToBuffer(const char* name, char* buffer, INT32 capacity, UINT32* written) {
    if (name == nullptr) return E_POINTER;
    for (const Spectrum& side : m_spectra) {
        if (static_cast<std::size_t>(side.count) > side.points.size()) return E_FAIL;
    }

    quon::json::Builder doc;
    Value& mode = doc.AddObject(doc.Root(), std::string(name));
    quon::colorcomp::AddDiffValues(doc, mode, m_info);
    // Both spectra are written whatever the flags say; the flags are not written.
    const char* const keys[2] = {"Spectrum_0", "Spectrum_1"};
    for (int s = 0; s < 2; ++s) {
        Value& points = doc.AddArray(mode, keys[s]);
        for (INT32 k = 0; k < m_spectra[s].count; ++k) {
            doc.PushDoubles(points, m_spectra[s].points[static_cast<std::size_t>(k)].values, 4);
        }
    }
    return quon::json::WriteOut(doc, buffer, capacity, written);
}

HRESULT CQuonColorDiff7colors::FreeData() {
    for (Spectrum& side : m_spectra) {
        std::vector<ColorSpectrumPoint>().swap(side.points);
        side.count = 0;
    }
    return S_OK;
}

#include "calib/CQuonCAInitInfo.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "frame/bounded_table.h"
#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/label.h"
#include "frame/sizes.h"
#include "frame/text.h"

using quon::ValueLines;

namespace {

// The text lists the reference colours white first; a ColourSet keeps white
// last. Triple k of the text is triple (k + 6) % 7 of the set.
constexpr std::size_t SetTripleOfTextColour(std::size_t k) { return (k + 6) % 7; }

// Colour components are bytes 0, 1 and 2 of the 32-bit value in memory.
void ColourBytes(UINT32 colour, BYTE bytes[4]) { std::memcpy(bytes, &colour, 4); }

}  // namespace

HRESULT CQuonCAInitInfo::Initialize(UINT32 id1, UINT32 id2, const char* name) {
    if (name == nullptr) return E_POINTER;
    m_id1 = id1;
    m_id2 = id2;
    m_name = name;
    m_tuning = quon::calib::CalibTuning{10, 1.5, 1.0, 0, 0.9, 0.1, 250};
    m_tuning8 = m_tuning9 = m_tuning10 = 255;
    static const ColourTriple kDefaults[7] = {{2048, 2048, 2048}, {2048, 0, 0},    {0, 2048, 0},   {0, 0, 2048},
                                              {0, 2048, 2048},    {2048, 0, 2048}, {2048, 2048, 0}};
    std::memcpy(m_defaultColours, kDefaults, sizeof kDefaults);
    return S_OK;
}

HRESULT CQuonCAInitInfo::GetIdentity(UINT32* id1, UINT32* id2, char** name) {
    if (id1 != nullptr) *id1 = m_id1;
    if (id2 != nullptr) *id2 = m_id2;
    if (name != nullptr && *name != nullptr) quon::CopyName(m_name, *name);
    return S_OK;
}

HRESULT CQuonCAInitInfo::SetPatternGrid(INT32 rows, INT32 columns, UINT32 patternCode) {
    return m_band.SetPatternGrid(rows, columns, patternCode);
}

HRESULT CQuonCAInitInfo::GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* patternCode) {
    return m_band.GetPatternGrid(rows, columns, patternCode);
}

HRESULT CQuonCAInitInfo::SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode) {
    return m_band.SetCameraGrid(rows, columns, mode);
}

HRESULT CQuonCAInitInfo::GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) {
    return m_band.GetCameraGrid(rows, columns, mode);
}

HRESULT CQuonCAInitInfo::SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region) {
    return m_band.SetCameraRegion(row, column, region);
}

HRESULT CQuonCAInitInfo::GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) {
    return m_band.GetCameraRegion(row, column, region);
}

template <class T>
HRESULT CQuonCAInitInfo::EnsureTables(CameraTables<T>& tables) const {
    if (!tables.empty()) return S_OK;
    const INT32 cameras = m_band.cameraCount;
    const INT32 points = m_band.patternPointCount;
    if (cameras < 0 || points < 0) return E_INVALIDARG;
    if (!quon::TableFits(static_cast<int64_t>(cameras) * points, sizeof(PointRecord) + sizeof(UINT32)) ||
        !quon::TableFits(cameras, sizeof(quon::PagedTable<T>))) {
        return E_INVALIDARG;
    }
    // No table is made when there is no camera, however many points the
    // pattern has.
    tables.reserve(static_cast<std::size_t>(cameras));
    for (INT32 c = 0; c < cameras; ++c) tables.emplace_back(static_cast<std::size_t>(points));
    return S_OK;
}

template <class T>
int64_t CQuonCAInitInfo::EntryIndex(const CameraTables<T>& tables, INT32 camera, UINT32 row, UINT32 column) const {
    if (camera < 0 || static_cast<std::size_t>(camera) >= tables.size()) return -1;
    const int64_t index = static_cast<int64_t>(row) * m_band.patternColumns + column;
    return index < static_cast<int64_t>(tables[static_cast<std::size_t>(camera)].size()) ? index : -1;
}

// A point or colour slot's store: the tables are made at the first store.
template <class T>
HRESULT CQuonCAInitInfo::Store(CameraTables<T>& tables, INT32 camera, UINT32 row, UINT32 column, const T* value) {
    if (value == nullptr) return E_POINTER;
    const HRESULT hr = EnsureTables(tables);
    if (FAILED(hr)) return hr;
    const int64_t index = EntryIndex(tables, camera, row, column);
    const HRESULT checked = quon::CheckEntry(true, index, SIZE_MAX, value);  // index is -1 or inside
    if (SUCCEEDED(checked)) tables[static_cast<std::size_t>(camera)].At(static_cast<std::size_t>(index)) = *value;
    return checked;
}

template <class T>
HRESULT CQuonCAInitInfo::Load(const CameraTables<T>& tables, INT32 camera, UINT32 row, UINT32 column, T* value) const {
    const int64_t index = EntryIndex(tables, camera, row, column);
    const HRESULT hr = quon::CheckEntry(!tables.empty(), index, SIZE_MAX, value);
    if (SUCCEEDED(hr)) *value = tables[static_cast<std::size_t>(camera)].Get(static_cast<std::size_t>(index));
    return hr;
}

HRESULT CQuonCAInitInfo::SetPointRecord(INT32 camera, UINT32 row, UINT32 column, const PointRecord* record) {
    return Store(m_points, camera, row, column, record);
}

HRESULT CQuonCAInitInfo::GetPointRecord(INT32 camera, UINT32 row, UINT32 column, PointRecord* record) {
    return Load(m_points, camera, row, column, record);
}

HRESULT CQuonCAInitInfo::SetPointColour(INT32 camera, UINT32 row, UINT32 column, const UINT32* colour) {
    return Store(m_colours, camera, row, column, colour);
}

HRESULT CQuonCAInitInfo::GetPointColour(INT32 camera, UINT32 row, UINT32 column, UINT32* colour) {
    return Load(m_colours, camera, row, column, colour);
}

HRESULT CQuonCAInitInfo::SetRealPair(double value1, double value2) {
    m_realValue1 = value1;
    m_realValue2 = value2;
    return S_OK;
}

HRESULT CQuonCAInitInfo::GetRealPair(double* value1, double* value2) {
    if (value1 != nullptr) *value1 = m_realValue1;
    if (value2 != nullptr) *value2 = m_realValue2;
    return S_OK;
}

HRESULT CQuonCAInitInfo::SetAuxValue1(UINT32 value) {
    m_auxValue1 = value;
    return S_OK;
}

HRESULT CQuonCAInitInfo::GetAuxValue1(UINT32* value) {
    if (value != nullptr) *value = m_auxValue1;
    return S_OK;
}

HRESULT CQuonCAInitInfo::SetUseCustomColours(UINT32 value) {
    m_useCustomColours = value;
    return S_OK;
}

HRESULT CQuonCAInitInfo::GetUseCustomColours(UINT32* value) {
    if (value != nullptr) *value = m_useCustomColours;
    return S_OK;
}

HRESULT CQuonCAInitInfo::SetAuxValue2(UINT32 value) {
    m_auxValue2 = value;
    return S_OK;
}

HRESULT CQuonCAInitInfo::GetAuxValue2(UINT32* value) {
    if (value != nullptr) *value = m_auxValue2;
    return S_OK;
}

HRESULT CQuonCAInitInfo::SetCustomColours(const ColourSet* set) {
    if (set == nullptr) return E_POINTER;
    m_customColours = *set;
    return S_OK;
}

HRESULT CQuonCAInitInfo::GetCustomColours(ColourSet* set) {
    if (set == nullptr) return E_POINTER;
    *set = m_customColours;
    return S_OK;
}

// Eight lines per present point (value3 > 0.0), cameras in index order:
// the point number, the four values truncated to integers and the three
// colour components with one decimal (0.0 when no colours were stored).
void CQuonCAInitInfo::WritePointBlocks(quon::TextBuffer& out) const {
    const std::size_t cameras = std::min(m_points.size(), static_cast<std::size_t>(m_band.cameraCount));
    const std::size_t count = static_cast<std::size_t>(std::max(m_band.patternPointCount, 0));
    for (std::size_t camera = 0; camera < cameras; ++camera) {
        const quon::PagedTable<UINT32>* colours = camera < m_colours.size() ? &m_colours[camera] : nullptr;
        // Only written pages can hold a present point.
        m_points[camera].ForEachWritten([&](std::size_t i, const PointRecord& p) {
            if (i >= count || !(p.value3 > 0.0)) return;
            BYTE c[4] = {0, 0, 0, 0};
            if (colours != nullptr && i < colours->size()) ColourBytes(colours->Get(i), c);
            quon::Append<"%d\n%d\n%d\n%d\n%d\n%.1f\n%.1f\n%.1f\n">(
                out, static_cast<INT32>(i + 1), quon::TruncateToInt32(p.value1), quon::TruncateToInt32(p.value2),
                quon::TruncateToInt32(p.value3), quon::TruncateToInt32(p.value4), static_cast<double>(c[0]),
                static_cast<double>(c[1]), static_cast<double>(c[2]));
        });
    }
}

// For each camera, ranges[i].pointCount blocks. A block whose point number
// lies outside 1 ... patternPointCount is read and dropped.
void CQuonCAInitInfo::ReadPointBlocks(ValueLines& lines) {
    for (std::size_t camera = 0; camera < m_band.ranges.size(); ++camera) {
        const INT32 blocks = m_band.ranges[camera].pointCount;
        for (INT32 b = 0; b < blocks; ++b) {
            const char* at = lines.Position();
            const INT32 n = lines.Int();
            PointRecord dropped{};
            UINT32 droppedColour = 0;
            PointRecord* point = &dropped;
            UINT32* colour = &droppedColour;
            if (n >= 1 && camera < m_points.size() && static_cast<std::size_t>(n) <= m_points[camera].size()) {
                point = &m_points[camera].At(static_cast<std::size_t>(n) - 1);
                colour = &m_colours[camera].At(static_cast<std::size_t>(n) - 1);
            } else {
                quon::Report(at, "camera ", camera, " has no point ", n, ": its block is read and dropped");
            }
            point->value1 = lines.Float();
            point->value2 = lines.Float();
            point->value3 = lines.Float();
            point->value4 = lines.Float();
            // Components are stored truncated to 8 bits; byte 3 stays 0.
            BYTE* bytes = reinterpret_cast<BYTE*>(colour);
            for (int k = 0; k < 3; ++k) bytes[k] = static_cast<BYTE>(lines.Int());
        }
    }
}

HRESULT CQuonCAInitInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    ValueLines lines(text, length);
    m_band.ReadHeader(lines, m_tuning, m_id1);
    HRESULT hr = m_band.ReadRanges(lines);
    if (FAILED(hr)) return hr;

    CameraTables<PointRecord>().swap(m_points);
    CameraTables<UINT32>().swap(m_colours);
    hr = EnsureTables(m_points);
    if (FAILED(hr)) return hr;
    hr = EnsureTables(m_colours);
    if (FAILED(hr)) return hr;
    ReadPointBlocks(lines);

    m_id2 = static_cast<UINT32>(lines.Long());
    m_useCustomColours = static_cast<UINT32>(lines.Int());
    // The colour lines always fill the custom set, whatever the flag says.
    for (std::size_t k = 0; k < 7; ++k) {
        ColourTriple& triple = m_customColours.triples[SetTripleOfTextColour(k)];
        triple.red = lines.Int();
        triple.green = lines.Int();
        triple.blue = lines.Int();
    }
    m_tuning8 = lines.Int();
    m_tuning9 = lines.Int();
    m_tuning10 = lines.Int();
    m_realValue1 = lines.Double();
    m_auxValue2 = static_cast<UINT32>(lines.Int());
    m_realValue2 = lines.Double();
    if (quon::Listener() != nullptr) quon::ReportTextAfter(lines.Rest(), "the last value");
    return S_OK;
}

HRESULT CQuonCAInitInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (length == nullptr) return E_POINTER;
    // After FreeData the counts stay but the ranges are gone: no text.
    if (!m_band.TablesReady()) return E_FAIL;

    quon::TextBuffer out;
    m_band.WriteHeader(out, m_tuning, m_id1);
    m_band.WriteRanges(out);
    WritePointBlocks(out);
    quon::Append<"%d\n">(out, static_cast<INT32>(m_id2));
    quon::Append<"%d\n">(out, static_cast<INT32>(m_useCustomColours));
    for (std::size_t k = 0; k < 7; ++k) {
        const ColourTriple& triple =
            m_useCustomColours != 0 ? m_customColours.triples[SetTripleOfTextColour(k)] : m_defaultColours[k];
        quon::Append<"%d\n%d\n%d\n">(out, triple.red, triple.green, triple.blue);
    }
    quon::Append<"%d\n%d\n%d\n">(out, m_tuning8, m_tuning9, m_tuning10);
    quon::Append<"%.01f\n">(out, m_realValue1);
    quon::Append<"%d\n">(out, static_cast<INT32>(m_auxValue2));
    out.Append(m_realValue2 == 0.45 ? "0.45\n" : "1.0\n");

    // The length is reported even when the text does not fit.
    return quon::CopyOutReportingLength(out.View(), buffer, capacity, length);
}

HRESULT CQuonCAInitInfo::FreeData() {
    m_band.FreeTables();
    CameraTables<PointRecord>().swap(m_points);
    CameraTables<UINT32>().swap(m_colours);
    return S_OK;
}

#include "calib/CQuonBlkInitInfo.h"

#include <algorithm>
#include <cstring>

#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/label.h"
#include "frame/sizes.h"
#include "frame/text.h"

HRESULT CQuonBlkInitInfo::Initialize(UINT32 id, const char* name) {
    if (name == nullptr) return E_POINTER;
    m_id = id;
    m_name = name;
    m_tuning = quon::calib::CalibTuning{10, 1.5, 1.0, 0, 0.9, 1.0, 250};
    m_tuning8 = 20;
    return S_OK;
}

HRESULT CQuonBlkInitInfo::GetIdentity(UINT32* id, char** name) {
    if (id == nullptr || name == nullptr || *name == nullptr) return E_POINTER;
    *id = m_id;
    quon::CopyName(m_name, *name);
    return S_OK;
}

HRESULT CQuonBlkInitInfo::SetPatternGrid(INT32 rows, INT32 columns, UINT32 patternCode) {
    if (rows < 0 || columns < 0) return E_INVALIDARG;
    const int64_t count = static_cast<int64_t>(rows) * columns;
    if (!quon::TableFits(count, sizeof(PointLevelRecord))) return E_INVALIDARG;
    const HRESULT hr = m_band.SetPatternGrid(rows, columns, patternCode);
    if (FAILED(hr)) return hr;
    m_pointRecords.assign(static_cast<std::size_t>(count), PointLevelRecord{});
    return S_OK;
}

HRESULT CQuonBlkInitInfo::GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* patternCode) {
    return m_band.GetPatternGrid(rows, columns, patternCode);
}

PointLevelRecord* CQuonBlkInitInfo::Record(UINT32 row, UINT32 column) {
    const int64_t index = static_cast<int64_t>(row) * m_band.patternColumns + column;
    if (index < 0 || index >= static_cast<int64_t>(m_pointRecords.size())) return nullptr;
    return &m_pointRecords[static_cast<std::size_t>(index)];
}

HRESULT CQuonBlkInitInfo::SetPointRecord(UINT32 row, UINT32 column, const PointLevelRecord* record) {
    if (record == nullptr) return E_POINTER;
    if (m_pointRecords.empty()) return E_FAIL;
    PointLevelRecord* entry = Record(row, column);
    if (entry == nullptr) return E_INVALIDARG;
    *entry = *record;
    return S_OK;
}

HRESULT CQuonBlkInitInfo::GetPointRecord(UINT32 row, UINT32 column, PointLevelRecord* record) {
    if (record == nullptr) return E_POINTER;
    if (m_pointRecords.empty()) return E_FAIL;
    const PointLevelRecord* entry = Record(row, column);
    if (entry == nullptr) return E_INVALIDARG;
    *record = *entry;
    return S_OK;
}

HRESULT CQuonBlkInitInfo::SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode) {
    return m_band.SetCameraGrid(rows, columns, mode);
}

HRESULT CQuonBlkInitInfo::GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) {
    return m_band.GetCameraGrid(rows, columns, mode);
}

HRESULT CQuonBlkInitInfo::SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region) {
    return m_band.SetCameraRegion(row, column, region);
}

HRESULT CQuonBlkInitInfo::GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) {
    return m_band.GetCameraRegion(row, column, region);
}

HRESULT CQuonBlkInitInfo::SetRealValue(double value) {
    m_realValue = value;
    return S_OK;
}

HRESULT CQuonBlkInitInfo::GetRealValue(double* value) {
    if (value == nullptr) return E_POINTER;
    *value = m_realValue;
    return S_OK;
}

HRESULT CQuonBlkInitInfo::SetTuning8(UINT32 value) {
    m_tuning8 = value;
    return S_OK;
}

HRESULT CQuonBlkInitInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    quon::ValueLines lines(text, length);
    m_band.ReadHeader(lines, m_tuning, m_id);
    const HRESULT hr = m_band.ReadRanges(lines);
    if (FAILED(hr)) return hr;
    m_tuning8 = static_cast<UINT32>(lines.Int());

    // The levels go into the records made by SetPatternGrid; a text with
    // more points than the object holds records is refused here.
    const INT32 count = m_band.patternPointCount;
    if (count > 0 && static_cast<std::size_t>(count) > m_pointRecords.size()) {
        quon::Report(lines.Rest().data(), "the text has ", count, " points but the object holds records for ",
                     m_pointRecords.size(), ": refused");
        return E_FAIL;
    }
    for (INT32 i = 0; i < count; ++i) m_pointRecords[static_cast<std::size_t>(i)].levelA = lines.Int();
    for (INT32 i = 0; i < count; ++i) m_pointRecords[static_cast<std::size_t>(i)].levelB = lines.Int();
    m_realValue = lines.Double();
    if (quon::Listener() != nullptr) quon::ReportTextAfter(lines.Rest(), "the last value");
    return S_OK;
}

HRESULT CQuonBlkInitInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr || length == nullptr) return E_POINTER;
    // After FreeData the counts stay but the tables are gone: no text.
    const std::size_t count = static_cast<std::size_t>(std::max(m_band.patternPointCount, 0));
    if (!m_band.TablesReady() || count > m_pointRecords.size()) return E_FAIL;

    quon::TextBuffer out;
    m_band.WriteHeader(out, m_tuning, m_id);
    m_band.WriteRanges(out);
    quon::Append<"%d\n">(out, static_cast<INT32>(m_tuning8));
    for (std::size_t i = 0; i < count; ++i) quon::Append<"%d\n">(out, m_pointRecords[i].levelA);
    for (std::size_t i = 0; i < count; ++i) quon::Append<"%d\n">(out, m_pointRecords[i].levelB);
    quon::Append<"%.2f\n">(out, m_realValue);
    return quon::CopyOut(out.View(), buffer, capacity, length);
}

HRESULT CQuonBlkInitInfo::FreeData() {
    std::vector<PointLevelRecord>().swap(m_pointRecords);
    m_band.FreeTables();
    return S_OK;
}

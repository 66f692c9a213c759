#include "calib/CQuonCalibPointTable.h"

#include <string_view>

#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/sizes.h"
#include "frame/text.h"

HRESULT CQuonCalibPointTable::SetIdentity(UINT32 id1, UINT32 id2, const char* name) {
    return m_label.Set(id1, id2, name);
}

HRESULT CQuonCalibPointTable::GetIdentity(UINT32* id1, UINT32* id2, char* name) {
    return m_label.CopyOut(id1, id2, name);
}

HRESULT CQuonCalibPointTable::SetPointCount(INT32 count) {
    if (!quon::TableFits(count, sizeof(CalibPoint))) return E_INVALIDARG;
    m_points.assign(static_cast<std::size_t>(count), CalibPoint{});
    m_pointCount = count;
    m_allocated = true;
    return S_OK;
}

HRESULT CQuonCalibPointTable::GetPointCount(UINT32* count) {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<UINT32>(m_pointCount);
    return S_OK;
}

HRESULT CQuonCalibPointTable::SetPoint(INT32 index, const CalibPoint* point) {
    if (point == nullptr) return E_POINTER;
    if (!m_allocated) return E_FAIL;
    if (index < 0 || static_cast<std::size_t>(index) >= m_points.size()) return E_INVALIDARG;
    m_points[static_cast<std::size_t>(index)] = *point;
    return S_OK;
}

HRESULT CQuonCalibPointTable::GetPoint(INT32 index, CalibPoint* point) {
    if (point == nullptr) return E_POINTER;
    if (!m_allocated) return E_FAIL;
    if (index < 0 || static_cast<std::size_t>(index) >= m_points.size()) return E_INVALIDARG;
    *point = m_points[static_cast<std::size_t>(index)];
    return S_OK;
}

// One record per line, empty lines included; a line of fewer than nine
// comma-separated pieces leaves its record zero.
HRESULT CQuonCalibPointTable::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    const std::string_view whole = quon::TextView(text, length);
    std::size_t count = 0;
    std::string_view line;
    for (quon::Pieces lines(whole, '\n'); lines.Next(line);) ++count;
    if (count > static_cast<std::size_t>(INT32_MAX)) return E_INVALIDARG;
    HRESULT hr = SetPointCount(static_cast<INT32>(count));
    if (FAILED(hr)) return hr;

    INT32 index = 0;
    for (quon::Pieces lines(whole, '\n'); lines.Next(line); ++index) {
        const quon::Fields<9> pieces(line, ',');
        if (pieces.Count() < 9) {
            if (!line.empty() && line != "\r") {
                quon::Report(line.data(), quon::Quoted(line), " has ", pieces.Count(), " of 9 fields: point ", index,
                             " reads as 0");
            }
            continue;
        }
        const CalibPoint point{quon::Atof(pieces[0]), quon::Atof(pieces[1]), quon::Atof(pieces[2]),
                               quon::Atof(pieces[3]), quon::Atof(pieces[4]), quon::Atof(pieces[5]),
                               quon::Atof(pieces[6]), quon::Atof(pieces[7]), quon::Atol(pieces[8])};
        hr = SetPoint(index, &point);
    }
    return hr;
}

HRESULT CQuonCalibPointTable::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr || length == nullptr) return E_POINTER;
    // After FreeData the count stays but the records are gone: no text.
    if (!m_allocated && m_pointCount > 0) return E_FAIL;

    quon::TextBuffer out;
    for (INT32 i = 0; i < m_pointCount; ++i) {
        CalibPoint p{};
        GetPoint(i, &p);
        // The tag is a 32-bit "%ld" of the Windows runtime, printed here as %d.
        quon::Append<"%.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %d\r\n">(
            out, p.value1, p.value2, p.value3, p.value4, p.value5, p.value6, p.value7, p.value8, p.tag);
    }
    return quon::CopyOut(out.View(), buffer, capacity, length);
}

HRESULT CQuonCalibPointTable::FreeData() {
    std::vector<CalibPoint>().swap(m_points);
    m_allocated = false;
    return S_OK;
}

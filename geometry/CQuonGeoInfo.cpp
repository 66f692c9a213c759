#include "geometry/CQuonGeoInfo.h"

#include <cstring>
#include <string_view>

#include "frame/bounded_table.h"
#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/sizes.h"
#include "frame/text.h"

HRESULT CQuonGeoInfo::AllocatePoints(INT32 rows, INT32 columns, UINT32 mode) {
    const HRESULT hr = m_tables.AllocatePoints(rows, columns, mode);
    if (FAILED(hr)) return hr;
    // The point layout follows from the grid, its mode and the cell extents.
    const auto columnLayout = [&] { return columns == 1 && rows > 1 ? 2 : 1; };
    if (rows == 1 && columns == 1) {
        m_pointLayout = 0;
    } else if (mode == 3) {
        m_pointLayout = 3;
    } else if (mode == 2) {
        m_pointLayout = columnLayout();
    } else if (mode == 1) {
        const UINT32 points = static_cast<UINT32>(rows) * static_cast<UINT32>(columns);
        const UINT32 cells = static_cast<UINT32>(m_tables.SizeA()) * static_cast<UINT32>(m_tables.SizeB());
        m_pointLayout = points == cells ? 3 : columnLayout();
    } else {
        m_pointLayout = 1;
    }
    return S_OK;
}

HRESULT CQuonGeoInfo::SetParams(const GeoInfoParams* params) {
    if (params == nullptr) return E_POINTER;
    m_params = *params;
    m_paramFlag = m_params.mode != 1 ? 1 : 0;
    return S_OK;
}

HRESULT CQuonGeoInfo::GetParams(GeoInfoParams* params) {
    if (params == nullptr) return E_POINTER;
    *params = m_params;
    return S_OK;
}

HRESULT CQuonGeoInfo::AllocateMarkers(INT32 rows, INT32 columns) {
    const int64_t count = quon::Int32Count({rows, columns});
    if (count < 0) return E_INVALIDARG;
    std::vector<GeoMarker> markers = quon::ZeroedArray<GeoMarker>(static_cast<uint64_t>(count));
    m_markers.swap(markers);
    m_markerRows = rows;
    m_markerColumns = columns;
    m_markerCount = static_cast<INT32>(count);
    m_markersHeld = true;
    if (columns == 2 && rows == 2) {
        m_markerLayout = 0;
    } else if (columns == 2 && rows >= 3) {
        m_markerLayout = 2;
    } else if (columns >= 3 && rows == 2) {
        m_markerLayout = 1;
    } else if (columns >= 3 && rows >= 3) {
        m_markerLayout = 4;
    } else {
        m_markerLayout = 0;
    }
    return S_OK;
}

HRESULT CQuonGeoInfo::GetMarkerGrid(UINT32* rows, UINT32* columns) {
    if (rows == nullptr || columns == nullptr) return E_POINTER;
    *rows = static_cast<UINT32>(m_markerRows);
    *columns = static_cast<UINT32>(m_markerColumns);
    return S_OK;
}

long long CQuonGeoInfo::MarkerIndex(UINT32 i, UINT32 j) const {
    // A load may set the count without the grid, so the index is checked
    // against the markers held.
    const long long index = static_cast<long long>(i) * m_markerColumns + j;
    return index >= 0 && index < static_cast<long long>(m_markers.size()) ? index : -1;
}

HRESULT CQuonGeoInfo::SetMarker(UINT32 i, UINT32 j, const double position[2], UINT32 flag) {
    const long long index = MarkerIndex(i, j);
    const HRESULT hr = quon::CheckEntry(m_markersHeld, index, m_markers.size(), position);
    if (FAILED(hr)) return hr;
    m_markers[static_cast<std::size_t>(index)] = GeoMarker{position[0], position[1], flag};
    return S_OK;
}

HRESULT CQuonGeoInfo::GetMarker(UINT32 i, UINT32 j, double position[2], UINT32* flag) {
    const long long index = MarkerIndex(i, j);
    const HRESULT hr = quon::CheckEntry(m_markersHeld, index, m_markers.size(), position, flag);
    if (FAILED(hr)) return hr;
    const GeoMarker& marker = m_markers[static_cast<std::size_t>(index)];
    position[0] = marker.x;
    position[1] = marker.y;
    *flag = marker.flag;
    return S_OK;
}

std::size_t CQuonGeoInfo::MarkerAt(std::size_t n) const {
    const std::size_t count = m_markers.size();
    static const std::size_t kFourCorners[4] = {0, 1, 3, 2};
    if (m_markerLayout == 0 && count == 4) return kFourCorners[n];
    // Two columns listed column by column, when the grid covers the markers
    // exactly; any other case lists them in storage order.
    const std::size_t rows = static_cast<std::size_t>(m_markerRows);
    if (m_markerLayout == 2 && m_markerColumns == 2 && m_markerRows > 0 && rows * 2 == count) {
        return (n % rows) * 2 + n / rows;
    }
    return n;
}

HRESULT CQuonGeoInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    quon::TrimmedLines lines(quon::TextView(text, length));
    if (lines.Empty()) return S_OK;

    // Numbers that do not scan keep the values held so far.
    INT32 a = m_tables.SizeA(), b = m_tables.SizeB(), c = m_tables.SizeC(), points = m_tables.PointCount();
    INT32 pointLayout = m_pointLayout;
    const std::string_view header = lines.NextOrEmpty();
    const int scanned = quon::Scan<"%d,%d,%d,%d,%d">(header, &b, &a, &c, &points, &pointLayout);
    if (scanned < 4) {
        quon::Report(header.data(), "header ", quon::Quoted(header), ": ", scanned < 0 ? 0 : scanned,
                     " of 4 numbers read, the others keep their values");
    }
    HRESULT hr = m_tables.ReadPointsAndCells(lines, a, b, c, points);
    if (FAILED(hr)) {
        quon::Report(header.data(), "header ", quon::Quoted(header), " is refused");
        return hr;
    }
    m_pointLayout = pointLayout;

    // A section whose line is missing keeps what it held.
    std::string_view line;
    if (lines.Next(line)) {
        int sizeX = 0;
        int sizeY = 0;
        const int scanned = quon::Scan<"%d,%d,">(line, &sizeX, &sizeY);
        if (scanned >= 1) m_params.sizeX = sizeX;
        if (scanned >= 2) m_params.sizeY = sizeY;
    }
    if (lines.Next(line)) quon::Scan<"%d,%d,">(line, &m_markerLayout, &m_paramFlag);
    if (!lines.Next(line)) {
        quon::Report(line.data(), "the text ends before the marker count: the markers stay as they were");
        return S_OK;
    }
    INT32 count = m_markerCount, columns = m_markerColumns, rows = m_markerRows;
    if (m_markerLayout == 4) {
        quon::Scan<"%d,%d,%d,">(line, &count, &columns, &rows);
    } else {
        quon::Scan<"%d,">(line, &count);
    }
    if (count < 0 || columns < 0 || rows < 0) {
        quon::Report(line.data(), "marker count line ", quon::Quoted(line), " is refused");
        return E_INVALIDARG;
    }
    std::vector<GeoMarker> markers = quon::ZeroedArray<GeoMarker>(static_cast<uint64_t>(count));
    m_markers.swap(markers);
    m_markerCount = count;
    m_markerColumns = columns;
    m_markerRows = rows;
    m_markersHeld = true;

    // Line n holds the marker that the writer prints n-th, so a written
    // text reads back into the same markers.
    for (std::size_t n = 0; n < m_markers.size(); ++n) {
        if (!lines.Next(line)) {
            quon::Report(line.data(), "the text ends after ", n, " of ", m_markers.size(),
                         " marker lines: the others read as 0");
            break;
        }
        int flag = 0;
        GeoMarker& marker = m_markers[MarkerAt(n)];
        const int read = quon::Scan<"%d,%lf,%lf,">(line, &flag, &marker.x, &marker.y);
        if (read != 3) [[unlikely]] {
            quon::Report(line.data(), "marker line ", quon::Quoted(line), ": ", read < 0 ? 0 : read,
                         " of 3 numbers read, the others read as 0");
        }
        marker.flag = static_cast<UINT32>(flag);
    }
    // The corner lines are not read.
    return S_OK;
}

HRESULT CQuonGeoInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) {
    if (buffer == nullptr || written == nullptr) return E_POINTER;
    if (!m_tables.Printable() || (!m_markersHeld && m_markerCount > 0)) return E_FAIL;
    quon::TextBuffer out;
    if (m_pointLayout != 0) {
        quon::Append<"%d, %d, %d, %d, %d, \n">(out, m_tables.SizeB(), m_tables.SizeA(), m_tables.SizeC(),
                                               m_tables.PointCount(), m_pointLayout);
    } else {
        quon::Append<"%d, %d, %d, %d, \n">(out, m_tables.SizeB(), m_tables.SizeA(), m_tables.SizeC(),
                                           m_tables.PointCount());
    }
    m_tables.AppendPoints(out);
    // A cell of equal levels ends with a comma after its last value.
    m_tables.AppendCells(out, [](quon::TextBuffer& text, const INT32 (&v)[7]) {
        quon::Append<"%d, %d, %d, %d, %d, %d, %d, \n">(text, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    });
    quon::Append<"%d, %d, \n">(out, quon::TruncateToInt32(m_params.sizeX), quon::TruncateToInt32(m_params.sizeY));
    quon::Append<"%d, %d, %d, \n">(out, m_markerLayout, m_paramFlag, m_params.value);
    if (m_markerLayout == 4) {
        quon::Append<"%d, %d, %d, \n">(out, m_markerCount, m_markerColumns, m_markerRows);
    } else {
        quon::Append<"%d, \n">(out, m_markerCount);
    }
    for (std::size_t n = 0; n < m_markers.size(); ++n) {
        const GeoMarker& marker = m_markers[MarkerAt(n)];
        quon::Append<"%d, %.1f, %.1f, \n">(out, static_cast<INT32>(marker.flag), marker.x, marker.y);
    }
    if (m_params.cornersPresent == 1) {
        quon::Append<"%d, \n">(out, 4);
        for (const auto& corner : m_params.corners) quon::Append<"%.4f, %.4f, \n">(out, corner[0], corner[1]);
    }
    return quon::CopyOut(out.View(), buffer, capacity, written);
}

HRESULT CQuonGeoInfo::FreeData() {
    m_tables.FreeData();
    std::vector<GeoMarker>().swap(m_markers);
    m_markersHeld = false;
    return S_OK;
}

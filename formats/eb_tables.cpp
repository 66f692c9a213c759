#include "formats/eb_tables.h"

#include <algorithm>
#include <cstring>

#include "frame/bounded_table.h"
#include "frame/diagnostics.h"
#include "frame/label.h"
#include "frame/sizes.h"
#include "frame/text.h"

namespace quon {

HRESULT EbTables::SetName(const char* name) {
    if (name == nullptr) return E_POINTER;
    m_name = name;
    return S_OK;
}

HRESULT EbTables::GetName(char** name) const {
    if (name == nullptr || *name == nullptr) return E_POINTER;
    quon::CopyName(m_name, *name);
    return S_OK;
}

HRESULT EbTables::AllocateCells(INT32 a, INT32 b, INT32 c) {
    const int64_t count = Int32Count({a, b, c});
    if (count < 0) return E_INVALIDARG;
    std::vector<EbCell> cells = ZeroedArray<EbCell>(static_cast<uint64_t>(count));
    std::vector<EbProfile> profiles = ZeroedArray<EbProfile>(static_cast<uint64_t>(count));
    std::vector<EbCellPairs> pairs = ZeroedArray<EbCellPairs>(m_withPairs ? static_cast<uint64_t>(count) : 0);
    m_cells.swap(cells);
    m_profiles.swap(profiles);
    m_pairs.swap(pairs);
    m_sizeA = a;
    m_sizeB = b;
    m_sizeC = c;
    m_cellsHeld = true;
    return S_OK;
}

HRESULT EbTables::GetCellDims(UINT32* a, UINT32* b, UINT32* c) const {
    if (a == nullptr || b == nullptr || c == nullptr) return E_POINTER;
    *a = static_cast<UINT32>(m_sizeA);
    *b = static_cast<UINT32>(m_sizeB);
    *c = static_cast<UINT32>(m_sizeC);
    return S_OK;
}

long long EbTables::CellIndex(UINT32 i, UINT32 j, UINT32 k) const {
    if (i >= static_cast<UINT32>(m_sizeA) || j >= static_cast<UINT32>(m_sizeB) || k >= static_cast<UINT32>(m_sizeC))
        return -1;
    return (static_cast<long long>(i) * m_sizeB + j) * m_sizeC + k;
}

long long EbTables::PointIndex(UINT32 i, UINT32 j) const {
    // A load sets the point count without the grid, so the index is checked
    // against the points held rather than against rows and columns.
    const long long index = static_cast<long long>(i) * m_pointColumns + j;
    return index < static_cast<long long>(m_points.size()) ? index : -1;
}

HRESULT EbTables::SetCell(UINT32 i, UINT32 j, UINT32 k, const EbCell* cell, const EbProfile* profile) {
    const long long index = CellIndex(i, j, k);
    const HRESULT hr = CheckEntry(m_cellsHeld, index, m_cells.size(), cell, profile);
    if (FAILED(hr)) return hr;
    m_cells[static_cast<std::size_t>(index)] = *cell;
    m_profiles[static_cast<std::size_t>(index)] = *profile;
    return S_OK;
}

HRESULT EbTables::GetCell(UINT32 i, UINT32 j, UINT32 k, EbCell* cell, EbProfile* profile) const {
    const long long index = CellIndex(i, j, k);
    const HRESULT hr = CheckEntry(m_cellsHeld, index, m_cells.size(), cell, profile);
    if (FAILED(hr)) return hr;
    *cell = m_cells[static_cast<std::size_t>(index)];
    *profile = m_profiles[static_cast<std::size_t>(index)];
    return S_OK;
}

HRESULT EbTables::SetCellPairs(UINT32 i, UINT32 j, UINT32 k, const EbCellPairs* pairs) {
    return StoreEntry(m_pairs, m_cellsHeld && m_withPairs, CellIndex(i, j, k), pairs);
}

HRESULT EbTables::GetCellPairs(UINT32 i, UINT32 j, UINT32 k, EbCellPairs* pairs) const {
    return LoadEntry(m_pairs, m_cellsHeld && m_withPairs, CellIndex(i, j, k), pairs);
}

HRESULT EbTables::AllocatePoints(INT32 rows, INT32 columns, UINT32 mode) {
    const int64_t count = Int32Count({rows, columns});
    if (count < 0) return E_INVALIDARG;
    std::vector<EbPoint> points = ZeroedArray<EbPoint>(static_cast<uint64_t>(count));
    m_points.swap(points);
    m_pointRows = rows;
    m_pointColumns = columns;
    m_pointMode = mode;
    m_pointCount = static_cast<INT32>(count);
    m_pointsHeld = true;
    return S_OK;
}

HRESULT EbTables::GetPointGrid(UINT32* rows, UINT32* columns, UINT32* mode) const {
    if (rows == nullptr || columns == nullptr || mode == nullptr) return E_POINTER;
    *rows = static_cast<UINT32>(m_pointRows);
    *columns = static_cast<UINT32>(m_pointColumns);
    *mode = m_pointMode;
    return S_OK;
}

HRESULT EbTables::SetPoint(UINT32 i, UINT32 j, const EbPoint* point) {
    return StoreEntry(m_points, m_pointsHeld, PointIndex(i, j), point);
}

HRESULT EbTables::GetPoint(UINT32 i, UINT32 j, EbPoint* point) const {
    return LoadEntry(m_points, m_pointsHeld, PointIndex(i, j), point);
}

HRESULT EbTables::FreeData() {
    std::vector<EbCell>().swap(m_cells);
    std::vector<EbProfile>().swap(m_profiles);
    std::vector<EbCellPairs>().swap(m_pairs);
    std::vector<EbPoint>().swap(m_points);
    m_cellsHeld = false;
    m_pointsHeld = false;
    return S_OK;
}

bool EbTables::Printable() const {
    const bool cellsAnnounced = Int32Count({m_sizeA, m_sizeB, m_sizeC}) > 0;
    return (m_cellsHeld || !cellsAnnounced) && (m_pointsHeld || m_pointCount <= 0);
}

void EbTables::AppendPoints(TextBuffer& out) const {
    for (const EbPoint& p : m_points) Append<"%d, %d, %d, %d, \n">(out, p.p2, p.p3, p.p0, p.p1);
}

void EbTables::AppendCells(TextBuffer& out, EqualLevelLine equalLevelLine) const {
    for (std::size_t n = 0; n < m_cells.size(); ++n) {
        const EbCell& cell = m_cells[n];
        const EbProfile& profile = m_profiles[n];
        const INT32 a = TruncateToInt32(profile.valueA);
        const INT32 b = TruncateToInt32(profile.valueB);
        const INT32 high = TruncateToInt32(cell.levelHigh);
        const INT32 low = TruncateToInt32(cell.levelLow);
        const INT32 g = cell.listsPresent == 0 ? 0 : cell.list1Count == 17 ? 1 : 2;
        if (cell.levelHigh != cell.levelLow) {
            Append<"%d, %d, %03d%03d, %d, %d, %d, %d, \n">(out, a, b, high, low, cell.valueD, cell.valueE, cell.valueF,
                                                           g);
        } else {
            equalLevelLine(out, {a, b, high, cell.valueD, cell.valueE, cell.valueF, g});
        }
        if (cell.listsPresent == 0) continue;
        // Counts larger than the lists print the whole list.
        const UINT32 count1 = std::min(cell.list1Count, EbProfileList1Size);
        const UINT32 count2 = std::min(cell.list2Count, EbProfileList2Size);
        for (UINT32 v = 0; v < count1; ++v) Append<"%d, ">(out, profile.list1[v]);
        out.Append("\n");
        for (UINT32 v = 0; v < count2; ++v) Append<"%d, ">(out, profile.list2[v]);
        out.Append("\n");
    }
}

void EbTables::AppendPairs(TextBuffer& out) const {
    for (const EbCellPairs& cell : m_pairs) {
        INT32 v[8];
        for (UINT32 p = 0; p < EbCellPairCount; ++p) {
            v[2 * p] = cell.pairs[p].enable != 0 ? cell.pairs[p].x : -1;
            v[2 * p + 1] = cell.pairs[p].enable != 0 ? cell.pairs[p].y : -1;
        }
        Append<"%d, %d, %d, %d, %d, %d, %d, %d,\n">(out, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
    }
}

namespace {

// Stores the pieces of a list line that scan as a number, in order, as many
// as the list holds; returns how many were stored.
UINT32 ReadList(TrimmedLines& lines, INT32* list, UINT32 size) {
    std::string_view line;
    if (!lines.Next(line)) {
        Report(nullptr, "the text ends before a list line of a cell: the list is empty");
        return 0;
    }
    TrimmedPieces pieces(line, ',');
    std::string_view piece;
    UINT32 stored = 0;
    while (stored < size && pieces.Next(piece)) {
        int value = 0;
        if (Scan<"%d">(piece, &value) == 1) {
            list[stored++] = value;
        } else if (piece.find_first_not_of(" \t\r") != std::string_view::npos) {
            Report(piece.data(), Quoted(piece), " in a list line is not a number: skipped");
        }
    }
    return stored;
}

// For a listener: a line of numbers that scanned fewer than it holds.
void ReportScanned(std::string_view line, int scanned, int wanted, const char* what) {
    if (scanned < wanted) {
        Report(line.data(), what, " ", Quoted(line), ": ", scanned < 0 ? 0 : scanned, " of ", wanted,
               " numbers read, the others read as 0");
    }
}

// For a listener: records that the text ends before; last is the last line.
void ReportEnded(std::string_view last, std::size_t read, std::size_t count, const char* what) {
    Report(last.data(), "the text ends after ", read, " of ", count, " ", what, ": the others read as 0");
}

}  // namespace

HRESULT EbTables::ReadPointsAndCells(TrimmedLines& lines, INT32 a, INT32 b, INT32 c, INT32 pointCount) {
    const int64_t cellCount = Int32Count({a, b, c});
    if (cellCount < 0 || pointCount < 0) return E_INVALIDARG;
    std::vector<EbPoint> points = ZeroedArray<EbPoint>(static_cast<uint64_t>(pointCount));
    std::vector<EbCell> cells = ZeroedArray<EbCell>(static_cast<uint64_t>(cellCount));
    std::vector<EbProfile> profiles = ZeroedArray<EbProfile>(static_cast<uint64_t>(cellCount));
    std::vector<EbCellPairs> pairs = ZeroedArray<EbCellPairs>(m_withPairs ? static_cast<uint64_t>(cellCount) : 0);

    // Records without a line stay zero.
    std::string_view line;
    for (std::size_t n = 0; n < points.size(); ++n) {
        if (!lines.Next(line)) {
            ReportEnded(line, n, points.size(), "point lines");
            break;
        }
        EbPoint& p = points[n];
        const int scanned = Scan<"%d,%d,%d,%d,">(line, &p.p2, &p.p3, &p.p0, &p.p1);
        if (scanned != 4) [[unlikely]] ReportScanned(line, scanned, 4, "point line");
    }
    for (std::size_t n = 0; n < cells.size(); ++n) {
        if (!lines.Next(line)) {
            ReportEnded(line, n, cells.size(), "cell lines");
            break;
        }
        int v[7] = {};
        const int scanned = Scan<"%d,%d,%d,%d,%d,%d,%d">(line, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6]);
        if (scanned != 7) [[unlikely]] ReportScanned(line, scanned, 7, "cell line");
        EbCell& cell = cells[n];
        EbProfile& profile = profiles[n];
        profile.valueA = v[0];
        profile.valueB = v[1];
        // C carries the two levels run together (high * 1000 + low); a
        // single level below 1000 stands for both.
        if (v[2] != 0) {
            const int high = v[2] / 1000;
            const int low = v[2] % 1000;
            cell.levelLow = low;
            cell.levelHigh = high != 0 ? high : low;
        }
        cell.valueD = v[3];
        cell.valueE = v[4];
        cell.valueF = v[5];
        if (v[6] != 0) {
            cell.listsPresent = 1;
            cell.list1Count = ReadList(lines, profile.list1, EbProfileList1Size);
            cell.list2Count = ReadList(lines, profile.list2, EbProfileList2Size);
        }
    }

    m_points.swap(points);
    m_cells.swap(cells);
    m_profiles.swap(profiles);
    m_pairs.swap(pairs);
    m_sizeA = a;
    m_sizeB = b;
    m_sizeC = c;
    m_pointCount = pointCount;
    m_cellsHeld = true;
    m_pointsHeld = true;
    return S_OK;
}

void EbTables::ReadPairs(TrimmedLines& lines) {
    // A pair reads as enabled when both its numbers scan and they are not
    // the -1, -1 that the writer prints for a disabled pair.
    std::string_view line;
    for (std::size_t n = 0; n < m_pairs.size(); ++n) {
        if (!lines.Next(line)) {
            ReportEnded(line, n, m_pairs.size(), "pairs lines");
            break;
        }
        EbCellPairs& cell = m_pairs[n];
        int v[8] = {};
        const int scanned = Scan<"%d, %d, %d, %d, %d, %d, %d, %d,">(line, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                                                                   &v[6], &v[7]);
        if (scanned != 8) [[unlikely]] {
            Report(line.data(), "pairs line ", Quoted(line), ": ", scanned < 0 ? 0 : scanned,
                   " of 8 numbers read, the pairs without both numbers are disabled");
        }
        for (int p = 0; p < 4; ++p) {
            EbPair& pair = cell.pairs[p];
            pair.x = v[2 * p];
            pair.y = v[2 * p + 1];
            pair.enable = scanned >= 2 * p + 2 && !(pair.x == -1 && pair.y == -1) ? 1 : 0;
        }
    }
}

}  // namespace quon

// The cell, profile and point tables that the edge-blend object and the
// geometry info object share: their storage, their accessor slots, and the
// lines of their comma-separated numeric text. Each object writes its own
// header and its own equal-level cell line; everything else is done here once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "frame/text.h"
#include "quon/IQuonEbInfo.h"

namespace quon {

class EbTables {
public:
    // Cell pairs are kept only by the edge-blend object.
    explicit EbTables(bool withPairs) : m_withPairs(withPairs) {}

    HRESULT SetName(const char* name);
    HRESULT GetName(char** name) const;
    HRESULT AllocateCells(INT32 a, INT32 b, INT32 c);
    HRESULT GetCellDims(UINT32* a, UINT32* b, UINT32* c) const;
    HRESULT SetCell(UINT32 i, UINT32 j, UINT32 k, const EbCell* cell, const EbProfile* profile);
    HRESULT GetCell(UINT32 i, UINT32 j, UINT32 k, EbCell* cell, EbProfile* profile) const;
    HRESULT AllocatePoints(INT32 rows, INT32 columns, UINT32 mode);
    HRESULT GetPointGrid(UINT32* rows, UINT32* columns, UINT32* mode) const;
    HRESULT SetPoint(UINT32 i, UINT32 j, const EbPoint* point);
    HRESULT GetPoint(UINT32 i, UINT32 j, EbPoint* point) const;
    HRESULT SetCellPairs(UINT32 i, UINT32 j, UINT32 k, const EbCellPairs* pairs);
    HRESULT GetCellPairs(UINT32 i, UINT32 j, UINT32 k, EbCellPairs* pairs) const;
    HRESULT FreeData();

    INT32 SizeA() const { return m_sizeA; }
    INT32 SizeB() const { return m_sizeB; }
    INT32 SizeC() const { return m_sizeC; }
    INT32 PointCount() const { return m_pointCount; }

    // Whether every table that the counts announce is held (not so after
    // FreeData of non-empty tables), so that the writer can print them.
    bool Printable() const;

    // Point lines "%d, %d, %d, %d, \n" (p2, p3, p0, p1) in storage order.
    void AppendPoints(TextBuffer& out) const;
    // Prints the line of a cell whose two levels are equal: the values A,
    // B, the level, D, E, F and G. Each object has its own form of it.
    using EqualLevelLine = void (*)(TextBuffer& out, const INT32 (&values)[7]);
    // One line per cell with its list lines.
    void AppendCells(TextBuffer& out, EqualLevelLine equalLevelLine) const;
    // One pairs line per cell; a pair whose enable flag is clear is -1, -1.
    void AppendPairs(TextBuffer& out) const;

    // Reads pointCount point lines and then one cell (with its list lines)
    // per cell of a x b x c from lines into fresh zeroed tables, and takes
    // the counts. Negative counts or a cell count beyond a signed 32-bit
    // number are refused with E_INVALIDARG before anything changes.
    HRESULT ReadPointsAndCells(TrimmedLines& lines, INT32 a, INT32 b, INT32 c, INT32 pointCount);
    // Reads one pairs line per cell into the pairs read by the last
    // ReadPointsAndCells.
    void ReadPairs(TrimmedLines& lines);

private:
    long long CellIndex(UINT32 i, UINT32 j, UINT32 k) const;
    long long PointIndex(UINT32 i, UINT32 j) const;

    bool m_withPairs;
    std::string m_name;
    INT32 m_sizeA = 0;
    INT32 m_sizeB = 0;
    INT32 m_sizeC = 0;
    bool m_cellsHeld = false;
    std::vector<EbCell> m_cells;
    std::vector<EbProfile> m_profiles;
    std::vector<EbCellPairs> m_pairs;
    INT32 m_pointRows = 0;
    INT32 m_pointColumns = 0;
    INT32 m_pointCount = 0;
    UINT32 m_pointMode = 1;
    bool m_pointsHeld = false;
    std::vector<EbPoint> m_points;
};

}  // namespace quon

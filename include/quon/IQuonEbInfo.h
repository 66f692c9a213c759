// IQuonEbInfo: an edge-blend data set as numeric tables: a three-dimensional
// array of cells (cell, profile and pairs records) and a list of points.
// Also home of EbCell, EbProfile and EbPoint, shared with IQuonGeoInfo.
#pragma once

#include <cstddef>

#include "identifiers.h"

inline constexpr UINT32 EbProfileList1Size = 33;
inline constexpr UINT32 EbProfileList2Size = 45;
inline constexpr UINT32 EbCellPairCount = 4;

#pragma pack(push, 8)

// One point of the point list.
struct EbPoint {
    INT32 p0;
    INT32 p1;
    INT32 p2;
    INT32 p3;
};
static_assert(sizeof(EbPoint) == 16);

// Cell record; bytes outside the named text fields are carried unchanged.
struct EbCell {
    double reserved0[4];     // not in the text
    double levelHigh;
    double levelLow;
    INT32 valueD;
    INT32 spare;
    INT32 valueE;
    INT32 valueF;
    INT32 listsPresent;      // 0 or 1
    BYTE reserved1[76];      // not in the text
    UINT32 list1Count;
    UINT32 list2Count;
};
static_assert(offsetof(EbCell, levelHigh) == 32);
static_assert(offsetof(EbCell, valueD) == 48);
static_assert(offsetof(EbCell, listsPresent) == 64);
static_assert(offsetof(EbCell, list1Count) == 144);
static_assert(sizeof(EbCell) == 152);

// Profile record of a cell.
struct EbProfile {
    double valueA;
    double valueB;
    INT32 list1[33];
    INT32 list2[45];
};
static_assert(sizeof(EbProfile) == 328);

// One pair of a cell: enable flag, then x and y.
struct EbPair {
    INT32 enable;
    INT32 x;
    INT32 y;
};
static_assert(sizeof(EbPair) == 12);

// The four pairs of a cell.
struct EbCellPairs {
    EbPair pairs[4];
};
static_assert(sizeof(EbCellPairs) == 48);

#pragma pack(pop)

struct IQuonEbInfo : public IUnknown {
    // slot 3: store the name
    virtual HRESULT STDMETHODCALLTYPE SetName(const char* name) = 0;
    // slot 4: copy the name with its NUL into the buffer *name points at (caller sizes it)
    virtual HRESULT STDMETHODCALLTYPE GetName(char** name) = 0;
    // slot 5: set the extents and allocate a x b x c zeroed cells, profiles and pairs
    virtual HRESULT STDMETHODCALLTYPE AllocateCells(INT32 a, INT32 b, INT32 c) = 0;
    // slot 6: the three extents of the cell array
    virtual HRESULT STDMETHODCALLTYPE GetCellDims(UINT32* a, UINT32* b, UINT32* c) = 0;
    // slot 7: copy cell and profile into cell (i, j, k)
    virtual HRESULT STDMETHODCALLTYPE SetCell(UINT32 i, UINT32 j, UINT32 k, const EbCell* cell,
                                              const EbProfile* profile) = 0;
    // slot 8: copy cell and profile of cell (i, j, k) out
    virtual HRESULT STDMETHODCALLTYPE GetCell(UINT32 i, UINT32 j, UINT32 k, EbCell* cell, EbProfile* profile) = 0;
    // slot 9: set the point grid and allocate rows x columns zeroed points
    virtual HRESULT STDMETHODCALLTYPE AllocatePoints(INT32 rows, INT32 columns, UINT32 mode) = 0;
    // slot 10: rows, columns and mode of the point grid
    virtual HRESULT STDMETHODCALLTYPE GetPointGrid(UINT32* rows, UINT32* columns, UINT32* mode) = 0;
    // slot 11: copy a point into (i, j)
    virtual HRESULT STDMETHODCALLTYPE SetPoint(UINT32 i, UINT32 j, const EbPoint* point) = 0;
    // slot 12: copy point (i, j) out
    virtual HRESULT STDMETHODCALLTYPE GetPoint(UINT32 i, UINT32 j, EbPoint* point) = 0;
    // slot 13: copy the pairs into cell (i, j, k)
    virtual HRESULT STDMETHODCALLTYPE SetCellPairs(UINT32 i, UINT32 j, UINT32 k, const EbCellPairs* pairs) = 0;
    // slot 14: copy the pairs of cell (i, j, k) out
    virtual HRESULT STDMETHODCALLTYPE GetCellPairs(UINT32 i, UINT32 j, UINT32 k, EbCellPairs* pairs) = 0;
    // slot 15: read the table text
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 16: write the table text; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 17: free the four arrays
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonEbInfo>() { return IID_IQuonEbInfo; }

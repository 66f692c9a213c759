// IQuonGeoInfo: the geometry description of one installation: cells with
// profiles, a point list, a parameter block and a grid of markers.
#pragma once

#include <cstddef>

#include "IQuonEbInfo.h"

#pragma pack(push, 8)

// Parameter block of the geometry description.
struct GeoInfoParams {
    double sizeX;
    double sizeY;
    UINT32 mode;             // not 1: the parameter flag is set
    UINT32 cornersPresent;   // 1: the four corners are written
    double corners[4][2];    // four corners, each x, y
    INT32 value;
};
static_assert(offsetof(GeoInfoParams, corners) == 24);
static_assert(offsetof(GeoInfoParams, value) == 88);
static_assert(sizeof(GeoInfoParams) == 96);

#pragma pack(pop)

struct IQuonGeoInfo : public IUnknown {
    // slot 3: store the name
    virtual HRESULT STDMETHODCALLTYPE SetName(const char* name) = 0;
    // slot 4: copy the name with its NUL into the buffer *name points at (caller sizes it)
    virtual HRESULT STDMETHODCALLTYPE GetName(char** name) = 0;
    // slot 5: set the extents and allocate a x b x c zeroed cells and profiles
    virtual HRESULT STDMETHODCALLTYPE AllocateCells(INT32 a, INT32 b, INT32 c) = 0;
    // slot 6: the three extents of the cell array
    virtual HRESULT STDMETHODCALLTYPE GetCellDims(UINT32* a, UINT32* b, UINT32* c) = 0;
    // slot 7: copy cell and profile into cell (i, j, k)
    virtual HRESULT STDMETHODCALLTYPE SetCell(UINT32 i, UINT32 j, UINT32 k, const EbCell* cell,
                                              const EbProfile* profile) = 0;
    // slot 8: copy cell and profile of cell (i, j, k) out
    virtual HRESULT STDMETHODCALLTYPE GetCell(UINT32 i, UINT32 j, UINT32 k, EbCell* cell, EbProfile* profile) = 0;
    // slot 9: set the point grid, allocate rows x columns zeroed points, derive the point layout
    virtual HRESULT STDMETHODCALLTYPE AllocatePoints(INT32 rows, INT32 columns, UINT32 mode) = 0;
    // slot 10: rows, columns and mode of the point grid
    virtual HRESULT STDMETHODCALLTYPE GetPointGrid(UINT32* rows, UINT32* columns, UINT32* mode) = 0;
    // slot 11: copy a point into (i, j)
    virtual HRESULT STDMETHODCALLTYPE SetPoint(UINT32 i, UINT32 j, const EbPoint* point) = 0;
    // slot 12: copy point (i, j) out
    virtual HRESULT STDMETHODCALLTYPE GetPoint(UINT32 i, UINT32 j, EbPoint* point) = 0;
    // slot 13: copy the parameter block in and update the parameter flag
    virtual HRESULT STDMETHODCALLTYPE SetParams(const GeoInfoParams* params) = 0;
    // slot 14: copy the parameter block out
    virtual HRESULT STDMETHODCALLTYPE GetParams(GeoInfoParams* params) = 0;
    // slot 15: set the marker grid, allocate rows x columns zeroed markers, derive the marker layout
    virtual HRESULT STDMETHODCALLTYPE AllocateMarkers(INT32 rows, INT32 columns) = 0;
    // slot 16: rows and columns of the marker grid
    virtual HRESULT STDMETHODCALLTYPE GetMarkerGrid(UINT32* rows, UINT32* columns) = 0;
    // slot 17: store position (x, y) and flag of marker (i, j)
    virtual HRESULT STDMETHODCALLTYPE SetMarker(UINT32 i, UINT32 j, const double position[2], UINT32 flag) = 0;
    // slot 18: position (x, y) and flag of marker (i, j)
    virtual HRESULT STDMETHODCALLTYPE GetMarker(UINT32 i, UINT32 j, double position[2], UINT32* flag) = 0;
    // slot 19: read the numeric text
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 20: write the numeric text; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) = 0;
    // slot 21: release cells, profiles, points and markers
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoInfo>() { return IID_IQuonGeoInfo; }

// CQuonGeoInfo: the geometry description of one installation (the cells,
// profiles and points it shares with the edge-blend object, a parameter
// block and a grid of markers) and its comma-separated numeric text.
#pragma once

#include <cstddef>
#include <vector>

#include "formats/eb_tables.h"
#include "frame/CUnknown.h"
#include "quon/IQuonGeoInfo.h"

class CQuonGeoInfo : public CQuonObject<CQuonGeoInfo, IQuonGeoInfo, IID_IQuonGeoInfo> {
public:
    explicit CQuonGeoInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE SetName(const char* name) override { return m_tables.SetName(name); }
    HRESULT STDMETHODCALLTYPE GetName(char** name) override { return m_tables.GetName(name); }
    HRESULT STDMETHODCALLTYPE AllocateCells(INT32 a, INT32 b, INT32 c) override { return m_tables.AllocateCells(a, b, c); }
    HRESULT STDMETHODCALLTYPE GetCellDims(UINT32* a, UINT32* b, UINT32* c) override {
        return m_tables.GetCellDims(a, b, c);
    }
    HRESULT STDMETHODCALLTYPE SetCell(UINT32 i, UINT32 j, UINT32 k, const EbCell* cell,
                                      const EbProfile* profile) override {
        return m_tables.SetCell(i, j, k, cell, profile);
    }
    HRESULT STDMETHODCALLTYPE GetCell(UINT32 i, UINT32 j, UINT32 k, EbCell* cell, EbProfile* profile) override {
        return m_tables.GetCell(i, j, k, cell, profile);
    }
    HRESULT STDMETHODCALLTYPE AllocatePoints(INT32 rows, INT32 columns, UINT32 mode) override;
    HRESULT STDMETHODCALLTYPE GetPointGrid(UINT32* rows, UINT32* columns, UINT32* mode) override {
        return m_tables.GetPointGrid(rows, columns, mode);
    }
    HRESULT STDMETHODCALLTYPE SetPoint(UINT32 i, UINT32 j, const EbPoint* point) override {
        return m_tables.SetPoint(i, j, point);
    }
    HRESULT STDMETHODCALLTYPE GetPoint(UINT32 i, UINT32 j, EbPoint* point) override {
        return m_tables.GetPoint(i, j, point);
    }
    HRESULT STDMETHODCALLTYPE SetParams(const GeoInfoParams* params) override;
    HRESULT STDMETHODCALLTYPE GetParams(GeoInfoParams* params) override;
    HRESULT STDMETHODCALLTYPE AllocateMarkers(INT32 rows, INT32 columns) override;
    HRESULT STDMETHODCALLTYPE GetMarkerGrid(UINT32* rows, UINT32* columns) override;
    HRESULT STDMETHODCALLTYPE SetMarker(UINT32 i, UINT32 j, const double position[2], UINT32 flag) override;
    HRESULT STDMETHODCALLTYPE GetMarker(UINT32 i, UINT32 j, double position[2], UINT32* flag) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    struct GeoMarker {
        double x;
        double y;
        UINT32 flag;
    };

    long long MarkerIndex(UINT32 i, UINT32 j) const;
    // The marker that the text lists n-th (n below the marker count): line n
    // of the marker section holds marker MarkerAt(n).
    std::size_t MarkerAt(std::size_t n) const;

    quon::EbTables m_tables{false};
    INT32 m_pointLayout = 0;
    GeoInfoParams m_params{};
    INT32 m_markerRows = 0;
    INT32 m_markerColumns = 0;
    INT32 m_markerCount = 0;
    INT32 m_markerLayout = 0;
    INT32 m_paramFlag = 0;
    bool m_markersHeld = false;
    std::vector<GeoMarker> m_markers;
};

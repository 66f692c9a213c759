// CQuonEbInfo: an edge-blend data set (cells with their profiles and pairs,
// and a point list) and its comma-separated numeric table text.
#pragma once

#include "formats/eb_tables.h"
#include "frame/CUnknown.h"
#include "quon/IQuonEbInfo.h"

class CQuonEbInfo : public CQuonObject<CQuonEbInfo, IQuonEbInfo, IID_IQuonEbInfo> {
public:
    explicit CQuonEbInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

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
    HRESULT STDMETHODCALLTYPE AllocatePoints(INT32 rows, INT32 columns, UINT32 mode) override {
        return m_tables.AllocatePoints(rows, columns, mode);
    }
    HRESULT STDMETHODCALLTYPE GetPointGrid(UINT32* rows, UINT32* columns, UINT32* mode) override {
        return m_tables.GetPointGrid(rows, columns, mode);
    }
    HRESULT STDMETHODCALLTYPE SetPoint(UINT32 i, UINT32 j, const EbPoint* point) override {
        return m_tables.SetPoint(i, j, point);
    }
    HRESULT STDMETHODCALLTYPE GetPoint(UINT32 i, UINT32 j, EbPoint* point) override {
        return m_tables.GetPoint(i, j, point);
    }
    HRESULT STDMETHODCALLTYPE SetCellPairs(UINT32 i, UINT32 j, UINT32 k, const EbCellPairs* pairs) override {
        return m_tables.SetCellPairs(i, j, k, pairs);
    }
    HRESULT STDMETHODCALLTYPE GetCellPairs(UINT32 i, UINT32 j, UINT32 k, EbCellPairs* pairs) override {
        return m_tables.GetCellPairs(i, j, k, pairs);
    }
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override { return m_tables.FreeData(); }

private:
    quon::EbTables m_tables{true};
};

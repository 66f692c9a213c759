// CQuonGridPoint: a columns x rows map of grid point records with a header,
// an optional block of sixteen extra reals, and its numeric table text.
#pragma once

#include <vector>

#include "frame/CUnknown.h"
#include "frame/label.h"
#include "quon/IQuonGridPoint.h"

class CQuonGridPoint : public CQuonObject<CQuonGridPoint, IQuonGridPoint, IID_IQuonGridPoint> {
public:
    explicit CQuonGridPoint(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE SetLabel(UINT32 labelA, UINT32 labelB, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetLabel(UINT32* labelA, UINT32* labelB, char* name) override;
    HRESULT STDMETHODCALLTYPE SetHeader(const GridPointHeader* header) override;
    HRESULT STDMETHODCALLTYPE SetPoint(UINT32 column, UINT32 row, const GridPointRecord* point) override;
    HRESULT STDMETHODCALLTYPE SetExtra(const double extra[16]) override;
    HRESULT STDMETHODCALLTYPE GetHeader(GridPointHeader* header) override;
    HRESULT STDMETHODCALLTYPE GetPoint(UINT32 column, UINT32 row, GridPointRecord* point) override;
    HRESULT STDMETHODCALLTYPE GetExtra(double extra[16]) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    // Index of entry (column, row), or -1 when it lies outside the array.
    long long EntryIndex(UINT32 column, UINT32 row) const;

    quon::Label m_label;
    GridPointHeader m_header{};
    std::vector<GridPointRecord> m_points;  // empty until SetHeader or a load
    bool m_allocated = false;
    double m_extra[GridPointExtraCount]{};
};

// CQuonCalibPointTable: one table of calibration point records (eight reals
// and a tag each) with a host label, and its comma-separated text of one
// record per line.
#pragma once

#include <vector>

#include "frame/CUnknown.h"
#include "frame/label.h"
#include "quon/IQuonCalibPointTable.h"

class CQuonCalibPointTable
    : public CQuonObject<CQuonCalibPointTable, IQuonCalibPointTable, IID_IQuonCalibPointTable> {
public:
    explicit CQuonCalibPointTable(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id1, UINT32 id2, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id1, UINT32* id2, char* name) override;
    HRESULT STDMETHODCALLTYPE SetPointCount(INT32 count) override;
    HRESULT STDMETHODCALLTYPE GetPointCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE SetPoint(INT32 index, const CalibPoint* point) override;
    HRESULT STDMETHODCALLTYPE GetPoint(INT32 index, CalibPoint* point) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    quon::Label m_label;  // id1, id2 and the name
    INT32 m_pointCount = 0;
    std::vector<CalibPoint> m_points;  // absent until SetPointCount or a load
    bool m_allocated = false;
};

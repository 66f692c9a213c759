// CQuonBlkInitInfo: the start data of the camera-based black-level stage
// (pattern grid, camera bands, one host record per pattern point, tuning
// parameters, one real value) and its one-value-per-line text.
#pragma once

#include <string>
#include <vector>

#include "calib/camera_bands.h"
#include "frame/CUnknown.h"
#include "quon/IQuonBlkInitInfo.h"

class CQuonBlkInitInfo : public CQuonObject<CQuonBlkInitInfo, IQuonBlkInitInfo, IID_IQuonBlkInitInfo> {
public:
    explicit CQuonBlkInitInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize(UINT32 id, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id, char** name) override;
    HRESULT STDMETHODCALLTYPE SetPatternGrid(INT32 rows, INT32 columns, UINT32 patternCode) override;
    HRESULT STDMETHODCALLTYPE GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* patternCode) override;
    HRESULT STDMETHODCALLTYPE SetPointRecord(UINT32 row, UINT32 column, const PointLevelRecord* record) override;
    HRESULT STDMETHODCALLTYPE GetPointRecord(UINT32 row, UINT32 column, PointLevelRecord* record) override;
    HRESULT STDMETHODCALLTYPE SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode) override;
    HRESULT STDMETHODCALLTYPE GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) override;
    HRESULT STDMETHODCALLTYPE SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region) override;
    HRESULT STDMETHODCALLTYPE GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) override;
    HRESULT STDMETHODCALLTYPE SetRealValue(double value) override;
    HRESULT STDMETHODCALLTYPE GetRealValue(double* value) override;
    HRESULT STDMETHODCALLTYPE SetTuning8(UINT32 value) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    // Record (row, column), or null outside the point array.
    PointLevelRecord* Record(UINT32 row, UINT32 column);

    UINT32 m_id = 0;
    std::string m_name;
    quon::calib::CameraBandModel m_band;
    std::vector<PointLevelRecord> m_pointRecords;  // made by SetPatternGrid
    double m_realValue = 0.0;
    quon::calib::CalibTuning m_tuning;
    UINT32 m_tuning8 = 0;
};

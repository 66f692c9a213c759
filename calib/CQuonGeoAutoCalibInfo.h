// CQuonGeoAutoCalibInfo: the result of one automatic geometry calibration
// run (header, per-camera and per-projector results), read from and written
// to a JSON document.
#pragma once

#include <string>
#include <vector>

#include "frame/CUnknown.h"
#include "quon/IQuonGeoAutoCalibInfo.h"

class CQuonGeoAutoCalibInfo
    : public CQuonObject<CQuonGeoAutoCalibInfo, IQuonGeoAutoCalibInfo, IID_IQuonGeoAutoCalibInfo> {
public:
    explicit CQuonGeoAutoCalibInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE SetLabel(const char* label) override;
    HRESULT STDMETHODCALLTYPE GetLabel(char* buffer) override;
    HRESULT STDMETHODCALLTYPE SetHeader(const AutoCalibHeader* header) override;
    HRESULT STDMETHODCALLTYPE GetHeader(AutoCalibHeader* header) override;
    HRESULT STDMETHODCALLTYPE SetCameraResult(INT32 index, const CameraResult* result) override;
    HRESULT STDMETHODCALLTYPE GetCameraResult(INT32 index, CameraResult* result) override;
    HRESULT STDMETHODCALLTYPE SetProjectorResult(INT32 index, const ProjectorResult* result) override;
    HRESULT STDMETHODCALLTYPE GetProjectorResult(INT32 index, ProjectorResult* result) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    // A record index is valid when it is below both the header's count and
    // the table's size (the two differ after FreeData or an uneven load).
    static bool InRange(INT32 index, INT32 count, std::size_t size) {
        return index >= 0 && index < count && static_cast<std::size_t>(index) < size;
    }

    std::string m_label;
    AutoCalibHeader m_header{};
    std::vector<CameraResult> m_cameras;        // empty when there is no table
    std::vector<ProjectorResult> m_projectors;  // empty when there is no table
    INT32 m_initFlag = 0;                       // 1 once a label held "init": the short document form
};

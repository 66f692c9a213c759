// IQuonGeoAutoCalibInfo: the result of one automatic geometry calibration run,
// per camera and per projector, read and written as a JSON document.
#pragma once

#include <cstddef>

#include "identifiers.h"

inline constexpr UINT32 AutoCalibDateSize = 64;           // 63 characters + NUL
inline constexpr UINT32 AutoCalibBasePositionSize = 24;   // 23 characters + NUL

#pragma pack(push, 8)

// Header of a calibration result.
struct AutoCalibHeader {
    char date[64];           // NUL-terminated
    INT32 cameraCount;
    INT32 projectorCount;
    char basePosition[24];   // NUL-terminated
    UINT64 extra;            // stored and returned unchanged; not in the document
};
static_assert(offsetof(AutoCalibHeader, basePosition) == 72);
static_assert(offsetof(AutoCalibHeader, extra) == 96);
static_assert(sizeof(AutoCalibHeader) == 104);

// Result of one camera.
struct CameraResult {
    INT32 id;
    INT32 isMove;            // 0 or 1
    double centerDeviationX;
    double centerDeviationY;
    INT32 marginTop;
    INT32 marginBottom;
    INT32 marginLeft;
    INT32 marginRight;
};
static_assert(sizeof(CameraResult) == 40);

// Result of one projector.
struct ProjectorResult {
    INT32 id;
    INT32 isMove;            // 0 or 1
    double centerDeviationX;
    double centerDeviationY;
    double maxDeviationX;
    double maxDeviationY;
    INT32 marginTop;
    INT32 marginBottom;
    INT32 marginLeft;
    INT32 marginRight;
};
static_assert(sizeof(ProjectorResult) == 56);

#pragma pack(pop)

struct IQuonGeoAutoCalibInfo : public IUnknown {
    // slot 3: store the label; a label containing "init" switches to the short document form
    virtual HRESULT STDMETHODCALLTYPE SetLabel(const char* label) = 0;
    // slot 4: copy the label with its NUL (caller sizes the buffer)
    virtual HRESULT STDMETHODCALLTYPE GetLabel(char* buffer) = 0;
    // slot 5: copy the header in and allocate zeroed camera and projector tables
    virtual HRESULT STDMETHODCALLTYPE SetHeader(const AutoCalibHeader* header) = 0;
    // slot 6: copy the header out
    virtual HRESULT STDMETHODCALLTYPE GetHeader(AutoCalibHeader* header) = 0;
    // slot 7: copy a camera result in (ignored when out of range)
    virtual HRESULT STDMETHODCALLTYPE SetCameraResult(INT32 index, const CameraResult* result) = 0;
    // slot 8: copy a camera result out (untouched when out of range)
    virtual HRESULT STDMETHODCALLTYPE GetCameraResult(INT32 index, CameraResult* result) = 0;
    // slot 9: copy a projector result in (ignored when out of range)
    virtual HRESULT STDMETHODCALLTYPE SetProjectorResult(INT32 index, const ProjectorResult* result) = 0;
    // slot 10: copy a projector result out (untouched when out of range)
    virtual HRESULT STDMETHODCALLTYPE GetProjectorResult(INT32 index, ProjectorResult* result) = 0;
    // slot 11: read a result document
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 12: write the document; E_FAIL for a null buffer or a text longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 13: release both tables (the counts stay)
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoAutoCalibInfo>() { return IID_IQuonGeoAutoCalibInfo; }

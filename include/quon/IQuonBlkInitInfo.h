// IQuonBlkInitInfo: start data of the camera-based black-level stage: pattern
// grid, camera arrangement with bands, one host record per pattern point,
// tuning parameters and one real value.
#pragma once

#include <cstddef>

#include "IQuonCAInitInfo.h"

#pragma pack(push, 8)

// Host-defined record of one pattern point; only levelA and levelB are read here.
struct PointLevelRecord {
    BYTE reserved0[56];
    INT32 levelA;
    INT32 reserved1;
    INT32 levelB;
    BYTE reserved2[76];
    double tail;
};
static_assert(offsetof(PointLevelRecord, levelA) == 56);
static_assert(offsetof(PointLevelRecord, levelB) == 64);
static_assert(offsetof(PointLevelRecord, tail) == 144);
static_assert(sizeof(PointLevelRecord) == 152);

#pragma pack(pop)

struct IQuonBlkInitInfo : public IUnknown {
    // slot 3: set id and name; reset the eight tuning parameters
    virtual HRESULT STDMETHODCALLTYPE Initialize(UINT32 id, const char* name) = 0;
    // slot 4: id; the name is copied with its NUL into the buffer *name points at
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id, char** name) = 0;
    // slot 5: set the pattern grid and allocate rows x columns zeroed point records
    virtual HRESULT STDMETHODCALLTYPE SetPatternGrid(INT32 rows, INT32 columns, UINT32 patternCode) = 0;
    // slot 6: the pattern grid and its pattern code
    virtual HRESULT STDMETHODCALLTYPE GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* patternCode) = 0;
    // slot 7: copy the record of pattern point (row, column) in
    virtual HRESULT STDMETHODCALLTYPE SetPointRecord(UINT32 row, UINT32 column, const PointLevelRecord* record) = 0;
    // slot 8: copy the record of pattern point (row, column) out
    virtual HRESULT STDMETHODCALLTYPE GetPointRecord(UINT32 row, UINT32 column, PointLevelRecord* record) = 0;
    // slot 9: set the camera arrangement; allocates fresh zeroed regions and ranges
    virtual HRESULT STDMETHODCALLTYPE SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode) = 0;
    // slot 10: the camera arrangement
    virtual HRESULT STDMETHODCALLTYPE GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) = 0;
    // slot 11: store the region of camera (row, column) and derive its point range
    virtual HRESULT STDMETHODCALLTYPE SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region) = 0;
    // slot 12: the region of camera (row, column)
    virtual HRESULT STDMETHODCALLTYPE GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) = 0;
    // slot 13: set the real value
    virtual HRESULT STDMETHODCALLTYPE SetRealValue(double value) = 0;
    // slot 14: the real value
    virtual HRESULT STDMETHODCALLTYPE GetRealValue(double* value) = 0;
    // slot 15: set the eighth tuning parameter
    virtual HRESULT STDMETHODCALLTYPE SetTuning8(UINT32 value) = 0;
    // slot 16: read the one-value-per-line text (the point array must already exist)
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 17: write the text; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 18: release point records, regions and ranges
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonBlkInitInfo>() { return IID_IQuonBlkInitInfo; }

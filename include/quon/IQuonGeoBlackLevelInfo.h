// IQuonGeoBlackLevelInfo: one projector's black-level adjustment file (header,
// edge blending of the four edges with the bright areas, black level of the
// four edges with their adjustment points).
#pragma once

#include "IQuonGeoAdjustInfo.h"

struct IQuonGeoBlackLevelInfo : public IUnknown {
    // slot 3: store number and label
    virtual HRESULT STDMETHODCALLTYPE Initialize(UINT32 number, const char* label) = 0;
    // slot 4: number; the label is copied with its NUL (caller sizes the buffer)
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* number, char* labelOut) = 0;
    // slot 5: copy all three in (address: 64 bytes); every pointer is required
    virtual HRESULT STDMETHODCALLTYPE SetBasicInfo(const GeoVersion* version, const char* address,
                                                   const ProjectorInfo* projector) = 0;
    // slot 6: copy all three out (address: 64 bytes); every pointer is required
    virtual HRESULT STDMETHODCALLTYPE GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector) = 0;
    // slot 7: copy in each part whose pointer is not null (locations LEFT, UPPER, RIGHT, LOWER)
    virtual HRESULT STDMETHODCALLTYPE SetEdgeBlendInfo(const EdgeBlendSetting* setting,
                                                       const EdgeBlendLocation locations[4],
                                                       const BrightArea* inside, const BrightArea* outside) = 0;
    // slot 8: copy all four out; every pointer is required
    virtual HRESULT STDMETHODCALLTYPE GetEdgeBlendInfo(EdgeBlendSetting* setting, EdgeBlendLocation locations[4],
                                                       BrightArea* inside, BrightArea* outside) = 0;
    // slot 9: copy the four black-level records in (LEFT, UPPER, RIGHT, LOWER)
    virtual HRESULT STDMETHODCALLTYPE SetBlackLevelInfo(const BlackLevelLocation blackLevels[4]) = 0;
    // slot 10: copy the four black-level records out
    virtual HRESULT STDMETHODCALLTYPE GetBlackLevelInfo(BlackLevelLocation blackLevels[4]) = 0;
    // slot 11: read a black-level Geometry file
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 12: write the black-level Geometry file; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 13: nothing to free
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoBlackLevelInfo>() { return IID_IQuonGeoBlackLevelInfo; }

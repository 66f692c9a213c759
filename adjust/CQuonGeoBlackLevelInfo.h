// CQuonGeoBlackLevelInfo: one projector's black-level adjustment file - the
// header records, edge blending of the four edges with the inner and outer
// bright areas, and the black level of the four edges with their adjustment
// points - read with the sequential reader of the Geometry file.
#pragma once

#include "formats/geometry_file.h"
#include "frame/label.h"
#include "frame/CUnknown.h"
#include "quon/IQuonGeoBlackLevelInfo.h"

class CQuonGeoBlackLevelInfo
    : public CQuonObject<CQuonGeoBlackLevelInfo, IQuonGeoBlackLevelInfo, IID_IQuonGeoBlackLevelInfo> {
public:
    explicit CQuonGeoBlackLevelInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize(UINT32 number, const char* label) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* number, char* labelOut) override;
    HRESULT STDMETHODCALLTYPE SetBasicInfo(const GeoVersion* version, const char* address,
                                           const ProjectorInfo* projector) override;
    HRESULT STDMETHODCALLTYPE GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector) override;
    HRESULT STDMETHODCALLTYPE SetEdgeBlendInfo(const EdgeBlendSetting* setting, const EdgeBlendLocation locations[4],
                                               const BrightArea* inside, const BrightArea* outside) override;
    HRESULT STDMETHODCALLTYPE GetEdgeBlendInfo(EdgeBlendSetting* setting, EdgeBlendLocation locations[4],
                                               BrightArea* inside, BrightArea* outside) override;
    HRESULT STDMETHODCALLTYPE SetBlackLevelInfo(const BlackLevelLocation blackLevels[4]) override;
    HRESULT STDMETHODCALLTYPE GetBlackLevelInfo(BlackLevelLocation blackLevels[4]) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    quon::Label m_identity;  // the number is the first
    quon::geofile::BasicInfo m_basic;
    EdgeBlendSetting m_edgeBlendSetting{};
    EdgeBlendLocation m_edgeBlendLocation[GeoEdgeCount]{};
    BrightArea m_brightInside{};
    BrightArea m_brightOutside{};
    BlackLevelLocation m_blackLevelLocation[GeoEdgeCount]{};
};

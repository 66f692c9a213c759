// CQuonGeoAdjustInfo: one projector's geometry adjustment file - the
// auto-calibration result, the geometry setting, three other-screen grids
// held in other-screen tag objects, edge blending with gamma, and black
// level - read with the section-dispatch reader of the Geometry file.
#pragma once

#include <string>

#include "formats/geometry_file.h"
#include "frame/label.h"
#include "frame/CUnknown.h"
#include "quon/IQuonGeoAdjustInfo.h"

class CQuonGeoAdjustInfo : public CQuonObject<CQuonGeoAdjustInfo, IQuonGeoAdjustInfo, IID_IQuonGeoAdjustInfo> {
public:
    explicit CQuonGeoAdjustInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}
    ~CQuonGeoAdjustInfo() override;

    HRESULT STDMETHODCALLTYPE Initialize(UINT32 number, const char* label) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* number, const char** label) override;
    HRESULT STDMETHODCALLTYPE SetBasicInfo(const GeoVersion* version, const char* address,
                                           const ProjectorInfo* projector, const AutoCalibResult* autoCalib,
                                           const GeometrySetting* geometrySetting) override;
    HRESULT STDMETHODCALLTYPE GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector,
                                           AutoCalibResult* autoCalib, GeometrySetting* geometrySetting) override;
    HRESULT STDMETHODCALLTYPE SetOtherScreen(UINT32 index, IQuonGeoOtherScreenTag* tag) override;
    HRESULT STDMETHODCALLTYPE GetOtherScreen(UINT32 index, IQuonGeoOtherScreenTag** tag) override;
    HRESULT STDMETHODCALLTYPE SetEdgeBlendInfo(const EdgeBlendSetting* setting, const EdgeBlendLocation locations[4],
                                               const BrightArea* inside, const BrightArea* outside,
                                               const INT32 gamma[4], const BlackLevelLocation blackLevels[4]) override;
    HRESULT STDMETHODCALLTYPE GetEdgeBlendInfo(EdgeBlendSetting* setting, EdgeBlendLocation locations[4],
                                               BrightArea* inside, BrightArea* outside, INT32 gamma[4],
                                               BlackLevelLocation blackLevels[4]) override;
    HRESULT STDMETHODCALLTYPE SetAuxiliaryRecord(const AuxiliaryRecord* record) override;
    HRESULT STDMETHODCALLTYPE GetAuxiliaryRecord(AuxiliaryRecord* record) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    // Releases the three tags and clears the references.
    void ReleaseTags();

    quon::Label m_identity;  // the number is the first
    IQuonGeoOtherScreenTag* m_otherScreen[GeoOtherScreenCount] = {};
    GeoVersion m_version{};
    ProjectorAddress m_address{};
    ProjectorInfo m_projector{};
    AutoCalibResult m_autoCalib{};
    GeometrySetting m_geometrySetting{};
    EdgeBlendSetting m_edgeBlendSetting{};
    EdgeBlendLocation m_edgeBlendLocation[GeoEdgeCount]{};
    BrightArea m_brightInside{};
    BrightArea m_brightOutside{};
    INT32 m_gamma[GeoEdgeCount]{};
    BlackLevelLocation m_blackLevelLocation[GeoEdgeCount]{};
    AuxiliaryRecord m_auxiliary{};
};

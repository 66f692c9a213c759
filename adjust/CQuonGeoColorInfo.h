// CQuonGeoColorInfo: one projector's colour-matching file - the header
// records, the colour-matching mode with seven colours of three values each,
// and the picture settings - read with the sequential reader of the
// Geometry file.
#pragma once

#include "formats/geometry_file.h"
#include "frame/label.h"
#include "frame/CUnknown.h"
#include "quon/IQuonGeoColorInfo.h"

class CQuonGeoColorInfo : public CQuonObject<CQuonGeoColorInfo, IQuonGeoColorInfo, IID_IQuonGeoColorInfo> {
public:
    explicit CQuonGeoColorInfo(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize(UINT32 number, const char* label) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* number, char* labelOut) override;
    HRESULT STDMETHODCALLTYPE SetBasicInfo(const GeoVersion* version, const char* address,
                                           const ProjectorInfo* projector) override;
    HRESULT STDMETHODCALLTYPE GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector) override;
    HRESULT STDMETHODCALLTYPE SetColorMatching(const ColorMatching* colorMatching) override;
    HRESULT STDMETHODCALLTYPE GetColorMatching(ColorMatching* colorMatching) override;
    HRESULT STDMETHODCALLTYPE SetPictureSetting(const PictureSetting* picture) override;
    HRESULT STDMETHODCALLTYPE GetPictureSetting(PictureSetting* picture) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    quon::Label m_identity;  // the number is the first
    quon::geofile::BasicInfo m_basic;
    ColorMatching m_colorMatching{};
    PictureSetting m_picture{};
};

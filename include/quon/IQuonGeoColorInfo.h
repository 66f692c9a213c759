// IQuonGeoColorInfo: one projector's colour-matching file (header, colour-matching
// mode with seven colours of three values, picture settings).
#pragma once

#include "IQuonGeoAdjustInfo.h"

inline constexpr UINT32 ColorMatchingColorCount = 7;
inline constexpr UINT32 ColorMatchingValuesPerColor = 3;

#pragma pack(push, 8)

// [COLOR_MATCHING]
struct ColorMatching {
    INT32 ColorMatchingMode;
    INT32 SevenColor[7][3];   // SevenColor[c - 1][v - 1] is key 7Color_c_v
};
static_assert(sizeof(ColorMatching) == 88);

// [PICTURE]
struct PictureSetting {
    INT32 WhiteBalanceHigh_0;
    INT32 WhiteBalanceHigh_1;
    INT32 WhiteBalanceHigh_2;
    INT32 TargetReset;
};
static_assert(sizeof(PictureSetting) == 16);

#pragma pack(pop)

struct IQuonGeoColorInfo : public IUnknown {
    // slot 3: store number and label
    virtual HRESULT STDMETHODCALLTYPE Initialize(UINT32 number, const char* label) = 0;
    // slot 4: number; the label is copied with its NUL (caller sizes the buffer)
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* number, char* labelOut) = 0;
    // slot 5: copy all three in (address: 64 bytes); every pointer is required
    virtual HRESULT STDMETHODCALLTYPE SetBasicInfo(const GeoVersion* version, const char* address,
                                                   const ProjectorInfo* projector) = 0;
    // slot 6: copy out; a null address is skipped, the other two are required
    virtual HRESULT STDMETHODCALLTYPE GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector) = 0;
    // slot 7: copy the colour-matching record in
    virtual HRESULT STDMETHODCALLTYPE SetColorMatching(const ColorMatching* colorMatching) = 0;
    // slot 8: copy the colour-matching record out
    virtual HRESULT STDMETHODCALLTYPE GetColorMatching(ColorMatching* colorMatching) = 0;
    // slot 9: copy the picture settings in
    virtual HRESULT STDMETHODCALLTYPE SetPictureSetting(const PictureSetting* picture) = 0;
    // slot 10: copy the picture settings out
    virtual HRESULT STDMETHODCALLTYPE GetPictureSetting(PictureSetting* picture) = 0;
    // slot 11: read a colour-matching Geometry file
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 12: write the colour-matching Geometry file; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 13: nothing to free
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoColorInfo>() { return IID_IQuonGeoColorInfo; }

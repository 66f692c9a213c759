// IQuonGeoAdjustInfo: one projector's geometry adjustment file (auto-calibration
// result, geometry setting, three other-screen grids, edge blending, black level).
// Also home of the Geometry-file records shared with IQuonGeoBlackLevelInfo and
// IQuonGeoColorInfo.
#pragma once

#include <cstddef>

#include "identifiers.h"
#include "IQuonGeoOtherScreenTag.h"

// Text capacities and counts of the Geometry-file records.
inline constexpr UINT32 ProjectorAddressSize = 64;      // 63 characters + NUL
inline constexpr UINT32 AutoCalibResultTextSize = 64;   // 63 characters + NUL
inline constexpr UINT32 BlackLevelPointCount = 33;      // POINT1 .. POINT33
inline constexpr UINT32 GeoEdgeCount = 4;               // LEFT, UPPER, RIGHT, LOWER
inline constexpr UINT32 GeoOtherScreenCount = 3;
inline constexpr UINT32 AuxiliaryRecordValueCount = 31;

// Indices of the per-edge arrays.
inline constexpr UINT32 GeoEdgeLeft = 0;
inline constexpr UINT32 GeoEdgeUpper = 1;
inline constexpr UINT32 GeoEdgeRight = 2;
inline constexpr UINT32 GeoEdgeLower = 3;

#pragma pack(push, 8)

// [VERSION]
struct GeoVersion {
    INT32 MajorVersion;
    INT32 MinorVersion;
};
static_assert(sizeof(GeoVersion) == 8);

// Address of the projector: NUL-terminated text.
struct ProjectorAddress {
    char address[ProjectorAddressSize];
};
static_assert(sizeof(ProjectorAddress) == 64);

// [PROJECTOR]
struct ProjectorInfo {
    INT32 Major;
    INT32 Minor;
    INT32 Panel;
    INT32 Screen;
};
static_assert(sizeof(ProjectorInfo) == 16);

// [AUTOCALIB]
struct AutoCalibResult {
    char Result[64];                 // NUL-terminated text
    double BestZoom;
    double BestShift[2];             // x, y
    INT32 HorizontalBlendingWidth;   // -1: both widths are left out when writing
    INT32 VerticalBlendingWidth;
    INT32 OANeighbor;
    double GuidePos[8];              // left x, y, upper x, y, right x, y, lower x, y
};
static_assert(sizeof(AutoCalibResult) == 168);
static_assert(offsetof(AutoCalibResult, GuidePos) == 104);

// [GEOMETRY_SETTING]
struct GeometrySetting {
    INT32 Screen;
    INT32 CheckMode;
    INT32 ControlMode;
};
static_assert(sizeof(GeometrySetting) == 12);

// [EDGEBLEND_SETTING]
struct EdgeBlendSetting {
    INT32 ControlMode;
    INT32 Marker;
    INT32 BlackLevelArea;   // -1: the whole edge-blend part is left out by IQuonGeoAdjustInfo
};
static_assert(sizeof(EdgeBlendSetting) == 12);

// [EDGEBLEND_LOCATION_x]
struct EdgeBlendLocation {
    INT32 ENABLE;
    INT32 START;
    INT32 WIDTH;
    INT32 OUTSIDEAREA;
    INT32 INTERLOCKED;
    INT32 COLOR;            // 24-bit colour as an integer
    INT32 KEYSTONEAREA;
};
static_assert(sizeof(EdgeBlendLocation) == 28);

// [EDGEBLEND_BRIGHT_INSIDE] / [EDGEBLEND_BRIGHT_OUTSIDE]
struct BrightArea {
    INT32 INTERLOCKED;
    BYTE COLOR[3];          // low, middle, high byte of the 24-bit colour
};
static_assert(sizeof(BrightArea) == 8);

// [BLACKLEVEL_LOCATION_x]
struct BlackLevelLocation {
    INT32 INTERLOCKED;
    INT32 COLOR;            // 24-bit colour as an integer
    INT32 BLACKBORDERWIDTH;
    INT32 FREESHAPE;
    INT32 ADJUSTMENTPOINTS; // 0 .. 33
    double POINT[33];       // POINT1 is element 0
};
static_assert(sizeof(BlackLevelLocation) == 288);
static_assert(offsetof(BlackLevelLocation, POINT) == 24);

// Host record stored and returned whole; carried by no text form.
struct AuxiliaryRecord {
    UINT32 values[31];
};
static_assert(sizeof(AuxiliaryRecord) == 124);

#pragma pack(pop)

struct IQuonGeoAdjustInfo : public IUnknown {
    // slot 3: store number and label, create the three other-screen tags and reset them
    virtual HRESULT STDMETHODCALLTYPE Initialize(UINT32 number, const char* label) = 0;
    // slot 4: number and a pointer to the label text (valid while the label is unchanged)
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* number, const char** label) = 0;
    // slot 5: copy in each record whose pointer is not null (address: 64 bytes)
    virtual HRESULT STDMETHODCALLTYPE SetBasicInfo(const GeoVersion* version, const char* address,
                                                   const ProjectorInfo* projector,
                                                   const AutoCalibResult* autoCalib,
                                                   const GeometrySetting* geometrySetting) = 0;
    // slot 6: copy out each record whose pointer is not null (address: 64 bytes)
    virtual HRESULT STDMETHODCALLTYPE GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector,
                                                   AutoCalibResult* autoCalib,
                                                   GeometrySetting* geometrySetting) = 0;
    // slot 7: replace other-screen tag 0..2 (takes a reference); E_FAIL for a null tag or another index
    virtual HRESULT STDMETHODCALLTYPE SetOtherScreen(UINT32 index, IQuonGeoOtherScreenTag* tag) = 0;
    // slot 8: hand out other-screen tag 0..2 with a new reference; E_FAIL when absent
    virtual HRESULT STDMETHODCALLTYPE GetOtherScreen(UINT32 index, IQuonGeoOtherScreenTag** tag) = 0;
    // slot 9: copy in each part whose pointer is not null (arrays in the order LEFT, UPPER, RIGHT, LOWER)
    virtual HRESULT STDMETHODCALLTYPE SetEdgeBlendInfo(const EdgeBlendSetting* setting,
                                                       const EdgeBlendLocation locations[4],
                                                       const BrightArea* inside, const BrightArea* outside,
                                                       const INT32 gamma[4],
                                                       const BlackLevelLocation blackLevels[4]) = 0;
    // slot 10: copy out each part whose pointer is not null
    virtual HRESULT STDMETHODCALLTYPE GetEdgeBlendInfo(EdgeBlendSetting* setting, EdgeBlendLocation locations[4],
                                                       BrightArea* inside, BrightArea* outside, INT32 gamma[4],
                                                       BlackLevelLocation blackLevels[4]) = 0;
    // slot 11: copy the auxiliary record in
    virtual HRESULT STDMETHODCALLTYPE SetAuxiliaryRecord(const AuxiliaryRecord* record) = 0;
    // slot 12: copy the auxiliary record out
    virtual HRESULT STDMETHODCALLTYPE GetAuxiliaryRecord(AuxiliaryRecord* record) = 0;
    // slot 13: read a Geometry file
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 14: write the Geometry file; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 15: release the three other-screen tags
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoAdjustInfo>() { return IID_IQuonGeoAdjustInfo; }

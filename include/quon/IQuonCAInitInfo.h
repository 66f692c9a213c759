// IQuonCAInitInfo: start data of the camera auto-calibration: pattern grid,
// camera arrangement with the band each camera sees, measured points and
// colours per camera, tuning parameters and reference colours.
// Also home of the camera-band records shared with IQuonBlkInitInfo.
#pragma once

#include "identifiers.h"

inline constexpr UINT32 ColourSetTripleCount = 7;

#pragma pack(push, 8)

// Band of the pattern a camera sees: 1-based, inclusive pattern rows and columns.
struct CameraRegion {
    INT32 startRow;
    INT32 endRow;
    INT32 startColumn;
    INT32 endColumn;
};
static_assert(sizeof(CameraRegion) == 16);

// Point numbers of a camera's band (points numbered from 1 in row order).
struct CameraPointRange {
    INT32 firstPoint;
    INT32 lastPoint;
    INT32 pointCount;
};
static_assert(sizeof(CameraPointRange) == 12);

// Measured data of one pattern point; present when value3 > 0.0.
struct PointRecord {
    double value1;
    double value2;
    double value3;
    double value4;
};
static_assert(sizeof(PointRecord) == 32);

// One reference colour.
struct ColourTriple {
    INT32 red;
    INT32 green;
    INT32 blue;
};
static_assert(sizeof(ColourTriple) == 12);

// Host reference colours: a lead value, then seven triples in the order
// red, green, blue, cyan, magenta, yellow, white.
struct ColourSet {
    INT32 lead;
    ColourTriple triples[7];
};
static_assert(sizeof(ColourSet) == 88);

#pragma pack(pop)

struct IQuonCAInitInfo : public IUnknown {
    // slot 3: set the identifiers and name; reset the tuning parameters and default colours
    virtual HRESULT STDMETHODCALLTYPE Initialize(UINT32 id1, UINT32 id2, const char* name) = 0;
    // slot 4: identifiers and name (each pointer may be null; name copied with its NUL into *name)
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id1, UINT32* id2, char** name) = 0;
    // slot 5: set the pattern grid and its pattern code
    virtual HRESULT STDMETHODCALLTYPE SetPatternGrid(INT32 rows, INT32 columns, UINT32 patternCode) = 0;
    // slot 6: the pattern grid and its pattern code
    virtual HRESULT STDMETHODCALLTYPE GetPatternGrid(UINT32* rows, UINT32* columns, UINT32* patternCode) = 0;
    // slot 7: set the camera arrangement; allocates fresh zeroed regions and ranges
    virtual HRESULT STDMETHODCALLTYPE SetCameraGrid(INT32 rows, INT32 columns, UINT32 mode) = 0;
    // slot 8: the camera arrangement
    virtual HRESULT STDMETHODCALLTYPE GetCameraGrid(UINT32* rows, UINT32* columns, UINT32* mode) = 0;
    // slot 9: store the region of camera (row, column) and derive its point range
    virtual HRESULT STDMETHODCALLTYPE SetCameraRegion(UINT32 row, UINT32 column, const CameraRegion* region) = 0;
    // slot 10: the region of camera (row, column)
    virtual HRESULT STDMETHODCALLTYPE GetCameraRegion(UINT32 row, UINT32 column, CameraRegion* region) = 0;
    // slot 11: store the measured point (row, column) of a camera (point tables made on first use)
    virtual HRESULT STDMETHODCALLTYPE SetPointRecord(INT32 camera, UINT32 row, UINT32 column,
                                                     const PointRecord* record) = 0;
    // slot 12: the measured point (row, column) of a camera
    virtual HRESULT STDMETHODCALLTYPE GetPointRecord(INT32 camera, UINT32 row, UINT32 column,
                                                     PointRecord* record) = 0;
    // slot 13: store the colour of point (row, column) of a camera (bytes 0-2: components)
    virtual HRESULT STDMETHODCALLTYPE SetPointColour(INT32 camera, UINT32 row, UINT32 column,
                                                     const UINT32* colour) = 0;
    // slot 14: the colour of point (row, column) of a camera
    virtual HRESULT STDMETHODCALLTYPE GetPointColour(INT32 camera, UINT32 row, UINT32 column, UINT32* colour) = 0;
    // slot 15: set the two real values
    virtual HRESULT STDMETHODCALLTYPE SetRealPair(double value1, double value2) = 0;
    // slot 16: the two real values (null pointers skipped)
    virtual HRESULT STDMETHODCALLTYPE GetRealPair(double* value1, double* value2) = 0;
    // slot 17: set the first auxiliary value
    virtual HRESULT STDMETHODCALLTYPE SetAuxValue1(UINT32 value) = 0;
    // slot 18: the first auxiliary value (null pointer skipped)
    virtual HRESULT STDMETHODCALLTYPE GetAuxValue1(UINT32* value) = 0;
    // slot 19: nonzero: the text carries the custom colours
    virtual HRESULT STDMETHODCALLTYPE SetUseCustomColours(UINT32 value) = 0;
    // slot 20: the custom-colour switch (null pointer skipped)
    virtual HRESULT STDMETHODCALLTYPE GetUseCustomColours(UINT32* value) = 0;
    // slot 21: set the second auxiliary value
    virtual HRESULT STDMETHODCALLTYPE SetAuxValue2(UINT32 value) = 0;
    // slot 22: the second auxiliary value (null pointer skipped)
    virtual HRESULT STDMETHODCALLTYPE GetAuxValue2(UINT32* value) = 0;
    // slot 23: copy the custom colour set in
    virtual HRESULT STDMETHODCALLTYPE SetCustomColours(const ColourSet* set) = 0;
    // slot 24: copy the custom colour set out
    virtual HRESULT STDMETHODCALLTYPE GetCustomColours(ColourSet* set) = 0;
    // slot 25: read the one-value-per-line text
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 26: write the text; *length always receives the full length; E_FAIL when it does not fit
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 27: release regions, ranges and all point and colour tables
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonCAInitInfo>() { return IID_IQuonCAInitInfo; }

// IQuonDMInitInfo: settings of the mark-detection stage: eighteen detection
// parameters, two lists of areas and a list of three-value records.
#pragma once

#include "identifiers.h"

#pragma pack(push, 8)

// Detection parameters; each field's name is its key in the text.
struct DetectMarkParams {
    double threshAfterReproject;
    double threshValidHomography;
    double rangeCorrectPair;
    double threshRANSACInliner;
    INT32 matchingCrossCheck;
    INT32 threshBRISK;
    INT32 makeMosaicImage;
    INT32 haloCorrect;
    INT32 threshHaloSignal;
    INT32 threshHaloCorrect;
    INT32 pointSelect;
    INT32 useInliner;
    INT32 binaryThreshLED;
    INT32 outputDebugImageLED;
    INT32 binaryOtsuMethodLED;
    INT32 maxAreaLED;
    INT32 minAreaLED;
    double aspectRatioLED;
};
static_assert(sizeof(DetectMarkParams) == 96);

// One area, written to text as four integers.
struct AreaRecord {
    double value1;
    double value2;
    double value3;
    double value4;
};
static_assert(sizeof(AreaRecord) == 32);

// One three-value record (no text form).
struct TripleRecord {
    double value1;
    double value2;
    double value3;
};
static_assert(sizeof(TripleRecord) == 24);

#pragma pack(pop)

struct IQuonDMInitInfo : public IUnknown {
    // slot 3: set id and name
    virtual HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id, const char* name) = 0;
    // slot 4: id; the name is copied with its NUL (caller sizes the buffer)
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id, char* name) = 0;
    // slot 5: copy the parameters in
    virtual HRESULT STDMETHODCALLTYPE SetParameters(const DetectMarkParams* params) = 0;
    // slot 6: copy the parameters out
    virtual HRESULT STDMETHODCALLTYPE GetParameters(DetectMarkParams* params) = 0;
    // slot 7: append an area to the first list
    virtual HRESULT STDMETHODCALLTYPE AddFirstArea(const AreaRecord* area) = 0;
    // slot 8: number of areas in the first list
    virtual HRESULT STDMETHODCALLTYPE GetFirstAreaCount(UINT32* count) = 0;
    // slot 9: copy area `index` of the first list out; E_INVALIDARG when out of range
    virtual HRESULT STDMETHODCALLTYPE GetFirstArea(UINT32 index, AreaRecord* area) = 0;
    // slot 10: append an area to the second list
    virtual HRESULT STDMETHODCALLTYPE AddSecondArea(const AreaRecord* area) = 0;
    // slot 11: number of areas in the second list
    virtual HRESULT STDMETHODCALLTYPE GetSecondAreaCount(UINT32* count) = 0;
    // slot 12: copy area `index` of the second list out; E_INVALIDARG when out of range
    virtual HRESULT STDMETHODCALLTYPE GetSecondArea(UINT32 index, AreaRecord* area) = 0;
    // slot 13: append a three-value record
    virtual HRESULT STDMETHODCALLTYPE AddTriple(const TripleRecord* triple) = 0;
    // slot 14: number of three-value records
    virtual HRESULT STDMETHODCALLTYPE GetTripleCount(UINT32* count) = 0;
    // slot 15: copy record `index` out; E_INVALIDARG when out of range
    virtual HRESULT STDMETHODCALLTYPE GetTriple(UINT32 index, TripleRecord* triple) = 0;
    // slot 16: read the key=value parameter text
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 17: write the parameter text into the buffer (caller provides room for all of it)
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 18: append the areas of an area text to the first list
    virtual HRESULT STDMETHODCALLTYPE LoadFirstAreasFromBuffer(const char* text, UINT32 length) = 0;
    // slot 19: write the first list as an area text
    virtual HRESULT STDMETHODCALLTYPE SaveFirstAreasToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 20: append the areas of an area text to the second list
    virtual HRESULT STDMETHODCALLTYPE LoadSecondAreasFromBuffer(const char* text, UINT32 length) = 0;
    // slot 21: write the second list as an area text
    virtual HRESULT STDMETHODCALLTYPE SaveSecondAreasToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 22: empty the first list (the other two stay)
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonDMInitInfo>() { return IID_IQuonDMInitInfo; }

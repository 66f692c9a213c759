// IQuonCalibPointTable: one table of calibration point records, read and
// written as comma-separated text of one record per line.
#pragma once

#include "identifiers.h"

#pragma pack(push, 8)

// One calibration point: eight reals and a tag.
struct CalibPoint {
    double value1;
    double value2;
    double value3;
    double value4;
    double value5;
    double value6;
    double value7;
    double value8;
    INT32 tag;
};
static_assert(sizeof(CalibPoint) == 72);

#pragma pack(pop)

struct IQuonCalibPointTable : public IUnknown {
    // slot 3: set both identifiers and the name
    virtual HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id1, UINT32 id2, const char* name) = 0;
    // slot 4: both identifiers; the name is copied with its NUL (caller sizes the buffer)
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id1, UINT32* id2, char* name) = 0;
    // slot 5: set the count and replace the records by `count` zeroed ones
    virtual HRESULT STDMETHODCALLTYPE SetPointCount(INT32 count) = 0;
    // slot 6: the record count
    virtual HRESULT STDMETHODCALLTYPE GetPointCount(UINT32* count) = 0;
    // slot 7: copy a record to `index`
    virtual HRESULT STDMETHODCALLTYPE SetPoint(INT32 index, const CalibPoint* point) = 0;
    // slot 8: copy record `index` out
    virtual HRESULT STDMETHODCALLTYPE GetPoint(INT32 index, CalibPoint* point) = 0;
    // slot 9: read the table text (one record per line)
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 10: write the table text; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 11: release the records (the count stays)
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonCalibPointTable>() { return IID_IQuonCalibPointTable; }

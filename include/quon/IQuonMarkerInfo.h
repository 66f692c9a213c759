// IQuonMarkerInfo: a thread-safe, named list of marker positions.
#pragma once

#include "identifiers.h"

#pragma pack(push, 8)

// One marker position.
struct MarkerPoint {
    double value1;
    double value2;
};
static_assert(sizeof(MarkerPoint) == 16);

#pragma pack(pop)

struct IQuonMarkerInfo : public IUnknown {
    // slot 3: store the name
    virtual HRESULT STDMETHODCALLTYPE SetName(const char* name) = 0;
    // slot 4: copy the name with its NUL into the buffer *name points at (caller sizes it)
    virtual HRESULT STDMETHODCALLTYPE GetName(char** name) = 0;
    // slot 5: append a copy of the record
    virtual HRESULT STDMETHODCALLTYPE AddRecord(const MarkerPoint* record) = 0;
    // slot 6: number of records
    virtual HRESULT STDMETHODCALLTYPE GetRecordCount(UINT32* count) = 0;
    // slot 7: copy record `index` out; E_INVALIDARG when out of range
    virtual HRESULT STDMETHODCALLTYPE GetRecord(UINT32 index, MarkerPoint* record) = 0;
    // slot 8: append the records of a text
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 9: write all records as text (caller provides room for all of it)
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) = 0;
    // slot 10: empty the list
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonMarkerInfo>() { return IID_IQuonMarkerInfo; }

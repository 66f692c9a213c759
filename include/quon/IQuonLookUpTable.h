// IQuonLookUpTable: one two-dimensional table of four-real entries.
#pragma once

#include "identifiers.h"

#pragma pack(push, 8)

// One table entry: four reals, stored and printed only.
struct LookUpEntry {
    double value0;
    double value1;
    double value2;
    double value3;
};
static_assert(sizeof(LookUpEntry) == 32);

#pragma pack(pop)

struct IQuonLookUpTable : public IUnknown {
    // slot 3
    virtual HRESULT STDMETHODCALLTYPE SetLabel(UINT32 labelA, UINT32 labelB, const char* name) = 0;
    // slot 4
    virtual HRESULT STDMETHODCALLTYPE GetLabelValues(UINT32* labelA, UINT32* labelB) = 0;
    // slot 5
    virtual HRESULT STDMETHODCALLTYPE SetTableSize(INT32 columns, INT32 rows) = 0;
    // slot 6
    virtual HRESULT STDMETHODCALLTYPE GetTableSize(UINT32* columns, UINT32* rows) = 0;
    // slot 7
    virtual HRESULT STDMETHODCALLTYPE SetEntry(UINT32 column, UINT32 row, const LookUpEntry* entry) = 0;
    // slot 8
    virtual HRESULT STDMETHODCALLTYPE GetEntry(UINT32 column, UINT32 row, LookUpEntry* entry) = 0;
    // slot 9
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 10
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) = 0;
    // slot 11
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonLookUpTable>() { return IID_IQuonLookUpTable; }

// IQuonLookUpTableList: an ordered list of look-up tables held by reference,
// read and written as one document of consecutive table blocks.
#pragma once

#include "IQuonLookUpTable.h"

struct IQuonLookUpTableList : public IUnknown {
    // slot 3: store the name
    virtual HRESULT STDMETHODCALLTYPE SetName(const char* name) = 0;
    // slot 4: does nothing
    virtual HRESULT STDMETHODCALLTYPE Reserved() = 0;
    // slot 5: append a table and take a reference on it
    virtual HRESULT STDMETHODCALLTYPE Add(IQuonLookUpTable* table) = 0;
    // slot 6: number of tables in the list
    virtual HRESULT STDMETHODCALLTYPE GetCount(UINT32* count) = 0;
    // slot 7: hand out table `index` with a new reference (untouched when out of range)
    virtual HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, IQuonLookUpTable** table) = 0;
    // slot 8: read table blocks and append one new table per block
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 9: print every table as a block; E_FAIL when longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) = 0;
    // slot 10: release every table and empty the list
    virtual HRESULT STDMETHODCALLTYPE ReleaseAll() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonLookUpTableList>() { return IID_IQuonLookUpTableList; }

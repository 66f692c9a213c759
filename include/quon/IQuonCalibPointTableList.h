// IQuonCalibPointTableList: an ordered list of calibration point tables held
// by reference.
#pragma once

#include "IQuonCalibPointTable.h"

struct IQuonCalibPointTableList : public IUnknown {
    // slot 3: set id and name
    virtual HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id, const char* name) = 0;
    // slot 4: id; the name is copied with its NUL (caller sizes the buffer)
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id, char* name) = 0;
    // slot 5: append a table and take a reference on it
    virtual HRESULT STDMETHODCALLTYPE AddTable(IQuonCalibPointTable* table) = 0;
    // slot 6: number of entries
    virtual HRESULT STDMETHODCALLTYPE GetTableCount(UINT32* count) = 0;
    // slot 7: hand out entry `index` with a new reference (null for a released entry,
    // untouched when out of range)
    virtual HRESULT STDMETHODCALLTYPE GetTable(UINT32 index, IQuonCalibPointTable** table) = 0;
    // slot 8: release every table; the entries stay, set to null
    virtual HRESULT STDMETHODCALLTYPE ReleaseTables() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonCalibPointTableList>() { return IID_IQuonCalibPointTableList; }

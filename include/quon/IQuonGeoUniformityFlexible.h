// IQuonGeoUniformityFlexible: a label, a mode, a four-real header (h2 x h3 is
// the grid size) and a grid of 12-byte uniformity records.
#pragma once

#include "identifiers.h"

inline constexpr UINT32 UniformityRecordSize = 12;

struct IQuonGeoUniformityFlexible : public IUnknown {
    // slot 3: store id and name; allocate the default 31 x 20 zeroed records
    virtual HRESULT STDMETHODCALLTYPE Initialize(UINT32 id, const char* name) = 0;
    // slot 4: store the header and copy h2 x h3 records of 12 bytes
    virtual HRESULT STDMETHODCALLTYPE SetData(const double header[4], const void* records) = 0;
    // slot 5: store the mode
    virtual HRESULT STDMETHODCALLTYPE SetMode(UINT32 mode) = 0;
    // slot 6: header copy and a pointer to the object's own records (either may be null);
    // the pointer stays valid until the next SetData or Initialize
    virtual HRESULT STDMETHODCALLTYPE GetData(double header[4], const void** records) = 0;
    // slot 7: does nothing
    virtual HRESULT STDMETHODCALLTYPE Reserved() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoUniformityFlexible>() { return IID_IQuonGeoUniformityFlexible; }

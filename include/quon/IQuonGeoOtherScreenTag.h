// IQuonGeoOtherScreenTag: a fixed 79 x 129 grid of 16-byte tag records that
// remembers how far it has been filled.
#pragma once

#include "identifiers.h"

// Capacity of the grid and size of one tag record.
inline constexpr UINT32 OtherScreenTagColumns = 129;
inline constexpr UINT32 OtherScreenTagRows = 79;
inline constexpr UINT32 OtherScreenTagRecordSize = 16;

struct IQuonGeoOtherScreenTag : public IUnknown {
    // slot 3: clear every tag and the used size (allocates the grid on first use)
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    // slot 4: one more than the highest column and row written since the last reset
    virtual HRESULT STDMETHODCALLTYPE GetUsedSize(UINT32* columns, UINT32* rows) = 0;
    // slot 5: copy a 16-byte tag into (row, column) and widen the used size
    virtual HRESULT STDMETHODCALLTYPE SetTag(UINT32 row, UINT32 column, const void* tag) = 0;
    // slot 6: copy the 16-byte tag at (row, column) out
    virtual HRESULT STDMETHODCALLTYPE GetTag(UINT32 row, UINT32 column, void* tag) = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGeoOtherScreenTag>() { return IID_IQuonGeoOtherScreenTag; }

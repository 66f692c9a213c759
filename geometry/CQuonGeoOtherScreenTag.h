// CQuonGeoOtherScreenTag: a fixed 79 x 129 grid of 16-byte tag records that
// remembers how far it has been filled. It has no text form.
#pragma once

#include <array>
#include <memory>

#include "frame/CUnknown.h"
#include "quon/IQuonGeoOtherScreenTag.h"

class CQuonGeoOtherScreenTag
    : public CQuonObject<CQuonGeoOtherScreenTag, IQuonGeoOtherScreenTag, IID_IQuonGeoOtherScreenTag> {
public:
    explicit CQuonGeoOtherScreenTag(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE GetUsedSize(UINT32* columns, UINT32* rows) override;
    HRESULT STDMETHODCALLTYPE SetTag(UINT32 row, UINT32 column, const void* tag) override;
    HRESULT STDMETHODCALLTYPE GetTag(UINT32 row, UINT32 column, void* tag) override;

private:
    using Record = std::array<BYTE, OtherScreenTagRecordSize>;

    // Checks a tag access: E_POINTER for a null record, E_FAIL before the
    // first Reset, E_INVALIDARG outside the grid; S_OK with *index set.
    HRESULT Locate(UINT32 row, UINT32 column, const void* tag, UINT32* index) const;

    INT32 m_capacityColumns = static_cast<INT32>(OtherScreenTagColumns);
    INT32 m_capacityRows = static_cast<INT32>(OtherScreenTagRows);
    INT32 m_usedColumns = 0;
    INT32 m_usedRows = 0;
    std::unique_ptr<Record[]> m_tags;  // row-major, allocated by the first Reset
};

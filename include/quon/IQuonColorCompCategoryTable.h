// IQuonColorCompCategoryTable: the projector categories of one colour
// compensation set and their version, read and written as a JSON document.
#pragma once

#include "identifiers.h"

inline constexpr UINT32 ColorCompVersionSize = 32;    // 31 characters + NUL
inline constexpr UINT32 ColorCompCategorySize = 64;   // 63 characters + NUL
inline constexpr UINT32 ColorCompOrgSpecTableCount = 3;

#pragma pack(push, 8)

// One category of an original sheet.
struct ColorCompCategoryEntry {
    char PjCategory[64];     // NUL-terminated
    UINT32 PjCategoryN;
    UINT32 pjtype;
};
static_assert(sizeof(ColorCompCategoryEntry) == 72);

// The category pair of a difference sheet.
struct ColorCompCategoryPair {
    char PjCategory_0[64];   // NUL-terminated
    UINT32 PjCategoryN_0;
    UINT32 pjtype_0;
    char PjCategory_1[64];   // NUL-terminated
    UINT32 PjCategoryN_1;
    UINT32 pjtype_1;
};
static_assert(sizeof(ColorCompCategoryPair) == 144);

// The whole record, copied as a block.
struct ColorCompCategoryTableData {
    char Version[32];        // NUL-terminated
    ColorCompCategoryEntry OrgSpecTable[3];
    ColorCompCategoryPair DiffSpecTable;
};
static_assert(sizeof(ColorCompCategoryTableData) == 392);

#pragma pack(pop)

struct IQuonColorCompCategoryTable : public IUnknown {
    // slot 3: zero-fill the record
    virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;
    // slot 4: copy the record in
    virtual HRESULT STDMETHODCALLTYPE SetData(const ColorCompCategoryTableData* data) = 0;
    // slot 5: copy the record out
    virtual HRESULT STDMETHODCALLTYPE GetData(ColorCompCategoryTableData* data) = 0;
    // slot 6: merge the members of a JSON document into the record
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 7: write the record as JSON; E_FAIL for a null buffer or a text longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) = 0;
    // slot 8: nothing to free
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonColorCompCategoryTable>() { return IID_IQuonColorCompCategoryTable; }

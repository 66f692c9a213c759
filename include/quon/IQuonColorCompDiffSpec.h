// IQuonColorCompDiffSpec: the colour difference sheet between two
// projector types: a header and up to three attached seven-colour objects,
// one per picture mode.
#pragma once

#include "IQuonColorDiff7colors.h"

#pragma pack(push, 8)

// Header of a colour difference sheet.
struct ColorCompDiffSpecHeader {
    char Version[32];        // NUL-terminated
    INT32 pjtype_0;
    INT32 pjtype_1;
    INT32 pmodeNum;
};
static_assert(sizeof(ColorCompDiffSpecHeader) == 44);

#pragma pack(pop)

struct IQuonColorCompDiffSpec : public IUnknown {
    // slot 3: release the attached objects and start an empty table of three slots
    virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;
    // slot 4: copy the header in
    virtual HRESULT STDMETHODCALLTYPE SetHeader(const ColorCompDiffSpecHeader* header) = 0;
    // slot 5: copy the header out
    virtual HRESULT STDMETHODCALLTYPE GetHeader(ColorCompDiffSpecHeader* header) = 0;
    // slot 6: attach a seven-colour object in the next free slot and take a reference
    // (ignored when full or null)
    virtual HRESULT STDMETHODCALLTYPE AddDiff7colors(IQuonColorDiff7colors* diff) = 0;
    // slot 7: number of attached objects
    virtual HRESULT STDMETHODCALLTYPE GetDiff7colorsCount(UINT32* count) = 0;
    // slot 8: hand out object `index` with a new reference (untouched when index >= 3)
    virtual HRESULT STDMETHODCALLTYPE GetDiff7colors(UINT32 index, IQuonColorDiff7colors** diff) = 0;
    // slot 9: read the header members of a document
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 10: write the whole sheet; E_FAIL for a null buffer or a text longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) = 0;
    // slot 11: release the attached objects, the table and the per-mode records
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonColorCompDiffSpec>() { return IID_IQuonColorCompDiffSpec; }

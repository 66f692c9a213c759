// IQuonColorCompOrgSpec: the original colour sheet of one projector
// type: a header and up to three attached spectrum objects, one per picture mode.
#pragma once

#include "IQuonColorSpectrum.h"

inline constexpr UINT32 ColorCompPmodeCapacity = 3;

#pragma pack(push, 8)

// Header of an original colour sheet.
struct ColorCompOrgSpecHeader {
    char Version[32];        // NUL-terminated
    INT32 pjtype;
    INT32 pmodeNum;
};
static_assert(sizeof(ColorCompOrgSpecHeader) == 40);

#pragma pack(pop)

struct IQuonColorCompOrgSpec : public IUnknown {
    // slot 3: release the attached spectra and start an empty table of three slots
    virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;
    // slot 4: copy the header in
    virtual HRESULT STDMETHODCALLTYPE SetHeader(const ColorCompOrgSpecHeader* header) = 0;
    // slot 5: copy the header out
    virtual HRESULT STDMETHODCALLTYPE GetHeader(ColorCompOrgSpecHeader* header) = 0;
    // slot 6: attach a spectrum in the next free slot and take a reference (ignored when full or null)
    virtual HRESULT STDMETHODCALLTYPE AddSpectrum(IQuonColorSpectrum* spectrum) = 0;
    // slot 7: number of attached spectra
    virtual HRESULT STDMETHODCALLTYPE GetSpectrumCount(UINT32* count) = 0;
    // slot 8: hand out spectrum `index` with a new reference (untouched when index >= 3)
    virtual HRESULT STDMETHODCALLTYPE GetSpectrum(UINT32 index, IQuonColorSpectrum** spectrum) = 0;
    // slot 9: read the header members of a document
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 10: write the whole sheet; E_FAIL for a null buffer or a text longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) = 0;
    // slot 11: release the attached spectra, the table and the per-mode records
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonColorCompOrgSpec>() { return IID_IQuonColorCompOrgSpec; }

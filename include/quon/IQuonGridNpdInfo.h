// IQuonGridNpdInfo: one fixed set of forty pattern parameters with factory
// defaults (projector resolution among them), a version text and host labels.
#pragma once

#include <cstddef>

#include "identifiers.h"

inline constexpr UINT32 GridNpdVersionSize = 64;   // 63 characters + NUL

#pragma pack(push, 8)

// The whole parameter set; one text line per value (lines 1 to 40), version last.
struct GridNpdParams {
    INT32 npdInt1;
    INT32 npdInt2;
    INT32 npdInt3;
    INT32 npdInt4;
    INT32 npdInt5;
    INT32 npdInt6;
    INT32 npdInt7;
    INT32 npdInt8;
    double npdReal9;
    double npdReal10;
    double npdReal11;
    INT32 npdInt12;
    double npdReal13;
    INT32 level14;
    INT32 level15;
    INT32 level16;
    double npdReal17;
    INT32 npdInt18;
    INT32 npdInt19;
    INT32 npdInt20;
    INT32 npdInt21;
    INT32 npdInt22;
    INT32 npdInt23;
    INT32 npdInt24;
    INT32 projectorResX;
    INT32 projectorResY;
    double factor27;
    double factor28;
    INT32 npdInt29;
    INT32 npdInt30;
    INT32 npdInt31;
    double npdReal32;
    double npdReal33;
    double npdReal34;
    double npdReal35;
    double npdReal36;
    double npdReal37;
    double npdReal38;
    INT32 npdInt39;
    double npdReal40;
    char version[64];   // NUL-terminated; not part of the text form
};
static_assert(offsetof(GridNpdParams, npdReal13) == 64);
static_assert(offsetof(GridNpdParams, factor27) == 136);
static_assert(offsetof(GridNpdParams, npdReal40) == 232);
static_assert(offsetof(GridNpdParams, version) == 240);
static_assert(sizeof(GridNpdParams) == 304);

#pragma pack(pop)

struct IQuonGridNpdInfo : public IUnknown {
    // slot 3: store the two labels and the name
    virtual HRESULT STDMETHODCALLTYPE SetLabel(UINT32 labelA, UINT32 labelB, const char* name) = 0;
    // slot 4: return the labels; the name is copied with its NUL into the buffer *name points at
    virtual HRESULT STDMETHODCALLTYPE GetLabel(UINT32* labelA, UINT32* labelB, char** name) = 0;
    // slot 5: set level14, level15, level16 from three bytes
    virtual HRESULT STDMETHODCALLTYPE SetLevels(const BYTE levels[3]) = 0;
    // slot 6: set the projector resolution (x, y), truncated to integers
    virtual HRESULT STDMETHODCALLTYPE SetProjectorResolution(const double resolution[2]) = 0;
    // slot 7: set factor27 and factor28
    virtual HRESULT STDMETHODCALLTYPE SetFactors(const double factors[2]) = 0;
    // slot 8: copy the whole parameter set out, version included
    virtual HRESULT STDMETHODCALLTYPE GetParams(GridNpdParams* params) = 0;
    // slot 9: read the one-value-per-line list; E_FAIL for an empty text or fewer than 40 lines
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 10: write the list; E_FAIL for a null buffer or a text longer than capacity
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) = 0;
    // slot 11: write the JSON fragment with pattern step and projector resolution
    virtual HRESULT STDMETHODCALLTYPE SaveAsJson(char* buffer, INT32 capacity, UINT32* written, UINT32 patternStep) = 0;
    // slot 12: does nothing
    virtual HRESULT STDMETHODCALLTYPE Reserved() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGridNpdInfo>() { return IID_IQuonGridNpdInfo; }

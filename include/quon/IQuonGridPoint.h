// IQuonGridPoint: one rectangular map of grid points with a header and an
// optional block of sixteen extra reals.
#pragma once

#include "identifiers.h"

#pragma pack(push, 8)

// Size and further header values of a grid point map.
struct GridPointHeader {
    double columns;      // grid points per row
    double rows;         // number of rows
    double headerReal2;
    double headerReal3;
    INT32 headerInt0;
    INT32 headerInt1;
    INT32 headerInt2;
    INT32 extraFlag;     // >= 1: the extra block is written; != 0: it is read
};
static_assert(sizeof(GridPointHeader) == 48);

// One grid point, stored and printed only.
struct GridPointRecord {
    double real0;
    double real1;
    double real2;
    double real3;
    INT32 int0;
    INT32 int1;
    double real4;
    double real5;
    double real6;
    double real7;
    INT32 int2;
};
static_assert(sizeof(GridPointRecord) == 80);

#pragma pack(pop)

// Number of reals in the extra block (two rows of eight).
inline constexpr UINT32 GridPointExtraCount = 16;

struct IQuonGridPoint : public IUnknown {
    // slot 3: store the two labels and the name
    virtual HRESULT STDMETHODCALLTYPE SetLabel(UINT32 labelA, UINT32 labelB, const char* name) = 0;
    // slot 4: return the two labels; the name is copied with its NUL (caller sizes the buffer)
    virtual HRESULT STDMETHODCALLTYPE GetLabel(UINT32* labelA, UINT32* labelB, char* name) = 0;
    // slot 5: copy the header and allocate columns x rows zeroed points
    virtual HRESULT STDMETHODCALLTYPE SetHeader(const GridPointHeader* header) = 0;
    // slot 6: copy a record into entry (column, row)
    virtual HRESULT STDMETHODCALLTYPE SetPoint(UINT32 column, UINT32 row, const GridPointRecord* point) = 0;
    // slot 7: copy the 16 extra reals in
    virtual HRESULT STDMETHODCALLTYPE SetExtra(const double extra[16]) = 0;
    // slot 8: copy the header out
    virtual HRESULT STDMETHODCALLTYPE GetHeader(GridPointHeader* header) = 0;
    // slot 9: copy entry (column, row) out
    virtual HRESULT STDMETHODCALLTYPE GetPoint(UINT32 column, UINT32 row, GridPointRecord* point) = 0;
    // slot 10: copy the 16 extra reals out
    virtual HRESULT STDMETHODCALLTYPE GetExtra(double extra[16]) = 0;
    // slot 11: read the numeric table text
    virtual HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) = 0;
    // slot 12: print the table straight into the buffer (zero-filled first); room is
    // needed for the text and its terminator
    virtual HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) = 0;
    // slot 13: release the point array (the header stays)
    virtual HRESULT STDMETHODCALLTYPE FreeData() = 0;
};

template <>
inline const IID& quon::IidOf<IQuonGridPoint>() { return IID_IQuonGridPoint; }

// Platform types of the component interface: HRESULT, GUID, IUnknown and the
// status codes. On Windows they come from the Windows headers; elsewhere from
// this small layer, which follows the Windows x64 binary contract (LONG and
// ULONG are 32 bits wide; nothing here is declared as `long`).
#pragma once

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <unknwn.h>

#else  // !_WIN32

#include <cstdint>

typedef int32_t HRESULT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef int32_t BOOL;
typedef int32_t INT;
typedef int32_t INT32;
typedef uint32_t UINT;
typedef uint32_t UINT32;
typedef int64_t INT64;
typedef uint64_t UINT64;
typedef uint8_t BYTE;
typedef uint16_t WORD;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

#define STDMETHODCALLTYPE

#define S_OK ((HRESULT)0x00000000)
#define S_FALSE ((HRESULT)0x00000001)
#define E_NOTIMPL ((HRESULT)0x80004001)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define E_FAIL ((HRESULT)0x80004005)
#define E_UNEXPECTED ((HRESULT)0x8000FFFF)
#define E_HANDLE ((HRESULT)0x80070006)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111)

#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

// The COM base interface. Slot order: QueryInterface, AddRef, Release.
struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};

inline constexpr GUID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

#endif  // _WIN32

static_assert(sizeof(HRESULT) == 4 && sizeof(ULONG) == 4 && sizeof(UINT32) == 4 && sizeof(INT32) == 4);
static_assert(sizeof(GUID) == 16);

// The interface identifier of interface I, for code that is written once for
// every interface (quon::Ptr, quon::Module): IidOf<IQuonLookUpTable>() is
// IID_IQuonLookUpTable. Each interface header declares its own.
namespace quon {
template <class I>
const IID& IidOf() = delete;
}  // namespace quon
template <>
inline const IID& quon::IidOf<IUnknown>() { return IID_IUnknown; }

// Entry point exported by the module (and by every sibling module that follows
// the same contract).
typedef HRESULT (*PFN_DllCreateInstance)(REFCLSID rclsid, REFIID riid, void** ppv);

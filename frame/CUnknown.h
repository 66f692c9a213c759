// The object model shared by every model class.
//
// An object of class CQuonX is laid out as: the IQuonX interface (handed out
// for IID_IQuonX), the CUnknown part whose first base INonDelegatingUnknown is
// handed out for IID_IUnknown, the CBaseObject part, m_cRef, m_pUnknown, then
// the class's own fields. m_pUnknown is the owning unknown: the outer unknown
// when the object is aggregated, otherwise the object's own
// INonDelegatingUnknown (whose table of methods has the same shape as
// IUnknown's, so a host may call it as one). The IQuonX slots 0-2 forward to
// the outer unknown; an object that owns itself calls its non-delegating
// methods directly rather than through an IUnknown pointer to a class that is
// not an IUnknown.
#pragma once

#include "frame/platform.h"

#include <cstdint>
#include <cstring>

// Compares two identifiers as two 64-bit halves.
inline bool IsSameGuid(const GUID& a, const GUID& b) {
    uint64_t x[2];
    uint64_t y[2];
    std::memcpy(x, &a, sizeof x);
    std::memcpy(y, &b, sizeof y);
    return x[0] == y[0] && x[1] == y[1];
}

class INonDelegatingUnknown {
public:
    virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;
};

class CBaseObject {
public:
    CBaseObject();
    virtual ~CBaseObject();
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;

    // Number of live model objects in the process.
    static LONG ObjectCount();

private:
    static volatile LONG m_cObjects;
};

class CUnknown : public INonDelegatingUnknown, public CBaseObject {
public:
    explicit CUnknown(IUnknown* pUnkOuter);
    ~CUnknown() override = default;

    ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override;
    ULONG STDMETHODCALLTYPE NonDelegatingRelease() override;

    IUnknown* GetOwner() const { return m_pUnknown; }

protected:
    // True when no outer unknown was given: m_pUnknown is this object's own
    // non-delegating unknown.
    bool OwnsItself() const {
        return m_pUnknown == reinterpret_cast<const IUnknown*>(static_cast<const INonDelegatingUnknown*>(this));
    }

    volatile LONG m_cRef;
    IUnknown* m_pUnknown;
};

// Base of every model class CQuonX: derives from IQuonX and CUnknown in that
// order, forwards slots 0-2 to the owning unknown, answers IID_IQuonX and
// IID_IUnknown, and supplies the create function of the factory table.
template <class Derived, class Interface, const IID& InterfaceId>
class CQuonObject : public Interface, public CUnknown {
public:
    explicit CQuonObject(IUnknown* pUnkOuter) : CUnknown(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        return OwnsItself() ? NonDelegatingQueryInterface(riid, ppv) : m_pUnknown->QueryInterface(riid, ppv);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return OwnsItself() ? NonDelegatingAddRef() : m_pUnknown->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return OwnsItself() ? NonDelegatingRelease() : m_pUnknown->Release(); }

    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (IsSameGuid(riid, InterfaceId)) {
            Interface* itf = static_cast<Interface*>(this);
            *ppv = itf;
            itf->AddRef();
            return S_OK;
        }
        if (IsSameGuid(riid, IID_IUnknown)) {
            INonDelegatingUnknown* inner = static_cast<INonDelegatingUnknown*>(this);
            *ppv = inner;
            inner->NonDelegatingAddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }

    // Create function stored in the factory table. Never writes *phr; an
    // allocation failure leaves as the standard exception.
    static CUnknown* CreateInstance(IUnknown* pUnkOuter, HRESULT* phr) {
        (void)phr;
        return new Derived(pUnkOuter);
    }
};

#include "frame/CUnknown.h"

#include <algorithm>

volatile LONG CBaseObject::m_cObjects = 0;

CBaseObject::CBaseObject() { InterlockedIncrement(&m_cObjects); }

CBaseObject::~CBaseObject() { InterlockedDecrement(&m_cObjects); }

LONG CBaseObject::ObjectCount() { return m_cObjects; }

CUnknown::CUnknown(IUnknown* pUnkOuter)
    : m_cRef(0),
      // Without an outer unknown the object owns itself: its non-delegating
      // table has the IUnknown shape, so the forwarding slots reach it.
      m_pUnknown(pUnkOuter != nullptr ? pUnkOuter
                                      : reinterpret_cast<IUnknown*>(static_cast<INonDelegatingUnknown*>(this))) {}

ULONG CUnknown::NonDelegatingAddRef() {
    InterlockedIncrement(&m_cRef);
    return std::max<ULONG>(static_cast<ULONG>(m_cRef), 1);
}

ULONG CUnknown::NonDelegatingRelease() {
    if (InterlockedDecrement(&m_cRef) == 0) {
        // Keep the count positive while the destructor runs, so that a
        // reference taken and dropped inside it cannot destroy twice.
        m_cRef = m_cRef + 1;
        delete this;
        return 0;
    }
    return std::max<ULONG>(static_cast<ULONG>(m_cRef), 1);
}

#include "frame/CUnknown.h"

#include <algorithm>

volatile LONG CBaseObject::m_cObjects = 0;

CBaseObject::CBaseObject() { InterlockedIncrement(&m_cObjects); }

CBaseObject::~CBaseObject() { InterlockedDecrement(&m_cObjects); }

LONG CBaseObject::ObjectCount() { return __atomic_load_n(&m_cObjects, __ATOMIC_SEQ_CST); }

CUnknown::CUnknown(IUnknown* pUnkOuter)
    : m_cRef(0),
      // Without an outer unknown the object owns itself: its non-delegating
      // table has the IUnknown shape, so the forwarding slots reach it.
      m_pUnknown(pUnkOuter != nullptr ? pUnkOuter
                                      : reinterpret_cast<IUnknown*>(static_cast<INonDelegatingUnknown*>(this))) {}

namespace {

// The count read again after an interlocked change (an atomic load, so that
// a concurrent change is never a data race).
ULONG CountNow(volatile LONG* count) {
    return std::max<ULONG>(static_cast<ULONG>(__atomic_load_n(count, __ATOMIC_SEQ_CST)), 1);
}

}  // namespace

ULONG CUnknown::NonDelegatingAddRef() {
    InterlockedIncrement(&m_cRef);
    return CountNow(&m_cRef);
}

ULONG CUnknown::NonDelegatingRelease() {
    if (InterlockedDecrement(&m_cRef) == 0) {
        // Keep the count positive while the destructor runs, so that a
        // reference taken and dropped inside it cannot destroy twice.
        m_cRef = m_cRef + 1;
        delete this;
        return 0;
    }
    return CountNow(&m_cRef);
}

// CTolvLock: one critical section. CTolvAutoLock: holds a CTolvLock for the
// lifetime of a scope. The lock is recursive, like a Windows critical section.
#pragma once

#include "frame/platform.h"

class CTolvLock {
public:
    CTolvLock() { InitializeCriticalSection(&m_cs); }
    virtual ~CTolvLock() { DeleteCriticalSection(&m_cs); }
    CTolvLock(const CTolvLock&) = delete;
    CTolvLock& operator=(const CTolvLock&) = delete;

    void Lock() { EnterCriticalSection(&m_cs); }
    void Unlock() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
};

class CTolvAutoLock {
public:
    explicit CTolvAutoLock(CTolvLock* lock) : m_pLock(lock) { m_pLock->Lock(); }
    virtual ~CTolvAutoLock() { m_pLock->Unlock(); }
    CTolvAutoLock(const CTolvAutoLock&) = delete;
    CTolvAutoLock& operator=(const CTolvAutoLock&) = delete;

private:
    CTolvLock* m_pLock;
};

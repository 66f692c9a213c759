// Kernel services the library uses: critical sections and interlocked
// counters. On Windows these are the real Windows functions; elsewhere this
// header supplies equivalents with the same names and semantics (critical
// sections are recursive, interlocked operations are sequentially consistent
// and return the new value).
#pragma once

#include "quon/platform_types.h"

#ifndef _WIN32

#include <mutex>
#include <new>

struct CRITICAL_SECTION {
    alignas(std::recursive_mutex) unsigned char storage[sizeof(std::recursive_mutex)];
    std::recursive_mutex& mutex() { return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage)); }
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

inline void InitializeCriticalSection(LPCRITICAL_SECTION cs) { new (cs->storage) std::recursive_mutex(); }
inline void DeleteCriticalSection(LPCRITICAL_SECTION cs) { cs->mutex().~recursive_mutex(); }
inline void EnterCriticalSection(LPCRITICAL_SECTION cs) { cs->mutex().lock(); }
inline void LeaveCriticalSection(LPCRITICAL_SECTION cs) { cs->mutex().unlock(); }

inline LONG InterlockedIncrement(LONG volatile* value) { return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST); }
inline LONG InterlockedDecrement(LONG volatile* value) { return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST); }

#endif  // !_WIN32

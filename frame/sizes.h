// Counts, extents and integer truncations taken from untrusted numbers (a
// header read from text, a caller's record): the model's arrays are sized and
// addressed only through these, so that an absurd size ends in a refusal or
// the allocation failure exception instead of a wrapped count.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <vector>

#include "quon/platform_types.h"

namespace quon {

// Largest table a model object allocates, in bytes: one limit for every
// class, checked before anything is allocated, whether the count comes from
// a text or from a host call. 256 MiB holds any real installation's data
// (the largest real table, a 129 x 79 grid of 96-byte points, is under 1 MiB)
// while a hostile count cannot make the host commit gigabytes. A request past
// it is refused the way the class refuses an allocation: by the allocation
// failure exception (ZeroedArray) or, where the class documents it, by
// E_INVALIDARG (TableFits).
//
// Fuzzing builds (the fuzz preset) hold tables to 1 MiB with the same
// checks, so that writing back a table that a few bytes announce stays fast
// under the sanitizers and any larger allocation stands out as a fault.
#if defined(FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION)
inline constexpr uint64_t kMaxArrayBytes = uint64_t{1} << 20;
#else
inline constexpr uint64_t kMaxArrayBytes = uint64_t{256} << 20;
#endif

// True when count records of recordSize bytes stay within kMaxArrayBytes
// (and count is not negative).
inline bool TableFits(int64_t count, std::size_t recordSize) {
    return count >= 0 && static_cast<uint64_t>(count) <= kMaxArrayBytes / recordSize;
}

// A fresh array of count zeroed records. Throws std::bad_alloc when the array
// would exceed kMaxArrayBytes or the memory is exhausted.
template <class T>
std::vector<T> ZeroedArray(uint64_t count) {
    if (count > kMaxArrayBytes / sizeof(T)) throw std::bad_alloc();
    return std::vector<T>(static_cast<std::size_t>(count));
}

// A double truncated toward zero to a signed 32-bit integer the way the x64
// conversion instruction does it: NaN and values outside the 32-bit range
// give INT32_MIN (0x80000000), so a loop bound taken from them never runs.
inline INT32 TruncateToInt32(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<INT32>(value);
}

// A double as the whole number a writer prints for it: truncated toward
// zero, held to the 32-bit range, and 0 for a value that is not a number.
inline INT32 SaturateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<INT32>(value);
}

// The product of signed 32-bit extents as a count, or -1 when an extent is
// negative or the product does not fit a signed 32-bit number.
inline int64_t Int32Count(std::initializer_list<INT32> extents) {
    int64_t count = 1;
    for (INT32 extent : extents) {
        if (extent < 0) return -1;
        count *= extent;
        if (count > INT32_MAX) return -1;
    }
    return count;
}

}  // namespace quon

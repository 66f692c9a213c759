// Counting of the memory a measured step allocates: the bytes of every block
// allocated through operator new, malloc, calloc or realloc while counting is
// on, less those freed, as the allocator sizes them (malloc_usable_size).
#pragma once

#include <cstddef>

namespace bench {

// Starts counting from zero.
void StartCounting();
// Stops counting; returns the highest count reached, in bytes.
std::size_t StopCounting();

}  // namespace bench

// Helpers of the JSON document tests.
#pragma once

#include <stdexcept>
#include <string>

#include "quon/platform_types.h"

namespace quontest {

// The message of the std::runtime_error that fn throws, or "no exception".
template <class F>
std::string Thrown(F&& fn) {
    try {
        fn();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no exception";
}

// The current reference count of an object (one AddRef and its Release).
template <class I>
ULONG Refs(I* object) {
    object->AddRef();
    return object->Release();
}

// n copies of text joined by commas.
inline std::string Repeat(const std::string& text, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += (i > 0 ? "," : "") + text;
    return out;
}

}  // namespace quontest

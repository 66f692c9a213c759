// The labels a host gives model objects (numbers and a name, stored and
// returned only, never interpreted) and the one copy-out of a name.
#pragma once

#include <cstring>
#include <string>

#include "quon/platform_types.h"

namespace quon {

// Copies name and its NUL terminator to out, which the caller has sized.
inline void CopyName(const std::string& name, char* out) { std::memcpy(out, name.c_str(), name.size() + 1); }

// Up to two numbers and a name. Objects that take one number leave the
// second at 0.
struct Label {
    UINT32 first = 0;
    UINT32 second = 0;
    std::string name;

    // Stores the numbers and a copy of text up to its NUL. A null text is
    // refused with E_POINTER and nothing changes.
    HRESULT Set(UINT32 a, UINT32 b, const char* text) {
        if (text == nullptr) return E_POINTER;
        name = text;
        first = a;
        second = b;
        return S_OK;
    }
    HRESULT Set(UINT32 a, const char* text) { return Set(a, 0, text); }

    // Returns the numbers and copies the name out; a null pointer is refused
    // with E_POINTER and nothing is written.
    HRESULT CopyOut(UINT32* a, UINT32* b, char* nameOut) const {
        if (a == nullptr || b == nullptr || nameOut == nullptr) return E_POINTER;
        *a = first;
        *b = second;
        CopyName(name, nameOut);
        return S_OK;
    }
    HRESULT CopyOut(UINT32* a, char* nameOut) const {
        UINT32 unused = 0;
        return CopyOut(a, &unused, nameOut);
    }
};

}  // namespace quon

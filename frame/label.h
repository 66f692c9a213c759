// The host label that grid point maps, look-up tables and calibration point
// tables carry: two numbers and a name, stored and returned only. The three
// classes share this one implementation of their SetLabel slot.
#pragma once

#include <string>

#include "quon/platform_types.h"

struct QuonLabel {
    UINT32 labelA = 0;
    UINT32 labelB = 0;
    std::string name;

    // Stores the two numbers and a copy of name up to its NUL. A null name
    // is refused with E_POINTER and nothing changes.
    HRESULT Set(UINT32 a, UINT32 b, const char* text) {
        if (text == nullptr) return E_POINTER;
        name = text;
        labelA = a;
        labelB = b;
        return S_OK;
    }
};

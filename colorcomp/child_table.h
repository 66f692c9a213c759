// The table of up to three attached picture-mode objects that a colour sheet
// holds, one slot per picture mode, with one reference on each attached
// object. Shared by the original and the difference sheet.
#pragma once

#include "quon/platform_types.h"

namespace quon::colorcomp {

template <class I>
class ChildTable {
public:
    static constexpr UINT32 kSlots = 3;

    ChildTable() = default;
    ~ChildTable() { Discard(); }
    ChildTable(const ChildTable&) = delete;
    ChildTable& operator=(const ChildTable&) = delete;

    // Releases the attached objects and starts an empty table.
    void Start() {
        Discard();
        m_exists = true;
    }

    // Releases the attached objects; afterwards there is no table.
    void Discard() {
        for (UINT32 i = 0; i < m_count; ++i) {
            m_slots[i]->Release();
            m_slots[i] = nullptr;
        }
        m_count = 0;
        m_exists = false;
    }

    // Attaches child in the next slot with a reference of its own. A null
    // child or a full table is ignored (S_OK); without a table the call is
    // refused with E_FAIL and no reference is taken.
    HRESULT Add(I* child) {
        if (child == nullptr || m_count >= kSlots) return S_OK;
        if (!m_exists) return E_FAIL;
        child->AddRef();
        m_slots[m_count++] = child;
        return S_OK;
    }

    // Hands out slot index with a new reference. An index of 3 or more, or a
    // null out-pointer, writes nothing (S_OK); an empty slot below 3 is
    // refused with E_INVALIDARG.
    HRESULT Get(UINT32 index, I** child) const {
        if (index >= kSlots || child == nullptr) return S_OK;
        if (index >= m_count) return E_INVALIDARG;
        *child = m_slots[index];
        (*child)->AddRef();
        return S_OK;
    }

    UINT32 Count() const { return m_count; }
    // The object of slot index; index must be below Count().
    I* At(UINT32 index) const { return m_slots[index]; }

private:
    I* m_slots[kSlots] = {};
    UINT32 m_count = 0;
    bool m_exists = false;
};

}  // namespace quon::colorcomp

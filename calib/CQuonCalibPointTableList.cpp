#include "calib/CQuonCalibPointTableList.h"

#include <cstring>

#include "frame/label.h"

CQuonCalibPointTableList::~CQuonCalibPointTableList() { ReleaseTables(); }

HRESULT CQuonCalibPointTableList::SetIdentity(UINT32 id, const char* name) {
    if (name == nullptr) return E_POINTER;
    m_id = id;
    m_name = name;
    return S_OK;
}

HRESULT CQuonCalibPointTableList::GetIdentity(UINT32* id, char* name) {
    if (id == nullptr || name == nullptr) return E_POINTER;
    quon::CopyName(m_name, name);
    *id = m_id;
    return S_OK;
}

HRESULT CQuonCalibPointTableList::AddTable(IQuonCalibPointTable* table) {
    if (table == nullptr) return E_POINTER;
    m_tables.push_back(table);
    table->AddRef();
    return S_OK;
}

HRESULT CQuonCalibPointTableList::GetTableCount(UINT32* count) {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<UINT32>(m_tables.size());
    return S_OK;
}

HRESULT CQuonCalibPointTableList::GetTable(UINT32 index, IQuonCalibPointTable** table) {
    if (table == nullptr) return E_POINTER;
    if (index >= m_tables.size()) return S_OK;
    *table = m_tables[index];
    if (*table != nullptr) (*table)->AddRef();
    return S_OK;
}

HRESULT CQuonCalibPointTableList::ReleaseTables() {
    for (IQuonCalibPointTable*& entry : m_tables) {
        IQuonCalibPointTable* table = entry;
        entry = nullptr;
        if (table != nullptr) table->Release();
    }
    return S_OK;
}

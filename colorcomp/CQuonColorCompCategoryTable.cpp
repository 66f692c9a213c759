#include "colorcomp/CQuonColorCompCategoryTable.h"

#include "formats/json_rules.h"

using quon::json::Value;

namespace {

const char* const kOrgSpecKeys[ColorCompOrgSpecTableCount] = {"OrgSpecTable_1", "OrgSpecTable_2", "OrgSpecTable_3"};

// Inside the category objects a member counts when it exists (null is just of
// the wrong type) and is taken only when it has the right type.
void TakeText(const Value& object, const char* key, char (&field)[ColorCompCategorySize]) {
    const Value* member = quon::json::Existing(object, key);
    if (member != nullptr && member->IsString()) quon::json::CopyText(*member, field);
}

void TakeUint(const Value& object, const char* key, UINT32& field) {
    const Value* member = quon::json::Existing(object, key);
    if (member != nullptr && member->IsUint()) field = member->GetUint();
}

}  // namespace

HRESULT CQuonColorCompCategoryTable::Initialize() {
    m_data = ColorCompCategoryTableData{};
    return S_OK;
}

HRESULT CQuonColorCompCategoryTable::SetData(const ColorCompCategoryTableData* data) {
    if (data == nullptr) return E_POINTER;
    m_data = *data;
    return S_OK;
}

HRESULT CQuonColorCompCategoryTable::GetData(ColorCompCategoryTableData* data) {
    if (data == nullptr) return E_POINTER;
    *data = m_data;
    return S_OK;
}

HRESULT CQuonColorCompCategoryTable::LoadFromBuffer(const char* text, UINT32 length) {
    quon::json::Document document;
    const HRESULT hr = quon::json::Parse(document, text, length);
    if (FAILED(hr)) return hr;

    if (const Value* version = quon::json::Present(document, "Version")) quon::json::CopyText(*version, m_data.Version);

    for (UINT32 i = 0; i < ColorCompOrgSpecTableCount; ++i) {
        const Value* table = quon::json::Present(document, kOrgSpecKeys[i]);
        if (table == nullptr || !table->IsObject()) continue;
        ColorCompCategoryEntry& entry = m_data.OrgSpecTable[i];
        TakeText(*table, "PjCategory", entry.PjCategory);
        TakeUint(*table, "PjCategoryN", entry.PjCategoryN);
        TakeUint(*table, "pjtype", entry.pjtype);
    }

    const Value* pair = quon::json::Present(document, "DiffSpecTable_1");
    if (pair != nullptr && pair->IsObject()) {
        ColorCompCategoryPair& diff = m_data.DiffSpecTable;
        TakeText(*pair, "PjCategory_0", diff.PjCategory_0);
        TakeUint(*pair, "PjCategoryN_0", diff.PjCategoryN_0);
        TakeUint(*pair, "pjtype_0", diff.pjtype_0);
        TakeText(*pair, "PjCategory_1", diff.PjCategory_1);
        TakeUint(*pair, "PjCategoryN_1", diff.PjCategoryN_1);
        TakeUint(*pair, "pjtype_1", diff.pjtype_1);
    }
    return S_OK;
}

HRESULT CQuonColorCompCategoryTable::SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) {
    quon::json::Builder doc;
    Value& root = doc.Root();
    doc.AddText(root, "Version", m_data.Version);
    for (UINT32 i = 0; i < ColorCompOrgSpecTableCount; ++i) {
        const ColorCompCategoryEntry& entry = m_data.OrgSpecTable[i];
        Value& table = doc.AddObject(root, kOrgSpecKeys[i]);
        doc.AddText(table, "PjCategory", entry.PjCategory);
        doc.AddUint(table, "PjCategoryN", entry.PjCategoryN);
        doc.AddUint(table, "pjtype", entry.pjtype);
    }
    const ColorCompCategoryPair& diff = m_data.DiffSpecTable;
    Value& pair = doc.AddObject(root, "DiffSpecTable_1");
    doc.AddText(pair, "PjCategory_0", diff.PjCategory_0);
    doc.AddUint(pair, "PjCategoryN_0", diff.PjCategoryN_0);
    doc.AddUint(pair, "pjtype_0", diff.pjtype_0);
    doc.AddText(pair, "PjCategory_1", diff.PjCategory_1);
    doc.AddUint(pair, "PjCategoryN_1", diff.PjCategoryN_1);
    doc.AddUint(pair, "pjtype_1", diff.pjtype_1);
    return quon::json::WriteOut(doc, buffer, capacity, written);
}

HRESULT CQuonColorCompCategoryTable::FreeData() { return S_OK; }

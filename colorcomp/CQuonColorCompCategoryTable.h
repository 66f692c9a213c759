// CQuonColorCompCategoryTable: the projector categories of a colour
// compensation set, one fixed record read from and written to a JSON
// document.
#pragma once

#include "frame/CUnknown.h"
#include "quon/IQuonColorCompCategoryTable.h"

class CQuonColorCompCategoryTable
    : public CQuonObject<CQuonColorCompCategoryTable, IQuonColorCompCategoryTable, IID_IQuonColorCompCategoryTable> {
public:
    explicit CQuonColorCompCategoryTable(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}

    HRESULT STDMETHODCALLTYPE Initialize() override;
    HRESULT STDMETHODCALLTYPE SetData(const ColorCompCategoryTableData* data) override;
    HRESULT STDMETHODCALLTYPE GetData(ColorCompCategoryTableData* data) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, INT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE FreeData() override;

private:
    ColorCompCategoryTableData m_data{};
};

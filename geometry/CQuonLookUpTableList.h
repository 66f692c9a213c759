// CQuonLookUpTableList: an ordered list of look-up tables held by reference,
// read and written as one document of consecutive table blocks.
#pragma once

#include <string>
#include <vector>

#include "frame/CUnknown.h"
#include "quon/IQuonLookUpTableList.h"

class CQuonLookUpTableList
    : public CQuonObject<CQuonLookUpTableList, IQuonLookUpTableList, IID_IQuonLookUpTableList> {
public:
    explicit CQuonLookUpTableList(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}
    ~CQuonLookUpTableList() override;

    HRESULT STDMETHODCALLTYPE SetName(const char* name) override;
    HRESULT STDMETHODCALLTYPE Reserved() override;
    HRESULT STDMETHODCALLTYPE Add(IQuonLookUpTable* table) override;
    HRESULT STDMETHODCALLTYPE GetCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetAt(UINT32 index, IQuonLookUpTable** table) override;
    HRESULT STDMETHODCALLTYPE LoadFromBuffer(const char* text, UINT32 length) override;
    HRESULT STDMETHODCALLTYPE SaveToBuffer(char* buffer, UINT32 capacity, UINT32* written) override;
    HRESULT STDMETHODCALLTYPE ReleaseAll() override;

private:
    std::string m_name;
    std::vector<IQuonLookUpTable*> m_tables;  // one reference each
};

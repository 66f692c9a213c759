// CQuonCalibPointTableList: an ordered list of calibration point tables held
// by reference, with an identifier and a name. It has no text form.
#pragma once

#include <string>
#include <vector>

#include "frame/CUnknown.h"
#include "quon/IQuonCalibPointTableList.h"

class CQuonCalibPointTableList
    : public CQuonObject<CQuonCalibPointTableList, IQuonCalibPointTableList, IID_IQuonCalibPointTableList> {
public:
    explicit CQuonCalibPointTableList(IUnknown* pUnkOuter) : CQuonObject(pUnkOuter) {}
    ~CQuonCalibPointTableList() override;

    HRESULT STDMETHODCALLTYPE SetIdentity(UINT32 id, const char* name) override;
    HRESULT STDMETHODCALLTYPE GetIdentity(UINT32* id, char* name) override;
    HRESULT STDMETHODCALLTYPE AddTable(IQuonCalibPointTable* table) override;
    HRESULT STDMETHODCALLTYPE GetTableCount(UINT32* count) override;
    HRESULT STDMETHODCALLTYPE GetTable(UINT32 index, IQuonCalibPointTable** table) override;
    HRESULT STDMETHODCALLTYPE ReleaseTables() override;

private:
    std::string m_name;
    UINT32 m_id = 0;
    std::vector<IQuonCalibPointTable*> m_tables;  // one reference each; null once released
};

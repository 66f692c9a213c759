#include "frame/factory.h"

#include <iterator>

#include "adjust/CQuonGeoAdjustInfo.h"
#include "adjust/CQuonGeoBlackLevelInfo.h"
#include "adjust/CQuonGeoColorInfo.h"
#include "geometry/CQuonGeoOtherScreenTag.h"
#include "geometry/CQuonLookUpTable.h"

// Row order is the search order of DllCreateInstance. A class identifier
// without a row answers CLASS_E_CLASSNOTAVAILABLE.
const CFactoryTemplate g_Templates[] = {
    {u"QUON GEO ADJUST INFO", &CLSID_QuonGeoAdjustInfo, CQuonGeoAdjustInfo::CreateInstance, nullptr},
    {u"QUON GEO OTHER SCREEN TAG", &CLSID_QuonGeoOtherScreenTag, CQuonGeoOtherScreenTag::CreateInstance, nullptr},
    {u"QUON LOOK UP TABLE", &CLSID_QuonLookUpTable, CQuonLookUpTable::CreateInstance, nullptr},
    {u"QUON GEO COLOR INFO", &CLSID_QuonGeoColorInfo, CQuonGeoColorInfo::CreateInstance, nullptr},
    {u"QUON GEO BLACK LEVEL INFO", &CLSID_QuonGeoBlackLevelInfo, CQuonGeoBlackLevelInfo::CreateInstance, nullptr},
};

const int g_cTemplates = static_cast<int>(std::size(g_Templates));

extern "C" HRESULT DllCreateInstance(REFCLSID rclsid, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;

    const CFactoryTemplate* row = nullptr;
    for (const CFactoryTemplate& candidate : g_Templates) {
        if (IsSameGuid(*candidate.m_ClsID, rclsid)) {
            row = &candidate;
            break;
        }
    }
    if (row == nullptr) return CLASS_E_CLASSNOTAVAILABLE;

    HRESULT hr = S_OK;
    CUnknown* object = row->m_lpfnNew(nullptr, &hr);
    if (object == nullptr) return FAILED(hr) ? hr : E_OUTOFMEMORY;
    if (FAILED(hr)) {
        delete object;
        return hr;
    }

    // The query takes its own reference; the release drops the creation
    // reference again, which destroys the object when the query failed.
    object->NonDelegatingAddRef();
    hr = object->NonDelegatingQueryInterface(riid, ppv);
    object->NonDelegatingRelease();
    return hr;
}

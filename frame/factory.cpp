#include "frame/factory.h"

#include <iterator>

#include "adjust/CQuonEbInfo.h"
#include "geometry/CQuonGeoInfo.h"
#include "geometry/CQuonGridNpdInfo.h"
#include "geometry/CQuonGridPoint.h"
#include "geometry/CQuonLookUpTable.h"
#include "geometry/CQuonLookUpTableList.h"

// Row order is the search order of DllCreateInstance. A class identifier
// without a row answers CLASS_E_CLASSNOTAVAILABLE.
const CFactoryTemplate g_Templates[] = {
    {u"QUON GRID POINT", &CLSID_QuonGridPoint, CQuonGridPoint::CreateInstance, nullptr},
    {u"QUON LOOK UP TABLE LIST", &CLSID_QuonLookUpTableList, CQuonLookUpTableList::CreateInstance, nullptr},
    {u"QUON LOOK UP TABLE", &CLSID_QuonLookUpTable, CQuonLookUpTable::CreateInstance, nullptr},
    {u"QUON GRID NPD INFO", &CLSID_QuonGridNpdInfo, CQuonGridNpdInfo::CreateInstance, nullptr},
    {u"QuonGeoInfo", &CLSID_QuonGeoInfo, CQuonGeoInfo::CreateInstance, nullptr},
    {u"QUON EB INFO", &CLSID_QuonEbInfo, CQuonEbInfo::CreateInstance, nullptr},
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

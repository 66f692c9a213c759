// The factory table, the one place that knows every model class, and the
// module's creation entry point that searches it.
#include "frame/factory.h"

#include <iterator>

#include "adjust/CQuonEbInfo.h"
#include "adjust/CQuonGeoAdjustInfo.h"
#include "adjust/CQuonGeoBlackLevelInfo.h"
#include "adjust/CQuonGeoColorInfo.h"
#include "calib/CQuonBlkInitInfo.h"
#include "calib/CQuonCAInitInfo.h"
#include "calib/CQuonCalibPointTable.h"
#include "calib/CQuonCalibPointTableList.h"
#include "calib/CQuonDMInitInfo.h"
#include "calib/CQuonGeoAutoCalibInfo.h"
#include "calib/CQuonLedMarkerInfo.h"
#include "calib/CQuonMarkerInfo.h"
#include "colorcomp/CQuonColorCompCategoryTable.h"
#include "colorcomp/CQuonColorCompDiffSpec.h"
#include "colorcomp/CQuonColorCompOrgSpec.h"
#include "colorcomp/CQuonColorDiff7colors.h"
#include "colorcomp/CQuonColorSpectrum.h"
#include "geometry/CQuonGeoInfo.h"
#include "geometry/CQuonGeoMaskFrame.h"
#include "geometry/CQuonGeoMaskLine.h"
#include "geometry/CQuonGeoOtherScreenTag.h"
#include "geometry/CQuonGeoUniformityFlexible.h"
#include "geometry/CQuonGeoUniformityGradient.h"
#include "geometry/CQuonGridNpdInfo.h"
#include "geometry/CQuonGridPoint.h"
#include "geometry/CQuonLookUpTable.h"
#include "geometry/CQuonLookUpTableList.h"

// Row order is the search order of DllCreateInstance. A class identifier
// without a row answers CLASS_E_CLASSNOTAVAILABLE.
const CFactoryTemplate g_Templates[] = {
    {u"QUON GRID POINT", &CLSID_QuonGridPoint, CQuonGridPoint::CreateInstance, nullptr},
    {u"QUON GEO ADJUST INFO", &CLSID_QuonGeoAdjustInfo, CQuonGeoAdjustInfo::CreateInstance, nullptr},
    {u"QUON GEO OTHER SCREEN TAG", &CLSID_QuonGeoOtherScreenTag, CQuonGeoOtherScreenTag::CreateInstance, nullptr},
    {u"QUON LOOK UP TABLE LIST", &CLSID_QuonLookUpTableList, CQuonLookUpTableList::CreateInstance, nullptr},
    {u"QUON LOOK UP TABLE", &CLSID_QuonLookUpTable, CQuonLookUpTable::CreateInstance, nullptr},
    {u"QUON GEO COLOR INFO", &CLSID_QuonGeoColorInfo, CQuonGeoColorInfo::CreateInstance, nullptr},
    {u"QUON GEO BLACK LEVEL INFO", &CLSID_QuonGeoBlackLevelInfo, CQuonGeoBlackLevelInfo::CreateInstance, nullptr},
    {u"QUON GRID NPD INFO", &CLSID_QuonGridNpdInfo, CQuonGridNpdInfo::CreateInstance, nullptr},
    {u"QuonGeoInfo", &CLSID_QuonGeoInfo, CQuonGeoInfo::CreateInstance, nullptr},
    {u"QuonBlkInitInfo", &CLSID_QuonBlkInitInfo, CQuonBlkInitInfo::CreateInstance, nullptr},
    {u"QUON EB INFO", &CLSID_QuonEbInfo, CQuonEbInfo::CreateInstance, nullptr},
    {u"QUON CA INFO", &CLSID_QuonCAInitInfo, CQuonCAInitInfo::CreateInstance, nullptr},
    {u"QUON MASK FRAME", &CLSID_QuonGeoMaskFrame, CQuonGeoMaskFrame::CreateInstance, nullptr},
    {u"QUON MASK LINE", &CLSID_QuonGeoMaskLine, CQuonGeoMaskLine::CreateInstance, nullptr},
    {u"Uniformity Flexible", &CLSID_QuonGeoUniformityFlexible, CQuonGeoUniformityFlexible::CreateInstance, nullptr},
    {u"Uniformity Gradient", &CLSID_QuonGeoUniformityGradient, CQuonGeoUniformityGradient::CreateInstance, nullptr},
    {u"DetectMark Init Info", &CLSID_QuonDMInitInfo, CQuonDMInitInfo::CreateInstance, nullptr},
    {u"Marker Info", &CLSID_QuonMarkerInfo, CQuonMarkerInfo::CreateInstance, nullptr},
    {u"LED Marker Info", &CLSID_QuonLedMarkerInfo, CQuonLedMarkerInfo::CreateInstance, nullptr},
    {u"Auto CaLib Info", &CLSID_QuonGeoAutoCalibInfo, CQuonGeoAutoCalibInfo::CreateInstance, nullptr},
    {u"Quon CaLib Point TABLE", &CLSID_QuonCalibPointTable, CQuonCalibPointTable::CreateInstance, nullptr},
    {u"Quon CaLib Point TABLE List", &CLSID_QuonCalibPointTableList, CQuonCalibPointTableList::CreateInstance, nullptr},
    {u"QUON COLOR COMP CATEGORY TABLE", &CLSID_QuonColorCompCategoryTable, CQuonColorCompCategoryTable::CreateInstance, nullptr},
    {u"QUON COLOR COMP ORG SPEC", &CLSID_QuonColorCompOrgSpec, CQuonColorCompOrgSpec::CreateInstance, nullptr},
    {u"QUON COLOR SPECTRUM", &CLSID_QuonColorSpectrum, CQuonColorSpectrum::CreateInstance, nullptr},
    {u"QUON COLOR COMP DIFF SPEC", &CLSID_QuonColorCompDiffSpec, CQuonColorCompDiffSpec::CreateInstance, nullptr},
    {u"QUON COLOR COMP DIFF 7COLORS", &CLSID_QuonColorDiff7colors, CQuonColorDiff7colors::CreateInstance, nullptr},
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

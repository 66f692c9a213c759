#include "model_classes.h"

#include <climits>
#include <string>

#include "figures.h"

namespace {

PFN_DllCreateInstance g_create = nullptr;

template <class I>
HRESULT Load(void* itf, const char* text, UINT32 length) {
    return static_cast<I*>(itf)->LoadFromBuffer(text, length);
}

template <class I>
HRESULT Save(void* itf, char* buffer, UINT32 capacity, UINT32* written) {
    return static_cast<I*>(itf)->SaveToBuffer(buffer, capacity, written);
}

template <class I>
ModelClass Row(const char* name, const char* about, const CLSID& clsid, const IID& iid,
               HRESULT (*prepare)(void*) = nullptr, Figure (*figure)(void*) = nullptr) {
    return ModelClass{name, about, &clsid, &iid, prepare, Load<I>, Save<I>, figure};
}

// The geometry adjustment object needs its three other-screen tags first.
HRESULT InitializeGeoAdjustInfo(void* itf) { return static_cast<IQuonGeoAdjustInfo*>(itf)->Initialize(0, ""); }

// The black-level text fills the point records the object already holds: a
// fresh object gets a 256 x 256 grid of them first (the load then sets the
// grid the text names).
HRESULT PrepareBlkInitInfo(void* itf) { return static_cast<IQuonBlkInitInfo*>(itf)->SetPatternGrid(256, 256, 0); }

// A loaded text whose colour flag is 0 is written with the default colours,
// which Initialize sets (the load overwrites the rest).
HRESULT PrepareCAInitInfo(void* itf) { return static_cast<IQuonCAInitInfo*>(itf)->Initialize(0, 0, ""); }
// The colour writers take a signed capacity.
INT32 SignedCapacity(UINT32 capacity) { return capacity > INT32_MAX ? INT32_MAX : static_cast<INT32>(capacity); }

template <class I>
HRESULT SaveSigned(void* itf, char* buffer, UINT32 capacity, UINT32* written) {
    return static_cast<I*>(itf)->SaveToBuffer(buffer, SignedCapacity(capacity), written);
}

// A picture-mode object reads and writes the member "pmode_0" of its file.
template <class I>
HRESULT LoadMode(void* itf, const char* text, UINT32 length) {
    return static_cast<I*>(itf)->LoadFromBuffer("pmode_0", text, length);
}

template <class I>
HRESULT SaveMode(void* itf, char* buffer, UINT32 capacity, UINT32* written) {
    return static_cast<I*>(itf)->SaveToBuffer("pmode_0", buffer, SignedCapacity(capacity), written);
}

// Seven-colour objects read their spectra only when their flags say so, and
// written documents carry no flags: the host sets them before reading.
HRESULT FlagSpectra(IQuonColorDiff7colors* diff) {
    ColorDiff7colorsInfo info{};
    HRESULT hr = diff->GetData(&info);
    if (FAILED(hr)) return hr;
    info.IsSpectrum_0 = 1;
    info.IsSpectrum_1 = 1;
    return diff->SetData(&info);
}

HRESULT PrepareDiff7colors(void* itf) { return FlagSpectra(static_cast<IQuonColorDiff7colors*>(itf)); }

// A sheet gets three fresh picture-mode objects attached, as a host does.
template <class Sheet, class Child, HRESULT (Sheet::*Add)(Child*)>
HRESULT AttachChildren(Sheet* sheet, const CLSID& clsid, const IID& iid, HRESULT (*setUp)(Child*)) {
    if (g_create == nullptr) return E_FAIL;
    HRESULT hr = sheet->Initialize();
    for (int i = 0; i < 3 && SUCCEEDED(hr); ++i) {
        Child* child = nullptr;
        hr = g_create(clsid, iid, reinterpret_cast<void**>(&child));
        if (FAILED(hr)) break;
        if (setUp != nullptr) hr = setUp(child);
        if (SUCCEEDED(hr)) hr = (sheet->*Add)(child);
        child->Release();
    }
    return hr;
}

HRESULT PrepareOrgSpec(void* itf) {
    return AttachChildren<IQuonColorCompOrgSpec, IQuonColorSpectrum, &IQuonColorCompOrgSpec::AddSpectrum>(
        static_cast<IQuonColorCompOrgSpec*>(itf), CLSID_QuonColorSpectrum, IID_IQuonColorSpectrum, nullptr);
}

HRESULT PrepareDiffSpec(void* itf) {
    return AttachChildren<IQuonColorCompDiffSpec, IQuonColorDiff7colors, &IQuonColorCompDiffSpec::AddDiff7colors>(
        static_cast<IQuonColorCompDiffSpec*>(itf), CLSID_QuonColorDiff7colors, IID_IQuonColorDiff7colors, FlagSpectra);
}

// The sheet reads its header, each attached child its own mode "pmode_<i>"
// of the same text.
template <class Sheet, class Child, HRESULT (Sheet::*Get)(UINT32, Child**)>
HRESULT LoadSheet(void* itf, const char* text, UINT32 length) {
    Sheet* sheet = static_cast<Sheet*>(itf);
    HRESULT hr = sheet->LoadFromBuffer(text, length);
    for (UINT32 i = 0; i < 3 && SUCCEEDED(hr); ++i) {
        Child* child = nullptr;
        if (FAILED((sheet->*Get)(i, &child)) || child == nullptr) break;  // no more attached
        // Released however the child's load ends (it throws on a mistyped member).
        struct Held {
            Child* child;
            ~Held() { child->Release(); }
        } held{child};
        hr = child->LoadFromBuffer(("pmode_" + std::to_string(i)).c_str(), text, length);
    }
    return hr;
}

ModelClass Custom(const char* name, const char* about, const CLSID& clsid, const IID& iid, HRESULT (*prepare)(void*),
                  HRESULT (*load)(void*, const char*, UINT32), HRESULT (*save)(void*, char*, UINT32, UINT32*),
                  Figure (*figure)(void*)) {
    return ModelClass{name, about, &clsid, &iid, prepare, load, save, figure};
}

}  // namespace

void SetModelFactory(PFN_DllCreateInstance create) { g_create = create; }

const std::vector<ModelClass>& ModelClasses() {
    static const std::vector<ModelClass> classes = {
        Row<IQuonGridPoint>("GridPoint", "one grid point map", CLSID_QuonGridPoint, IID_IQuonGridPoint, nullptr,
                            GridPointFigure),
        Row<IQuonGeoAdjustInfo>("GeoAdjustInfo", "geometry adjustment file (Geometry file with three grids)",
                                CLSID_QuonGeoAdjustInfo, IID_IQuonGeoAdjustInfo, InitializeGeoAdjustInfo,
                                GeoAdjustInfoFigure),
        Row<IQuonLookUpTableList>("LookUpTableList", "a list of look-up tables", CLSID_QuonLookUpTableList,
                                  IID_IQuonLookUpTableList, nullptr, LookUpTableListFigure),
        Row<IQuonLookUpTable>("LookUpTable", "one look-up table", CLSID_QuonLookUpTable, IID_IQuonLookUpTable, nullptr,
                              LookUpTableFigure),
        Row<IQuonGeoColorInfo>("GeoColorInfo", "colour-matching file (Geometry file)", CLSID_QuonGeoColorInfo,
                               IID_IQuonGeoColorInfo),
        Row<IQuonGeoBlackLevelInfo>("GeoBlackLevelInfo", "black-level file (Geometry file)",
                                    CLSID_QuonGeoBlackLevelInfo, IID_IQuonGeoBlackLevelInfo),
        Row<IQuonGridNpdInfo>("GridNpdInfo", "the grid pattern parameter list", CLSID_QuonGridNpdInfo,
                              IID_IQuonGridNpdInfo),
        Row<IQuonGeoInfo>("GeoInfo", "the geometry description text", CLSID_QuonGeoInfo, IID_IQuonGeoInfo),
        Row<IQuonEbInfo>("EbInfo", "the edge-blend table", CLSID_QuonEbInfo, IID_IQuonEbInfo, nullptr, EbInfoFigure),
        Row<IQuonBlkInitInfo>("BlkInitInfo", "black-level detection init text (up to 65536 points)",
                              CLSID_QuonBlkInitInfo, IID_IQuonBlkInitInfo, PrepareBlkInitInfo),
        Row<IQuonCAInitInfo>("CAInitInfo", "camera auto-calibration init text", CLSID_QuonCAInitInfo,
                             IID_IQuonCAInitInfo, PrepareCAInitInfo),
        Row<IQuonDMInitInfo>("DMInitInfo", "detect-mark parameter text", CLSID_QuonDMInitInfo, IID_IQuonDMInitInfo),
        Row<IQuonMarkerInfo>("MarkerInfo", "marker list", CLSID_QuonMarkerInfo, IID_IQuonMarkerInfo),
        Row<IQuonLedMarkerInfo>("LedMarkerInfo", "LED marker list", CLSID_QuonLedMarkerInfo, IID_IQuonLedMarkerInfo),
        Row<IQuonCalibPointTable>("CalibPointTable", "one calibration point table", CLSID_QuonCalibPointTable,
                                  IID_IQuonCalibPointTable),
        Row<IQuonGeoAutoCalibInfo>("GeoAutoCalibInfo", "auto-calibration result document", CLSID_QuonGeoAutoCalibInfo,
                                   IID_IQuonGeoAutoCalibInfo),
        Custom("ColorCompCategoryTable", "colour compensation category table", CLSID_QuonColorCompCategoryTable,
               IID_IQuonColorCompCategoryTable, nullptr, Load<IQuonColorCompCategoryTable>,
               SaveSigned<IQuonColorCompCategoryTable>, nullptr),
        Custom("ColorCompOrgSpec", "original colour sheet with three spectra attached", CLSID_QuonColorCompOrgSpec,
               IID_IQuonColorCompOrgSpec, PrepareOrgSpec,
               LoadSheet<IQuonColorCompOrgSpec, IQuonColorSpectrum, &IQuonColorCompOrgSpec::GetSpectrum>,
               SaveSigned<IQuonColorCompOrgSpec>, ColorCompOrgSpecFigure),
        Custom("ColorSpectrum", "one picture mode \"pmode_0\" of an original colour sheet", CLSID_QuonColorSpectrum,
               IID_IQuonColorSpectrum, nullptr, LoadMode<IQuonColorSpectrum>, SaveMode<IQuonColorSpectrum>,
               ColorSpectrumFigure),
        Custom("ColorCompDiffSpec", "colour difference sheet with three seven-colour objects attached",
               CLSID_QuonColorCompDiffSpec, IID_IQuonColorCompDiffSpec, PrepareDiffSpec,
               LoadSheet<IQuonColorCompDiffSpec, IQuonColorDiff7colors, &IQuonColorCompDiffSpec::GetDiff7colors>,
               SaveSigned<IQuonColorCompDiffSpec>, ColorCompDiffSpecFigure),
        Custom("ColorDiff7colors", "one picture mode \"pmode_0\" of a colour difference sheet",
               CLSID_QuonColorDiff7colors, IID_IQuonColorDiff7colors, PrepareDiff7colors,
               LoadMode<IQuonColorDiff7colors>, SaveMode<IQuonColorDiff7colors>, ColorDiff7colorsFigure),
    };
    return classes;
}

const ModelClass* FindModelClass(const std::string& name) {
    for (const ModelClass& c : ModelClasses()) {
        if (name == c.name || name == std::string("CQuon") + c.name) return &c;
    }
    return nullptr;
}

#include "model_classes.h"

namespace {

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
               HRESULT (*prepare)(void*) = nullptr) {
    return ModelClass{name, about, &clsid, &iid, prepare, Load<I>, Save<I>};
}

// The black-level text fills the point records the object already holds: a
// fresh object gets a 256 x 256 grid of them first (the load then sets the
// grid the text names).
HRESULT PrepareBlkInitInfo(void* itf) { return static_cast<IQuonBlkInitInfo*>(itf)->SetPatternGrid(256, 256, 0); }

// A loaded text whose colour flag is 0 is written with the default colours,
// which Initialize sets (the load overwrites the rest).
HRESULT PrepareCAInitInfo(void* itf) { return static_cast<IQuonCAInitInfo*>(itf)->Initialize(0, 0, ""); }

}  // namespace

const std::vector<ModelClass>& ModelClasses() {
    static const std::vector<ModelClass> classes = {
        Row<IQuonGridPoint>("GridPoint", "one grid point map", CLSID_QuonGridPoint, IID_IQuonGridPoint),
        Row<IQuonLookUpTableList>("LookUpTableList", "a list of look-up tables", CLSID_QuonLookUpTableList,
                                  IID_IQuonLookUpTableList),
        Row<IQuonLookUpTable>("LookUpTable", "one look-up table", CLSID_QuonLookUpTable, IID_IQuonLookUpTable),
        Row<IQuonGridNpdInfo>("GridNpdInfo", "the grid pattern parameter list", CLSID_QuonGridNpdInfo,
                              IID_IQuonGridNpdInfo),
        Row<IQuonGeoInfo>("GeoInfo", "the geometry description text", CLSID_QuonGeoInfo, IID_IQuonGeoInfo),
        Row<IQuonEbInfo>("EbInfo", "the edge-blend table", CLSID_QuonEbInfo, IID_IQuonEbInfo),
        Row<IQuonBlkInitInfo>("BlkInitInfo", "black-level detection init text (up to 65536 points)",
                              CLSID_QuonBlkInitInfo, IID_IQuonBlkInitInfo, PrepareBlkInitInfo),
        Row<IQuonCAInitInfo>("CAInitInfo", "camera auto-calibration init text", CLSID_QuonCAInitInfo,
                             IID_IQuonCAInitInfo, PrepareCAInitInfo),
        Row<IQuonDMInitInfo>("DMInitInfo", "detect-mark parameter text", CLSID_QuonDMInitInfo, IID_IQuonDMInitInfo),
        Row<IQuonMarkerInfo>("MarkerInfo", "marker list", CLSID_QuonMarkerInfo, IID_IQuonMarkerInfo),
        Row<IQuonLedMarkerInfo>("LedMarkerInfo", "LED marker list", CLSID_QuonLedMarkerInfo, IID_IQuonLedMarkerInfo),
        Row<IQuonCalibPointTable>("CalibPointTable", "one calibration point table", CLSID_QuonCalibPointTable,
                                  IID_IQuonCalibPointTable),
    };
    return classes;
}

const ModelClass* FindModelClass(const std::string& name) {
    for (const ModelClass& c : ModelClasses()) {
        if (name == c.name || name == std::string("CQuon") + c.name) return &c;
    }
    return nullptr;
}

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

// The geometry adjustment object needs its three other-screen tags first.
HRESULT InitializeGeoAdjustInfo(void* itf) { return static_cast<IQuonGeoAdjustInfo*>(itf)->Initialize(0, ""); }

}  // namespace

const std::vector<ModelClass>& ModelClasses() {
    static const std::vector<ModelClass> classes = {
        Row<IQuonGeoAdjustInfo>("GeoAdjustInfo", "geometry adjustment file (Geometry file with three grids)",
                                CLSID_QuonGeoAdjustInfo, IID_IQuonGeoAdjustInfo, InitializeGeoAdjustInfo),
        Row<IQuonLookUpTable>("LookUpTable", "one look-up table", CLSID_QuonLookUpTable, IID_IQuonLookUpTable),
        Row<IQuonGeoColorInfo>("GeoColorInfo", "colour-matching file (Geometry file)", CLSID_QuonGeoColorInfo,
                               IID_IQuonGeoColorInfo),
        Row<IQuonGeoBlackLevelInfo>("GeoBlackLevelInfo", "black-level file (Geometry file)",
                                    CLSID_QuonGeoBlackLevelInfo, IID_IQuonGeoBlackLevelInfo),
    };
    return classes;
}

const ModelClass* FindModelClass(const std::string& name) {
    for (const ModelClass& c : ModelClasses()) {
        if (name == c.name || name == std::string("CQuon") + c.name) return &c;
    }
    return nullptr;
}

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
    };
    return classes;
}

const ModelClass* FindModelClass(const std::string& name) {
    for (const ModelClass& c : ModelClasses()) {
        if (name == c.name || name == std::string("CQuon") + c.name) return &c;
    }
    return nullptr;
}

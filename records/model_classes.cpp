#include "model_classes.h"

#include <atomic>
#include <charconv>
#include <string>

#include "class_kit.h"

namespace {

// Set by every load and build; hosts may load from several threads at once.
std::atomic<PFN_DllCreateInstance> g_create = nullptr;

}  // namespace

namespace records {

void Check(HRESULT hr, const char* call) {
    if (FAILED(hr)) throw quon::Error(hr, std::string(call) + " failed: " + quon::HresultText(hr));
}

quon::Ptr<IUnknown> CreateObject(const CLSID& clsid, const IID& iid) {
    const PFN_DllCreateInstance create = g_create;
    if (create == nullptr) throw quon::Error(E_HANDLE, "no module to create child objects (SetModelFactory)");
    quon::Ptr<IUnknown> object;
    Check(create(clsid, iid, reinterpret_cast<void**>(object.put())), "DllCreateInstance");
    return object;
}

INT32 SignedCount(UINT32 count, const In& in, const char* member) {
    if (count > static_cast<UINT32>(INT32_MAX)) in.Member(member).Fail("expected an integer from 0 to 2147483647");
    return static_cast<INT32>(count);
}

std::string ExactLine(double v) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end) + "\n";
}

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

namespace {

template <class T>
T NumberLine(const std::vector<std::string>& lines, std::size_t at) {
    T v{};
    const std::string& line = at < lines.size() ? lines[at] : std::string();
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), v);
    if (ec != std::errc() || end != line.data() + line.size()) {
        throw quon::Error(E_UNEXPECTED, "line " + std::to_string(at + 1) + " of the object's text is not a number");
    }
    return v;
}

}  // namespace

INT32 IntLine(const std::vector<std::string>& lines, std::size_t at) { return NumberLine<INT32>(lines, at); }
double RealLine(const std::vector<std::string>& lines, std::size_t at) { return NumberLine<double>(lines, at); }

}  // namespace records

void SetModelFactory(PFN_DllCreateInstance create) { g_create = create; }
PFN_DllCreateInstance ModelFactory() { return g_create; }

const std::vector<ModelClass>& AllModelClasses() {
    static const std::vector<ModelClass> classes = {
        GridPointClass(),          GeoAdjustInfoClass(),      GeoOtherScreenTagClass(),
        LookUpTableListClass(),    LookUpTableClass(),        GeoColorInfoClass(),
        GeoBlackLevelInfoClass(),  GridNpdInfoClass(),        GeoInfoClass(),
        BlkInitInfoClass(),        EbInfoClass(),             CAInitInfoClass(),
        GeoMaskFrameClass(),       GeoMaskLineClass(),        GeoUniformityFlexibleClass(),
        GeoUniformityGradientClass(), DMInitInfoClass(),      MarkerInfoClass(),
        LedMarkerInfoClass(),      GeoAutoCalibInfoClass(),   CalibPointTableClass(),
        CalibPointTableListClass(), ColorCompCategoryTableClass(), ColorCompOrgSpecClass(),
        ColorSpectrumClass(),      ColorCompDiffSpecClass(),  ColorDiff7colorsClass(),
    };
    return classes;
}

const std::vector<ModelClass>& ModelClasses() {
    static const std::vector<ModelClass> classes = [] {
        std::vector<ModelClass> withText;
        for (const ModelClass& c : AllModelClasses()) {
            if (c.load != nullptr) withText.push_back(c);
        }
        return withText;
    }();
    return classes;
}

const ModelClass* FindModelClass(const std::string& name) {
    for (const ModelClass& c : AllModelClasses()) {
        if (name == c.name || name == std::string("CQuon") + c.name) return &c;
    }
    return nullptr;
}

#include "calib/CQuonDMInitInfo.h"

#include <cstring>
#include <iterator>
#include <string_view>

#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/label.h"
#include "frame/sizes.h"
#include "frame/text.h"

namespace {

// One parameter of the key=value text: its key and its field, real or
// integer. The writer prints the keys in this order; the reader looks them up.
struct ParameterKey {
    const char* key;
    double DetectMarkParams::*real;
    INT32 DetectMarkParams::*integer;
};

constexpr ParameterKey kParameterKeys[] = {
    {"threshAfterReproject", &DetectMarkParams::threshAfterReproject, nullptr},
    {"threshValidHomography", &DetectMarkParams::threshValidHomography, nullptr},
    {"rangeCorrectPair", &DetectMarkParams::rangeCorrectPair, nullptr},
    {"threshRANSACInliner", &DetectMarkParams::threshRANSACInliner, nullptr},
    {"matchingCrossCheck", nullptr, &DetectMarkParams::matchingCrossCheck},
    {"threshBRISK", nullptr, &DetectMarkParams::threshBRISK},
    {"makeMosaicImage", nullptr, &DetectMarkParams::makeMosaicImage},
    {"haloCorrect", nullptr, &DetectMarkParams::haloCorrect},
    {"threshHaloSignal", nullptr, &DetectMarkParams::threshHaloSignal},
    {"threshHaloCorrect", nullptr, &DetectMarkParams::threshHaloCorrect},
    {"pointSelect", nullptr, &DetectMarkParams::pointSelect},
    {"useInliner", nullptr, &DetectMarkParams::useInliner},
    {"binaryThreshLED", nullptr, &DetectMarkParams::binaryThreshLED},
    {"outputDebugImageLED", nullptr, &DetectMarkParams::outputDebugImageLED},
    {"binaryOtsuMethodLED", nullptr, &DetectMarkParams::binaryOtsuMethodLED},
    {"maxAreaLED", nullptr, &DetectMarkParams::maxAreaLED},
    {"minAreaLED", nullptr, &DetectMarkParams::minAreaLED},
    {"aspectRatioLED", &DetectMarkParams::aspectRatioLED, nullptr},
};
static_assert(std::size(kParameterKeys) == 18);

}  // namespace

CQuonDMInitInfo::CQuonDMInitInfo(IUnknown* pUnkOuter)
    : CQuonObject(pUnkOuter),
      m_params{12.0, 0.05, 0.05, 5.0, 0, 30, 0, 0, 240, 100, 0, 0, 100, 0, 0, 800, 5, 0.25} {}

HRESULT CQuonDMInitInfo::SetIdentity(UINT32 id, const char* name) {
    if (name == nullptr) return E_POINTER;
    m_id = id;
    m_name = name;
    return S_OK;
}

HRESULT CQuonDMInitInfo::GetIdentity(UINT32* id, char* name) {
    if (id == nullptr || name == nullptr) return E_POINTER;
    *id = m_id;
    quon::CopyName(m_name, name);
    return S_OK;
}

HRESULT CQuonDMInitInfo::SetParameters(const DetectMarkParams* params) {
    if (params == nullptr) return E_POINTER;
    m_params = *params;
    return S_OK;
}

HRESULT CQuonDMInitInfo::GetParameters(DetectMarkParams* params) {
    if (params == nullptr) return E_POINTER;
    *params = m_params;
    return S_OK;
}

template <class T>
HRESULT CQuonDMInitInfo::Append(quon::calib::GrowableList<T>& list, const T* record) {
    if (record == nullptr) return E_POINTER;
    CTolvAutoLock hold(&m_lock);
    return list.Append(*record);
}

template <class T>
HRESULT CQuonDMInitInfo::Count(const quon::calib::GrowableList<T>& list, UINT32* count) {
    if (count == nullptr) return E_POINTER;
    CTolvAutoLock hold(&m_lock);
    *count = list.Count();
    return S_OK;
}

template <class T>
HRESULT CQuonDMInitInfo::Get(const quon::calib::GrowableList<T>& list, UINT32 index, T* record) {
    if (record == nullptr) return E_POINTER;
    CTolvAutoLock hold(&m_lock);
    return list.Get(index, record);
}

HRESULT CQuonDMInitInfo::AddFirstArea(const AreaRecord* area) { return Append(m_firstAreas, area); }
HRESULT CQuonDMInitInfo::GetFirstAreaCount(UINT32* count) { return Count(m_firstAreas, count); }
HRESULT CQuonDMInitInfo::GetFirstArea(UINT32 index, AreaRecord* area) { return Get(m_firstAreas, index, area); }
HRESULT CQuonDMInitInfo::AddSecondArea(const AreaRecord* area) { return Append(m_secondAreas, area); }
HRESULT CQuonDMInitInfo::GetSecondAreaCount(UINT32* count) { return Count(m_secondAreas, count); }
HRESULT CQuonDMInitInfo::GetSecondArea(UINT32 index, AreaRecord* area) { return Get(m_secondAreas, index, area); }
HRESULT CQuonDMInitInfo::AddTriple(const TripleRecord* triple) { return Append(m_triples, triple); }
HRESULT CQuonDMInitInfo::GetTripleCount(UINT32* count) { return Count(m_triples, count); }
HRESULT CQuonDMInitInfo::GetTriple(UINT32 index, TripleRecord* triple) { return Get(m_triples, index, triple); }

// Lines of exactly two non-empty pieces around "=" whose key matches one of
// the eighteen exactly; the value is read leniently. Anything else is skipped.
HRESULT CQuonDMInitInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    quon::TrimmedLines lines(quon::TextView(text, length));
    std::string_view line;
    while (lines.Next(line)) {
        const quon::Fields<2, quon::TrimmedPieces> pieces(line, '=');
        if (pieces.Count() != 2) {
            quon::Report(line.data(), quon::Quoted(line), " is not key=value: line skipped");
            continue;
        }
        const ParameterKey* found = nullptr;
        for (const ParameterKey& p : kParameterKeys) {
            if (pieces[0] != p.key) continue;
            if (p.real != nullptr) {
                m_params.*p.real = quon::Atof(pieces[1]);
            } else {
                m_params.*p.integer = quon::Atoi(pieces[1]);
            }
            found = &p;
            break;
        }
        if (found == nullptr) quon::Report(line.data(), "unknown key ", quon::Quoted(pieces[0]), ": line skipped");
    }
    return S_OK;
}

HRESULT CQuonDMInitInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    quon::TextBuffer out;
    for (const ParameterKey& p : kParameterKeys) {
        if (p.real != nullptr) {
            quon::Append<"%s=%f\n">(out, p.key, m_params.*p.real);
        } else {
            quon::Append<"%s=%d\n">(out, p.key, m_params.*p.integer);
        }
    }
    return quon::PutTerminatedText(out.View(), buffer, capacity, length, true);
}

HRESULT CQuonDMInitInfo::LoadAreas(const char* text, UINT32 length,
                                   HRESULT (CQuonDMInitInfo::*add)(const AreaRecord*)) {
    if (text == nullptr && length != 0) return E_POINTER;
    quon::TrimmedLines lines(quon::TextView(text, length));
    std::string_view line;
    HRESULT hr = S_OK;
    while (lines.Next(line)) {
        const quon::Fields<4, quon::TrimmedPieces> pieces(line, ',');
        if (pieces.Count() != 4) {
            quon::Report(line.data(), "area line ", quon::Quoted(line), " has ", pieces.Count(),
                         " fields, not 4: skipped");
            continue;
        }
        const AreaRecord area{static_cast<double>(quon::Atoi(pieces[0])), static_cast<double>(quon::Atoi(pieces[1])),
                              static_cast<double>(quon::Atoi(pieces[2])), static_cast<double>(quon::Atoi(pieces[3]))};
        hr = (this->*add)(&area);
    }
    return hr;
}

HRESULT CQuonDMInitInfo::SaveAreas(const AreaList& list, char* buffer, UINT32 capacity, UINT32* length) {
    using quon::TruncateToInt32;
    quon::TextBuffer out;
    for (const AreaRecord& a : list) {
        quon::Append<"%d,%d,%d,%d\n">(out, TruncateToInt32(a.value1), TruncateToInt32(a.value2),
                                        TruncateToInt32(a.value3), TruncateToInt32(a.value4));
    }
    return quon::PutTerminatedText(out.View(), buffer, capacity, length, false);
}

HRESULT CQuonDMInitInfo::LoadFirstAreasFromBuffer(const char* text, UINT32 length) {
    return LoadAreas(text, length, &CQuonDMInitInfo::AddFirstArea);
}

HRESULT CQuonDMInitInfo::SaveFirstAreasToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    return SaveAreas(m_firstAreas, buffer, capacity, length);
}

HRESULT CQuonDMInitInfo::LoadSecondAreasFromBuffer(const char* text, UINT32 length) {
    return LoadAreas(text, length, &CQuonDMInitInfo::AddSecondArea);
}

HRESULT CQuonDMInitInfo::SaveSecondAreasToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    return SaveAreas(m_secondAreas, buffer, capacity, length);
}

HRESULT CQuonDMInitInfo::FreeData() {
    m_firstAreas.Free();
    return S_OK;
}

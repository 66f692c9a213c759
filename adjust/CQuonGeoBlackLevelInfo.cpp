#include "adjust/CQuonGeoBlackLevelInfo.h"

#include <cstring>

#include "formats/geometry_file.h"
#include "frame/copy_out.h"
#include "frame/text.h"

using quon::geofile::IntField;
using quon::geofile::Key;
using quon::geofile::ReadInt;
using quon::geofile::Section;

namespace {

// The sections after the address line, in the order the writer emits them.
constexpr Section kStages[] = {
    Section::Projector,           Section::EdgeBlendSetting,       Section::EdgeBlendLocationLeft,
    Section::EdgeBlendLocationUpper, Section::EdgeBlendLocationRight, Section::EdgeBlendLocationLower,
    Section::BrightInside,        Section::BrightOutside,          Section::BlackLevelLeft,
    Section::BlackLevelUpper,     Section::BlackLevelRight,        Section::BlackLevelLower,
};

// A colour value of an edge-blend or black-level location: hexadecimal with
// the checking conversion ("stol" messages), read up to the first "\r"; an
// empty value reads as 0.
INT32 LocationColour(const std::string& value) {
    const std::string text = value.substr(0, value.find('\r'));
    return text.empty() ? 0 : quon::geofile::HexColour(text);
}

// A bright-area colour read pair by pair: "0" is 0; otherwise the text is
// left-padded with "0" to six characters, which give the high, middle and low
// byte two by two. Nothing is validated.
void ReadPairColour(BrightArea& area, const std::string& value) {
    std::string text = value.substr(0, value.find('\r'));
    if (text == "0") {
        quon::geofile::SetBrightColour(area, 0);
        return;
    }
    if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
    auto digit = [](char ch) -> unsigned {
        unsigned code = static_cast<unsigned char>(ch);
        if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
        return code <= '9' ? code - 48 : code - 55;
    };
    auto byte = [&](std::size_t at) { return static_cast<BYTE>((digit(text[at]) * 16 + digit(text[at + 1])) & 0xFF); };
    area.COLOR[2] = byte(0);
    area.COLOR[1] = byte(2);
    area.COLOR[0] = byte(4);
}

// The working records of a load; they reach the object when the whole text
// has been read.
struct LoadedFile final : quon::geofile::Target {
    void Address(const std::string& text) override {
        quon::geofile::StoreText(address.address, sizeof address.address, text);
    }

    void Value(Section section, Key key, const std::string&, const std::string& value) override {
        const int edge = quon::geofile::EdgeOf(section);
        if (section == Section::Version) {
            ReadInt(IntField(version, key), value);
        } else if (section == Section::Projector) {
            ReadInt(IntField(projector, key), value);
        } else if (section == Section::EdgeBlendSetting) {
            ReadInt(IntField(edgeBlendSetting, key), value);
        } else if (section == Section::BrightInside || section == Section::BrightOutside) {
            BrightArea& area = section == Section::BrightInside ? brightInside : brightOutside;
            if (key == Key::COLOR) {
                ReadPairColour(area, value);
            } else {
                area.INTERLOCKED = quon::Atol(value);
            }
        } else if (quon::geofile::IsEdgeSection(section, Section::EdgeBlendLocationLeft)) {
            EdgeBlendLocation& location = edgeBlendLocation[edge];
            if (key == Key::COLOR) {
                location.COLOR = LocationColour(value);
            } else {
                ReadInt(IntField(location, key), value);
            }
        } else if (quon::geofile::IsEdgeSection(section, Section::BlackLevelLeft)) {
            BlackLevelLocation& level = blackLevelLocation[edge];
            if (key == Key::COLOR) {
                level.COLOR = LocationColour(value);
            } else if (key == Key::POINT) {
                // Points fill the elements in the order their lines come,
                // whatever number the key carries; beyond the 33rd they are skipped.
                if (pointsRead[edge] < BlackLevelPointCount) level.POINT[pointsRead[edge]++] = quon::Atof(value);
            } else {
                ReadInt(IntField(level, key), value);
            }
        }
    }

    GeoVersion version{};
    ProjectorAddress address{};
    ProjectorInfo projector{};
    EdgeBlendSetting edgeBlendSetting{};
    EdgeBlendLocation edgeBlendLocation[GeoEdgeCount]{};
    BrightArea brightInside{};
    BrightArea brightOutside{};
    BlackLevelLocation blackLevelLocation[GeoEdgeCount]{};
    UINT32 pointsRead[GeoEdgeCount]{};
};

}  // namespace

HRESULT CQuonGeoBlackLevelInfo::Initialize(UINT32 number, const char* label) {
    return m_identity.Set(number, label);
}

HRESULT CQuonGeoBlackLevelInfo::GetIdentity(UINT32* number, char* labelOut) {
    return m_identity.CopyOut(number, labelOut);
}

HRESULT CQuonGeoBlackLevelInfo::SetBasicInfo(const GeoVersion* version, const char* address,
                                             const ProjectorInfo* projector) {
    if (version == nullptr || address == nullptr || projector == nullptr) return E_POINTER;
    m_version = *version;
    std::memcpy(m_address.address, address, sizeof m_address.address);
    m_projector = *projector;
    return S_OK;
}

HRESULT CQuonGeoBlackLevelInfo::GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector) {
    if (version == nullptr || address == nullptr || projector == nullptr) return E_POINTER;
    *version = m_version;
    std::memcpy(address, m_address.address, sizeof m_address.address);
    *projector = m_projector;
    return S_OK;
}

HRESULT CQuonGeoBlackLevelInfo::SetEdgeBlendInfo(const EdgeBlendSetting* setting,
                                                 const EdgeBlendLocation locations[4], const BrightArea* inside,
                                                 const BrightArea* outside) {
    if (setting != nullptr) m_edgeBlendSetting = *setting;
    if (locations != nullptr) std::memcpy(m_edgeBlendLocation, locations, sizeof m_edgeBlendLocation);
    if (inside != nullptr) m_brightInside = *inside;
    if (outside != nullptr) m_brightOutside = *outside;
    return S_OK;
}

HRESULT CQuonGeoBlackLevelInfo::GetEdgeBlendInfo(EdgeBlendSetting* setting, EdgeBlendLocation locations[4],
                                                 BrightArea* inside, BrightArea* outside) {
    if (setting == nullptr || locations == nullptr || inside == nullptr || outside == nullptr) return E_POINTER;
    *setting = m_edgeBlendSetting;
    std::memcpy(locations, m_edgeBlendLocation, sizeof m_edgeBlendLocation);
    *inside = m_brightInside;
    *outside = m_brightOutside;
    return S_OK;
}

HRESULT CQuonGeoBlackLevelInfo::SetBlackLevelInfo(const BlackLevelLocation blackLevels[4]) {
    if (blackLevels == nullptr) return E_POINTER;
    std::memcpy(m_blackLevelLocation, blackLevels, sizeof m_blackLevelLocation);
    return S_OK;
}

HRESULT CQuonGeoBlackLevelInfo::GetBlackLevelInfo(BlackLevelLocation blackLevels[4]) {
    if (blackLevels == nullptr) return E_POINTER;
    std::memcpy(blackLevels, m_blackLevelLocation, sizeof m_blackLevelLocation);
    return S_OK;
}

HRESULT CQuonGeoBlackLevelInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    LoadedFile file;
    quon::geofile::ReadInStages(quon::TextUpToNul(text, length), kStages, file);
    SetBasicInfo(&file.version, file.address.address, &file.projector);
    SetEdgeBlendInfo(&file.edgeBlendSetting, file.edgeBlendLocation, &file.brightInside, &file.brightOutside);
    return SetBlackLevelInfo(file.blackLevelLocation);
}

HRESULT CQuonGeoBlackLevelInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr || length == nullptr) return E_POINTER;
    GeoVersion version{};
    char address[ProjectorAddressSize] = {};
    ProjectorInfo projector{};
    HRESULT hr = GetBasicInfo(&version, address, &projector);
    std::string out;
    quon::geofile::AppendHeader(out, version, address, projector);

    EdgeBlendSetting setting{};
    EdgeBlendLocation locations[GeoEdgeCount]{};
    BrightArea inside{};
    BrightArea outside{};
    hr = GetEdgeBlendInfo(&setting, locations, &inside, &outside);
    quon::AppendFormat(out, "[EDGEBLEND_SETTING]\nControlMode=%d\nMarker=%d\nBlackLevelArea=%d\n", setting.ControlMode,
                       setting.Marker, setting.BlackLevelArea);
    quon::geofile::AppendEdgeBlendLocations(out, locations, quon::geofile::HexCase::Upper);
    quon::geofile::AppendBrightAreas(out, inside, outside, quon::geofile::HexCase::Upper);

    BlackLevelLocation levels[GeoEdgeCount]{};
    hr = GetBlackLevelInfo(levels);
    for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
        const BlackLevelLocation& l = levels[edge];
        quon::AppendFormat(out,
                           "[BLACKLEVEL_LOCATION_%s]\nINTERLOCKED=%d\nCOLOR=%X\nBLACKBORDERWIDTH=%d\nFREESHAPE=%d\n"
                           "ADJUSTMENTPOINTS=%d\n",
                           quon::geofile::EdgeName(edge), l.INTERLOCKED, static_cast<unsigned>(l.COLOR), l.BLACKBORDERWIDTH,
                           l.FREESHAPE, l.ADJUSTMENTPOINTS);
        // Never more points than the record holds.
        const INT32 points = l.ADJUSTMENTPOINTS < static_cast<INT32>(BlackLevelPointCount)
                                 ? l.ADJUSTMENTPOINTS
                                 : static_cast<INT32>(BlackLevelPointCount);
        for (INT32 n = 1; n <= points; ++n) quon::AppendFormat(out, "POINT%d=%.4f\n", n, l.POINT[n - 1]);
    }
    return quon::CopyOut(out, buffer, capacity, length, hr);
}

HRESULT CQuonGeoBlackLevelInfo::FreeData() { return S_OK; }

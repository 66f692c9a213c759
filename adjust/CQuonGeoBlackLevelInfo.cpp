#include "adjust/CQuonGeoBlackLevelInfo.h"

#include <cstring>
#include <string_view>

#include "formats/geometry_file.h"
#include "frame/copy_out.h"
#include "frame/diagnostics.h"
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

// A colour text cut at its first "\r".
std::string_view UpToCarriageReturn(std::string_view value) { return value.substr(0, value.find('\r')); }

// A colour value of an edge-blend or black-level location: hexadecimal with
// the checking conversion ("stol" messages), read up to the first "\r"; an
// empty value reads as 0.
INT32 LocationColour(std::string_view value) {
    const std::string_view text = UpToCarriageReturn(value);
    return text.empty() ? 0 : quon::geofile::HexColour(text);
}

// A bright-area colour read pair by pair: "0" is 0; otherwise the text is
// left-padded with "0" to six characters, which give the high, middle and low
// byte two by two. Nothing is validated.
void ReadPairColour(BrightArea& area, std::string_view value) {
    const std::string_view text = UpToCarriageReturn(value);
    if (text == "0") {
        quon::geofile::SetBrightColour(area, 0);
        return;
    }
    const std::size_t pad = text.size() < 6 ? 6 - text.size() : 0;
    auto digit = [&](std::size_t at) -> unsigned {
        unsigned code = at < pad ? '0' : static_cast<unsigned char>(text[at - pad]);
        if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
        return code <= '9' ? code - 48 : code - 55;
    };
    auto byte = [&](std::size_t at) { return static_cast<BYTE>((digit(at) * 16 + digit(at + 1)) & 0xFF); };
    area.COLOR[2] = byte(0);
    area.COLOR[1] = byte(2);
    area.COLOR[0] = byte(4);
}

// The working records of a load; they reach the object when the whole text
// has been read.
class LoadedFile final : public quon::geofile::FileRecords {
public:
    EdgeBlendSetting edgeBlendSetting{};
    EdgeBlendLocation edgeBlendLocation[GeoEdgeCount]{};
    BrightArea brightInside{};
    BrightArea brightOutside{};
    BlackLevelLocation blackLevelLocation[GeoEdgeCount]{};

protected:
    void SectionValue(Section section, Key key, std::string_view name, std::string_view value) override {
        const int edge = quon::geofile::EdgeOf(section);
        if (section == Section::EdgeBlendSetting) {
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
                if (pointsRead[edge] < BlackLevelPointCount) {
                    level.POINT[pointsRead[edge]++] = quon::Atof(value);
                } else {
                    quon::Report(name.data(), "more than ", BlackLevelPointCount, " POINT lines: line skipped");
                }
            } else {
                ReadInt(IntField(level, key), value);
            }
        }
    }

private:
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
    return m_basic.Set(version, address, projector);
}

HRESULT CQuonGeoBlackLevelInfo::GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector) {
    return m_basic.Get(version, address, projector, quon::geofile::BasicInfo::NullAddress::Refused);
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
    quon::geofile::ReadInStages(quon::TextViewUpToNul(text, length), kStages, file);
    SetBasicInfo(&file.header.version, file.header.address.address, &file.header.projector);
    SetEdgeBlendInfo(&file.edgeBlendSetting, file.edgeBlendLocation, &file.brightInside, &file.brightOutside);
    return SetBlackLevelInfo(file.blackLevelLocation);
}

HRESULT CQuonGeoBlackLevelInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr || length == nullptr) return E_POINTER;
    quon::geofile::BasicInfo header;
    HRESULT hr = GetBasicInfo(&header.version, header.address.address, &header.projector);
    quon::TextBuffer out;
    quon::geofile::AppendHeader(out, header);

    EdgeBlendSetting setting{};
    EdgeBlendLocation locations[GeoEdgeCount]{};
    BrightArea inside{};
    BrightArea outside{};
    hr = GetEdgeBlendInfo(&setting, locations, &inside, &outside);
    quon::Append<"[EDGEBLEND_SETTING]\nControlMode=%d\nMarker=%d\nBlackLevelArea=%d\n">(
        out, setting.ControlMode, setting.Marker, setting.BlackLevelArea);
    quon::geofile::AppendEdgeBlendLocations(out, locations, quon::geofile::HexCase::Upper);
    quon::geofile::AppendBrightAreas(out, inside, outside, quon::geofile::HexCase::Upper);

    BlackLevelLocation levels[GeoEdgeCount]{};
    hr = GetBlackLevelInfo(levels);
    for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
        const BlackLevelLocation& l = levels[edge];
        quon::Append<"[BLACKLEVEL_LOCATION_%s]\nINTERLOCKED=%d\nCOLOR=%X\nBLACKBORDERWIDTH=%d\nFREESHAPE=%d\n"
                     "ADJUSTMENTPOINTS=%d\n">(out, quon::geofile::EdgeName(edge), l.INTERLOCKED,
                                               static_cast<unsigned>(l.COLOR), l.BLACKBORDERWIDTH, l.FREESHAPE,
                                               l.ADJUSTMENTPOINTS);
        // Never more points than the record holds.
        const INT32 points = l.ADJUSTMENTPOINTS < static_cast<INT32>(BlackLevelPointCount)
                                 ? l.ADJUSTMENTPOINTS
                                 : static_cast<INT32>(BlackLevelPointCount);
        for (INT32 n = 1; n <= points; ++n) quon::Append<"POINT%d=%.4f\n">(out, n, l.POINT[n - 1]);
    }
    return quon::CopyOut(out.View(), buffer, capacity, length, hr);
}

HRESULT CQuonGeoBlackLevelInfo::FreeData() { return S_OK; }

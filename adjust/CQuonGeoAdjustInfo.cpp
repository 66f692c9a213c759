#include "adjust/CQuonGeoAdjustInfo.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "formats/geometry_file.h"
#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/factory.h"
#include "frame/sizes.h"
#include "frame/text.h"

using quon::geofile::IntField;
using quon::geofile::Key;
using quon::geofile::ReadInt;
using quon::geofile::Section;

namespace {

// Reads "x,y" into two reals; without a "," only x is set.
void ReadPair(std::string_view value, double* pair) {
    const quon::Fields<2> pieces(value, ',');
    if (pieces.Count() > 0) pair[0] = quon::Atof(pieces[0]);
    if (pieces.Count() > 1) pair[1] = quon::Atof(pieces[1]);
}

// The working records of a load. Values go here first and reach the object
// only when the whole text has been read; grid points go to the tags at once.
class LoadedFile final : public quon::geofile::FileRecords {
public:
    explicit LoadedFile(IQuonGeoOtherScreenTag* const* tags) : tags(tags) {}

    void GridPoint(int grid, UINT32 row, UINT32 column, double x, double y) override {
        const double point[2] = {x, y};
        tags[grid]->SetTag(row, column, point);
    }

    IQuonGeoOtherScreenTag* const* tags;
    AutoCalibResult autoCalib{};
    GeometrySetting geometrySetting{};
    EdgeBlendSetting edgeBlendSetting{};
    EdgeBlendLocation edgeBlendLocation[GeoEdgeCount]{};
    BrightArea brightInside{};
    BrightArea brightOutside{};
    INT32 gamma[GeoEdgeCount]{};
    BlackLevelLocation blackLevelLocation[GeoEdgeCount]{};

protected:
    void SectionValue(Section section, Key key, std::string_view name, std::string_view value) override {
        const int edge = quon::geofile::EdgeOf(section);
        switch (section) {
            case Section::GeometrySetting:
                ReadInt(IntField(geometrySetting, key), value);
                return;
            case Section::EdgeBlendSetting:
                ReadInt(IntField(edgeBlendSetting, key), value);
                return;
            case Section::AutoCalib: ReadAutoCalib(key, value); return;
            case Section::BrightInside:
            case Section::BrightOutside: {
                BrightArea& area = section == Section::BrightInside ? brightInside : brightOutside;
                if (key == Key::COLOR) {
                    quon::geofile::SetBrightColour(area, static_cast<UINT32>(quon::Stoi(value, nullptr, 16)));
                } else {
                    area.INTERLOCKED = quon::Atol(value);
                }
                return;
            }
            default: break;
        }
        if (quon::geofile::IsEdgeSection(section, Section::EdgeBlendLocationLeft)) {
            EdgeBlendLocation& location = edgeBlendLocation[edge];
            if (key == Key::COLOR) {
                location.COLOR = quon::geofile::HexColour(value);
            } else {
                ReadInt(IntField(location, key), value);
            }
        } else if (quon::geofile::IsEdgeSection(section, Section::GammaLeft)) {
            gamma[edge] = quon::Atol(value);
        } else if (quon::geofile::IsEdgeSection(section, Section::BlackLevelLeft)) {
            ReadBlackLevel(blackLevelLocation[edge], key, name, value);
        }
    }

private:
    void ReadAutoCalib(Key key, std::string_view value) {
        switch (key) {
            case Key::Result: quon::geofile::StoreText(autoCalib.Result, sizeof autoCalib.Result, value); break;
            case Key::BestZoom: autoCalib.BestZoom = quon::Atof(value); break;
            case Key::BestShift: ReadPair(value, autoCalib.BestShift); break;
            case Key::HorizontalBlendingWidth: autoCalib.HorizontalBlendingWidth = quon::Atol(value); break;
            case Key::VerticalBlendingWidth: autoCalib.VerticalBlendingWidth = quon::Atol(value); break;
            case Key::OANeighbor: autoCalib.OANeighbor = quon::Atol(value); break;
            case Key::GuidePosLeft: ReadPair(value, &autoCalib.GuidePos[0]); break;
            case Key::GuidePosUpper: ReadPair(value, &autoCalib.GuidePos[2]); break;
            case Key::GuidePosRight: ReadPair(value, &autoCalib.GuidePos[4]); break;
            case Key::GuidePosLower: ReadPair(value, &autoCalib.GuidePos[6]); break;
            default: break;
        }
    }

    static void ReadBlackLevel(BlackLevelLocation& level, Key key, std::string_view name, std::string_view value) {
        switch (key) {
            case Key::INTERLOCKED: level.INTERLOCKED = quon::Atol(value); break;
            case Key::COLOR: level.COLOR = quon::geofile::HexColour(value); break;
            case Key::BLACKBORDERWIDTH: level.BLACKBORDERWIDTH = quon::Stol(value); break;
            case Key::FREESHAPE: level.FREESHAPE = quon::Stol(value); break;
            case Key::ADJUSTMENTPOINTS: level.ADJUSTMENTPOINTS = quon::Stol(value); break;
            case Key::POINT: {
                // POINTn fills element n - 1; a number outside 1 .. 33 has no
                // element, and its line is skipped before the value is read.
                const INT32 index = quon::Atoi(name.substr(5));
                if (index < 1 || index > static_cast<INT32>(BlackLevelPointCount)) {
                    quon::Report(name.data(), quon::Quoted(name), " is not POINT1 to POINT", BlackLevelPointCount,
                                 ": line skipped");
                    break;
                }
                level.POINT[index - 1] = quon::Stof(value);
                break;
            }
            default: break;
        }
    }
};

// The references to the three tags that the writer takes through
// GetOtherScreen, released when it is done.
struct HeldTags {
    IQuonGeoOtherScreenTag* tags[GeoOtherScreenCount] = {};
    HeldTags() = default;
    HeldTags(const HeldTags&) = delete;
    HeldTags& operator=(const HeldTags&) = delete;
    ~HeldTags() {
        for (IQuonGeoOtherScreenTag* tag : tags) {
            if (tag != nullptr) tag->Release();
        }
    }
};

void AppendAutoCalib(quon::TextBuffer& out, AutoCalibResult a) {
    a.Result[sizeof a.Result - 1] = '\0';
    const char* result = a.Result;
    const bool oa = std::strcmp(a.Result, "OA") == 0;
    const bool widths = a.HorizontalBlendingWidth != -1;
    INT32 g[8];
    for (int i = 0; i < 8; ++i) g[i] = quon::SaturateToInt32(a.GuidePos[i]);
    if (!oa && !widths) {
        quon::Append<"[AUTOCALIB]\nResult=%s\nBestZoom=%.2f\nBestShift=%.2f,%.2f\nOANeighbor=%d\n">(
            out, result, a.BestZoom, a.BestShift[0], a.BestShift[1], a.OANeighbor);
    } else if (!oa) {
        quon::Append<"[AUTOCALIB]\nResult=%s\nBestZoom=%.2f\nBestShift=%.2f,%.2f\nHorizontalBlendingWidth=%d\n"
                     "VerticalBlendingWidth=%d\nOANeighbor=%d\n">(out, result, a.BestZoom, a.BestShift[0],
                                                                   a.BestShift[1], a.HorizontalBlendingWidth,
                                                                   a.VerticalBlendingWidth, a.OANeighbor);
    } else if (!widths) {
        quon::Append<"[AUTOCALIB]\nResult=%s\nBestZoom=%.2f\nBestShift=%.2f,%.2f\nOANeighbor=%d\n"
                     "GuidePosLeft=%d,%d\nGuidePosUpper=%d,%d\nGuidePosRight=%d,%d\nGuidePosLower=%d,%d\n">(
            out, result, a.BestZoom, a.BestShift[0], a.BestShift[1], a.OANeighbor, g[0], g[1], g[2], g[3], g[4], g[5],
            g[6], g[7]);
    } else {
        quon::Append<"[AUTOCALIB]\nResult=%s\nBestZoom=%.2f\nBestShift=%.2f,%.2f\nHorizontalBlendingWidth=%d\n"
                     "VerticalBlendingWidth=%d\nOANeighbor=%d\nGuidePosLeft=%d,%d\nGuidePosUpper=%d,%d\n"
                     "GuidePosRight=%d,%d\nGuidePosLower=%d,%d\n">(
            out, result, a.BestZoom, a.BestShift[0], a.BestShift[1], a.HorizontalBlendingWidth,
            a.VerticalBlendingWidth, a.OANeighbor, g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7]);
    }
}

// Writes one grid: every point of its used rows and columns, rows first. A
// tag that reports more than 79 x 129 points is written up to those limits.
void AppendGrid(quon::TextBuffer& out, IQuonGeoOtherScreenTag* tag) {
    UINT32 columns = 0;
    UINT32 rows = 0;
    tag->GetUsedSize(&columns, &rows);
    if (rows > OtherScreenTagRows) rows = OtherScreenTagRows;
    if (columns > OtherScreenTagColumns) columns = OtherScreenTagColumns;
    for (UINT32 r = 0; r < rows; ++r) {
        for (UINT32 c = 0; c < columns; ++c) {
            double point[2] = {0.0, 0.0};
            tag->GetTag(r, c, point);
            quon::Append<"%d,%d=%.4f,%.4f\n">(out, static_cast<int>(r), static_cast<int>(c), point[0], point[1]);
        }
    }
}

}  // namespace

CQuonGeoAdjustInfo::~CQuonGeoAdjustInfo() { ReleaseTags(); }

void CQuonGeoAdjustInfo::ReleaseTags() {
    for (IQuonGeoOtherScreenTag*& tag : m_otherScreen) {
        if (tag != nullptr) tag->Release();
        tag = nullptr;
    }
}

HRESULT CQuonGeoAdjustInfo::Initialize(UINT32 number, const char* label) {
    const HRESULT stored = m_identity.Set(number, label);
    if (FAILED(stored)) return stored;
    // A second Initialize starts again with three fresh tags.
    ReleaseTags();
    HRESULT hr = S_OK;
    for (IQuonGeoOtherScreenTag*& tag : m_otherScreen) {
        hr = DllCreateInstance(CLSID_QuonGeoOtherScreenTag, IID_IQuonGeoOtherScreenTag, reinterpret_cast<void**>(&tag));
        if (FAILED(hr)) return hr;
        hr = tag->Reset();
        if (FAILED(hr)) return hr;
    }
    return hr;
}

HRESULT CQuonGeoAdjustInfo::GetIdentity(UINT32* number, const char** label) {
    if (number == nullptr || label == nullptr) return E_POINTER;
    *number = m_identity.first;
    *label = m_identity.name.c_str();
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::SetBasicInfo(const GeoVersion* version, const char* address,
                                         const ProjectorInfo* projector, const AutoCalibResult* autoCalib,
                                         const GeometrySetting* geometrySetting) {
    if (version != nullptr) m_version = *version;
    if (address != nullptr) std::memcpy(m_address.address, address, sizeof m_address.address);
    if (projector != nullptr) m_projector = *projector;
    if (autoCalib != nullptr) m_autoCalib = *autoCalib;
    if (geometrySetting != nullptr) m_geometrySetting = *geometrySetting;
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::GetBasicInfo(GeoVersion* version, char* address, ProjectorInfo* projector,
                                         AutoCalibResult* autoCalib, GeometrySetting* geometrySetting) {
    if (version != nullptr) *version = m_version;
    if (address != nullptr) std::memcpy(address, m_address.address, sizeof m_address.address);
    if (projector != nullptr) *projector = m_projector;
    if (autoCalib != nullptr) *autoCalib = m_autoCalib;
    if (geometrySetting != nullptr) *geometrySetting = m_geometrySetting;
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::SetOtherScreen(UINT32 index, IQuonGeoOtherScreenTag* tag) {
    if (tag == nullptr || index >= GeoOtherScreenCount) return E_FAIL;
    tag->AddRef();
    if (m_otherScreen[index] != nullptr) m_otherScreen[index]->Release();
    m_otherScreen[index] = tag;
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::GetOtherScreen(UINT32 index, IQuonGeoOtherScreenTag** tag) {
    if (tag == nullptr) return E_POINTER;
    if (index >= GeoOtherScreenCount) return E_FAIL;
    *tag = m_otherScreen[index];
    if (*tag == nullptr) return E_FAIL;
    (*tag)->AddRef();
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::SetEdgeBlendInfo(const EdgeBlendSetting* setting, const EdgeBlendLocation locations[4],
                                             const BrightArea* inside, const BrightArea* outside,
                                             const INT32 gamma[4], const BlackLevelLocation blackLevels[4]) {
    if (setting != nullptr) m_edgeBlendSetting = *setting;
    if (locations != nullptr) std::memcpy(m_edgeBlendLocation, locations, sizeof m_edgeBlendLocation);
    if (inside != nullptr) m_brightInside = *inside;
    if (outside != nullptr) m_brightOutside = *outside;
    if (gamma != nullptr) std::memcpy(m_gamma, gamma, sizeof m_gamma);
    if (blackLevels != nullptr) std::memcpy(m_blackLevelLocation, blackLevels, sizeof m_blackLevelLocation);
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::GetEdgeBlendInfo(EdgeBlendSetting* setting, EdgeBlendLocation locations[4],
                                             BrightArea* inside, BrightArea* outside, INT32 gamma[4],
                                             BlackLevelLocation blackLevels[4]) {
    if (setting != nullptr) *setting = m_edgeBlendSetting;
    if (locations != nullptr) std::memcpy(locations, m_edgeBlendLocation, sizeof m_edgeBlendLocation);
    if (inside != nullptr) *inside = m_brightInside;
    if (outside != nullptr) *outside = m_brightOutside;
    if (gamma != nullptr) std::memcpy(gamma, m_gamma, sizeof m_gamma);
    if (blackLevels != nullptr) std::memcpy(blackLevels, m_blackLevelLocation, sizeof m_blackLevelLocation);
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::SetAuxiliaryRecord(const AuxiliaryRecord* record) {
    if (record == nullptr) return E_POINTER;
    m_auxiliary = *record;
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::GetAuxiliaryRecord(AuxiliaryRecord* record) {
    if (record == nullptr) return E_POINTER;
    *record = m_auxiliary;
    return S_OK;
}

HRESULT CQuonGeoAdjustInfo::LoadFromBuffer(const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    // Grid lines go straight into the tags: without all three nothing is read.
    for (IQuonGeoOtherScreenTag* tag : m_otherScreen) {
        if (tag == nullptr) return E_FAIL;
    }
    LoadedFile file(m_otherScreen);
    quon::geofile::ReadBySections(quon::TextView(text, length), file);
    quon::geofile::BasicInfo& header = file.header;
    SetBasicInfo(&header.version, header.address.address, &header.projector, &file.autoCalib, &file.geometrySetting);
    return SetEdgeBlendInfo(&file.edgeBlendSetting, file.edgeBlendLocation, &file.brightInside, &file.brightOutside,
                            file.gamma, file.blackLevelLocation);
}

HRESULT CQuonGeoAdjustInfo::SaveToBuffer(char* buffer, UINT32 capacity, UINT32* length) {
    if (buffer == nullptr || length == nullptr) return E_POINTER;
    HeldTags held;
    for (UINT32 i = 0; i < GeoOtherScreenCount; ++i) {
        if (FAILED(GetOtherScreen(i, &held.tags[i])) || held.tags[i] == nullptr) return E_FAIL;
    }

    quon::geofile::BasicInfo header;
    AutoCalibResult autoCalib{};
    GeometrySetting geometrySetting{};
    HRESULT hr = GetBasicInfo(&header.version, header.address.address, &header.projector, &autoCalib, &geometrySetting);

    quon::TextBuffer out;
    quon::geofile::AppendHeader(out, header);
    AppendAutoCalib(out, autoCalib);
    quon::Append<"[GEOMETRY_SETTING]\nScreen=%d\nCheckMode=%d\nControlMode=%d\n">(
        out, geometrySetting.Screen, geometrySetting.CheckMode, geometrySetting.ControlMode);
    const std::string_view gridHeaders[GeoOtherScreenCount] = {"[OTHER_SCREEN_0]\n", "[OTHER_SCREEN_1]\n",
                                                               "[OTHER_SCREEN_2]\n"};
    for (UINT32 i = 0; i < GeoOtherScreenCount; ++i) {
        out.Append(gridHeaders[i]);
        AppendGrid(out, held.tags[i]);
    }

    EdgeBlendSetting setting{};
    EdgeBlendLocation locations[GeoEdgeCount]{};
    BrightArea inside{};
    BrightArea outside{};
    INT32 gamma[GeoEdgeCount]{};
    BlackLevelLocation blackLevels[GeoEdgeCount]{};
    hr = GetEdgeBlendInfo(&setting, locations, &inside, &outside, gamma, blackLevels);
    // BlackLevelArea -1 leaves the whole edge-blend part out.
    if (setting.BlackLevelArea != -1) {
        quon::Append<"[EDGEBLEND_SETTING]\nControlMode=%d\n">(out, setting.ControlMode);
        quon::geofile::AppendEdgeBlendLocations(out, locations, quon::geofile::HexCase::Lower);
        quon::geofile::AppendBrightAreas(out, inside, outside, quon::geofile::HexCase::Lower);
        for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
            quon::Append<"[EDGEBLEND_GAMMADATA_%s]\nGAMMA=%d\n">(out, quon::geofile::EdgeName(edge), gamma[edge]);
        }
    }
    return quon::CopyOut(out.View(), buffer, capacity, length, hr);
}

HRESULT CQuonGeoAdjustInfo::FreeData() {
    ReleaseTags();
    return S_OK;
}

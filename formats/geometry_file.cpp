#include "formats/geometry_file.h"

#include <cstring>
#include <iterator>
#include <utility>

#include "frame/diagnostics.h"
#include "frame/text.h"

namespace quon::geofile {

namespace {

constexpr const char* kKeyNames[] = {
    "MajorVersion", "MinorVersion", "Major", "Minor", "Panel", "Screen", "Result", "BestZoom", "BestShift",
    "HorizontalBlendingWidth", "VerticalBlendingWidth", "OANeighbor", "GuidePosLeft", "GuidePosUpper",
    "GuidePosRight", "GuidePosLower", "CheckMode", "ControlMode", "Marker", "BlackLevelArea", "ENABLE", "START",
    "WIDTH", "OUTSIDEAREA", "INTERLOCKED", "COLOR", "KEYSTONEAREA", "GAMMA", "BLACKBORDERWIDTH", "FREESHAPE",
    "ADJUSTMENTPOINTS", "POINT", "ColorMatchingMode",
    "7Color_1_1", "7Color_1_2", "7Color_1_3", "7Color_2_1", "7Color_2_2", "7Color_2_3", "7Color_3_1",
    "7Color_3_2", "7Color_3_3", "7Color_4_1", "7Color_4_2", "7Color_4_3", "7Color_5_1", "7Color_5_2",
    "7Color_5_3", "7Color_6_1", "7Color_6_2", "7Color_6_3", "7Color_7_1", "7Color_7_2", "7Color_7_3",
    "WhiteBalanceHigh_0", "WhiteBalanceHigh_1", "WhiteBalanceHigh_2", "TargetReset",
};
static_assert(std::size(kKeyNames) == static_cast<std::size_t>(Key::TargetReset) + 1);

constexpr Key kVersionKeys[] = {Key::MajorVersion, Key::MinorVersion};
constexpr Key kProjectorKeys[] = {Key::Major, Key::Minor, Key::Panel, Key::Screen};
constexpr Key kAutoCalibKeys[] = {Key::Result, Key::BestZoom, Key::BestShift, Key::HorizontalBlendingWidth,
                                  Key::VerticalBlendingWidth, Key::OANeighbor, Key::GuidePosLeft,
                                  Key::GuidePosUpper, Key::GuidePosRight, Key::GuidePosLower};
constexpr Key kGeometrySettingKeys[] = {Key::Screen, Key::CheckMode, Key::ControlMode};
constexpr Key kEdgeBlendSettingKeys[] = {Key::ControlMode, Key::Marker, Key::BlackLevelArea};
constexpr Key kLocationKeys[] = {Key::ENABLE, Key::START, Key::WIDTH, Key::OUTSIDEAREA,
                                 Key::INTERLOCKED, Key::COLOR, Key::KEYSTONEAREA};
constexpr Key kBrightKeys[] = {Key::INTERLOCKED, Key::COLOR};
constexpr Key kGammaKeys[] = {Key::GAMMA};
constexpr Key kBlackLevelKeys[] = {Key::INTERLOCKED, Key::COLOR, Key::BLACKBORDERWIDTH, Key::FREESHAPE,
                                   Key::ADJUSTMENTPOINTS, Key::POINT};
constexpr Key kColorMatchingKeys[] = {
    Key::ColorMatchingMode, SevenColorKey(1, 1), SevenColorKey(1, 2), SevenColorKey(1, 3), SevenColorKey(2, 1),
    SevenColorKey(2, 2),    SevenColorKey(2, 3), SevenColorKey(3, 1), SevenColorKey(3, 2), SevenColorKey(3, 3),
    SevenColorKey(4, 1),    SevenColorKey(4, 2), SevenColorKey(4, 3), SevenColorKey(5, 1), SevenColorKey(5, 2),
    SevenColorKey(5, 3),    SevenColorKey(6, 1), SevenColorKey(6, 2), SevenColorKey(6, 3), SevenColorKey(7, 1),
    SevenColorKey(7, 2),    SevenColorKey(7, 3)};
constexpr Key kPictureKeys[] = {Key::WhiteBalanceHigh_0, Key::WhiteBalanceHigh_1, Key::WhiteBalanceHigh_2,
                                Key::TargetReset};

struct SectionRow {
    Section section;
    const char* header;
    std::span<const Key> keys;
};

// The section catalogue, in enumeration order.
const SectionRow kSections[] = {
    {Section::None, "", {}},
    {Section::Unknown, "", {}},
    {Section::Version, "[VERSION]", kVersionKeys},
    {Section::Address, "", {}},
    {Section::Projector, "[PROJECTOR]", kProjectorKeys},
    {Section::AutoCalib, "[AUTOCALIB]", kAutoCalibKeys},
    {Section::GeometrySetting, "[GEOMETRY_SETTING]", kGeometrySettingKeys},
    {Section::OtherScreen0, "[OTHER_SCREEN_0]", {}},
    {Section::OtherScreen1, "[OTHER_SCREEN_1]", {}},
    {Section::OtherScreen2, "[OTHER_SCREEN_2]", {}},
    {Section::EdgeBlendSetting, "[EDGEBLEND_SETTING]", kEdgeBlendSettingKeys},
    {Section::EdgeBlendLocationLeft, "[EDGEBLEND_LOCATION_LEFT]", kLocationKeys},
    {Section::EdgeBlendLocationUpper, "[EDGEBLEND_LOCATION_UPPER]", kLocationKeys},
    {Section::EdgeBlendLocationRight, "[EDGEBLEND_LOCATION_RIGHT]", kLocationKeys},
    {Section::EdgeBlendLocationLower, "[EDGEBLEND_LOCATION_LOWER]", kLocationKeys},
    {Section::BrightInside, "[EDGEBLEND_BRIGHT_INSIDE]", kBrightKeys},
    {Section::BrightOutside, "[EDGEBLEND_BRIGHT_OUTSIDE]", kBrightKeys},
    {Section::GammaLeft, "[EDGEBLEND_GAMMADATA_LEFT]", kGammaKeys},
    {Section::GammaUpper, "[EDGEBLEND_GAMMADATA_UPPER]", kGammaKeys},
    {Section::GammaRight, "[EDGEBLEND_GAMMADATA_RIGHT]", kGammaKeys},
    {Section::GammaLower, "[EDGEBLEND_GAMMADATA_LOWER]", kGammaKeys},
    {Section::MaskingSetting, "[MASKING_SETTING]", {}},
    {Section::MaskingFixed, "[MASKING_FIXED]", {}},
    {Section::BlackLevelLeft, "[BLACKLEVEL_LOCATION_LEFT]", kBlackLevelKeys},
    {Section::BlackLevelUpper, "[BLACKLEVEL_LOCATION_UPPER]", kBlackLevelKeys},
    {Section::BlackLevelRight, "[BLACKLEVEL_LOCATION_RIGHT]", kBlackLevelKeys},
    {Section::BlackLevelLower, "[BLACKLEVEL_LOCATION_LOWER]", kBlackLevelKeys},
    {Section::ColorMatching, "[COLOR_MATCHING]", kColorMatchingKeys},
    {Section::Picture, "[PICTURE]", kPictureKeys},
};
static_assert(std::size(kSections) == static_cast<std::size_t>(Section::Picture) + 1);

const SectionRow& RowOf(Section section) { return kSections[static_cast<std::size_t>(section)]; }

// Markers of the section-dispatch reader in search order; the first found in
// a header line wins. Only [VERSION] and the other-screen markers carry
// their brackets, and the reader also takes [OTHER_SCREEN_1x] as grid x.
struct Marker {
    const char* text;
    Section section;
};
const Marker kMarkers[] = {
    {"[VERSION]", Section::Version},
    {"PROJECTOR_ADDRESS", Section::Address},
    {"PROJECTOR", Section::Projector},
    {"AUTOCALIB", Section::AutoCalib},
    {"GEOMETRY_SETTING", Section::GeometrySetting},
    {"[OTHER_SCREEN_0]", Section::OtherScreen0},
    {"[OTHER_SCREEN_10]", Section::OtherScreen0},
    {"[OTHER_SCREEN_1]", Section::OtherScreen1},
    {"[OTHER_SCREEN_11]", Section::OtherScreen1},
    {"[OTHER_SCREEN_2]", Section::OtherScreen2},
    {"[OTHER_SCREEN_12]", Section::OtherScreen2},
    {"EDGEBLEND_SETTING", Section::EdgeBlendSetting},
    {"EDGEBLEND_LOCATION_LEFT", Section::EdgeBlendLocationLeft},
    {"EDGEBLEND_LOCATION_UPPER", Section::EdgeBlendLocationUpper},
    {"EDGEBLEND_LOCATION_RIGHT", Section::EdgeBlendLocationRight},
    {"EDGEBLEND_LOCATION_LOWER", Section::EdgeBlendLocationLower},
    {"EDGEBLEND_BRIGHT_INSIDE", Section::BrightInside},
    {"EDGEBLEND_BRIGHT_OUTSIDE", Section::BrightOutside},
    {"EDGEBLEND_GAMMADATA_LEFT", Section::GammaLeft},
    {"EDGEBLEND_GAMMADATA_UPPER", Section::GammaUpper},
    {"EDGEBLEND_GAMMADATA_RIGHT", Section::GammaRight},
    {"EDGEBLEND_GAMMADATA_LOWER", Section::GammaLower},
    {"MASKING_SETTING", Section::MaskingSetting},
    {"MASKING_FIXED", Section::MaskingFixed},
    {"BLACKLEVEL_LOCATION_LEFT", Section::BlackLevelLeft},
    {"BLACKLEVEL_LOCATION_RIGHT", Section::BlackLevelRight},
    {"BLACKLEVEL_LOCATION_UPPER", Section::BlackLevelUpper},
    {"BLACKLEVEL_LOCATION_LOWER", Section::BlackLevelLower},
};

constexpr const char* kEdgeNames[] = {"LEFT", "UPPER", "RIGHT", "LOWER"};

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// Whether text holds name immediately followed by "=".
bool ContainsAssignment(std::string_view text, std::string_view name) {
    for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
        const std::size_t equals = at + name.size();
        if (equals < text.size() && text[equals] == '=') return true;
    }
    return false;
}

// The address of an address line: the text after its third "[", cut at the
// first "]". False when the line has no text after a third "[".
bool AddressOf(std::string_view line, std::string_view& address) {
    const Fields<4> pieces(line, '[');
    if (pieces.Count() < 4) return false;
    address = pieces[3].substr(0, pieces[3].find(']'));
    return true;
}

// Whether key is named in the text before "=" (section-dispatch reader).
bool NamesKey(std::string_view name, Key key) { return Contains(name, KeyName(key)); }

// Whether a line of a stage holds key (sequential reader): the name followed
// by "=", or for POINT lines the bare name.
bool LineHoldsKey(std::string_view line, Key key) {
    if (key == Key::POINT) return Contains(line, KeyName(key));
    return ContainsAssignment(line, KeyName(key));
}

// Section-dispatch reader: one line of a key section.
void ReadKeyLine(Section section, std::string_view line, Target& target) {
    const Fields<2> pieces(line, '=');
    // "Key=" (nothing behind "=") and lines with a second "=" are skipped.
    if (pieces.Count() != 2) {
        if (pieces.Count() == 1 && line.find('=') != std::string_view::npos) {
            Report(line.data(), "key ", Quoted(pieces[0]), " has no value: line skipped");
        } else if (pieces.Count() > 2) {
            Report(line.data(), "a second '=' in ", Quoted(line), ": line skipped");
        } else if (!line.empty()) {
            Report(line.data(), Quoted(line), " is not KEY=value: line skipped");
        }
        return;
    }
    for (Key key : SectionKeys(section)) {
        if (NamesKey(pieces[0], key)) {
            target.Value(section, key, pieces[0], pieces[1]);
            return;
        }
    }
    Report(line.data(), "unknown key ", Quoted(pieces[0]), " in ", SectionHeader(section), ": line skipped");
}

// Section-dispatch reader: one grid line "row,column=x,y". Read for a
// listener, a skipped line is also reported; the reader that no one listens
// to is compiled without those reports.
template <bool kListening>
void ReadGridLine(int grid, std::string_view line, Target& target) {
    const Fields<2> sides(line, '=');
    const Fields<2> place(sides[0], ',');
    const Fields<2> point(sides[1], ',');
    if (sides.Count() < 2 || place.Count() < 2 || point.Count() < 2) {
        if constexpr (kListening) {
            if (!line.empty()) Report(line.data(), Quoted(line), " is not a grid line row,column=x,y: skipped");
        }
        return;
    }
    const INT32 row = quon::Atol(place[0]);
    const INT32 column = quon::Atol(place[1]);
    // Points outside the 79 x 129 grid have no place to go.
    if (row < 0 || column < 0 || row >= static_cast<INT32>(OtherScreenTagRows) ||
        column >= static_cast<INT32>(OtherScreenTagColumns)) {
        if constexpr (kListening) {
            Report(line.data(), "grid point ", row, ",", column, " lies outside the ", OtherScreenTagRows, " x ",
                   OtherScreenTagColumns, " grid: skipped");
        }
        return;
    }
    target.GridPoint(grid, static_cast<UINT32>(row), static_cast<UINT32>(column), quon::Atof(point[0]),
                     quon::Atof(point[1]));
}

bool IsKeySection(Section section) {
    switch (section) {
        case Section::None:
        case Section::Unknown:
        case Section::Address:
        case Section::OtherScreen0:
        case Section::OtherScreen1:
        case Section::OtherScreen2:
        case Section::MaskingSetting:
        case Section::MaskingFixed:
            return false;
        default:
            return true;
    }
}

// Sequential reader: one line of a key stage. Every key found takes the
// line's value; in the black-level stages only the first one found does, so
// an "ADJUSTMENTPOINTS=" line is never taken as a point.
// Returns whether a key took the line.
bool ReadStageLine(Section section, std::string_view line, Target& target) {
    const std::span<const Key> keys = SectionKeys(section);
    if (keys.empty()) return false;
    const bool firstKeyOnly = keys.back() == Key::POINT;
    bool taken = false;
    for (Key key : keys) {
        if (!LineHoldsKey(line, key)) continue;
        const Fields<2> pieces(line, '=');
        if (pieces[1].empty() && key != Key::POINT) {
            Report(line.data(), "key ", Quoted(pieces[0]), " has no value: read as 0");
        }
        target.Value(section, key, pieces[0], pieces[1]);
        taken = true;
        if (firstKeyOnly) break;
    }
    return taken;
}

// For a listener: a line of a stage that no key of the stage took.
void ReportStrayLine(Section section, std::string_view line) {
    if (line.empty() || Contains(line, SectionHeader(section))) return;
    if (line.find('[') != std::string_view::npos) {
        Report(line.data(), "unexpected section header ", Quoted(line), ": its lines are read as part of ",
               SectionHeader(section));
    } else {
        Report(line.data(), Quoted(line), " is no key of ", SectionHeader(section), ": line skipped");
    }
}

}  // namespace

const char* KeyName(Key key) { return kKeyNames[static_cast<std::size_t>(key)]; }

const char* SectionHeader(Section section) { return RowOf(section).header; }

std::span<const Key> SectionKeys(Section section) { return RowOf(section).keys; }

bool IsEdgeSection(Section section, Section left) {
    const int s = static_cast<int>(section);
    const int f = static_cast<int>(left);
    return s >= f && s < f + 4;
}

int EdgeOf(Section section) {
    const int s = static_cast<int>(section);
    for (Section first : {Section::EdgeBlendLocationLeft, Section::GammaLeft, Section::BlackLevelLeft}) {
        const int f = static_cast<int>(first);
        if (s >= f && s < f + 4) return s - f;
    }
    return -1;
}

int GridOf(Section section) {
    const int s = static_cast<int>(section) - static_cast<int>(Section::OtherScreen0);
    return s >= 0 && s < 3 ? s : -1;
}

const char* EdgeName(UINT32 edge) { return edge < 4 ? kEdgeNames[edge] : ""; }

Section FindSection(std::string_view line) {
    for (const Marker& marker : kMarkers) {
        if (Contains(line, marker.text)) return marker.section;
    }
    return Section::Unknown;
}

namespace {

// For a listener: a header line that selects no section or one already read,
// or one whose lines are never read.
void ReportHeader(std::string_view line, Section section, uint64_t& seen) {
    const uint64_t bit = uint64_t{1} << static_cast<unsigned>(section);
    if (section == Section::Unknown) {
        Report(line.data(), "unknown section ", Quoted(line), ": its lines are skipped");
    } else if (section == Section::MaskingSetting || section == Section::MaskingFixed) {
        Report(line.data(), "section ", SectionHeader(section), " is not read: its lines are skipped");
    } else if ((seen & bit) != 0) {
        Report(line.data(), "duplicate section ", Quoted(line), ": its values replace the earlier ones");
    }
    seen |= bit;
}

template <bool kListening>
[[gnu::noinline]] void ReadBySectionsFor(std::string_view text, Target& target) {
    Section section = Section::None;
    int grid = -1;
    bool keys = false;
    [[maybe_unused]] uint64_t seen = 0;  // sections met so far, for a listener
    Pieces lines(text, '\n');
    std::string_view line;
    while (lines.Next(line)) {
        if (line.find('[') != std::string_view::npos) {
            section = FindSection(line);
            grid = GridOf(section);
            keys = IsKeySection(section);
            if constexpr (kListening) ReportHeader(line, section, seen);
            std::string_view address;
            if (section == Section::Address) {
                if (AddressOf(line, address)) {
                    target.Address(address);
                } else {
                    Report(line.data(), "no address after the third '[' of ", Quoted(line), ": the address stays empty");
                }
            }
        } else if (grid >= 0) {
            ReadGridLine<kListening>(grid, line, target);
        } else if (keys) {
            ReadKeyLine(section, line, target);
        }
    }
}

}  // namespace

void ReadBySections(std::string_view text, Target& target) {
    if (Listener() != nullptr) {
        ReadBySectionsFor<true>(text, target);
    } else {
        ReadBySectionsFor<false>(text, target);
    }
}

void ReadInStages(std::string_view text, std::span<const Section> stages, Target& target) {
    enum class Stage { Version, Address, Sections };
    Stage stage = Stage::Version;
    std::size_t current = 0;  // index into stages
    const bool listening = Listener() != nullptr;
    Pieces lines(text, '\n');
    std::string_view line;
    while (lines.Next(line)) {
        if (stage == Stage::Version) {
            ReadStageLine(Section::Version, line, target);
            if (LineHoldsKey(line, Key::MinorVersion)) stage = Stage::Address;
        } else if (stage == Stage::Address) {
            if (!Contains(line, "PROJECTOR_ADDRESS")) continue;
            std::string_view address;
            if (AddressOf(line, address)) {
                target.Address(address);
            } else {
                Report(line.data(), "no address after the third '[' of ", Quoted(line), ": the address stays empty");
            }
            stage = Stage::Sections;
        } else if (current < stages.size()) {
            if (current + 1 < stages.size() && Contains(line, SectionHeader(stages[current + 1]))) {
                ++current;
                continue;
            }
            if (!ReadStageLine(stages[current], line, target) && listening) [[unlikely]] {
                ReportStrayLine(stages[current], line);
            }
        }
    }
    if (!listening) return;
    // What the walk never reached reads as zero.
    const char* end = text.data() + text.size();
    if (stage == Stage::Version) {
        Report(end, "no MinorVersion= line: the address and every section after [VERSION] read as 0");
    } else if (stage == Stage::Address) {
        Report(end, "no PROJECTOR_ADDRESS line: the address and every section read as 0");
    } else if (current + 1 < stages.size()) {
        Report(end, "no ", SectionHeader(stages[current + 1]), " header: the sections from it on read as 0");
    }
}

void StoreText(char* field, std::size_t size, std::string_view text) {
    const std::size_t length = text.size() < size ? text.size() : size - 1;
    std::memset(field, 0, size);
    if (length != 0) std::memcpy(field, text.data(), length);
}

INT32 HexColour(std::string_view value) { return quon::Stol(value, nullptr, 16); }

UINT32 BrightColour(const BrightArea& area) {
    return area.COLOR[0] + 256u * area.COLOR[1] + 65536u * area.COLOR[2];
}

void SetBrightColour(BrightArea& area, UINT32 colour) {
    area.COLOR[0] = static_cast<BYTE>(colour & 0xFF);
    area.COLOR[1] = static_cast<BYTE>((colour >> 8) & 0xFF);
    area.COLOR[2] = static_cast<BYTE>((colour >> 16) & 0xFF);
}

INT32* IntField(GeoVersion& record, Key key) {
    switch (key) {
        case Key::MajorVersion: return &record.MajorVersion;
        case Key::MinorVersion: return &record.MinorVersion;
        default: return nullptr;
    }
}

INT32* IntField(ProjectorInfo& record, Key key) {
    switch (key) {
        case Key::Major: return &record.Major;
        case Key::Minor: return &record.Minor;
        case Key::Panel: return &record.Panel;
        case Key::Screen: return &record.Screen;
        default: return nullptr;
    }
}

INT32* IntField(GeometrySetting& record, Key key) {
    switch (key) {
        case Key::Screen: return &record.Screen;
        case Key::CheckMode: return &record.CheckMode;
        case Key::ControlMode: return &record.ControlMode;
        default: return nullptr;
    }
}

INT32* IntField(EdgeBlendSetting& record, Key key) {
    switch (key) {
        case Key::ControlMode: return &record.ControlMode;
        case Key::Marker: return &record.Marker;
        case Key::BlackLevelArea: return &record.BlackLevelArea;
        default: return nullptr;
    }
}

INT32* IntField(EdgeBlendLocation& record, Key key) {
    switch (key) {
        case Key::ENABLE: return &record.ENABLE;
        case Key::START: return &record.START;
        case Key::WIDTH: return &record.WIDTH;
        case Key::OUTSIDEAREA: return &record.OUTSIDEAREA;
        case Key::INTERLOCKED: return &record.INTERLOCKED;
        case Key::KEYSTONEAREA: return &record.KEYSTONEAREA;
        default: return nullptr;
    }
}

INT32* IntField(BlackLevelLocation& record, Key key) {
    switch (key) {
        case Key::INTERLOCKED: return &record.INTERLOCKED;
        case Key::BLACKBORDERWIDTH: return &record.BLACKBORDERWIDTH;
        case Key::FREESHAPE: return &record.FREESHAPE;
        case Key::ADJUSTMENTPOINTS: return &record.ADJUSTMENTPOINTS;
        default: return nullptr;
    }
}

void ReadInt(INT32* field, std::string_view value) {
    if (field != nullptr) *field = Atol(value);
}

HRESULT BasicInfo::Set(const GeoVersion* versionIn, const char* addressIn, const ProjectorInfo* projectorIn) {
    if (versionIn == nullptr || addressIn == nullptr || projectorIn == nullptr) return E_POINTER;
    version = *versionIn;
    std::memcpy(address.address, addressIn, sizeof address.address);
    projector = *projectorIn;
    return S_OK;
}

HRESULT BasicInfo::Get(GeoVersion* versionOut, char* addressOut, ProjectorInfo* projectorOut,
                       NullAddress nullAddress) const {
    if (versionOut == nullptr || projectorOut == nullptr) return E_POINTER;
    if (addressOut == nullptr && nullAddress == NullAddress::Refused) return E_POINTER;
    *versionOut = version;
    if (addressOut != nullptr) std::memcpy(addressOut, address.address, sizeof address.address);
    *projectorOut = projector;
    return S_OK;
}

void FileRecords::Address(std::string_view text) { StoreText(header.address.address, sizeof header.address.address, text); }

void FileRecords::Value(Section section, Key key, std::string_view name, std::string_view value) {
    if (section == Section::Version) {
        ReadInt(IntField(header.version, key), value);
    } else if (section == Section::Projector) {
        ReadInt(IntField(header.projector, key), value);
    } else {
        SectionValue(section, key, name, value);
    }
}

void AppendHeader(TextBuffer& out, const BasicInfo& basic) {
    char address[ProjectorAddressSize] = {};
    std::memcpy(address, basic.address.address, ProjectorAddressSize - 1);
    const GeoVersion& v = basic.version;
    const ProjectorInfo& p = basic.projector;
    quon::Append<"Geometry\n[VERSION]\nMajorVersion=%d\nMinorVersion=%d\n[[PROJECTOR_ADDRESS[%s]]]\n"
                 "[PROJECTOR]\nMajor=%d\nMinor=%d\nPanel=%d\nScreen=%d\n">(
        out, v.MajorVersion, v.MinorVersion, static_cast<const char*>(address), p.Major, p.Minor, p.Panel, p.Screen);
}

void AppendEdgeBlendLocations(TextBuffer& out, const EdgeBlendLocation locations[4], HexCase hexCase) {
    for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
        const EdgeBlendLocation& l = locations[edge];
        const unsigned colour = static_cast<unsigned>(l.COLOR);
        if (hexCase == HexCase::Lower) {
            quon::Append<"[EDGEBLEND_LOCATION_%s]\nENABLE=%d\nSTART=%d\nWIDTH=%d\nOUTSIDEAREA=%d\n"
                         "INTERLOCKED=%d\nCOLOR=%x\nKEYSTONEAREA=%d\n">(
                out, EdgeName(edge), l.ENABLE, l.START, l.WIDTH, l.OUTSIDEAREA, l.INTERLOCKED, colour, l.KEYSTONEAREA);
        } else {
            quon::Append<"[EDGEBLEND_LOCATION_%s]\nENABLE=%d\nSTART=%d\nWIDTH=%d\nOUTSIDEAREA=%d\n"
                         "INTERLOCKED=%d\nCOLOR=%X\nKEYSTONEAREA=%d\n">(
                out, EdgeName(edge), l.ENABLE, l.START, l.WIDTH, l.OUTSIDEAREA, l.INTERLOCKED, colour, l.KEYSTONEAREA);
        }
    }
}

void AppendBrightAreas(TextBuffer& out, const BrightArea& inside, const BrightArea& outside, HexCase hexCase) {
    const std::pair<const char*, const BrightArea*> areas[] = {{"INSIDE", &inside}, {"OUTSIDE", &outside}};
    for (const auto& [name, area] : areas) {
        if (hexCase == HexCase::Lower) {
            quon::Append<"[EDGEBLEND_BRIGHT_%s]\nINTERLOCKED=%d\nCOLOR=%x\n">(out, name, area->INTERLOCKED,
                                                                              BrightColour(*area));
        } else {
            quon::Append<"[EDGEBLEND_BRIGHT_%s]\nINTERLOCKED=%d\nCOLOR=%X\n">(out, name, area->INTERLOCKED,
                                                                              BrightColour(*area));
        }
    }
}

}  // namespace quon::geofile

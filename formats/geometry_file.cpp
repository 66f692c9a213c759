#include "formats/geometry_file.h"

#include <cstring>
#include <iterator>
#include <vector>

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

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    Split(text, '\n', lines);
    return lines;
}

// The address of an address line: the text after its third "[", cut at the
// first "]". False when the line has no text after a third "[".
bool AddressOf(const std::string& line, std::string& address) {
    std::vector<std::string> pieces;
    Split(line, '[', pieces);
    if (pieces.size() < 4) return false;
    address = pieces[3].substr(0, pieces[3].find(']'));
    return true;
}

// Whether key is named in the text before "=" (section-dispatch reader).
bool NamesKey(const std::string& name, Key key) { return Contains(name, KeyName(key)); }

// Whether a line of a stage holds key (sequential reader): the name followed
// by "=", or for POINT lines the bare name.
bool LineHoldsKey(const std::string& line, Key key) {
    if (key == Key::POINT) return Contains(line, KeyName(key));
    return Contains(line, (std::string(KeyName(key)) + "=").c_str());
}

// Section-dispatch reader: one line of a key section.
void ReadKeyLine(Section section, const std::string& line, Target& target) {
    std::vector<std::string> pieces;
    Split(line, '=', pieces);
    // "Key=" (nothing behind "=") and lines with a second "=" are skipped.
    if (pieces.size() != 2) return;
    for (Key key : SectionKeys(section)) {
        if (NamesKey(pieces[0], key)) {
            target.Value(section, key, pieces[0], pieces[1]);
            return;
        }
    }
}

// Section-dispatch reader: one grid line "row,column=x,y".
void ReadGridLine(int grid, const std::string& line, Target& target) {
    std::vector<std::string> pieces;
    Split(line, '=', pieces);
    if (pieces.size() < 2) return;
    std::vector<std::string> place;
    std::vector<std::string> point;
    Split(pieces[0], ',', place);
    Split(pieces[1], ',', point);
    if (place.size() < 2 || point.size() < 2) return;
    const INT32 row = quon::Atol(place[0]);
    const INT32 column = quon::Atol(place[1]);
    // Points outside the 79 x 129 grid have no place to go.
    if (row < 0 || column < 0 || row >= static_cast<INT32>(OtherScreenTagRows) ||
        column >= static_cast<INT32>(OtherScreenTagColumns)) {
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
void ReadStageLine(Section section, const std::string& line, Target& target) {
    const std::span<const Key> keys = SectionKeys(section);
    if (keys.empty()) return;
    const bool firstKeyOnly = keys.back() == Key::POINT;
    std::vector<std::string> pieces;
    for (Key key : keys) {
        if (!LineHoldsKey(line, key)) continue;
        if (pieces.empty()) Split(line, '=', pieces);
        const std::string name = pieces.empty() ? std::string() : pieces[0];
        const std::string value = pieces.size() > 1 ? pieces[1] : std::string();
        target.Value(section, key, name, value);
        if (firstKeyOnly) return;
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

Section FindSection(const std::string& line) {
    for (const Marker& marker : kMarkers) {
        if (Contains(line, marker.text)) return marker.section;
    }
    return Section::Unknown;
}

void ReadBySections(const std::string& text, Target& target) {
    Section section = Section::None;
    for (const std::string& line : Lines(text)) {
        if (line.find('[') != std::string::npos) {
            section = FindSection(line);
            std::string address;
            if (section == Section::Address && AddressOf(line, address)) target.Address(address);
        } else if (GridOf(section) >= 0) {
            ReadGridLine(GridOf(section), line, target);
        } else if (IsKeySection(section)) {
            ReadKeyLine(section, line, target);
        }
    }
}

void ReadInStages(const std::string& text, std::span<const Section> stages, Target& target) {
    enum class Stage { Version, Address, Sections };
    Stage stage = Stage::Version;
    std::size_t current = 0;  // index into stages
    for (const std::string& line : Lines(text)) {
        if (stage == Stage::Version) {
            ReadStageLine(Section::Version, line, target);
            if (LineHoldsKey(line, Key::MinorVersion)) stage = Stage::Address;
        } else if (stage == Stage::Address) {
            if (!Contains(line, "PROJECTOR_ADDRESS")) continue;
            std::string address;
            if (AddressOf(line, address)) target.Address(address);
            stage = Stage::Sections;
        } else if (current < stages.size()) {
            if (current + 1 < stages.size() && Contains(line, SectionHeader(stages[current + 1]))) {
                ++current;
                continue;
            }
            ReadStageLine(stages[current], line, target);
        }
    }
}

void StoreText(char* field, std::size_t size, const std::string& text) {
    const std::size_t length = text.size() < size ? text.size() : size - 1;
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), length);
}

INT32 HexColour(const std::string& value) { return quon::Stol(value, nullptr, 16); }

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

void ReadInt(INT32* field, const std::string& value) {
    if (field != nullptr) *field = Atol(value);
}

void AppendHeader(std::string& out, const GeoVersion& version, const char* address, const ProjectorInfo& projector) {
    char text[ProjectorAddressSize] = {};
    std::memcpy(text, address, ProjectorAddressSize - 1);
    quon::AppendFormat(out,
                       "Geometry\n[VERSION]\nMajorVersion=%d\nMinorVersion=%d\n[[PROJECTOR_ADDRESS[%s]]]\n"
                       "[PROJECTOR]\nMajor=%d\nMinor=%d\nPanel=%d\nScreen=%d\n",
                       version.MajorVersion, version.MinorVersion, text, projector.Major, projector.Minor,
                       projector.Panel, projector.Screen);
}

void AppendEdgeBlendLocations(std::string& out, const EdgeBlendLocation locations[4], HexCase hexCase) {
    const char* format = hexCase == HexCase::Lower
                             ? "[EDGEBLEND_LOCATION_%s]\nENABLE=%d\nSTART=%d\nWIDTH=%d\nOUTSIDEAREA=%d\n"
                               "INTERLOCKED=%d\nCOLOR=%x\nKEYSTONEAREA=%d\n"
                             : "[EDGEBLEND_LOCATION_%s]\nENABLE=%d\nSTART=%d\nWIDTH=%d\nOUTSIDEAREA=%d\n"
                               "INTERLOCKED=%d\nCOLOR=%X\nKEYSTONEAREA=%d\n";
    for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
        const EdgeBlendLocation& l = locations[edge];
        quon::AppendFormat(out, format, EdgeName(edge), l.ENABLE, l.START, l.WIDTH, l.OUTSIDEAREA, l.INTERLOCKED,
                           static_cast<unsigned>(l.COLOR), l.KEYSTONEAREA);
    }
}

void AppendBrightAreas(std::string& out, const BrightArea& inside, const BrightArea& outside, HexCase hexCase) {
    const char* format = hexCase == HexCase::Lower ? "[EDGEBLEND_BRIGHT_%s]\nINTERLOCKED=%d\nCOLOR=%x\n"
                                                   : "[EDGEBLEND_BRIGHT_%s]\nINTERLOCKED=%d\nCOLOR=%X\n";
    quon::AppendFormat(out, format, "INSIDE", inside.INTERLOCKED, BrightColour(inside));
    quon::AppendFormat(out, format, "OUTSIDE", outside.INTERLOCKED, BrightColour(outside));
}

}  // namespace quon::geofile

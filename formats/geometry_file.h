// The Geometry file: the sectioned key=value text that the geometry
// adjustment, black-level and colour-matching objects write and read.
//
// This layer holds what the three objects share: the header with its one
// format string, the catalogue of sections and keys, the section-dispatch
// reader, the sequential reader, and the pieces of text that more than one
// writer emits. Each object only says which key fills which record field.
#pragma once

#include <span>
#include <string_view>

#include "frame/format.h"
#include "quon/IQuonGeoAdjustInfo.h"

namespace quon::geofile {

// Every section a reader can be in. None is the state before the first
// header line, Unknown the state after a header line that names no section.
enum class Section {
    None,
    Unknown,
    Version,
    Address,
    Projector,
    AutoCalib,
    GeometrySetting,
    OtherScreen0,
    OtherScreen1,
    OtherScreen2,
    EdgeBlendSetting,
    EdgeBlendLocationLeft,
    EdgeBlendLocationUpper,
    EdgeBlendLocationRight,
    EdgeBlendLocationLower,
    BrightInside,
    BrightOutside,
    GammaLeft,
    GammaUpper,
    GammaRight,
    GammaLower,
    MaskingSetting,
    MaskingFixed,
    BlackLevelLeft,
    BlackLevelUpper,
    BlackLevelRight,
    BlackLevelLower,
    ColorMatching,
    Picture,
};

// Every key of the file. SevenColor_1_1 is followed by the other 20 keys
// 7Color_c_v in row-major order (SevenColorKey gives them).
enum class Key {
    MajorVersion,
    MinorVersion,
    Major,
    Minor,
    Panel,
    Screen,
    Result,
    BestZoom,
    BestShift,
    HorizontalBlendingWidth,
    VerticalBlendingWidth,
    OANeighbor,
    GuidePosLeft,
    GuidePosUpper,
    GuidePosRight,
    GuidePosLower,
    CheckMode,
    ControlMode,
    Marker,
    BlackLevelArea,
    ENABLE,
    START,
    WIDTH,
    OUTSIDEAREA,
    INTERLOCKED,
    COLOR,
    KEYSTONEAREA,
    GAMMA,
    BLACKBORDERWIDTH,
    FREESHAPE,
    ADJUSTMENTPOINTS,
    POINT,  // POINT1 .. POINT33: the name is followed by a number, not by "="
    ColorMatchingMode,
    SevenColor_1_1,
    SevenColor_7_3 = SevenColor_1_1 + 20,
    WhiteBalanceHigh_0,
    WhiteBalanceHigh_1,
    WhiteBalanceHigh_2,
    TargetReset,
};

// The key name as written in the file ("MajorVersion", "7Color_2_3", ...).
const char* KeyName(Key key);

// Key 7Color_<color>_<value>, both counted from 1.
constexpr Key SevenColorKey(int color, int value) {
    return static_cast<Key>(static_cast<int>(Key::SevenColor_1_1) + (color - 1) * 3 + (value - 1));
}
// Position of a 7Color key in its record (0 for 7Color_1_1 .. 20 for 7Color_7_3).
constexpr int SevenColorIndex(Key key) { return static_cast<int>(key) - static_cast<int>(Key::SevenColor_1_1); }

// The bracketed header as written ("[EDGEBLEND_LOCATION_LEFT]"); empty for
// None, Unknown and Address.
const char* SectionHeader(Section section);

// The keys of a section in the order the readers try them (and the writers
// emit them).
std::span<const Key> SectionKeys(Section section);

// Whether section is one of the four per-edge sections that start with left
// (EdgeBlendLocationLeft, GammaLeft or BlackLevelLeft).
bool IsEdgeSection(Section section, Section left);
// Edge of a per-edge section (GeoEdgeLeft .. GeoEdgeLower), or -1.
int EdgeOf(Section section);
// Grid of an other-screen section (0 .. 2), or -1.
int GridOf(Section section);
// Edge names in file order: "LEFT", "UPPER", "RIGHT", "LOWER".
const char* EdgeName(UINT32 edge);

// The section a header line (one holding "[") selects, by the marker search
// of the section-dispatch reader; Unknown when no marker is found.
Section FindSection(std::string_view line);

// What a reader hands over while it walks a file: views into the text it
// was given, valid during the call. Values arrive as the text behind "=";
// the target converts them.
class Target {
public:
    virtual ~Target() = default;
    // The address of the address line, already cut at its "]" (and at 63
    // characters by StoreText when stored).
    virtual void Address(std::string_view address) = 0;
    // A key line of section: key is the key it was recognised as, name the
    // text before "=" (POINT lines carry their number there), value the text
    // behind "=" (empty when nothing follows it, sequential reader only).
    virtual void Value(Section section, Key key, std::string_view name, std::string_view value) = 0;
    // A grid line of other-screen grid 0 .. 2, inside the grid's 79 x 129 points.
    virtual void GridPoint(int grid, UINT32 row, UINT32 column, double x, double y) {
        (void)grid, (void)row, (void)column, (void)x, (void)y;
    }
};

// Section-dispatch reader: the text is cut into lines at "\n"; header lines
// pick the section, key lines go to the keys of their section by substring
// match, grid lines to the current grid. Sections may come in any order.
void ReadBySections(std::string_view text, Target& target);

// Sequential reader: walks the lines once through stages. The first two
// stages are always [VERSION] (ends at its "MinorVersion=" line) and the
// address line; stages lists the sections that follow, in the writer's
// order. Each of these ends at the line holding the header of the next one;
// the last runs to the end of the text.
void ReadInStages(std::string_view text, std::span<const Section> stages, Target& target);

// Stores text into a NUL-terminated field of size bytes, cut at size - 1
// characters.
void StoreText(char* field, std::size_t size, std::string_view text);

// Converts a colour value with the checking hexadecimal conversion; the
// messages are those of stol.
INT32 HexColour(std::string_view value);

// The 24-bit colour of a bright area, and its three bytes from a number.
UINT32 BrightColour(const BrightArea& area);
void SetBrightColour(BrightArea& area, UINT32 colour);

// The 32-bit integer field of a record that key names, or null when key
// names none of them (COLOR, POINT and keys of other records).
INT32* IntField(GeoVersion& record, Key key);
INT32* IntField(ProjectorInfo& record, Key key);
INT32* IntField(GeometrySetting& record, Key key);
INT32* IntField(EdgeBlendSetting& record, Key key);
INT32* IntField(EdgeBlendLocation& record, Key key);
INT32* IntField(BlackLevelLocation& record, Key key);

// Reads value with the lenient 32-bit conversion into field, when there is
// one (IntField gives null for a key that names no integer field).
void ReadInt(INT32* field, std::string_view value);

// The records every Geometry file starts with: [VERSION], the address line
// and [PROJECTOR].
struct BasicInfo {
    GeoVersion version{};
    ProjectorAddress address{};
    ProjectorInfo projector{};

    // What a null address pointer means to Get: refused with the others, or
    // skipped.
    enum class NullAddress { Refused, Skipped };

    // Copies all three in (address: 64 bytes); every pointer is required:
    // a null one gives E_POINTER and nothing changes.
    HRESULT Set(const GeoVersion* versionIn, const char* addressIn, const ProjectorInfo* projectorIn);
    // Copies all three out (address: 64 bytes); a null pointer gives
    // E_POINTER and nothing is written, except a null address with Skipped.
    HRESULT Get(GeoVersion* versionOut, char* addressOut, ProjectorInfo* projectorOut, NullAddress nullAddress) const;
};

// The working records of a load. The address line and the keys of
// [VERSION] and [PROJECTOR] go to header; the keys of every other section
// to SectionValue.
class FileRecords : public Target {
public:
    BasicInfo header;

    void Address(std::string_view text) final;
    void Value(Section section, Key key, std::string_view name, std::string_view value) final;

protected:
    // A key line of a section other than [VERSION] and [PROJECTOR], as Value.
    virtual void SectionValue(Section section, Key key, std::string_view name, std::string_view value) = 0;
};

// Appends the header that starts every Geometry file (of the 64 address
// bytes at most 63 characters are written).
void AppendHeader(TextBuffer& out, const BasicInfo& basic);

// Letter case of the hexadecimal colour digits a writer uses.
enum class HexCase { Lower, Upper };

// Appends the four [EDGEBLEND_LOCATION_x] sections in the order LEFT, UPPER,
// RIGHT, LOWER.
void AppendEdgeBlendLocations(TextBuffer& out, const EdgeBlendLocation locations[4], HexCase hexCase);
// Appends [EDGEBLEND_BRIGHT_INSIDE] and [EDGEBLEND_BRIGHT_OUTSIDE].
void AppendBrightAreas(TextBuffer& out, const BrightArea& inside, const BrightArea& outside, HexCase hexCase);

}  // namespace quon::geofile

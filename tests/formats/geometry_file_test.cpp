// The Geometry file layer: marker search, key matching and the two readers,
// seen through a target that records what it is handed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "formats/geometry_file.h"

namespace {

using quon::geofile::Key;
using quon::geofile::Section;

// Records every call as one line of text.
struct Recorder : quon::geofile::Target {
    std::vector<std::string> calls;
    void Address(std::string_view address) override { calls.push_back("address " + std::string(address)); }
    void Value(Section section, Key key, std::string_view name, std::string_view value) override {
        calls.push_back(std::string(quon::geofile::SectionHeader(section)) + " " + quon::geofile::KeyName(key) + " [" +
                        std::string(name) + "] " + std::string(value));
    }
    void GridPoint(int grid, UINT32 row, UINT32 column, double x, double y) override {
        calls.push_back("grid " + std::to_string(grid) + " " + std::to_string(row) + "," + std::to_string(column) +
                        " " + std::to_string(x) + "," + std::to_string(y));
    }
};

TEST(GeometryFile, MarkerSearchOrder) {
    EXPECT_EQ(Section::Address, quon::geofile::FindSection("[[PROJECTOR_ADDRESS[1.2.3.4]]]"));
    EXPECT_EQ(Section::Version, quon::geofile::FindSection("[PROJECTOR][VERSION]"));
    EXPECT_EQ(Section::Unknown, quon::geofile::FindSection("[VERSION"));
    EXPECT_EQ(Section::AutoCalib, quon::geofile::FindSection("[MY_AUTOCALIB_2]\r"));
    EXPECT_EQ(Section::OtherScreen0, quon::geofile::FindSection("[OTHER_SCREEN_10]"));
    EXPECT_EQ(Section::Unknown, quon::geofile::FindSection("[OTHER_SCREEN_3]"));
    EXPECT_EQ(Section::Unknown, quon::geofile::FindSection("OTHER_SCREEN_0"));
    EXPECT_EQ(Section::EdgeBlendSetting, quon::geofile::FindSection("[EDGEBLEND_SETTING][GEOMETRY_SET]"));
    EXPECT_EQ(Section::GeometrySetting, quon::geofile::FindSection("[EDGEBLEND_SETTING][GEOMETRY_SETTING]"));
    EXPECT_EQ(Section::MaskingFixed, quon::geofile::FindSection("[MASKING_FIXED]"));
    EXPECT_EQ(Section::BlackLevelRight, quon::geofile::FindSection("[BLACKLEVEL_LOCATION_UPPER][BLACKLEVEL_LOCATION_RIGHT]"));
    EXPECT_EQ(Section::Unknown, quon::geofile::FindSection("[COLOR_MATCHING]"));
}

TEST(GeometryFile, SectionDispatchSkipsWhatItCannotPlace) {
    Recorder r;
    quon::geofile::ReadBySections(
        "MajorVersion=1\n"                                    // before any section
        "[VERSION]\nMajorVersion=\nMinorVersion=2=3\n x MinorVersion y = 4 \n"
        "[PROJECTOR_ADDRESS]\n[[PROJECTOR_ADDRESS[a]b]]]\nMajor=5\n"
        "[MASKING_SETTING]\nMajor=6\n[SOMETHING]\nMajor=7\n"
        "[BLACKLEVEL_LOCATION_LOWER]\nADJUSTMENTPOINTS=3\nXPOINT12=0.5\nCOLOR=ff\nINTERLOCKED_COLOR=1\n"
        "[OTHER_SCREEN_2]\nMajor=8\n2,3=4.5,-1\n\n1,1=2=3,4\n"
        "[PROJECTOR]\nScreen=9",
        r);
    const std::vector<std::string> expected = {
        "[VERSION] MinorVersion [ x MinorVersion y ]  4 ",
        "address a",
        "[BLACKLEVEL_LOCATION_LOWER] ADJUSTMENTPOINTS [ADJUSTMENTPOINTS] 3",
        "[BLACKLEVEL_LOCATION_LOWER] POINT [XPOINT12] 0.5",
        "[BLACKLEVEL_LOCATION_LOWER] COLOR [COLOR] ff",
        "[BLACKLEVEL_LOCATION_LOWER] INTERLOCKED [INTERLOCKED_COLOR] 1",
        "grid 2 2,3 4.500000,-1.000000",
        "[PROJECTOR] Screen [Screen] 9",
    };
    EXPECT_EQ(expected, r.calls);
}

TEST(GeometryFile, StagesEndAtTheNextHeader) {
    Recorder r;
    const Section stages[] = {Section::Projector, Section::EdgeBlendSetting, Section::BlackLevelLeft};
    quon::geofile::ReadInStages(
        "Major=1\nMajorVersion=2\nScreen=3\nMinorVersion=4\nMajorVersion=5\n"
        "[PROJECTOR]\nMarker=8\n[PROJECTOR_ADDRESS]\n[[PROJECTOR_ADDRESS[second]]]\nMajor=6 Minor=7\n"
        "Minor=\n[BLACKLEVEL_LOCATION_LEFT]\nPanel=9\n[EDGEBLEND_SETTING]\nMarker=10\n"
        "[BLACKLEVEL_LOCATION_LEFT]\nCOLOR=INTERLOCKED=11\nPOINT\n[EDGEBLEND_SETTING]\nMarker=12",
        stages, r);
    const std::vector<std::string> expected = {
        "[VERSION] MajorVersion [MajorVersion] 2",
        "[VERSION] MinorVersion [MinorVersion] 4",
        "[PROJECTOR] Major [Major] 6 Minor",
        "[PROJECTOR] Minor [Major] 6 Minor",
        "[PROJECTOR] Minor [Minor] ",
        "[PROJECTOR] Panel [Panel] 9",
        "[EDGEBLEND_SETTING] Marker [Marker] 10",
        "[BLACKLEVEL_LOCATION_LEFT] INTERLOCKED [COLOR] INTERLOCKED",
        "[BLACKLEVEL_LOCATION_LEFT] POINT [POINT] ",
    };
    EXPECT_EQ(expected, r.calls);

    // A stored text clears the rest of its field.
    char field[8] = "abcdefg";
    quon::geofile::StoreText(field, sizeof field, "xy");
    EXPECT_EQ(0, std::memcmp("xy\0\0\0\0\0\0", field, 8));
}

// The readers work on the caller's bytes: exactly the given length, with no
// NUL after it (the sanitizer build sees any read past the end), and NULs
// inside it are characters of their line (a number stops at one).
TEST(GeometryFile, ReadersKeepToTheBytesTheyAreGiven) {
    using namespace std::string_literals;
    const std::string grid = "[OTHER_SCREEN_2]\n1\0,2=3,4\0\n[X\0\n0,0=1,1\n[OTHER_SCREEN_0]\n0,1=5,6.25"s;
    const std::vector<char> gridBytes(grid.begin(), grid.end());
    Recorder r;
    quon::geofile::ReadBySections(std::string_view(gridBytes.data(), gridBytes.size()), r);
    EXPECT_EQ((std::vector<std::string>{"grid 2 1,2 3.000000,4.000000", "grid 0 0,1 5.000000,6.250000"}), r.calls);

    const std::string staged = "MinorVersion=1\n[[PROJECTOR_ADDRESS[a]]]\nPanel=9";
    const std::vector<char> stagedBytes(staged.begin(), staged.end());
    const Section stages[] = {Section::Projector};
    Recorder s;
    quon::geofile::ReadInStages(std::string_view(stagedBytes.data(), stagedBytes.size()), stages, s);
    EXPECT_EQ((std::vector<std::string>{"[VERSION] MinorVersion [MinorVersion] 1", "address a",
                                        "[PROJECTOR] Panel [Panel] 9"}),
              s.calls);
}

}  // namespace

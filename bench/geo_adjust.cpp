// The geometry adjustment file: header, auto-calibration result, geometry
// setting, three other-screen grids and the edge-blend sections. The grids
// are almost all of the text: 3 x 79 x 129 points make about 750 KB.
#include <cstring>
#include <string_view>

#include "workload.h"

namespace bench {
namespace {

constexpr UINT32 kGrids = GeoOtherScreenCount;
constexpr UINT32 kColumns = OtherScreenTagColumns;
constexpr const char* kEdges[GeoEdgeCount] = {"LEFT", "UPPER", "RIGHT", "LOWER"};

// What the reader does with the lines after a header line.
struct Section {
    int grid = -1;      // 0..2: grid lines of that grid
    bool keys = false;  // key=value lines
};

Section SectionOf(std::string_view header) {
    Section section;
    if (header.starts_with("[OTHER_SCREEN_")) {
        section.grid = header[14] - '0';
    } else {
        section.keys = header.find("PROJECTOR_ADDRESS") == std::string_view::npos;
    }
    return section;
}

// How the reader converts the value of a key.
enum class Value { Text, Int, Hex, Real, RealPair };

Value ValueOf(std::string_view key) {
    if (key == "Result") return Value::Text;
    if (key == "COLOR") return Value::Hex;
    if (key == "BestZoom") return Value::Real;
    if (key == "BestShift" || key.starts_with("GuidePos")) return Value::RealPair;
    return Value::Int;
}

class GeoAdjust final : public Workload {
public:
    GeoAdjust(const char* name, UINT32 rows) : m_rows(rows), m_grid(kGrids * rows * kColumns * 2) {
        m_name = name;
        std::strcpy(m_address, "192.168.10.21");
        std::strcpy(m_autoCalib.Result, "OA");
        m_autoCalib.BestZoom = 1.25;
        m_autoCalib.BestShift[0] = 0.5;
        m_autoCalib.BestShift[1] = -0.25;
        m_autoCalib.HorizontalBlendingWidth = 120;
        m_autoCalib.VerticalBlendingWidth = 80;
        m_autoCalib.OANeighbor = 1;
        const double guides[8] = {12, 34, 960, 20, 1900, 540, 960, 1060};
        std::memcpy(m_autoCalib.GuidePos, guides, sizeof guides);
        for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
            const INT32 e = static_cast<INT32>(edge);
            m_locations[edge] = EdgeBlendLocation{1, 10 * e, 240 + e, e % 2, 1, 0xFF8000 >> (4 * e), 2 * e};
        }

        // Grid points: screen coordinates with four decimals, near a regular raster.
        Sequence random;
        for (UINT32 g = 0; g < kGrids; ++g) {
            for (UINT32 r = 0; r < rows; ++r) {
                for (UINT32 c = 0; c < kColumns; ++c) {
                    double* point = GridPoint(g, r, c);
                    point[0] = random.Decimal(15.0 * c, 15.0 * c + 2.0, 1e4);
                    point[1] = random.Decimal(13.5 * r, 13.5 * r + 2.0, 1e4);
                }
            }
        }

        Renew();
        RequireOk(m_object->SetBasicInfo(&m_version, m_address, &m_projector, &m_autoCalib, &m_geometry),
                  "SetBasicInfo");
        RequireOk(m_object->SetEdgeBlendInfo(&m_setting, m_locations, &m_inside, &m_outside, m_gamma, nullptr),
                  "SetEdgeBlendInfo");
        for (UINT32 g = 0; g < kGrids; ++g) {
            IQuonGeoOtherScreenTag* held = nullptr;
            RequireOk(m_object->GetOtherScreen(g, &held), "GetOtherScreen");
            const Ref<IQuonGeoOtherScreenTag> tag(held);
            for (UINT32 r = 0; r < rows; ++r) {
                for (UINT32 c = 0; c < kColumns; ++c) RequireOk(tag->SetTag(r, c, GridPoint(g, r, c)), "SetTag");
            }
        }
        SaveText(4u << 20);
        FindNumbers();
    }

    void Renew() override {
        m_object = Ref<IQuonGeoAdjustInfo>(CLSID_QuonGeoAdjustInfo, IID_IQuonGeoAdjustInfo);
        RequireOk(m_object->Initialize(1, "bench"), "Initialize");
    }

    HRESULT Load() override { return m_object->LoadFromBuffer(m_text.data(), static_cast<UINT32>(m_text.size())); }

    HRESULT Save(char* buffer, UINT32 capacity, UINT32* written) override {
        return m_object->SaveToBuffer(buffer, capacity, written);
    }

    std::size_t Print(char* buffer, std::size_t capacity) const override {
        std::size_t n = 0;
        Printf(buffer, capacity, &n,
               "Geometry\n[VERSION]\nMajorVersion=%d\nMinorVersion=%d\n[[PROJECTOR_ADDRESS[%s]]]\n"
               "[PROJECTOR]\nMajor=%d\nMinor=%d\nPanel=%d\nScreen=%d\n",
               m_version.MajorVersion, m_version.MinorVersion, m_address, m_projector.Major, m_projector.Minor,
               m_projector.Panel, m_projector.Screen);
        const AutoCalibResult& a = m_autoCalib;
        const auto guide = [&a](int i) { return static_cast<INT32>(a.GuidePos[i]); };
        Printf(buffer, capacity, &n,
               "[AUTOCALIB]\nResult=%s\nBestZoom=%.2f\nBestShift=%.2f,%.2f\nHorizontalBlendingWidth=%d\n"
               "VerticalBlendingWidth=%d\nOANeighbor=%d\nGuidePosLeft=%d,%d\nGuidePosUpper=%d,%d\n"
               "GuidePosRight=%d,%d\nGuidePosLower=%d,%d\n",
               a.Result, a.BestZoom, a.BestShift[0], a.BestShift[1], a.HorizontalBlendingWidth,
               a.VerticalBlendingWidth, a.OANeighbor, guide(0), guide(1), guide(2), guide(3), guide(4), guide(5),
               guide(6), guide(7));
        Printf(buffer, capacity, &n, "[GEOMETRY_SETTING]\nScreen=%d\nCheckMode=%d\nControlMode=%d\n",
               m_geometry.Screen, m_geometry.CheckMode, m_geometry.ControlMode);
        for (UINT32 g = 0; g < kGrids; ++g) {
            Printf(buffer, capacity, &n, "[OTHER_SCREEN_%u]\n", g);
            for (UINT32 r = 0; r < m_rows; ++r) {
                for (UINT32 c = 0; c < kColumns; ++c) {
                    const double* point = GridPoint(g, r, c);
                    Printf(buffer, capacity, &n, "%d,%d=%.4f,%.4f\n", static_cast<int>(r), static_cast<int>(c),
                           point[0], point[1]);
                }
            }
        }
        Printf(buffer, capacity, &n, "[EDGEBLEND_SETTING]\nControlMode=%d\n", m_setting.ControlMode);
        for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
            const EdgeBlendLocation& l = m_locations[edge];
            Printf(buffer, capacity, &n,
                   "[EDGEBLEND_LOCATION_%s]\nENABLE=%d\nSTART=%d\nWIDTH=%d\nOUTSIDEAREA=%d\nINTERLOCKED=%d\n"
                   "COLOR=%x\nKEYSTONEAREA=%d\n",
                   kEdges[edge], l.ENABLE, l.START, l.WIDTH, l.OUTSIDEAREA, l.INTERLOCKED,
                   static_cast<unsigned>(l.COLOR), l.KEYSTONEAREA);
        }
        const BrightArea* areas[2] = {&m_inside, &m_outside};
        const char* areaNames[2] = {"INSIDE", "OUTSIDE"};
        for (int i = 0; i < 2; ++i) {
            const BYTE* colour = areas[i]->COLOR;
            Printf(buffer, capacity, &n, "[EDGEBLEND_BRIGHT_%s]\nINTERLOCKED=%d\nCOLOR=%x\n", areaNames[i],
                   areas[i]->INTERLOCKED, colour[0] + 256u * colour[1] + 65536u * colour[2]);
        }
        for (UINT32 edge = 0; edge < GeoEdgeCount; ++edge) {
            Printf(buffer, capacity, &n, "[EDGEBLEND_GAMMADATA_%s]\nGAMMA=%d\n", kEdges[edge], m_gamma[edge]);
        }
        return n;
    }

    double ReadLiterally(const std::string& text) const override {
        std::vector<double> grids(kGrids * OtherScreenTagRows * kColumns * 2);
        std::vector<double> values;
        double sum = 0.0;
        const auto take = [&](double value) {
            values.push_back(value);
            sum += value;
        };
        Section section;
        for (const std::string& line : Lines(text)) {
            if (line.find('[') != std::string::npos) {
                section = SectionOf(line);
                continue;
            }
            const std::vector<std::string> sides = Fields(line, '=');
            if (sides.size() != 2) continue;
            if (section.grid >= 0) {
                const std::vector<std::string> place = Fields(sides[0], ',');
                const std::vector<std::string> point = Fields(sides[1], ',');
                const int row = std::stoi(place[0]);
                const int column = std::stoi(place[1]);
                double* p = &grids[((section.grid * OtherScreenTagRows + row) * kColumns + column) * 2];
                p[0] = std::stod(point[0]);
                p[1] = std::stod(point[1]);
                sum += row;
                sum += column;
                sum += p[0];
                sum += p[1];
            } else if (section.keys) {
                switch (ValueOf(sides[0])) {
                    case Value::Text: break;
                    case Value::Int: take(std::stoi(sides[1])); break;
                    case Value::Hex: take(std::stoi(sides[1], nullptr, 16)); break;
                    case Value::Real: take(std::stod(sides[1])); break;
                    case Value::RealPair:
                        for (const std::string& half : Fields(sides[1], ',')) take(std::stod(half));
                        break;
                }
            }
        }
        return sum;
    }

private:
    double* GridPoint(UINT32 g, UINT32 r, UINT32 c) { return &m_grid[((g * m_rows + r) * kColumns + c) * 2]; }
    const double* GridPoint(UINT32 g, UINT32 r, UINT32 c) const {
        return &m_grid[((g * m_rows + r) * kColumns + c) * 2];
    }

    // The numbers the reader converts: row, column, x and y of every grid
    // line, and the values of the key lines.
    void FindNumbers() {
        Section section;
        ForEachLine(m_text, [&](std::size_t begin, std::size_t end) {
            const std::string_view line(m_text.data() + begin, end - begin);
            if (line.find('[') != std::string_view::npos) {
                section = SectionOf(line);
                return;
            }
            const std::size_t equals = line.find('=');
            if (section.grid >= 0) {
                AddNumber(m_numbers, m_text, begin, Kind::Int);
                AddNumber(m_numbers, m_text, begin + line.find(',') + 1, Kind::Int);
                AddNumber(m_numbers, m_text, begin + equals + 1, Kind::Real);
                AddNumber(m_numbers, m_text, begin + line.find(',', equals) + 1, Kind::Real);
                return;
            }
            if (!section.keys) return;
            const std::size_t value = begin + equals + 1;
            switch (ValueOf(line.substr(0, equals))) {
                case Value::Text: break;
                case Value::Int: AddNumber(m_numbers, m_text, value, Kind::Int); break;
                case Value::Hex: AddNumber(m_numbers, m_text, value, Kind::Hex); break;
                case Value::Real: AddNumber(m_numbers, m_text, value, Kind::Real); break;
                case Value::RealPair:
                    AddNumber(m_numbers, m_text, value, Kind::Real);
                    AddNumber(m_numbers, m_text, begin + line.find(',', equals) + 1, Kind::Real);
                    break;
            }
        });
    }

    Ref<IQuonGeoAdjustInfo> m_object{nullptr};
    UINT32 m_rows;
    std::vector<double> m_grid;  // [grid][row][column][x, y]
    GeoVersion m_version{3, 1};
    char m_address[ProjectorAddressSize] = {};
    ProjectorInfo m_projector{2, 5, 1, 0};
    AutoCalibResult m_autoCalib{};
    GeometrySetting m_geometry{1, 0, 2};
    EdgeBlendSetting m_setting{1, 0, 0};
    EdgeBlendLocation m_locations[GeoEdgeCount]{};
    BrightArea m_inside{1, {0x10, 0x20, 0x30}};
    BrightArea m_outside{0, {0xFF, 0xFF, 0xFF}};
    INT32 m_gamma[GeoEdgeCount] = {22, 24, 22, 24};
};

}  // namespace

std::unique_ptr<Workload> MakeGeoAdjust(const char* name, UINT32 rows) { return std::make_unique<GeoAdjust>(name, rows); }

}  // namespace bench

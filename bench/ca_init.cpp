// Camera auto-calibration init info: one value per line. A pattern of 256 x 40
// points watched by four cameras side by side, each seeing a band of 64
// columns (2560 points) and writing an eight-line block per point: about
// 380 KB.
#include <sstream>

#include "workload.h"

namespace bench {
namespace {

constexpr INT32 kPatternRows = 40;
constexpr INT32 kPatternColumns = 256;
constexpr INT32 kCameras = 4;
constexpr INT32 kBand = kPatternColumns / kCameras;

// Kinds of the header lines (the tuning values with one decimal are reals)
// and of the trailer lines after the point blocks.
constexpr Kind kHeaderKinds[15] = {Kind::Int, Kind::Int, Kind::Real, Kind::Real, Kind::Int,
                                   Kind::Int, Kind::Real, Kind::Real, Kind::Int, Kind::Int,
                                   Kind::Int, Kind::Int, Kind::Int, Kind::Int, Kind::Int};
constexpr std::size_t kCameraCountLine = 13;
constexpr std::size_t kTrailerInts = 1 + 1 + 21 + 3;  // id2, colour flag, colours, three tunings

// Walks the lines in the order the reader takes them: take(kind) consumes
// the next line and returns its value, from which the walk learns the camera
// count and the number of point blocks of each camera.
template <class Take>
void WalkLines(Take take) {
    double header[15];
    for (std::size_t i = 0; i < 15; ++i) header[i] = take(kHeaderKinds[i]);
    const auto cameras = static_cast<std::size_t>(header[kCameraCountLine]);
    std::vector<int> blocks(cameras);
    for (int& count : blocks) {
        take(Kind::Int);
        take(Kind::Int);
        count = static_cast<int>(take(Kind::Int));
    }
    for (int count : blocks) {
        for (int b = 0; b < count; ++b) {
            take(Kind::Int);
            for (int v = 0; v < 4; ++v) take(Kind::Float);
            for (int c = 0; c < 3; ++c) take(Kind::Int);
        }
    }
    for (std::size_t i = 0; i < kTrailerInts; ++i) take(Kind::Int);
    take(Kind::Real);
    take(Kind::Int);
    take(Kind::Real);
}

class CameraInit final : public Workload {
public:
    CameraInit() {
        m_name = "camera_init";
        Renew();
        RequireOk(m_object->SetPatternGrid(kPatternRows, kPatternColumns, 3), "SetPatternGrid");
        RequireOk(m_object->SetCameraGrid(1, kCameras, 1), "SetCameraGrid");
        Sequence random;
        for (INT32 k = 0; k < kCameras; ++k) {
            const CameraRegion region{1, kPatternRows, k * kBand + 1, (k + 1) * kBand};
            RequireOk(m_object->SetCameraRegion(0, static_cast<UINT32>(k), &region), "SetCameraRegion");
            for (INT32 r = 0; r < kPatternRows; ++r) {
                for (INT32 c = k * kBand; c < (k + 1) * kBand; ++c) {
                    // Camera pixel position, match quality (> 0: present) and marker id.
                    const double x = 120.0 + 28.0 * (c - k * kBand);
                    const double y = 90.0 + 24.0 * r;
                    const PointRecord point{random.Decimal(x, x + 6.0, 100), random.Decimal(y, y + 6.0, 100),
                                            1.0 + random.Next(254), static_cast<double>(random.Next(10))};
                    const UINT32 colour = random.Next(1u << 24);
                    const auto row = static_cast<UINT32>(r);
                    const auto column = static_cast<UINT32>(c);
                    RequireOk(m_object->SetPointRecord(k, row, column, &point), "SetPointRecord");
                    RequireOk(m_object->SetPointColour(k, row, column, &colour), "SetPointColour");
                }
            }
        }
        RequireOk(m_object->SetRealPair(2.5, 0.45), "SetRealPair");
        RequireOk(m_object->SetAuxValue2(3), "SetAuxValue2");
        SaveText(4u << 20);

        std::vector<std::size_t> starts;
        ForEachLine(m_text, [&starts](std::size_t begin, std::size_t) { starts.push_back(begin); });
        std::size_t line = 0;
        WalkLines([&](Kind kind) {
            Require(line < starts.size(), "camera_init: fewer lines than the layout needs");
            AddNumber(m_numbers, m_text, starts[line++], kind);
            return m_values.emplace_back(SumByStrtod(m_text, {m_numbers.back()}));
        });
        Require(line == starts.size(), "camera_init: more lines than the layout takes");
    }

    // A host sets the identity and the tuning defaults before it loads.
    void Renew() override {
        m_object = Ref<IQuonCAInitInfo>(CLSID_QuonCAInitInfo, IID_IQuonCAInitInfo);
        RequireOk(m_object->Initialize(7, 9, "bench"), "Initialize");
    }

    HRESULT Load() override { return m_object->LoadFromBuffer(m_text.data(), static_cast<UINT32>(m_text.size())); }

    HRESULT Save(char* buffer, UINT32 capacity, UINT32* written) override {
        return m_object->SaveToBuffer(buffer, capacity, written);
    }

    // The writer's formats and grouping: one line per header value, three
    // lines per range, eight per point block, three per colour.
    std::size_t Print(char* buffer, std::size_t capacity) const override {
        const std::vector<double>& v = m_values;
        const auto whole = [&v](std::size_t i) { return static_cast<INT32>(v[i]); };
        std::size_t n = 0;
        std::size_t i = 0;
        for (; i < 15; ++i) {
            if (kHeaderKinds[i] == Kind::Int) {
                Printf(buffer, capacity, &n, "%d\n", whole(i));
            } else {
                Printf(buffer, capacity, &n, "%.01f\n", v[i]);
            }
        }
        const auto cameras = static_cast<std::size_t>(v[kCameraCountLine]);
        std::size_t blocks = 0;
        for (std::size_t k = 0; k < cameras; ++k, i += 3) {
            Printf(buffer, capacity, &n, "%d\n%d\n%d\n", whole(i), whole(i + 1), whole(i + 2));
            blocks += static_cast<std::size_t>(v[i + 2]);
        }
        for (std::size_t b = 0; b < blocks; ++b, i += 8) {
            Printf(buffer, capacity, &n, "%d\n%d\n%d\n%d\n%d\n%.1f\n%.1f\n%.1f\n", whole(i), whole(i + 1),
                   whole(i + 2), whole(i + 3), whole(i + 4), v[i + 5], v[i + 6], v[i + 7]);
        }
        Printf(buffer, capacity, &n, "%d\n", whole(i++));
        Printf(buffer, capacity, &n, "%d\n", whole(i++));
        for (int c = 0; c < 8; ++c, i += 3) {
            Printf(buffer, capacity, &n, "%d\n%d\n%d\n", whole(i), whole(i + 1), whole(i + 2));
        }
        Printf(buffer, capacity, &n, "%.01f\n", v[i++]);
        Printf(buffer, capacity, &n, "%d\n", whole(i++));
        Printf(buffer, capacity, &n, v[i] == 0.45 ? "0.45\n" : "1.0\n");
        return n;
    }

    double ReadLiterally(const std::string& text) const override {
        std::istringstream in(text);
        std::vector<double> values;
        double sum = 0.0;
        WalkLines([&](Kind kind) {
            std::string line;
            std::getline(in, line);
            const double value = kind == Kind::Int     ? std::stoi(line)
                                 : kind == Kind::Float ? static_cast<double>(std::stof(line))
                                                       : std::stod(line);
            sum += values.emplace_back(value);
            return value;
        });
        return sum;
    }

private:
    Ref<IQuonCAInitInfo> m_object{nullptr};
    std::vector<double> m_values;  // the value of every line, in text order
};

}  // namespace

std::unique_ptr<Workload> MakeCameraInit() { return std::make_unique<CameraInit>(); }

}  // namespace bench

// A grid point map of 129 x 79 points with its extra block: one line of
// eleven numbers per point, about 1 MB.
#include <span>

#include "workload.h"

namespace bench {
namespace {

constexpr UINT32 kColumns = 129;
constexpr UINT32 kRows = 79;

// Field kinds of the lines: header, point, extra.
constexpr Kind kHeaderKinds[] = {Kind::Real, Kind::Real, Kind::Real, Kind::Real,
                                 Kind::Int,  Kind::Int,  Kind::Int,  Kind::Int};
constexpr Kind kPointKinds[] = {Kind::Real, Kind::Real, Kind::Real, Kind::Real, Kind::Int, Kind::Int,
                                Kind::Real, Kind::Real, Kind::Real, Kind::Real, Kind::Int};
constexpr Kind kExtraKinds[] = {Kind::Real, Kind::Real, Kind::Real, Kind::Real,
                                Kind::Real, Kind::Real, Kind::Real, Kind::Real};

std::span<const Kind> KindsOfLine(std::size_t line) {
    if (line == 0) return kHeaderKinds;
    if (line <= kColumns * kRows) return kPointKinds;
    return kExtraKinds;
}

class GridPoint final : public Workload {
public:
    GridPoint() : m_points(kColumns * kRows) {
        m_name = "grid_point";
        Sequence random;
        for (UINT32 r = 0; r < kRows; ++r) {
            for (UINT32 c = 0; c < kColumns; ++c) {
                GridPointRecord& p = m_points[r * kColumns + c];
                p.real0 = random.Decimal(15.0 * c, 15.0 * c + 2.0, 1e6);
                p.real1 = random.Decimal(13.5 * r, 13.5 * r + 2.0, 1e6);
                p.real2 = random.Decimal(0.0, 1.0, 1e6);
                p.real3 = random.Decimal(0.0, 1.0, 1e6);
                p.int0 = static_cast<INT32>(c);
                p.int1 = static_cast<INT32>(r);
                p.real4 = random.Decimal(0.0, 1.0, 1e6);
                p.real5 = random.Decimal(0.0, 1.0, 1e6);
                p.real6 = random.Decimal(0.0, 1.0, 1e6);
                p.real7 = random.Decimal(0.0, 1.0, 1e6);
                p.int2 = static_cast<INT32>(random.Next(2));
            }
        }
        for (double& e : m_extra) e = random.Decimal(-2.0, 2.0, 1e6);

        Renew();
        RequireOk(m_object->SetHeader(&m_header), "SetHeader");
        for (UINT32 r = 0; r < kRows; ++r) {
            for (UINT32 c = 0; c < kColumns; ++c) RequireOk(m_object->SetPoint(c, r, &m_points[r * kColumns + c]), "SetPoint");
        }
        RequireOk(m_object->SetExtra(m_extra), "SetExtra");
        SaveText(4u << 20);

        // Every field of every line is a number, after a ", " from the second on.
        std::size_t line = 0;
        ForEachLine(m_text, [&](std::size_t begin, std::size_t end) {
            const std::span<const Kind> kinds = KindsOfLine(line++);
            std::size_t at = begin;
            for (std::size_t f = 0; f < kinds.size(); ++f) {
                if (f > 0) {
                    at = m_text.find(',', at) + 1;
                    Require(at != 0 && at < end, "grid_point: a line with fewer fields than expected");
                }
                AddNumber(m_numbers, m_text, at, kinds[f]);
            }
        });
    }

    void Renew() override { m_object = Ref<IQuonGridPoint>(CLSID_QuonGridPoint, IID_IQuonGridPoint); }

    HRESULT Load() override { return m_object->LoadFromBuffer(m_text.data(), static_cast<UINT32>(m_text.size())); }

    HRESULT Save(char* buffer, UINT32 capacity, UINT32* written) override {
        return m_object->SaveToBuffer(buffer, capacity, written);
    }

    std::size_t Print(char* buffer, std::size_t capacity) const override {
        std::size_t n = 0;
        const GridPointHeader& h = m_header;
        Printf(buffer, capacity, &n, "%g, %g, %g, %g, %d, %d, %d, %d\n", h.columns, h.rows, h.headerReal2,
               h.headerReal3, h.headerInt0, h.headerInt1, h.headerInt2, h.extraFlag);
        for (const GridPointRecord& p : m_points) {
            Printf(buffer, capacity, &n, "%f, %f, %f, %f, %d, %d, %f, %f, %f, %f, %d\n", p.real0, p.real1, p.real2,
                   p.real3, p.int0, p.int1, p.real4, p.real5, p.real6, p.real7, p.int2);
        }
        for (const double* e = m_extra; e < m_extra + GridPointExtraCount; e += 8) {
            Printf(buffer, capacity, &n, "%lf, %lf, %lf, %lf, %lf, %lf, %lf, %lf\n", e[0], e[1], e[2], e[3], e[4],
                   e[5], e[6], e[7]);
        }
        return n;
    }

    double ReadLiterally(const std::string& text) const override {
        std::vector<double> reals(kColumns * kRows * 8 + GridPointExtraCount + 4);
        std::vector<int> ints(kColumns * kRows * 3 + 4);
        std::size_t real = 0;
        std::size_t whole = 0;
        double sum = 0.0;
        const std::vector<std::string> lines = Lines(text);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::span<const Kind> kinds = KindsOfLine(i);
            const std::vector<std::string> fields = Fields(lines[i], ',');
            for (std::size_t f = 0; f < kinds.size(); ++f) {
                if (kinds[f] == Kind::Int) {
                    sum += ints[whole++] = std::stoi(fields[f]);
                } else {
                    sum += reals[real++] = std::stod(fields[f]);
                }
            }
        }
        return sum;
    }

private:
    Ref<IQuonGridPoint> m_object{nullptr};
    GridPointHeader m_header{kColumns, kRows, 1920, 1080, 1, 2, 3, 1};
    std::vector<GridPointRecord> m_points;
    double m_extra[GridPointExtraCount] = {};
};

}  // namespace

std::unique_ptr<Workload> MakeGridPoint() { return std::make_unique<GridPoint>(); }

}  // namespace bench

// A look-up table list of 8 tables of 64 x 64 entries: a block header and a
// size line per table, then one line of four reals per entry, about 1 MB.
#include <algorithm>
#include <string_view>

#include "workload.h"

namespace bench {
namespace {

constexpr INT32 kTables = 8;
constexpr INT32 kSide = 64;
constexpr std::size_t kEntries = static_cast<std::size_t>(kSide) * kSide;

class LookUpTableList final : public Workload {
public:
    LookUpTableList() : m_entries(kTables * kEntries) {
        m_name = "lut_list";
        Sequence random;
        for (LookUpEntry& e : m_entries) {
            e.value0 = random.Decimal(0.0, 1.0, 1e6);
            e.value1 = random.Decimal(0.0, 1.0, 1e6);
            e.value2 = random.Decimal(0.0, 1.0, 1e6);
            e.value3 = random.Decimal(0.0, 1.0, 1e6);
        }

        Renew();
        for (INT32 t = 0; t < kTables; ++t) {
            const Ref<IQuonLookUpTable> table(CLSID_QuonLookUpTable, IID_IQuonLookUpTable);
            RequireOk(table->SetLabel(static_cast<UINT32>(t + 1), static_cast<UINT32>(100 + t), "d"), "SetLabel");
            RequireOk(table->SetTableSize(kSide, kSide), "SetTableSize");
            for (INT32 r = 0; r < kSide; ++r) {
                for (INT32 c = 0; c < kSide; ++c) {
                    RequireOk(table->SetEntry(static_cast<UINT32>(c), static_cast<UINT32>(r), &Entry(t, r, c)),
                              "SetEntry");
                }
            }
            RequireOk(m_object->Add(table.get()), "Add");
        }
        SaveText(4u << 20);

        // Block header "a,b,d" and size line "columns,rows": two integers;
        // entry lines: four reals.
        ForEachLine(m_text, [&](std::size_t begin, std::size_t end) {
            const bool entry = IsEntryLine(std::string_view(m_text.data() + begin, end - begin));
            for (std::size_t at = begin, f = 0; f < (entry ? 4u : 2u); ++f, at = m_text.find(',', at) + 1) {
                AddNumber(m_numbers, m_text, at, entry ? Kind::Real : Kind::Int);
            }
        });
    }

    void Renew() override { m_object = Ref<IQuonLookUpTableList>(CLSID_QuonLookUpTableList, IID_IQuonLookUpTableList); }

    // The list appends the tables it reads: the previous load's go first.
    HRESULT Load() override {
        m_object->ReleaseAll();
        return m_object->LoadFromBuffer(m_text.data(), static_cast<UINT32>(m_text.size()));
    }

    HRESULT Save(char* buffer, UINT32 capacity, UINT32* written) override {
        return m_object->SaveToBuffer(buffer, capacity, written);
    }

    std::size_t Print(char* buffer, std::size_t capacity) const override {
        std::size_t n = 0;
        for (INT32 t = 0; t < kTables; ++t) {
            Printf(buffer, capacity, &n, "%d,%d,d\n", t + 1, 100 + t);
            Printf(buffer, capacity, &n, "%d,%d\n", kSide, kSide);
            for (INT32 r = 0; r < kSide; ++r) {
                for (INT32 c = 0; c < kSide; ++c) {
                    const LookUpEntry& e = Entry(t, r, c);
                    Printf(buffer, capacity, &n, "%g,%g,%g,%g\n", e.value0, e.value1, e.value2, e.value3);
                }
            }
        }
        return n;
    }

    double ReadLiterally(const std::string& text) const override {
        std::vector<int> labels;
        std::vector<int> sizes;
        std::vector<double> values(kTables * kEntries * 4);
        std::size_t next = 0;
        double sum = 0.0;
        bool sizeLine = false;
        for (const std::string& line : Lines(text)) {
            const std::vector<std::string> fields = Fields(line, ',');
            if (line.find('d') != std::string::npos) {
                for (int f = 0; f < 2; ++f) sum += labels.emplace_back(std::stoi(fields[f]));
                sizeLine = true;
            } else if (sizeLine) {
                for (int f = 0; f < 2; ++f) sum += sizes.emplace_back(std::stoi(fields[f]));
                sizeLine = false;
            } else {
                for (int f = 0; f < 4; ++f) sum += values[next++] = std::stod(fields[f]);
            }
        }
        return sum;
    }

private:
    // Entry lines are the lines of three commas; block headers and size
    // lines have fewer.
    static bool IsEntryLine(std::string_view line) { return std::count(line.begin(), line.end(), ',') == 3; }

    LookUpEntry& Entry(INT32 t, INT32 r, INT32 c) { return m_entries[t * kEntries + r * kSide + c]; }
    const LookUpEntry& Entry(INT32 t, INT32 r, INT32 c) const { return m_entries[t * kEntries + r * kSide + c]; }

    Ref<IQuonLookUpTableList> m_object{nullptr};
    std::vector<LookUpEntry> m_entries;  // [table][row][column]
};

}  // namespace

std::unique_ptr<Workload> MakeLookUpTableList() { return std::make_unique<LookUpTableList>(); }

}  // namespace bench

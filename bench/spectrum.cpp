// One picture mode of the original colour sheet: its values and a spectrum
// of 401 points of four numbers, as compact JSON, about 16 KB.
#include "workload.h"

namespace bench {
namespace {

constexpr const char* kMode = "pmode_0";

class Spectrum final : public Workload {
public:
    Spectrum() : m_points(ColorSpectrumPointCount) {
        m_name = "spectrum";
        // Wavelength in nm, then three relative intensities with seven decimals.
        Sequence random;
        for (std::size_t k = 0; k < m_points.size(); ++k) {
            double* values = m_points[k].values;
            values[0] = 380.0 + static_cast<double>(k);
            for (int v = 1; v < 4; ++v) values[v] = random.Decimal(0.0, 1.0, 1e7);
        }

        Renew();
        RequireOk(m_object->SetData(&m_info), "SetData");
        for (const ColorSpectrumPoint& point : m_points) RequireOk(m_object->AddPoint(&point), "AddPoint");
        SaveText(1u << 20);

        // Every number outside a string: the parser converts them all,
        // integers as integers.
        bool inString = false;
        for (std::size_t i = 0; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (inString) {
                if (c == '\\') ++i;
                if (c == '"') inString = false;
            } else if (c == '"') {
                inString = true;
            } else if (c == '-' || (c >= '0' && c <= '9')) {
                const std::size_t end = m_text.find_first_not_of("0123456789+-.eE", i);
                const bool real = m_text.find_first_of(".eE", i) < end;
                AddNumber(m_numbers, m_text, i, real ? Kind::Real : Kind::Int);
                i = end - 1;
            }
        }
    }

    void Renew() override { m_object = Ref<IQuonColorSpectrum>(CLSID_QuonColorSpectrum, IID_IQuonColorSpectrum); }

    HRESULT Load() override {
        return m_object->LoadFromBuffer(kMode, m_text.data(), static_cast<UINT32>(m_text.size()));
    }

    HRESULT Save(char* buffer, UINT32 capacity, UINT32* written) override {
        return m_object->SaveToBuffer(kMode, buffer, static_cast<INT32>(capacity), written);
    }

    // The writer prints each double in its shortest exact form, which printf
    // has no format for: "%.17g" is printf's way to a double that reads back
    // exactly. The text printed is therefore longer than the writer's.
    bool PrintsText() const override { return false; }

    std::size_t Print(char* buffer, std::size_t capacity) const override {
        const ColorSpectrumInfo& i = m_info;
        std::size_t n = 0;
        Printf(buffer, capacity, &n,
               "{\"%s\":{\"pmodeID\":\"%s\",\"xyRate\":%.17g,\"YRate\":%.17g,\"LightOutput\":%.17g,"
               "\"LD_BW\":{\"Rhigh\":%lld,\"Rlow\":%lld,\"Ghigh\":%lld,\"Glow\":%lld,\"Bhigh\":%lld,\"Blow\":%lld},"
               "\"typDWL\":{\"R\":%.17g,\"G\":%.17g,\"B\":%.17g},\"Spectrum\":[",
               kMode, i.pmodeID, i.xyRate, i.YRate, i.LightOutput, static_cast<long long>(i.Rhigh),
               static_cast<long long>(i.Rlow), static_cast<long long>(i.Ghigh), static_cast<long long>(i.Glow),
               static_cast<long long>(i.Bhigh), static_cast<long long>(i.Blow), i.typDWL_R, i.typDWL_G,
               i.typDWL_B);
        const char* separator = "";
        for (const ColorSpectrumPoint& point : m_points) {
            const double* v = point.values;
            Printf(buffer, capacity, &n, "%s[%.17g,%.17g,%.17g,%.17g]", separator, v[0], v[1], v[2], v[3]);
            separator = ",";
        }
        Printf(buffer, capacity, &n, "]}}");
        return n;
    }

    // Cuts the document at every ",": a field's number follows its last ":"
    // or "[", or starts the field; a field whose rest is a string is skipped.
    double ReadLiterally(const std::string& text) const override {
        std::vector<double> values(12 + 4 * ColorSpectrumPointCount);  // the mode's values, then the points
        std::size_t next = 0;
        double sum = 0.0;
        for (const std::string& field : Fields(text, ',')) {
            const std::size_t mark = field.find_last_of(":[");
            const std::string number = mark == std::string::npos ? field : field.substr(mark + 1);
            if (number.empty() || number[0] == '"' || number[0] == '{') continue;
            const double value = number.find_first_of(".eE") != std::string::npos ? std::stod(number)
                                                                                   : std::stoi(number);
            sum += values.at(next++) = value;
        }
        return sum;
    }

private:
    Ref<IQuonColorSpectrum> m_object{nullptr};
    ColorSpectrumInfo m_info{"Standard", 0.5, 1.0, 5000.0, 650, 600, 560, 500, 470, 430, 615.25, 532.5, 465.0};
    std::vector<ColorSpectrumPoint> m_points;
};

}  // namespace

std::unique_ptr<Workload> MakeSpectrum() { return std::make_unique<Spectrum>(); }

}  // namespace bench

#include "workload.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace bench {

void Fail(const std::string& what) {
    std::fprintf(stderr, "quon_bench: %s\n", what.c_str());
    std::exit(2);
}

void RequireOk(HRESULT hr, const std::string& what) {
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        Fail(what + " failed with " + code);
    }
}

void AddNumber(std::vector<Number>& numbers, const std::string& text, std::size_t offset, Kind kind) {
    while (offset < text.size() && text[offset] == ' ') ++offset;
    numbers.push_back(Number{static_cast<std::uint32_t>(offset), kind});
}

double SumByStrtod(const std::string& text, const std::vector<Number>& numbers) {
    const char* base = text.c_str();
    double sum = 0.0;
    for (const Number& n : numbers) {
        const char* p = base + n.offset;
        switch (n.kind) {
            case Kind::Int: sum += static_cast<double>(std::strtol(p, nullptr, 10)); break;
            case Kind::Hex: sum += static_cast<double>(std::strtol(p, nullptr, 16)); break;
            case Kind::Real: sum += std::strtod(p, nullptr); break;
            case Kind::Float: sum += static_cast<double>(std::strtof(p, nullptr)); break;
        }
    }
    return sum;
}

double SumByFromChars(const std::string& text, const std::vector<Number>& numbers) {
    const char* base = text.data();
    const char* end = base + text.size();
    double sum = 0.0;
    for (const Number& n : numbers) {
        const char* p = base + n.offset;
        switch (n.kind) {
            case Kind::Int:
            case Kind::Hex: {
                long value = 0;
                std::from_chars(p, end, value, n.kind == Kind::Hex ? 16 : 10);
                sum += static_cast<double>(value);
                break;
            }
            case Kind::Real: {
                double value = 0.0;
                std::from_chars(p, end, value);
                sum += value;
                break;
            }
            case Kind::Float: {
                float value = 0.0f;
                std::from_chars(p, end, value);
                sum += static_cast<double>(value);
                break;
            }
        }
    }
    return sum;
}

std::vector<std::string> Lines(const std::string& text) { return Fields(text, '\n'); }

std::vector<std::string> Fields(const std::string& line, char delimiter) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, delimiter)) fields.push_back(field);
    return fields;
}

void Printf(char* buffer, std::size_t capacity, std::size_t* length, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int printed = std::vsnprintf(buffer + *length, capacity - *length, format, args);
    va_end(args);
    if (printed > 0) *length += static_cast<std::size_t>(printed);
}

std::uint32_t Sequence::Next(std::uint32_t bound) {
    // xorshift64*
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return static_cast<std::uint32_t>(((m_state * 0x2545F4914F6CDD1Dull) >> 32) % bound);
}

double Sequence::Decimal(double low, double high, double scale) {
    const auto first = static_cast<std::uint32_t>(low * scale);
    const auto span = static_cast<std::uint32_t>((high - low) * scale);
    return (first + Next(span)) / scale;
}

void Workload::SaveText(std::size_t capacity) {
    m_text.assign(capacity, '\0');
    UINT32 written = 0;
    RequireOk(Save(m_text.data(), static_cast<UINT32>(capacity), &written), m_name + ": SaveToBuffer");
    m_text.resize(written);
    m_text.shrink_to_fit();
}

void Validate(Workload& workload) {
    const std::string& text = workload.Text();
    const std::string& name = workload.Name();
    Require(!text.empty() && !workload.Numbers().empty(), name + ": empty workload");

    workload.Renew();
    RequireOk(workload.Load(), name + ": LoadFromBuffer");
    std::string saved(text.size() + 1, '\0');
    UINT32 written = 0;
    RequireOk(workload.Save(saved.data(), static_cast<UINT32>(saved.size()), &written), name + ": SaveToBuffer");
    saved.resize(written);
    Require(saved == text, name + ": the text does not save back byte for byte after a load");

    if (workload.PrintsText()) {
        std::string printed(text.size() + 1, '\0');
        printed.resize(workload.Print(printed.data(), printed.size()));
        Require(printed == text, name + ": the snprintf baseline does not print the text");
    }

    const double strtod = SumByStrtod(text, workload.Numbers());
    Require(SumByFromChars(text, workload.Numbers()) == strtod,
            name + ": the from_chars and strtod baselines read different values");
    Require(workload.ReadLiterally(text) == strtod, name + ": the literal and strtod baselines read different values");
}

}  // namespace bench

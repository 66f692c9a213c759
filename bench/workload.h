// A workload of the text-layer benchmarks: one model class, one text in the
// class's own format, and the plain-code baselines that read and print the
// same numbers. Only the public interfaces are used, so that the figures
// stay comparable however the library's text engine is built inside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QuonCoreModel.h"

// The module's one export; the benchmarks link the library statically.
extern "C" HRESULT DllCreateInstance(REFCLSID rclsid, REFIID riid, void** ppv);

namespace bench {

// Ends the run with a message: a workload that does not hold is not measured.
[[noreturn]] void Fail(const std::string& what);
inline void Require(bool condition, const std::string& what) {
    if (!condition) Fail(what);
}
void RequireOk(HRESULT hr, const std::string& what);

// One reference to a new object of a class, released with the holder.
template <class I>
class Ref {
public:
    Ref(const CLSID& clsid, const IID& iid) {
        RequireOk(DllCreateInstance(clsid, iid, reinterpret_cast<void**>(&m_p)), "DllCreateInstance");
    }
    explicit Ref(I* adopted) : m_p(adopted) {}
    Ref(Ref&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() {
        if (m_p != nullptr) m_p->Release();
    }
    I* operator->() const { return m_p; }
    I* get() const { return m_p; }

private:
    I* m_p = nullptr;
};

// The C conversion the class's reader applies to a number of its text.
enum class Kind : std::uint8_t {
    Int,    // decimal integer (strtol)
    Hex,    // hexadecimal integer (strtol base 16)
    Real,   // double (strtod)
    Float,  // float (strtof), widened to double
};

struct Number {
    std::uint32_t offset;  // first character of the number in the text
    Kind kind;
};

// Adds the number that starts at or after offset (blanks skipped).
void AddNumber(std::vector<Number>& numbers, const std::string& text, std::size_t offset, Kind kind);

// Calls line(begin, end) for every line of text; end is the offset of its "\n".
template <class F>
void ForEachLine(const std::string& text, F line) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        line(begin, end);
        begin = end + 1;
    }
}

// The baselines' number loops, each returning the sum of the values in text
// order. Neither allocates.
double SumByStrtod(const std::string& text, const std::vector<Number>& numbers);
double SumByFromChars(const std::string& text, const std::vector<Number>& numbers);

// The straightforward reader's tools: every line of a text, and every field
// of a line, as a std::string of its own (std::getline over a string stream).
std::vector<std::string> Lines(const std::string& text);
std::vector<std::string> Fields(const std::string& line, char delimiter);

// A snprintf into buffer at *length that advances *length.
void Printf(char* buffer, std::size_t capacity, std::size_t* length, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    ;

// A deterministic sequence of pseudo-random numbers, the same on every run.
class Sequence {
public:
    // Uniform in [0, bound).
    std::uint32_t Next(std::uint32_t bound);
    // k / scale for a uniform k in [low * scale, high * scale): a value with
    // at most log10(scale) decimals.
    double Decimal(double low, double high, double scale);

private:
    std::uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

class Workload {
public:
    virtual ~Workload() = default;

    const std::string& Name() const { return m_name; }
    const std::string& Text() const { return m_text; }
    const std::vector<Number>& Numbers() const { return m_numbers; }

    // Makes a new object for the next loads to read into, set up as a host
    // sets it up before its first load.
    virtual void Renew() = 0;
    // Reads Text() into the object through LoadFromBuffer.
    virtual HRESULT Load() = 0;
    // Writes the object through SaveToBuffer.
    virtual HRESULT Save(char* buffer, UINT32 capacity, UINT32* written) = 0;

    // snprintf baseline: the same values printed with the writer's formats;
    // returns the length printed.
    virtual std::size_t Print(char* buffer, std::size_t capacity) const = 0;
    // Whether Print gives the text byte for byte (not where the writer does
    // not print with printf formats).
    virtual bool PrintsText() const { return true; }
    // literal baseline: reads the text with std::getline, std::string and
    // std::stod / std::stoi into plain arrays; returns the sum of the values
    // in text order.
    virtual double ReadLiterally(const std::string& text) const = 0;

protected:
    // Takes the text the object writes now (at most capacity bytes).
    void SaveText(std::size_t capacity);

    std::string m_name;
    std::string m_text;
    std::vector<Number> m_numbers;
};

// The geometry adjustment file with three grids of `rows` x 129 points.
std::unique_ptr<Workload> MakeGeoAdjust(const char* name, UINT32 rows);
// A grid point map of 129 x 79 points with its extra block.
std::unique_ptr<Workload> MakeGridPoint();
// A look-up table list of 8 tables of 64 x 64 entries.
std::unique_ptr<Workload> MakeLookUpTableList();
// Camera init info: 4 cameras, each seeing 2560 points of a 256 x 40 pattern.
std::unique_ptr<Workload> MakeCameraInit();
// One colour spectrum picture mode of 401 points.
std::unique_ptr<Workload> MakeSpectrum();

// Checks that a workload measures what it claims, or ends the run: the text
// loads and saves back byte for byte, the snprintf baseline prints it, and
// the strtod, from_chars and literal baselines read the same values.
void Validate(Workload& workload);

}  // namespace bench

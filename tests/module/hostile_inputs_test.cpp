// Hostile texts through every reader: absurd counts, empty dimensions, tables
// of gigabytes and JSON nested a million deep. Each load must end with the
// result its class documents, within a second of CPU time for the load and a
// write-back (more under the sanitizers), its memory peak within the table limit plus what the parse of
// its text holds.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "cpu_time.h"
#include "frame/factory.h"
#include "frame/sizes.h"
#include "model_classes.h"

namespace {

// A load may take a second, and its memory peak may reach the table limit
// plus what the parse of its text holds: a JSON document keeps some 16 bytes
// per byte of text (a value per "0,"). The sanitizers double the memory and
// slow every load several times.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr double kSeconds = 5.0;
constexpr long long kBytesPerTextByte = 40;
#else
constexpr double kSeconds = 1.0;
constexpr long long kBytesPerTextByte = 20;
#endif
constexpr long long kPeakBytes = static_cast<long long>(quon::kMaxArrayBytes);

// The memory peak is the process's resident peak (VmHWM), reset before each
// load through clear_refs (Linux only; elsewhere only the time is checked).
// A field of /proc/self/status in KiB, or -1.
long long StatusKilobytes(const char* key) {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    char line[256];
    long long value = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, key, std::strlen(key)) == 0) std::sscanf(line + std::strlen(key), "%lld", &value);
    }
    std::fclose(status);
    return value;
}

bool ResetPeak() {
#if defined(_WIN32)
    return false;
#else
#if defined(__GLIBC__)
    malloc_trim(0);  // memory freed by earlier loads would hide new use
#endif
    FILE* refs = std::fopen("/proc/self/clear_refs", "w");
    if (refs == nullptr) return false;
    const bool done = std::fputs("5", refs) >= 0;
    return std::fclose(refs) == 0 && done;
#endif
}

struct Outcome {
    std::string result;  // "S_OK", "0x80070057", "bad_alloc", "runtime_error: IsObject()", ...
    double seconds = 0;
    long long peakBytes = -1;  // growth of the resident peak during the load
    long long textBytes = 0;
};

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return hr == S_OK ? "S_OK" : text;
}

// Creates an object of the class, prepares it as a host does, loads text and
// writes the object back; the time is that of both.
Outcome Load(const ModelClass& cls, const std::string& text) {
    SetModelFactory(DllCreateInstance);
    Outcome out;
    out.textBytes = static_cast<long long>(text.size());
    IUnknown* object = nullptr;
    if (FAILED(DllCreateInstance(*cls.clsid, *cls.iid, reinterpret_cast<void**>(&object)))) return {"no object"};
    if (cls.prepare != nullptr) cls.prepare(object);
    const bool measured = ResetPeak();
    const long long before = measured ? StatusKilobytes("VmRSS:") : -1;
    const double start = ThreadCpuSeconds();
    try {
        out.result = Hex(cls.load(object, text.data(), static_cast<UINT32>(text.size())));
    } catch (const std::bad_alloc&) {
        out.result = "bad_alloc";
    } catch (const std::invalid_argument& e) {
        out.result = std::string("invalid_argument: ") + e.what();
    } catch (const std::out_of_range& e) {
        out.result = std::string("out_of_range: ") + e.what();
    } catch (const std::runtime_error& e) {
        out.result = std::string("runtime_error: ") + e.what();
    } catch (...) {
        out.result = "unexpected exception";
    }
    // Writing the object back costs in proportion to what it holds: a table
    // that a short text announces empty writes as fast as it reads.
    try {
        std::vector<char> buffer(1 << 16);
        UINT32 written = 0;
        cls.save(object, buffer.data(), static_cast<UINT32>(buffer.size()), &written);
    } catch (...) {
    }
    out.seconds = ThreadCpuSeconds() - start;
    if (measured) out.peakBytes = (StatusKilobytes("VmHWM:") - before) * 1024;
    object->Release();
    return out;
}

void ExpectCheap(const Outcome& out, const std::string& what) {
    EXPECT_LT(out.seconds, kSeconds) << what;
    EXPECT_LT(out.peakBytes, kPeakBytes + kBytesPerTextByte * out.textBytes) << what;
}

// One line of the cost table that docs/robustness.md keeps.
void Report(const std::string& what, const Outcome& out) {
    std::printf("  %-60s %-28s %8.3f s %8.1f MiB\n", what.c_str(), out.result.c_str(), out.seconds,
                static_cast<double>(out.peakBytes) / (1 << 20));
}

// The first bytes of a text, with its line ends shown.
std::string Shown(const std::string& text) {
    std::string shown;
    for (char c : text.substr(0, 40)) shown += c == '\n' ? std::string("\\n") : std::string(1, c);
    return text.size() > 40 ? shown + "... (" + std::to_string(text.size()) + " bytes)" : shown;
}

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

const ModelClass& Class(const char* name) {
    const ModelClass* cls = FindModelClass(name);
    if (cls == nullptr) throw std::logic_error(name);
    return *cls;
}

struct Case {
    const char* cls;
    std::string text;
    const char* result;
};

TEST(HostileInputs, AbsurdCountsEndWithTheirDocumentedResultAtTheCostOfTheirText) {
    const std::string invalid = Hex(E_INVALIDARG);
    const std::string sixLevels = "10\n1.5\n1.0\n0\n1\n0.9\n0.1\n250\n2\n1\n0\n7\n";
    const Case cases[] = {
        // An empty dimension with a huge one: no row of nothing is walked.
        {"LookUpTable", "0,2147483647\n", "S_OK"},
        {"LookUpTable", "2147483647,0\n", "S_OK"},
        {"LookUpTableList", "d\n0,3333337483\n", "S_OK"},
        {"GridPoint", "0, 2147483647, 0, 0, 0, 0, 0, 1\n", "S_OK"},
        // Sizes whose tables pass 2 GiB, or whose entry count passes 32 bits.
        {"LookUpTable", "8192,8191\n", "bad_alloc"},
        {"LookUpTable", "46340,46340\n", "bad_alloc"},
        {"LookUpTable", "46341,46341\n", invalid.c_str()},
        {"LookUpTable", "21000000,1\n1,2,3,4\n", "bad_alloc"},
        {"LookUpTable", "8388609,1\n", "bad_alloc"},  // one entry past the limit
        {"LookUpTableList", "d\n8192,8191\n", "bad_alloc"},
        {"GridPoint", "8192, 3277, 0, 0, 0, 0, 0, 0\n", "bad_alloc"},
        {"GridPoint", "1e9, 1e9, 0, 0, 0, 0, 0, 0\n", "bad_alloc"},
        {"EbInfo", "1000, 1000, 7, 0, \n", "bad_alloc"},
        {"EbInfo", "1, 1, 1, 100000000, \n", "bad_alloc"},
        {"GeoInfo", "1000, 1000, 7, 0, 1, \n", "bad_alloc"},
        {"GeoInfo", "1, 1, 0, 0, 1, \n0, 0, \n0, 0, \n11184811, \n", "bad_alloc"},
        {"CAInitInfo", "4\n" + sixLevels + "76695844\n0\n", invalid.c_str()},
        {"CAInitInfo", "2147483647\n" + sixLevels + "1\n0\n1\n2147483647\n2\n", invalid.c_str()},
        // No camera: no point table, however many points the pattern has.
        {"CAInitInfo", "444444440\n" + sixLevels + "0\n0\n", "invalid_argument: invalid stol argument"},
        // JSON arrays of one element more than their table may hold.
        {"ColorSpectrum", "{\"pmode_0\":{\"Spectrum\":[" + Repeat("0,", 8388608) + "0]}}", "bad_alloc"},
        {"GeoAutoCalibInfo", "{\"camera\":[" + Repeat("0,", 6710886) + "0]}", "bad_alloc"},
    };
    for (const Case& c : cases) {
        const Outcome out = Load(Class(c.cls), c.text);
        const std::string what = std::string(c.cls) + " " + Shown(c.text);
        EXPECT_EQ(c.result, out.result) << what;
        ExpectCheap(out, what);
        Report(what, out);
    }
}

TEST(HostileInputs, JsonNestedAMillionDeepFailsAsAMalformedDocument) {
    const std::size_t depth = 1000000;
    for (const char* name : {"GeoAutoCalibInfo", "ColorCompCategoryTable", "ColorCompOrgSpec", "ColorCompDiffSpec",
                             "ColorSpectrum", "ColorDiff7colors"}) {
        // A document that never closes fails to parse: the root is null.
        // A closed array of arrays is a document whose root is no object.
        for (const std::string& text :
             {Repeat("[", depth), Repeat("{\"a\":", depth), Repeat("[", depth) + Repeat("]", depth)}) {
            const Outcome out = Load(Class(name), text);
            const std::string what = std::string(name) + " " + Shown(text);
            EXPECT_EQ("runtime_error: IsObject()", out.result) << what;
            ExpectCheap(out, what);
            Report(what, out);
        }
    }
    // A closed chain of objects is read like any document without the members
    // looked for: the colour objects find nothing, the result document needs
    // its tables.
    const std::string chain = Repeat("{\"a\":", depth) + "0" + Repeat("}", depth);
    for (const char* name : {"ColorCompCategoryTable", "ColorCompOrgSpec", "ColorCompDiffSpec", "ColorSpectrum",
                             "ColorDiff7colors", "GeoAutoCalibInfo"}) {
        const Outcome out = Load(Class(name), chain);
        const std::string what = std::string(name) + " " + Shown(chain);
        EXPECT_EQ(std::string(name) == "GeoAutoCalibInfo" ? "runtime_error: false" : "S_OK", out.result) << what;
        ExpectCheap(out, what);
        Report(what, out);
    }
}

// The whole numbers of a text that can be counts: digits not part of a real
// number or of a name.
struct Token {
    std::size_t at, size;
};

std::vector<Token> WholeNumbers(const std::string& text) {
    const auto digit = [&](std::size_t i) { return std::isdigit(static_cast<unsigned char>(text[i])) != 0; };
    const auto word = [&](std::size_t i) {
        const char c = text[i];
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
    };
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < text.size();) {
        if (!digit(i)) {
            ++i;
            continue;
        }
        std::size_t start = i;
        while (i < text.size() && digit(i)) ++i;
        if ((start > 0 && word(start - 1)) || (i < text.size() && (word(i) || text[i] == 'e'))) continue;
        if (start > 0 && text[start - 1] == '-') --start;
        tokens.push_back({start, i - start});
    }
    return tokens;
}

std::string Replaced(std::string text, const std::vector<std::pair<Token, const char*>>& edits) {
    for (auto it = edits.rbegin(); it != edits.rend(); ++it) text.replace(it->first.at, it->first.size, it->second);
    return text;
}

TEST(HostileInputs, EverySampleWithItsCountsAtTheEdges) {
    // Every whole number of every sample set to 0, 46340 (the largest square
    // side in 32 bits), 46341 and 2147483647, alone and with the number after
    // it on the same line (0 and huge, both at the square's edge).
    const char* const values[] = {"0", "46340", "46341", "2147483647"};
    const std::pair<const char*, const char*> pairs[] = {
        {"0", "2147483647"}, {"2147483647", "0"}, {"46340", "46340"}, {"46341", "46341"}};
    std::size_t loads = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QUON_EXAMPLES_DIR)) {
        if (!entry.is_regular_file()) continue;
        const ModelClass* cls = FindModelClass(entry.path().parent_path().filename().string());
        if (cls == nullptr) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string sample((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::vector<Token> tokens = WholeNumbers(sample);
        const auto check = [&](const std::vector<std::pair<Token, const char*>>& edits) {
            const Outcome out = Load(*cls, Replaced(sample, edits));
            std::string what = entry.path().filename().string();
            for (const auto& edit : edits) what += " @" + std::to_string(edit.first.at) + "=" + edit.second;
            EXPECT_NE("unexpected exception", out.result) << what;
            ExpectCheap(out, what);
            ++loads;
        };
        for (std::size_t t = 0; t < tokens.size(); ++t) {
            for (const char* value : values) check({{tokens[t], value}});
            const bool sameLine = t + 1 < tokens.size() && sample.find('\n', tokens[t].at) > tokens[t + 1].at;
            if (!sameLine) continue;
            for (const auto& pair : pairs) check({{tokens[t], pair.first}, {tokens[t + 1], pair.second}});
        }
    }
    EXPECT_GT(loads, 4000u);
}

}  // namespace

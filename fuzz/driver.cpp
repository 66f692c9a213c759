// A stand-alone driver for the fuzz targets when libFuzzer is not at hand
// (GCC builds): runs each seed file, then a fixed number of deterministic
// mutations of the seeds (byte flips, insertions of digits and separators,
// truncations, duplicated lines).
//   fuzz_readers [--iterations N] SEED_FILE_OR_FOLDER...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

std::string Mutate(std::string s, std::mt19937& rng) {
    static const char kAlphabet[] = "0123456789-+.,= \n\r\t[]{}\":eEHxd";
    const int steps = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < steps; ++i) {
        const std::size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
        switch (rng() % 6) {
            case 0:
                if (!s.empty() && at < s.size()) s[at] = static_cast<char>(rng() % 256);
                break;
            case 1:
                s.insert(at, 1, kAlphabet[rng() % (sizeof kAlphabet - 1)]);
                break;
            case 2:
                s.resize(at);
                break;
            case 3: {
                // Small counts, negative counts, and counts far beyond any
                // table (which readers must refuse or fail to allocate fast).
                static const char* const kExtremes[] = {"2147483647", "-2147483648", "4294967296", "99999999999",
                                                        "1e9",        "-1",          "1e308",      "nan"};
                const std::string number = rng() % 4 == 0 ? kExtremes[rng() % 8]
                                                          : std::to_string(static_cast<int>(rng() % 2000) - 1000);
                s.insert(at, number);
                break;
            }
            case 4: {
                const std::size_t end = s.find('\n', at);
                if (end != std::string::npos) s.insert(at, s.substr(at, end - at + 1));
                break;
            }
            default:
                if (at < s.size()) s.erase(at, 1 + rng() % 16);
                break;
        }
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    long iterations = 200;
    std::vector<std::string> seeds;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--iterations" && i + 1 < argc) {
            iterations = std::atol(argv[++i]);
            continue;
        }
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.push_back(arg);
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    seeds.push_back(std::string());
    std::mt19937 rng(20261206);
    for (const std::string& seed : seeds) Run(seed);
    for (long i = 0; i < iterations; ++i) Run(Mutate(seeds[rng() % seeds.size()], rng));
    std::printf("fuzz_readers: %zu seeds, %ld mutated inputs, no fault\n", seeds.size(), iterations);
    return 0;
}

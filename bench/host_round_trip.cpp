// The C++ reference of bench/python_round_trip.py: a host's load + save of
// one text through the record layer (records::LoadText, then
// records::SaveText), with the module loaded by file as the Python package
// loads it.
//
//   quon_host_round_trip MODULE CLASS FILE REPETITIONS
//
// prints the fastest round trip in seconds; exit 1 when the text does not
// come back byte for byte, 2 on an error.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "model_classes.h"
#include "quon/Module.h"
#include "records.h"

int main(int argc, char** argv) try {
    if (argc != 5) {
        std::fprintf(stderr, "usage: quon_host_round_trip MODULE CLASS FILE REPETITIONS\n");
        return 2;
    }
    const quon::Module module = quon::Module::Load(argv[1]);
    const ModelClass* cls = FindModelClass(argv[2]);
    if (cls == nullptr) throw quon::Error(E_INVALIDARG, std::string("unknown class ") + argv[2]);
    std::ifstream in(argv[3], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int repetitions = std::max(1, std::stoi(argv[4]));

    double fastest = 1e300;
    bool same = true;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const records::Object object = records::LoadText(module, *cls, text);
        const std::string saved = records::SaveText(*cls, object.get(), text.size());
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        fastest = std::min(fastest, took.count());
        same = same && saved == text;
    }
    std::printf("%.9f\n", fastest);
    return same ? 0 : 1;
} catch (const std::exception& e) {
    std::fprintf(stderr, "quon_host_round_trip: %s\n", e.what());
    return 2;
}

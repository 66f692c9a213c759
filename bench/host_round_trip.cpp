// The C++ reference of bench/python_round_trip.py: a host's load + save of
// one text through the record layer (records::LoadText, then
// records::SaveText), with the module loaded by file as the Python package
// loads it. Built as a shared library that the script loads with ctypes, so
// that both run in one process, on one heap, taking turns.
#include <time.h>

#include <algorithm>
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

#include "model_classes.h"
#include "quon/Module.h"
#include "records.h"

namespace {

// CPU time of the calling thread: what the machine's other work does not change.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

}  // namespace

// The fastest of `repetitions` round trips of the text, in seconds of the
// thread's CPU time; -1 when a text does not come back byte for byte, -2 on
// an error.
extern "C" __attribute__((visibility("default"))) double QuonHostRoundTrip(const char* module, const char* cls,
                                                                           const char* text, std::size_t length,
                                                                           int repetitions) {
    try {
        const quon::Module loaded = quon::Module::Load(module);
        const ModelClass* found = FindModelClass(cls);
        if (found == nullptr) return -2;
        const std::string_view input(text, length);
        double fastest = 1e300;
        for (int i = 0; i < std::max(1, repetitions); ++i) {
            const double start = ThreadSeconds();
            const records::Object object = records::LoadText(loaded, *found, input);
            const std::string saved = records::SaveText(*found, object.get(), input.size());
            const double took = ThreadSeconds() - start;
            if (saved != input) return -1;
            fastest = std::min(fastest, took);
        }
        return fastest;
    } catch (const std::exception&) {
        return -2;
    }
}

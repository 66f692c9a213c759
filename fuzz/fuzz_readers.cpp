// Feeds one input to the reader of one model class, then has the object
// write itself back. Exceptions are a reader's normal way to refuse a
// malformed number or document; anything else (a crash, a sanitizer report)
// is a fault, and so is a load whose cost does not follow its text.
//
// For libFuzzer: with QUON_FUZZ_CLASS=<Class> (a folder name of
// examples/data) every input goes to that class's reader; without it the
// first byte picks the class.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "cpu_time.h"
#include "frame/diagnostics.h"
#include "frame/factory.h"
#include "fuzz_readers.h"
#include "model_classes.h"

namespace {

// Most CPU time one load may take: 2 s, or QUON_LOAD_SECONDS (for slow
// runs such as valgrind's). A load costs time in proportion to its text (at
// most a few milliseconds for any input the fuzzer makes) plus the zeroing
// of tables within the table limit; a loop over rows or points that the text
// does not carry takes seconds or hours instead.
double LoadSecondsLimit() {
    static const double limit = [] {
        const char* given = std::getenv("QUON_LOAD_SECONDS");
        return given != nullptr ? std::atof(given) : 2.0;
    }();
    return limit;
}

// The listener of quonmodel check, reduced to what must hold: every place a
// reader notes lies in its text (or is null), and every note says something.
class PlaceChecker final : public quon::ReadListener {
public:
    PlaceChecker(const char* text, size_t size) : m_begin(text), m_end(text + size) {}
    void Note(const char* at, std::string message) override {
        Check(at);
        if (message.empty()) Fail("an empty note");
    }
    void Place(const char* at) override { Check(at); }

private:
    void Check(const char* at) const {
        const std::less_equal<const char*> before;
        if (at == nullptr || at == quon::EndOfText()) return;
        if (!(before(m_begin, at) && before(at, m_end))) Fail("a place outside the text");
    }
    [[noreturn]] static void Fail(const char* what) {
        std::fprintf(stderr, "fuzz_readers: a reader noted %s\n", what);
        std::abort();
    }
    const char* m_begin;
    const char* m_end;
};

}  // namespace

void FuzzOneClass(const ModelClass& cls, const uint8_t* data, size_t size) {
    SetModelFactory(DllCreateInstance);
    static std::vector<char> buffer(1 << 16);
    IUnknown* object = nullptr;
    if (FAILED(DllCreateInstance(*cls.clsid, *cls.iid, reinterpret_cast<void**>(&object)))) return;
    try {
        if (cls.prepare != nullptr) cls.prepare(object);
        const double start = ThreadCpuSeconds();
        // Inputs of odd length are read as quonmodel check reads them.
        const char* text = reinterpret_cast<const char*>(data);
        PlaceChecker checker(text, size);
        try {
            if (size % 2 == 1) {
                const quon::Listening listening(checker);
                cls.load(object, text, static_cast<UINT32>(size));
            } else {
                cls.load(object, text, static_cast<UINT32>(size));
            }
        } catch (const std::exception&) {
        }
        const double seconds = ThreadCpuSeconds() - start;
        if (seconds > LoadSecondsLimit()) {
            std::fprintf(stderr, "fuzz_readers: %s took %.1f s of CPU to load %zu bytes\n", cls.name, seconds, size);
            std::abort();
        }
        UINT32 written = 0;
        cls.save(object, buffer.data(), static_cast<UINT32>(buffer.size()), &written);
    } catch (const std::exception&) {
    }
    object->Release();
}

namespace {
const ModelClass* g_only = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* name = std::getenv("QUON_FUZZ_CLASS")) {
        g_only = FindModelClass(name);
        if (g_only == nullptr || g_only->load == nullptr) {
            std::fprintf(stderr, "fuzz_readers: no class %s with a text form\n", name);
            std::exit(2);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (g_only != nullptr) {
        FuzzOneClass(*g_only, data, size);
        return 0;
    }
    if (size == 0) return 0;
    const std::vector<ModelClass>& classes = ModelClasses();
    FuzzOneClass(classes[data[0] % classes.size()], data + 1, size - 1);
    return 0;
}

// Feeds one input to the reader of one model class, then has the object
// write itself back. Exceptions are a reader's normal way to refuse a
// malformed number or document; anything else (a crash, a sanitizer report)
// is a fault. For libFuzzer the first byte picks the class.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "frame/factory.h"
#include "fuzz_readers.h"
#include "model_classes.h"

void FuzzOneClass(const ModelClass& cls, const uint8_t* data, size_t size) {
    SetModelFactory(DllCreateInstance);
    static std::vector<char> buffer(1 << 16);
    IUnknown* object = nullptr;
    if (FAILED(DllCreateInstance(*cls.clsid, *cls.iid, reinterpret_cast<void**>(&object)))) return;
    try {
        if (cls.prepare != nullptr) cls.prepare(object);
        cls.load(object, reinterpret_cast<const char*>(data), static_cast<UINT32>(size));
        UINT32 written = 0;
        cls.save(object, buffer.data(), static_cast<UINT32>(buffer.size()), &written);
    } catch (const std::exception&) {
    }
    object->Release();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::vector<ModelClass>& classes = ModelClasses();
    FuzzOneClass(classes[data[0] % classes.size()], data + 1, size - 1);
    return 0;
}

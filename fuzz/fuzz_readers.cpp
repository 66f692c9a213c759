// Feeds one input to the reader of every model class the command-line host
// knows, then has each object write itself back. Exceptions are a reader's
// normal way to refuse a malformed number or document; anything else (a
// crash, a sanitizer report) is a fault.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <vector>

#include "frame/factory.h"
#include "model_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<char> buffer(1 << 16);
    for (const ModelClass& cls : ModelClasses()) {
        IUnknown* object = nullptr;
        if (FAILED(DllCreateInstance(*cls.clsid, *cls.iid, reinterpret_cast<void**>(&object)))) continue;
        try {
            if (cls.prepare != nullptr) cls.prepare(object);
            cls.load(object, text, static_cast<UINT32>(size));
            UINT32 written = 0;
            cls.save(object, buffer.data(), static_cast<UINT32>(buffer.size()), &written);
        } catch (const std::exception&) {
        }
        object->Release();
    }
    return 0;
}

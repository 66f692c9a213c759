#include "records.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "class_kit.h"
#include "json.h"

namespace records {

namespace {

void NeedsText(const ModelClass& cls) {
    if (cls.load == nullptr) throw quon::Error(E_NOTIMPL, std::string(cls.name) + " has no text form");
}

// Runs the class's walk over its getters into a document.
void Walk(const ModelClass& cls, const Object& object, rj::Document& doc, Capture* capture) {
    doc.SetObject();
    Out out(doc, doc.GetAllocator(), "$", capture, object.longestName());
    cls.toJson(object.get(), out);
}

// The length of the longest string of a document (members' names
// included), walked without recursion.
std::size_t LongestString(const Value& doc) {
    std::size_t longest = 0;
    std::vector<const Value*> pending{&doc};
    while (!pending.empty()) {
        const Value& v = *pending.back();
        pending.pop_back();
        if (v.IsString()) {
            longest = std::max<std::size_t>(longest, v.GetStringLength());
        } else if (v.IsArray()) {
            for (const Value& e : v.GetArray()) pending.push_back(&e);
        } else if (v.IsObject()) {
            for (const auto& m : v.GetObject()) {
                longest = std::max<std::size_t>(longest, m.name.GetStringLength());
                pending.push_back(&m.value);
            }
        }
    }
    return longest;
}

// A new object of the class, set up as before a load.
quon::Ptr<IUnknown> Prepared(const quon::Module& module, const ModelClass& cls) {
    SetModelFactory(module.Entry());
    quon::Ptr<IUnknown> object = module.Create(*cls.clsid, *cls.iid);
    if (cls.prepare != nullptr) Check(cls.prepare(object.get()), "preparing the object");
    return object;
}

}  // namespace

void ToDocument(const ModelClass& cls, const Object& object, rj::Document& doc) { Walk(cls, object, doc, nullptr); }

std::string ToJson(const ModelClass& cls, const Object& object) {
    rj::Document doc;
    Walk(cls, object, doc, nullptr);
    return Print(doc);
}

Object Build(const quon::Module& module, const ModelClass& cls, const Value& doc) {
    SetModelFactory(module.Entry());
    Object object(module.Create(*cls.clsid, *cls.iid), LongestString(doc));
    cls.fromJson(In(doc, "$"), object.get());
    return object;
}

Object Build(const quon::Module& module, const ModelClass& cls, std::string_view json) {
    rj::Document doc;
    Parse(json, doc);
    return Build(module, cls, doc);
}

Object NewObject(const quon::Module& module, const ModelClass& cls) { return Object(Prepared(module, cls), 0); }

Object LoadText(const quon::Module& module, const ModelClass& cls, std::string_view text) {
    NeedsText(cls);
    if (text.size() > UINT32_MAX) throw quon::Error(E_INVALIDARG, "a text of more than 4 GiB");
    quon::Ptr<IUnknown> object = Prepared(module, cls);
    Check(cls.load(object.get(), text.data(), static_cast<UINT32>(text.size())), "LoadFromBuffer");
    return Object(std::move(object), text.size());
}

// The buffer starts at twice the hint and grows only while the writer says
// the text did not fit: a length it reports is taken at once (with room for
// a terminator); E_FAIL without one makes the buffer four times larger, up to
// 64 bytes for each byte of the hint (at least 1 MiB). A writer that still
// fails then fails for another reason, or expands the text beyond anything a
// round trip could give back. Other failures end at once.
std::string SaveText(const ModelClass& cls, IUnknown* object, std::size_t sizeHint) {
    NeedsText(cls);
    const std::size_t bound = std::min<std::size_t>(UINT32_MAX, std::max<std::size_t>(1u << 20, 64 * sizeHint));
    std::size_t capacity = std::min(bound, 2 * sizeHint + 4096);
    bool reported = false;
    std::vector<char> buffer;
    for (;;) {
        buffer.resize(capacity);
        UINT32 written = 0;
        const HRESULT hr = cls.save(object, buffer.data(), static_cast<UINT32>(capacity), &written);
        if (SUCCEEDED(hr)) return std::string(buffer.data(), written);
        if (hr != E_FAIL) Check(hr, "SaveToBuffer");
        if (!reported && written >= capacity && written < UINT32_MAX) {
            capacity = std::size_t(written) + 1;
            reported = true;
        } else if (!reported && capacity < bound) {
            capacity = std::min(capacity * 4, bound);
        } else {
            Check(hr, ("SaveToBuffer with room for " + std::to_string(capacity) + " bytes").c_str());
        }
    }
}

std::vector<Table> Tables(const ModelClass& cls, const Object& object) {
    rj::Document doc;
    Capture capture;
    capture.tablesOnly = true;
    Walk(cls, object, doc, &capture);
    return std::move(capture.tables);
}

}  // namespace records

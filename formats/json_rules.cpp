#include "formats/json_rules.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "frame/copy_out.h"
#include "frame/diagnostics.h"
#include "frame/text.h"
#include "rapidjson/error/en.h"

namespace quon::json {

void AssertionFailed(const char* condition) { throw std::runtime_error(condition); }

namespace {

// The parse of a listened-to load: the same reader and flags as
// Document::Parse, with the document as the handler, and the offset in the
// text where each value ends (scalars) or starts (objects and arrays), in
// document order.
class PlaceRecorder {
public:
    using Ch = char;
    using Stream = rapidjson::EncodedInputStream<rapidjson::UTF8<>, rapidjson::MemoryStream>;

    PlaceRecorder(Document& document, const Stream& stream) : m_document(document), m_stream(stream) {}

    bool Null() { return Mark() && m_document.Null(); }
    bool Bool(bool b) { return Mark() && m_document.Bool(b); }
    bool Int(int i) { return Mark() && m_document.Int(i); }
    bool Uint(unsigned i) { return Mark() && m_document.Uint(i); }
    bool Int64(int64_t i) { return Mark() && m_document.Int64(i); }
    bool Uint64(uint64_t i) { return Mark() && m_document.Uint64(i); }
    bool Double(double d) { return Mark() && m_document.Double(d); }
    bool RawNumber(const Ch* str, rapidjson::SizeType length, bool copy) {
        return Mark() && m_document.RawNumber(str, length, copy);
    }
    bool String(const Ch* str, rapidjson::SizeType length, bool copy) {
        return Mark() && m_document.String(str, length, copy);
    }
    bool StartObject() { return Mark() && m_document.StartObject(); }
    bool Key(const Ch* str, rapidjson::SizeType length, bool copy) { return m_document.Key(str, length, copy); }
    bool EndObject(rapidjson::SizeType members) { return m_document.EndObject(members); }
    bool StartArray() { return Mark() && m_document.StartArray(); }
    bool EndArray(rapidjson::SizeType elements) { return m_document.EndArray(elements); }

    std::vector<std::size_t> offsets;

private:
    bool Mark() {
        offsets.push_back(m_stream.Tell());
        return true;
    }

    Document& m_document;
    const Stream& m_stream;
};

// Parses view into document as Document::Parse does, and gives the listener
// the place of every value (by the value's address) or of the parse error.
void ParseListened(Document& document, std::string_view view, ReadListener& listener) {
    rapidjson::MemoryStream memory(view.data(), view.size());
    PlaceRecorder::Stream stream(memory);
    PlaceRecorder recorder(document, stream);
    rapidjson::ParseResult result;
    auto generate = [&](Document&) {
        rapidjson::Reader reader;
        result = reader.Parse<rapidjson::kParseDefaultFlags>(stream, recorder);
        return !result.IsError();
    };
    document.Populate(generate);
    if (result.IsError()) {
        const char* at = view.data() + result.Offset();
        Report(at, "JSON parse error: ", rapidjson::GetParseError_En(result.Code()));
        listener.Place(at);
        return;
    }
    // Values in document order are the recorded events in order.
    std::size_t next = 0;
    std::vector<const Value*> pending = {&document};
    while (!pending.empty()) {
        const Value* value = pending.back();
        pending.pop_back();
        if (next < recorder.offsets.size()) listener.valuePlaces[value] = view.data() + recorder.offsets[next];
        ++next;
        if (value->IsObject()) {
            for (auto m = value->MemberEnd(); m != value->MemberBegin();) pending.push_back(&(--m)->value);
        } else if (value->IsArray()) {
            for (auto e = value->End(); e != value->Begin();) pending.push_back(--e);
        }
    }
}

}  // namespace

HRESULT Parse(Document& document, const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    // The document ends at the first NUL within length, where a
    // NUL-terminated copy of the text would end; the parse reads the caller's
    // bytes in place.
    const std::string_view view = TextViewUpToNul(text, length);
    if (ReadListener* listener = Listener()) [[unlikely]] {
        ParseListened(document, view, *listener);
        return S_OK;
    }
    document.Parse(view.data(), view.size());
    return S_OK;
}

const char* PlaceOf(const Value& value) {
    ReadListener* listener = Listener();
    if (listener == nullptr) return nullptr;
    const auto found = listener->valuePlaces.find(&value);
    return found != listener->valuePlaces.end() ? found->second : nullptr;
}

void NotePlace(const Value& value) {
    if (ReadListener* listener = Listener()) [[unlikely]] {
        if (const char* at = PlaceOf(value)) listener->Place(at);
    }
}

const Value* Present(const Value& object, const char* key) {
    const Value* member = Existing(object, key);
    return member == nullptr || member->IsNull() ? nullptr : member;
}

const Value* Existing(const Value& object, const char* key) {
    NotePlace(object);
    const Value::ConstMemberIterator it = object.FindMember(key);
    if (it == object.MemberEnd()) return nullptr;
    NotePlace(it->value);
    return &it->value;
}

const Value& Member(const Value& object, const char* key) {
    NotePlace(object);
    const Value& member = object[key];
    NotePlace(member);
    return member;
}

void CopyText(const Value& value, char* field, std::size_t size) {
    const char* text = value.GetString();
    std::size_t length = value.GetStringLength();
    if (length > size - 1) length = size - 1;
    std::memcpy(field, text, length);
    field[length] = '\0';
}

Builder::Builder() { m_document.Parse("{}"); }

void Builder::AddText(Value& object, const char* key, const char* field, std::size_t size) {
    // A field filled to its end without a NUL is written up to its end.
    const std::size_t length = strnlen(field, size);
    Value text(field, static_cast<rapidjson::SizeType>(length), Alloc());
    object.AddMember(rapidjson::StringRef(key), text, Alloc());
}

void Builder::AddUint(Value& object, const char* key, UINT32 value) {
    object.AddMember(rapidjson::StringRef(key), Value(static_cast<unsigned>(value)), Alloc());
}

void Builder::AddInt(Value& object, const char* key, INT32 value) {
    object.AddMember(rapidjson::StringRef(key), Value(static_cast<int>(value)), Alloc());
}

void Builder::AddInt64(Value& object, const char* key, INT64 value) {
    object.AddMember(rapidjson::StringRef(key), Value(static_cast<int64_t>(value)), Alloc());
}

void Builder::AddBool(Value& object, const char* key, bool value) {
    object.AddMember(rapidjson::StringRef(key), Value(value), Alloc());
}

void Builder::AddDouble(Value& object, const char* key, double value) {
    object.AddMember(rapidjson::StringRef(key), Value(value), Alloc());
}

Value& Builder::AddObject(Value& object, const char* key) {
    object.AddMember(rapidjson::StringRef(key), Value(rapidjson::kObjectType), Alloc());
    return object.MemberEnd()[-1].value;
}

Value& Builder::AddObject(Value& object, const std::string& copiedKey) {
    Value key(copiedKey.c_str(), static_cast<rapidjson::SizeType>(copiedKey.size()), Alloc());
    object.AddMember(key, Value(rapidjson::kObjectType), Alloc());
    return object.MemberEnd()[-1].value;
}

Value& Builder::AddArray(Value& object, const char* key) {
    object.AddMember(rapidjson::StringRef(key), Value(rapidjson::kArrayType), Alloc());
    return object.MemberEnd()[-1].value;
}

void Builder::AddDoubles(Value& object, const char* key, const double* values, std::size_t count) {
    Value& array = AddArray(object, key);
    array.Reserve(static_cast<rapidjson::SizeType>(count), Alloc());
    for (std::size_t i = 0; i < count; ++i) array.PushBack(Value(values[i]), Alloc());
}

void Builder::PushDoubles(Value& array, const double* values, std::size_t count) {
    Value element(rapidjson::kArrayType);
    element.Reserve(static_cast<rapidjson::SizeType>(count), Alloc());
    for (std::size_t i = 0; i < count; ++i) element.PushBack(Value(values[i]), Alloc());
    array.PushBack(element, Alloc());
}

bool Builder::Render(rapidjson::StringBuffer& text) const {
    rapidjson::Writer<rapidjson::StringBuffer> writer(text);
    return m_document.Accept(writer);
}

HRESULT WriteOut(const Builder& builder, char* buffer, INT64 capacity, UINT32* written) {
    // The colour sheets' writers fail only with E_FAIL: a negative capacity
    // is smaller than any text, and a null length pointer cannot take the count.
    if (buffer == nullptr || capacity < 0 || written == nullptr) return E_FAIL;
    rapidjson::StringBuffer text;
    if (!builder.Render(text)) return E_FAIL;
    if (text.GetSize() > static_cast<uint64_t>(capacity)) return E_FAIL;
    return CopyOut(std::string_view(text.GetString(), text.GetSize()), buffer, static_cast<UINT32>(text.GetSize()),
                   written);
}

}  // namespace quon::json

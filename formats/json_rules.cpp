#include "formats/json_rules.h"

#include <algorithm>
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

// The allocator of every parse's pool chunks and stacks. It has no state, so
// one serves every thread and no parse allocates one of its own.
rapidjson::CrtAllocator g_heap;

// What RapidJSON's pool keeps at the start of each chunk: its capacity, the
// bytes used and the next chunk.
constexpr std::size_t kChunkHeader = 2 * sizeof(std::size_t) + sizeof(void*);
// RapidJSON's own chunk, which no chunk of a parse exceeds.
constexpr std::size_t kMaxChunk = 64 * 1024;

// The most pool that the values of text can take, strings aside, or limit
// when that is less. Every array element, member name and member value is a
// 16-byte value with a byte of its own before it: an element the '[' or ',',
// a name the '{' or ',', a value the ':' (the root is no element and not in
// the pool). The same bytes inside strings count as well, which only makes
// the bound larger.
std::size_t ValueBytes(std::string_view text, std::size_t limit) {
    std::size_t marks = 0;
    // Counted in blocks of 240 bytes, whose count fits a byte: the compiler
    // then compares and adds 16 bytes at a time. '[' and '{' differ in 0x20.
    for (std::size_t at = 0; at < text.size() && marks * sizeof(Value) < limit; at += 240) {
        const std::string_view block = text.substr(at, 240);
        unsigned char count = 0;
        for (const char c : block) count += (c == ',') | (c == ':') | ((c | 0x20) == '{');
        marks += count;
    }
    return std::min(marks * sizeof(Value), limit);
}

// The parse of a listened-to load: the same reader and flags as
// Document::Parse, with the document as the handler, and the offset in the
// text where each value ends (scalars) or starts (objects and arrays), in
// document order.
class PlaceRecorder {
public:
    using Ch = char;
    using Stream = rapidjson::EncodedInputStream<rapidjson::UTF8<>, rapidjson::MemoryStream>;

    PlaceRecorder(rapidjson::Document& document, const Stream& stream) : m_document(document), m_stream(stream) {}

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

    rapidjson::Document& m_document;
    const Stream& m_stream;
};

// Parses view into document as Document::Parse does, moves the result into
// root, and gives the listener the place of every value (by the value's
// address) or of the parse error.
void ParseListened(rapidjson::Document& document, Value& root, std::string_view view, ReadListener& listener) {
    rapidjson::MemoryStream memory(view.data(), view.size());
    PlaceRecorder::Stream stream(memory);
    PlaceRecorder recorder(document, stream);
    rapidjson::ParseResult result;
    auto generate = [&](rapidjson::Document&) {
        rapidjson::Reader reader(&g_heap);
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
    root = document.Move();
    // Values in document order are the recorded events in order.
    std::size_t next = 0;
    std::vector<const Value*> pending = {&root};
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

Document::Pool::Pool(std::size_t firstBytes, std::size_t laterBytes)
    : firstChunk(std::make_unique_for_overwrite<char[]>(firstBytes)),
      allocator(firstChunk.get(), firstBytes, laterBytes, &g_heap) {}

HRESULT Parse(Document& document, const char* text, UINT32 length) {
    if (text == nullptr && length != 0) return E_POINTER;
    // The document ends at the first NUL within length, where a
    // NUL-terminated copy of the text would end; the parse reads the caller's
    // bytes in place.
    const std::string_view view = TextViewUpToNul(text, length);
    Value& root = document;
    root.SetNull();
    // The first chunk holds every value of a text that needs less than
    // RapidJSON's own chunk. Later chunks, an eighth of the text up to that
    // size, take the rest of a larger text and the strings too long to sit
    // inside their value: one long name in a short text costs little.
    const std::size_t values = std::max(ValueBytes(view, kMaxChunk), sizeof(Value));  // a chunk is never empty
    document.m_pool = std::make_unique<Document::Pool>(kChunkHeader + values, std::min(view.size() / 8, kMaxChunk));
    // The parse stack holds the values of the containers still open. A
    // quarter of the first chunk takes a large array of small arrays or
    // objects, as a spectrum is, without growing; a larger need grows it.
    rapidjson::Document parsed(&document.m_pool->allocator, values / 4, &g_heap);
    if (ReadListener* listener = Listener()) [[unlikely]] {
        ParseListened(parsed, root, view, *listener);
        return S_OK;
    }
    parsed.Parse(view.data(), view.size());
    root = parsed.Move();
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

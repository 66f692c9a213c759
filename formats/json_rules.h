// The one RapidJSON set-up of the module and the rules that every JSON
// reader and writer shares (the colour compensation documents and the
// auto-calibration result). Every source that touches RapidJSON includes this
// header and no RapidJSON header directly.
//
// RapidJSON's internal checks (RAPIDJSON_ASSERT) throw std::runtime_error
// whose message is the text of the failed condition ("IsObject()",
// "IsString()", "false", "data_.f.flags & kIntFlag", ...); the readers rely
// on them to turn a malformed or mistyped document into an exception. The
// library marks some functions that contain such checks noexcept, where a
// throw would terminate the process, so noexcept is switched off for it.
#pragma once

#if defined(RAPIDJSON_RAPIDJSON_H_)
#error "formats/json_rules.h must come before any RapidJSON header"
#endif

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

#include "quon/platform_types.h"

namespace quon::json {
// Throws std::runtime_error(condition). Out of line so that the checks stay
// small and the compiler does not see a throw inside a noexcept function.
[[noreturn]] void AssertionFailed(const char* condition);
}  // namespace quon::json

#define RAPIDJSON_ASSERT(x) ((x) ? static_cast<void>(0) : ::quon::json::AssertionFailed(#x))
#define RAPIDJSON_HAS_CXX11_NOEXCEPT 0
// Every parse keeps its nesting on the heap instead of the call stack, so a
// document nested a million levels deep costs memory in proportion to its
// text and never overflows the stack. It accepts and refuses exactly the
// texts the recursive parse does.
#define RAPIDJSON_PARSE_DEFAULT_FLAGS kParseIterativeFlag

#include "rapidjson/document.h"
#include "rapidjson/stringbuffer.h"
#include "rapidjson/writer.h"

static_assert(!RAPIDJSON_HAS_CXX11_NOEXCEPT, "RapidJSON must not declare its checking functions noexcept");

namespace quon::json {

using Value = rapidjson::Value;
using Allocator = rapidjson::Document::AllocatorType;

// ---- Reading ------------------------------------------------------------

// A parsed document: its root value, and the pool that holds every value
// below the root, whose chunks Parse sizes to the text (RapidJSON's own pool
// starts with 64 KB whatever the text).
class Document : public Value {
private:
    friend HRESULT Parse(Document& document, const char* text, UINT32 length);

    struct Pool {
        Pool(std::size_t firstBytes, std::size_t laterBytes);
        std::unique_ptr<char[]> firstChunk;
        Allocator allocator;  // goes first: it marks its first chunk empty when it goes
    };
    std::unique_ptr<Pool> m_pool;
};

// Parses length bytes of text in place, up to the first NUL within them
// (where a NUL-terminated copy would end), with the default flags, replacing what
// document held. The parse result is not inspected: after a failed parse the
// root is null and the first lookup throws "IsObject()". A null text of
// length 0 reads as an empty text; a null text with a length is refused with
// E_POINTER. Else S_OK.
HRESULT Parse(Document& document, const char* text, UINT32 length);

// The member key of object when it exists and is not null (null counts as
// absent); nullptr otherwise. A non-object throws "IsObject()".
const Value* Present(const Value& object, const char* key);

// The member key of object when it exists at all; nullptr otherwise. A
// non-object throws "IsObject()".
const Value* Existing(const Value& object, const char* key);

// object[key]: a missing member throws "false", a non-object "IsObject()".
const Value& Member(const Value& object, const char* key);

// Tells a listener that the reader is at value, so that an exception that
// follows is placed there (the lookups above do it themselves).
void NotePlace(const Value& value);
// Where value stands in the text of a listened-to load; null otherwise.
const char* PlaceOf(const Value& value);

// Copies the string value (a non-string throws "IsString()") into a field
// of size bytes with its NUL; longer text is cut to size - 1 bytes.
void CopyText(const Value& value, char* field, std::size_t size);

template <std::size_t N>
void CopyText(const Value& value, char (&field)[N]) {
    CopyText(value, field, N);
}

// ---- Writing ------------------------------------------------------------

// A document to write: an empty object parsed from "{}", with the helpers
// that add members in call order.
class Builder {
public:
    Builder();

    Value& Root() { return m_document; }
    Allocator& Alloc() { return m_document.GetAllocator(); }

    // Adds a member to object. Keys are static texts unless copied.
    void AddText(Value& object, const char* key, const char* field, std::size_t size);
    template <std::size_t N>
    void AddText(Value& object, const char* key, const char (&field)[N]) {
        AddText(object, key, field, N);
    }
    void AddUint(Value& object, const char* key, UINT32 value);
    void AddInt(Value& object, const char* key, INT32 value);
    void AddInt64(Value& object, const char* key, INT64 value);
    void AddBool(Value& object, const char* key, bool value);
    void AddDouble(Value& object, const char* key, double value);
    // Adds an empty object or array member and returns it for filling.
    Value& AddObject(Value& object, const char* key);
    Value& AddObject(Value& object, const std::string& copiedKey);
    Value& AddArray(Value& object, const char* key);
    // Adds a member holding an array of count doubles.
    void AddDoubles(Value& object, const char* key, const double* values, std::size_t count);
    // Appends an array of count doubles to array (one spectrum point).
    void PushDoubles(Value& array, const double* values, std::size_t count);

    // Renders the document compactly into text. False when a value cannot be
    // written as JSON (NaN or an infinity).
    bool Render(rapidjson::StringBuffer& text) const;

private:
    rapidjson::Document m_document;
};

// The output contract of the JSON writers: a null buffer, a negative
// capacity, a null written, a text that cannot be rendered (NaN or infinity)
// or a text longer than capacity gives E_FAIL, and nothing is written. Otherwise the text's bytes are copied
// without a NUL, *written receives their count, and the result is S_OK.
HRESULT WriteOut(const Builder& builder, char* buffer, INT64 capacity, UINT32* written);

}  // namespace quon::json

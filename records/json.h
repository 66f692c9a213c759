// The JSON side of the record layer: RapidJSON set up for the host (its own
// namespace, so that it never meets the module's configuration in one
// program), the strict reader In that names the JSON path of every refusal,
// the builder Out, and the printer whose numbers read back bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// records.h first: its QuonCoreModel.h brings <windows.h>, whose GetObject
// macro (GetObjectA or GetObjectW) would rename RapidJSON's GetObject in the
// header or at the calls, depending on which comes first. The record layer
// uses no Windows GetObject.
#include "records.h"
#ifdef GetObject
#undef GetObject
#endif

#define RAPIDJSON_NAMESPACE quon_records_rapidjson
#define RAPIDJSON_NAMESPACE_BEGIN namespace quon_records_rapidjson {
#define RAPIDJSON_NAMESPACE_END }
#include <rapidjson/document.h>

namespace records {

namespace rj = quon_records_rapidjson;
using Value = rj::Value;
using Allocator = rj::Document::AllocatorType;

// Parses a whole document (numbers in full precision); a text that is not
// JSON is refused with the byte offset and the reason.
void Parse(std::string_view text, rj::Document& doc);

// The document as text: two-space indentation, containers that hold only
// scalars on one line. Integers as integers; doubles in their shortest form
// that reads back to the same bits ("-0.0" for negative zero; "NaN", "-NaN",
// "Infinity", "-Infinity" as strings).
std::string Print(const Value& value);

// A double as a JSON value (a number, or one of the four strings above).
Value DoubleValue(double v, Allocator& a);
// A finite double as Print writes it.
void AppendDouble(double v, std::string& out);
// Bytes as a string, each byte the character of the same code (U+0000 to U+00FF).
Value BytesAsText(std::string_view bytes, Allocator& a);
// Bytes as lower-case hexadecimal digits, two per byte in memory order.
Value BytesAsHex(const void* bytes, std::size_t size, Allocator& a);

// The record tables a ToJson walk collects, when asked to; with tablesOnly
// the walk leaves the tables' members of the document null (only the tables
// are wanted, and building their values would take most of the walk's time).
struct Capture {
    std::vector<Table> tables;
    bool tablesOnly = false;
};

// Builds one JSON object member by member, in the order written, for the
// walk over one object's getters (longestName: the object's bound, with
// which names are read).
class Out {
public:
    Out(Value& object, Allocator& allocator, std::string path, Capture* capture, std::size_t longestName)
        : m_object(object), m_a(allocator), m_path(std::move(path)), m_capture(capture), m_longestName(longestName) {}

    void Int(const char* name, int64_t v);
    void Uint(const char* name, uint64_t v);
    void Double(const char* name, double v);
    void Doubles(const char* name, const double* v, std::size_t n);
    void Ints(const char* name, const INT32* v, std::size_t n);
    void Uints(const char* name, const UINT32* v, std::size_t n);
    void Text(const char* name, std::string_view bytes);
    void Hex(const char* name, const void* bytes, std::size_t size);
    void Null(const char* name);
    // A member holding a nested object, filled by the returned builder.
    Out Object(const char* name);
    // A member holding an array of objects: one builder per element.
    std::vector<Out> Objects(const char* name, std::size_t count);
    // A builder for a value made by hand (to be added with Add), at the path
    // given relative to this object's (e.g. ".tables[2]").
    Out Nested(Value& object, const std::string& relativePath) const {
        return Out(object, m_a, m_path + relativePath, m_capture, m_longestName);
    }
    // A member holding a value built by hand (arrays of blocks and the like).
    void Add(const char* name, Value value);
    // A record, or an array of records (shape: the extents, outermost
    // first; the records lie row by row in `records`).
    void Record(const char* name, const RecordType& type, const void* record);
    void Records(const char* name, const RecordType& type, const void* records, std::vector<std::size_t> shape);
    // A table of numbers (double, INT32 or UINT32) as nested arrays of the
    // given shape.
    template <class T>
    void Numbers(const char* name, const T* values, std::vector<std::size_t> shape);

    Allocator& allocator() const { return m_a; }
    const std::string& path() const { return m_path; }
    std::size_t longestName() const { return m_longestName; }

private:
    Value& Member(const char* name);

    void Keep(const char* name, const RecordType* type, FieldKind kind, const void* data, std::size_t size,
              std::vector<std::size_t> shape);

    Value& m_object;
    Allocator& m_a;
    std::string m_path;
    Capture* m_capture;
    std::size_t m_longestName;
};

// Reads one JSON value strictly: every refusal is an Error "$.path: what".
class In {
public:
    static constexpr std::size_t kAnyLength = SIZE_MAX;

    In(const Value& value, std::string path) : m_v(&value), m_path(std::move(path)) {}

    [[noreturn]] void Fail(const std::string& what) const;
    const std::string& path() const { return m_path; }
    const Value& value() const { return *m_v; }

    // The value is an object with exactly these members (none missing, none
    // more).
    void Members(std::initializer_list<const char*> names) const;
    In Member(const char* name) const;
    // The value is an array (of `size` elements when size is given).
    std::size_t Size() const;
    void Size(std::size_t size) const;
    In At(std::size_t i) const;
    bool IsNull() const { return m_v->IsNull(); }

    int64_t Int(int64_t lo, int64_t hi) const;
    uint64_t Uint(uint64_t hi) const;
    INT32 I32() const;
    UINT32 U32() const;
    double Double() const;
    // A text of at most `capacity` bytes (without one: of any length), none
    // of them NUL.
    std::string Text(std::size_t capacity = kAnyLength) const;
    void Hex(void* bytes, std::size_t size) const;

    // The same for a member of this object.
    INT32 I32(const char* name) const { return Member(name).I32(); }
    UINT32 U32(const char* name) const { return Member(name).U32(); }
    double Double(const char* name) const { return Member(name).Double(); }
    std::string Text(const char* name, std::size_t capacity) const { return Member(name).Text(capacity); }
    void Doubles(const char* name, double* out, std::size_t n) const;
    void Ints(const char* name, INT32* out, std::size_t n) const;
    void Uints(const char* name, UINT32* out, std::size_t n) const;
    void Hex(const char* name, void* bytes, std::size_t size) const { Member(name).Hex(bytes, size); }
    void Record(const char* name, const RecordType& type, void* record) const;
    // Records of the given shape; Shape checks the nested arrays' sizes
    // first, so that a caller allocates only for a document that holds them.
    void Shape(const char* name, const std::vector<std::size_t>& shape) const;
    void Records(const char* name, const RecordType& type, void* records, std::vector<std::size_t> shape) const;

private:
    const Value* m_v;
    std::string m_path;
};

// The object's records as a document (ToJson without the printing).
void ToDocument(const ModelClass& cls, const Object& object, rj::Document& doc);

// A new object of the class set from a document, as Build from its text.
Object Build(const quon::Module& module, const ModelClass& cls, const Value& doc);

}  // namespace records

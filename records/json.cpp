#include "json.h"

#include <rapidjson/error/en.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#include "fields.h"

// <windows.h>, reached through the platform types, makes GetObject a macro
// for GetObjectA; RapidJSON's GetObject is the one meant here.
#ifdef GetObject
#undef GetObject
#endif

namespace records {

namespace {

const char* const kNaN = "NaN";
const char* const kMinusNaN = "-NaN";
const char* const kInfinity = "Infinity";
const char* const kMinusInfinity = "-Infinity";

void AppendString(const char* s, std::size_t n, std::string& out) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
}

bool IsScalar(const Value& v) { return !(v.IsObject() || v.IsArray()) || (v.IsObject() ? v.MemberCount() : v.Size()) == 0; }

bool OnlyScalars(const Value& v) {
    if (v.IsArray()) {
        for (const Value& e : v.GetArray()) {
            if (!IsScalar(e)) return false;
        }
    } else {
        for (const auto& m : v.GetObject()) {
            if (!IsScalar(m.value)) return false;
        }
    }
    return true;
}

std::string Compact(const Value& v);

void PrintTo(const Value& v, int indent, bool compact, std::string& out) {
    if (v.IsDouble()) {
        AppendDouble(v.GetDouble(), out);
    } else if (v.IsInt64()) {
        out += std::to_string(v.GetInt64());
    } else if (v.IsUint64()) {
        out += std::to_string(v.GetUint64());
    } else if (v.IsString()) {
        AppendString(v.GetString(), v.GetStringLength(), out);
    } else if (v.IsBool()) {
        out += v.GetBool() ? "true" : "false";
    } else if (v.IsNull()) {
        out += "null";
    } else {
        const bool object = v.IsObject();
        const std::size_t n = object ? v.MemberCount() : v.Size();
        const bool oneLine = compact || (indent > 0 && (OnlyScalars(v) || Compact(v).size() <= 100));
        out += object ? '{' : '[';
        const std::string inner = oneLine ? "" : "\n" + std::string(indent + 2, ' ');
        for (std::size_t i = 0; i < n; ++i) {
            out += i == 0 ? inner : "," + (oneLine ? std::string(" ") : inner);
            if (object) {
                const auto& m = *(v.MemberBegin() + i);
                AppendString(m.name.GetString(), m.name.GetStringLength(), out);
                out += ": ";
                PrintTo(m.value, indent + 2, compact, out);
            } else {
                PrintTo(v[static_cast<rj::SizeType>(i)], indent + 2, compact, out);
            }
        }
        if (!oneLine && n > 0) out += "\n" + std::string(indent, ' ');
        out += object ? '}' : ']';
    }
}

std::string Compact(const Value& v) {
    std::string out;
    PrintTo(v, 0, true, out);
    return out;
}

// The element of a field at p (one scalar or one nested record).
Value ElementValue(const Field& f, const unsigned char* p, Allocator& a);

Value RecordValue(const RecordType& type, const unsigned char* p, Allocator& a) {
    Value object(rj::kObjectType);
    for (const Field& f : type.fields) {
        const unsigned char* at = p + f.offset;
        Value v;
        if (f.kind == FieldKind::Text) {
            v = BytesAsText(std::string_view(reinterpret_cast<const char*>(at), strnlen(reinterpret_cast<const char*>(at), f.size)), a);
        } else if (f.kind == FieldKind::Bytes) {
            v = BytesAsHex(at, f.size, a);
        } else if (f.extents[0] == 0) {
            v = ElementValue(f, at, a);
        } else {
            v.SetArray();
            const std::size_t inner = f.extents[1] == 0 ? 1 : f.extents[1];
            for (std::size_t i = 0; i < f.extents[0]; ++i) {
                if (f.extents[1] == 0) {
                    v.PushBack(ElementValue(f, at + i * f.size, a), a);
                    continue;
                }
                Value row(rj::kArrayType);
                for (std::size_t j = 0; j < inner; ++j) row.PushBack(ElementValue(f, at + (i * inner + j) * f.size, a), a);
                v.PushBack(row, a);
            }
        }
        object.AddMember(rj::StringRef(f.name), v, a);
    }
    return object;
}

// A field's bytes as the value they hold, and back (the bytes of a record
// need not be aligned for the value).
template <class T>
T Loaded(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void Store(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

Value ElementValue(const Field& f, const unsigned char* p, Allocator& a) {
    switch (f.kind) {
        case FieldKind::Int32: return Value(Loaded<INT32>(p));
        case FieldKind::Uint32: return Value(Loaded<UINT32>(p));
        case FieldKind::Int64: return Value(Loaded<int64_t>(p));
        case FieldKind::Uint64: return Value(Loaded<uint64_t>(p));
        case FieldKind::Double: return DoubleValue(Loaded<double>(p), a);
        default:
            return RecordValue(*f.record, p, a);
    }
}

void ReadElement(const Field& f, const In& in, unsigned char* p);

void ReadRecord(const RecordType& type, const In& in, unsigned char* p) {
    if (!in.value().IsObject()) in.Fail("expected an object");
    for (const Field& f : type.fields) {
        const In field = in.Member(f.name);
        unsigned char* at = p + f.offset;
        if (f.kind == FieldKind::Text) {
            const std::string text = field.Text(f.size);
            std::memcpy(at, text.data(), text.size());
        } else if (f.kind == FieldKind::Bytes) {
            field.Hex(at, f.size);
        } else if (f.extents[0] == 0) {
            ReadElement(f, field, at);
        } else {
            field.Size(f.extents[0]);
            for (std::size_t i = 0; i < f.extents[0]; ++i) {
                if (f.extents[1] == 0) {
                    ReadElement(f, field.At(i), at + i * f.size);
                    continue;
                }
                const In row = field.At(i);
                row.Size(f.extents[1]);
                for (std::size_t j = 0; j < f.extents[1]; ++j) {
                    ReadElement(f, row.At(j), at + (i * f.extents[1] + j) * f.size);
                }
            }
        }
    }
    if (in.value().MemberCount() != type.fields.size()) {
        for (const auto& m : in.value().GetObject()) {
            const std::string name(m.name.GetString(), m.name.GetStringLength());
            bool known = false;
            for (const Field& f : type.fields) known = known || name == f.name;
            if (!known) In(m.value, in.path() + "." + name).Fail("unexpected member");
        }
        in.Fail("duplicate members");
    }
}

void ReadElement(const Field& f, const In& in, unsigned char* p) {
    switch (f.kind) {
        case FieldKind::Int32: return Store(p, in.I32());
        case FieldKind::Uint32: return Store(p, in.U32());
        case FieldKind::Int64:
            return Store(p, in.Int(std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()));
        case FieldKind::Uint64: return Store(p, in.Uint(std::numeric_limits<uint64_t>::max()));
        case FieldKind::Double: return Store(p, in.Double());
        default:
            ReadRecord(*f.record, in, p);
    }
}

// Records laid row by row under nested arrays of the given shape.
Value TableValue(const RecordType& type, const unsigned char* p, const std::size_t* shape, std::size_t rank,
                 Allocator& a) {
    if (rank == 0) return RecordValue(type, p, a);
    std::size_t stride = type.size;
    for (std::size_t d = 1; d < rank; ++d) stride *= shape[d];
    Value array(rj::kArrayType);
    for (std::size_t i = 0; i < shape[0]; ++i) array.PushBack(TableValue(type, p + i * stride, shape + 1, rank - 1, a), a);
    return array;
}

void ReadTable(const RecordType& type, const In& in, unsigned char* p, const std::size_t* shape, std::size_t rank) {
    if (rank == 0) {
        ReadRecord(type, in, p);
        return;
    }
    std::size_t stride = type.size;
    for (std::size_t d = 1; d < rank; ++d) stride *= shape[d];
    in.Size(shape[0]);
    for (std::size_t i = 0; i < shape[0]; ++i) ReadTable(type, in.At(i), p + i * stride, shape + 1, rank - 1);
}

// Numbers laid row by row under nested arrays of the given shape.
template <class T>
Value NumbersValue(const T* v, const std::size_t* shape, std::size_t rank, Allocator& a) {
    if (rank == 0) {
        if constexpr (std::is_same_v<T, double>) return DoubleValue(*v, a);
        else return Value(*v);
    }
    std::size_t stride = 1;
    for (std::size_t d = 1; d < rank; ++d) stride *= shape[d];
    Value array(rj::kArrayType);
    for (std::size_t i = 0; i < shape[0]; ++i) array.PushBack(NumbersValue(v + i * stride, shape + 1, rank - 1, a), a);
    return array;
}

void CheckShape(const In& in, const std::size_t* shape, std::size_t rank) {
    if (rank == 0) return;
    in.Size(shape[0]);
    for (std::size_t i = 0; i < shape[0]; ++i) CheckShape(in.At(i), shape + 1, rank - 1);
}

std::size_t Count(const std::vector<std::size_t>& shape) {
    std::size_t n = 1;
    for (std::size_t s : shape) n *= s;
    return n;
}

bool SameScalar(const Value& a, const Value& b) {
    if (a.IsNumber() && b.IsNumber()) {
        if (!a.IsDouble() && !b.IsDouble()) return a == b;
        const double x = a.GetDouble(), y = b.GetDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    return a == b;
}

void DiffValues(const Value& a, const Value& b, const std::string& path, std::vector<Difference>& out) {
    if (a.IsObject() && b.IsObject()) {
        for (const auto& m : a.GetObject()) {
            const std::string name(m.name.GetString(), m.name.GetStringLength());
            const auto other = b.FindMember(m.name);
            if (other == b.MemberEnd()) {
                out.push_back({path + "." + name, Compact(m.value), "(absent)"});
            } else {
                DiffValues(m.value, other->value, path + "." + name, out);
            }
        }
        for (const auto& m : b.GetObject()) {
            if (!a.HasMember(m.name)) {
                out.push_back({path + "." + std::string(m.name.GetString(), m.name.GetStringLength()), "(absent)",
                               Compact(m.value)});
            }
        }
    } else if (a.IsArray() && b.IsArray()) {
        const rj::SizeType n = std::max(a.Size(), b.Size());
        for (rj::SizeType i = 0; i < n; ++i) {
            const std::string at = path + "[" + std::to_string(i) + "]";
            if (i >= a.Size()) {
                out.push_back({at, "(absent)", Compact(b[i])});
            } else if (i >= b.Size()) {
                out.push_back({at, Compact(a[i]), "(absent)"});
            } else {
                DiffValues(a[i], b[i], at, out);
            }
        }
    } else if (!SameScalar(a, b)) {
        out.push_back({path, Compact(a), Compact(b)});
    }
}

}  // namespace

void AppendDouble(double v, std::string& out) {
    if (v == 0 && std::signbit(v)) {
        out += "-0.0";  // "-0" would read back as the integer 0
        return;
    }
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    out.append(text, end);
}

// Iterative parsing: a document nested however deep costs no stack.
void Parse(std::string_view text, rj::Document& doc) {
    doc.Parse<rj::kParseFullPrecisionFlag | rj::kParseIterativeFlag>(text.data(), text.size());
    if (doc.HasParseError()) {
        throw Error("$: not a JSON document: " + std::string(rj::GetParseError_En(doc.GetParseError())) + " (at byte " +
                    std::to_string(doc.GetErrorOffset()) + ")");
    }
}

std::string Print(const Value& value) {
    std::string out;
    PrintTo(value, 0, false, out);
    out += '\n';
    return out;
}

Value DoubleValue(double v, Allocator&) {
    if (std::isnan(v)) return Value(rj::StringRef(std::signbit(v) ? kMinusNaN : kNaN));
    if (std::isinf(v)) return Value(rj::StringRef(v < 0 ? kMinusInfinity : kInfinity));
    return Value(v);
}

Value BytesAsText(std::string_view bytes, Allocator& a) {
    std::string utf8;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (b >> 6));
            utf8 += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return Value(utf8.data(), static_cast<rj::SizeType>(utf8.size()), a);
}

Value BytesAsHex(const void* bytes, std::size_t size, Allocator& a) {
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < size; ++i) {
        const auto b = static_cast<const unsigned char*>(bytes)[i];
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return Value(hex.data(), static_cast<rj::SizeType>(hex.size()), a);
}

// ---- Out

Value& Out::Member(const char* name) {
    m_object.AddMember(Value(name, m_a), Value(), m_a);
    return (m_object.MemberEnd() - 1)->value;
}

void Out::Int(const char* name, int64_t v) { Member(name).SetInt64(v); }
void Out::Uint(const char* name, uint64_t v) { Member(name).SetUint64(v); }
void Out::Double(const char* name, double v) { Member(name) = DoubleValue(v, m_a); }
void Out::Text(const char* name, std::string_view bytes) { Member(name) = BytesAsText(bytes, m_a); }
void Out::Hex(const char* name, const void* bytes, std::size_t size) { Member(name) = BytesAsHex(bytes, size, m_a); }
void Out::Null(const char* name) { Member(name).SetNull(); }
void Out::Add(const char* name, Value value) { Member(name) = value; }

void Out::Doubles(const char* name, const double* v, std::size_t n) {
    Value& array = Member(name).SetArray();
    for (std::size_t i = 0; i < n; ++i) array.PushBack(DoubleValue(v[i], m_a), m_a);
}

void Out::Ints(const char* name, const INT32* v, std::size_t n) {
    Value& array = Member(name).SetArray();
    for (std::size_t i = 0; i < n; ++i) array.PushBack(Value(v[i]), m_a);
}

void Out::Uints(const char* name, const UINT32* v, std::size_t n) {
    Value& array = Member(name).SetArray();
    for (std::size_t i = 0; i < n; ++i) array.PushBack(Value(v[i]), m_a);
}

Out Out::Object(const char* name) {
    Value& object = Member(name).SetObject();
    return Out(object, m_a, m_path + "." + name, m_capture, m_longestName);
}

std::vector<Out> Out::Objects(const char* name, std::size_t count) {
    Value& array = Member(name).SetArray();
    for (std::size_t i = 0; i < count; ++i) array.PushBack(Value(rj::kObjectType), m_a);
    std::vector<Out> outs;
    for (std::size_t i = 0; i < count; ++i) {
        outs.emplace_back(array[static_cast<rj::SizeType>(i)], m_a,
                          m_path + "." + name + "[" + std::to_string(i) + "]", m_capture, m_longestName);
    }
    return outs;
}

void Out::Record(const char* name, const RecordType& type, const void* record) {
    Member(name) = RecordValue(type, static_cast<const unsigned char*>(record), m_a);
}

void Out::Keep(const char* name, const RecordType* type, FieldKind kind, const void* data, std::size_t size,
               std::vector<std::size_t> shape) {
    if (m_capture == nullptr) return;
    const auto* p = static_cast<const unsigned char*>(data);
    const std::size_t bytes = Count(shape) * size;
    m_capture->tables.push_back(
        Table{m_path + "." + name, type, kind, std::move(shape), std::vector<unsigned char>(p, p + bytes)});
}

void Out::Records(const char* name, const RecordType& type, const void* records, std::vector<std::size_t> shape) {
    Value& member = Member(name);
    if (m_capture == nullptr || !m_capture->tablesOnly) {
        member = TableValue(type, static_cast<const unsigned char*>(records), shape.data(), shape.size(), m_a);
    }
    Keep(name, &type, FieldKind::Record, records, type.size, std::move(shape));
}

template <class T>
void Out::Numbers(const char* name, const T* values, std::vector<std::size_t> shape) {
    Value& member = Member(name);
    if (m_capture == nullptr || !m_capture->tablesOnly) member = NumbersValue(values, shape.data(), shape.size(), m_a);
    Keep(name, nullptr, detail::ScalarKind<T>(), values, sizeof(T), std::move(shape));
}

template void Out::Numbers(const char*, const double*, std::vector<std::size_t>);
template void Out::Numbers(const char*, const INT32*, std::vector<std::size_t>);
template void Out::Numbers(const char*, const UINT32*, std::vector<std::size_t>);

// ---- In

void In::Fail(const std::string& what) const { throw Error(m_path + ": " + what); }

void In::Members(std::initializer_list<const char*> names) const {
    if (!m_v->IsObject()) Fail("expected an object");
    for (const char* name : names) Member(name);
    for (const auto& m : m_v->GetObject()) {
        const std::string name(m.name.GetString(), m.name.GetStringLength());
        bool known = false;
        for (const char* n : names) known = known || name == n;
        if (!known) In(m.value, m_path + "." + name).Fail("unexpected member");
    }
    if (m_v->MemberCount() != names.size()) Fail("duplicate members");
}

In In::Member(const char* name) const {
    if (!m_v->IsObject()) Fail("expected an object");
    const auto it = m_v->FindMember(name);
    if (it == m_v->MemberEnd()) throw Error(m_path + "." + name + ": missing");
    return In(it->value, m_path + "." + name);
}

std::size_t In::Size() const {
    if (!m_v->IsArray()) Fail("expected an array");
    return m_v->Size();
}

void In::Size(std::size_t size) const {
    if (!m_v->IsArray() || m_v->Size() != size) {
        Fail("expected an array of " + std::to_string(size) + (size == 1 ? " element" : " elements"));
    }
}

In In::At(std::size_t i) const { return In((*m_v)[static_cast<rj::SizeType>(i)], m_path + "[" + std::to_string(i) + "]"); }

int64_t In::Int(int64_t lo, int64_t hi) const {
    if (!m_v->IsInt64() || m_v->GetInt64() < lo || m_v->GetInt64() > hi) {
        Fail("expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
    }
    return m_v->GetInt64();
}

uint64_t In::Uint(uint64_t hi) const {
    if (!m_v->IsUint64() || m_v->GetUint64() > hi) Fail("expected an integer from 0 to " + std::to_string(hi));
    return m_v->GetUint64();
}

INT32 In::I32() const {
    return static_cast<INT32>(Int(std::numeric_limits<INT32>::min(), std::numeric_limits<INT32>::max()));
}

UINT32 In::U32() const { return static_cast<UINT32>(Uint(std::numeric_limits<UINT32>::max())); }

double In::Double() const {
    if (m_v->IsNumber()) return m_v->GetDouble();
    if (m_v->IsString()) {
        const std::string_view s(m_v->GetString(), m_v->GetStringLength());
        if (s == kNaN) return std::numeric_limits<double>::quiet_NaN();
        if (s == kMinusNaN) return -std::numeric_limits<double>::quiet_NaN();
        if (s == kInfinity) return std::numeric_limits<double>::infinity();
        if (s == kMinusInfinity) return -std::numeric_limits<double>::infinity();
    }
    Fail("expected a number");
}

std::string In::Text(std::size_t capacity) const {
    const std::string expected = "expected a string of " +
                                 (capacity == kAnyLength ? "" : "at most " + std::to_string(capacity) + " ") +
                                 "characters from U+0001 to U+00FF";
    if (!m_v->IsString()) Fail(expected);
    const auto* s = reinterpret_cast<const unsigned char*>(m_v->GetString());
    const std::size_t n = m_v->GetStringLength();
    std::string bytes;
    for (std::size_t i = 0; i < n; ++i) {
        if (s[i] >= 0x01 && s[i] < 0x80) {
            bytes += static_cast<char>(s[i]);
        } else if ((s[i] == 0xC2 || s[i] == 0xC3) && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
            bytes += static_cast<char>(((s[i] & 0x03) << 6) | (s[i + 1] & 0x3F));
            ++i;
        } else {
            Fail(expected);
        }
    }
    if (bytes.size() > capacity) Fail(expected);
    return bytes;
}

void In::Hex(void* bytes, std::size_t size) const {
    const auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    const std::string expected = "expected a string of " + std::to_string(2 * size) + " hexadecimal digits";
    if (!m_v->IsString() || m_v->GetStringLength() != 2 * size) Fail(expected);
    const char* s = m_v->GetString();
    for (std::size_t i = 0; i < size; ++i) {
        const int hi = digit(s[2 * i]), lo = digit(s[2 * i + 1]);
        if (hi < 0 || lo < 0) Fail(expected);
        static_cast<unsigned char*>(bytes)[i] = static_cast<unsigned char>(hi * 16 + lo);
    }
}

void In::Doubles(const char* name, double* out, std::size_t n) const {
    const In array = Member(name);
    array.Size(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = array.At(i).Double();
}

void In::Ints(const char* name, INT32* out, std::size_t n) const {
    const In array = Member(name);
    array.Size(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = array.At(i).I32();
}

void In::Uints(const char* name, UINT32* out, std::size_t n) const {
    const In array = Member(name);
    array.Size(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = array.At(i).U32();
}

void In::Record(const char* name, const RecordType& type, void* record) const {
    std::memset(record, 0, type.size);
    ReadRecord(type, Member(name), static_cast<unsigned char*>(record));
}

void In::Shape(const char* name, const std::vector<std::size_t>& shape) const {
    CheckShape(Member(name), shape.data(), shape.size());
}

void In::Records(const char* name, const RecordType& type, void* records, std::vector<std::size_t> shape) const {
    // An empty table may have no storage at all (records null).
    const std::size_t bytes = Count(shape) * type.size;
    if (bytes != 0) std::memset(records, 0, bytes);
    ReadTable(type, Member(name), static_cast<unsigned char*>(records), shape.data(), shape.size());
}

std::vector<Difference> Diff(std::string_view a, std::string_view b) {
    rj::Document da, db;
    Parse(a, da);
    Parse(b, db);
    std::vector<Difference> out;
    DiffValues(da, db, "$", out);
    return out;
}

}  // namespace records

// Records described field by field: each record type of the interfaces gets
// one list of its fields (name, offset, kind, extents), from which the layer
// writes and reads its JSON object and describes its bytes for array views.
//
//   template <> const RecordType& TypeOf<LookUpEntry>() {
//       static const RecordType type = Describe<LookUpEntry>("LookUpEntry")
//           ("value0", &LookUpEntry::value0)("value1", &LookUpEntry::value1)...;
//       return type;
//   }
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "QuonCoreModel.h"
#include "json.h"
#include "records.h"

namespace records {

// The record type of R; defined once per record type.
template <class R>
const RecordType& TypeOf();

namespace detail {

template <class T>
constexpr FieldKind ScalarKind() {
    if constexpr (std::is_same_v<T, INT32>) return FieldKind::Int32;
    else if constexpr (std::is_same_v<T, UINT32>) return FieldKind::Uint32;
    else if constexpr (std::is_same_v<T, INT64>) return FieldKind::Int64;
    else if constexpr (std::is_same_v<T, UINT64>) return FieldKind::Uint64;
    else if constexpr (std::is_same_v<T, double>) return FieldKind::Double;
    else return FieldKind::Record;
}

// A member of type T: scalar, record, char[N] (text), BYTE[N] (block), or an
// array of one or two extents of scalars or records.
template <class T>
Field Make(const char* name, std::size_t offset) {
    Field f{name, offset, FieldKind::Record, sizeof(T), {0, 0}, nullptr};
    using E = std::remove_all_extents_t<T>;
    if constexpr (std::is_array_v<T> && (std::is_same_v<E, char> || std::is_same_v<E, BYTE>) && std::rank_v<T> == 1) {
        f.kind = std::is_same_v<E, char> ? FieldKind::Text : FieldKind::Bytes;
    } else {
        if constexpr (std::rank_v<T> >= 1) f.extents[0] = std::extent_v<T, 0>;
        if constexpr (std::rank_v<T> >= 2) f.extents[1] = std::extent_v<T, 1>;
        static_assert(std::rank_v<T> <= 2);
        f.kind = ScalarKind<E>();
        f.size = sizeof(E);
        if constexpr (ScalarKind<E>() == FieldKind::Record) f.record = &TypeOf<E>();
    }
    return f;
}

}  // namespace detail

// Collects the fields of record R in order; converts to its RecordType.
template <class R>
class Describe {
public:
    explicit Describe(const char* name) : m_type{name, sizeof(R), {}} {}
    template <class T>
    Describe& operator()(const char* name, T R::*member) {
        static const R probe{};
        const auto offset = static_cast<std::size_t>(reinterpret_cast<const char*>(&(probe.*member)) -
                                                     reinterpret_cast<const char*>(&probe));
        m_type.fields.push_back(detail::Make<T>(name, offset));
        return *this;
    }
    operator RecordType() const { return m_type; }

private:
    RecordType m_type;
};

}  // namespace records

namespace records {

// A table of records R: written from, and read into, a vector laid row by
// row in the given shape (a read checks the shape before it allocates).
template <class R>
void WriteRecords(Out& out, const char* name, const std::vector<R>& records, std::vector<std::size_t> shape) {
    out.Records(name, TypeOf<R>(), records.data(), std::move(shape));
}

template <class R>
std::vector<R> ReadRecords(const In& in, const char* name, std::vector<std::size_t> shape) {
    in.Shape(name, shape);
    std::size_t count = 1;
    for (std::size_t s : shape) count *= s;
    std::vector<R> records(count);
    in.Records(name, TypeOf<R>(), records.data(), std::move(shape));
    return records;
}

template <class R>
void WriteRecord(Out& out, const char* name, const R& record) {
    out.Record(name, TypeOf<R>(), &record);
}

template <class R>
R ReadRecord(const In& in, const char* name) {
    R record{};
    in.Record(name, TypeOf<R>(), &record);
    return record;
}

}  // namespace records

#include "values.h"

#include <pybind11/numpy.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace quonpy {

namespace {

namespace rj = records::rj;
using records::Allocator;
using records::FieldKind;
using records::RecordType;
using records::Value;

// ---- document to Python

py::object DoubleObject(double v) {
    std::string text;
    records::AppendDouble(v, text);
    if (text.find_first_of(".e") != std::string::npos) return py::float_(v);
    PyObject* whole = PyLong_FromString(text.c_str(), nullptr, 10);
    if (whole == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(whole);
}

// ---- Python to document

// Where a value sits in the document; its text is made only for a refusal.
struct Path {
    const Path* up;
    std::string_view member;  // a member's name, or
    Py_ssize_t index;         // an element's index (member empty and element true)
    bool element;
};

std::string PathText(const Path* at) {
    if (at == nullptr) return "$";
    return PathText(at->up) + (at->element ? "[" + std::to_string(at->index) + "]" : "." + std::string(at->member));
}

std::string TypeName(py::handle value) { return Py_TYPE(value.ptr())->tp_name; }

// How the bytes of one element of a NumPy array read: a number, a flag,
// bytes (S: a text up to its first NUL; V: a block), or a record of named
// members; a member may be an array of extents.
struct Member;
struct Layout {
    char kind = 0;  // 'f', 'i', 'u', 'b', 'S', 'V' or 'R' (record)
    std::size_t size = 0;
    std::vector<std::size_t> extents;
    std::vector<Member> members;
};
struct Member {
    std::string name;
    std::size_t offset;
    Layout layout;
};

// False for a dtype whose elements convert only through Python objects.
bool Describe(py::handle dtype, Layout& layout, int depth) {
    if (depth > kMaxDepth) return false;
    const py::object sub = dtype.attr("subdtype");
    if (!sub.is_none()) {
        const py::tuple baseAndShape = sub;
        if (!Describe(baseAndShape[0], layout, depth + 1)) return false;
        for (const py::handle e : baseAndShape[1]) layout.extents.push_back(e.cast<std::size_t>());
        return true;
    }
    layout.size = dtype.attr("itemsize").cast<std::size_t>();
    const py::object names = dtype.attr("names");
    if (!names.is_none()) {
        layout.kind = 'R';
        const py::dict fields = dtype.attr("fields");
        for (const py::handle name : names) {
            const py::tuple field = fields[name];
            Member m{name.cast<std::string>(), field[1].cast<std::size_t>(), {}};
            if (!Describe(field[0], m.layout, depth + 1)) return false;
            layout.members.push_back(std::move(m));
        }
        return true;
    }
    layout.kind = dtype.attr("kind").cast<std::string>()[0];
    switch (layout.kind) {
        case 'f': return layout.size == 4 || layout.size == 8;
        case 'i':
        case 'u': return layout.size == 1 || layout.size == 2 || layout.size == 4 || layout.size == 8;
        case 'b':
        case 'S':
        case 'V': return true;
        default: return false;
    }
}

template <class T>
T Load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// A signed or unsigned integer of 1, 2, 4 or 8 bytes.
template <class I8, class I16, class I32, class I64>
Value Whole(std::size_t size, const unsigned char* p) {
    switch (size) {
        case 1: return Value(I64(Load<I8>(p)));
        case 2: return Value(I64(Load<I16>(p)));
        case 4: return Value(I64(Load<I32>(p)));
        default: return Value(Load<I64>(p));
    }
}

class Converter {
public:
    explicit Converter(Allocator& a) : m_a(a) {}

    Value Convert(py::handle value, const Path* at, int depth) {
        if (depth > kMaxDepth) {
            throw py::value_error(PathText(at) + ": nested more than " + std::to_string(kMaxDepth) + " levels deep");
        }
        PyObject* o = value.ptr();
        if (o == Py_None) return Value();
        if (PyBool_Check(o)) return Value(o == Py_True);
        if (PyLong_Check(o)) return Integer(o);
        if (PyFloat_Check(o)) return Value(PyFloat_AS_DOUBLE(o));
        if (PyUnicode_Check(o)) {
            Py_ssize_t n = 0;
            const char* s = PyUnicode_AsUTF8AndSize(o, &n);
            if (s == nullptr) throw py::error_already_set();
            return Value(s, static_cast<rj::SizeType>(n), m_a);
        }
        if (PyDict_Check(o)) return Object(o, at, depth);
        if (PyList_Check(o) || PyTuple_Check(o)) return Sequence(o, at, depth);
        if (py::isinstance<py::array>(value)) return Array(py::reinterpret_borrow<py::array>(value), at, depth);
        if (py::isinstance(value, NumpyScalar())) return Convert(value.attr("item")(), at, depth + 1);
        throw py::type_error(PathText(at) + ": a value of type " + TypeName(value) + " has no place in a document");
    }

private:
    static py::handle NumpyScalar() {
        static const py::handle generic = py::object(py::module_::import("numpy").attr("generic")).release();
        return generic;
    }

    // An int beyond 64 bits becomes a double, as a JSON reader takes it.
    Value Integer(PyObject* o) {
        int overflow = 0;
        const long long v = PyLong_AsLongLongAndOverflow(o, &overflow);
        if (overflow == 0) {
            if (v == -1 && PyErr_Occurred()) throw py::error_already_set();
            return Value(static_cast<int64_t>(v));
        }
        if (overflow > 0) {
            const unsigned long long u = PyLong_AsUnsignedLongLong(o);
            if (!(u == static_cast<unsigned long long>(-1) && PyErr_Occurred())) return Value(static_cast<uint64_t>(u));
            PyErr_Clear();
        }
        const double d = PyLong_AsDouble(o);
        if (d == -1.0 && PyErr_Occurred()) {
            PyErr_Clear();
            return Value(overflow > 0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity());
        }
        return Value(d);
    }

    // The dict's items are taken first: converting a value may run Python code.
    Value Object(PyObject* o, const Path* at, int depth) {
        const py::list items = py::reinterpret_steal<py::list>(PyDict_Items(o));
        if (!items) throw py::error_already_set();
        Value object(rj::kObjectType);
        for (const py::handle item : items) {
            const py::handle key = PyTuple_GET_ITEM(item.ptr(), 0);
            if (!PyUnicode_Check(key.ptr())) {
                throw py::type_error(PathText(at) + ": a member name must be a str, not " + TypeName(key));
            }
            Py_ssize_t n = 0;
            const char* name = PyUnicode_AsUTF8AndSize(key.ptr(), &n);
            if (name == nullptr) throw py::error_already_set();
            const Path here{at, std::string_view(name, static_cast<std::size_t>(n)), 0, false};
            Value member = Convert(PyTuple_GET_ITEM(item.ptr(), 1), &here, depth + 1);
            object.AddMember(Value(name, static_cast<rj::SizeType>(n), m_a), member, m_a);
        }
        return object;
    }

    // Each element is held while it converts; the list's length is read
    // again at every step, as converting may run Python code.
    Value Sequence(PyObject* o, const Path* at, int depth) {
        const bool list = PyList_Check(o);
        Value array(rj::kArrayType);
        for (Py_ssize_t i = 0; i < (list ? PyList_GET_SIZE(o) : PyTuple_GET_SIZE(o)); ++i) {
            const py::object element = py::reinterpret_borrow<py::object>(list ? PyList_GET_ITEM(o, i) : PyTuple_GET_ITEM(o, i));
            const Path here{at, {}, i, true};
            array.PushBack(Convert(element, &here, depth + 1), m_a);
        }
        return array;
    }

    // A NumPy array of numbers, flags, bytes or records converts from its
    // bytes; of anything else through its elements as Python objects.
    Value Array(py::array array, const Path* at, int depth) {
        if (!array.dtype().attr("isnative").cast<bool>()) {
            array = array.attr("astype")(array.dtype().attr("newbyteorder")("="));
        }
        array = py::array::ensure(array, py::array::c_style);
        if (!array) throw py::error_already_set();
        Layout layout;
        if (!Describe(array.dtype(), layout, depth)) return Convert(array.attr("tolist")(), at, depth + 1);
        const std::vector<std::size_t> shape(array.shape(), array.shape() + array.ndim());
        return Nested(layout, static_cast<const unsigned char*>(array.data()), shape, 0);
    }

    // Elements of `size` bytes under nested arrays of the shape from dim on.
    Value Nested(const Layout& layout, const unsigned char* p, const std::vector<std::size_t>& shape, std::size_t dim) {
        if (dim == shape.size()) return Element(layout, p);
        std::size_t stride = layout.size;
        for (std::size_t d = dim + 1; d < shape.size(); ++d) stride *= shape[d];
        Value array(rj::kArrayType);
        array.Reserve(static_cast<rj::SizeType>(shape[dim]), m_a);
        for (std::size_t i = 0; i < shape[dim]; ++i) array.PushBack(Nested(layout, p + i * stride, shape, dim + 1), m_a);
        return array;
    }

    Value Element(const Layout& layout, const unsigned char* p) {
        switch (layout.kind) {
            case 'f': return Value(layout.size == 4 ? double(Load<float>(p)) : Load<double>(p));
            case 'i': return Whole<int8_t, int16_t, int32_t, int64_t>(layout.size, p);
            case 'u': return Whole<uint8_t, uint16_t, uint32_t, uint64_t>(layout.size, p);
            case 'b': return Value(*p != 0);
            case 'S':
                return records::BytesAsText(
                    std::string_view(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), layout.size)),
                    m_a);
            case 'V': return records::BytesAsHex(p, layout.size, m_a);
            default: {
                Value object(rj::kObjectType);
                for (const Member& m : layout.members) {
                    Value member = m.layout.extents.empty() ? Element(m.layout, p + m.offset)
                                                            : Nested(m.layout, p + m.offset, m.layout.extents, 0);
                    object.AddMember(Value(m.name.data(), static_cast<rj::SizeType>(m.name.size()), m_a), member, m_a);
                }
                return object;
            }
        }
    }

    Allocator& m_a;
};

// ---- tables to NumPy

py::object NumberDtype(FieldKind kind) {
    switch (kind) {
        case FieldKind::Int32: return py::dtype("i4");
        case FieldKind::Uint32: return py::dtype("u4");
        case FieldKind::Int64: return py::dtype("i8");
        case FieldKind::Uint64: return py::dtype("u8");
        default: return py::dtype("f8");
    }
}

py::object RecordDtype(const RecordType& type);

py::object FieldFormat(const records::Field& f) {
    if (f.kind == FieldKind::Text) return py::str("S" + std::to_string(f.size));
    if (f.kind == FieldKind::Bytes) return py::str("V" + std::to_string(f.size));
    py::object base = f.kind == FieldKind::Record ? RecordDtype(*f.record) : NumberDtype(f.kind);
    if (f.extents[0] == 0) return base;
    if (f.extents[1] == 0) return py::make_tuple(base, py::make_tuple(f.extents[0]));
    return py::make_tuple(base, py::make_tuple(f.extents[0], f.extents[1]));
}

// A record's dtype: its fields' names, formats and offsets, and its size.
// Made once per record type and kept for the process (never released, so
// that nothing is left to release after the interpreter ends).
py::object RecordDtype(const RecordType& type) {
    static auto* made = new std::map<const RecordType*, py::object>();
    const auto found = made->find(&type);
    if (found != made->end()) return found->second;
    py::list names, formats, offsets;
    for (const records::Field& f : type.fields) {
        names.append(f.name);
        formats.append(FieldFormat(f));
        offsets.append(f.offset);
    }
    py::dict layout;
    layout["names"] = names;
    layout["formats"] = formats;
    layout["offsets"] = offsets;
    layout["itemsize"] = type.size;
    py::object dtype = py::dtype::from_args(layout);
    made->emplace(&type, dtype);
    return dtype;
}

}  // namespace

py::object ToPython(const Value& v) {
    if (v.IsObject()) {
        py::dict object;
        for (const auto& m : v.GetObject()) object[py::str(m.name.GetString(), m.name.GetStringLength())] = ToPython(m.value);
        return object;
    }
    if (v.IsArray()) {
        py::list array(v.Size());
        for (rj::SizeType i = 0; i < v.Size(); ++i) PyList_SET_ITEM(array.ptr(), i, ToPython(v[i]).release().ptr());
        return array;
    }
    if (v.IsString()) return py::str(v.GetString(), v.GetStringLength());
    if (v.IsDouble()) return DoubleObject(v.GetDouble());
    if (v.IsInt64()) return py::int_(v.GetInt64());
    if (v.IsUint64()) return py::int_(v.GetUint64());
    if (v.IsBool()) return py::bool_(v.GetBool());
    return py::none();
}

Value FromPython(py::handle value, Allocator& allocator) { return Converter(allocator).Convert(value, nullptr, 0); }

py::dict Arrays(std::vector<records::Table> tables) {
    py::dict arrays;
    for (records::Table& t : tables) {
        const py::dtype dtype = py::reinterpret_borrow<py::dtype>(t.type != nullptr ? RecordDtype(*t.type) : NumberDtype(t.kind));
        auto bytes = std::make_unique<std::vector<unsigned char>>(std::move(t.bytes));
        const void* data = bytes->data();
        const py::capsule owner(bytes.get(), [](void* p) { delete static_cast<std::vector<unsigned char>*>(p); });
        bytes.release();
        const std::vector<py::ssize_t> shape(t.shape.begin(), t.shape.end());
        arrays[py::str(t.path.substr(2))] = py::array(dtype, shape, std::vector<py::ssize_t>(), data, owner);
    }
    return arrays;
}

}  // namespace quonpy

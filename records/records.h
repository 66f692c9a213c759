// The record layer: the records of any of the 27 model objects as a JSON
// document (read through the interface's getters) and back (through its
// setters), plus the record tables as contiguous arrays with their shapes.
// Host side only: it drives objects through their public interfaces and
// creates them through the loaded module.
//
//   const quon::Module module = quon::Module::Load(path);
//   const ModelClass& cls = *FindModelClass("LookUpTable");
//   records::Object table = records::LoadText(module, cls, text);
//   std::string json = records::ToJson(cls, table);
//   records::Object copy = records::Build(module, cls, json);
//   std::string again = records::SaveText(cls, copy.get());   // text == again
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "QuonCoreModel.h"
#include "model_classes.h"
#include "quon/Module.h"

namespace records {

// A document refused: the message is "$.path: what was expected".
class Error : public quon::Error {
public:
    explicit Error(const std::string& message) : quon::Error(E_INVALIDARG, message) {}
};

// How one field of a record is stored and written.
enum class FieldKind {
    Int32,   // JSON integer
    Uint32,  // JSON integer
    Int64,   // JSON integer
    Uint64,  // JSON integer
    Double,  // JSON number (or "NaN", "-NaN", "Infinity", "-Infinity")
    Text,    // char[size]: a string of at most size bytes up to the first NUL
    Bytes,   // BYTE[size]: a string of 2 x size hexadecimal digits
    Record,  // a nested record (`record`)
};

struct RecordType;

struct Field {
    const char* name;                    // as in the record's declaration
    std::size_t offset;                  // in bytes from the record's start
    FieldKind kind;
    std::size_t size;                    // bytes of one element (Text, Bytes: of the whole field)
    std::array<std::size_t, 2> extents;  // {0, 0}: one element; {n, 0}: n; {n, m}: n x m
    const RecordType* record;            // for FieldKind::Record
};

struct RecordType {
    const char* name;  // the C++ record's name
    std::size_t size;  // sizeof the record, padding included
    std::vector<Field> fields;
};

// One table as the object holds it: shape (outermost extent first) x
// type->size bytes, row by row, in the record's own layout; or, for a table
// of numbers (type null), shape x the size of one number of that kind.
struct Table {
    std::string path;  // where the table sits in the JSON document, e.g. "$.tables[1].entries"
    const RecordType* type;
    FieldKind kind;  // Record, or the kind of the numbers (Int32, Uint32, Double)
    std::vector<std::size_t> shape;
    std::vector<unsigned char> bytes;
};

// A model object, with the length of the longest name it can hold. The
// interfaces copy a name out into a buffer the caller sizes and give no way
// to ask its length, so the layer reads names with room for that many bytes
// and the terminator. Whoever gave the object its names knows the bound: an
// object read from a text holds no name longer than the text, one built from
// a document none longer than the longest string of the document.
class Object {
public:
    Object() = default;
    Object(quon::Ptr<IUnknown> object, std::size_t longestName) : m_ptr(std::move(object)), m_longestName(longestName) {}
    IUnknown* get() const noexcept { return m_ptr.get(); }
    std::size_t longestName() const noexcept { return m_longestName; }

private:
    quon::Ptr<IUnknown> m_ptr;
    std::size_t m_longestName = 0;
};

// One value that differs between two documents; a member or element that
// only one side has shows "(absent)" on the other.
struct Difference {
    std::string path;
    std::string a;
    std::string b;
};

// The object's records as a JSON document. The object must be of the
// class's interface (as ModelClass::iid hands it out).
std::string ToJson(const ModelClass& cls, const Object& object);

// A new object of the class set from a document: the class's set-up first
// (initialisation, attached children, which the layer creates through the
// module), then every record.
Object Build(const quon::Module& module, const ModelClass& cls, std::string_view json);

// A new object of the class, set up as before a load of its text form.
Object NewObject(const quon::Module& module, const ModelClass& cls);

// A new object of the class, set up and loaded from its text form.
Object LoadText(const quon::Module& module, const ModelClass& cls, std::string_view text);

// The object's text form. The buffer grows only while the writer says the
// text did not fit (sizeHint: a first guess, e.g. the size of the text read).
std::string SaveText(const ModelClass& cls, IUnknown* object, std::size_t sizeHint = 0);

// The tables of the object (every array of records, and every grid or list
// of numbers, its document holds), each with its bytes.
std::vector<Table> Tables(const ModelClass& cls, const Object& object);

// The values that differ between two documents, in document order.
std::vector<Difference> Diff(std::string_view a, std::string_view b);

}  // namespace records

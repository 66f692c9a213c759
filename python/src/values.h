// Records as Python values: a record document as dicts, lists, ints, floats
// and strings (the values json.loads gives for its printed form), Python
// values (NumPy arrays included) as a document, and the tables of an object
// as NumPy arrays.
#pragma once

#include <pybind11/pybind11.h>

#include <vector>

#include "json.h"
#include "records.h"

namespace quonpy {

namespace py = pybind11;

// The value as Python objects. A double prints in its shortest exact form;
// one that prints without a fraction or an exponent becomes an int, as a
// JSON reader of the printed document would make it.
py::object ToPython(const records::Value& value);

// A Python value as a document value: dict (str keys), list, tuple, str,
// int, float, bool, None, and NumPy arrays and scalars. A value of another
// type raises TypeError, nesting deeper than kMaxDepth ValueError, each with
// the JSON path of the value.
inline constexpr int kMaxDepth = 64;
records::Value FromPython(py::handle value, records::Allocator& allocator);

// The tables as NumPy arrays named by their JSON path without "$.": records
// as a structured dtype with the record's own field names, offsets and size,
// numbers as float64, int32 or uint32; shaped as the table. The arrays own
// the tables' bytes (no copy, no Python object per value).
py::dict Arrays(std::vector<records::Table> tables);

}  // namespace quonpy

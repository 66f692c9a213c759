// quoncoremodel._core: the model objects of the module, loaded as any host
// loads it (its file, DllCreateInstance and the interfaces, through
// quon/Module.h and the record layer), read and written as texts, dicts and
// NumPy arrays.
#include <dlfcn.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "json.h"
#include "model_classes.h"
#include "quon/Module.h"
#include "records.h"
#include "values.h"

namespace {

namespace fs = std::filesystem;
namespace py = pybind11;

// The module file: QUONCOREMODEL_MODULE when set, else the module beside
// this extension's package in the build tree or in an installation,
// whichever exists.
fs::path ModuleFile() {
    const char* named = std::getenv("QUONCOREMODEL_MODULE");
    if (named != nullptr && *named != '\0') return named;
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFile), &self) == 0 || self.dli_fname == nullptr) {
        throw quon::Error(E_HANDLE, "cannot find the folder of the quoncoremodel package; set QUONCOREMODEL_MODULE");
    }
    const fs::path package = fs::path(self.dli_fname).parent_path();
    const fs::path installed = (package / QUON_MODULE_DIR_INSTALLED / quon::ModuleFileName).lexically_normal();
    const fs::path built = (package / QUON_MODULE_DIR_IN_BUILD / quon::ModuleFileName).lexically_normal();
    return fs::exists(built) && !fs::exists(installed) ? built : installed;
}

// The module, loaded at the first call that needs it and kept while any
// object it made lives. A failed load is tried again at the next call.
std::shared_ptr<const quon::Module> LoadedModule() {
    static std::mutex lock;
    static std::shared_ptr<const quon::Module> module;
    const std::lock_guard<std::mutex> hold(lock);
    if (!module) {
        module = std::make_shared<const quon::Module>(quon::Module::Load(ModuleFile()));
        SetModelFactory(module->Entry());
    }
    return module;
}

const ModelClass& ClassNamed(const std::string& name) {
    const ModelClass* cls = FindModelClass(name);
    if (cls == nullptr) throw py::key_error(name);
    return *cls;
}

// A model object: calls on one object run one at a time, without the GIL
// while they are in the module.
class Object {
public:
    Object(std::shared_ptr<const quon::Module> module, const ModelClass& cls, records::Object object, std::size_t textSize)
        : m_module(std::move(module)), m_class(&cls), m_object(std::move(object)), m_textSize(textSize) {}

    const char* Name() const { return m_class->name; }

    py::bytes Save() {
        std::string text;
        {
            const py::gil_scoped_release free;
            const std::lock_guard<std::mutex> hold(m_lock);
            text = records::SaveText(*m_class, m_object.get(), m_textSize);
        }
        return py::bytes(text);
    }

    py::object ToDict() {
        records::rj::Document doc;
        {
            const py::gil_scoped_release free;
            const std::lock_guard<std::mutex> hold(m_lock);
            records::ToDocument(*m_class, m_object, doc);
        }
        return quonpy::ToPython(doc);
    }

    py::dict Arrays() {
        std::vector<records::Table> tables;
        {
            const py::gil_scoped_release free;
            const std::lock_guard<std::mutex> hold(m_lock);
            tables = records::Tables(*m_class, m_object);
        }
        return quonpy::Arrays(std::move(tables));
    }

private:
    std::shared_ptr<const quon::Module> m_module;  // released after the object
    const ModelClass* m_class;
    records::Object m_object;
    std::size_t m_textSize;  // of the text read, the first guess of the text's size when saving
    std::mutex m_lock;
};

std::unique_ptr<Object> Create(const std::string& name) {
    const ModelClass& cls = ClassNamed(name);
    std::shared_ptr<const quon::Module> module = LoadedModule();
    const py::gil_scoped_release free;
    records::Object object = records::NewObject(*module, cls);
    return std::make_unique<Object>(std::move(module), cls, std::move(object), 0);
}

// Holds a bytes-like object's contiguous bytes while they are read.
class Bytes {
public:
    explicit Bytes(py::handle data) {
        if (PyObject_GetBuffer(data.ptr(), &m_view, PyBUF_SIMPLE) != 0) throw py::error_already_set();
    }
    ~Bytes() { PyBuffer_Release(&m_view); }
    Bytes(const Bytes&) = delete;
    Bytes& operator=(const Bytes&) = delete;
    std::string_view View() const { return {static_cast<const char*>(m_view.buf), static_cast<std::size_t>(m_view.len)}; }

private:
    Py_buffer m_view{};
};

std::unique_ptr<Object> Load(const std::string& name, py::handle data) {
    const ModelClass& cls = ClassNamed(name);
    const Bytes bytes(data);
    std::shared_ptr<const quon::Module> module = LoadedModule();
    const py::gil_scoped_release free;
    records::Object object = records::LoadText(*module, cls, bytes.View());
    return std::make_unique<Object>(std::move(module), cls, std::move(object), bytes.View().size());
}

std::unique_ptr<Object> FromDict(const std::string& name, py::handle values) {
    const ModelClass& cls = ClassNamed(name);
    records::rj::Document doc;
    static_cast<records::Value&>(doc) = quonpy::FromPython(values, doc.GetAllocator());
    std::shared_ptr<const quon::Module> module = LoadedModule();
    const py::gil_scoped_release free;
    records::Object object = records::Build(*module, cls, doc);
    return std::make_unique<Object>(std::move(module), cls, std::move(object), 0);
}

// quoncoremodel.Error: a RuntimeError whose hr is the failing result (as an
// unsigned 32-bit number: hex(e.hr) == '0x80004005').
PyObject* g_error = nullptr;

void TranslateErrors(std::exception_ptr thrown) {
    try {
        std::rethrow_exception(thrown);
    } catch (const py::error_already_set&) {
        throw;
    } catch (const py::builtin_exception&) {
        throw;
    } catch (const records::Error& e) {  // a document refused, with its path
        PyErr_SetString(PyExc_ValueError, e.what());
    } catch (const quon::Error& e) {
        const py::object error = py::reinterpret_borrow<py::object>(g_error)(e.what());
        error.attr("hr") = static_cast<uint32_t>(e.hr());
        PyErr_SetObject(g_error, error.ptr());
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {  // thrown by the module through its interface
        PyErr_SetString(PyExc_ValueError, e.what());
    }
}

}  // namespace

PYBIND11_MODULE(_core, m) {
    m.doc() = "The model objects of the QuonCoreModel module as texts, dicts and NumPy arrays.";
    g_error = PyErr_NewExceptionWithDoc("quoncoremodel.Error",
                                        "A call into the module failed; hr is its result (e.g. 0x80004005 E_FAIL).",
                                        PyExc_RuntimeError, nullptr);
    if (g_error == nullptr) throw py::error_already_set();
    m.add_object("Error", py::handle(g_error));
    py::register_exception_translator(TranslateErrors);

    py::class_<Object>(m, "Object", "A model object of the module.")
        .def_property_readonly("name", &Object::Name, "The class name, as classes() spells it.")
        .def("save", &Object::Save, "The object's text form, as bytes.")
        .def("to_dict", &Object::ToDict, "The object's records as plain Python values.")
        .def("arrays", &Object::Arrays, "The object's tables as NumPy arrays, named by their place in to_dict().")
        .def("__repr__", [](const Object& o) { return std::string("<quoncoremodel.Object ") + o.Name() + ">"; });

    m.def(
        "classes",
        [] {
            py::list names;
            for (const ModelClass& c : AllModelClasses()) names.append(c.name);
            return names;
        },
        "The 27 class names.");
    m.def("create", &Create, py::arg("name"), "A new object of the class, set up as before a load of its text.");
    m.def("load", &Load, py::arg("name"), py::arg("data"), "A new object of the class with the text (bytes) read.");
    m.def("from_dict", &FromDict, py::arg("name"), py::arg("values"),
          "A new object of the class set from records as to_dict() gives them (NumPy arrays wherever a table goes).");
}

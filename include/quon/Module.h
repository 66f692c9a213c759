// quon::Module and quon::Ptr: loading the module and holding its objects
// without calling Release by hand. Header-only; Linux and Windows.
//
//   const quon::Module module = quon::Module::Load(folder / quon::ModuleFileName);
//   quon::Ptr<IQuonLookUpTable> table = module.Create<IQuonLookUpTable>(CLSID_QuonLookUpTable);
//   table->LoadFromBuffer(text, length);
//
// Every object the module made must be released before the module is
// unloaded: declare the Module before the Ptrs it fills.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform_types.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace quon {

#ifdef _WIN32
inline constexpr const char* ModuleFileName = "QuonCoreModel.dll";
#else
inline constexpr const char* ModuleFileName = "libQuonCoreModel.so";
#endif

// "0x80004002 E_NOINTERFACE": the code, with its name when it is one the
// module returns.
inline std::string HresultText(HRESULT hr) {
    char text[48];
    const char* name = "";
    switch (hr) {
        case S_OK: name = " S_OK"; break;
        case S_FALSE: name = " S_FALSE"; break;
        case E_NOTIMPL: name = " E_NOTIMPL"; break;
        case E_NOINTERFACE: name = " E_NOINTERFACE"; break;
        case E_POINTER: name = " E_POINTER"; break;
        case E_FAIL: name = " E_FAIL"; break;
        case E_UNEXPECTED: name = " E_UNEXPECTED"; break;
        case E_HANDLE: name = " E_HANDLE"; break;
        case E_OUTOFMEMORY: name = " E_OUTOFMEMORY"; break;
        case E_INVALIDARG: name = " E_INVALIDARG"; break;
        case CLASS_E_CLASSNOTAVAILABLE: name = " CLASS_E_CLASSNOTAVAILABLE"; break;
        default: break;
    }
    std::snprintf(text, sizeof text, "0x%08X%s", static_cast<unsigned>(hr), name);
    return text;
}

// A GUID in registry form: "{66EE26D3-5D43-4A97-AEB0-3A858F680213}".
inline std::string GuidText(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

// What went wrong at the host boundary: the message says what and why,
// hr() the result behind it (E_HANDLE when the module or its entry is
// missing, else what DllCreateInstance returned).
class Error : public std::runtime_error {
public:
    Error(HRESULT hr, const std::string& message) : std::runtime_error(message), m_hr(hr) {}
    HRESULT hr() const noexcept { return m_hr; }

private:
    HRESULT m_hr;
};

// For IID_IUnknown the module hands out its non-delegating unknown: an
// object with IUnknown's table of methods that is not an IUnknown in C++
// terms, called as one as COM promises. The undefined-behaviour sanitizer's
// vptr check cannot know that, so Ptr's own calls go without it.
#if defined(__GNUC__) || defined(__clang__)
#define QUON_CALLED_AS_COM __attribute__((no_sanitize("vptr")))
#else
#define QUON_CALLED_AS_COM
#endif

// An owning interface pointer: a copy adds a reference, a move hands it
// over, destruction releases it.
template <class I>
class Ptr {
public:
    Ptr() noexcept = default;
    Ptr(std::nullptr_t) noexcept {}
    QUON_CALLED_AS_COM Ptr(const Ptr& other) noexcept : m_p(other.m_p) {
        if (m_p != nullptr) m_p->AddRef();
    }
    Ptr(Ptr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    Ptr& operator=(Ptr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~Ptr() { reset(); }

    I* get() const noexcept { return m_p; }
    I* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    // Releases the reference held and empties the pointer.
    QUON_CALLED_AS_COM void reset() noexcept {
        if (I* p = std::exchange(m_p, nullptr)) p->Release();
    }
    // Hands the reference to the caller, who releases it.
    I* detach() noexcept { return std::exchange(m_p, nullptr); }
    // Takes over a reference the caller owns (no AddRef).
    void attach(I* p) noexcept {
        reset();
        m_p = p;
    }
    // For out-parameters that hand out a reference: releases what is held
    // and gives the address to fill.
    I** put() noexcept {
        reset();
        return &m_p;
    }

    // The same object through interface J, or an empty pointer when the
    // object does not have J.
    template <class J>
    QUON_CALLED_AS_COM Ptr<J> As() const {
        Ptr<J> other;
        if (m_p != nullptr) m_p->QueryInterface(IidOf<J>(), reinterpret_cast<void**>(other.put()));
        return other;
    }

private:
    I* m_p = nullptr;
};

// The loaded module. Move-only; the module stays loaded while the Module
// (or the one it was moved into) lives.
class Module {
public:
    // Loads the module file and finds DllCreateInstance; throws Error naming
    // the file and the reason when either fails.
    static Module Load(const std::filesystem::path& file) {
        Module module;
        module.m_file = file;
        const std::string name = Utf8(file);
#ifdef _WIN32
        module.m_handle = LoadLibraryW(file.c_str());
        if (module.m_handle == nullptr) throw Error(E_HANDLE, "cannot load " + name + ": " + LastErrorText());
        module.m_entry = reinterpret_cast<PFN_DllCreateInstance>(
            reinterpret_cast<void*>(GetProcAddress(module.m_handle, "DllCreateInstance")));
#else
        module.m_handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module.m_handle == nullptr) throw Error(E_HANDLE, "cannot load " + name + ": " + dlerror());
        module.m_entry = reinterpret_cast<PFN_DllCreateInstance>(dlsym(module.m_handle, "DllCreateInstance"));
#endif
        if (module.m_entry == nullptr) throw Error(E_HANDLE, name + " has no export DllCreateInstance");
        return module;
    }

    Module(Module&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)),
          m_entry(std::exchange(other.m_entry, nullptr)),
          m_file(std::move(other.m_file)) {}
    Module& operator=(Module&& other) noexcept {
        if (this != &other) {
            Unload();
            m_handle = std::exchange(other.m_handle, nullptr);
            m_entry = std::exchange(other.m_entry, nullptr);
            m_file = std::move(other.m_file);
        }
        return *this;
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    ~Module() { Unload(); }

    // Creates an object of class clsid and asks it for interface I; throws
    // Error with DllCreateInstance's result when that fails (E_NOINTERFACE
    // for a class without I, CLASS_E_CLASSNOTAVAILABLE for an unknown class).
    template <class I>
    Ptr<I> Create(const CLSID& clsid) const {
        Ptr<I> object;
        object.attach(static_cast<I*>(Create(clsid, IidOf<I>()).detach()));
        return object;
    }

    // The same for an interface known by its identifier only: the pointer
    // holds interface iid, seen as its IUnknown part.
    Ptr<IUnknown> Create(const CLSID& clsid, const IID& iid) const {
        Ptr<IUnknown> object;
        const HRESULT hr = Entry()(clsid, iid, reinterpret_cast<void**>(object.put()));
        if (FAILED(hr)) {
            throw Error(hr, "DllCreateInstance of class " + GuidText(clsid) + " for interface " + GuidText(iid) +
                                " failed: " + HresultText(hr));
        }
        return object;
    }

    // The module's DllCreateInstance, for hosts that pass it on.
    PFN_DllCreateInstance Entry() const {
        if (m_entry == nullptr) throw Error(E_HANDLE, "no module loaded (moved from)");
        return m_entry;
    }
    const std::filesystem::path& File() const noexcept { return m_file; }

private:
    Module() = default;

    void Unload() noexcept {
        if (m_handle == nullptr) return;
#ifdef _WIN32
        FreeLibrary(m_handle);
#else
        dlclose(m_handle);
#endif
        m_handle = nullptr;
        m_entry = nullptr;
    }

    static std::string Utf8(const std::filesystem::path& file) {
        const std::u8string text = file.u8string();
        return std::string(text.begin(), text.end());
    }

#ifdef _WIN32
    static std::string LastErrorText() {
        const DWORD code = GetLastError();
        char text[512] = {};
        DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                 sizeof text, nullptr);
        while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ')) --n;
        return std::string(text, n) + " (error " + std::to_string(code) + ")";
    }
    HMODULE m_handle = nullptr;
#else
    void* m_handle = nullptr;
#endif
    PFN_DllCreateInstance m_entry = nullptr;
    std::filesystem::path m_file;
};

}  // namespace quon

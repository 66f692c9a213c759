// Helpers shared by the tests.
#pragma once

#include <string>

#include "frame/CUnknown.h"
#include "frame/factory.h"

namespace quontest {

// Creates an object through the factory and returns its interface I (one
// reference, released by the holder).
template <class I>
class Ref {
public:
    Ref() = default;
    explicit Ref(I* p) : m_p(p) {}
    Ref(const CLSID& clsid, const IID& iid) { Create(clsid, iid); }
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    HRESULT Create(const CLSID& clsid, const IID& iid) {
        Reset();
        return DllCreateInstance(clsid, iid, reinterpret_cast<void**>(&m_p));
    }
    void Reset() {
        if (m_p != nullptr) m_p->Release();
        m_p = nullptr;
    }
    I* get() const { return m_p; }
    I* operator->() const { return m_p; }
    I** put() {
        Reset();
        return &m_p;
    }
    explicit operator bool() const { return m_p != nullptr; }

private:
    I* m_p = nullptr;
};

// The built module's path, for tests that load it as a host does.
std::string ModulePath();

// Calls SaveToBuffer-like writer fn(buffer, capacity, written) with a large
// buffer and returns the text it wrote (empty on failure; hr receives the result).
template <class F>
std::string Written(F&& fn, HRESULT* hr = nullptr, unsigned capacity = 1u << 20) {
    std::string buffer(capacity, '\0');
    UINT32 written = 0;
    const HRESULT r = fn(buffer.data(), static_cast<UINT32>(buffer.size()), &written);
    if (hr != nullptr) *hr = r;
    if (FAILED(r)) return std::string();
    return buffer.substr(0, written);
}

}  // namespace quontest

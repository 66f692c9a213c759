// Helpers shared by the tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
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

// What object's SaveToBuffer writes (see Written).
template <class I>
std::string Saved(I* object, HRESULT* hr = nullptr) {
    return Written([&](char* b, UINT32 c, UINT32* w) { return object->SaveToBuffer(b, c, w); }, hr);
}

// Passes text to object's LoadFromBuffer as pointer and length.
template <class I>
HRESULT Load(I* object, const std::string& text) {
    return object->LoadFromBuffer(text.data(), static_cast<UINT32>(text.size()));
}

// Writer fn copies out text, and nothing after it, into exactly text.size()
// bytes, and refuses one byte less with E_FAIL, writing nothing.
template <class F>
void ExpectFitsExactly(F&& fn, const std::string& text) {
    const UINT32 size = static_cast<UINT32>(text.size());
    std::string buffer(size + 1, '#');
    UINT32 written = 77;
    EXPECT_EQ(E_FAIL, fn(buffer.data(), size - 1, &written));
    EXPECT_EQ(std::string(size + 1, '#'), buffer);
    EXPECT_EQ(77u, written);
    EXPECT_EQ(S_OK, fn(buffer.data(), size, &written));
    EXPECT_EQ(text + "#", buffer);
    EXPECT_EQ(size, written);
}

// What a getter slot of one out-parameter gives. The out-parameter starts
// filled with 0x5A bytes, so that a getter that writes nothing is noticed.
template <class I, class R>
R Got(I* object, HRESULT (STDMETHODCALLTYPE I::*getter)(R*)) {
    R value;
    std::memset(static_cast<void*>(&value), 0x5A, sizeof value);
    EXPECT_EQ(S_OK, (object->*getter)(&value));
    return value;
}

// A fixture holding a new object of class C through its interface I, with
// its reader and writer taking and giving whole texts.
template <class I, const CLSID& C, const IID& X>
struct ObjectTest : ::testing::Test {
    Ref<I> object{C, X};

    HRESULT Load(const std::string& text) { return quontest::Load(object.get(), text); }
    std::string Save(HRESULT* hr = nullptr) { return Saved(object.get(), hr); }
    HRESULT SaveResult() {
        HRESULT hr = S_OK;
        Save(&hr);
        return hr;
    }
    template <class R>
    R Got(HRESULT (STDMETHODCALLTYPE I::*getter)(R*)) {
        return quontest::Got(object.get(), getter);
    }
    void ExpectFitsExactly(const std::string& text) {
        quontest::ExpectFitsExactly([&](char* b, UINT32 c, UINT32* w) { return object->SaveToBuffer(b, c, w); }, text);
    }
};

// The message of the exception of type E that fn throws, or "no exception"
// (an exception of another type fails the test).
template <class E, class F>
std::string Thrown(F&& fn) {
    try {
        fn();
    } catch (const E& e) {
        return e.what();
    }
    return "no exception";
}

// The current reference count of an object (one AddRef and its Release).
template <class I>
ULONG Refs(I* object) {
    object->AddRef();
    return object->Release();
}

// n copies of text joined by commas.
inline std::string Repeat(const std::string& text, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += (i > 0 ? "," : "") + text;
    return out;
}

// What the Geometry-file writers put first for a new object.
inline const std::string kZeroGeometryHeader =
    "Geometry\n[VERSION]\nMajorVersion=0\nMinorVersion=0\n[[PROJECTOR_ADDRESS[]]]\n"
    "[PROJECTOR]\nMajor=0\nMinor=0\nPanel=0\nScreen=0\n";
// The edge-blend location and bright sections they write for a new object.
inline const std::string kZeroEdgeBlendAreas = [] {
    std::string text;
    for (const char* edge : {"LEFT", "UPPER", "RIGHT", "LOWER"}) {
        text += std::string("[EDGEBLEND_LOCATION_") + edge +
                "]\nENABLE=0\nSTART=0\nWIDTH=0\nOUTSIDEAREA=0\nINTERLOCKED=0\nCOLOR=0\nKEYSTONEAREA=0\n";
    }
    return text + "[EDGEBLEND_BRIGHT_INSIDE]\nINTERLOCKED=0\nCOLOR=0\n[EDGEBLEND_BRIGHT_OUTSIDE]\nINTERLOCKED=0\nCOLOR=0\n";
}();

}  // namespace quontest

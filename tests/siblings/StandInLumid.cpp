// Stand-in for the frame component module Lumid.dll, built for tests only.
// Its frame objects do no frame work: they log each call with its arguments
// and answer with fixed, recognisable results.
//
// A refused creation (see the probe) writes a bogus non-null pointer.
// Slot 6 answers E_INVALIDARG for a zero width and S_OK otherwise. Slot 11
// sets the state to the low 32 bits of the request plus 1, grows the width by
// 1 and the height by 2, writes 0xDEADBEEF through the caller's state pointer
// and answers E_FAIL.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "geometry/lumid_frame.h"
#include "siblings/LumidProbe.h"
#include "siblings/UnloadRecord.h"

#ifdef _WIN32
#define STANDIN_EXPORT __declspec(dllexport)
#else
#define STANDIN_EXPORT __attribute__((visibility("default")))
#endif

namespace {

bool SameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string g_log;
int g_nextSerial = 1;
HRESULT g_refuseNext = S_OK;

void Log(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    g_log += line;
    g_log += '\n';
}

class Frame final : public ILumidFrame {
public:
    Frame() : m_serial(g_nextSerial++) {
        Log("create frame %d", m_serial);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (!SameGuid(riid, IID_ILumidFrame) && !SameGuid(riid, IID_IUnknown)) return E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const int left = --m_refs;
        if (left == 0) {
            Log("frame %d destroyed", m_serial);
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Slot3() override { return Unexpected(3); }
    HRESULT STDMETHODCALLTYPE Slot4() override { return Unexpected(4); }
    HRESULT STDMETHODCALLTYPE Slot5() override { return Unexpected(5); }
    HRESULT STDMETHODCALLTYPE SetDescription(const UINT32* d) override {
        Log("frame %d slot 6: %u %u %u %u %u %u %u", m_serial, d[0], d[1], d[2], d[3], d[4], d[5], d[6]);
        return d[1] == 0 ? E_INVALIDARG : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Slot7() override { return Unexpected(7); }
    HRESULT STDMETHODCALLTYPE Slot8() override { return Unexpected(8); }
    HRESULT STDMETHODCALLTYPE Slot9() override { return Unexpected(9); }
    HRESULT STDMETHODCALLTYPE Slot10() override { return Unexpected(10); }
    HRESULT STDMETHODCALLTYPE ReadFrame(UINT64 request, UINT32* block, UINT32* stateOut) override {
        Log("frame %d slot 11: request %llu, block %u %u %u, state pointer %s", m_serial,
            static_cast<unsigned long long>(request), block[0],
            block[1], block[2], stateOut == nullptr ? "null" : "given");
        block[0] = static_cast<UINT32>(request) + 1;
        block[1] += 1;
        block[2] += 2;
        if (stateOut != nullptr) *stateOut = 0xDEADBEEF;
        return E_FAIL;
    }

private:
    HRESULT Unexpected(int slot) {
        Log("frame %d slot %d", m_serial, slot);
        return E_NOTIMPL;
    }

    int m_serial;
    int m_refs = 1;  // the creator's reference
};

class Probe final : public ILumidProbe {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (!SameGuid(riid, IID_ILumidProbe) && !SameGuid(riid, IID_IUnknown)) return E_NOINTERFACE;
        *ppv = this;
        return S_OK;
    }
    // The probe lives as long as the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE ReadLog(char* buffer, UINT32 capacity, UINT32* written) override {
        if (buffer == nullptr || written == nullptr) return E_POINTER;
        if (g_log.size() > capacity) return E_FAIL;
        std::memcpy(buffer, g_log.data(), g_log.size());
        *written = static_cast<UINT32>(g_log.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearLog() override {
        g_log.clear();
        g_nextSerial = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RefuseNextCreate(HRESULT result) override {
        g_refuseNext = result;
        return S_OK;
    }
};

Probe g_probe;
UnloadRecord g_unloadRecord{"Lumid"};

}  // namespace

extern "C" STANDIN_EXPORT HRESULT DllCreateInstance(REFCLSID rclsid, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    if (SameGuid(rclsid, CLSID_LumidProbe)) return g_probe.QueryInterface(riid, ppv);
    if (!SameGuid(rclsid, CLSID_LumidFrame)) return CLASS_E_CLASSNOTAVAILABLE;
    *ppv = nullptr;
    if (FAILED(g_refuseNext)) {
        const HRESULT refused = g_refuseNext;
        g_refuseNext = S_OK;
        // A careless refusal: the caller must not take this for an object.
        *ppv = reinterpret_cast<void*>(0x10);
        Log("create refused 0x%08X", static_cast<unsigned>(refused));
        return refused;
    }
    Frame* frame = new Frame;
    const HRESULT hr = frame->QueryInterface(riid, ppv);
    frame->Release();  // the query's reference is the caller's
    return hr;
}

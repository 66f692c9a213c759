// Stand-in for the image utility module QuonImageUtility.dll, built for tests
// only: the mask frame loads and holds it and never calls into it, so it
// offers no classes.
#include "quon/platform_types.h"
#include "siblings/UnloadRecord.h"

namespace {
UnloadRecord g_unloadRecord{"QuonImageUtility"};
}  // namespace

#ifdef _WIN32
#define STANDIN_EXPORT __declspec(dllexport)
#else
#define STANDIN_EXPORT __attribute__((visibility("default")))
#endif

extern "C" STANDIN_EXPORT HRESULT DllCreateInstance(REFCLSID, REFIID, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    return CLASS_E_CLASSNOTAVAILABLE;
}

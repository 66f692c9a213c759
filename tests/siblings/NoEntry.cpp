// A module that loads but exports no DllCreateInstance, for the loader's
// tests: the handle is kept and the entry stays null.
#include "quon/platform_types.h"

#ifdef _WIN32
#define STANDIN_EXPORT __declspec(dllexport)
#else
#define STANDIN_EXPORT __attribute__((visibility("default")))
#endif

extern "C" STANDIN_EXPORT int NoEntryVersion() { return 1; }

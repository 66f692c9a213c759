// Module entry point. On load the module only turns off thread notifications;
// it does nothing of its own on the other notifications.
#ifdef _WIN32
#include "quon/platform_types.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
#endif

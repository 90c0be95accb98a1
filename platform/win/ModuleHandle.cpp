#include "platform/win/ModuleHandle.h"

#include <windows.h>

namespace {

HINSTANCE pluginModule = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        pluginModule = instance;
        // The plug-in never uses thread attach/detach notifications.
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

namespace platform {

void* pluginModuleHandle()
{
    return pluginModule;
}

}  // namespace platform

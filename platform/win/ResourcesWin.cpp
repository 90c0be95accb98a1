#include "platform/Resources.h"

#include "platform/win/ModuleHandle.h"

#include <windows.h>

namespace platform {

ResourceBytes pngResource(int id)
{
    // Resource ids are 16-bit; anything else cannot name one.
    if (id <= 0 || id > 0xFFFF)
        return {};
    const auto module = static_cast<HMODULE>(pluginModuleHandle());
    if (!module)
        return {};
    HRSRC const found = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!found)
        return {};
    HGLOBAL const loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    // Resource memory lives as long as the module; nothing to free.
    const void* const data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0)
        return {};
    return {static_cast<const unsigned char*>(data), size};
}

}  // namespace platform

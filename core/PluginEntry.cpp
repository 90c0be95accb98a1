// The library's entry point: a host calls it once per plug-in instance.

#include "core/Templete.h"
#include "core/EditorFactory.h"

#include <new>

namespace {

bool hostSpeaksVst(audioMasterCallback audioMaster)
{
    return audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) != 0;
}

}  // namespace

#ifdef _WIN32
// Exported through core/exports.def, which also names "main".
extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);
#else
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster);
#endif

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    // A host without a callback answers nothing, which counts as a refusal.
    if (!audioMaster)
        return nullptr;
    // Asked twice, as hosts of the 2.4 interface expect.
    if (!hostSpeaksVst(audioMaster) || !hostSpeaksVst(audioMaster))
        return nullptr;
    try {
        Templete* const effect = new (std::nothrow) Templete(audioMaster, makeTemepleteEditor);
        return effect ? effect->getAeffect() : nullptr;
    } catch (...) {
        // No exception may cross into the host.
        return nullptr;
    }
}

#ifndef _WIN32
// Older hosts look for "main"; it is the same function.
extern "C" AEffect* mainAlias(audioMasterCallback audioMaster) __asm__("main")
    __attribute__((alias("VSTPluginMain"), visibility("default")));
#endif

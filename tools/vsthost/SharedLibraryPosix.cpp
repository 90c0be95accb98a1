#include "tools/vsthost/SharedLibrary.h"

#include <dlfcn.h>

namespace host {

void* loadSharedLibrary(const std::string& path, std::string& error)
{
    // A bare file name would send dlopen searching the library path; a host means the file.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* const handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : "dlopen failed";
    }
    return handle;
}

void* sharedLibrarySymbol(void* library, const char* name)
{
    return dlsym(library, name);
}

void unloadSharedLibrary(void* library)
{
    dlclose(library);
}

}  // namespace host

#include "widget/system/SystemdLibrary.h"

#include <dlfcn.h>

namespace tandry {

void* SystemdLibrary::symbol(const char* name) {
    // Opened once; the library stays loaded for the life of the process.
    static void* const library = ::dlopen("libsystemd.so.0", RTLD_NOW | RTLD_LOCAL);
    return library != nullptr ? ::dlsym(library, name) : nullptr;
}

} // namespace tandry

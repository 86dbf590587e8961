#include "platform/LazyLibrary.h"

#include <dlfcn.h>

namespace wexlo::platform {

LazyLibrary::LazyLibrary(const char* soname)
{
    // RTLD_LOCAL: its symbols serve only the functions looked up here.
    handle_ = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
}

LazyLibrary::~LazyLibrary()
{
    if (handle_ && !kept_)
        ::dlclose(handle_);
}

void* LazyLibrary::address(const char* name)
{
    if (!handle_)
        return nullptr;
    void* found = ::dlsym(handle_, name);
    if (!found)
        allFound_ = false;
    return found;
}

}  // namespace wexlo::platform

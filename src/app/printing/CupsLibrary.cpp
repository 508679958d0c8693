#include "printing/CupsLibrary.h"

#include <dlfcn.h>

namespace {
struct Loaded
{
    CupsLibrary library;
    QString error;
    bool ok = false;
};

Loaded load()
{
    Loaded loaded;
    // Kept for the rest of the program: its functions may be called at any time after.
    void *handle = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        loaded.error = QString::fromLocal8Bit(::dlerror());
        return loaded;
    }
#define EDOKLAD_CUPS_RESOLVE(name)                                                                   \
    loaded.library.name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name));               \
    if (!loaded.library.name) {                                                                      \
        loaded.error = QString::fromLocal8Bit(::dlerror());                                          \
        return loaded;                                                                               \
    }
    EDOKLAD_CUPS_FUNCTIONS(EDOKLAD_CUPS_RESOLVE)
#undef EDOKLAD_CUPS_RESOLVE
    loaded.ok = true;
    return loaded;
}
} // namespace

const CupsLibrary *CupsLibrary::get(QString *error)
{
    static const Loaded loaded = load(); // thread-safe, once
    if (!loaded.ok && error)
        *error = loaded.error;
    return loaded.ok ? &loaded.library : nullptr;
}

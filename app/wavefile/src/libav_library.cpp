#include "libav_library.h"

#include <libavcodec/version_major.h>
#include <libavformat/version_major.h>
#include <libavutil/version.h>

#include <dlfcn.h>

namespace wavefile {
namespace {

// The shared objects of the versions the reader was built against.
struct Libraries {
    void* avutil = nullptr;
    void* avcodec = nullptr;
    void* avformat = nullptr;
};

void* openLibrary(const char* name, std::string& error) {
    void* handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr && error.empty())
        error = std::string("FFmpeg's libraries cannot be loaded: ") + ::dlerror();
    return handle;
}

struct Loaded {
    Libav functions;
    std::string error; // empty when every function was found
};

Loaded load() {
    Loaded loaded;
    Libraries libraries;
    libraries.avutil =
        openLibrary("libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR), loaded.error);
    libraries.avcodec =
        openLibrary("libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR), loaded.error);
    libraries.avformat =
        openLibrary("libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR), loaded.error);
    if (!loaded.error.empty())
        return loaded;
#define WAVEFILE_LIBAV_LOOKUP(library, name)                                                       \
    loaded.functions.name =                                                                        \
        reinterpret_cast<decltype(&::name)>(::dlsym(libraries.library, #name));                    \
    if (loaded.functions.name == nullptr && loaded.error.empty())                                  \
        loaded.error = "FFmpeg's libraries lack " #name;
    WAVEFILE_LIBAV_FUNCTIONS(WAVEFILE_LIBAV_LOOKUP)
#undef WAVEFILE_LIBAV_LOOKUP
    return loaded;
}

} // namespace

const Libav* LoadLibav(std::string& error) {
    // Loaded once, by the first caller; the libraries stay for the process's lifetime.
    static const Loaded loaded = load();
    if (!loaded.error.empty()) {
        error = loaded.error;
        return nullptr;
    }
    return &loaded.functions;
}

} // namespace wavefile

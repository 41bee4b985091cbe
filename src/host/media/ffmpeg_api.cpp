// Loading FFmpeg's libraries by their version's names and looking up the movie devices'
// functions.
#include "host/media/ffmpeg_api.hpp"

#include <dlfcn.h>

#include <mutex>

namespace zav3::host {

namespace {

#define ZAV3_STRING(x) #x
#define ZAV3_SONAME(lib, major) "lib" lib ".so." ZAV3_STRING(major)

struct Loaded {
  FfmpegApi api;
  std::string why;  // empty when loaded
};

Loaded load() {
  Loaded out;
  // In the order they need each other; kept loaded for the rest of the run.
  struct Library {
    const char* name;
    void* handle;
  };
  Library libs[] = {{ZAV3_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR), nullptr},
                    {ZAV3_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR), nullptr},
                    {ZAV3_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR), nullptr},
                    {ZAV3_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR), nullptr},
                    {ZAV3_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR), nullptr}};
  for (Library& l : libs) {
    l.handle = dlopen(l.name, RTLD_NOW | RTLD_LOCAL);
    if (!l.handle) {
      out.why = std::string("cannot load ") + l.name;
      return out;
    }
  }
  auto handleOf = [&](std::string_view library) {
    for (const Library& l : libs) {
      if (std::string_view(l.name).substr(3, library.size()) == library) return l.handle;
    }
    return static_cast<void*>(nullptr);
  };
#define ZAV3_FFMPEG_LOOKUP(library, name)                                                   \
  out.api.name = reinterpret_cast<decltype(out.api.name)>(dlsym(handleOf(#library), #name)); \
  if (!out.api.name && out.why.empty()) out.why = "no " #name " in lib" #library;
  ZAV3_FFMPEG_FUNCTIONS(ZAV3_FFMPEG_LOOKUP)
#undef ZAV3_FFMPEG_LOOKUP
  if (out.why.empty()) out.api.av_log_set_level(AV_LOG_FATAL);
  return out;
}

}  // namespace

const FfmpegApi* ffmpeg(std::string& why) {
  static std::once_flag once;
  static Loaded loaded;
  std::call_once(once, [] { loaded = load(); });
  if (!loaded.why.empty()) {
    why = loaded.why;
    return nullptr;
  }
  return &loaded.api;
}

}  // namespace zav3::host

// Reading GL_VERSION and GL_EXTENSIONS: pure text checks, so that they can be tested with any
// strings, and one query of the current context.
#include "image/gl_capabilities.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr int kEdgeClampMajor = 1;  // edge clamping is core from OpenGL 1.2
constexpr int kEdgeClampMinor = 2;
const char* const kEdgeClampExtensions[] = {"GL_EXT_texture_edge_clamp",
                                            "GL_SGIS_texture_edge_clamp"};

// name as a whole word of the blank-separated list: GL_EXT_texture_edge_clamp_x would not do.
bool HasExtension(const char* extensions, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* p = std::strstr(extensions, name); p != nullptr; p = std::strstr(p + 1, name)) {
    const bool startsWord = p == extensions || p[-1] == ' ';
    const bool endsWord = p[length] == ' ' || p[length] == '\0';
    if (startsWord && endsWord) return true;
  }
  return false;
}
}  // namespace

bool HasEdgeClamp(const char* version, const char* extensions) {
  int major = 0, minor = 0;
  // "major.minor" opens GL_VERSION, whatever the vendor writes after it.
  if (version != nullptr && std::sscanf(version, "%d.%d", &major, &minor) == 2 &&
      (major > kEdgeClampMajor || (major == kEdgeClampMajor && minor >= kEdgeClampMinor)))
    return true;
  if (extensions == nullptr) return false;
  for (const char* name : kEdgeClampExtensions)
    if (HasExtension(extensions, name)) return true;
  return false;
}

GLint EdgeClampMode() {
  const auto text = [](GLenum name) { return reinterpret_cast<const char*>(glGetString(name)); };
  return HasEdgeClamp(text(GL_VERSION), text(GL_EXTENSIONS)) ? GL_CLAMP_TO_EDGE : GL_CLAMP;
}

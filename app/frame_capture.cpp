// Frame capture for --capture and screenshots: glReadPixels of the back buffer into a buffer
// kept between frames, then libpng.
#include "app/frame_capture.h"

#include <GL/gl.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/folders.h"
#include "app/options.h"
#include "app/shell.h"
#include "image/png_file.h"
#include "platform/platform.h"

namespace {
constexpr size_t kMaxPathLength = 4096;

std::string capturePath;   // a single file's name, its %% already made %
std::string framePattern;  // the per-frame pattern with its %d widened to %lld
bool captureActive = false;
bool perFrame = false;
bool lastFramePending = false;  // a frame is held for FinishCapture
bool frameLost = false;         // a frame could not be saved: the run ends with status 1
// The folder part of the last frame's name whose folders are known to exist: with a frame
// number in a folder's name, each frame may need new ones.
char madeFolder[kMaxPathLength] = {};
int heldWidth = 0, heldHeight = 0;
std::vector<uint8_t> pixels;      // the captured frame, bottom row first, RGB
std::vector<uint8_t> screenshot;  // a screenshot's own, so that it never replaces a held frame

// The window's back buffer into pixels; false for an empty window.
bool ReadBackBuffer(std::vector<uint8_t>& pixels, int* width, int* height) {
  *width = windowWidth;
  *height = windowHeight;
  if (*width <= 0 || *height <= 0) return false;
  const size_t size = static_cast<size_t>(*width) * *height * 3;
  if (pixels.size() < size) pixels.resize(size);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, *width, *height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return true;
}

// The file name of one frame. The pattern was checked when the options were read: it holds
// one %d or %0Nd conversion and nothing else but %%.
void FrameFileName(uint64_t frame, char* name, size_t size) {
  std::snprintf(name, size, framePattern.c_str(), static_cast<long long>(frame));
}

// Makes the folders of a frame's name unless the last frame's name had the same folder part.
bool MakeFrameFolders(const char* name) {
  const char* slash = std::strrchr(name, '/');
  const size_t length = slash == nullptr ? 0 : static_cast<size_t>(slash - name);
  if (length == std::strlen(madeFolder) && std::strncmp(name, madeFolder, length) == 0) return true;
  if (!MakeParentFolders(name)) return false;
  std::snprintf(madeFolder, sizeof madeFolder, "%.*s", static_cast<int>(length), name);
  return true;
}

// Opens name for writing without truncating it, and removes it again when it was not there
// before: the path is known writable, and nothing is left behind.
bool CanWrite(const char* name) {
  const bool existed = PathKindOf(name) != PathKind::kNothing;
  std::FILE* f = std::fopen(name, "ab");
  if (f == nullptr) return false;
  std::fclose(f);
  if (!existed) std::remove(name);
  return true;
}
}  // namespace

bool StartCapture(const char* pathOrPattern, std::FILE* err) {
  bool valid = false;
  size_t d = 0;
  perFrame = CapturePatternHasFrameNumber(pathOrPattern, &valid, &d);
  framePattern = pathOrPattern;
  if (perFrame) framePattern.insert(d, "ll");
  capturePath = CaptureFileName(pathOrPattern);
  char name[kMaxPathLength];
  if (perFrame) {
    FrameFileName(1, name, sizeof name);
  } else {
    std::snprintf(name, sizeof name, "%s", capturePath.c_str());
  }
  if (!valid || !MakeFrameFolders(name) || !CanWrite(name)) {
    std::fprintf(err, "quor: cannot write the capture file %s\n", name);
    return false;
  }
  captureActive = true;
  return true;
}

void CaptureFrame(uint64_t frameNumber) {
  if (!captureActive) return;
  int width = 0, height = 0;
  if (!ReadBackBuffer(pixels, &width, &height)) return;
  if (perFrame) {
    char name[kMaxPathLength];
    FrameFileName(frameNumber, name, sizeof name);
    if (!MakeFrameFolders(name) || !WritePng(name, width, height, pixels.data(), true)) {
      std::fprintf(stderr, "quor: cannot write the capture file %s\n", name);
      frameLost = true;
    }
    return;
  }
  heldWidth = width;
  heldHeight = height;
  lastFramePending = true;
}

bool FinishCapture() {
  if (lastFramePending) {
    lastFramePending = false;
    if (!WritePng(capturePath.c_str(), heldWidth, heldHeight, pixels.data(), true)) {
      std::fprintf(stderr, "quor: cannot write the capture file %s\n", capturePath.c_str());
      frameLost = true;
    }
  }
  return !frameLost;
}

bool SaveBackBuffer(const char* path) {
  int width = 0, height = 0;
  if (!ReadBackBuffer(screenshot, &width, &height)) return false;
  return WritePng(path, width, height, screenshot.data(), true);
}

bool CapturePatternHasFrameNumber(const char* path, bool* valid, size_t* dAt) {
  int conversions = 0;
  *valid = true;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    // %0Nd: zeros to N digits, N at most 99 so that the name stays bounded. A width without the
    // 0 would pad with spaces, which no file name wants.
    if (*p == '0' && *(p + 1) >= '1' && *(p + 1) <= '9') {
      p += 2;
      if (std::isdigit(static_cast<unsigned char>(*p))) ++p;
    }
    if (*p != 'd' || ++conversions > 1) {
      *valid = false;
      return false;
    }
    if (dAt != nullptr) *dAt = static_cast<size_t>(p - path);
  }
  return conversions == 1;
}

std::string CaptureFileName(const char* path) {
  std::string name;
  for (const char* p = path; *p != '\0'; ++p) {
    name += *p;
    if (p[0] == '%' && p[1] == '%') ++p;
  }
  return name;
}

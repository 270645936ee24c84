// The frame loop must not touch the heap. This test program counts the allocations the
// program's own code makes while a few hundred frames of the scene are stepped and drawn: every
// operator new, and every malloc, calloc and realloc called from the executable, into which all
// of the program's libraries are linked. The GL driver and the X libraries keep their own
// bookkeeping per frame (Mesa's software renderer mallocs about 90 times a frame); that lies
// outside the program and is not counted.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>

#include "app/clock.h"
#include "app/hooks.h"
#include "app/shell.h"
#include "sim/drift.h"
#include "sim/particles.h"
#include "sim/render_scale.h"
#include "sim/scaled_scene.h"
#include "sim/settings.h"
#include "sim/star_field.h"
#include "tests/support/gl_context.h"
#include "text/text_overlay.h"

// The executable's code, as the linker marks it.
extern "C" char __executable_start[];
extern "C" char etext[];

namespace {
bool counting = false;
long allocations = 0;

[[maybe_unused]] bool FromExecutable(const void* caller) {
  const char* at = static_cast<const char*>(caller);
  return at >= __executable_start && at < etext;
}

[[maybe_unused]] void NoteCall(const void* caller) {  // unused under ASan
  if (counting && FromExecutable(caller)) ++allocations;
}
void NoteNew() {
  if (counting) ++allocations;
}
}  // namespace

// Replacing the C allocator does not mix with AddressSanitizer, which brings its own; there the
// C++ allocations alone are counted. GCC and clang announce the sanitizer differently.
#if defined(__SANITIZE_ADDRESS__)
#define QUOR_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUOR_UNDER_ASAN 1
#endif
#endif

#if !defined(QUOR_UNDER_ASAN)
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) {
  NoteCall(__builtin_return_address(0));
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  NoteCall(__builtin_return_address(0));
  return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
  NoteCall(__builtin_return_address(0));
  return __libc_realloc(block, size);
}
void free(void* block) {
  __libc_free(block);
}
}
#endif

void* operator new(size_t size) {
  NoteNew();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void* operator new[](size_t size) {
  return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  NoteNew();
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, size_t) noexcept {
  std::free(block);
}

namespace {

constexpr uint32_t kFrameMs = 16;
constexpr int kWarmUpFrames = 250;  // 4 s: the flame reaches its steady size
constexpr int kCountedFrames = 250;

class NoAllocationTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ResetSettings();
    InitDrift(kDriftChannels);
    if (starField.listId == StarField::kNoList) starField.Build(3300, 5.0f, 0.0f, 1);
    for (Particle& p : particleSystem.particles) p.active = 0;
    particleSystem.limit = kDefaultParticleLimit;
    windowWidth = glutGet(GLUT_WINDOW_WIDTH);
    windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
    previousTime = 0.0;
    elapsedMs = 0;
  }
  void TearDown() override {
    counting = false;
    if (IsSkipped()) return;
    ResetSettings();
    helpOn = 0;
    textOverlay.messageExpiry = 0.0;
    for (Particle& p : particleSystem.particles) p.active = 0;
  }

  // Frames of simulated time: warm up first (the GL driver builds its programs on first use),
  // then count.
  long AllocationsOverFrames() {
    for (int i = 0; i < kWarmUpFrames; ++i) Frame();
    allocations = 0;
    counting = true;
    for (int i = 0; i < kCountedFrames; ++i) Frame();
    counting = false;
    return allocations;
  }
  void Frame() {
    elapsedMs += kFrameMs;
    DrawFrame();
    glutSwapBuffers();
  }
};

TEST_F(NoAllocationTest, DefaultSceneFramesAllocateNothing) {
  EXPECT_EQ(AllocationsOverFrames(), 0);
  int live = 0;
  for (const Particle& p : particleSystem.particles) live += p.active;
  EXPECT_GT(live, 20);  // the flame was really burning
}

TEST_F(NoAllocationTest, EverythingSwitchedOnAllocatesNothing) {
  settings.universeOn = 1;
  settings.fpsClockOn = 1;
  settings.spotLightsOn = 1;
  settings.option = 1;
  settings.letterbox = 2;
  helpOn = 1;
  textOverlay.ShowMessage("Object Size: %4.2f\n", 1.5);
  textOverlay.messageExpiry = 1e9;  // keep the message on screen throughout
  EXPECT_EQ(AllocationsOverFrames(), 0);
}

// The reduced scene's texture is made on the first frame; the frames after it, the hyperspace
// ones that draw the previous frame back included, allocate nothing.
TEST_F(NoAllocationTest, ReducedScaleAllocatesNothing) {
  UseFixedRenderScale(0.5);
  settings.universeOn = 1;
  settings.fpsClockOn = 1;
  settings.letterbox = 2;
  for (int i = 0; i < kWarmUpFrames; ++i) Frame();
  settings.clearEachFrame = 0;
  EXPECT_EQ(AllocationsOverFrames(), 0);
  UseFixedRenderScale(1.0);
}

// The counter itself must see what it is there to see, or the tests above prove nothing.
TEST_F(NoAllocationTest, CounterSeesAllocationsFromTheProgram) {
  counting = true;
  allocations = 0;
  void* volatile block = std::malloc(64);
  std::free(block);
  block = std::calloc(4, 16);
  std::free(block);
  int* volatile number = new int(3);
  delete number;
  counting = false;
#if defined(QUOR_UNDER_ASAN)
  EXPECT_GE(allocations, 1);  // the C allocator belongs to the sanitizer: new alone is seen
#else
  EXPECT_GE(allocations, 3);
#endif
}

}  // namespace

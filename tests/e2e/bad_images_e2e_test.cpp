// Start-up with every mix of missing, empty and garbage image files: the program must reach its
// main loop, keep drawing, and still fade out and exit with 0 on Escape.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/x_app.h"

namespace {

enum class FileState { kMissing, kEmpty, kGarbage };

const char* Name(FileState state) {
  switch (state) {
    case FileState::kMissing:
      return "Missing";
    case FileState::kEmpty:
      return "Empty";
    case FileState::kGarbage:
      return "Garbage";
  }
  return "";
}

// Garbage that gets past the signature test: "BM", then deterministic noise, so the decoder
// meets absurd sizes, depths and offsets rather than failing at the first byte.
void WriteImage(const std::string& path, FileState state) {
  if (state == FileState::kMissing) return;
  std::ofstream out(path, std::ios::binary);
  if (state == FileState::kEmpty) return;
  out << "BM";
  uint32_t s = 12345u;
  for (int i = 0; i < 3000; ++i) {
    s = s * 1664525u + 1013904223u;
    out.put(static_cast<char>(s >> 24));
  }
}

using Case = std::tuple<FileState, FileState>;  // font.bmp, smoke128.bmp

class BadImagesE2e : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  XvfbServer server{640, 480};
};

TEST_P(BadImagesE2e, StartsRunsAndExitsWithZeroOnEscape) {
  const std::string dir = MakeWorkDir(false);
  WriteImage(dir + "/font.bmp", std::get<0>(GetParam()));
  WriteImage(dir + "/smoke128.bmp", std::get<1>(GetParam()));
  QuorRun run(server, dir);
  ASSERT_TRUE(run.WaitForWindow());
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  ASSERT_TRUE(run.Running());
  // The flame is drawn, untextured or not: the frame loop runs.
  const std::vector<Rgb> shot = run.Screenshot();
  EXPECT_GT(CountPixels(shot, 640, {0, 0, 640, 480}, IsNotBlack), 0);
  run.Key("Escape");
  EXPECT_EQ(run.WaitExit(20.0), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMix, BadImagesE2e,
    ::testing::Combine(::testing::Values(FileState::kMissing, FileState::kEmpty,
                                         FileState::kGarbage),
                       ::testing::Values(FileState::kMissing, FileState::kEmpty,
                                         FileState::kGarbage)),
    [](const ::testing::TestParamInfo<Case>& info) {
      return std::string("Font") + Name(std::get<0>(info.param)) + "Smoke" +
             Name(std::get<1>(info.param));
    });

}  // namespace

// Start-up with every mix of missing, empty and garbage image files: the program must reach its
// main loop, keep drawing untextured, and end with 0, saying in one line each file it could not
// use.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <ostream>
#include <string>

#include "tests/support/picture.h"
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

void PrintTo(FileState state, std::ostream* os) {
  *os << Name(state);
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

int Lines(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

using Case = std::tuple<FileState, FileState>;  // font.bmp, smoke128.bmp

class BadImagesE2e : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  XvfbServer server{320, 240};
};

TEST_P(BadImagesE2e, DrawsThirtyFramesAndExitsWithZero) {
  const std::string dir = MakeWorkDir(false);
  WriteImage(dir + "/font.bmp", std::get<0>(GetParam()));
  WriteImage(dir + "/smoke128.bmp", std::get<1>(GetParam()));
  const std::string capture = dir + "/last.png";
  {
    QuorRun run(server, dir, {"--step=33", "--frames=30", "--capture=" + capture});
    run.AllowOutput("quor: \\./font\\.bmp could not be read as a BMP image");
    run.AllowOutput("quor: \\./smoke128\\.bmp could not be read as a 128 x 128, 24-bit BMP image");
    ASSERT_EQ(run.WaitExit(120.0), 0);
    // One line for each file that is there and cannot be used; a missing one is found in the
    // source tree's assets by the program in its build folder.
    const std::string out = run.Output();
    EXPECT_EQ(Lines(out, "font.bmp"), std::get<0>(GetParam()) == FileState::kMissing ? 0 : 1)
        << out;
    EXPECT_EQ(Lines(out, "smoke128.bmp"), std::get<1>(GetParam()) == FileState::kMissing ? 0 : 1)
        << out;
  }
  // The flame is drawn, untextured or not: the frame loop ran to the end.
  Picture last;
  ASSERT_TRUE(ReadPng(capture, &last));
  EXPECT_GT(CountPixels(last.pixels, last.width, {0, 0, last.width, last.height}, IsNotBlack),
            1000);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMix, BadImagesE2e,
    ::testing::Combine(
        ::testing::Values(FileState::kMissing, FileState::kEmpty, FileState::kGarbage),
        ::testing::Values(FileState::kMissing, FileState::kEmpty, FileState::kGarbage)),
    [](const ::testing::TestParamInfo<Case>& info) {
      return std::string("Font") + Name(std::get<0>(info.param)) + "Smoke" +
             Name(std::get<1>(info.param));
    });

}  // namespace

// The program on a context that reports OpenGL 1.1, as Windows' own software renderer does: it
// runs, prints nothing, and draws the reference pictures, the reduced scene (the one user of
// edge clamping) among them. Mesa is told to report 1.1 with MESA_GL_VERSION_OVERRIDE; it keeps
// GL_EXT_texture_edge_clamp and GL_SGIS_texture_edge_clamp whatever MESA_EXTENSION_OVERRIDE
// says ("cannot be disabled"), so the plain GL_CLAMP branch is pinned by the unit test of
// HasEdgeClamp with the GDI renderer's strings instead.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr long kMaxPixelsOff = kWidth * kHeight / 1000;  // as the reference pictures allow
constexpr double kMaxMeanDifference = 0.5;

struct Gl11Case {
  const char* reference;
  const char* renderScale;
};

class OpenGl11 : public ::testing::TestWithParam<Gl11Case> {};

TEST_P(OpenGl11, DrawsTheReferencePictureAndPrintsNothing) {
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  const Gl11Case& c = GetParam();
  const std::string dir = MakeWorkDir(true);
  const std::string path = dir + "/actual.png";
  int status = -1;
  {
    QuorRun run(server, dir,
                {"--step=33", "--frames=120", std::string("--render-scale=") + c.renderScale,
                 "--capture=" + path},
                {{"MESA_GL_VERSION_OVERRIDE", "1.1"}});
    status = run.WaitExit(180.0);
    EXPECT_TRUE(run.UnexpectedOutput().empty()) << run.Output();
  }
  ASSERT_EQ(status, 0);
  Picture reference, actual;
  ASSERT_TRUE(ReadPng(path, &actual)) << "no capture at " << path;
  ASSERT_TRUE(ReadPng(std::string(QUOR_SOURCE_DIR) + "/tests/reference/" + c.reference + ".png",
                      &reference));
  const PictureDifference d = ComparePictures(reference, actual);
  ASSERT_TRUE(d.sameSize);
  EXPECT_LE(d.pixelsOff, kMaxPixelsOff) << c.reference;
  EXPECT_LE(d.mean, kMaxMeanDifference) << c.reference;
}

INSTANTIATE_TEST_SUITE_P(Pictures, OpenGl11,
                         ::testing::Values(Gl11Case{"flame", "1"}, Gl11Case{"flame-half", "0.5"}),
                         [](const ::testing::TestParamInfo<Gl11Case>& info) {
                           return std::string(info.param.reference[5] == '-' ? "Half" : "Full");
                         });

}  // namespace

// The text scale as a user on a high-density desktop meets it: Xft.dpi loaded into the X server
// with xrdb decides how large the start-up hint is drawn. The glyph cells are read from a
// captured frame; without a font every glyph is a plain white cell.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

TEST(TextScaleE2e, XftDpi192DrawsTheStartUpHintTwiceAsLarge) {
  if (std::system("command -v xrdb >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xrdb is not installed (Debian's x11-xserver-utils, from scripts/setup)";
  XvfbServer server{640, 480};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  // Into the server's RESOURCE_MANAGER, as a desktop session loads it.
  std::FILE* xrdb = popen(("xrdb -nocpp -display " + server.Name() + " -load -").c_str(), "w");
  ASSERT_NE(xrdb, nullptr);
  std::fputs("Xft.dpi:\t192\n", xrdb);
  ASSERT_EQ(pclose(xrdb), 0);

  const std::string dir = MakeWorkDir(true);
  std::ofstream(dir + "/font.bmp", std::ios::trunc);  // no font: glyphs are white cells
  QuorRun run(server, dir, {"--step=33", "--frames=3", "--capture=" + dir + "/hint.png"});
  run.AllowOutput("quor: .*font\\.bmp.*");
  ASSERT_EQ(run.WaitExit(120.0), 0) << run.Output();
  Picture p;
  ASSERT_TRUE(ReadPng(dir + "/hint.png", &p));
  SavePicture(ScreenshotPath("text_scale_xft_dpi_192"), p.width, p.height, p.pixels);

  // The first glyph of the hint "Press ? key ...": at scale 1 its cell starts at x = 10 and is
  // 20 rows high.
  const auto white = [&p](int x, int y) {
    const Rgb& c = p.pixels[static_cast<size_t>(y) * p.width + x];
    return c.r > 200 && c.g > 200 && c.b > 200;
  };
  int left = 0, height = 0;
  while (left < p.width / 2 && !white(left, 1)) ++left;
  while (height < p.height && white(left + 2, height)) ++height;
  EXPECT_EQ(left, 20);
  EXPECT_EQ(height, 40);
}

}  // namespace

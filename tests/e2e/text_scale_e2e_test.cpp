// The text scale as a user on a high-density desktop meets it: Xft.dpi loaded into the X server
// with xrdb, GDK_SCALE and --text-scale decide how large the start-up hint is drawn. The glyph
// cells are read from a captured frame; without a font every glyph is a plain white cell.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

struct ScaleCase {
  const char* name;
  const char* resources;  // loaded with xrdb before the run; "" loads nothing
  std::vector<std::string> options;
  std::vector<std::pair<std::string, std::string>> env;
  int scale;
  const char* warning;  // a line the run prints besides the missing font's; nullptr: none
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
  *os << c.name;
}

// Loads resources into the server's RESOURCE_MANAGER as a desktop session does.
bool LoadResources(const XvfbServer& server, const std::string& resources) {
  const std::string command = "xrdb -nocpp -display " + server.Name() + " -load -";
  std::FILE* pipe = popen(command.c_str(), "w");
  if (pipe == nullptr) return false;
  std::fputs(resources.c_str(), pipe);
  return pclose(pipe) == 0;
}

// The first glyph of the hint "Press ? key ...": the rows of its column and the run of columns
// of the word "Press" along its top row, where five overlapping cells make one white run.
struct HintCells {
  int left = -1;   // first white column on the hint's top row
  int height = 0;  // white rows down the middle of the first cell
  int pressWidth = 0;
};

HintCells MeasureHint(const Picture& p) {
  HintCells cells;
  const auto white = [&p](int x, int y) {
    const Rgb& c = p.pixels[static_cast<size_t>(y) * p.width + x];
    return c.r > 200 && c.g > 200 && c.b > 200;
  };
  const int row = 1;
  for (int x = 0; x < p.width / 2 && cells.left < 0; ++x)
    if (white(x, row)) cells.left = x;
  if (cells.left < 0) return cells;
  while (cells.left + cells.pressWidth < p.width && white(cells.left + cells.pressWidth, row))
    ++cells.pressWidth;
  const int middle = cells.left + 2;
  while (cells.height < p.height && white(middle, cells.height)) ++cells.height;
  return cells;
}

class TextScaleE2e : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(TextScaleE2e, StartUpHintCellsGrowByTheChosenScale) {
  const ScaleCase& c = GetParam();
  if (std::system("command -v xrdb >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xrdb is not installed (Debian's x11-xserver-utils, from scripts/setup)";
  XvfbServer server{640, 480};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  if (c.resources[0] != '\0') {
    ASSERT_TRUE(LoadResources(server, c.resources));
  }

  const std::string dir = MakeWorkDir(true);
  std::ofstream(dir + "/font.bmp", std::ios::trunc);  // no font: glyphs are white cells
  const std::string capture = dir + "/hint.png";
  std::vector<std::string> args = {"--step=33", "--frames=3", "--capture=" + capture};
  args.insert(args.end(), c.options.begin(), c.options.end());
  QuorRun run(server, dir, args, c.env);
  run.AllowOutput("quor: .*font\\.bmp.*");
  if (c.warning != nullptr) run.AllowOutput(c.warning);
  ASSERT_EQ(run.WaitExit(120.0), 0) << run.Output();
  if (c.warning != nullptr) {
    EXPECT_NE(run.Output().find("ignoring"), std::string::npos) << run.Output();
  }

  Picture frame;
  ASSERT_TRUE(ReadPng(capture, &frame));
  SavePicture(ScreenshotPath(std::string("text_scale_") + c.name), frame.width, frame.height,
              frame.pixels);
  const HintCells cells = MeasureHint(frame);
  // At scale 1: x = 10, cells 20 high, "Press" from 10 to 10 + 4 x 9 + 10.
  EXPECT_EQ(cells.left, 10 * c.scale);
  EXPECT_EQ(cells.height, 20 * c.scale);
  EXPECT_EQ(cells.pressWidth, 46 * c.scale);
}

const ScaleCase kCases[] = {
    {"NoResources", "", {}, {}, 1, nullptr},
    {"XftDpi192", "Xft.dpi:\t192\n", {}, {}, 2, nullptr},
    {"CommandLineWinsOverXftDpi", "Xft.dpi:\t192\n", {"--text-scale=1"}, {}, 1, nullptr},
    {"BadXftDpiGivesWayToGdkScale",
     "Xft.dpi:\tlarge\n",
     {},
     {{"GDK_SCALE", "3"}},
     3,
     "quor: ignoring Xft\\.dpi 'large': .*"},
};

INSTANTIATE_TEST_SUITE_P(Sources, TextScaleE2e, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ScaleCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace

// The picture, pinned: each case of tests/reference/cases.txt is rendered by the real program on
// the fixed clock and compared with its reference PNG. These pin down what pixel counts cannot:
// the order of the random draws, positions, sizes, colours and blending.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr const char* kStep = "--step=33";
// A faithful render differs from its reference nowhere beyond rounding; any fault in what is
// drawn moves far more than these.
constexpr long kMaxPixelsOffPerMille = 1;  // 0.1 % of the picture
constexpr double kMaxMeanDifference = 0.5;

long MaxPixelsOff(int width, int height) {
  return static_cast<long>(width) * height * kMaxPixelsOffPerMille / 1000;
}

struct Case {
  std::string name;
  bool withImages = true;
  int width = kWidth, height = kHeight;  // the screen, from a "screen=WxH" field
  std::vector<std::string> options;
};

// CTest lists each case by its name rather than by its bytes.
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

std::string Trim(const std::string& s) {
  const size_t begin = s.find_first_not_of(" \t");
  const size_t end = s.find_last_not_of(" \t");
  return begin == std::string::npos ? "" : s.substr(begin, end - begin + 1);
}

std::vector<Case> LoadCases() {
  std::vector<Case> cases;
  std::ifstream in(std::string(QUOR_SOURCE_DIR) + "/tests/reference/cases.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (Trim(line).empty() || Trim(line)[0] == '#') continue;
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
      const size_t bar = line.find(" | ", start);
      fields.push_back(Trim(line.substr(start, bar - start)));
      if (bar == std::string::npos) break;
      start = bar + 3;
    }
    if (fields.size() < 2) continue;
    Case c;
    c.name = fields[0];
    c.withImages = fields[1] == "good";
    for (auto field = fields.begin() + 2; field != fields.end(); ++field) {
      if (field->rfind("screen=", 0) == 0)
        std::sscanf(field->c_str(), "screen=%dx%d", &c.width, &c.height);
      else
        c.options.push_back(*field);
    }
    cases.push_back(c);
  }
  return cases;
}

class ReferencePicture : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    server = std::make_unique<XvfbServer>(GetParam().width, GetParam().height);
    if (!server->Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  std::unique_ptr<XvfbServer> server;
};

TEST_P(ReferencePicture, RenderMatchesTheReference) {
  const Case& c = GetParam();
  const std::string dir = MakeWorkDir(c.withImages);
  if (!c.withImages) {
    std::ofstream(dir + "/font.bmp");
    std::ofstream(dir + "/smoke128.bmp");
  }
  const std::string actualPath = dir + "/actual.png";
  std::vector<std::string> args = {kStep, "--capture=" + actualPath};
  args.insert(args.end(), c.options.begin(), c.options.end());
  // Without images the program says which file it could not use, once for each.
  const std::vector<std::string> allowed = {"quor: .*(font|smoke128)\\.bmp.*"};
  ASSERT_EQ(
      RunToEnd(*server, dir, args, 180.0, c.withImages ? std::vector<std::string>{} : allowed), 0);

  Picture reference, actual;
  const std::string referencePath =
      std::string(QUOR_SOURCE_DIR) + "/tests/reference/" + c.name + ".png";
  ASSERT_TRUE(ReadPng(actualPath, &actual)) << "no capture at " << actualPath;
  SavePicture(ScreenshotPath("reference_" + c.name + "_actual"), actual.width, actual.height,
              actual.pixels);
  ASSERT_TRUE(ReadPng(referencePath, &reference)) << "no reference picture " << referencePath;
  const PictureDifference d = ComparePictures(reference, actual);
  ASSERT_TRUE(d.sameSize) << actual.width << " x " << actual.height;
  ASSERT_EQ(actual.width, c.width);
  ASSERT_EQ(actual.height, c.height);
  const long maxPixelsOff = MaxPixelsOff(c.width, c.height);
  if (d.pixelsOff > maxPixelsOff || d.mean > kMaxMeanDifference) {
    const std::string diff = SavePicture(ScreenshotPath("reference_" + c.name + "_difference"),
                                         d.map.width, d.map.height, d.map.pixels);
    ADD_FAILURE() << c.name << ": " << d.pixelsOff << " pixels off by more than " << kPixelTolerance
                  << " (at most " << maxPixelsOff << " allowed), mean "
                  << "difference " << d.mean << " (at most " << kMaxMeanDifference << "), largest "
                  << d.largest << "; difference picture: " << diff;
  }
}

// The program in its build folder finds its images wherever it is started: from the root
// directory and from an empty folder it draws the textured flame of the reference.
TEST(ReferencePictureFrom, RootAndAnEmptyFolderDrawTheTexturedFlame) {
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  Picture reference;
  ASSERT_TRUE(ReadPng(std::string(QUOR_SOURCE_DIR) + "/tests/reference/flame.png", &reference));
  const std::string captures = MakeWorkDir(false);
  for (const std::string& where : {std::string("/"), MakeWorkDir(false)}) {
    const std::string path = captures + "/flame.png";
    ASSERT_EQ(RunToEnd(server, where, {kStep, "--frames=120", "--capture=" + path}), 0) << where;
    Picture actual;
    ASSERT_TRUE(ReadPng(path, &actual)) << where;
    const PictureDifference d = ComparePictures(reference, actual);
    EXPECT_TRUE(d.sameSize && d.pixelsOff <= MaxPixelsOff(kWidth, kHeight) &&
                d.mean <= kMaxMeanDifference)
        << "started in " << where << ": " << d.pixelsOff << " pixels off, mean " << d.mean;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferencePicture, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

}  // namespace

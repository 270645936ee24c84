// The text scale's sources: the desktop's dots-per-inch setting (Xft.dpi on X11), then GDK_SCALE,
// each read from its text without a display, and a bad value passed over with one line.
#include "app/text_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/captured_stream.h"

namespace {

struct SourceCase {
  const char* name;
  const char* dpi;       // the desktop's setting as its text; nullptr: none at all
  const char* gdkScale;  // nullptr: unset
  int scale;
  const char* warning;  // what the one line on standard error names; nullptr: silent
};

class DesktopScale : public ::testing::TestWithParam<SourceCase> {};

TEST_P(DesktopScale, FirstGoodSourceWinsAndABadOneIsNamedOnce) {
  const SourceCase& c = GetParam();
  CapturedStream err;
  EXPECT_EQ(DesktopTextScale(c.dpi, "Xft.dpi", c.gdkScale, err.get()), c.scale);
  const std::string printed = err.Text();
  if (c.warning == nullptr) {
    EXPECT_EQ(printed, "");
  } else {
    EXPECT_EQ(printed.rfind("quor: ", 0), 0u) << printed;
    EXPECT_NE(printed.find(c.warning), std::string::npos) << printed;
    EXPECT_EQ(printed.find('\n'), printed.size() - 1) << "one line: " << printed;
  }
}

const SourceCase kSourceCases[] = {
    {"NothingSet", nullptr, nullptr, 1, nullptr},
    {"Dpi96", "96", nullptr, 1, nullptr},
    {"Dpi144RoundsHalfUp", "144", nullptr, 2, nullptr},
    {"DpiWithBlanks", " 192\t", nullptr, 2, nullptr},
    {"DpiBeatsGdkScale", "192", "3", 2, nullptr},
    {"DpiGarbage", "192dpi", nullptr, 1, "Xft.dpi '192dpi'"},
    {"BadDpiFallsToGdkScale", "large", "3", 3, "Xft.dpi 'large'"},
    {"Gdk2", nullptr, "2", 2, nullptr},
    {"GdkGarbage", nullptr, "1.5", 1, "GDK_SCALE '1.5'"},
};

INSTANTIATE_TEST_SUITE_P(Sources, DesktopScale, ::testing::ValuesIn(kSourceCases),
                         [](const ::testing::TestParamInfo<SourceCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace

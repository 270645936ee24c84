// The text scale's sources: Xft.dpi in the X resources, then GDK_SCALE, each read from its text
// without a display, and a bad value passed over with one line.
#include "app/text_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

namespace {

struct SourceCase {
  const char* name;
  const char* resources;  // as XResourceManagerString gives them; nullptr: none at all
  const char* gdkScale;   // nullptr: unset
  int scale;
  const char* warning;  // what the one line on standard error names; nullptr: silent
};

void PrintTo(const SourceCase& c, std::ostream* os) {
  *os << c.name;
}

class DesktopScale : public ::testing::TestWithParam<SourceCase> {};

TEST_P(DesktopScale, FirstGoodSourceWinsAndABadOneIsNamedOnce) {
  const SourceCase& c = GetParam();
  char* errText = nullptr;
  size_t errSize = 0;
  std::FILE* err = open_memstream(&errText, &errSize);
  const int scale = DesktopTextScale(c.resources, c.gdkScale, err);
  std::fclose(err);
  const std::string printed = errText;
  free(errText);

  EXPECT_EQ(scale, c.scale);
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
    {"OtherResourcesOnly", "*customization:\t-color\n", nullptr, 1, nullptr},
    {"Dpi96", "Xft.dpi:\t96\n", nullptr, 1, nullptr},
    {"Dpi120RoundsDown", "Xft.dpi:\t120\n", nullptr, 1, nullptr},
    {"Dpi144RoundsHalfUp", "Xft.dpi:\t144\n", nullptr, 2, nullptr},
    {"Dpi192", "Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", nullptr, 2, nullptr},
    {"DpiWithFraction", "Xft.dpi:\t191.8\n", nullptr, 2, nullptr},
    {"DpiByWildcard", "Xft*dpi:\t192\n", nullptr, 2, nullptr},
    {"TinyDpiStaysAtOne", "Xft.dpi:\t20\n", nullptr, 1, nullptr},
    {"HugeDpiHeldAtEight", "Xft.dpi:\t1e300\n", nullptr, 8, nullptr},
    {"DpiBeatsGdkScale", "Xft.dpi:\t192\n", "3", 2, nullptr},
    {"DpiGarbage", "Xft.dpi:\tlarge\n", nullptr, 1, "Xft.dpi 'large'"},
    {"DpiEmpty", "Xft.dpi:\n", nullptr, 1, "Xft.dpi ''"},
    {"DpiZero", "Xft.dpi:\t0\n", nullptr, 1, "Xft.dpi '0'"},
    {"DpiInfinite", "Xft.dpi:\tinf\n", nullptr, 1, "Xft.dpi 'inf'"},
    {"DpiNotANumber", "Xft.dpi:\tnan\n", nullptr, 1, "Xft.dpi 'nan'"},
    {"DpiHexadecimal", "Xft.dpi:\t0xC0\n", nullptr, 1, "Xft.dpi '0xC0'"},
    {"DpiWithUnit", "Xft.dpi:\t192dpi\n", nullptr, 1, "Xft.dpi '192dpi'"},
    {"BadDpiFallsToGdkScale", "Xft.dpi:\tlarge\n", "3", 3, "Xft.dpi 'large'"},
    {"Gdk1", nullptr, "1", 1, nullptr},
    {"Gdk2", "", "2", 2, nullptr},
    {"GdkEmptyIsUnset", nullptr, "", 1, nullptr},
    {"GdkAboveEightHeldAtEight", nullptr, "192", 8, nullptr},
    {"GdkFraction", nullptr, "1.5", 1, "GDK_SCALE '1.5'"},
    {"GdkZero", nullptr, "0", 1, "GDK_SCALE '0'"},
    {"GdkGarbage", nullptr, "two", 1, "GDK_SCALE 'two'"},
    {"GdkWithBlank", nullptr, " 2", 1, "GDK_SCALE ' 2'"},
};

INSTANTIATE_TEST_SUITE_P(Sources, DesktopScale, ::testing::ValuesIn(kSourceCases),
                         [](const ::testing::TestParamInfo<SourceCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(TextScaleSources, XftDpiValueIsFoundAmongOtherResourcesAndCopiedBounded) {
  char value[8];
  ASSERT_TRUE(XftDpiResource("*background:\tblack\nXft.dpi:\t192\n", value, sizeof value));
  EXPECT_STREQ(value, "192");
  ASSERT_TRUE(XftDpiResource("Xft.dpi: 1234567890123\n", value, sizeof value));
  EXPECT_STREQ(value, "1234567");
  // A later entry of the same name replaces an earlier one, as xrdb -merge does.
  ASSERT_TRUE(XftDpiResource("Xft.dpi: 96\nXft.dpi: 144\n", value, sizeof value));
  EXPECT_STREQ(value, "144");
  EXPECT_FALSE(XftDpiResource("Xft.dpix:\t192\nXterm.dpi:\t192\n", value, sizeof value));
  EXPECT_FALSE(XftDpiResource("! Xft.dpi:\t192\n", value, sizeof value));  // a comment
  EXPECT_FALSE(XftDpiResource("", value, sizeof value));
  EXPECT_FALSE(XftDpiResource(nullptr, value, sizeof value));
}

TEST(TextScaleSources, AStrayScaleIsHeldWithinOneToEight) {
  const int saved = textScale;
  textScale = 0;
  EXPECT_EQ(TextScale(), 1);
  textScale = 9;
  EXPECT_EQ(TextScale(), 8);
  textScale = 3;
  EXPECT_EQ(TextScale(), 3);
  textScale = saved;
}

}  // namespace

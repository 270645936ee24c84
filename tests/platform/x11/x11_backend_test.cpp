// What only the X11 backend promises: POSIX path roots and separators, X window ids as the
// command line gives them, and the Xft.dpi entry as Xlib's resource manager matches it.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/x11/xft_dpi.h"

namespace {

TEST(X11Paths, OnlyTheSlashSeparatesAndOnlyALeadingSlashIsARoot) {
  EXPECT_STREQ(PathSeparators(), "/");
  EXPECT_EQ(PathRootLength("/usr/bin"), 1u);
  EXPECT_EQ(PathRootLength("/"), 1u);
  EXPECT_EQ(PathRootLength("shots/a.png"), 0u);
  EXPECT_EQ(PathRootLength("C:/shots"), 0u);  // a folder named "C:" here
  EXPECT_EQ(PathRootLength(""), 0u);
  EXPECT_STREQ(ProgramDataFolder(), "../share/quor");
}

struct WindowIdCase {
  const char* text;
  bool ok;
  uint64_t id;
};

class X11WindowIds : public ::testing::TestWithParam<WindowIdCase> {};

TEST_P(X11WindowIds, HexOrDecimalWithinTheXidRange) {
  const WindowIdCase& c = GetParam();
  uint64_t id = 7;
  EXPECT_EQ(ParseTargetWindow(c.text, &id), c.ok) << c.text;
  EXPECT_EQ(id, c.ok ? c.id : 7u) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, X11WindowIds,
    ::testing::Values(WindowIdCase{"0x1c00007", true, 0x1c00007},
                      WindowIdCase{"0X1FFFFFFF", true, 0x1FFFFFFF},
                      WindowIdCase{"29360135", true, 29360135},
                      WindowIdCase{"0x20000000", false, 0}, WindowIdCase{"0", false, 0},
                      WindowIdCase{"-5", false, 0}, WindowIdCase{" 5", false, 0},
                      WindowIdCase{"0x", false, 0}, WindowIdCase{"", false, 0},
                      WindowIdCase{"0xFFFFFFFFFFFFFFFFFF", false, 0},
                      WindowIdCase{"0x0x5", false, 0}, WindowIdCase{"0X0x5", false, 0},
                      WindowIdCase{"60000C", false, 0}, WindowIdCase{"12abc", false, 0}));

struct ResourceCase {
  const char* name;
  const char* resources;
  const char* value;  // nullptr: none found
};

class XftDpi : public ::testing::TestWithParam<ResourceCase> {};

TEST_P(XftDpi, TheEntryXlibWouldMatch) {
  const ResourceCase& c = GetParam();
  char value[64] = "untouched";
  EXPECT_EQ(XftDpiResource(c.resources, value, sizeof value), c.value != nullptr);
  EXPECT_STREQ(value, c.value != nullptr ? c.value : "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Resources, XftDpi,
    ::testing::Values(ResourceCase{"None", nullptr, nullptr}, ResourceCase{"Empty", "", nullptr},
                      ResourceCase{"Plain", "Xft.dpi:\t144\n", "144"},
                      ResourceCase{"AmongOthers",
                                   "Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", "192"},
                      ResourceCase{"LaterEntryWins", "Xft.dpi:\t96\nXft.dpi:\t192\n", "192"},
                      ResourceCase{"LooseBinding", "*dpi:\t120\n", "120"},
                      ResourceCase{"OtherProgramOnly", "XTerm.dpi:\t120\n", nullptr},
                      ResourceCase{"BadValueKept", "Xft.dpi:\t192dpi\n", "192dpi"}),
    [](const ::testing::TestParamInfo<ResourceCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace

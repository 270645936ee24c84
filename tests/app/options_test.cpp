// The command line: GNU options, freeglut's X options passed over, key scripts and capture
// names checked before anything opens.
#include "app/options.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/embed_window.h"

namespace {

struct Parse {
  ParseOutcome outcome;
  Options options;
  std::string out, err;
};

Parse ParseWords(std::vector<std::string> words) {
  words.insert(words.begin(), "quor");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  Parse p;
  char* outText = nullptr;
  char* errText = nullptr;
  size_t outSize = 0, errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  p.outcome = ParseOptions(static_cast<int>(words.size()), argv.data(), &p.options, out, err);
  std::fclose(out);
  std::fclose(err);
  p.out = outText;
  p.err = errText;
  free(outText);
  free(errText);
  return p;
}

TEST(Options, OwnOptionsAreReadAndFreeglutsArePassedOver) {
  const Parse p =
      ParseWords({"-display", ":7", "-w", "-geometry", "300x200+1+2", "-iconic", "-cu", "--clouds",
                  "--step=33", "--clock-start=4294967000", "--frames=90",
                  "--capture=shots/%04d.png", "--keys=2:x 1:Space 2:F12", "--text-scale=8"});
  ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
  EXPECT_TRUE(p.options.windowed && p.options.clockOn && p.options.universeOn && p.options.clouds);
  EXPECT_TRUE(p.options.geometryGiven);
  EXPECT_TRUE(p.options.fixedClock);
  EXPECT_EQ(p.options.stepMs, 33u);
  EXPECT_EQ(p.options.clockStartMs, 4294967000u);
  EXPECT_EQ(p.options.frames, 90u);
  EXPECT_EQ(p.options.capture, "shots/%04d.png");
  EXPECT_EQ(p.options.textScale, 8);
  // In frame order; keys of one frame in the order written.
  ASSERT_EQ(p.options.keys.size(), 3u);
  EXPECT_EQ(p.options.keys[0].frame, 1u);
  EXPECT_EQ(p.options.keys[0].code, ' ');
  EXPECT_EQ(p.options.keys[1].code, 'x');
  EXPECT_FALSE(p.options.keys[1].special);
  EXPECT_TRUE(p.options.keys[2].special);
  EXPECT_EQ(p.options.keys[2].code, GLUT_KEY_F12);
  EXPECT_TRUE(p.out.empty());
  EXPECT_TRUE(p.err.empty());
}

TEST(Options, HelpAndVersionAnswerOnStandardOutput) {
  Parse p = ParseWords({"--help"});
  EXPECT_EQ(p.outcome, ParseOutcome::kExitSuccess);
  EXPECT_EQ(p.out.rfind("Usage: quor", 0), 0u);
  p = ParseWords({"-V"});
  EXPECT_EQ(p.outcome, ParseOutcome::kExitSuccess);
  EXPECT_EQ(p.out.rfind("quor ", 0), 0u);
  EXPECT_TRUE(p.err.empty());
}

TEST(Options, EveryBadCommandLineNamesWhatIsWrongAndShowsTheUsage) {
  const struct {
    std::vector<std::string> words;
    const char* named;
  } cases[] = {
      {{"--bogus"}, "'--bogus'"},
      {{"-x"}, "'-x'"},
      {{"--step"}, "'--step' needs a value"},
      {{"--step=101"}, "'101'"},
      {{"--step=-1"}, "'-1'"},
      {{"--step=5ms"}, "'5ms'"},
      {{"--frames=0"}, "'0'"},
      {{"--clock-start=4294967296", "--step=1"}, "'4294967296'"},
      {{"--clock-start=5"}, "--clock-start needs --step"},
      {{"--capture="}, "--capture"},
      {{"--capture=%s.png"}, "'%s.png'"},
      {{"--capture=%d-%d.png"}, "'%d-%d.png'"},
      {{"--capture=%n"}, "'%n'"},
      {{"--keys=1:x 0:y"}, "'0:y'"},
      {{"--keys=3:"}, "'3:'"},
      {{"--keys=3:ab"}, "'3:ab'"},
      {{"--keys=x"}, "'x'"},
      {{"--keys=2:Enter"}, "'2:Enter'"},
      {{"--text-scale=0"}, "'0'"},
      {{"--text-scale=9"}, "'9'"},
      {{"--text-scale=2x"}, "'2x'"},
      {{"--text-scale"}, "'--text-scale' needs a value"},
      {{"stray"}, "'stray'"},
      {{"--window-id"}, "'--window-id' needs a value"},
      {{"--window-id=0"}, "'0'"},
      {{"--window-id=zz"}, "'zz'"},
      {{"--max-fps=1001"}, "'1001'"},
      {{"--max-fps=-1"}, "'-1'"},
      {{"--max-fps=30fps"}, "'30fps'"},
      {{"--max-fps="}, "''"},
  };
  for (const auto& c : cases) {
    const Parse p = ParseWords(c.words);
    EXPECT_EQ(p.outcome, ParseOutcome::kExitUsage) << c.words[0];
    EXPECT_NE(p.err.find(c.named), std::string::npos) << c.words[0] << ": " << p.err;
    EXPECT_NE(p.err.find("Usage: quor"), std::string::npos) << c.words[0];
    EXPECT_TRUE(p.out.empty()) << c.words[0];
  }
}

TEST(Options, ASaversWindowCapsTheFrameRateAtSixtyUnlessToldOtherwise) {
  const struct {
    std::vector<std::string> words;
    bool embedded;
    unsigned long windowId;
    uint32_t cap;
  } cases[] = {
      {{}, false, 0, 0},
      {{"--max-fps=10"}, false, 0, 10},
      {{"-r"}, true, 0, 60},
      {{"--root", "--max-fps=0"}, true, 0, 0},
      {{"--window-id=0x60000C"}, true, 0x60000C, 60},
      {{"--window-id=123", "--max-fps=1000"}, true, 123, 1000},
      {{"-w", "-display", ":3", "--root"}, true, 0, 60},
  };
  for (const auto& c : cases) {
    const Parse p = ParseWords(c.words);
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
    EXPECT_EQ(p.options.Embedded(), c.embedded) << p.options.windowId;
    EXPECT_EQ(p.options.windowId, c.windowId);
    EXPECT_EQ(p.options.FrameCap(), c.cap) << (c.words.empty() ? "" : c.words.back());
  }
  EXPECT_EQ(ParseWords({"-display", ":3", "-r"}).options.display, ":3");
}

// Window ids as screen savers write them in $XSCREENSAVER_WINDOW and on command lines.
class WindowIdText : public ::testing::TestWithParam<std::pair<const char*, unsigned long>> {};

TEST_P(WindowIdText, IsReadOrRefused) {
  const auto& [text, expected] = GetParam();
  unsigned long id = 7;
  EXPECT_EQ(ParseWindowId(text, &id), expected != 0) << text;
  EXPECT_EQ(id, expected != 0 ? expected : 7) << text << ": a refused id must leave the value";
}

INSTANTIATE_TEST_SUITE_P(
    Ids, WindowIdText,
    ::testing::Values(
        std::make_pair("0x60000C", 0x60000CUL), std::make_pair("0X1a", 0x1AUL),
        std::make_pair("6291468", 6291468UL), std::make_pair("0x1FFFFFFF", 0x1FFFFFFFUL),
        std::make_pair("536870911", 0x1FFFFFFFUL),
        // out of range: None, and ids with the top three bits set
        std::make_pair("0", 0UL), std::make_pair("0x0", 0UL), std::make_pair("0x20000000", 0UL),
        std::make_pair("536870912", 0UL), std::make_pair("0xFFFFFFFFFFFFFFFFFF", 0UL),
        // garbage
        std::make_pair("", 0UL), std::make_pair("0x", 0UL), std::make_pair("-5", 0UL),
        std::make_pair("+5", 0UL), std::make_pair(" 5", 0UL), std::make_pair("5 ", 0UL),
        std::make_pair("0x-5", 0UL), std::make_pair("60000C", 0UL), std::make_pair("0x60000G", 0UL),
        std::make_pair("12abc", 0UL)));

TEST(Options, CaptureNamesWithAFrameNumberSaveEveryFrame) {
  bool valid = false;
  size_t d = 0;
  EXPECT_TRUE(CapturePatternHasFrameNumber("f%04d.png", &valid, &d));
  EXPECT_TRUE(valid);
  EXPECT_EQ(d, 4u);
  EXPECT_TRUE(CapturePatternHasFrameNumber("100%%-%d.png", &valid));
  EXPECT_FALSE(CapturePatternHasFrameNumber("last.png", &valid));
  EXPECT_TRUE(valid);
  EXPECT_FALSE(CapturePatternHasFrameNumber("100%%d.png", &valid));  // a literal "%d"
  EXPECT_TRUE(valid);
  EXPECT_FALSE(CapturePatternHasFrameNumber("%123d.png", &valid));  // widths of 1 or 2 digits
  EXPECT_FALSE(valid);
}

}  // namespace

// The command line: GNU options, freeglut's X options passed over, key scripts and capture
// names checked before anything opens.
#include "app/options.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

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
  const Parse p = ParseWords({"-display", ":7", "-w", "-geometry", "300x200+1+2", "-iconic", "-cu",
                              "--clouds", "--step=33", "--clock-start=4294967000", "--frames=90",
                              "--capture=shots/%04d.png", "--keys=2:x 1:Space 2:F12"});
  ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
  EXPECT_TRUE(p.options.windowed && p.options.clockOn && p.options.universeOn && p.options.clouds);
  EXPECT_TRUE(p.options.geometryGiven);
  EXPECT_TRUE(p.options.fixedClock);
  EXPECT_EQ(p.options.stepMs, 33u);
  EXPECT_EQ(p.options.clockStartMs, 4294967000u);
  EXPECT_EQ(p.options.frames, 90u);
  EXPECT_EQ(p.options.capture, "shots/%04d.png");
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
      {{"--render-scale=0.2"}, "'0.2'"},
      {{"--render-scale=1.01"}, "'1.01'"},
      {{"--render-scale=0.5x"}, "'0.5x'"},
      {{"--render-scale=nan"}, "'nan'"},
      {{"--render-scale=-0.5"}, "'-0.5'"},
      {{"--render-scale=Auto"}, "'Auto'"},
      {{"--render-scale=auto", "--target-fps=0"}, "'0'"},
      {{"--render-scale=auto", "--target-fps=1001"}, "'1001'"},
      {{"--target-fps=30"}, "--target-fps needs --render-scale=auto"},
      {{"--render-scale=auto", "--target-fps=30", "--render-scale=0.5"},
       "--target-fps needs --render-scale=auto"},
      {{"stray"}, "'stray'"},
  };
  for (const auto& c : cases) {
    const Parse p = ParseWords(c.words);
    EXPECT_EQ(p.outcome, ParseOutcome::kExitUsage) << c.words[0];
    EXPECT_NE(p.err.find(c.named), std::string::npos) << c.words[0] << ": " << p.err;
    EXPECT_NE(p.err.find("Usage: quor"), std::string::npos) << c.words[0];
    EXPECT_TRUE(p.out.empty()) << c.words[0];
  }
}

TEST(Options, RenderScaleIsANumberFromAQuarterToOneOrAuto) {
  Parse p = ParseWords({});
  EXPECT_EQ(p.options.renderScale, 1.0);
  EXPECT_FALSE(p.options.renderScaleAuto);
  EXPECT_EQ(p.options.targetFps, 30u);
  for (const auto& [word, scale] : {std::pair<const char*, double>{"0.25", 0.25},
                                    {"1", 1.0},
                                    {".5", 0.5},
                                    {"0.35", 0.35},
                                    {"1.0", 1.0}}) {
    p = ParseWords({std::string("--render-scale=") + word});
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << word << ": " << p.err;
    EXPECT_EQ(p.options.renderScale, scale) << word;
    EXPECT_FALSE(p.options.renderScaleAuto) << word;
  }
  p = ParseWords({"--render-scale=auto", "--target-fps=45"});
  ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
  EXPECT_TRUE(p.options.renderScaleAuto);
  EXPECT_EQ(p.options.targetFps, 45u);
}

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

// The command line: GNU options, freeglut's X options passed over, the options of the settings
// that keys change, key scripts and capture names checked before anything opens, and the
// screen-saver settings dialog, every argument of which quor must accept.
#include "app/options.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_capture.h"
#include "platform/platform.h"
#include "tests/support/captured_stream.h"

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
  CapturedStream out, err;
  p.outcome =
      ParseOptions(static_cast<int>(words.size()), argv.data(), &p.options, out.get(), err.get());
  p.out = out.Text();
  p.err = err.Text();
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
  EXPECT_EQ(p.outcome, ParseOutcome::kAnswered);
  EXPECT_EQ(p.out.rfind("Usage: quor", 0), 0u);
  p = ParseWords({"-V"});
  EXPECT_EQ(p.outcome, ParseOutcome::kAnswered);
  EXPECT_EQ(p.out.rfind("quor ", 0), 0u);
  EXPECT_TRUE(p.err.empty());
}

// What --help and the window id's error say of the window system is the platform's: its lines
// are there whole, in the order of the help, and the rest is the same on every platform.
TEST(Options, HelpSpeaksOfTheWindowSystemInThePlatformsWords) {
  const CommandLineTexts& platform = PlatformCommandLineTexts();
  const std::string help = ParseWords({"--help"}).out;
  EXPECT_EQ(help.rfind(platform.usage, 0), 0u);
  size_t at = 0;
  for (const char* part : {platform.usage, platform.textScale, platform.root, platform.windowId,
                           platform.systemOptions, platform.exitStatus}) {
    ASSERT_GT(std::strlen(part), 0u);
    EXPECT_EQ(part[std::strlen(part) - 1], '\n') << part;
    const size_t found = help.find(part, at);
    ASSERT_NE(found, std::string::npos) << part;
    EXPECT_TRUE(found == 0 || help[found - 1] == '\n') << part;
    at = found + std::strlen(part);
  }
  EXPECT_EQ(at, help.size()) << "the exit statuses close the help";
  const std::string first = ParseWords({"--window-id=zz"}).err;
  EXPECT_EQ(first.substr(0, first.find('\n')),
            std::string("quor: --window-id takes ") + platform.windowIdValue + ", not 'zz'");
}

// Screen lockers start a hack as "HACK -root" or "HACK -window-id ID", with -fps for the clock.
TEST(Options, TheHacksOneDashFormsAreTheirGnuOptions) {
  const Parse root = ParseWords({"-root", "-fps"});
  EXPECT_TRUE(root.outcome == ParseOutcome::kRun && root.options.root && root.options.clockOn);
  // Decimal: the id both platforms take.
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"-window-id", "42"}, std::vector<std::string>{"-window-id=42"}})
    EXPECT_EQ(ParseWords(words).options.windowId, 42u) << words[0];
}

struct BadCommandLine {
  std::vector<std::string> words;
  const char* named;  // what the first line of the message must hold
};

class BadCommandLines : public ::testing::TestWithParam<BadCommandLine> {};

TEST_P(BadCommandLines, NameWhatIsWrongAsGnuToolsDoAndShowTheUsage) {
  const BadCommandLine& c = GetParam();
  const Parse p = ParseWords(c.words);
  EXPECT_EQ(p.outcome, ParseOutcome::kBadUsage);
  const std::string first = p.err.substr(0, p.err.find('\n'));
  EXPECT_EQ(first.rfind("quor: ", 0), 0u) << first;
  EXPECT_NE(first.find(c.named), std::string::npos) << first;
  EXPECT_NE(p.err.find("Usage: quor"), std::string::npos);
  EXPECT_TRUE(p.out.empty());
}

using B = BadCommandLine;
INSTANTIATE_TEST_SUITE_P(
    Options, BadCommandLines,
    ::testing::Values(
        B{{"--bogus"}, "unrecognized option '--bogus'"}, B{{"-x"}, "invalid option -- 'x'"},
        B{{"--step"}, "option '--step' requires an argument"},
        // A value given to an option that takes none is named with the option as written.
        B{{"--help=3"}, "option '--help' doesn't allow an argument"},
        // Long options only in full: no abbreviation, unique or not.
        B{{"--win"}, "unrecognized option '--win'"}, B{{"--step=101"}, "'101'"},
        B{{"--step=-1"}, "'-1'"}, B{{"--step=5ms"}, "'5ms'"}, B{{"--frames=0"}, "'0'"},
        B{{"--clock-start=4294967296", "--step=1"}, "'4294967296'"},
        B{{"--clock-start=5"}, "--clock-start needs --step"}, B{{"--capture="}, "--capture"},
        B{{"--capture=%s.png"}, "'%s.png'"}, B{{"--capture=%d-%d.png"}, "'%d-%d.png'"},
        B{{"--capture=%n"}, "'%n'"}, B{{"--capture=a%5d.png"}, "'a%5d.png'"},  // space padding
        B{{"--keys=1:x 0:y"}, "'0:y'"}, B{{"--keys=3:"}, "'3:'"}, B{{"--keys=3:ab"}, "'3:ab'"},
        B{{"--keys=x"}, "'x'"},
        // A key name that is not one lists the names there are.
        B{{"--keys=2:Enter"},
          "'2:Enter' is not FRAME:KEY (KEY: one character or Space, Escape, Left, Right, Up, "
          "Down, F12, in any case)"},
        B{{"--polygon-mode=line"}, "--polygon-mode takes fill, lines or points"},
        B{{"--text-scale=9"}, "'9'"}, B{{"--window-id=zz"}, "'zz'"},
        B{{"--max-fps=1001"}, "'1001'"}, B{{"--render-scale=0.12"}, "'0.12'"},
        B{{"--render-scale=1.01"}, "'1.01'"}, B{{"--render-scale=nan"}, "'nan'"},
        B{{"--target-fps=30"}, "--target-fps needs --render-scale=auto"},
        B{{"--render-scale=auto", "--target-fps=30", "--render-scale=0.5"},
          "--target-fps needs --render-scale=auto"},
        B{{"--cpu-budget=0.5"}, "--cpu-budget needs --render-scale=auto"},
        B{{"--root", "--render-scale=1", "--cpu-budget=1"},
          "--cpu-budget needs --render-scale=auto"},
        B{{"--render-scale=auto", "--cpu-budget=-1"}, "'-1'"},
        B{{"--render-scale=auto", "--cpu-budget=1025"}, "'1025'"},
        B{{"stray"}, "unexpected argument 'stray'"},
        // Of the one-dash world only the hacks' whole words, and never an id or after "--".
        B{{"-clouds"}, "invalid option -- 'l'"}, B{{"-roots"}, "invalid option -- 'o'"},
        B{{"-window-id", "-root"}, "'-root'"}, B{{"--", "-root"}, "unexpected argument '-root'"}));

// A saver draws at most 30 frames a second, at a scale chosen to hold them within half a core,
// unless told otherwise; the viewer keeps full resolution, no cap and no budget.
TEST(Options, ASaversWindowDefaultsToAutoAtThirtyWithinHalfACore) {
  const struct {
    std::vector<std::string> words;
    unsigned long windowId;  // ~0: not embedded at all
    uint32_t cap;
    bool autoScale;
    double scale, cores;
  } cases[] = {
      {{}, ~0UL, 0, false, 1.0, 0.0},
      {{"--max-fps=10"}, ~0UL, 10, false, 1.0, 0.0},
      {{"--render-scale=auto"}, ~0UL, 0, true, 1.0, 0.0},
      {{"--render-scale=auto", "--cpu-budget=1.5"}, ~0UL, 0, true, 1.0, 1.5},
      {{"-w", "-display", ":3", "-r"}, 0, 30, true, 1.0, 0.5},
      {{"--root", "--max-fps=0"}, 0, 0, true, 1.0, 0.5},
      {{"--root", "--render-scale=1"}, 0, 30, false, 1.0, 0.5},
      {{"--root", "--cpu-budget=0"}, 0, 30, true, 1.0, 0.0},
      {{"--window-id=6291468", "--render-scale=0.5"}, 6291468, 30, false, 0.5, 0.5},
      {{"--window-id=6291468", "--max-fps=60", "--cpu-budget=2"}, 6291468, 60, true, 1.0, 2.0},
  };
  for (const auto& c : cases) {
    const Parse p = ParseWords(c.words);
    const std::string last = c.words.empty() ? "" : c.words.back();
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
    EXPECT_EQ(p.options.Embedded(), c.windowId != ~0UL) << p.options.windowId;
    EXPECT_EQ(p.options.windowId, c.windowId == ~0UL ? 0UL : c.windowId);
    EXPECT_EQ(p.options.FrameCap(), c.cap) << last;
    EXPECT_EQ(p.options.renderScaleAuto, c.autoScale) << last;
    EXPECT_EQ(p.options.renderScale, c.scale) << last;
    EXPECT_EQ(p.options.CpuBudget(), c.cores) << last;
  }
  EXPECT_EQ(ParseWords({"-display", ":3", "-r"}).options.display, ":3");
}

// On battery a saver's defaults halve, what the user set stays, and the viewer is untouched.
TEST(Options, OnBatteryASaversDefaultsHalveUnlessSetOrKeptAtFullSpeed) {
  const struct {
    std::vector<std::string> words;
    uint32_t cap;
    double cores;
  } cases[] = {
      {{"--root"}, 15, 0.25},
      {{"--window-id=42"}, 15, 0.25},
      {{"--root", "--max-fps=30"}, 30, 0.25},
      {{"--root", "--cpu-budget=0.5"}, 15, 0.5},
      {{"--root", "--full-speed-on-battery"}, 30, 0.5},
      {{}, 0, 0.0},
  };
  for (const auto& c : cases) {
    Parse p = ParseWords(c.words);
    ASSERT_EQ(p.outcome, ParseOutcome::kRun) << p.err;
    p.options.onBattery = true;
    const std::string last = c.words.empty() ? "(viewer)" : c.words.back();
    EXPECT_EQ(p.options.FrameCap(), c.cap) << last;
    EXPECT_EQ(p.options.CpuBudget(), c.cores) << last;
    p.options.onBattery = false;  // back on mains: the saver's full defaults
    if (p.options.Embedded() && p.options.maxFps < 0) {
      EXPECT_EQ(p.options.FrameCap(), 30u) << last;
    }
  }
}

TEST(Options, RenderScaleIsANumberFromAnEighthToOneOrAuto) {
  EXPECT_EQ(ParseWords({}).options.renderScale, 1.0);
  EXPECT_EQ(ParseWords({}).options.targetFps, 30u);
  EXPECT_EQ(ParseWords({"--render-scale=0.125"}).options.renderScale, 0.125);
  EXPECT_EQ(ParseWords({"--render-scale=.5"}).options.renderScale, 0.5);
  const Parse p = ParseWords({"--render-scale=auto", "--target-fps=45"});
  EXPECT_TRUE(p.outcome == ParseOutcome::kRun && p.options.renderScaleAuto) << p.err;
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
  EXPECT_FALSE(CapturePatternHasFrameNumber("%0123d.png", &valid));  // widths of 1 or 2 digits
  EXPECT_FALSE(valid);
  EXPECT_TRUE(CapturePatternHasFrameNumber("f%010d.png", &valid, &d));
  EXPECT_TRUE(valid);
  EXPECT_EQ(d, 5u);
}

// The one-key wording, and %% in a single file's name, are pinned end to end.
TEST(Options, KeysAfterTheLastFrameAreNamedAndTheRunGoesOn) {
  const Parse p = ParseWords({"--keys=31:u 2:x 40:o", "--frames=30"});
  EXPECT_EQ(p.outcome, ParseOutcome::kRun);
  EXPECT_EQ(p.err,
            "quor: warning: 2 keys of --keys, from frame 31 on, come after the last frame "
            "(--frames=30) and are never pressed\n");
  // The last frame itself still gets its keys.
  EXPECT_TRUE(ParseWords({"--frames=30", "--keys=30:u"}).err.empty());
}

// One option for each kind of value a key changes: both ends of its range taken, just beyond
// them refused with the option, the range and the value named. The values reach the settings
// as the keys' own do: the end-to-end tests compare the frames.
TEST(Options, SettingsTakeBothEndsOfTheirRangeAndRefuseWhatLiesBeyond) {
  const char* const ranges[][6] = {
      {"--particles", "10", "320", "9", "321", "1x"},
      {"--fov", "10", "178", "11", "180", "0x10"},  // only even degrees, as the keys reach them
      {"--camera-z", "-100", "+100", "-100.01", "100.5", "nan"},
      {"--object-size", "0.01", "100", "0.009", "100.001", "1e1"},
  };
  for (const auto& r : ranges) {
    const std::string option = r[0];
    for (int i = 1; i < 6; ++i) {
      const Parse p = ParseWords({option + "=" + r[i]});
      EXPECT_EQ(p.outcome, i < 3 ? ParseOutcome::kRun : ParseOutcome::kBadUsage) << r[i];
      if (i >= 3) {
        EXPECT_EQ(p.err.rfind("quor: " + option + " takes ", 0), 0u) << p.err;
        EXPECT_NE(p.err.find(", not '" + std::string(r[i]) + "'\n"), std::string::npos) << p.err;
      }
    }
  }
  EXPECT_FALSE(ParseWords({}).options.startSettings.particleLimit);  // the defaults stay
  for (const auto& [mode, value] : {std::pair{"fill", 0}, {"lines", 1}, {"points", 2}}) {
    EXPECT_EQ(ParseWords({std::string("--polygon-mode=") + mode}).options.startSettings.polyMode,
              value)
        << mode;
  }
}

// Every command line the screen saver's settings dialog can make: its command with each number
// at its low, default and high value, each boolean set and unset, and each option of each menu.
TEST(ScreenSaverSettings, EveryArgumentTheDialogCanGiveIsAcceptedByQuor) {
  std::ifstream in(std::string(QUOR_SOURCE_DIR) + "/dist/quor.xml");
  const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(xml.find("<screensaver name=\"quor\" _label=\"Quor\""), std::string::npos);
  EXPECT_NE(xml.find("<_description>"), std::string::npos);
  const auto attribute = [](const std::string& tag, const char* name) {
    std::smatch m;
    return std::regex_search(tag, m, std::regex(std::string("\\s") + name + "=\"([^\"]*)\""))
               ? m[1].str()
               : std::string();
  };
  const auto accepted = [](const std::string& argument) {
    std::istringstream words(argument);
    std::vector<std::string> command = {"--root"};
    for (std::string w; words >> w;) command.push_back(w);
    const Parse p = ParseWords(command);
    EXPECT_TRUE(p.outcome == ParseOutcome::kRun && p.err.empty()) << argument << "\n" << p.err;
  };
  const std::regex element("<(command|number|boolean|option|select)\\b[^>]*>");
  std::set<std::string> kinds;
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element);
       it != std::sregex_iterator(); ++it) {
    const std::string tag = it->str(), kind = it->str(1), arg = attribute(tag, "arg");
    kinds.insert(kind);
    if (kind == "command") {
      EXPECT_EQ(arg, "--root");
    }
    if (kind == "number") {
      ASSERT_NE(arg.find('%'), std::string::npos) << tag;
      for (const char* end : {"low", "default", "high"})
        accepted(std::string(arg).replace(arg.find('%'), 1, attribute(tag, end)));
    }
    if (kind == "boolean") accepted(attribute(tag, "arg-set") + " " + attribute(tag, "arg-unset"));
    if (kind == "option") accepted(attribute(tag, "arg-set"));
  }
  EXPECT_EQ(kinds.size(), 5u) << "every kind of setting found";

  // The dialog passes nothing for its defaults, so they must be the saver's own: auto, at 30.
  const Options saver = ParseWords({"--root"}).options;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(xml, m, std::regex("<number id=\"max-fps\"[^>]*>")));
  EXPECT_EQ(attribute(m.str(), "default"), std::to_string(saver.FrameCap()));
  ASSERT_TRUE(std::regex_search(xml, m, std::regex("<option id=\"render-scale-auto\"[^>]*>")));
  EXPECT_EQ(attribute(m.str(), "arg-set"), "");
  EXPECT_TRUE(saver.renderScaleAuto);
  EXPECT_NE(xml.find("arg-set=\"--render-scale 1\""), std::string::npos)
      << "full resolution offered";
}

}  // namespace

// The help page: a title, the keys of this simulation, the keys shared with its kind, two credit
// lines and the way back, laid out from 9 % of the window height down.
#include "text/help_screen.h"

#include "app/shell.h"
#include "text/text_overlay.h"

namespace {

constexpr double kTitleYFraction = 0.09;  // title baseline as a fraction of the window height
constexpr int16_t kTitleX = 20;
constexpr float kTitleSize = 30.0f;
constexpr int16_t kLineX = 30;
constexpr float kLineSize = 18.0f;
constexpr int kLineStep = 17;  // lines are 18 high but 17 apart: one overlapping row
// Extra space after the title, and before the standard controls, in line steps; the sums are
// truncated, giving 23 and 22 pixels.
constexpr double kTitleGapSteps = 1.4;
constexpr double kSectionGapSteps = 0.3;
constexpr int kFirstStandardLine = 5;  // index of "Standard Controls ..."

// Leading spaces line up the key and description columns: a space moves the pen 8 pixels at 18.
const char* const kHelpText[kHelpLineCount] = {
    "Embrix",
    "Special Controls for this simulation:",
    "<Left/Right> - Adjust Main Flow Speed",
    "           []  Adjust Object Size (Flame Intensity!)",
    "            o  Toggle Available Options: Flames/Clouds",
    "Standard Controls in most simulations where applicable:",
    "          -=  Adjust World Rotate Speed",
    "  shift   _+  Adjust World Movement Speed",
    "  shift   {}  Adjust World Closeness (Camera Z)",
    "  shift   ()  Adjust Light Rotate Speed",
    "unshifted <>  Adjust Screen Magnification",
    "           c  Toggle Frame-Per-Second Clock",
    "           f  Toggle FullScreen/Window",
    "           l  Adjust Letterbox Size 0-6",
    "           p  Toggle Pause On/Off",
    "           r  Reset/Randomize all parameters",
    "           s  Toggle Color SpotLites On-Off",
    "           t  Toggle Textures On-Off",
    "           u  Toggle Universe of Stars On/Off",
    "           w  Toggle Polygons/Wireframe/Points",
    "      <SPACE> Toggle Hyperspace (brief non-blanking)",
    "        <ESC> to QUIT.",
    "   -------------------------------------------------------- ",
    "   Quor - real-time flames and clouds",
    "   Written 2026 by the Quor developers",
    "   <?> to return",
};

int16_t AddTruncated(int16_t y, double step) {
  return static_cast<int16_t>(y + step);
}

int16_t TitleY(int windowHeight) {
  return static_cast<int16_t>(windowHeight * kTitleYFraction);
}

// The y of line index + 1 from the y of line index, with the 16-bit truncations of the page.
int16_t NextLineY(int16_t y, int index) {
  if (index == 0) return AddTruncated(y, kLineStep * kTitleGapSteps);
  y = static_cast<int16_t>(y + kLineStep);
  if (index + 1 == kFirstStandardLine) y = AddTruncated(y, kLineStep * kSectionGapSteps);
  return y;
}

HelpLine LineAt(int index, int16_t y) {
  if (index == 0) return HelpLine{kHelpText[0], kTitleX, y, kTitleSize};
  return HelpLine{kHelpText[index], kLineX, y, kLineSize};
}

}  // namespace

HelpLine HelpLineAt(int index, int windowHeight) {
  if (index < 0) index = 0;
  if (index >= kHelpLineCount) index = kHelpLineCount - 1;
  int16_t y = TitleY(windowHeight);
  for (int line = 0; line < index; ++line) y = NextLineY(y, line);
  return LineAt(index, y);
}

void DrawHelpScreen() {
  textOverlay.recordText = 0;  // no line of the page may replace the remembered message
  int16_t y = TitleY(OverlayHeight());
  for (int i = 0; i < kHelpLineCount; ++i) {
    const HelpLine line = LineAt(i, y);
    textOverlay.DrawText(line.text, line.x, line.y, line.size);
    y = NextLineY(y, i);
  }
  textOverlay.recordText = 1;
}

// The status line: the timed message and its three seconds, the frame/second line and the
// OpenGL error line, observed through the glyphs they send to GL.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>

#include "app/clock.h"
#include "app/shell.h"
#include "tests/support/gl_window_test.h"
#include "tests/text/drawn_text.h"
#include "text/text_overlay.h"

namespace {

class MessagesTest : public GlWindowTest {
 protected:
  // The glyphs one frame's DrawMessage sends, as the message loop of the frame would.
  std::vector<DrawnGlyph> MessageFrame(uint64_t clockMs) {
    SetClock(clockMs);
    return CaptureGlyphs([&] {
      if (overlay.messageExpiry != 0.0) overlay.DrawMessage();
    });
  }

  TextOverlay overlay;
};

TEST_F(MessagesTest, MessagePostedAtTIsDrawnUntilTPlusThreeSeconds) {
  SetClock(5000);
  const auto posted = CaptureGlyphs([&] { overlay.ShowMessage("Universe On"); });
  EXPECT_EQ(CellsOf(posted), ExpectedCells("Universe On"));  // drawn at once as well
  EXPECT_DOUBLE_EQ(overlay.messageExpiry, 8.0);

  for (uint32_t ms : {5000u, 6500u, 7999u}) {
    const auto glyphs = MessageFrame(ms);
    ASSERT_EQ(CellsOf(glyphs), ExpectedCells("Universe On")) << ms;
    EXPECT_FLOAT_EQ(glyphs[0].left, 10.0f);
    EXPECT_FLOAT_EQ(glyphs[0].bottom, kHeight - 20.0f);
    EXPECT_FLOAT_EQ(glyphs[0].top - glyphs[0].bottom, 20.0f);
  }
  EXPECT_TRUE(MessageFrame(8000).empty());
  EXPECT_EQ(overlay.messageExpiry, 0.0);
  EXPECT_TRUE(MessageFrame(8100).empty());
  EXPECT_STREQ(overlay.lastText, "Universe On");  // kept for an error to bring back
}

// The 32-bit millisecond count wraps after 49.7 days; a message posted just before still lasts
// three seconds rather than 49.7 days.
TEST_F(MessagesTest, MessagePostedJustBeforeTheClockWrapStillLastsThreeSeconds) {
  constexpr uint64_t kPosted = (1ull << 32) - 1000;
  SetClock(kPosted);
  overlay.ShowMessage("Universe On");
  for (uint64_t ms : {kPosted + 500, kPosted + 1500, kPosted + 2999})
    EXPECT_EQ(CellsOf(MessageFrame(ms)), ExpectedCells("Universe On")) << ms;
  EXPECT_TRUE(MessageFrame(kPosted + 3001).empty());
  EXPECT_EQ(overlay.messageExpiry, 0.0);
}

TEST_F(MessagesTest, SecondMessageReplacesTheFirstAndRestartsTheThreeSeconds) {
  SetClock(1000);
  overlay.ShowMessage("Pause Action");
  SetClock(2000);
  overlay.ShowMessage("Continue Action");
  EXPECT_EQ(CellsOf(MessageFrame(3500)), ExpectedCells("Continue Action"));
  EXPECT_EQ(CellsOf(MessageFrame(4999)), ExpectedCells("Continue Action"));
  EXPECT_TRUE(MessageFrame(5000).empty());
}

TEST_F(MessagesTest, NumberFormsFormatIntoTheMessageAndKeepTheTrailingNewline) {
  overlay.ShowMessage("Object Size: %4.2f\n", 0.99999988079071045);
  EXPECT_STREQ(overlay.lastText, "Object Size: 1.00\n");
  overlay.ShowMessage("CameraZ: %4.2f\n", -1.5e-9);
  EXPECT_STREQ(overlay.lastText, "CameraZ: -0.00\n");
  overlay.ShowMessage("Letterbox: %d", 6);
  EXPECT_STREQ(overlay.lastText, "Letterbox: 6");
  EXPECT_EQ(overlay.lastX, 10);
  EXPECT_EQ(overlay.lastY, 20);
  // The newline is drawn as a glyph of its own at the end of the line.
  const auto glyphs = CaptureGlyphs([&] { overlay.ShowMessage("FOV: %3.0f Degrees\n", 178.0); });
  EXPECT_EQ(CellsOf(glyphs), ExpectedCells("FOV: 178 Degrees\n"));
  EXPECT_EQ(glyphs.back().cellCode, 138);
}

TEST_F(MessagesTest, PlainMessageIsShownAsItStandsNeverReadAsAFormat) {
  overlay.ShowMessage("100% sure: %s %n %d");
  EXPECT_STREQ(overlay.lastText, "100% sure: %s %n %d");
}

TEST_F(MessagesTest, OverlongMessagesAreCutTo79CharactersAndStayTerminated) {
  const std::string plain(120, 'p');
  overlay.ShowMessage(plain.c_str());
  EXPECT_EQ(std::string(overlay.lastText), std::string(79, 'p'));

  const std::string format = std::string(100, 'f') + "%d";
  overlay.ShowMessage(format.c_str(), 7);
  EXPECT_EQ(std::string(overlay.lastText), std::string(79, 'f'));

  overlay.ShowMessage("%090.3f", 1.5);
  EXPECT_EQ(std::string(overlay.lastText).size(), 79u);
}

TEST_F(MessagesTest, FrameRateLineSitsAtTheRightAndNeverBecomesTheMessage) {
  overlay.ShowMessage("Frame/Second Clock On");
  const auto glyphs = CaptureGlyphs([&] { overlay.DrawFps(5); });
  // "  5 Frame/Sec": two leading spaces, so the digit stands where a third digit would.
  ASSERT_EQ(CellsOf(glyphs), ExpectedCells("5Frame/Sec"));
  EXPECT_FLOAT_EQ(glyphs[0].left, kWidth - 120 + 2 * 9);
  EXPECT_FLOAT_EQ(glyphs[0].bottom, kHeight - 20.0f);
  EXPECT_FLOAT_EQ(glyphs.back().right, kWidth - 120 + 12 * 9 + 10);  // 2 short of the edge
  EXPECT_STREQ(overlay.lastText, "Frame/Second Clock On");
  EXPECT_EQ(overlay.recordText, 1);

  const auto threeDigits = CaptureGlyphs([&] { overlay.DrawFps(144); });
  ASSERT_EQ(CellsOf(threeDigits), ExpectedCells("144 Frame/Sec"));
  EXPECT_FLOAT_EQ(threeDigits[0].left, 520.0f);
  EXPECT_FLOAT_EQ(threeDigits[2].left, glyphs[0].left);
}

// At scale 2 the status line keeps its anchors: the message at the top left, the clock ending
// 4 pixels short of the right edge, the error line at 40 % of the width.
TEST_F(MessagesTest, AtScaleTwoEveryStatusLineIsTwiceAsLargeAndKeepsItsEdge) {
  ScopedTextScale scale(2);
  const auto message = CaptureGlyphs([&] { overlay.ShowMessage("Reset"); });
  ASSERT_EQ(CellsOf(message), "Reset");
  EXPECT_FLOAT_EQ(message[1].left, 20.0f + 18);
  EXPECT_FLOAT_EQ(message[0].bottom, kHeight - 40.0f);
  EXPECT_FLOAT_EQ(message[0].top, kHeight);
  EXPECT_EQ(CellsOf(MessageFrame(1000)), "Reset");

  const auto clock = CaptureGlyphs([&] { overlay.DrawFps(144); });
  ASSERT_EQ(CellsOf(clock), ExpectedCells("144 Frame/Sec"));
  EXPECT_FLOAT_EQ(clock[0].left, kWidth - 240.0f);
  EXPECT_FLOAT_EQ(clock.back().right, kWidth - 4.0f);
  EXPECT_FLOAT_EQ(clock[0].top - clock[0].bottom, 40.0f);

  glEnable(0x7FFF);  // GL_INVALID_ENUM
  const auto errorLine = CaptureGlyphs([&] { overlay.CheckGlError(); });
  ASSERT_FALSE(errorLine.empty());
  EXPECT_FLOAT_EQ(errorLine[0].left, 256.0f);
  EXPECT_FLOAT_EQ(errorLine[0].bottom, kHeight - 40.0f);
}

TEST_F(MessagesTest, FrameRateLineWithARenderScaleEndsWithItAtTheSamePlace) {
  const auto plain = CaptureGlyphs([&] { overlay.DrawFps(30); });
  const auto scaled = CaptureGlyphs([&] { overlay.DrawFps(30, 0.35); });
  ASSERT_EQ(CellsOf(scaled), ExpectedCells("30 Frame/Sec Scale 0.35"));
  // Eleven characters more, each 9 pixels: the line starts 99 pixels further left and ends
  // where the plain line ends.
  EXPECT_FLOAT_EQ(scaled[0].left, plain[0].left - 11 * 9);
  EXPECT_FLOAT_EQ(scaled.back().right, plain.back().right);
  // The smallest step keeps its third decimal rather than show as 0.12, and still ends there.
  const auto eighth = CaptureGlyphs([&] { overlay.DrawFps(30, 0.125); });
  ASSERT_EQ(CellsOf(eighth), ExpectedCells("30 Frame/Sec Scale 0.125"));
  EXPECT_FLOAT_EQ(eighth.back().right, plain.back().right);
  EXPECT_EQ(overlay.recordText, 1);
  ASSERT_EQ(CellsOf(CaptureGlyphs([&] { overlay.DrawFps(30, 1.0); })),
            ExpectedCells("30 Frame/Sec Scale 1.00"));
}

// In a narrow window, a settings dialog's preview pane, the clock line drops what does not fit:
// first the render scale, then the words, then, while a message needs the room, the number. It
// never starts left of the window or of the message's last glyph, and wherever the plain line
// fits it stands where it always does. The start-up hint ends at 10 + 27 x 9 + 1 = 254.
TEST_F(MessagesTest, ClockLineInANarrowWindowDropsWhatDoesNotFitAndNeverCoversTheMessage) {
  struct Case {
    int width;
    bool hint;
    double scale;
    const char* text;  // as drawn, leading blanks included
    int x;             // where the line starts
  };
  const Case cases[] = {
      {640, true, 0.5, " 30 Frame/Sec Scale 0.50", 640 - 120 - 99},
      {640, true, 0.0, " 30 Frame/Sec", 520},
      {374, true, 0.0, " 30 Frame/Sec", 254},  // just clear of the hint
      {373, true, 0.0, " 30", 343},
      {320, false, 0.5, " 30 Frame/Sec Scale 0.50", 101},
      {320, true, 0.5, " 30", 290},  // the preview pane with the hint: only the number
      {320, false, 0.0, " 30 Frame/Sec", 200},
      {250, false, 0.5, " 30 Frame/Sec Scale 0.50", 31},
      {250, true, 0.5, nullptr, 0},  // not even the number fits beside the hint
      {219, false, 0.25, " 30 Frame/Sec Scale 0.25", 0},
      {218, false, 0.25, " 30 Frame/Sec", 98},
      {119, false, 0.0, " 30", 89},
      {20, false, 0.5, " 30", 0},
  };
  for (const Case& c : cases) {
    windowWidth = c.width;
    overlay.messageExpiry = 0.0;
    SetClock(0);
    if (c.hint) overlay.ShowMessage("Press ? key for Help Screen");
    SetClock(1000);
    const auto glyphs = CaptureGlyphs([&] { overlay.DrawFps(30, c.scale); });
    const std::string where = std::to_string(c.width) + (c.hint ? " with the hint" : "");
    if (c.text == nullptr) {
      EXPECT_TRUE(glyphs.empty()) << where;
      continue;
    }
    ASSERT_EQ(CellsOf(glyphs), ExpectedCells(c.text)) << where;
    // The first character is a blank: the first glyph stands one step right of the start.
    EXPECT_FLOAT_EQ(glyphs[0].left, c.x + 9.0f) << where;
    if (c.hint) {
      EXPECT_GE(glyphs[0].left, 254.0f) << where;
    }
    if (c.width >= 40) {
      EXPECT_LE(glyphs.back().right, c.width) << where;
    }
  }
  // Once the hint has gone the scale comes back beside it.
  windowWidth = 320;
  SetClock(3000);
  EXPECT_EQ(CellsOf(CaptureGlyphs([&] { overlay.DrawFps(30, 0.5); })),
            ExpectedCells("30 Frame/Sec Scale 0.50"));
}

TEST_F(MessagesTest, NoPendingErrorDrawsNothing) {
  overlay.ShowMessage("Reset");
  SetClock(9000);
  EXPECT_TRUE(CaptureGlyphs([&] { overlay.CheckGlError(); }).empty());
  EXPECT_DOUBLE_EQ(overlay.messageExpiry, 3.0);
}

TEST_F(MessagesTest, GlErrorIsDrawnAtFortyPercentAndBringsTheOldMessageBack) {
  SetClock(1000);
  overlay.ShowMessage("Textures Off");
  EXPECT_TRUE(MessageFrame(60000).empty());  // long expired
  EXPECT_EQ(overlay.messageExpiry, 0.0);

  glEnable(0x7FFF);  // no such capability: GL_INVALID_ENUM
  SetClock(61000);
  const auto errorLine = CaptureGlyphs([&] { overlay.CheckGlError(); });
  const std::string expected = std::string("OpenGL Error: ") +
                               reinterpret_cast<const char*>(gluErrorString(GL_INVALID_ENUM));
  EXPECT_EQ(CellsOf(errorLine), ExpectedCells(expected));
  ASSERT_FALSE(errorLine.empty());
  EXPECT_FLOAT_EQ(errorLine[0].left, 256.0f);  // 40 % of 640
  EXPECT_FLOAT_EQ(errorLine[0].bottom, kHeight - 20.0f);
  EXPECT_STREQ(overlay.lastText, "Textures Off");
  EXPECT_EQ(overlay.recordText, 1);

  EXPECT_DOUBLE_EQ(overlay.messageExpiry, 64.0);
  EXPECT_EQ(CellsOf(MessageFrame(63999)), ExpectedCells("Textures Off"));
  EXPECT_TRUE(MessageFrame(64000).empty());
}

}  // namespace

// The views of a window over several monitors: where each monitor's whole scene goes in GL's
// bottom-up pixels, which views are copies, where the text goes, and when the window stays one
// view as it always was.
#include "app/monitor_layout.h"

#include <gtest/gtest.h>

namespace {

void ExpectView(const ViewRect& v, int x, int y, int width, int height) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.width, width);
  EXPECT_EQ(v.height, height);
}

TEST(MonitorLayout, TwoEqualMonitorsGiveTwoViewsTheSecondCopiedFromTheFirst) {
  const MonitorArea monitors[] = {{0, 0, 1280, 800}, {1280, 0, 1280, 800}};
  const MonitorLayout l = LayoutForMonitors(2560, 800, monitors, 2);
  ASSERT_EQ(l.count, 2);
  ExpectView(l.views[0], 0, 0, 1280, 800);
  ExpectView(l.views[1], 1280, 0, 1280, 800);
  EXPECT_EQ(l.copyOf[0], -1);
  EXPECT_EQ(l.copyOf[1], 0);
  EXPECT_EQ(l.textView, 0);
  EXPECT_FALSE(l.offMonitor);
}

TEST(MonitorLayout, MonitorsOfTwoSizesAreEachDrawnRowsCountedFromTheBottom) {
  // A 4K monitor with a 1080p one at its right, bottom aligned: the small one's top edge is
  // 1080 rows down, so from the bottom it starts at row 0; above it lies no monitor.
  const MonitorArea monitors[] = {{0, 0, 3840, 2160}, {3840, 1080, 1920, 1080}};
  const MonitorLayout l = LayoutForMonitors(5760, 2160, monitors, 2);
  ASSERT_EQ(l.count, 2);
  ExpectView(l.views[0], 0, 0, 3840, 2160);
  ExpectView(l.views[1], 3840, 0, 1920, 1080);
  EXPECT_EQ(l.copyOf[1], -1);
  EXPECT_TRUE(l.offMonitor);

  // Top aligned instead, the small one's rows are the window's upper 1080.
  const MonitorArea top[] = {{0, 0, 3840, 2160}, {3840, 0, 1920, 1080}};
  ExpectView(LayoutForMonitors(5760, 2160, top, 2).views[1], 3840, 1080, 1920, 1080);
}

TEST(MonitorLayout, ThePrimaryCarriesTheTextAndCopiesComeFromTheFirstOfTheirSize) {
  // The primary, listed first, is the right-hand monitor; three of one size in a row.
  const MonitorArea monitors[] = {{1280, 0, 1280, 800}, {0, 0, 1280, 800}, {2560, 0, 1280, 800}};
  const MonitorLayout l = LayoutForMonitors(3840, 800, monitors, 3);
  ASSERT_EQ(l.count, 3);
  EXPECT_EQ(l.views[l.textView].x, 1280);
  EXPECT_EQ(l.copyOf[0], -1);
  EXPECT_EQ(l.copyOf[1], 0);
  EXPECT_EQ(l.copyOf[2], 0);
}

TEST(MonitorLayout, OneWholeMonitorNoneOrOnlyMirrorsLeaveTheWindowOneView) {
  const MonitorArea one[] = {{0, 0, 1024, 768}};
  MonitorLayout l = LayoutForMonitors(1024, 768, one, 1);
  EXPECT_FALSE(l.Split());
  ExpectView(l.views[0], 0, 0, 1024, 768);

  EXPECT_FALSE(LayoutForMonitors(640, 480, nullptr, 0).Split());

  // A window on one monitor of two (a saver's window per monitor, a preview pane): the monitor
  // beside it is outside the window, and the window is one view.
  const MonitorArea beside[] = {{-1280, 0, 1280, 800}, {0, 0, 1280, 800}};
  l = LayoutForMonitors(1280, 800, beside, 2);
  EXPECT_FALSE(l.Split());
  ExpectView(l.views[0], 0, 0, 1280, 800);

  // A mirror of the whole monitor, and a smaller mirror in its corner, add nothing.
  const MonitorArea mirrors[] = {{0, 0, 1024, 768}, {0, 0, 1024, 768}, {0, 0, 800, 600}};
  EXPECT_FALSE(LayoutForMonitors(1024, 768, mirrors, 3).Split());
}

TEST(MonitorLayout, MonitorsAreClippedToTheWindowAndTheRestIsOffMonitor) {
  // A window that starts 100 pixels into the left monitor and ends 50 short of the right one's
  // edge, with one monitor only partly over it.
  const MonitorArea monitors[] = {{-100, 0, 1280, 800}, {1180, 0, 1280, 800}};
  MonitorLayout l = LayoutForMonitors(2410, 800, monitors, 2);
  ASSERT_EQ(l.count, 2);
  ExpectView(l.views[0], 0, 0, 1180, 800);
  ExpectView(l.views[1], 1180, 0, 1230, 800);
  EXPECT_FALSE(l.offMonitor);

  // One monitor over half the window: its scene is centred in it, not in the window, and the
  // other half is on no monitor.
  const MonitorArea half[] = {{0, 0, 1280, 800}};
  l = LayoutForMonitors(2560, 800, half, 1);
  ASSERT_EQ(l.count, 1);
  EXPECT_TRUE(l.Split());
  EXPECT_TRUE(l.offMonitor);
  ExpectView(l.views[0], 0, 0, 1280, 800);
}

}  // namespace

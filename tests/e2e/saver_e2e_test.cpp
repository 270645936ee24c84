// Quor as a screen-saver hack: drawing in a window the test makes, as a saver or a settings
// dialog hands one over (--root with $XSCREENSAVER_WINDOW, --window-id), following its size and
// ending with it, on a bare Xvfb server and under real window managers, which must never get
// hold of Quor's window; and the orderly end on SIGTERM, SIGINT and SIGHUP.
#include <gtest/gtest.h>
#include <signal.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "tests/support/picture.h"
#include "tests/support/target_window.h"
#include "tests/support/x_app.h"

// Last: its macros (None, Bool) break gtest's headers.
#include <X11/Xlib.h>

namespace {

constexpr double kDeadline = 60.0;  // ends only a wait that would never finish

// Waits until the target window and Quor's window in it have the given size and the target shows
// the flame, centred; saves that picture as the named screenshot, if named.
bool WaitForFlame(const TargetWindow& target, int width, int height, const char* name) {
  return WaitUntil([&] {
    int w = 0, h = 0, childW = 0, childH = 0;
    const std::vector<Rgb> seen = target.Read(&w, &h);
    double sum = 0.0;
    long bright = 0;
    for (size_t i = 0; i < seen.size(); ++i) {
      if (IsBright(seen[i])) {
        sum += static_cast<double>(i % w);
        ++bright;
      }
    }
    const bool shown = w == width && h == height && target.ChildSize(&childW, &childH) &&
                       childW == width && childH == height && bright > 200 &&
                       std::abs(sum / bright - width / 2.0) < width / 10.0;
    if (shown && name != nullptr) SavePicture(ScreenshotPath(name), w, h, seen);
    return shown;
  });
}

// Every window titled "Quor" on the server, with its parent and whether a window manager has
// ever managed it (WM_STATE, which a manager sets on the windows it takes).
struct QuorWindow {
  Window window, parent;
  bool managed;
};
void FindQuorWindows(Display* dpy, Window window, Window parent, std::vector<QuorWindow>* found) {
  char* name = nullptr;
  if (XFetchName(dpy, window, &name) && name != nullptr) {
    if (std::string(name) == "Quor") {
      Atom type = 0;
      int format = 0;
      unsigned long items = 0, after = 0;
      unsigned char* data = nullptr;
      XGetWindowProperty(dpy, window, XInternAtom(dpy, "WM_STATE", False), 0, 2, False,
                         AnyPropertyType, &type, &format, &items, &after, &data);
      if (data != nullptr) XFree(data);
      found->push_back({window, parent, type != None});
    }
    XFree(name);
  }
  Window root = 0, up = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(dpy, window, &root, &up, &children, &count)) return;
  for (unsigned int i = 0; i < count; ++i) FindQuorWindows(dpy, children[i], window, found);
  if (children != nullptr) XFree(children);
}
std::vector<QuorWindow> QuorWindows(Display* dpy) {
  std::vector<QuorWindow> found;
  XGrabServer(dpy);  // a tree that holds still while it is walked
  FindQuorWindows(dpy, DefaultRootWindow(dpy), 0, &found);
  XUngrabServer(dpy);
  XSync(dpy, False);
  return found;
}

class SaverE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  XvfbServer server{1024, 768};
};

TEST_F(SaverE2e, RootDrawsTheSaversWindowAtItsOddSizeWithoutTheHint) {
  constexpr int kWidth = 301, kHeight = 187;
  TargetWindow target(server, 37, 53, kWidth, kHeight);
  const std::string dir = MakeWorkDir(true);
  {
    // At full resolution: the saver's automatic scale follows the machine's speed. Started as
    // a locker starts a hack, in the one-dash form.
    QuorRun run(server, dir,
                {"-root", "--render-scale=1", "--step=33", "--frames=90",
                 "--capture=" + dir + "/saver.png"},
                {{"XSCREENSAVER_WINDOW", target.IdText()}});
    EXPECT_EQ(run.WaitExit(120.0), 0);
  }
  // The same frames in a plain window of that size: the saver's differ only by the start-up
  // hint, which a saver does not show.
  ASSERT_EQ(RunToEnd(server, dir,
                     {"-w", "-geometry", "301x187+600+400", "--step=33", "--frames=90",
                      "--capture=" + dir + "/plain.png"}),
            0);
  Picture saver, plain;
  ASSERT_TRUE(ReadPng(dir + "/saver.png", &saver));
  ASSERT_TRUE(ReadPng(dir + "/plain.png", &plain));
  SavePicture(ScreenshotPath("saver_root_capture"), saver.width, saver.height, saver.pixels);
  ASSERT_EQ(saver.width, kWidth);
  ASSERT_EQ(saver.height, kHeight);
  ASSERT_EQ(plain.width, kWidth);
  EXPECT_GT(CountPixels(saver.pixels, kWidth, {0, 0, kWidth, kHeight}, IsBright), 200)
      << "no flame";
  constexpr int kHintRows = 24;
  long differentBelowHint = 0, differentInHint = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Rgb& p = saver.pixels[static_cast<size_t>(y) * kWidth + x];
      const Rgb& q = plain.pixels[static_cast<size_t>(y) * kWidth + x];
      if (p.r != q.r || p.g != q.g || p.b != q.b)
        ++(y < kHintRows ? differentInHint : differentBelowHint);
    }
  EXPECT_EQ(differentBelowHint, 0) << "the saver's picture is not the viewer's";
  EXPECT_GT(differentInHint, 0) << "the start-up hint is shown in the saver's window";
}

TEST_F(SaverE2e, WindowIdShowsTheFlameFollowsTheSizeAndEndsWithTheWindow) {
  TargetWindow target(server, 111, 77, 333, 211);
  QuorRun run(server, MakeWorkDir(true), {"--window-id=" + std::to_string(target.Id())});
  ASSERT_TRUE(WaitForFlame(target, 333, 211, "saver_window_id")) << "no flame in the window";
  target.Resize(517, 263);
  EXPECT_TRUE(WaitForFlame(target, 517, 263, "saver_window_id_resized"))
      << "the picture did not follow the size";
  // Unmapped, or moved out of the window, by someone else: Quor puts its window back.
  for (const bool unmap : {true, false}) {
    const std::vector<QuorWindow> windows = QuorWindows(server.Dpy());
    ASSERT_EQ(windows.size(), 1u);
    if (unmap)
      XUnmapWindow(server.Dpy(), windows[0].window);
    else
      XReparentWindow(server.Dpy(), windows[0].window, DefaultRootWindow(server.Dpy()), 600, 500);
    XSync(server.Dpy(), False);
    EXPECT_TRUE(WaitForFlame(target, 517, 263, nullptr))
        << (unmap ? "unmapped" : "moved out") << ", the window did not come back";
  }
  target.Destroy();
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

TEST_F(SaverE2e, BadWindowIdsAreNamedAndEndWithTwo) {
  const struct {
    const char* argument;
    const char* environment;
    const char* named;
  } cases[] = {
      {"--window-id=0x1FFFFF0", nullptr, "0x1fffff0"},
      {"--root", "0x60000C junk", "'0x60000C junk'"},
      {"--window-id=60000C", nullptr, "'60000C'"},
      {"--window-id=0x0x5", nullptr, "'0x0x5'"},
      {"--root", "0x0x5", "'0x0x5'"},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, std::string>> environment;
    if (c.environment != nullptr) environment.push_back({"XSCREENSAVER_WINDOW", c.environment});
    QuorRun run(server, MakeWorkDir(true), {c.argument}, environment);
    run.AllowOutput(".*");
    EXPECT_EQ(run.WaitExit(kDeadline), 2) << c.argument;
    EXPECT_NE(run.Output().find(c.named), std::string::npos) << run.Output();
  }
}

// A window on the server's second screen, named to a run on the first: Quor's window cannot go
// there, which is a bad id like any other, not an X error.
TEST(SaverTwoScreensE2e, AWindowOnAnotherScreenIsNamedAndEndsWithTwo) {
  XvfbServer server{320, 240, false, false, "", 2};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  TargetWindow other(server, RootWindow(server.Dpy(), 1), 10, 10, 200, 150);
  char id[24];
  std::snprintf(id, sizeof id, "0x%lx", other.Id());
  QuorRun run(server, MakeWorkDir(true), {"--window-id=" + other.IdText()},
              {{"DISPLAY", server.Name() + ".0"}});
  run.AllowOutput(std::string("quor: window ") + id + " is on another screen than display '" +
                  server.Name() + ".0'");
  EXPECT_EQ(run.WaitExit(kDeadline), 2);
  EXPECT_NE(run.Output().find(id), std::string::npos) << run.Output();
}

// Windows mapped as children of the root window since the object was made, other than a window
// manager's own (marco maps one, named after itself): a window of Quor's, or a window manager's
// frame around one, mapped over the saver's window for any moment at all.
class TopLevelMaps {
 public:
  TopLevelMaps(Display* d, const std::string& manager) : dpy(d), managerName(manager) {
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);  // from here on
  }
  ~TopLevelMaps() { XSelectInput(dpy, DefaultRootWindow(dpy), NoEventMask); }
  int Count() {
    XSync(dpy, False);
    int maps = 0;
    XEvent event;
    while (XCheckTypedWindowEvent(dpy, DefaultRootWindow(dpy), MapNotify, &event)) {
      char* name = nullptr;
      const bool managers = XFetchName(dpy, event.xmap.window, &name) && name != nullptr &&
                            !managerName.empty() && managerName == name;
      if (name != nullptr) XFree(name);
      if (!managers) ++maps;
    }
    return maps;
  }

 private:
  Display* dpy;
  std::string managerName;
};

// Under each window manager Debian offers on the desktops Quor is made for, and under none.
class SaverUnderManager : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    manager = GetParam();
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
    if (!manager.empty() && !server.HasWindowManager())
      GTEST_SKIP() << manager << " is not installed (scripts/setup)";
  }
  std::string manager;
  XvfbServer server{800, 600, std::string(GetParam()) != "", false, GetParam()};
};

// A settings dialog's preview: a pane inside a managed top-level window, in which the preview is
// started and stopped again and again. Each start shows the flame in the pane, with Quor's
// window inside it and never managed, and each stop leaves nothing behind.
TEST_P(SaverUnderManager, APreviewPaneShowsTheFlameEachTimeItStarts) {
  // Under the sanitizers every start costs several times as much: fewer starts there still go
  // through every step, and the release build runs the full twenty.
  const int starts = QUOR_SANITIZED ? 4 : 20;
  TargetWindow dialog(server, 40, 30, 500, 400);
  TargetWindow pane(server, dialog.Id(), 20, 40, 256, 192);
  const std::string dir = MakeWorkDir(true);
  for (int start = 1; start <= starts; ++start) {
    SCOPED_TRACE("start " + std::to_string(start));
    QuorRun run(server, dir, {"--window-id=" + pane.IdText()});
    const std::string name = "saver_pane_" + (manager.empty() ? "none" : manager);
    ASSERT_TRUE(WaitForFlame(pane, 256, 192, start == 1 ? name.c_str() : nullptr))
        << "no flame in the pane";
    const std::vector<QuorWindow> windows = QuorWindows(server.Dpy());
    ASSERT_EQ(windows.size(), 1u) << "Quor's windows: " << windows.size();
    EXPECT_EQ(windows[0].parent, pane.Id()) << "Quor's window is not in the pane";
    EXPECT_FALSE(windows[0].managed) << manager << " has managed Quor's window";
    ASSERT_TRUE(run.Signal(SIGTERM));
    ASSERT_EQ(run.WaitExit(kDeadline), 0);
    int w = 0, h = 0;
    EXPECT_FALSE(pane.ChildSize(&w, &h)) << "a window was left in the pane";
    EXPECT_TRUE(QuorWindows(server.Dpy()).empty()) << "a window of Quor's was left";
  }
}

// A saver's full-screen override-redirect window, and the root window with no saver: the flame on
// the screen, and at no moment a window mapped at the top level over the saver's.
TEST_P(SaverUnderManager, AFullScreenSaverWindowAndTheRootShowTheFlameUncovered) {
  for (const bool withSaverWindow : {true, false}) {
    SCOPED_TRACE(withSaverWindow ? "saver's window" : "root window");
    std::unique_ptr<TargetWindow> saver;
    if (withSaverWindow) saver = std::make_unique<TargetWindow>(server, 0, 0, 0, 800, 600, true);
    TopLevelMaps maps(server.Dpy(), manager);
    std::vector<std::pair<std::string, std::string>> environment;
    if (saver) environment.push_back({"XSCREENSAVER_WINDOW", saver->IdText()});
    QuorRun run(server, MakeWorkDir(true), {"--root"}, environment);
    std::vector<Rgb> screen;
    const bool flame = WaitUntil([&] {
      screen = ScreenPixels(server);
      return CountPixels(screen, 800, {200, 150, 600, 450}, IsBright) > 5000;
    });
    const std::string name = std::string(saver ? "saver_fullscreen_" : "saver_rootwindow_") +
                             (manager.empty() ? "none" : manager);
    SavePicture(ScreenshotPath(name), 800, 600, screen);
    EXPECT_TRUE(flame) << "no flame on the screen";
    const std::vector<QuorWindow> windows = QuorWindows(server.Dpy());
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].parent, saver ? saver->Id() : DefaultRootWindow(server.Dpy()));
    EXPECT_FALSE(windows[0].managed) << manager << " has managed Quor's window";
    // Quor's own window is mapped at the top level when the root window is its target.
    EXPECT_EQ(maps.Count(), saver ? 0 : 1) << "windows mapped at the top level";
    ASSERT_TRUE(run.Signal(SIGTERM));
    EXPECT_EQ(run.WaitExit(kDeadline), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Managers, SaverUnderManager,
                         ::testing::Values("", "openbox", "marco", "xfwm4"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param[0] != '\0' ? info.param : "none");
                         });

class QuitSignal : public SaverE2e, public ::testing::WithParamInterface<int> {};

// A saver's run (--root into $XSCREENSAVER_WINDOW, drawn at its odd size) and a paused viewer.
TEST_P(QuitSignal, EndsASaversRunAndAPausedViewerWithZero) {
  TargetWindow target(server, 37, 53, 301, 187);
  QuorRun embedded(server, MakeWorkDir(true), {"--root"},
                   {{"XSCREENSAVER_WINDOW", target.IdText()}});
  ASSERT_TRUE(WaitForFlame(target, 301, 187, "saver_root"));
  ASSERT_TRUE(embedded.Signal(GetParam()));
  EXPECT_EQ(embedded.WaitExit(kDeadline), 0);

  QuorRun viewer(server, MakeWorkDir(true), {"-w"});
  ASSERT_TRUE(viewer.WaitForWindow(kDeadline));
  ASSERT_TRUE(WaitUntil([&] { return viewer.FramesDrawn() > 3; }));
  viewer.Key("p");
  ASSERT_TRUE(viewer.Signal(GetParam()));
  EXPECT_EQ(viewer.WaitExit(kDeadline), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(sigabbrev_np(info.param));
                         });

TEST(SaverOpenboxE2e, SigtermEndsAnIconifiedWindowThatSleeps) {
  XvfbServer server{1024, 768, true};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  if (!server.HasWindowManager()) GTEST_SKIP() << "openbox is not installed";
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow(kDeadline));
  ASSERT_TRUE(WaitUntil([&] { return run.FramesDrawn() > 3; }));
  run.Iconify();
  ASSERT_TRUE(WaitUntil([&] { return !run.Mapped(); }));
  ASSERT_TRUE(run.Signal(SIGTERM));
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

}  // namespace

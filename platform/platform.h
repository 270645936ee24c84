// What Quor asks of the operating system and the window system beyond C++17, OpenGL 1.1, GLU and
// GLUT. Every function here has one implementation per platform, in a folder of its own that
// CMake picks: platform/x11/ (Linux and other POSIX systems with X11) or platform/win32/
// (Windows). The shared code calls only this header and never asks which platform it runs on.
//
// No type of either system appears here: a window is a uint64_t (an X window id or an HWND),
// paths are UTF-8 text with '/' as the separator in what the platform hands back (Win32 also
// takes '\' and drive letters in what it is given), times are microseconds in int64_t.
//
// Dependencies. X11: POSIX (clock_gettime, getrusage, localtime_r, realpath, mkdir, ppoll,
// sigaction), Xlib with its resource manager, GLX, Xrandr and Xinerama (the monitors). Win32:
// kernel32, user32 and gdi32 (QueryPerformanceCounter, GetProcessTimes,
// MsgWaitForMultipleObjects, SetConsoleCtrlHandler, GetModuleFileNameW, CreateDirectoryW,
// SetParent, GetDpiForWindow where Windows has it, EnumDisplayMonitors, the dialog manager),
// advapi32 (the saver's settings in the registry), opengl32 (wglGetCurrentContext).
//
// Limits. Everything runs on the GLUT thread except the frame report, which may answer from a
// signal handler (X11) or a thread of its own (Win32). X11 needs the GLUT window's GLX context
// current where a function says so, because it reaches freeglut's display connection through it.
// Win32 has no signals: SIGTERM sent to a program under Wine ends it outright (no capture saved,
// no atexit), and the frame report answers a named event instead of SIGUSR1
// (platform/win32/frame_report.cpp). Not yet on Win32: WM_ENDSESSION for a program without a
// console.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>

// --- Clocks ------------------------------------------------------------------------------------

// Microseconds from an arbitrary origin, never going back (CLOCK_MONOTONIC on X11,
// QueryPerformanceCounter on Win32). The one time base of the program: the millisecond clock,
// the frame cap and every measured duration read it.
int64_t MonotonicMicroseconds();
constexpr int64_t kMonotonicTicksPerSecond = 1000000;

// The processor time the whole process has used so far, user and system, all threads, in
// microseconds. -1 when the system cannot tell.
int64_t ProcessCpuMicroseconds();

// The calendar fields of `when` in the user's time zone; false when it cannot be expressed.
bool LocalCalendarTime(std::time_t when, std::tm* out);

// --- The command line --------------------------------------------------------------------------

// Before the options are read. Win32: a program started as a screen saver (its file named *.scr)
// gets Windows' saver arguments, which are translated into Quor's own options: /s into --root
// (full screen, ended by input), /p HWND into --window-id=HWND, both after the options of the
// settings saved for the user (platform/saver_settings.h); /c or no argument opens the settings
// dialog and ends the process. Any other name keeps the GNU command line. X11: nothing.
void TranslateCommandLine(int* argc, char*** argv);

// The words of --help and of the command-line errors that speak of the window system; the rest
// of those texts is the same everywhere. Each is one or more whole lines of --help, ending in
// '\n', except windowIdValue.
struct CommandLineTexts {
  const char* usage;          // the first line: what the command line is made of
  const char* textScale;      // --text-scale=N: where the scale comes from without it
  const char* root;           // -r, --root
  const char* windowId;       // --window-id=ID
  const char* systemOptions;  // the window system's own options, and other ways to start
  const char* exitStatus;     // the exit statuses and what they stand for
  const char* windowIdValue;  // what --window-id takes, in "--window-id takes ..., not 'x'"
};
const CommandLineTexts& PlatformCommandLineTexts();

// --- Waiting and ending ------------------------------------------------------------------------

// Sleeps for at most maxUs microseconds, and less when input for the program's windows, an event
// of the target window or a quit request comes first. Returns at once for maxUs <= 0.
void WaitForEvents(int64_t maxUs);

// True while the system says the display is off, so that nobody sees the frames (Win32: the
// full-screen saver's window hears GUID_CONSOLE_DISPLAY_STATE; X11: never). The main loop then
// draws nothing and waits until the display is on again.
bool DisplayOff();

// True when the machine runs on battery (X11: /sys/class/power_supply shows a battery
// discharging and no mains online, platform/power_source.h; Win32: GetSystemPowerStatus says the
// AC line is offline); false on mains and where the system tells neither. It reads the system's
// files or asks the system: called once a minute, never per frame.
bool OnBatteryPower();

// Ends the program with status (platform/exit_status.h), as std::exit does. Win32: where
// nobody reads standard error (quor.exe started from Explorer, quor.scr's settings dialog), a
// status other than kExitSuccess first shows in a message box what the program wrote there; the
// screen saver's /s and /p stay silent. X11: std::exit.
[[noreturn]] void EndProgram(int status);

// From now on the requests to end the program are caught and recorded instead of ending it:
// SIGTERM, SIGINT and SIGHUP on X11;
// Ctrl+C, Ctrl+Break, closing the console and logging off or shutting down on Win32.
void CatchQuitRequests();
// True once such a request has come; the main loop then quits in order.
bool QuitRequested();

// Answers a request from outside with one line "quor: frame N\n" on standard error, N read from
// *frames, even while the program sleeps: SIGUSR1 on X11, the named event
// Local\quor-frames-<process id> set on Win32. *frames must outlive the process.
void ReportFramesOnRequest(const std::atomic<uint64_t>* frames);

// --- The window system -------------------------------------------------------------------------

// Before glutInit: puts the window system in the state freeglut expects, and says once on err
// what to do when it cannot be reached (X11: no $DISPLAY and no -display option).
void PrepareWindowSystem(int argc, char** argv, std::FILE* err);

// True while an OpenGL context is current on this thread: textures may then be deleted.
bool GlContextCurrent();

// The desktop's dots per inch, as the text its setting holds, copied (bounded) into value, and
// the setting's name for a warning (X11: the Xft.dpi resource of freeglut's display, so the GLUT
// window must exist with its context current; Win32: the DPI of the monitor the window is on).
// False when the desktop sets none.
bool DesktopDpiSetting(char* value, std::size_t valueSize, const char** name);

// --- A window of another program to draw in (screen savers) ------------------------------------

// A window as the command line names it. X11: 0x... (hex) or decimal, 1 to 0x1FFFFFFF. Win32: a
// decimal HWND (what Windows passes to a saver's /p), 1 to 2^32 - 1. Signs, spaces and anything
// else are refused.
bool ParseTargetWindow(const char* text, uint64_t* id);

// Before glutInit. Finds the target: id, or with id 0 the platform's own choice (X11: the window
// in $XSCREENSAVER_WINDOW, else the root window; Win32: none, and AdoptCurrentWindow makes the
// window a full-screen saver that ends on a key, a mouse button or a movement). display
// names the X display (nullptr or "" for the default; not used on Win32). Answers 0 to go on,
// else the exit status with the reason written on err: 2 for a bad or unknown window, 1 when the
// window system cannot be reached.
int OpenTargetWindow(uint64_t id, const char* display, std::FILE* err);

// True when OpenTargetWindow found a target.
bool TargetWindowOpen();
// The target's current size in pixels (0 x 0 without a target).
void TargetWindowSize(int* width, int* height);

// With the GLUT window just created and its context current: makes it a child of the target,
// at the target's top left and size, out of any window manager's hands, and shows it. Does
// nothing when OpenTargetWindow was not called (Win32: with id 0, see above).
void AdoptCurrentWindow();

// Follows the target: a new size is passed on to the GLUT window (which then sees a reshape).
// False once the target is gone; true when there is no target at all.
bool TargetWindowAlive();

// --- Monitors ----------------------------------------------------------------------------------

// One monitor's place in pixels of the GLUT window, from the window's top-left corner: it may lie
// partly or wholly outside the window.
struct MonitorArea {
  int x, y, width, height;
};
constexpr int kMaxMonitors = 16;  // monitors beyond these are not drawn on

// The monitors of the desktop the GLUT window is on, the primary first, with the window's
// context current (X11: RandR's monitor list, or Xinerama's screens where the server has no
// RandR 1.5; Win32: EnumDisplayMonitors). Writes at most max and returns how many it wrote; 0
// when the system names none.
int WindowMonitors(MonitorArea* out, int max);

// True when monitors may have come, gone or moved since WindowMonitors last read them (X11:
// RandR's screen-change notices, and half a second gone, as monitors set by hand send none;
// Win32: a new count or extent of the desktop). Asked once a frame: it makes no round trip to the
// window system.
bool MonitorsChanged();

// --- Files and folders -------------------------------------------------------------------------

// The separators a path may use: "/" on X11, "/\\" on Win32.
const char* PathSeparators();

// How many characters of path name its root, which folder making never tries to create:
// "/" on X11 (1 or 0); "C:/", "C:", "/", "//server/share/" (with either slash) on Win32.
std::size_t PathRootLength(const char* path);

// The running program's own file, absolute, with '/' separators; false when it cannot be found
// or does not fit.
bool ProgramPath(char* out, std::size_t outSize);

// path made absolute, with links and "." and ".." resolved and '/' separators; false when it
// does not exist or the result does not fit.
bool CanonicalPath(const char* path, char* out, std::size_t outSize);

// Where an installed program's data files lie, relative to the folder that holds the program,
// with leading "../" steps: "../share/quor" on X11 (bin/quor, share/quor), "assets" on Win32.
const char* ProgramDataFolder();

// The bytes of a data file the program carries inside itself, where no file is found (Win32: the
// RCDATA resource named as the file with '.' as '_', "FONT_BMP", alive as long as the program);
// false where it carries none (X11: always, the files are installed beside it).
bool ProgramResource(const char* name, const uint8_t** data, std::size_t* size);

enum class PathKind { kNothing, kFile, kFolder };
// What path names: nothing, a folder, or a file (anything else that is there).
PathKind PathKindOf(const char* path);

enum class MakeFolderResult { kMade, kExists, kFailed };
// Makes one folder (its parent must exist). kExists when a folder (not a file) is already there.
MakeFolderResult MakeFolder(const char* path);
// Removes an empty folder that MakeFolder made; false when it cannot.
bool RemoveFolder(const char* path);

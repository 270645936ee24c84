#!/usr/bin/env bash
# The Windows installer that scripts/build-windows --package makes (dist/windows/quor.nsi), under
# Wine on an Xvfb server of its own: made twice it is the same file; run silent (/S) it puts
# quor.scr into the 64-bit System32 and the rest under Program Files\Quor and registers its
# uninstaller; the installed saver shows the flame full screen; the uninstaller, silent too,
# leaves none of its files or keys, and takes away the saver choice that named Quor.
#
# Usage: tests/wine/installer.sh [BUILD-WINDOWS-FOLDER]   (default: build-windows/)
# Exit 77 (skipped) when the Windows build has not been made there, or wine, makensis, xvfb-run,
# xdotool or ImageMagick is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="${1:-$root/build-windows}"

skip() { echo "installer: skipped: $*"; exit 77; }
fail() { echo "installer: FAILED: $*" >&2; exit 1; }
for tool in wine wineserver makensis xvfb-run xdotool import convert; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f "$out/bin/quor.exe" ] || skip "no $out/bin/quor.exe: scripts/build-windows has not run"

if [ -z "${QUOR_INSTALLER_ON_XVFB:-}" ]; then
  export QUOR_INSTALLER_ON_XVFB=1
  exec xvfb-run -a -s "-screen 0 640x480x24 -noreset" "$0" "$out"
fi

version="$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
setup="$out/quor-$version-setup.exe"
work="$(mktemp -d)"
export WINEPREFIX="$out/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
drive="$WINEPREFIX/drive_c"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quor'
saver_pid=""
cleanup() {
  [ -z "$saver_pid" ] || kill "$saver_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
wineserver -k 2>/dev/null || true  # one left from another X server would show nothing here
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1

# Made twice from the same build, the installer is the same file.
for run in 1 2; do
  "$root/scripts/build-windows" --out "$out" --package >"$work/build.log" 2>&1 ||
    fail "scripts/build-windows --package failed: $(tail -n 20 "$work/build.log")"
  [ -f "$setup" ] || fail "no $setup"
  cp "$setup" "$work/setup-$run.exe"
done
cmp -s "$work/setup-1.exe" "$work/setup-2.exe" || fail "two builds of the installer differ"

# The silent install.
wine "$setup" /S >/dev/null 2>&1 || fail "the silent install ended with a failure"
wineserver -w
installed=("windows/system32/quor.scr" "Program Files/Quor/quor.exe"
  "Program Files/Quor/uninstall.exe" "Program Files/Quor/LICENSE.txt"
  "Program Files/Quor/README.txt" "Program Files/Quor/licenses/freeglut.txt")
for file in "${installed[@]}"; do
  [ -f "$drive/$file" ] || fail "no C:\\$file after the install"
done
[ ! -e "$drive/windows/syswow64/quor.scr" ] || fail "quor.scr went into the 32-bit SysWOW64"
cmp -s "$drive/windows/system32/quor.scr" "$out/bin/quor.scr" || fail "the installed quor.scr is not the built one"
query() { wine reg query "$key" /v "$1" /reg:64 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'; }
[ "$(query DisplayName)" = "Quor" ] || fail "the uninstall key's DisplayName is '$(query DisplayName)'"
[ "$(query DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(query DisplayVersion)'"
[ "$(query DisplayIcon)" = 'C:\Program Files\Quor\quor.exe' ] || fail "DisplayIcon is '$(query DisplayIcon)'"
[ "$(query UninstallString)" = '"C:\Program Files\Quor\uninstall.exe"' ] ||
  fail "UninstallString is '$(query UninstallString)'"
size="$(query EstimatedSize)"
[ -n "$size" ] && [ $((size)) -gt 1000 ] || fail "EstimatedSize is '$size'"

# The saver as Windows starts it from System32 shows the flame, and ends on a key.
wine 'C:\windows\system32\quor.scr' /s >"$work/saver.log" 2>&1 &
saver_pid=$!
lit=0
for _ in $(seq 300); do
  if import -window root "$work/screen.png" 2>/dev/null; then
    lit="$(convert "$work/screen.png" -colorspace gray -threshold 50% -format '%[fx:int(mean*w*h)]' info:)"
    [ "$lit" -ge 200 ] && break
  fi
  sleep 0.2
done
[ "$lit" -ge 200 ] || fail "the installed saver showed no flame ($lit bright pixels): $(cat "$work/saver.log")"
xdotool key a
for _ in $(seq 300); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.2; done
wait "$saver_pid" || fail "the saver ended with a failure: $(cat "$work/saver.log")"
saver_pid=""

# Quor as the user's saver, then the silent uninstall.
wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d 'C:\windows\system32\quor.scr' /f >/dev/null 2>&1
wine 'C:\Program Files\Quor\uninstall.exe' /S >/dev/null 2>&1 || fail "the silent uninstall ended with a failure"
wineserver -w
for file in "${installed[@]}"; do
  [ ! -e "$drive/$file" ] || fail "C:\\$file is still there after the uninstall"
done
[ ! -e "$drive/Program Files/Quor" ] || fail "Program Files\\Quor is still there"
wine reg query "$key" /reg:64 >/dev/null 2>&1 && fail "the uninstall key is still there"
wine reg query 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE >/dev/null 2>&1 &&
  fail "the saver choice still names Quor"
echo "installer: the same file twice; installs, shows the flame from System32, uninstalls without a trace"

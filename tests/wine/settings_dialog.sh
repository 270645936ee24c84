#!/usr/bin/env bash
# The screen saver's settings dialog under Wine on Xvfb, driven as a user drives it: quor.scr /c
# opens it, real key events change two settings and press OK, the registry holds them, and the
# next full-screen run (/s) shows the frame/second clock they turned on. The dialog shows what is
# saved; a value out of range is refused; Escape saves nothing; Defaults then OK clears it all,
# after which /s shows no clock, and a hand-edited bad value only costs a warning.
#
# Usage: tests/wine/settings_dialog.sh [BUILD-WINDOWS-FOLDER]   (default: build-windows/)
# Uses $WINEPREFIX, else the prefix of scripts/build-windows --check in that folder (made when
# missing). Leaves no saved settings behind. Exit 77 (skipped) when wine, Xvfb, xdotool,
# ImageMagick's import or quor.scr is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="${1:-$root/build-windows}"
scr="$out/bin/quor.scr"
screen=800x600  # the dialog is about 660 pixels wide

skip() { echo "settings_dialog: skipped: $*"; exit 77; }
fail() { echo "settings_dialog: FAILED: $*" >&2; exit 1; }
for tool in wine wineserver xvfb-run xdotool import; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f "$scr" ] || skip "no $scr: scripts/build-windows has not run"

export WINEPREFIX="${WINEPREFIX:-$out/wine-prefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LIBGL_ALWAYS_SOFTWARE=1

# The rest runs on an X server of its own.
if [ "${QUOR_SETTINGS_DIALOG_INSIDE:-}" != 1 ]; then
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "settings_dialog: creating the Wine prefix $WINEPREFIX"
    xvfb-run -a wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -k 2>/dev/null || true  # one wineserver per X server
  status=0
  QUOR_SETTINGS_DIALOG_INSIDE=1 xvfb-run -a -s "-screen 0 ${screen}x24 -noreset" "$0" "$out" ||
    status=$?
  wineserver -k 2>/dev/null || true
  exit $status
fi

work="$(mktemp -d)"
key='HKCU\Software\Quor'
cleanup() {
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
wine reg delete "$key" /f >/dev/null 2>&1 || true

# Waits up to $1 seconds for the command after it to succeed.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.5
  done
}
dialog_window() { xdotool search --onlyvisible --name '^Quor settings$' 2>/dev/null | head -n1; }
dialog_shown() { [ -n "$(dialog_window)" ]; }
windows_shown() { [ "$(xdotool search --onlyvisible --name '^Quor settings$' 2>/dev/null | wc -l)" -eq "$1" ]; }
dialog_gone() { [ -z "$(dialog_window)" ]; }
running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }

# Starts quor.scr with the given arguments in the background; its output goes to $work/$1.
start() {
  local name="$1"
  shift
  (cd "$work" && exec wine "$scr" "$@" >"$work/$name" 2>&1 </dev/null) &
  pid=$!
}
# Waits for the last started program to end with status 0 and to have printed nothing of its
# own but the lines $2 matches, if given (Wine's word when its X server goes away is not the
# program's).
finish() {
  wait_until 60 ended "$pid" || fail "$1 did not end"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "$1 ended with status $status: $(cat "$work/$1")"
  local said
  said="$(tr -d '\r' <"$work/$1" | grep -vE "^X connection to .* broken${2:+|$2}" || true)"
  [ -z "$said" ] || fail "$1 printed: $said"
}
open_dialog() {
  start "$@"
  wait_until 90 dialog_shown || fail "$1: no window named 'Quor settings' appeared: $(cat "$work/$1")"
  xdotool windowfocus --sync "$(dialog_window)"
}
saved() { wine reg query "$key" 2>/dev/null | tr -d '\r' | sed -n 's/^ \{4\}\([^ ]*\) \{4\}REG_SZ \{4\}/\1=/p'; }

# How many nearly white pixels the top right corner of the screen holds, where the clock is drawn.
white_in_corner() {
  import -window root -crop 180x30+620+0 -depth 8 txt:- 2>/dev/null |
    awk -F'[(),]' 'NR > 1 && $2 > 200 && $3 > 200 && $4 > 200 { n++ } END { print n + 0 }'
}
# How many lit pixels the screen holds: the flame is on.
lit_pixels() {
  import -window root -depth 8 txt:- 2>/dev/null |
    awk -F'[(),]' 'NR > 1 && $2 + $3 + $4 > 300 { n++ } END { print n + 0 }'
}
flame_shown() { [ "$(lit_pixels)" -gt 2000 ]; }
clock_shown() { [ "$(white_in_corner)" -gt 20 ]; }

# 1. /c: Tab to Particles, type 80, tick "Show frame rate" with its access key (Alt+H, the
# first free letter of its label), Return for OK.
open_dialog dialog-ok /c
xdotool key Tab
xdotool type 80
xdotool key alt+h Return
wait_until 30 dialog_gone || fail "the dialog stayed open after Return"
finish dialog-ok
values="$(saved | sort)"
[ "$values" = "$(printf 'clock=on\nparticles=80')" ] ||
  fail "the registry holds '$values', not clock=on and particles=80"
echo "settings_dialog: OK saved: ${values//$'\n'/ }"

# 2. /s reads them: the clock appears at the top right.
start saver-clock /s
# The clock is on from the first frame: once the flame is seen, so is the clock (which is what
# step 4 relies on to see it absent).
wait_until 90 flame_shown || fail "/s after saving clock=on: no flame"
clock_shown || fail "/s after saving clock=on: no clock at the top right"
xdotool key a
finish saver-clock
echo "settings_dialog: /s showed the clock"

# 3. The dialog shows what is saved: OK at once saves the same again.
open_dialog dialog-again /c
xdotool key Return
wait_until 30 dialog_gone || fail "the dialog stayed open after Return"
finish dialog-again
values="$(saved | sort)"
[ "$values" = "$(printf 'clock=on\nparticles=80')" ] || fail "OK on the saved values gave '$values'"

# 4. No argument opens the dialog too. A value out of range is refused with a message (a second
# window of the same title) and the dialog stays; Escape then saves nothing.
open_dialog dialog-cancel
xdotool key Tab
xdotool type 500
xdotool key Return
wait_until 30 windows_shown 2 || fail "no message about particles=500"
xdotool key Return
wait_until 30 windows_shown 1 || fail "the message or the dialog did not stay as they should"
xdotool key Escape
wait_until 30 dialog_gone || fail "the dialog stayed open after Escape"
finish dialog-cancel
values="$(saved | sort)"
[ "$values" = "$(printf 'clock=on\nparticles=80')" ] || fail "Escape changed the registry: '$values'"
echo "settings_dialog: particles=500 refused, Escape kept them"

# 5. Defaults (Alt+D), then OK: nothing saved, and /s draws the flame without the clock.
open_dialog dialog-defaults /c
xdotool key alt+d
xdotool key Return
wait_until 30 dialog_gone || fail "the dialog stayed open after Defaults and Return"
finish dialog-defaults
values="$(saved)"
[ -z "$values" ] || fail "Defaults and OK left '$values' in the registry"
# A value edited by hand that the option does not take is skipped with a warning, not fatal.
wine reg add "$key" /v particles /t REG_SZ /d many /f >/dev/null 2>&1
start saver-plain /s
wait_until 90 flame_shown || fail "/s with the defaults: no flame"
clock_shown && fail "/s with the defaults showed the clock"
xdotool key a
finish saver-plain "^quor: warning: a saved setting is ignored: particles takes a whole number from 10 to 320, not 'many'\$"
grep -q "not 'many'" "$work/saver-plain" || fail "/s did not name the value it skipped"
echo "settings_dialog: Defaults cleared them; passed"

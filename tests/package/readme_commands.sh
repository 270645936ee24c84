#!/usr/bin/env bash
# The README's commands as a new user runs them: in a fresh clone of the committed tree, without
# a display, with HOME in a scratch folder (so that ~/.local is one too), every command of the
# sh blocks of the README's "Run it" and "Install and package", docs/options.md and
# docs/screensaver.md exactly as written, each of which must exit with 0. (The screen-saver section's installs under /usr need
# root and change the system, and its dialogs need a desktop: those are in plain blocks, and the
# saver programs themselves are tested in tests/e2e/xscreensaver_e2e_test.cpp.) Then what they promise: the screenshot that scripts/run names, the captured
# frames, the installed program and manual page, and a clone that git still sees as clean; and
# that scripts/run claims no screenshot where it made none.
# scripts/package is left out: it builds everything once more, and package_contents covers it.
#
#   tests/package/readme_commands.sh SOURCE_DIR    (exit 77: skipped, no git checkout)
set -uo pipefail
source_dir="$1"
if ! command -v git >/dev/null 2>&1 || ! git -C "$source_dir" rev-parse HEAD >/dev/null 2>&1; then
  echo "readme_commands: SKIP (no git checkout at $source_dir)"
  exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
clone="$work/quor"
git clone -q "$source_dir" "$clone" || exit 1
export HOME="$work/home"
mkdir -p "$HOME"
unset DISPLAY

# What xscreensaver-settings writes on its first save, as far as the README's line needs: the
# programs list, one hack a line, each ending in \n\.
printf 'mode:\t\trandom\nprograms:\t\t\t\t\t\t      \\\n\t\t\t\tmaze -root\t\t\t\t    \\n\\\n\t\t\t\tdeco -root\t\t\t\t    \\n\n\npointerHysteresis: 10\n' \
  >"$HOME/.xscreensaver"

# The sh blocks of the README's "Run it" and "Install and package" and of the pages on options and
# screen savers, one command a line, comments after the command dropped. The other pages'
# commands are the suite itself (docs/testing.md), the Windows build, which the suite runs before
# its Wine tests (docs/windows.md), measurements of minutes that a test would only time
# (docs/performance.md), and the README's install command with the scripts that remake the
# committed images (docs/install.md).
blocks='
  /^```/ { block = !block && wanted && $0 == "```sh"; next }
  block { sub(/[ \t]+#.*$/, ""); if (NF) print }
'
commands="$(awk '/^## / { wanted = ($0 ~ /^## (Run it|Install and package)$/) }'"$blocks" \
  "$clone/README.md"; awk 'BEGIN { wanted = 1 }'"$blocks" "$clone/docs/options.md" \
  "$clone/docs/screensaver.md")"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
while IFS= read -r command; do
  [ "$command" = "./scripts/package" ] && continue
  echo "== $command"
  output="$(cd "$clone" && bash -c "$command" 2>&1)"
  status=$?
  printf '%s\n' "$output" | tail -n 5
  [ "$status" -eq 0 ] || fail "'$command' exited with $status"
  case "$command" in
    ./scripts/run)
      grep -qx "Screenshot saved to $clone/build/screenshot.png" <<<"$output" ||
        fail "scripts/run did not name its screenshot"
      [ -s "$clone/build/screenshot.png" ] || fail "no build/screenshot.png"
      ;;
  esac
done <<<"$commands"

[ -n "$commands" ] || fail "no commands found in README.md"
# scripts/run claims a screenshot only when it made one, and passes the program's status on.
for args in "--help" "--frames=2 --capture=/dev/null/x.png"; do
  output="$(cd "$clone" && ./scripts/run $args 2>&1)"
  status=$?
  expected=0
  [ "$args" = --help ] || expected=1
  [ "$status" -eq "$expected" ] || fail "scripts/run $args exited with $status"
  grep -q "Screenshot saved\|six seconds" <<<"$output" && fail "scripts/run $args: $output"
done
for file in flame.png shots/0001.png shots/0300.png; do
  [ -s "$clone/$file" ] || fail "the capture examples left no $file"
done
# Quor's line is the programs list's first, and the list still runs on to its old last hack.
programs="$(awk '/^programs:/ { list = 1; next } list { print; if ($0 !~ /\\$/) exit }' "$HOME/.xscreensaver")"
head -n 1 <<<"$programs" | grep -qx '  GL: "Quor" quor --root \\n\\' ||
  fail "no Quor line heads ~/.xscreensaver's programs"
grep -q 'deco -root' <<<"$programs" || fail "the README's line broke ~/.xscreensaver's programs"
for file in bin/quor libexec/xscreensaver/quor share/quor/font.bmp share/man/man6/quor.6.gz \
  share/doc/quor/copyright; do
  [ -s "$HOME/.local/$file" ] || fail "cmake --install left no ~/.local/$file"
done
"$HOME/.local/bin/quor" --version | grep -q '^quor ' || fail "the installed quor does not run"
left="$(git -C "$clone" status --porcelain)"
[ -z "$left" ] || fail "the examples leave files that git does not ignore: $left"

[ "$failures" -eq 0 ] && echo "readme_commands: PASS"
[ "$failures" -eq 0 ]

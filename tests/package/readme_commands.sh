#!/usr/bin/env bash
# The README's commands as a new user runs them: in a fresh clone of the committed tree, without
# a display, with HOME in a scratch folder (so that ~/.local is one too), every command of the
# "Run it", "Options" and "Install and package" blocks exactly as written, each of which must
# exit with 0. Then what they promise: the screenshot that scripts/run names, the captured
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

# The sh blocks of the three sections, one command a line, comments after the command dropped.
commands="$(awk '
  /^## / { wanted = ($0 ~ /^## (Run it|Options|Install and package)$/) }
  /^```/ { block = !block && wanted && $0 == "```sh"; next }
  block { sub(/[ \t]+#.*$/, ""); if (NF) print }
' "$clone/README.md")"
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
for file in bin/quor share/quor/font.bmp share/man/man6/quor.6.gz share/doc/quor/copyright; do
  [ -s "$HOME/.local/$file" ] || fail "cmake --install left no ~/.local/$file"
done
"$HOME/.local/bin/quor" --version | grep -q '^quor ' || fail "the installed quor does not run"
left="$(git -C "$clone" status --porcelain)"
[ -z "$left" ] || fail "the examples leave files that git does not ignore: $left"

[ "$failures" -eq 0 ] && echo "readme_commands: PASS"
[ "$failures" -eq 0 ]

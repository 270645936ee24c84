#!/usr/bin/env bash
# The resources the Windows programs carry, read back from the built files with icoutils'
# wrestool: the icon in its three sizes, string 1 "Quor" (the name Windows' list of screen savers
# shows), and the version information Explorer's Properties, Details shows, with project()'s
# version.
#
# Usage: tests/wine/resources.sh [BUILD-WINDOWS-FOLDER]   (default: build-windows/)
# Exit 77 (skipped) when the Windows build has not been made there or icoutils is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="${1:-$root/build-windows}"

skip() { echo "resources: skipped: $*"; exit 77; }
fail() { echo "resources: FAILED: $*" >&2; exit 1; }
for tool in wrestool icotool; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (icoutils)"
done
[ -f "$out/bin/quor.exe" ] || skip "no $out/bin/quor.exe: scripts/build-windows has not run"
version="$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for program in quor.exe quor.scr; do
  file="$out/bin/$program"
  # The icon group, with a 48, a 128 and a 256 pixel icon.
  wrestool -x --type=14 "$file" -o "$work/icon.ico" 2>/dev/null || fail "$program has no icon"
  sizes="$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')"
  [ "$sizes" = "48 128 256 " ] || fail "$program's icon has the sizes '$sizes', not 48, 128 and 256"

  # String table block 1 holds strings 0 to 15, each a UTF-16 count and its characters: none
  # for 0, then 1 as 4 characters "Quor".
  strings="$(wrestool -x --raw --type=6 --name=1 "$file" | od -An -tx1 -N12 | tr -s ' \n' ' ')"
  [ "$strings" = " 00 00 04 00 51 00 75 00 6f 00 72 00 " ] ||
    fail "$program's string 1 is not \"Quor\" (the table starts$strings)"

  # The version's strings, UTF-16 with zero padding: with the zero bytes gone each name runs
  # into its value.
  info="$(wrestool -x --raw --type=16 "$file" | tr -d '\0')"
  for pair in "ProductNameQuor" "FileVersion$version" "ProductVersion$version" \
    "FileDescriptionQuor - real-time flames and clouds" \
    "LegalCopyrightCopyright (c) 2026 the Quor developers"; do
    case "$info" in *"$pair"*) ;; *) fail "$program's version information lacks '$pair'" ;; esac
  done
done

# quor.exe is a console program (cmd waits for it), quor.scr a GUI one (no console flashes up
# when Windows starts the saver): the PE header's subsystem, 3 and 2.
subsystem() {
  x86_64-w64-mingw32-objdump -p "$out/bin/$1" | sed -n 's/^Subsystem[[:space:]]*0*\([0-9]*\).*/\1/p'
}
[ "$(subsystem quor.exe)" = 3 ] || fail "quor.exe is not a console program ($(subsystem quor.exe))"
[ "$(subsystem quor.scr)" = 2 ] || fail "quor.scr is not a GUI program ($(subsystem quor.scr))"
echo "resources: quor.exe (console) and quor.scr (GUI) carry the icon (48, 128, 256), string 1 and version $version"

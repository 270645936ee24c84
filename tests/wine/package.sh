#!/usr/bin/env bash
# The Windows package that scripts/build-windows --package makes: its name carries project()'s
# version, it holds exactly what ships in one folder, the programs and images are the built ones,
# its README.txt has Windows' line ends, and packing again gives the same bytes.
#
# Usage: tests/wine/package.sh [BUILD-WINDOWS-FOLDER]   (default: build-windows/)
# Exit 77 (skipped) when the Windows build has not been made there, or zip or unzip is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="${1:-$root/build-windows}"

skip() { echo "package: skipped: $*"; exit 77; }
fail() { echo "package: FAILED: $*" >&2; exit 1; }
for tool in zip unzip; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f "$out/bin/quor.exe" ] || skip "no $out/bin/quor.exe: scripts/build-windows has not run"

version="$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
name="quor-$version-windows-x86_64"
zip="$out/$name.zip"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$root/scripts/build-windows" --out "$out" --package >"$work/build.log" 2>&1 ||
  fail "scripts/build-windows --package failed: $(tail -n 20 "$work/build.log")"
[ -f "$zip" ] || fail "no $zip"

# Exactly these files (zip -D: no entries for folders), all in the one folder.
expected="$(printf '%s\n' "$name/LICENSE.txt" "$name/README.txt" \
  "$name/assets/font.bmp" "$name/assets/smoke128.bmp" \
  "$name/licenses/freeglut.txt" "$name/licenses/gcc-runtime.txt" "$name/licenses/libpng.txt" \
  "$name/licenses/mingw-w64-runtime.txt" "$name/licenses/zlib.txt" "$name/quor.exe" \
  "$name/quor.scr" | LC_ALL=C sort)"
listed="$(unzip -Z1 "$zip" | LC_ALL=C sort)"
[ "$listed" = "$expected" ] || fail "the archive holds:
$listed
instead of:
$expected"

unzip -q "$zip" -d "$work"
dir="$work/$name"
cmp -s "$dir/quor.exe" "$out/bin/quor.exe" || fail "quor.exe is not the built program"
cmp -s "$dir/quor.scr" "$out/bin/quor.scr" || fail "quor.scr is not the built saver"
cmp -s "$dir/LICENSE.txt" "$root/LICENSE" || fail "LICENSE.txt is not the LICENSE"
for image in font.bmp smoke128.bmp; do
  cmp -s "$dir/assets/$image" "$root/assets/$image" || fail "assets/$image is not the project's"
done
for licence in "$dir"/licenses/*.txt; do
  [ -s "$licence" ] || fail "$(basename "$licence") is empty"
done

# README.txt: every line ends in CR LF, and it says what Windows users need.
lines="$(wc -l <"$dir/README.txt")"
crlf="$(grep -c $'\r$' "$dir/README.txt" || true)"
if [ "$lines" -eq 0 ] || [ "$lines" != "$crlf" ]; then
  fail "README.txt: $crlf of $lines lines end in CR LF"
fi
for said in "right-click quor.scr" "System32" "quor.scr /s" "quor.scr /p HWND" "quor.scr /c" \
  'HKEY_CURRENT_USER\Software\Quor' "Wine" "real Windows"; do
  tr -d '\r' <"$dir/README.txt" | tr '\n' ' ' | grep -qiF "$said" || fail "README.txt does not say '$said'"
done

# The same sources give the same archive.
cp "$zip" "$work/first.zip"
"$root/scripts/build-windows" --out "$out" --package >"$work/build.log" 2>&1 ||
  fail "the second scripts/build-windows --package failed"
cmp -s "$zip" "$work/first.zip" || fail "packing again gave another archive"
echo "package: $zip holds the $(echo "$listed" | wc -l) expected entries; passed"

#!/usr/bin/env bash
# scripts/failure-digest against a log that this machine's CTest really writes: a small project
# with a test that passes, a GoogleTest-like one that fails, one without GoogleTest's lines that
# fails, and one that CTest ends at its timeout. Each failed one must be named with the lines that
# say why, and the one that passed must not appear.
#
#   tests/package/failure_digest.sh SOURCE_DIR
set -euo pipefail
source_dir="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat >"$work/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(digest NONE)
enable_testing()
add_test(NAME passes COMMAND sh -c "echo '[ RUN      ] A.Passes'; echo 'all is well'")
add_test(NAME fails COMMAND sh -c "echo 'Running main()'; echo '[ RUN      ] A.Fails'; echo 'a.cpp:3: Failure'; echo 'Expected: 1'; exit 1")
add_test(NAME plain COMMAND sh -c "echo 'soak: 3 leaks'; exit 1")
add_test(NAME hangs COMMAND sh -c "echo '[ RUN      ] A.Hangs'; echo 'hang: still running'; sleep 30")
set_tests_properties(hangs PROPERTIES TIMEOUT 1)
CMAKE
cmake -S "$work" -B "$work/build" >/dev/null
(cd "$work/build" && ctest -j4 >/dev/null 2>&1) || true
digest="$("$source_dir/scripts/failure-digest" "$work/build/Testing/Temporary/LastTest.log")"
status=0
for expected in "-- fails" "   a.cpp:3: Failure" "   Expected: 1" "-- plain" "   soak: 3 leaks" \
                "-- hangs" "   hang: still running"; do
  grep -qxF -- "$expected" <<<"$digest" || { echo "missing: '$expected'"; status=1; }
done
for unexpected in "passes" "all is well" "Running main()" "-----"; do
  ! grep -qF -- "$unexpected" <<<"$digest" || { echo "unexpected: '$unexpected'"; status=1; }
done
[ $status -eq 0 ] || printf 'the digest was:\n%s\n' "$digest"
exit $status

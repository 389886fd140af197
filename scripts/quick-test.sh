#!/usr/bin/env bash
# Runs the layering check and every test program of a built tree once, two at a
# time: the same tests ctest runs, without a process per test, so a mutation run
# judges a mutant in seconds. Usage: scripts/quick-test.sh BUILD_DIR. Non-zero
# when a test fails.
# With HS_KILL_LOG set, appends one line per run to that file: the tests that
# failed, so a mutation run shows which tests catch which mutant.
set -uo pipefail
layers=$(cd "$(dirname "$0")" && pwd)/check-layers.py
cd "$1" || exit 2
out=$(mktemp -d)
"$layers"
layers_status=$?
find tests -maxdepth 1 -name 'test_*' -type f -executable -print0 |
  xargs -0 -P2 -I{} sh -c 'QT_QPA_PLATFORM=offscreen timeout 300 "{}" --gtest_brief=1 \
    >"$0/$(basename "{}").log" 2>&1' "$out"
status=$?
[ "$layers_status" -ne 0 ] && status=1
if [ -n "${HS_KILL_LOG:-}" ]; then
  failed=$(cat "$out"/*.log | sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_./]*\).*/\1/p' | sort -u)
  [ "$layers_status" -ne 0 ] && failed="layers $failed"
  [ "$status" -ne 0 ] && [ -z "$failed" ] && failed="(crash or timeout)"
  echo "run: ${failed//$'\n'/ }" >>"$HS_KILL_LOG"
fi
rm -rf "$out"
exit "$status"

#!/usr/bin/env bash
# Runs every test program of a built tree once, two at a time: the same tests
# ctest runs, without a process per test, so a mutation run judges a mutant in
# seconds. Usage: scripts/quick-test.sh BUILD_DIR. Non-zero when a test fails.
set -uo pipefail
cd "$1" || exit 2
find tests -maxdepth 1 -name 'test_*' -type f -executable -print0 |
  xargs -0 -P2 -I{} sh -c 'QT_QPA_PLATFORM=offscreen timeout 300 "{}" --gtest_brief=1 >/dev/null 2>&1'

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with ctest.
# HS_WERROR=ON makes every compiler warning an error (.ci/run sets it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build" -DHS_TESTS=ON -DHS_BENCH=ON \
  -DHS_WERROR="${HS_WERROR:-OFF}"
cd "$root/build"
# One X display for the whole run gives the 3D view's tests OpenGL (Mesa).
QT_QPA_PLATFORM=offscreen xvfb-run -a ctest --output-on-failure -j "$(nproc)"

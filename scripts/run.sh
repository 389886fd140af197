#!/usr/bin/env bash
# Installs what is missing, builds, and starts Hillstrew in its workspace folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" --run
"$root/scripts/build.sh" "$root/build" -DHS_TESTS=OFF -DHS_BENCH=OFF
workspace=${HILLSTREW_WORKSPACE:-$root/workspace}
mkdir -p "$workspace"
cd "$workspace"
exec "$root/build/src/hillstrew"

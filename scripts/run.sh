#!/usr/bin/env bash
# Installs what is missing, builds, and starts Hillstrew in its workspace folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" --run
"$root/scripts/build.sh" "$root/build" -DHS_TESTS=OFF -DHS_BENCH=OFF
workspace=${HILLSTREW_WORKSPACE:-$root/workspace}
mkdir -p "$workspace"
# A new workspace starts with the samples (terrain, palette, preview scene);
# files already there are the user's and stay as they are.
for f in "$root"/samples/*; do
  [ "$(basename "$f")" = README.md ] || cp -n "$f" "$workspace/"
done
cd "$workspace"
exec "$root/build/src/hillstrew"

#!/usr/bin/env bash
# Sets up, builds (warnings are errors) and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" -DVORN_WARNINGS_AS_ERRORS=ON
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j "$(nproc)"

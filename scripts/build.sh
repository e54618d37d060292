#!/usr/bin/env bash
# Sets up, configures and builds into ./build (extra arguments go to cmake).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$root/build" --parallel "$(nproc)"

#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
exec "$root/build/program/vorn-transfer"

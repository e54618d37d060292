#!/usr/bin/env bash
# Sets up, builds (optimised) and runs every benchmark under bench/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
status=0
for bench in "$root"/build/bench/*/bench_*; do
  [[ -f "$bench" && -x "$bench" ]] || continue
  echo "== $(basename "$bench")"
  "$bench" || status=1
done
exit $status

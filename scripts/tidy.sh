#!/usr/bin/env bash
# Static analysis of Kapito's sources with clang-tidy (checks in .clang-tidy).
# Every finding fails. Uses the compile database of the build folder ./build
# (or $1), configuring it first when needed; nothing has to be built.
# TIDY_JOBS (default: number of cores) and TIDY_BATCH (sources analysed
# together, default 8) tune the run.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
if [ -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
else
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
fi
python3 "$ROOT/scripts/tidy.py" "$ROOT" "$(cd "$BUILD" && pwd)" \
        "${TIDY_JOBS:-$(nproc)}" "${TIDY_BATCH:-8}"

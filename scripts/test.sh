#!/usr/bin/env bash
# Builds Kapito and runs every test with CTest, headless.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bash "$ROOT/scripts/install-deps.sh"
bash "$ROOT/scripts/build.sh" "$ROOT/build"
bash "$ROOT/scripts/tidy.sh" "$ROOT/build"
cd "$ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
# The gates: every test again under the sanitizers, then the fuzz targets.
bash "$ROOT/scripts/sanitizer.sh"
bash "$ROOT/scripts/fuzz.sh"

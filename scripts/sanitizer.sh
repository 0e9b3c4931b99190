#!/usr/bin/env bash
# Builds Kapito and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into ./build-asan (or $1) and runs every CTest test there that runs our code,
# headless (the story test under Xvfb as in the ordinary build). A memory
# error, undefined behaviour or a leak of ours fails the test it occurs in.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$ROOT/build-asan}"
source "$ROOT/scripts/sanitizer-env.sh"
kapito_asan_konfigurieren "$BUILD"
cmake --build "$BUILD" -j"$(nproc)"
cd "$BUILD"
# The checks of the desktop entry, the metainfo and the package run none of
# our code: the ordinary build's tests cover them.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" -E '^(desktop_metainfo|paket_deb)$'

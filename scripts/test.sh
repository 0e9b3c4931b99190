#!/usr/bin/env bash
# Builds Kapito and runs every test with CTest, headless; then the gates:
# static analysis, every test again under the sanitizers, the fuzz targets.
# Any failure fails the command; the time of each step is shown at the end.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
ZEITEN=()
ZEITDATEI=$(mktemp /tmp/kapito-zeiten.XXXXXX)
trap 'rm -f "$ZEITDATEI"' EXIT
# CPU seconds of all finished child processes so far, user and system. The
# builtin runs in this shell: in a subshell it would see only its own.
rechenzeit() {
    times >"$ZEITDATEI"
    CPU=$(tail -1 "$ZEITDATEI" | tr 'ms' '  ' | awk '{printf "%d", $1 * 60 + $2 + $3 * 60 + $4}')
}
# Runs a step and notes its wall time and CPU time: on another load the
# wall time changes, the CPU time hardly.
schritt() {
    local name=$1 beginn=$SECONDS vorher
    shift
    rechenzeit
    vorher=$CPU
    "$@"
    rechenzeit
    ZEITEN+=("$(printf '%-28s %4d s   (CPU %d s)' "$name" $((SECONDS - beginn)) $((CPU - vorher)))")
}

bash "$ROOT/scripts/install-deps.sh"
schritt "build" bash "$ROOT/scripts/build.sh" "$ROOT/build"

# clang-tidy needs nothing the tests make, and the tests spend much of their
# time waiting on timers and child programs: it runs beside them on the
# cores they leave free.
pruefen() {
    local log
    log=$(mktemp /tmp/kapito-tidy.XXXXXX)
    bash "$ROOT/scripts/tidy.sh" "$ROOT/build" >"$log" 2>&1 &
    local tidy=$! status=0
    (cd "$ROOT/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)") ||
        status=1
    wait "$tidy" || status=1
    echo "--- clang-tidy"
    cat "$log"
    rm -f "$log"
    return "$status"
}
schritt "tests + clang-tidy" pruefen
schritt "sanitizer build and tests" bash "$ROOT/scripts/sanitizer.sh"
schritt "fuzzing" bash "$ROOT/scripts/fuzz.sh"
printf '%s\n' "${ZEITEN[@]}"

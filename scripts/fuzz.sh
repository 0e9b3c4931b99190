#!/usr/bin/env bash
# Runs the libFuzzer targets of the sanitizer build (./build-asan, built when
# needed), each for a fixed time on its seed corpus in fuzz/korpus/<name>.
# A crash, a failed check, undefined behaviour or a leak fails the run; the
# input that caused it is kept in build-asan/fuzz-funde/.
#
#   scripts/fuzz.sh [SECONDS] [NAME...]     default: 30 seconds, every target
#
# New inputs the fuzzer finds go to a temporary folder, so the seed corpora
# change only when someone copies inputs into them on purpose.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${KAPITO_ASAN_BUILD:-$ROOT/build-asan}"
SEKUNDEN="${1:-30}"
[ $# -gt 0 ] && shift
NAMEN=("$@")
[ ${#NAMEN[@]} -eq 0 ] && NAMEN=(rtf geld spalten berichte jetstrom kursdatei eigenschaften)

source "$ROOT/scripts/sanitizer-env.sh"
[ -f "$BUILD/build.ninja" ] || kapito_asan_konfigurieren "$BUILD"
ZIELE=()
for n in "${NAMEN[@]}"; do ZIELE+=("${n}_fuzz"); done
cmake --build "$BUILD" -j"$(nproc)" --target "${ZIELE[@]}"

FUNDE="$BUILD/fuzz-funde"
ARBEIT=$(mktemp -d /tmp/kapito-fuzz.XXXXXX)
trap 'rm -rf "$ARBEIT"' EXIT
mkdir -p "$FUNDE"

laufen() {
    local n=$1
    mkdir -p "$ARBEIT/$n"
    if "$BUILD/fuzz/${n}_fuzz" -max_total_time="$SEKUNDEN" -timeout=25 -rss_limit_mb=2048 \
        -artifact_prefix="$FUNDE/$n-" "$ARBEIT/$n" "$ROOT/fuzz/korpus/$n" \
        >"$ARBEIT/$n.log" 2>&1; then
        echo "ok     ${n}_fuzz: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$ARBEIT/$n.log" | tail -1)s"
    else
        echo "FAILED ${n}_fuzz:"
        grep -v '^#[0-9]' "$ARBEIT/$n.log" | tail -40
        echo "Reproduce: source scripts/sanitizer-env.sh; $BUILD/fuzz/${n}_fuzz $FUNDE/$n-<file>"
        return 1
    fi
}

# As many at a time as there are cores.
fehler=0
laeufe=0
for n in "${NAMEN[@]}"; do
    if [ "$laeufe" -ge "$(nproc)" ]; then
        wait -n || fehler=1
        laeufe=$((laeufe - 1))
    fi
    laufen "$n" &
    laeufe=$((laeufe + 1))
done
while [ "$laeufe" -gt 0 ]; do
    wait -n || fehler=1
    laeufe=$((laeufe - 1))
done
[ "$fehler" -eq 0 ] && echo "${#NAMEN[@]} passed, 0 failed"
exit "$fehler"

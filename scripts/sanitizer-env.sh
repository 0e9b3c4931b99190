# The sanitizer build's settings, shared by scripts/sanitizer.sh and
# scripts/fuzz.sh. To run a program of build-asan by hand:
#   source scripts/sanitizer-env.sh
_KAPITO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# abort_on_error: a report ends the program with SIGABRT, which callers that
# start our helper programs see as a crash, not as an ordinary exit code.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$_KAPITO_ROOT/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Configures the sanitizer build in folder $1 (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets, no benchmark).
#
# clang builds it: it compiles the instrumented code about twice as fast as
# gcc, and libFuzzer needs it anyway. Debug keeps the assertions of our code
# and of Qt's headers; -O0 with line tables only builds fastest and still
# names file and line in every report. The sources of a target are compiled
# eight to a unit, which takes about a fifth off this build's CPU time.
kapito_asan_konfigurieren() {
    local linker=()
    command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld
        -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_MODULE_LINKER_FLAGS=-fuse-ld=lld)
    cmake -S "$_KAPITO_ROOT" -B "$1" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -gline-tables-only" "${linker[@]}" \
        -DKAPITO_SANITIZE=ON -DKAPITO_FUZZ=ON -DKAPITO_BENCH=OFF -DKAPITO_WERROR=OFF \
        -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8 >/dev/null
}

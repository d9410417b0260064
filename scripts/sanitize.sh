#!/bin/sh
# Builds Tessaro once more with clang, under AddressSanitizer and UndefinedBehaviorSanitizer and
# with the fuzz targets, into build-sanitize/, and runs the whole suite there: every test
# program, then each fuzz target for TESSARO_FUZZ_SECONDS seconds (default 20). Any sanitizer
# report or broken fuzz property fails the run. Expects scripts/setup.sh to have run.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitize"
seconds=${TESSARO_FUZZ_SECONDS:-20}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTESSARO_SANITIZE=ON -DTESSARO_FUZZ=ON \
    -DTESSARO_FUZZ_SECONDS="$seconds"
cmake --build "$build"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/leak-suppressions.txt"
cd "$build"
exec ctest --output-on-failure -j2

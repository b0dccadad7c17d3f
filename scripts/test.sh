#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: a normal build, then its install, desktop
# metadata and Debian package checked (tests/install/check_install.sh); one clang build with
# AddressSanitizer and UndefinedBehaviorSanitizer that runs the same tests and the fuzz
# targets (libFuzzer, each replaying its corpus and then a fixed number of mutations from a
# fixed seed: repeatable); the threaded tests under ThreadSanitizer.
# Stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
jobs=$(nproc)
# A compiler cache, when the machine has one, makes the four builds after the first cheap.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # The precompiled headers are cached too.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi

# run_suite DIR "CTEST ARGS" "TARGETS (empty: all)" CMAKE ARGS...
run_suite() {
  local dir=$1 ctest_args=$2 targets=$3 started=$SECONDS; shift 3
  echo "== $dir"
  cmake -S . -B "$dir" -G Ninja -DP330_BENCHMARKS=OFF "${launcher[@]}" "$@" >/dev/null
  # shellcheck disable=SC2086
  cmake --build "$dir" -j "$jobs" ${targets:+--target $targets}
  # shellcheck disable=SC2086
  (cd "$dir" && ctest --output-on-failure -j "$jobs" $ctest_args)
  echo "== $dir: $((SECONDS - started)) s"
}
# The sanitizer builds link with lld: their test programs are linked in seconds, not minutes.
lld=()
if command -v ld.lld >/dev/null; then lld=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld); fi

# The tests need no debug information in the programs (the package is stripped of it anyway):
# a quarter less to compile.
run_suite build-test "" "" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
# The sanitizer stage leaves out the Wayland window test (label wayland): LeakSanitizer reports
# what Qt's Wayland client leaves allocated in libwayland-client as the program ends.
echo "== install"
started=$SECONDS
tests/install/check_install.sh build-test
echo "== install: $((SECONDS - started)) s"
# One clang build serves the sanitizers and the fuzz targets: every test under AddressSanitizer
# and UndefinedBehaviorSanitizer, and each fuzz target over the instrumented core. At -O1 it
# compiles in much less time; the fuzz targets still do their fixed number of runs.
ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  run_suite build-asan "-LE wayland" "" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" "${lld[@]}" \
  -DP330_FUZZERS=ON -DP330_SANITIZE=address,undefined
TSAN_OPTIONS=halt_on_error=1 \
  run_suite build-tsan "-L threads" "thread_tests" -DCMAKE_BUILD_TYPE=Debug "${lld[@]}" \
  -DP330_SANITIZE=thread
echo "== CPU time of the whole run (user, system; this shell, then the programs it ran):"
times

#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: a normal build, then its install, desktop
# metadata and Debian package checked (tests/install/check_install.sh); one clang build with
# AddressSanitizer and UndefinedBehaviorSanitizer that runs the same tests and the fuzz
# targets (libFuzzer, each replaying its corpus and then a fixed number of mutations from a
# fixed seed: repeatable); the threaded tests under ThreadSanitizer.
#
# Most tests wait (a splash, a window manager, a time-out) rather than compute, so they run
# while the next build compiles: the normal build's tests and the install check beside the
# sanitizer build, the ThreadSanitizer build and its tests beside the sanitizer tests. Each
# stage writes its own log; the first stage that fails stops the others and its log is shown.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
# Tests run two to a core: most of them wait. The ones that keep a core busy (the fuzz
# targets, the two-writer rounds: resource "cpu") run one to a core, and first.
test_jobs=$((jobs * 2))
cpu_slots=$jobs
# A compiler cache, when the machine has one, makes the builds after the first cheap.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # The precompiled headers are cached too.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi
# The sanitizer builds link with lld: their test programs are linked in seconds, not minutes.
lld=()
if command -v ld.lld >/dev/null; then lld=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld); fi

# configure DIR CMAKE ARGS...
configure() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DP330_BENCHMARKS=OFF "${launcher[@]}" "$@" >/dev/null
}
# build DIR [TARGETS...]
build() {
  local dir=$1; shift
  cmake --build "$dir" -j "$jobs" ${1:+--target "$@"}
}
# check DIR CTEST ARGS...
check() {
  local dir=$1; shift
  (cd "$dir" && ctest --output-on-failure --no-tests=error -j "$test_jobs" \
    --resource-spec-file "$root/build-logs/resources.json" "$@")
}

# The stages running at one time, by name: their process group, log and start.
declare -A pid log started
stop_all() {
  local name
  for name in "${!pid[@]}"; do kill -- -"${pid[$name]}" 2>/dev/null || true; done
}
# begin NAME FUNCTION ARGS...: a stage in the background, in a process group of its own.
begin() {
  local name=$1; shift
  log[$name]=build-logs/$name.log
  started[$name]=$SECONDS
  echo "== $name (log: ${log[$name]})"
  setsid "$root/scripts/test.sh" --stage "$@" >"${log[$name]}" 2>&1 &
  pid[$name]=$!
}
# finish: waits for every stage begun; the first that fails ends the others and the run.
finish() {
  local done_pid status name
  while [ ${#pid[@]} -gt 0 ]; do
    status=0
    wait -n -p done_pid "${pid[@]}" || status=$?
    for name in "${!pid[@]}"; do
      [ "${pid[$name]}" = "$done_pid" ] || continue
      unset "pid[$name]"
      if [ "$status" -ne 0 ]; then
        stop_all
        echo "== $name FAILED (status $status) after $((SECONDS - started[$name])) s; its log:"
        cat "${log[$name]}"
        exit "$status"
      fi
      echo "== $name: $((SECONDS - started[$name])) s"
    done
  done
}

# The stages themselves, run by begin in a child of this script.
stage_install() { tests/install/check_install.sh build-test; }
stage_asan_build() {
  # Compiled beside the normal build at a lower priority: it takes the processor where the
  # normal build leaves it idle (its last, single-file steps), and the tests' wake-ups first.
  # Each stage is a session of its own, which the kernel's autogroup scheduling shares out
  # evenly whatever its processes' nice value: the group's own nice value is what counts.
  renice -n 10 -p $$ >/dev/null
  if [ -w /proc/$$/autogroup ]; then echo 10 >/proc/$$/autogroup || true; fi
  # At -O1 it compiles in much less time than at -O2; the fuzz targets still do their fixed
  # number of runs.
  configure build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" "${lld[@]}" \
    -DP330_FUZZERS=ON -DP330_SANITIZE=address,undefined
  build build-asan
}
stage_asan_tests() {
  # The Wayland window test (label wayland) is left out: LeakSanitizer reports what Qt's
  # Wayland client leaves allocated in libwayland-client as the program ends.
  ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp check build-asan -LE wayland
}
stage_tsan() {
  # clang, as the other sanitizer build: it compiles this unoptimised build in two thirds of
  # gcc's time.
  # A folder configured with gcc before starts afresh: on a change of compiler CMake would drop
  # the other settings given with it, the sanitizer among them.
  if [ -f build-tsan/CMakeCache.txt ] &&
    ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang' build-tsan/CMakeCache.txt; then
    rm -rf build-tsan
  fi
  configure build-tsan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ "${lld[@]}" \
    -DP330_SANITIZE=thread
  build build-tsan thread_tests
  TSAN_OPTIONS=halt_on_error=1 check build-tsan -L threads
}
if [ "${1:-}" = --stage ]; then
  shift
  "$@"
  exit
fi

scripts/setup-debian.sh
mkdir -p build-logs
printf '{"version": {"major": 1, "minor": 0}, "local": [{"cpu": [{"id": "0", "slots": %d}]}]}\n' \
  "$cpu_slots" >build-logs/resources.json
trap stop_all EXIT
trap 'stop_all; exit 130' INT TERM

# The normal build first, the sanitizer build behind it at a lower priority. The tests need no
# debug information in the programs (the package is stripped of it anyway): a quarter less to
# compile.
begin asan-build stage_asan_build
echo "== build-test"
started[build-test]=$SECONDS
configure build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
build build-test
echo "== build-test: $((SECONDS - started[build-test])) s"
begin normal-tests check build-test
begin install stage_install
finish
begin asan-tests stage_asan_tests
begin tsan stage_tsan
finish
trap - EXIT
echo "== CPU time of the whole run (user, system; this shell, then the programs it ran):"
times

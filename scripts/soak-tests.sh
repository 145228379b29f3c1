#!/bin/sh
# Proves the x86_64 test suite on a loaded machine: builds build/win64 once,
# then runs its tests RUNS times (default 10), as scripts/test.sh runs them,
# while stress-ng keeps every core busy; prints each run's failed tests and
# "N of M runs passed". The test command does not run it.
#   scripts/soak-tests.sh [runs]
# Each run's output is kept in build/soak/run-N.log.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

runs=${1:-10}
case $runs in
'' | *[!0-9]* | 0)
    echo "usage: scripts/soak-tests.sh [runs]" >&2
    exit 2
    ;;
esac

scripts/install-packages.sh stress-ng

jobs=$(nproc)
build=$root/build/win64
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$jobs"

logs=$root/build/soak
mkdir -p "$logs"
rm -f "$logs"/run-*.log

# The load: one CPU worker per core. It and a run under way are stopped on
# any exit; the load's own time limit ends it should this script be killed
# outright.
load=""
run_group=""
cleanup() {
    if [ -n "$run_group" ]; then
        kill -- "-$run_group" 2>/dev/null || true
        wait "$run_group" 2>/dev/null || true
        WINEPREFIX=$build/wineprefix /usr/lib/wine/wineserver -k 2>/dev/null || true
        run_group=""
    fi
    if [ -n "$load" ]; then
        kill "$load" 2>/dev/null || true
        wait "$load" 2>/dev/null || true
        load=""
    fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
stress-ng --cpu "$jobs" --timeout "$((runs * 1800))s" --quiet &
load=$!
echo "soak-tests.sh: $runs runs of the x86_64 tests under stress-ng --cpu $jobs"

passed=0
run=1
while [ "$run" -le "$runs" ]; do
    log=$logs/run-$run.log
    start=$(date +%s)
    status=0
    # As scripts/test.sh runs them: without a display a window test hangs.
    # In a process group of its own, waited for so that a signal is taken at
    # once, and stopped whole with it.
    setsid sh -c 'cd "$1" && exec xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j "$2"' \
        sh "$build" "$jobs" >"$log" 2>&1 &
    run_group=$!
    wait "$run_group" || status=$?
    run_group=""
    seconds=$(($(date +%s) - start))
    if [ "$status" -eq 0 ]; then
        passed=$((passed + 1))
        echo "run $run: passed in $seconds s"
    else
        echo "run $run: failed in $seconds s (exit $status; $log):"
        # The CTest tests that failed, and the GoogleTest cases in them.
        sed -n '/The following tests FAILED:/,$s/^[[:space:]]*[0-9]* - /    /p' "$log"
        sed -n 's/^\[  FAILED  \] \([A-Za-z_0-9]*\.[A-Za-z_0-9/]*\).*/      \1/p' "$log" | sort -u
    fi
    run=$((run + 1))
done
cleanup
echo "soak-tests.sh: $passed of $runs runs passed"
[ "$passed" -eq "$runs" ]

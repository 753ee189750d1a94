#!/usr/bin/env bash
# Configures and builds the game as scripts/run does, with GoogleTest and Google Benchmark hidden,
# and checks that the program is built and that tests and benchmarks were skipped, not required.
# Usage: play_build_test.sh SOURCE_DIR
set -euo pipefail
src="$(cd "${1:?usage: play_build_test.sh SOURCE_DIR}" && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/tolvano-play-build.XXXXXX")"
trap 'rm -rf "$work"' EXIT
build="$work/build"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The configure line of scripts/run; the two DISABLE switches make the test packages look absent
# even on a machine that has them.
if ! cmake -S "$src" -B "$build" -G Ninja -Wno-dev -DTOLVANO_TESTS=AUTO -DTOLVANO_BENCH=AUTO \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    </dev/null >"$work/configure.log" 2>&1; then
    cat "$work/configure.log" >&2
    fail "configure needs more than playing needs"
fi

# Skipped with one line each, so a missing package is visible rather than silently required.
grep -q "Tests skipped: GTest not found" "$work/configure.log" ||
    { cat "$work/configure.log" >&2; fail "configure did not say that the tests were skipped"; }
grep -q "Benchmarks skipped: benchmark not found" "$work/configure.log" ||
    { cat "$work/configure.log" >&2; fail "configure did not say that the benchmarks were skipped"; }

# Two jobs at most: CI machines are shared, and this is one test among many.
if ! cmake --build "$build" --target tolvano --parallel 2 </dev/null >"$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    fail "the program did not build"
fi
[ -x "$build/play/tolvano" ] || fail "no program at play/tolvano"
echo "play build: configured without GoogleTest and Google Benchmark, play/tolvano built"

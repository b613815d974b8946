#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the CTest suite of the warnings-as-
# errors build, the browser build's test in headless Chromium, then the sanitizer build's
# suite and the fuzz-corpus replays. GL and
# end-to-end tests run under a private Xvfb display when DISPLAY is unset.
#   scripts/test.sh           everything
#   scripts/test.sh --quick   skip the sanitizer pass
set -euo pipefail
cd "$(dirname "$0")/.."

quick=0
if [ "${1:-}" = "--quick" ]; then
    quick=1
fi

scripts/bootstrap

jobs=$(nproc)
export QUORLITH_REQUIRE_GL=1

cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
scripts/with-xvfb.sh ctest --test-dir build/ci --output-on-failure -j "$jobs" --timeout 300

# The browser build, played in headless Chromium (label web).
export NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
ctest --test-dir build/web --output-on-failure -L web

if [ "$quick" -eq 0 ]; then
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    # Mesa leaks inside its driver: leak checking stays on for the tests without a context.
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        scripts/with-xvfb.sh ctest --test-dir build/asan --output-on-failure -j "$jobs" \
        --timeout 600 -LE 'gl|e2e'
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        scripts/with-xvfb.sh ctest --test-dir build/asan --output-on-failure -j "$jobs" \
        --timeout 600 -L 'gl'
fi

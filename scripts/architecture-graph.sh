#!/usr/bin/env bash
# Writes the libraries' dependency graph as CMake declares it to docs/architecture.dot
# and, when Graphviz's dot is installed, renders it to docs/architecture.svg. Tests,
# benchmarks and fuzz targets are left out.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
cat > "$build/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_GRAPH_NAME "Quorlith")
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^fuzz_" "^test_" "^bench_" "^GTest::" "^benchmark::" "Threads::Threads")
OPTIONS
cmake -S . -B "$build" -G Ninja -DQUORLITH_BUILD_TESTS=OFF -DQUORLITH_BUILD_BENCH=OFF \
    --graphviz="$build/graph.dot" >/dev/null
# CMake numbers its nodes in discovery order; the file is kept as it writes it.
cp "$build/graph.dot" docs/architecture.dot
if command -v dot >/dev/null; then
    dot -Tsvg docs/architecture.dot -o docs/architecture.svg
fi
echo "wrote docs/architecture.dot$(command -v dot >/dev/null && echo ' and docs/architecture.svg')"

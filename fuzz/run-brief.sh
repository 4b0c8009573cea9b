#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers with clang and runs each one briefly (CI).
# FUZZ_SECONDS: run time per fuzzer (default 30). FUZZ_BUILD: build directory.
set -eu
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-30}
launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTARNWAKE_FUZZ=ON -DTARNWAKE_TESTS=OFF -DTARNWAKE_BENCH=OFF $launcher >/dev/null
cmake --build "$build" -j2 --target fuzz/all

found=0
for fuzzer in "$build"/fuzz/fuzz_*; do
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    found=1
    name=$(basename "$fuzzer")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    seeds=""
    [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
    echo "== $name: $seconds s"
    # shellcheck disable=SC2086
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $seeds
done
[ "$found" -eq 1 ] || { echo "no fuzzers built" >&2; exit 1; }

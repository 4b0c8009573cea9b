#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers with clang and runs each one briefly (CI).
# A run is a fixed number of inputs from a fixed seed, so two runs of one tree
# try the same inputs: CI passes or fails on the code, never on the luck of a
# draw. Exploring goes further with a fuzzer run by hand and a random seed.
# FUZZ_SCALE: multiplies each fuzzer's input count (default 1).
# FUZZ_SEED: libFuzzer's seed (default 1).
# FUZZ_SECONDS: a cap per fuzzer on a slow machine (default 60); a run cut
# short has tried a prefix of the same inputs.
# FUZZ_BUILD: build directory.
set -eu
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
scale=${FUZZ_SCALE:-1}
seed=${FUZZ_SEED:-1}
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
    # Starts from the seeds alone each time, for the same reason.
    corpus="$build/corpus/$name"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    seeds=""
    [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
    # About 20 s each on an idle 2-core machine.
    case $name in
    fuzz_dispatcher | fuzz_packet_reader) runs=60000 ;;
    fuzz_scorefile) runs=200000 ;;
    *) runs=2000000 ;;
    esac
    runs=$((runs * scale))
    echo "== $name: $runs inputs from seed $seed"
    # shellcheck disable=SC2086
    "$fuzzer" -seed="$seed" -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $seeds
done
[ "$found" -eq 1 ] || { echo "no fuzzers built" >&2; exit 1; }

#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time and idle memory of the real program under Xvfb.
#   bench/ui/startup.sh [path/to/tarnwake]
# Prints the median wall time from process start to the main window shown
# (the program quits right after showing it) over 11 runs, and the resident
# memory after 3 s of idle.
set -eu
binary=${1:-build/src/tarnwake}
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
display=:$((90 + $$ % 9))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY="$display" TARNWAKE_DATA_DIR="$work/data" XDG_RUNTIME_DIR="$work/run" \
    TARNWAKE_PORT_MAPPING=off
mkdir -p "$TARNWAKE_DATA_DIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

times=""
for i in $(seq 1 11); do
    start=$(date +%s%N)
    TARNWAKE_QUIT_WHEN_SHOWN=1 "$binary" >/dev/null 2>&1
    end=$(date +%s%N)
    times="$times $(( (end - start) / 1000000 ))"
done
median=$(echo $times | tr ' ' '\n' | sort -n | sed -n 6p)
echo "start-up to window shown: median ${median} ms (runs:$times)"

"$binary" >/dev/null 2>&1 &
pid=$!
sleep 3
rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
kill $pid
wait $pid 2>/dev/null || true
echo "resident memory at idle: $((rss / 1024)) MB"

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the sound effects the way the game needs them.

    python3 tools/sounds/wavcheck.py [DIR]     # default assets/sounds

For every expected effect: a RIFF WAVE file, 16-bit PCM, mono or stereo,
22050 or 44100 Hz, shorter than 1.5 s, peak near the level of effects.py
(PEAK_DB) and never at full scale, no DC offset, and a quiet last few milliseconds (no click at the
end). Prints a table and exits non-zero on any problem.
"""

import math
import os
import struct
import sys
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)

from effects import PEAK_DB  # noqa: E402

NAMES = ["laugh"] + [f"explos{i}" for i in range(1, 7)] + [f"destroy{i}" for i in range(1, 6)] + \
        [f"wrong{i}" for i in range(1, 4)] + ["gong", "connect"]


def check(path):
    problems = []
    with open(path, "rb") as f:
        head = f.read(12)
    if head[:4] != b"RIFF" or head[8:12] != b"WAVE":
        return None, ["not a RIFF WAVE file"]
    with wave.open(path, "rb") as w:
        ch, width, rate, n = w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()
        data = w.readframes(n)
    if width != 2:
        problems.append(f"{8 * width}-bit samples")
    if ch not in (1, 2):
        problems.append(f"{ch} channels")
    if rate not in (22050, 44100):
        problems.append(f"{rate} Hz")
    x = [v / 32768 for v in struct.unpack(f"<{len(data) // 2}h", data)]
    secs = n / rate
    peak = max(abs(v) for v in x)
    peak_db = 20 * math.log10(peak) if peak else -120
    rms_db = 20 * math.log10(math.sqrt(sum(v * v for v in x) / len(x)) or 1e-6)
    dc = sum(x) / len(x)
    tail = x[-int(rate * ch * 0.005):]
    tail_db = 20 * math.log10(max(abs(v) for v in tail) or 1e-6)
    clipped = sum(1 for v in x if abs(v) >= 32767 / 32768)
    if secs >= 1.5:
        problems.append(f"{secs:.2f} s long")
    if not PEAK_DB - 0.5 <= peak_db <= PEAK_DB + 0.5:
        problems.append(f"peak {peak_db:.2f} dBFS")
    if clipped:
        problems.append(f"{clipped} samples at full scale")
    if abs(dc) > 0.002:
        problems.append(f"DC offset {dc:.4f}")
    if tail_db > -40:
        problems.append(f"last 5 ms at {tail_db:.1f} dBFS (click)")
    return dict(secs=secs, peak=peak_db, rms=rms_db, dc=dc, tail=tail_db, rate=rate, ch=ch,
                size=os.path.getsize(path)), problems


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "assets", "sounds")
    bad = 0
    total = 0
    print(f"{'file':13} {'length':>7} {'peak':>8} {'RMS':>8} {'DC':>8} {'end':>8}  format")
    for name in NAMES:
        path = os.path.join(folder, name + ".wav")
        if not os.path.exists(path):
            print(f"{name + '.wav':13} MISSING")
            bad += 1
            continue
        facts, problems = check(path)
        if facts:
            total += facts["size"]
            print(f"{name + '.wav':13} {facts['secs']:6.2f}s {facts['peak']:7.2f}  {facts['rms']:7.2f}  "
                  f"{facts['dc']:8.5f} {facts['tail']:7.1f}  {facts['rate']} Hz {facts['ch']} ch")
        for p in problems:
            print(f"    PROBLEM: {p}")
        bad += bool(problems)
    print(f"total {total} bytes")
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()

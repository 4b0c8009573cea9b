#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the game's 17 sound effects as 22050 Hz 16-bit mono WAV files.

    python3 tools/sounds/generate.py [--out DIR] [name ...]

The recipes and their parameters are in effects.py; the signal toolkit in
synth.py. Output is deterministic: the same sources give the same bytes.
"""

import argparse
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)

import effects  # noqa: E402
from synth import RATE, write_wav  # noqa: E402


def main():
    ap = argparse.ArgumentParser(description="Write the sound effects.")
    ap.add_argument("--out", default=os.path.join(ROOT, "assets", "sounds"))
    ap.add_argument("names", nargs="*", help="effects to build (default: all)")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name in args.names or effects.ORDER:
        x = effects.render(name)
        path = os.path.join(args.out, name + ".wav")
        write_wav(path, x)
        peak = max(abs(v) for v in x)
        rms = math.sqrt(sum(v * v for v in x) / len(x))
        print(f"{name + '.wav':13} {len(x) / RATE:5.2f} s  peak {20 * math.log10(peak):6.2f} dBFS  "
              f"RMS {20 * math.log10(rms):6.2f} dBFS")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the game's 13 MIDI tracks and their length manifest.

    python3 tools/music/generate.py [--out DIR]

Each module in songs/ describes one track (FILE, MOOD and song()); this
script builds them, writes DIR/<file> (default assets/music) and
DIR/tracks.txt with the designed length of each track in seconds (always
for all tracks, also when only some are rebuilt).
"""

import argparse
import importlib
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "songs"))

ORDER = ["game1", "game2", "game3", "game4", "game5", "game6", "game7", "game8", "game9",
         "main1", "logo", "win", "loose"]


def main():
    ap = argparse.ArgumentParser(description="Write the MIDI tracks.")
    ap.add_argument("--out", default=os.path.join(ROOT, "assets", "music"))
    ap.add_argument("only", nargs="*", help="module names to build (default: all)")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    rows = []
    for name in ORDER:
        mod = importlib.import_module(name)
        s = mod.song()
        rows.append((mod.FILE, s.seconds()))  # the manifest always covers every track
        if args.only and name not in args.only:
            continue
        data = s.to_midi()
        with open(os.path.join(args.out, mod.FILE), "wb") as f:
            f.write(data)
        print(f"{mod.FILE:10} {s.seconds():7.2f} s  {len(data):6} bytes  {s.title}")
    with open(os.path.join(args.out, "tracks.txt"), "w") as f:
        f.write("# Designed length of each track in seconds (the time of its end-of-track\n")
        f.write("# under its tempo map), written by tools/music/generate.py.\n")
        f.write("# One track a line: file name, seconds. Lines starting with # are comments.\n")
        for file, secs in rows:
            f.write(f"{file} {secs:.3f}\n")


if __name__ == "__main__":
    main()

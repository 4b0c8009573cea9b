#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Renders each part of a song on its own and prints its level: a quick way
to see whether the tune stands above the accompaniment.

    python3 tools/music/mixcheck.py game1 [game2 ...]

Needs fluidsynth, sox and the General MIDI soundfont. Levels are RMS and peak
over the whole song at fluidsynth's default gain, so a part that plays only
in some sections reads lower than it sounds there.
"""

import importlib
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "songs"))
SOUNDFONT = "/usr/share/sounds/sf2/default-GM.sf2"


def level(mid_bytes, tmp):
    mid, wav = os.path.join(tmp, "part.mid"), os.path.join(tmp, "part.wav")
    with open(mid, "wb") as f:
        f.write(mid_bytes)
    subprocess.run(["fluidsynth", "-ni", "-q", "-F", wav, "-r", "22050", SOUNDFONT, mid],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    st = subprocess.run(["sox", wav, "-n", "stats"], capture_output=True, text=True).stderr
    return (float(re.search(r"RMS lev dB\s+(\S+)", st).group(1)),
            float(re.search(r"Pk lev dB\s+(\S+)", st).group(1)))


def main():
    with tempfile.TemporaryDirectory() as tmp:
        for name in sys.argv[1:]:
            song = importlib.import_module(name).song()
            print(f"{name}: {song.title}")
            parts = list(song.parts)
            for p in parts:
                song.parts = [p]
                rms, peak = level(song.to_midi(), tmp)
                print(f"    {p.name:18} RMS {rms:7.2f} dB   peak {peak:7.2f} dB   {len(p.notes):5} notes")


if __name__ == "__main__":
    main()

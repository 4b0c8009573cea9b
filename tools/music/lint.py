#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds harsh clashes in the songs before anyone has to hear them.

    python3 tools/music/lint.py [song ...]   # e.g. game1; default: all

A clash is two pitched notes in different parts a minor second apart (or a
minor ninth, ...) that sound together for at least an eighth note.
Passing notes rarely last that long; a clash that does is usually a wrong
note or a chord that does not fit the tune. Prints each clash with its
section, bar and beat, and a count per song.
"""

import os
import sys
from fractions import Fraction

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "songs"))

import generate  # noqa: E402
from score import Song  # noqa: E402

NAMES = ["C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"]


def name(p):
    return f"{NAMES[p % 12]}{p // 12 - 1}"


def clashes(s: Song, min_overlap=Fraction(1, 2)):
    notes = []
    for part in s.parts:
        if part.is_drums or part.program >= 119:  # drums and sound effects have no pitch
            continue
        notes += [(n.start, n.start + n.length, n.pitch, part.name) for n in part.notes]
    notes.sort()
    out = []
    for i, (a0, a1, ap, an) in enumerate(notes):
        for b0, b1, bp, bn in notes[i + 1:]:
            if b0 >= a1:
                break
            if an == bn:
                continue
            iv = abs(ap - bp)
            if iv % 12 == 1 and min(a1, b1) - b0 >= min_overlap:
                out.append((b0, an, ap, bn, bp))
    return out


def where(s: Song, t):
    sec = next(x for x in reversed(s.sections) if x.start <= t)
    off = t - sec.start
    return f"{sec.label} bar {int(off // s.bar) + 1} beat {float(off % s.bar) + 1:g}"


def main():
    names = sys.argv[1:] or generate.ORDER
    total = 0
    for n in names:
        s = __import__(n).song()
        found = clashes(s)
        total += len(found)
        print(f"{n}: {len(found)} clashes")
        for t, an, ap, bn, bp in found:
            print(f"    {where(s, t):22} {an} {name(ap)} ~ {bn} {name(bp)}")
    sys.exit(0)


if __name__ == "__main__":
    main()

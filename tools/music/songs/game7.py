# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME7 "The Harbour Jig": a fast jig in D, two strains played three times round."""

from score import GM, Song

FILE = "game7.mid"
MOOD = "jig"

A_CHORDS = "D | D | G | A | D | D | G A | D"
A_TUNE = """
F#5:e A5 F#5 D5 E5 F#5 | A5:q B5:e A5 F#5 D5 | G5:e B5 G5 D5 G5 B5 | A5:q. E5:e F#5 G5 |
F#5:e A5 F#5 D5 E5 F#5 | A5:e D6 A5 F#5 E5 D5 | B5:e A5 G5 E5 F#5 G5 | F#5:q. D5:q.
"""
A_TUNE_2 = """
F#5:e A5 F#5 D5 E5 F#5 | A5:q B5:e A5 F#5 D5 | G5:e B5 G5 D5 G5 B5 | A5:q. E5:e F#5 G5 |
F#5:e A5 F#5 D5 E5 F#5 | A5:e D6 A5 F#5 E5 D5 | B5:e A5 G5 E5 F#5 G5 | F#5:e E5 C#5 D5:q.
"""
B_CHORDS = "Bm | Bm | G | D | Bm | G | Em A | D"
B_TUNE = """
B5:e A5 B5 D6 B5 A5 | F#5:e E5 F#5 B4:q. | G5:e F#5 G5 B5 A5 G5 | F#5:e E5 D5 A5:q. |
B5:e C#6 D6 C#6 B5 A5 | B5:e G5 E5 D5 E5 G5 | E5:e G5 B5 A5 G5 E5 | F#5:e E5 C#5 D5:q.
"""
B_TUNE_2 = """
B5:e A5 B5 D6 B5 A5 | F#5:e E5 F#5 B4:q. | G5:e F#5 G5 B5 A5 G5 | F#5:e E5 D5 A5:q. |
B5:e C#6 D6 C#6 B5 A5 | B5:e G5 E5 D5 E5 G5 | E5:e G5 B5 A5 G5 E5 | D5:e F#5 A5 D6:q.
"""
END_CHORDS = "G A | D"
END_TUNE = "B5:e A5 G5 E5 F#5 G5 | D6:q.> r:q."

BODHRAN = {"ltom": "X.oX.o", "ftom": "x.....", "rim": "..o..o"}
BODHRAN_BIG = {"ltom": "X.oX.o", "ftom": "x..x..", "rim": "..o..o", "tamb": ".x..x."}


def song() -> Song:
    s = Song("The Harbour Jig", 168, (6, 8), "D", gain=2)
    whistle = s.part("Whistle", GM["whistle"], vol=82, pan=76, reverb=45, gate=0.85, vel=84)
    fid = s.part("Fiddle", GM["fiddle"], vol=112, pan=44, reverb=45, gate=0.88, vel=84)
    flute = s.part("Flute", GM["flute"], vol=92, pan=90, reverb=45, gate=0.85, vel=76)
    gtr = s.part("Guitar", GM["steel_guitar"], vol=86, pan=30, reverb=35, gate=0.8, vel=74)
    bouz = s.part("Bouzouki", GM["banjo"], vol=84, pan=100, reverb=40, gate=0.7, vel=66)
    bass = s.part("Bass", GM["acoustic_bass"], vol=88, pan=60, reverb=25, gate=0.8, vel=90)
    dr = s.drum_part(vol=90, reverb=35)

    def band(sec, chords, drums=BODHRAN, banjo=False):
        gtr.comp(sec, chords, "x.xx.x", voices=4, low=52, high=71, strum=9)
        bass.bass(sec, chords, "R:q. 5:q.", low=31)
        dr.drums(sec, drums)
        if banjo:
            bouz.arp(sec, chords, "0 2 1 3 2 1", "e", voices=3, low=62, high=76)

    sec = s.section("intro", 2)
    gtr.comp(sec, "D | A", "x.xx.x", voices=4, low=52, high=71, strum=9)
    dr.drums(sec, {"ltom": "X.oX.o | X.oXXX"})

    for r in range(3):
        for k, (chords, tune) in enumerate([(A_CHORDS, A_TUNE), (A_CHORDS, A_TUNE_2),
                                            (B_CHORDS, B_TUNE), (B_CHORDS, B_TUNE_2)]):
            sec = s.section(f"{'AABB'[k]} (round {r + 1})", 8)
            if r == 0:
                whistle.play(sec, tune)
                band(sec, chords, BODHRAN if k < 2 else BODHRAN_BIG)
            elif r == 1:
                fid.play(sec, tune, transpose=-12 if k < 2 else 0)
                if k % 2:
                    flute.play(sec, tune, under=chords, vel=66)
                band(sec, chords, BODHRAN_BIG, banjo=True)
            else:
                whistle.play(sec, tune, vel=90)
                fid.play(sec, tune, transpose=-12, vel=84)
                flute.play(sec, tune, under=chords, vel=68)
                band(sec, chords, BODHRAN_BIG, banjo=True)
            if k == 0:
                dr.drums(sec, {"crash": "x....."}, bars=1)

    sec = s.section("ending", 2)
    s.ritardando(sec.at(1), 3, 168, 132, steps=4)
    whistle.play(sec, END_TUNE, vel=92)
    fid.play(sec, END_TUNE, transpose=-12, vel=88)
    gtr.comp(sec, END_CHORDS, "x.xx.x", voices=4, low=52, high=71, strum=9, bars=1)
    gtr.comp(sec, "D", "X.....", voices=5, low=50, high=74, strum=14, bar=1, bars=1)
    bass.play(sec, "G2:q. A2:q. | D2:q.> r:q.")
    dr.drums(sec, {"ltom": "X.oX.o | X.....", "ftom": "x..x.. | X.....", "crash": "...... | X....."})
    s.finish(tail=1.5)
    return s

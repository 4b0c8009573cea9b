# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME8 "Colours of the Fleet": a broad heroic brass anthem in C, rising to D for the last verses."""

from score import GM, Song, transpose_chords

FILE = "game8.mid"
MOOD = "heroic brass anthem"

INTRO_CHORDS = "C | Am | F | G"
INTRO_TUNE = "G3:q C4:q. G3:e C4:q | E4:h. D4:e C4:e | F4:q. E4:e D4:q C4:q | D4:h. r:q"

A_CHORDS = "C | G/B | Am | Em/G | F | C/E | Dm7 G | C"
A_TUNE = """
G4:q. C5:e E5:h | D5:q. B4:e G4:h | A4:q. C5:e E5:q A5:q | G5:h. E5:q |
F5:q. E5:e C5:q A4:q | G4:q C5:q E5:q G5:q | F5:q. E5:e D5:q B4:q | C5:h. r:q
"""
A2_CHORDS = "C | G/B | Am | Em/G | F | C/E | Dm7 G7 | C"
A2_TUNE = """
G4:q. C5:e E5:h | D5:q. B4:e G4:h | A4:q. C5:e E5:q A5:q | G5:h. E5:q |
F5:q. E5:e C5:q A4:q | G4:q C5:q E5:q G5:q | F5:q A5:q G5:q. F5:e | E5:h. r:q
"""
B_CHORDS = "Am | F | C | G | Am | F | Bb | A7sus4 A7"
B_TUNE = """
E5:h C5:h | A4:h. C5:q | G4:q. A4:e G4:q E4:q | D4:h. r:q |
E5:h A5:h | A5:q. G5:e F5:q C5:q | D5:h F5:h | E5:h C#5:h
"""
CODA_CHORDS = "D | G/D | D | D"
CODA_TUNE = "A4:q. D5:e F#5:q A5:q | B5:h. G5:q | A5:w | D6:q> r:q r:h"

HITS = {"kick2": "x... .... .... ....", "crash": "x... .... .... ....|.... |.... |.... "}
MARCH = {"kick2": "x... .... x... ....", "snare": ".... x..o .... x.oo", "ride": "x.x. x.x. x.x. x.x."}


def song() -> Song:
    s = Song("Colours of the Fleet", 84, (4, 4), "C", gain=1.5)
    horns = s.part("Horns", GM["french_horn"], vol=104, pan=50, reverb=65, gate=0.95, vel=90)
    tpt = s.part("Trumpets", GM["trumpet"], vol=112, pan=76, reverb=60, gate=0.92, vel=88)
    brass = s.part("Low brass", GM["brass"], vol=84, pan=40, reverb=60, gate=0.95, vel=80)
    strings = s.part("Strings", GM["strings"], vol=92, pan=70, reverb=65, gate=0.98, vel=76)
    tremolo = s.part("Tremolo", GM["tremolo_strings"], vol=96, pan=84, reverb=65, gate=0.98, vel=70)
    choir = s.part("Choir", GM["choir"], vol=96, pan=64, reverb=75, gate=0.98, vel=76)
    tuba = s.part("Tuba", GM["tuba"], vol=80, pan=56, reverb=50, gate=0.9, vel=88)
    timp = s.part("Timpani", GM["timpani"], vol=96, pan=64, reverb=60, gate=0.9, vel=92)
    glock = s.part("Glockenspiel", GM["glockenspiel"], vol=100, pan=96, reverb=65, gate=0.5, vel=70)
    dr = s.drum_part(vol=106, reverb=55)

    sec = s.section("intro", 4)
    horns.play(sec, INTRO_TUNE)
    tremolo.pad(sec, INTRO_CHORDS, voices=3, low=55, high=72)
    tuba.bass(sec, INTRO_CHORDS, "R:w", low=31)
    timp.play(sec, "C2:q r:h. | A2:q r:h. | F2:q r:h. | G2:s*12 G2:q>")
    tremolo.ramp(sec.at(0), 16, 11, 70, 120)
    dr.drums(sec, {"crash": ".... | .... | .... | ...x", "kick2": "x... | x... | x... | x..."})

    sec = s.section("A1", 8)
    horns.play(sec, A_TUNE)
    strings.pad(sec, A_CHORDS, voices=4, low=52, high=72)
    tuba.bass(sec, A_CHORDS, "R:h 5:h", low=31)
    timp.bass(sec, A_CHORDS, "R:q r:h.", low=38, vel=78)
    dr.drums(sec, HITS)

    sec = s.section("A2", 8)
    tpt.play(sec, A2_TUNE)
    horns.play(sec, A2_TUNE, under=A2_CHORDS, vel=84)
    brass.comp(sec, A2_CHORDS, "x--- ---- x--. x...", voices=3, low=48, high=64)
    strings.arp(sec, A2_CHORDS, "0 1 2 3 4 3 2 1", "e", voices=3, low=60, high=76, vel=66)
    tuba.bass(sec, A2_CHORDS, "R:h 5:h", low=31)
    timp.bass(sec, A2_CHORDS, "R:q r:q 5:q r:q", low=38, vel=82)
    dr.drums(sec, MARCH)
    dr.drums(sec, {"crash": "x..."}, bars=1)

    sec = s.section("B", 8)
    strings.play(sec, B_TUNE, vel=86)
    horns.play(sec, B_TUNE, under=B_CHORDS, transpose=-12, vel=74)
    tremolo.pad(sec, B_CHORDS, voices=3, low=55, high=70, vel=60)
    tuba.bass(sec, B_CHORDS, "R:w", low=31, vel=78)
    choir.pad(sec, B_CHORDS, voices=3, low=57, high=72, bar=4, bars=4, vel=66)
    dr.drums(sec, {"kick2": "x... .... .... ...."}, bars=6)
    dr.drums(sec, {"snare": "rrrr rrrr rrrr rrrr | rrrr rrrr rrrr XXXX", "crash": ".... | .... .... .... ...x"},
             bar=6, bars=2)
    timp.play(sec, "r:w*6 | A2:s*16 | A2:s*12 A2:q>")

    for k in range(2):
        tune, chords = (A_TUNE, A_CHORDS) if k == 0 else (A2_TUNE, A2_CHORDS)
        up = transpose_chords(chords, 2, sharps=True)
        sec = s.section(f"A'{k + 1} (in D)", 8)
        tpt.play(sec, tune, transpose=2, vel=96)
        horns.play(sec, tune, transpose=2, under=up, vel=88)
        choir.play(sec, tune, transpose=2, vel=72)
        strings.arp(sec, up, "0 1 2 3 4 3 2 1", "e", voices=3, low=62, high=78, vel=70)
        brass.comp(sec, up, "x--- ---- x--. x...", voices=3, low=50, high=66)
        tuba.bass(sec, up, "R:h 5:h", low=33)
        timp.bass(sec, up, "R:q r:q 5:q r:q", low=38, vel=86)
        if k:
            glock.play(sec, tune, transpose=14, vel=66)
        dr.drums(sec, MARCH)
        dr.drums(sec, {"crash": "x..."}, bars=1)

    sec = s.section("coda", 4)
    s.ritardando(sec.at(2), 8, 84, 66)
    tpt.play(sec, CODA_TUNE, vel=100)
    horns.play(sec, CODA_TUNE, under=CODA_CHORDS, vel=92)
    choir.pad(sec, CODA_CHORDS, voices=4, low=57, high=76, bars=3)
    strings.pad(sec, CODA_CHORDS, voices=4, low=57, high=79, bars=3)
    brass.pad(sec, CODA_CHORDS, voices=3, low=50, high=66, bars=3)
    tuba.play(sec, "D2:w | D2:w | D2:w | D2:q> r:q r:h")
    timp.play(sec, "D2:q r:h. | D2:q r:h. | A2:s*16 | D2:q> r:q r:h")
    for p, lo, hi in ((strings, 57, 79), (brass, 50, 66), (choir, 57, 76)):
        p.comp(sec, "D", "X...", voices=4, low=lo, high=hi, bar=3, bars=1)
    dr.drums(sec, {"kick2": "x... | x... | x.x. x.x. x.x. x.x. | X...", "snare": ".... | .... | rrrr rrrr rrrr rrrr | ....",
                   "crash": "x... | .... | .... | X..."})
    s.finish(tail=2.5)
    return s

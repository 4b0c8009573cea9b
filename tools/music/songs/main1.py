# SPDX-License-Identifier: GPL-3.0-or-later
"""MAIN1 "Harbour at Dawn": the calm idle theme in F, piano and strings over the sound of the sea."""

from score import GM, Song

FILE = "main1.mid"
MOOD = "calm (idle and menus)"

INTRO_CHORDS = "F | Bb/F"
A_CHORDS = "F | C/E | Dm7 | Bbmaj7 | F/A | Gm7 | Bb C7sus4 | F"
A_TUNE = """
A4:q. C5:e F5:h | E5:q. D5:e C5:h | D5:q F5:q A5:q. G5:e | F5:w |
A4:q. C5:e F5:q A5:q | Bb5:q. A5:e G5:q D5:q | F5:q D5:q C5:q. Bb4:e | A4:w
"""
B_CHORDS = "Dm | Am | Bb | F | Gm7 | Am7 | Bbmaj7 | C7sus4 C7"
B_TUNE = """
F5:h. A4:q | E5:h. C5:q | D5:q. C5:e Bb4:q F4:q | A4:w |
Bb4:q D5:q F5:q. E5:e | E5:h. C5:q | D5:q. C5:e A4:h | G4:h E4:h
"""
A3_CHORDS = "F | C/E | Dm7 | Bbmaj7 | F/A | Gm7 | Bb C7 | F"
A3_TUNE = """
A4:q. C5:e F5:h | E5:q. D5:e C5:h | D5:q F5:q A5:q. G5:e | F5:w |
A4:q. C5:e F5:q A5:q | Bb5:q. A5:e G5:q D5:q | F5:q D5:q C5:q. E5:e | F5:w
"""
END_CHORDS = "Bb/F | F"

BRUSH = {"ride": "o.o. o.o. o.o. o.o.", "kick": "o... .... .... ....", "rim": ".... .... .... o..."}


def song() -> Song:
    s = Song("Harbour at Dawn", 76, (4, 4), "F", gain=7)
    rh = s.part("Piano", GM["piano"], vol=127, pan=60, reverb=60, gate=0.95, vel=98)
    lh = s.part("Piano left hand", GM["piano"], vol=84, pan=54, reverb=60, gate=1.0, vel=52)
    flute = s.part("Flute", GM["flute"], vol=86, pan=84, reverb=65, gate=0.95, vel=72)
    strings = s.part("Strings", GM["slow_strings"], vol=58, pan=70, reverb=70, gate=0.99, vel=62)
    cello = s.part("Cello", GM["cello"], vol=100, pan=44, reverb=65, gate=0.97, vel=64)
    harp = s.part("Harp", GM["harp"], vol=96, pan=30, reverb=70, gate=0.9, vel=60)
    sea = s.part("Sea", GM["seashore"], vol=100, pan=64, reverb=40, gate=1.0, vel=60, humanize=0)
    dr = s.drum_part(vol=127, reverb=50)

    def left(sec, chords):
        lh.arp(sec, chords, "0 1 2 3 2 1 2 1", "e", voices=3, low=41, high=60, hold=2)

    sec = s.section("intro", 2)
    left(sec, INTRO_CHORDS)
    strings.pad(sec, INTRO_CHORDS, voices=3, low=55, high=70, vel=50)
    sea.play(sec, "A4:w~ | A4:w", vel=56)
    sea.ramp(sec.at(0), 8, 11, 40, 110)

    sec = s.section("A", 8)
    rh.play(sec, A_TUNE)
    left(sec, A_CHORDS)
    strings.pad(sec, A_CHORDS, voices=3, low=55, high=70, vel=56)
    sea.ramp(sec.at(0), 8, 11, 110, 0)
    sea.play(sec, "A4:w~ | A4:w", vel=56)
    dr.drums(sec, {"ride": "o.o. o.o. o.o. o.o."}, bar=4, bars=4)

    sec = s.section("B", 8)
    rh.play(sec, B_TUNE)
    cello.play(sec, B_TUNE, under=B_CHORDS, transpose=-12, vel=60)
    left(sec, B_CHORDS)
    strings.pad(sec, B_CHORDS, voices=3, low=55, high=72, vel=60)
    dr.drums(sec, BRUSH)

    sec = s.section("A'", 8)
    flute.play(sec, A3_TUNE, vel=74)
    rh.play(sec, A3_TUNE, under=A3_CHORDS, vel=70)
    harp.arp(sec, A3_CHORDS, "0 1 2 3 4 5 4 3", "e", voices=3, low=60, high=76, vel=54)
    left(sec, A3_CHORDS)
    strings.pad(sec, A3_CHORDS, voices=3, low=55, high=72, vel=60)
    dr.drums(sec, BRUSH, bars=7)

    sec = s.section("ending", 2)
    s.ritardando(sec.at(0), 8, 76, 60, steps=6)
    rh.play(sec, "D5:q. C5:e Bb4:q F4:q | F4+A4+C5:w", vel=68)
    left(sec, END_CHORDS)
    strings.pad(sec, END_CHORDS, voices=3, low=55, high=70, vel=54)
    harp.arp(sec, END_CHORDS, "0 1 2 3 4 5 6 .", "e", voices=3, low=53, high=70, vel=50)
    sea.play(sec, "A4:w~ | A4:w", vel=56)
    sea.ramp(sec.at(0), 4, 11, 0, 90, steps=8)
    sea.ramp(sec.at(1), 5, 11, 90, 0, steps=10)
    s.finish(tail=3)
    return s

# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME1 "Fleet March": a brass-band march in Bb, trio in Eb."""

from score import GM, Song

FILE = "game1.mid"
MOOD = "march"

INTRO_CHORDS = "Bb | Bb | Eb F | F7"
INTRO_TUNE = "r:q F4:et F4 F4 Bb4:q D5:q | F5:h. D5:e. Bb4:s | Eb5:q. D5:e C5:q G5:q | F5:h> r:h"

A_CHORDS = ("Bb | Eb | Bb Gm | C7 F | Bb | Gm | Eb F7 | Bb | "
            "Gm | Cm F7 | Bb D7 | Gm | Eb | Bb/F | Cm7 F7 | Bb")
A_TUNE = """
F4:e. Bb4:s D5:q D5:e. C5:s Bb4:q | G4:e. Bb4:s Eb5:q Eb5:e. D5:s C5:q |
D5:q. Bb4:e G5:q. D5:e | C5:q E5:q F5:h |
F4:e. Bb4:s D5:q D5:e. C5:s Bb4:q | D4:e. G4:s Bb4:q Bb4:e. A4:s G4:q |
Eb5:q. D5:e C5:q. A4:e | Bb4:h. r:q |
G5:q. F5:e D5:q Bb4:q | C5:q Eb5:q A4:q C5:q | Bb4:q D5:q F#4:q A4:q |
G4:q Bb4:q D5:q G5:q | G5:q. F5:e Eb5:q Bb4:q | D5:q. C5:e Bb4:q D5:q |
Eb5:q G5:q F5:e. Eb5:s D5:e. C5:s | Bb4:h. r:q
"""

TRIO_CHORDS = ("Eb | Ab | Eb/Bb | Bb7 | Eb | Cm | Ab Bb7 | Eb | "
               "Ab | Eb/G | Fm7 | Bb7 | Eb C7 | Fm | Eb/Bb Bb7 | Eb")
TRIO_TUNE = """
mp G4:h Bb4:q. G4:e | Ab4:h C5:h | Bb4:q. G4:e Eb5:q. D5:e | D5:h. r:q |
G4:h Bb4:q. G4:e | Eb5:h C5:q. Bb4:e | Ab4:q C5:q F4:q Ab4:q | G4:h. r:q |
cresc C5:h Eb5:h | Bb4:h G4:h | Ab4:q. C5:e F5:q Eb5:q | D5:h F5:h |
mf G5:h E5:h | F5:h. C5:q | Eb5:h D5:q Ab4:q | G4:h. r:q
"""

BREAK_CHORDS = "Bb7 | F7"
BREAK_TUNE = "Bb4:q. Bb4:e Ab4:q D5:q | F5:q. Eb5:e C5:q A4:q"

CODA_CHORDS = "Bb | Eb | Bb/F F7 | Bb"
CODA_TUNE = "F5:q. D5:e Bb4:q F5:q | G5:q. Eb5:e Bb4:q G5:q | F5:q D5:q C5:q A4:q | Bb4:h> r:h"

MARCH_SNARE = "x..o x.ox x..o xrx."
MARCH_BASS = "x... .... x... ...."


def song() -> Song:
    s = Song("Fleet March", 116, (4, 4), "Bb", gain=2.5)
    tpt = s.part("Trumpets", GM["trumpet"], vol=104, pan=72, reverb=45, gate=0.88, vel=92)
    horn = s.part("Horns", GM["french_horn"], vol=78, pan=50, reverb=55, gate=0.9, vel=84)
    clar = s.part("Clarinets", GM["clarinet"], vol=96, pan=80, reverb=45, gate=0.95, vel=84)
    picc = s.part("Piccolo", GM["piccolo"], vol=78, pan=90, reverb=45, gate=0.8, vel=80)
    bone = s.part("Trombones", GM["trombone"], vol=84, pan=40, reverb=45, gate=0.6, vel=76)
    tuba = s.part("Tuba", GM["tuba"], vol=104, pan=60, reverb=35, gate=0.7, vel=96)
    glock = s.part("Glockenspiel", GM["glockenspiel"], vol=96, pan=96, reverb=50, gate=0.5, vel=76)
    timp = s.part("Timpani", GM["timpani"], vol=90, pan=64, reverb=50, gate=0.9, vel=90)
    dr = s.drum_part(vol=104)

    sec = s.section("intro", 4)
    tpt.play(sec, INTRO_TUNE)
    horn.play(sec, INTRO_TUNE, under=INTRO_CHORDS)
    bone.comp(sec, INTRO_CHORDS, "x-.. x-.. x-.. x-..", low=46, high=62, voices=3)
    tuba.bass(sec, INTRO_CHORDS, "R:q r 5 r", low=29)
    timp.play(sec, "Bb2:q r:h. | Bb2:q r:h. | Eb2:q r F2 r | F2:s*16")
    dr.drums(sec, {"snare": "X..x x.xx X..x x.xx | X..x x.xx X..x x.xx | X.xx X.xx X.xx X.xx | rrrr rrrr rrrr X...",
                   "kick": MARCH_BASS, "crash": "x... .... .... .... | .... | .... | .... .... .... ...."})

    for k in range(2):
        sec = s.section("A" if k == 0 else "A'", 16)
        tpt.play(sec, A_TUNE, vel=96 if k else 92)
        horn.play(sec, A_TUNE, under=A_CHORDS, vel=84 if k else 78)
        bone.comp(sec, A_CHORDS, ".x.x", low=50, high=65, voices=3)
        tuba.bass(sec, A_CHORDS, "R:q r 5 r", low=29)
        if k:
            picc.play(sec, A_TUNE, transpose=12)
            glock.play(sec, A_TUNE, transpose=12)
            clar.arp(sec, A_CHORDS, "0 1 2 3 4 3 2 1", "e", low=58, high=72, vel=64)
            timp.bass(sec, A_CHORDS, "R:q r:q 5:q r:q", low=38, vel=70)
        dr.drums(sec, {"snare": MARCH_SNARE, "kick": MARCH_BASS})
        dr.drums(sec, {"crash": "x..."}, bars=1)
        dr.drums(sec, {"crash": "x..."}, bar=8, bars=1)
        dr.drums(sec, {"snare": "x.ox x.ox rrrr X..."}, bar=15, bars=1)
        if k == 0:
            sec = s.section("trio", 16)
            clar.play(sec, TRIO_TUNE)
            horn.play(sec, TRIO_TUNE, under=TRIO_CHORDS, vel=70)
            bone.pad(sec, TRIO_CHORDS, voices=3, low=48, high=63, vel=58)
            tuba.bass(sec, TRIO_CHORDS, "R:h 5:h", low=27, vel=80)
            glock.play(sec, "r:w*7 | r:h. Bb5:q | r:w*7 | r:h. Bb5:q", vel=60)
            dr.drums(sec, {"snare": "o..o o.oo o..o o...", "kick": MARCH_BASS})
            dr.drums(sec, {"snare": "o..o o.oo x.xx rrrr"}, bar=15, bars=1)

            sec = s.section("break", 2)
            tpt.play(sec, BREAK_TUNE)
            horn.play(sec, BREAK_TUNE, under=BREAK_CHORDS)
            bone.comp(sec, BREAK_CHORDS, "x.x. x.x. x.x. x.x.", low=46, high=62)
            tuba.bass(sec, BREAK_CHORDS, "R:q R R R", low=29)
            timp.play(sec, "Bb2:q r Bb2 r | F2:s*16")
            dr.drums(sec, {"snare": "X.xx X.xx X.xx X.xx | rrrr rrrr rrrr rrrr", "kick": "x...x...x...x..."})

    sec = s.section("coda", 4)
    s.ritardando(sec.at(2), 8, 116, 92)
    tpt.play(sec, CODA_TUNE, vel=100)
    picc.play(sec, CODA_TUNE, transpose=12)
    horn.play(sec, CODA_TUNE, under=CODA_CHORDS)
    bone.comp(sec, CODA_CHORDS, ".x.x", low=50, high=65, bars=3)
    bone.comp(sec, "Bb", "X-..", low=46, high=62, voices=4, bar=3, bars=1)
    clar.play(sec, "F5:q. D5:e Bb4:q F5:q | G5:q. Eb5:e Bb4:q G5:q | F5:q D5:q C5:q A4:q | Bb4+D5:h> r:h")
    tuba.bass(sec, CODA_CHORDS, "R:q r 5 r", low=29, bars=3)
    tuba.play(sec, "Bb1:h> r:h", bar=3)
    timp.play(sec, "Bb2:q r F2 r | Eb2:q r Bb2 r | F2:s*16 | Bb2:h> r:h")
    dr.drums(sec, {"snare": MARCH_SNARE, "kick": MARCH_BASS}, bars=2)
    dr.drums(sec, {"snare": "rrrr rrrr rrrr rrrr | X... .... .... ....", "kick": "x... x... x... x... | X... .... .... ....",
                   "crash": ".... | X... .... .... ...."}, bar=2, bars=2)
    s.finish(tail=1)
    return s

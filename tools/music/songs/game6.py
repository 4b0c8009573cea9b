# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME6 "The Admiral's Waltz": a ballroom waltz in Eb, a minor middle strain and a trio in Ab."""

from score import GM, Song

FILE = "game6.mid"
MOOD = "waltz"

INTRO_CHORDS = "Eb | Eb | Bb7 | Bb7"

A_CHORDS = ("Eb | Cm7 | Fm | Bb7 | Eb | Eb | Fm | Bb7 | "
            "Eb | Eb7 | Ab | Abm | Eb/Bb | C7 | Fm:h Bb7:q | Eb")
A_TUNE = """
Bb4:q Eb5 G5 | Bb5:h G5:q | Ab5:h. | F5:h D5:q |
Eb5:q G5 Bb5 | Eb6:h. | D6:q C6 Ab5 | Bb5:h. |
G5:q F5 Eb5 | Db5:h Bb4:q | C5:q Eb5 Ab5 | Eb5:h Cb5:q |
Bb4:q Eb5 G5 | G5:h E5:q | Ab5:q F5 D5 | Eb5:h.
"""

B_CHORDS = ("Cm | G7 | Cm | Cm | Fm | Bb7 | Eb | Eb | "
            "Ab | G7 | Cm | Cm | F7 | F7 | Bb7 | Bb7")
B_TUNE = """
C5:q Eb5:e D5 C5:q | B4:h D5:q | Eb5:q G5:e F5 Eb5:q | C5:h. |
F5:q Ab5:e G5 F5:q | D5:h F5:q | G5:q Bb5:e Ab5 G5:q | Eb5:h. |
C6:h Ab5:q | B5:h G5:q | Eb5:q G5:e F5 Eb5:q | C5:h. |
A4:q C5:e Eb5 F5:q | A5:h. | Ab5:q F5:e D5 Bb4:q | F5:h.
"""

TRIO_CHORDS = ("Ab | Ab | Db | Db | Eb7 | Eb7 | Ab | Ab | "
               "Ab | Ab7 | Db | Dbm | Ab/Eb | F7 | Bbm:h Eb7:q | Ab")
TRIO_TUNE = """
C5:h. | Eb5:q. Db5:e C5:q | F5:h. | Ab4:h. |
G4:q. Ab4:e Bb4:q | Db5:h. | C5:q Bb4 Ab4 | Eb4:h. |
C5:h. | Gb5:q. F5:e Eb5:q | F5:h. | Fb5:h Db5:q |
C5:q Eb5 Ab5 | A5:h. | Db6:q Bb5 G5 | Ab5:h.
"""

LINK_CHORDS = "Bb7 | Bb7 | Bb7 | Bb7"
LINK_TUNE = "D4:q F4 Ab4 | Bb4 C5 D5 | Eb5 F5 G5 | Ab5:h."

CODA_CHORDS = "Eb | Ab | Eb/Bb | Bb7 | Eb | Abm | Eb | Eb"
CODA_TUNE = "G5:h. | C6:h Ab5:q | G5:q F5 Eb5 | F5:h D5:q | Eb5:h. | Eb5:h Cb5:q | Bb4:h. | Eb5:q> r:h"

WALTZ = {"kick": "x..", "triangle": ".oo"}
WALTZ_SOFT = {"kick": "o..", "triangle": "..o"}


def song() -> Song:
    s = Song("The Admiral's Waltz", 168, (3, 4), "Eb", gain=3.5)
    vln = s.part("Violin", GM["violin"], vol=100, pan=72, reverb=60, gate=0.95, vel=86)
    flute = s.part("Flute", GM["flute"], vol=88, pan=84, reverb=60, gate=0.92, vel=80)
    oboe = s.part("Oboe", GM["oboe"], vol=96, pan=90, reverb=55, gate=0.92, vel=76)
    cello = s.part("Cello", GM["cello"], vol=92, pan=46, reverb=60, gate=0.96, vel=80)
    strings = s.part("Strings", GM["strings"], vol=82, pan=58, reverb=60, gate=0.6, vel=70)
    bass = s.part("Basses", GM["pizzicato"], vol=80, pan=50, reverb=50, gate=0.9, vel=94)
    harp = s.part("Harp", GM["harp"], vol=96, pan=28, reverb=65, gate=0.9, vel=70)
    horn = s.part("Horn", GM["french_horn"], vol=84, pan=40, reverb=60, gate=0.95, vel=70)
    dr = s.drum_part(vol=104, reverb=50)

    def oompah(sec, chords, drums=WALTZ, bars=None):
        strings.comp(sec, chords, ".xx", voices=3, low=55, high=72, bars=bars)
        bass.bass(sec, chords, "R:q r:q r:q", low=31, bars=bars)
        dr.drums(sec, drums, bars=bars)

    sec = s.section("intro", 4)
    oompah(sec, INTRO_CHORDS, WALTZ_SOFT)
    harp.arp(sec, INTRO_CHORDS, "0 1 2 3 4 5", "e", voices=3, low=51, high=67)

    sec = s.section("A", 16)
    vln.play(sec, A_TUNE)
    oompah(sec, A_CHORDS)

    sec = s.section("B", 16)
    flute.play(sec, B_TUNE)
    cello.play(sec, B_TUNE, under=B_CHORDS, transpose=-12, vel=70)
    oompah(sec, B_CHORDS)

    sec = s.section("A2", 16)
    vln.play(sec, A_TUNE, vel=90)
    flute.play(sec, A_TUNE, vel=66)
    oboe.play(sec, A_TUNE, under=A_CHORDS, vel=70)
    oompah(sec, A_CHORDS)
    harp.arp(sec, A_CHORDS, "0 1 2", "q", voices=3, low=63, high=80, vel=56)

    sec = s.section("trio", 16)
    cello.play(sec, TRIO_TUNE, transpose=-12, vel=86)
    horn.pad(sec, TRIO_CHORDS, voices=3, low=53, high=67, vel=60)
    harp.arp(sec, TRIO_CHORDS, "0 1 2 3 4 5", "e", voices=3, low=56, high=72, vel=64)
    bass.bass(sec, TRIO_CHORDS, "R:q r:q r:q", low=31)
    dr.drums(sec, WALTZ_SOFT)

    sec = s.section("link", 4)
    vln.play(sec, LINK_TUNE)
    oompah(sec, LINK_CHORDS, WALTZ_SOFT)

    sec = s.section("A3", 16)
    vln.play(sec, A_TUNE, vel=96)
    flute.play(sec, A_TUNE, vel=72)
    cello.play(sec, A_TUNE, under=A_CHORDS, transpose=-12, vel=72)
    horn.pad(sec, A_CHORDS, voices=3, low=53, high=67, vel=56)
    oompah(sec, A_CHORDS)
    dr.drums(sec, {"crash": "x.."}, bars=1)

    sec = s.section("coda", 8)
    s.ritardando(sec.at(4), 12, 168, 120)
    vln.play(sec, CODA_TUNE, vel=92)
    flute.play(sec, CODA_TUNE, vel=70)
    oboe.play(sec, CODA_TUNE, under=CODA_CHORDS, vel=70)
    oompah(sec, CODA_CHORDS, bars=7)
    strings.comp(sec, "Eb", "X..", voices=4, low=55, high=75, bar=7, bars=1)
    bass.play(sec, "Eb2:q> r:h", bar=7)
    harp.arp(sec, "Eb | Eb", "0 1 2 3 4 5", "e", voices=3, low=51, high=67, bar=6)
    dr.drums(sec, {"kick": "X..", "crash": "x.."}, bar=7, bars=1)
    s.finish(tail=2)
    return s

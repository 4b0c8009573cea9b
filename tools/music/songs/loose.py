# SPDX-License-Identifier: GPL-3.0-or-later
"""LOOSE "Sunk": a slow, glum farewell in C minor for a lost battle."""

from score import GM, Song

FILE = "loose.mid"
MOOD = "glum defeat"

CHORDS = "Cm | Ab | Fm6 G7 | Cm"
TUNE = "G4:h Eb4:q. D4:e | C4:h. Eb4:q | D4:h B3:h | C4:w"


def song() -> Song:
    s = Song("Sunk", 66, (4, 4), "Cm", gain=2)
    bone = s.part("Trombone", GM["trombone"], vol=100, pan=56, reverb=65, gate=0.96, vel=80)
    bsn = s.part("Bassoon", GM["bassoon"], vol=90, pan=40, reverb=60, gate=0.96, vel=72)
    strings = s.part("Strings", GM["slow_strings"], vol=86, pan=72, reverb=70, gate=0.99, vel=66)
    bass = s.part("Basses", GM["contrabass"], vol=96, pan=60, reverb=60, gate=0.97, vel=76)
    celesta = s.part("Celesta", GM["celesta"], vol=100, pan=90, reverb=75, gate=0.8, vel=58)
    timp = s.part("Timpani", GM["timpani"], vol=100, pan=64, reverb=60, gate=0.9, vel=70)
    dr = s.drum_part(vol=96, reverb=60)

    sec = s.section("lament", 4)
    s.ritardando(sec.at(3), 4, 66, 54, steps=4)
    bone.play(sec, TUNE)
    bsn.play(sec, TUNE, under=CHORDS, transpose=-12, vel=68)
    strings.pad(sec, CHORDS, voices=4, low=55, high=72)
    bass.bass(sec, CHORDS, "R:w", low=31)
    celesta.play(sec, "r:h G5:q Eb5:q | r:h C5:q Eb5:q | r:h D5:q B4:q | C5:h r:h")
    timp.play(sec, "C2:q r:h. | Ab2:q r:h. | F2:q r:q G2:q r:q | C2:q r:h.")
    dr.drums(sec, {"ftom": "x... .... .... .... | x... .... .... .... | x... .... x... .... | x... .... .... ....",
                   "rim": ".... .... o... ...."})
    s.finish(tail=2)
    return s

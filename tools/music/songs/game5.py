# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME5 "Silent Depths": a slow, mysterious submarine piece in F minor, sonar pings over a heartbeat."""

from score import GM, Song

FILE = "game5.mid"
MOOD = "mysterious submarine"

INTRO_CHORDS = "Fm | Fm | Db | C7sus4"
A_CHORDS = "Fm | Db | Fm | Gb | Fm | Db | Bbm7 | C7"
A_TUNE = """
C4:h. Ab4:q | G4:h. F4:q | Ab4:q. G4:e F4:h | Bb4:h. Db5:q |
C5:h. Ab4:q | C5:q. Bb4:e Ab4:h | Db5:q. C5:e Bb4:q F4:q | E4:w
"""
B_CHORDS = "Bbm | Bbm/Ab | Gb | Gb | Db | Db | C7sus4 | C7"
B_TUNE = """
Db5:h. C5:q | Bb4:h. Ab4:q | Gb4:q. Ab4:e Bb4:h | Db5:w |
F5:h. Eb5:q | C5:h. Ab4:q | F4:h G4:h | E4:h. r:q
"""
# the theme broken into fragments, answered by the pings
A3_TUNE = """
C4:h. Ab4:q | F4:w | Ab4:q. G4:e F4:h | Bb4:w |
C5:h. Ab4:q | C5:w | Db5:q. C5:e Bb4:q F4:q | E4:h. C4:q
"""
END_CHORDS = "Fm | Db | Fm | Fm"
END_TUNE = "F4:h. Ab4:q | Ab4:h F4:h | F4:w | r:w"

HEART = {"kick2": "Xo.. .... Xo.. ....", "shaker": "..o. ..o. ..o. ..o."}
HEART_SOFT = {"kick2": "xo.. .... .... ...."}


def song() -> Song:
    s = Song("Silent Depths", 72, (4, 4), "Fm", gain=2.5)
    clar = s.part("Clarinet", GM["clarinet"], vol=110, pan=56, reverb=70, gate=0.97, vel=76)
    flute = s.part("Flute", GM["flute"], vol=104, pan=80, reverb=75, gate=0.95, vel=72)
    cello = s.part("Cello", GM["cello"], vol=112, pan=44, reverb=70, gate=0.97, vel=74)
    pad = s.part("Deep pad", GM["warm_pad"], vol=62, pan=64, reverb=80, gate=0.99, vel=64)
    air = s.part("Atmosphere", GM["atmosphere"], vol=72, pan=70, reverb=90, gate=0.99, vel=58)
    bass = s.part("Fretless", GM["fretless_bass"], vol=100, pan=60, reverb=40, gate=0.95, vel=82)
    sonar = s.part("Sonar", GM["vibraphone"], vol=127, pan=90, reverb=100, gate=0.5, vel=110, humanize=0)
    harp = s.part("Harp", GM["harp"], vol=92, pan=30, reverb=70, gate=0.9, vel=62)
    dr = s.drum_part(vol=84, reverb=60)

    def ping(sec, bar, beat=0, key="C6", vel=118):
        # a ping and two fading echoes, a dotted quarter apart
        for k, v in enumerate((vel, vel * 5 // 10, vel * 3 // 10)):
            sonar.play(sec, f"{key}:q", bar=bar, beat=beat + 1.5 * k, vel=v, check=False)

    def bed(sec, chords, drums=HEART):
        pad.pad(sec, chords, voices=3, low=53, high=70)
        bass.bass(sec, chords, "R:h. 5:q", low=29)
        dr.drums(sec, drums)

    sec = s.section("intro", 4)
    pad.pad(sec, INTRO_CHORDS, voices=3, low=53, high=70)
    air.pad(sec, "Fm | - | - | -", voices=2, low=60, high=72)
    bass.play(sec, "r:w | F1:w | Db2:w | C2:w")
    for b in range(4):
        ping(sec, b)
    dr.drums(sec, HEART_SOFT, bar=2, bars=2)

    sec = s.section("A", 8)
    clar.play(sec, A_TUNE)
    bed(sec, A_CHORDS)
    for b in (0, 2, 4, 6):
        ping(sec, b, 2)

    sec = s.section("A'", 8)
    flute.play(sec, A_TUNE, transpose=12)
    clar.play(sec, A_TUNE, under=A_CHORDS, vel=66)
    harp.arp(sec, A_CHORDS, "0 1 2 3 4 5 4 3", "e", voices=3, low=53, high=67, vel=58)
    bed(sec, A_CHORDS)
    air.pad(sec, A_CHORDS, voices=2, low=65, high=79)
    for b in (1, 5):
        ping(sec, b, 0, "G6", 104)

    sec = s.section("B", 8)
    cello.play(sec, B_TUNE)
    bed(sec, B_CHORDS, {"kick2": "Xo.. .... Xo.. ....", "shaker": "o.o. o.o. o.o. o.o.",
                        "rim": ".... .... .... ..o."})
    harp.arp(sec, B_CHORDS, "0 1 2 1", "q", voices=3, low=53, high=67, vel=56)
    for b in (0, 4):
        ping(sec, b, 0, "Db6", 110)

    sec = s.section("A''", 8)
    clar.play(sec, A3_TUNE)
    bed(sec, A_CHORDS)
    for b in (1, 3, 5):
        ping(sec, b, 0)
    air.pad(sec, A_CHORDS, voices=2, low=65, high=79)

    sec = s.section("ending", 4)
    clar.play(sec, END_TUNE, vel=66)
    pad.pad(sec, END_CHORDS, voices=3, low=53, high=70)
    bass.play(sec, "F1:w | Db2:w | F1:w | F1:h. r:q")
    air.pad(sec, "Fm | - | - | -", voices=2, low=60, high=72)
    for b in range(3):
        ping(sec, b, 0, vel=112 - 16 * b)
    dr.drums(sec, HEART_SOFT, bars=3)
    s.finish(tail=2)
    return s

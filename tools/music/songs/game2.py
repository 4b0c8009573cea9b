# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME2 "Pursuit": a tense chase in E minor over a running string ostinato."""

from score import GM, Song

FILE = "game2.mid"
MOOD = "tense minor pursuit"

INTRO_CHORDS = "Em | Em | C | B7"

A_CHORDS = "Em | C | D | B7 | Em | G/D | C Am | B7"
A_TUNE = """
B4:q. A4:e G4 F#4 E4:q | E4:q. G4:e C5:h | A4:q. F#4:e D4 E4 F#4:q | D#4:h> B3:h |
B4:q. A4:e G4 F#4 E4:q | D5:q. B4:e G4:h | C5:q. B4:e A4:q E4:q | F#4:h D#4:q B3:q
"""
A_CHORDS_END = "Em | C | D | B7 | Em | G/D | C B7 | Em"
A_TUNE_END = """
B4:q. A4:e G4 F#4 E4:q | E4:q. G4:e C5:h | A4:q. F#4:e D4 E4 F#4:q | D#4:h> B3:h |
B4:q. A4:e G4 F#4 E4:q | D5:q. B4:e G4:h | C5:q. B4:e A4:q D#4:q | E4:h. r:q
"""

B1_CHORDS = "Em | Em/D# | G/D | C#m7b5 | C | Am7 | F#7 | B7"
B1_TUNE = "G5:w | F#5:h. E5:q | D5:h B4:h | E5:h G5:h | G5:q. E5:e B4:h | C5:h E5:h | A#4:h C#5:q E5:q | D#5:w"
B2_CHORDS = "C | C | Am | Am | F | F | B7 | B7"
B2_TUNE = """
E5:q. D5:e C5:q G4:q | A4:q. G4:e E4:h | A4:q. C5:e E5:q A5:q | G5:h E5:h |
F5:q. E5:e C5:q A4:q | C5:h F5:h | D#5:q. E5:e F#5:q A5:q | B5:h. r:q
"""

BREAK_CHORDS = "Em | Em | C | C | Am | Am | B7 | B7"

END_CHORDS = "Em | C | B7 | Em"
END_TUNE = "B4:q. A4:e G4 F#4 E4:q | E4:q. G4:e C5:h | B4:h D#4:h | E4:q> r:q r:h"

OSTINATO = "0 0 1 0 2 0 1 0"
GROOVE = {
    "kick": "x..x ..x. x..x ..x.",
    "snare": ".... x... .... x..o",
    "hat": "x.xo x.xo x.xo x.xo",
    "ltom": "..o. .... ..o. .o..",
}


def song() -> Song:
    s = Song("Pursuit", 150, (4, 4), "Em", gain=3.5)
    horn = s.part("Horns", GM["french_horn"], vol=100, pan=52, reverb=50, gate=0.9, vel=88)
    tpt = s.part("Trumpet", GM["trumpet"], vol=100, pan=76, reverb=50, gate=0.85, vel=84)
    vln = s.part("Violins", GM["strings"], vol=112, pan=84, reverb=55, gate=0.97, vel=82)
    osti = s.part("Ostinato", GM["strings"], vol=100, pan=40, reverb=35, gate=0.45, vel=78)
    cello = s.part("Low strings", GM["cello"], vol=112, pan=58, reverb=35, gate=0.5, vel=84)
    pad = s.part("Pad", GM["slow_strings"], vol=64, pan=64, reverb=60, gate=0.98, vel=64)
    taiko = s.part("Taiko", GM["taiko"], vol=96, pan=64, reverb=45, gate=0.9, vel=96)
    timp = s.part("Timpani", GM["timpani"], vol=100, pan=64, reverb=50, vel=88)
    dr = s.drum_part(vol=88)

    def backing(sec, chords, full=True):
        osti.arp(sec, chords, OSTINATO, "e", low=52, high=67, voices=3)
        cello.bass(sec, chords, "R:e R R R R R R R", low=36)
        if full:
            pad.pad(sec, chords, voices=3, low=55, high=71)
            dr.drums(sec, GROOVE)

    sec = s.section("intro", 4)
    osti.arp(sec, INTRO_CHORDS, OSTINATO, "e", low=52, high=67, voices=3)
    cello.bass(sec, INTRO_CHORDS, "R:e R R R R R R R", low=36, bar=2, bars=2)
    taiko.play(sec, "E2:q r:h. | E2:q r:q E2:e E2:e r:q | E2:q r:h E2:q | E2:q E2 E2 E2")
    dr.drums(sec, {"hat": "x.x. x.x. x.x. x.x.", "ltom": ".... | .... | .... | o.x. o.x. X.X. XXXX"}, bar=0)
    dr.drums(sec, {"kick": "x... ..x. x... ..x."}, bar=2, bars=2)

    for k, (chords, tune) in enumerate([(A_CHORDS, A_TUNE), (A_CHORDS_END, A_TUNE_END)]):
        sec = s.section(f"A{k + 1}", 8)
        horn.play(sec, tune)
        if k:
            tpt.play(sec, tune, transpose=12, vel=78)
        backing(sec, chords)
        taiko.bass(sec, chords, "R:q r:q r:q R:q", low=36, vel=80)
        dr.drums(sec, {"crash": "x..."}, bars=1)

    sec = s.section("B1", 8)
    vln.play(sec, B1_TUNE)
    horn.pad(sec, B1_CHORDS, voices=3, low=50, high=64, vel=66)
    backing(sec, B1_CHORDS)
    dr.drums(sec, {"crash": "x..."}, bars=1)

    sec = s.section("B2", 8)
    vln.play(sec, B2_TUNE, vel=90)
    horn.play(sec, B2_TUNE, transpose=-12, vel=84)
    tpt.comp(sec, B2_CHORDS, "x..x ..x. .... ....", voices=2, low=62, high=76, vel=80)
    backing(sec, B2_CHORDS)
    timp.bass(sec, B2_CHORDS, "R:q r:h. ", low=40, vel=84)
    dr.drums(sec, {"crash": "x..."}, bars=1)
    dr.drums(sec, {"snare": "x.x. x.x. xxxx XXXX", "ltom": "....", "kick": "x... x... x... x..."}, bar=7, bars=1)

    sec = s.section("break", 8)
    osti.arp(sec, BREAK_CHORDS, "0 1 2 1 0 1 2 1", "e", low=52, high=67, voices=3)
    cello.bass(sec, BREAK_CHORDS, "R:q. R:e r:h", low=36)
    taiko.play(sec, "E2:q r:h. | E2:q r:q E2:e E2:e r:q | E2:q r:h. | E2:q r:q E2:e E2:e r:q | "
                    "E2:q r:h. | E2:q r:q E2:e E2:e r:q | E2:q E2 E2 E2 | E2:e*8")
    tpt.play(sec, "r:w*4 | E5:h. D5:q | E5:w | D#5:h. F#5:q | B4:w", vel=76)
    dr.drums(sec, {"ltom": "x..o ..x. x..o .ox.", "hat": "..x. ..x. ..x. ..x."}, bars=6)
    dr.drums(sec, {"ltom": "x.x. x.x. x.x. x.x. | XXXX XXXX xxxx XXXX", "snare": ".... | rrrr rrrr rrrr rrrr"}, bar=6, bars=2)

    for k, (chords, tune) in enumerate([(A_CHORDS, A_TUNE), (A_CHORDS_END, A_TUNE_END)]):
        sec = s.section(f"A'{k + 1}", 8)
        horn.play(sec, tune, vel=94)
        tpt.play(sec, tune, transpose=12, vel=86)
        vln.play(sec, tune, transpose=12, vel=76)
        backing(sec, chords)
        taiko.bass(sec, chords, "R:q r:q r:q R:q", low=36, vel=84)
        dr.drums(sec, {"crash": "x..."}, bars=1)

    sec = s.section("ending", 4)
    horn.play(sec, END_TUNE, vel=96)
    tpt.play(sec, END_TUNE, transpose=12, vel=88)
    osti.arp(sec, END_CHORDS, OSTINATO, "e", low=52, high=67, voices=3, bars=3)
    cello.bass(sec, END_CHORDS, "R:e R R R R R R R", low=36, bars=3)
    cello.play(sec, "E2:q> r:q r:h", bar=3)
    vln.comp(sec, "Em", "X... .... .... ....", voices=4, low=64, high=83, bar=3, bars=1)
    pad.pad(sec, END_CHORDS, voices=3, low=55, high=71, bars=3)
    timp.play(sec, "r:w | r:w | B2:s*16 | E2:q> r:q r:h")
    taiko.play(sec, "E2:q r:h. | E2:q r:h. | E2:q E2 E2 E2 | E2:q> r:h.")
    dr.drums(sec, GROOVE, bars=2)
    dr.drums(sec, {"snare": "rrrr rrrr rrrr rrrr | X...", "kick": "x.x. x.x. x.x. x.x. | X...",
                   "crash": ".... | X..."}, bar=2, bars=2)
    s.finish(tail=2)
    return s

# SPDX-License-Identifier: GPL-3.0-or-later
"""WIN "Victory at Sea": a bright, quick victory tune in D."""

from score import GM, Song

FILE = "win.mid"
MOOD = "bright victory"

CHORDS = "D | G | A | D | G | D/F# | Em7 A7 | D"
TUNE = """
A4:e. D5:s F#5:q A5:q. F#5:e | B5:q. A5:e G5:q D5:q | E5:q. F#5:e E5:q C#5:q | D5:h. A4:q |
B4:q. D5:e G5:q B5:q | A5:q. F#5:e D5:q F#5:q | G5:q E5:q C#5:q E5:q | D5:q> r:q r:h
"""


def song() -> Song:
    s = Song("Victory at Sea", 132, (4, 4), "D", gain=3)
    tpt = s.part("Trumpets", GM["trumpet"], vol=106, pan=70, reverb=55, gate=0.88, vel=98)
    horns = s.part("Horns", GM["french_horn"], vol=92, pan=48, reverb=60, gate=0.9, vel=86)
    strings = s.part("Strings", GM["strings"], vol=84, pan=82, reverb=60, gate=0.6, vel=78)
    glock = s.part("Glockenspiel", GM["glockenspiel"], vol=100, pan=100, reverb=60, gate=0.5, vel=78)
    tuba = s.part("Tuba", GM["tuba"], vol=100, pan=58, reverb=40, gate=0.7, vel=92)
    timp = s.part("Timpani", GM["timpani"], vol=92, pan=64, reverb=55, gate=0.9, vel=92)
    dr = s.drum_part(vol=90, reverb=45)

    sec = s.section("tune", 8)
    s.ritardando(sec.at(6), 8, 132, 108, steps=6)
    tpt.play(sec, TUNE)
    horns.play(sec, TUNE, under=CHORDS)
    glock.play(sec, TUNE, transpose=12, vel=70)
    strings.comp(sec, CHORDS, "x.x. x.x. x.x. x.x.", voices=3, low=62, high=79, bars=7)
    strings.comp(sec, "D", "X...", voices=4, low=62, high=81, bar=7, bars=1)
    tuba.bass(sec, CHORDS, "R:q 5 R 5", low=30, bars=7)
    tuba.play(sec, "D2:q> r:q r:h", bar=7)
    timp.play(sec, "D2:q r A2 r | G2:q r D2 r | A2:q r E2 r | D2:q r A2 r | "
                   "G2:q r D2 r | D2:q r A2 r | A2:s*16 | D2:q> r:q r:h")
    dr.drums(sec, {"snare": "x..o x.ox x..o x.ox", "kick": "x... x... x... x...", "hat": "..x. ..x. ..x. ..x."},
             bars=6)
    dr.drums(sec, {"snare": "rrrr rrrr rrrr rrrr", "kick": "x... x... x... x..."}, bar=6, bars=1)
    dr.drums(sec, {"crash": "x..."}, bars=1)
    dr.drums(sec, {"crash": "X...", "kick": "X..."}, bar=7, bars=1)
    s.finish(tail=2)
    return s

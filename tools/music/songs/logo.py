# SPDX-License-Identifier: GPL-3.0-or-later
"""LOGO "Tarnwake": a short brass fanfare for the about box."""

from score import GM, Song

FILE = "logo.mid"
MOOD = "fanfare"

CHORDS = "C | Ab Bb | C"
TUNE = "r:e G4:s G4 C5:q E5:q. C5:e | Eb5:q. Eb5:e F5:q. F5:e | G5:w"


def song() -> Song:
    s = Song("Tarnwake", 120, (4, 4), "C", gain=3)
    tpt = s.part("Trumpets", GM["trumpet"], vol=108, pan=70, reverb=60, gate=0.9, vel=100)
    horns = s.part("Horns", GM["french_horn"], vol=100, pan=50, reverb=65, gate=0.95, vel=90)
    brass = s.part("Low brass", GM["brass"], vol=92, pan=40, reverb=60, gate=0.95, vel=88)
    strings = s.part("Strings", GM["strings"], vol=84, pan=80, reverb=65, gate=0.98, vel=80)
    timp = s.part("Timpani", GM["timpani"], vol=100, pan=64, reverb=60, gate=0.9, vel=96)
    glock = s.part("Glockenspiel", GM["glockenspiel"], vol=104, pan=96, reverb=70, gate=0.5, vel=80)
    dr = s.drum_part(vol=90, reverb=60)

    sec = s.section("fanfare", 3)
    tpt.play(sec, TUNE)
    horns.play(sec, TUNE, under=CHORDS)
    brass.play(sec, "C3+G3:q r:q r:q r:e C3+G3:e | Ab2+Eb3:h Bb2+F3:h | C3+G3+C4:w")
    strings.pad(sec, CHORDS, voices=4, low=55, high=76, bar=1, bars=2)
    timp.play(sec, "C2:q r:q r:q r:e C2:e | Ab2:h Bb2:h | C2:s*8 C2:h>")
    glock.play(sec, "r:w | r:w | C6+G6:q r:h.")
    dr.drums(sec, {"crash": "x... | .... | X...", "kick2": "x... | x.x. | X...",
                   "snare": ".... | ...r ...r | ...."})
    s.finish(tail=2)
    return s

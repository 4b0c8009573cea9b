# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME9 "Plotting Room": calm but alert, B minor, ticking piano and marimba under a cool tune."""

from score import GM, Song

FILE = "game9.mid"
MOOD = "calm but alert, strategic"

A_CHORDS = "Bm9 | Gmaj7 | Em9 | F#7sus4 F#7"
A_TUNE = """
r:e B4 C#5 D5 F#5:h | E5:q. D5:e B4:h | G5:q. F#5:e E5:q B4:q | C#5:h A#4:h |
r:e B4 C#5 D5 A5:h | F#5:q. E5:e D5:h | E5:q G5:q B5:q. A5:e | F#5:h. r:q
"""
B_CHORDS = "Dmaj7 | A/C# | Bm7 | Gmaj7 | Em7 | F#m7 | Gmaj7 | F#7sus4 F#7"
B_TUNE = """
A5:h. F#5:q | E5:h. C#5:q | D5:q. C#5:e B4:h | D5:w |
G5:h. E5:q | A5:h. F#5:q | B5:q. A5:e G5:q D5:q | E5:h A#4:h
"""
# the answer the marimba gives between the phrases of the tune
COUNTER = """
r:w | r:h r:e F#5:e D5 B4 | r:w | r:h r:e C#5:e E5 F#5 |
r:w | r:h r:e A5:e F#5 D5 | r:w | r:h C#5:e E5 F#5 A#5
"""
END_CHORDS = "Bm9 | Gmaj7 | Em9 | Bm9"
# the sustained strings keep to plain chords: the ninths and sevenths live in
# the short piano notes, where they colour without rubbing against the tune
PAD = {A_CHORDS: "Bm | G | Em7 | F#7sus4 F#7",
       B_CHORDS: "D | A/C# | Bm7 | G | Em7 | F#m7 | G | F#7sus4 F#7",
       END_CHORDS: "Bm | G | Em | Bm"}

GROOVE = {"kick": "x... ...x ..x. ....", "rim": ".... x... .... x...",
          "hat": "x.xx x.xx x.xx x.xx", "shaker": "..x. ..x. ..x. ..x."}
GROOVE_LIGHT = {"kick": "x... .... ..x. ....", "hat": "x.x. x.x. x.x. x.x."}


def song() -> Song:
    s = Song("Plotting Room", 100, (4, 4), "Bm")
    vib = s.part("Vibraphone", GM["vibraphone"], vol=127, pan=70, reverb=55, gate=0.9, vel=100)
    flute = s.part("Flute", GM["flute"], vol=104, pan=84, reverb=55, gate=0.92, vel=80)
    ep = s.part("Electric piano", GM["epiano"], vol=96, pan=40, reverb=45, gate=0.7, vel=66, humanize=6)
    mar = s.part("Marimba", GM["marimba"], vol=120, pan=96, reverb=40, gate=0.8, vel=96)
    pad = s.part("Strings pad", GM["synth_strings"], vol=46, pan=58, reverb=70, gate=0.98, vel=62)
    bass = s.part("Bass", GM["finger_bass"], vol=104, pan=60, reverb=25, gate=0.85, vel=90)
    dr = s.drum_part(vol=104, reverb=35)

    def bed(sec, chords, drums=GROOVE):
        ep.arp(sec, chords, "0 1 2 3 1 2 3 4", "s", voices=4, low=54, high=71)
        pad.pad(sec, PAD[chords], voices=4, low=54, high=74)
        bass.bass(sec, chords, "R:q. R:e r:e 5:e 8:e R:e", low=30)
        dr.drums(sec, drums)

    sec = s.section("intro", 4)
    ep.arp(sec, A_CHORDS, "0 1 2 3 1 2 3 4", "s", voices=4, low=54, high=71)
    pad.pad(sec, PAD[A_CHORDS], voices=4, low=54, high=74, bar=2, bars=2)
    dr.drums(sec, {"hat": "x.x. x.x. x.x. x.x."}, bar=2, bars=2)

    sec = s.section("A1", 8)
    vib.play(sec, A_TUNE)
    bed(sec, A_CHORDS, GROOVE_LIGHT)

    sec = s.section("A2", 8)
    vib.play(sec, A_TUNE)
    mar.play(sec, COUNTER)
    bed(sec, A_CHORDS)

    sec = s.section("B", 8)
    flute.play(sec, B_TUNE)
    vib.play(sec, B_TUNE, under=B_CHORDS, vel=70)
    bed(sec, B_CHORDS)
    dr.drums(sec, {"ride": "x.x. x.x. x.x. x.x."})

    sec = s.section("A3", 8)
    flute.play(sec, A_TUNE, vel=74)
    vib.play(sec, A_TUNE)
    mar.play(sec, COUNTER)
    bed(sec, A_CHORDS)

    sec = s.section("break", 4)
    bass.bass(sec, A_CHORDS, "R:q. R:e r:e 5:e 8:e R:e", low=30)
    mar.arp(sec, A_CHORDS, "0 1 2 1", "e", voices=3, low=59, high=76, vel=72)
    pad.pad(sec, PAD[A_CHORDS], voices=4, low=54, high=74, vel=54)
    dr.drums(sec, {"kick": "x... ...x ..x. ....", "rim": ".... x... .... x...", "shaker": "x.x. x.x. x.x. x.x."})
    dr.drums(sec, {"rim": "x.xx x.xx xxxx xxxx"}, bar=3, bars=1)

    sec = s.section("A4", 8)
    vib.play(sec, A_TUNE)
    flute.play(sec, A_TUNE, under=A_CHORDS, vel=66)
    mar.play(sec, COUNTER)
    bed(sec, A_CHORDS)

    sec = s.section("outro", 4)
    s.ritardando(sec.at(2), 8, 100, 84)
    vib.play(sec, "r:e B4 C#5 D5 F#5:h | E5:q. D5:e B4:h | G5:q. F#5:e E5:q B4:q | B4:w", vel=76)
    ep.arp(sec, END_CHORDS, "0 1 2 3 1 2 3 4", "s", voices=4, low=54, high=71, bars=3)
    ep.comp(sec, "Bm", "x---", voices=4, low=54, high=71, bar=3, bars=1)
    pad.pad(sec, PAD[END_CHORDS], voices=4, low=54, high=74)
    bass.bass(sec, END_CHORDS, "R:q. R:e r:e 5:e 8:e R:e", low=30, bars=3)
    bass.play(sec, "B1:w", bar=3)
    dr.drums(sec, GROOVE_LIGHT, bars=3)
    dr.drums(sec, {"kick": "x...", "ride": "x..."}, bar=3, bars=1)
    s.finish(tail=2)
    return s

# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME4 "Broadside": a driving rock battle piece in A minor."""

from score import GM, Song

FILE = "game4.mid"
MOOD = "driving rock battle"

RIFF = ("A2+E3:e A2+E3 r:e A2+E3 C3+G3:q A2+E3:e D3+A3:e~ | "
        "D3+A3:q C3+G3:e A2+E3:e r:e G2+D3:e A2+E3:q")
BASS_RIFF = "A1:e A1 r:e A1 C2:q A1:e D2:e~ | D2:q C2:e A1:e r:e G1:e A1:q"

VERSE_CHORDS = "Am | Am | F | G | Am | Am | F | E"
VERSE_POWER = "A5 | A5 | F5 | G5 | A5 | A5 | F5 | E5"
VERSE_TUNE = """
E5:q. D5:e C5:q B4:q | A4:h. E4:q | F4:q. G4:e A4:q C5:q | B4:h. D5:q |
E5:q. D5:e C5:q E5:q | A5:h G5:q E5:q | F5:q. E5:e C5:q A4:q | B4:h G#4:h
"""

CHORUS_CHORDS = "F | G | Am | Am | F | G | E | E"
CHORUS_POWER = "F5 | G5 | A5 | A5 | F5 | G5 | E5 | E5"
CHORUS_TUNE = """
C5:q. F5:e~ F5:h | D5:q. G5:e~ G5:h | E5:q. A5:e~ A5:q G5:q | E5:h. r:q |
C5:q. F5:e~ F5:q E5:q | D5:q. G5:e~ G5:q B5:q | B5:h. G#5:q | B5:q. A5:e G#5:h
"""

BRIDGE_CHORDS = "Dm | Am | Dm | E | F | G | E | E"
BRIDGE_POWER = "D5 | A5 | D5 | E5 | F5 | G5 | E5 | E5"
BRIDGE_TUNE = """
A4:e C5 D5 F5 A5:q G5:e F5 | E5:h. C5:q | D5:e F5 A5 D6 C6:q A5:q | B5:h G#5:h |
A5:e G5 F5 C5 F5:q A5:q | B5:e A5 G5 D5 G5:q B5:q | G#5:q B5:q E6:q D6:q | B5:h. r:q
"""

ROCK = {"kick": "x... ...x x.x. ....", "snare": ".... x... .... x...", "hat": "x.x. x.x. x.x. x.x."}
ROCK_BIG = {"kick": "x... ...x x.x. ...x", "snare": ".... x... .... x..o", "ride": "x.x. x.x. x.x. x.x.",
            "crash": "x... .... .... ....|.... |.... |.... "}
HALF_TIME = {"kick": "x... .... ..x. ....", "snare": ".... .... x... ....", "hat": "x.xx x.xx x.xx x.xx"}
FILL = {"snare": "x.xx x.x. .... ....", "htom": ".... ..x. xx.. ....", "ltom": ".... .... ..xx x.x.",
        "kick": "x... x... x... x...", "hat": "....", "ride": "...."}


def song() -> Song:
    s = Song("Broadside", 140, (4, 4), "Am", gain=-1.5)
    gtr = s.part("Rhythm guitar", GM["overdrive_guitar"], vol=82, pan=34, reverb=30, gate=0.9, vel=92, humanize=4)
    lead = s.part("Lead", GM["saw_lead"], vol=66, pan=80, reverb=45, gate=0.92, vel=92)
    brass = s.part("Brass", GM["brass"], vol=100, pan=96, reverb=45, gate=0.85, vel=88)
    organ = s.part("Organ", GM["organ"], vol=70, pan=64, reverb=45, gate=0.98, vel=70)
    bass = s.part("Bass", GM["pick_bass"], vol=104, pan=64, reverb=20, gate=0.8, vel=96)
    dr = s.drum_part(vol=127)

    def verse(sec, lead_vel, octave=0):
        gtr.comp(sec, VERSE_POWER, "x-x- x-x- x-x- x-x-", low=40, high=62, voices=3, root_bottom=True)
        bass.bass(sec, VERSE_CHORDS, "R:e R R R R R R R", low=28)
        lead.play(sec, VERSE_TUNE, vel=lead_vel, transpose=octave)
        dr.drums(sec, ROCK, bars=7)
        dr.drums(sec, FILL, bar=7, bars=1)

    def chorus(sec, big=False):
        gtr.comp(sec, CHORUS_POWER, "X--- ---- x--- -.x.", low=40, high=62, voices=3, root_bottom=True)
        bass.bass(sec, CHORUS_CHORDS, "R:e R R R R R R R", low=28)
        brass.play(sec, CHORUS_TUNE, vel=92 if big else 86)
        lead.play(sec, CHORUS_TUNE, transpose=12 if big else 0, vel=80)
        organ.pad(sec, CHORUS_CHORDS, voices=4, low=55, high=74)
        dr.drums(sec, ROCK_BIG, bars=7)
        dr.drums(sec, FILL, bar=7, bars=1)

    def riff(sec, bars, drums=True):
        for b in range(0, bars, 2):
            gtr.play(sec, RIFF, bar=b)
            bass.play(sec, BASS_RIFF, bar=b)
        if drums:
            dr.drums(sec, ROCK)

    sec = s.section("intro", 4)
    riff(sec, 4, drums=False)
    dr.drums(sec, {"hat": "x.x. x.x. x.x. x.x."}, bars=2)
    dr.drums(sec, ROCK, bar=2, bars=1)
    dr.drums(sec, FILL, bar=3, bars=1)

    verse(s.section("verse 1", 8), 84)
    chorus(s.section("chorus 1", 8))
    sec = s.section("riff", 4)
    riff(sec, 4)
    dr.drums(sec, {"crash": "x..."}, bars=1)
    brass.play(sec, "r:w | r:h. E5:q | A5:q> r:h. | r:h G5:q E5:q")
    sec = s.section("verse 2", 8)
    verse(sec, 88, 12)
    brass.comp(sec, VERSE_CHORDS, ".... .... .... ..X.", voices=3, low=60, high=76)
    chorus(s.section("chorus 2", 8))

    sec = s.section("bridge", 8)
    gtr.comp(sec, BRIDGE_POWER, "x--- ---- ---- ----", low=40, high=62, voices=3, root_bottom=True)
    organ.pad(sec, BRIDGE_CHORDS, voices=4, low=55, high=74, vel=76)
    bass.bass(sec, BRIDGE_CHORDS, "R:q. R:e r:q 5:q", low=28)
    lead.play(sec, BRIDGE_TUNE, vel=92)
    dr.drums(sec, HALF_TIME, bars=7)
    dr.drums(sec, {"snare": "x.x. x.x. xxxx XXXX", "kick": "x... x... x... x..."}, bar=7, bars=1)

    chorus(s.section("chorus 3", 8), big=True)

    sec = s.section("outro", 4)
    s.ritardando(sec.at(3), 4, 140, 120, steps=4)
    gtr.play(sec, RIFF)
    bass.play(sec, BASS_RIFF)
    gtr.play(sec, "F2+C3+F3:h> G2+D3+G3:h> | A2+E3+A3:q> r:q r:h", bar=2)
    bass.play(sec, "F1:h> G1:h> | A1:q> r:q r:h", bar=2)
    brass.play(sec, "r:w | r:w | C5+F5:h> D5+G5:h> | E5+A5:q> r:q r:h")
    lead.play(sec, "r:w | r:w | F5:h G5:h | A5:q> r:q r:h")
    dr.drums(sec, ROCK, bars=2)
    dr.drums(sec, {"kick": "x... .... x... ....| X... ....", "snare": "X... .... X... ....| X... ....",
                   "crash": "X... .... X... ....| X... ...."}, bar=2, bars=2)
    s.finish(tail=2)
    return s

# SPDX-License-Identifier: GPL-3.0-or-later
"""GAME3 "Haul Away the Line": a sea shanty in 6/8, verse and chorus, last round a step up."""

from score import GM, Song, transpose_chords

FILE = "game3.mid"
MOOD = "sea shanty"

INTRO_CHORDS = "G | G | C | G | D"
INTRO_TUNE = "r:q. r:q D4:e | G4:q. B4:q. | C5:q. G4:q E4:e | B4:q. G4:q. | A4:q. F#4:q."

VERSE_CHORDS = "G | C | G | D | G | C | G D | G"
VERSE_TUNE = """
D4:e G4:q G4:e A4 B4 | C5:q B4:e A4:q G4:e | B4:q. D5:q. | A4:q. r:e F#4 A4 |
D4:e G4:q G4:e A4 B4 | C5:q E5:e D5:q C5:e | B4:q G4:e A4:q F#4:e | G4:q. r:q.
"""
CHORUS_CHORDS = "C | G | D | G | C | G | Am D | G"
CHORUS_TUNE = """
E5:q. E5:e D5 C5 | D5:q B4:e G4:q. | A4:q B4:e C5:q A4:e | D5:q. B4:q. |
E5:q. G5:e F#5 E5 | D5:e C5 B4 D5:q. | C5:q A4:e D5:q C5:e | B4:q. G4:q.
"""
LINK_CHORDS = "G | C | D | E7"
LINK_TUNE = "G5:e F#5 E5 D5 B4 G4 | C5:e E5 G5 E5 C5 G4 | A4:e D5 F#5 A5 F#5 D5 | D5:e B4 G#4 E4:q."

END_CHORDS = "D | A/E E7 | A | A"
END_TUNE = "F#5:q. E5:q. | C#5:q B4:e A4:q B4:e | A4:e C#5 E5 A5:q. | A5:q.> r:q."

STOMP = {"kick": "x..x..", "clap": "...x..", "tamb": ".xx.xx"}
STOMP_SOFT = {"kick": "x..x..", "tamb": "...x.."}


def song() -> Song:
    s = Song("Haul Away the Line", 120, (6, 8), "G", gain=4)
    acc = s.part("Accordion", GM["accordion"], vol=122, pan=56, reverb=40, gate=0.9, vel=86)
    fid = s.part("Fiddle", GM["fiddle"], vol=108, pan=86, reverb=45, gate=0.9, vel=84)
    choir = s.part("Crew", GM["voice_oohs"], vol=88, pan=64, reverb=60, gate=0.95, vel=78)
    gtr = s.part("Guitar", GM["steel_guitar"], vol=62, pan=36, reverb=35, gate=0.8, vel=76)
    bass = s.part("Bass", GM["acoustic_bass"], vol=74, pan=60, reverb=25, gate=0.8, vel=92)
    whistle = s.part("Whistle", GM["whistle"], vol=96, pan=98, reverb=50, gate=0.85, vel=78)
    dr = s.drum_part(vol=100)

    def band(sec, chords, drums=STOMP):
        gtr.comp(sec, chords, "x.xx.x", voices=4, low=52, high=71, strum=10)
        bass.bass(sec, chords, "R:q. 5:q.", low=31)
        dr.drums(sec, drums)

    sec = s.section("intro", 5)
    gtr.comp(sec, INTRO_CHORDS, "x.xx.x", voices=4, low=52, high=71, strum=10)
    bass.bass(sec, INTRO_CHORDS, "R:q. 5:q.", low=31, bar=2)
    acc.play(sec, INTRO_TUNE, vel=76)
    dr.drums(sec, STOMP_SOFT, bar=2, bars=3)

    rounds = [(0, "first"), (0, "second"), (2, "last")]
    for r, (up, label) in enumerate(rounds):
        vc = transpose_chords(VERSE_CHORDS, up)
        cc = transpose_chords(CHORUS_CHORDS, up)
        sec = s.section(f"verse ({label})", 8)
        if r == 0:
            acc.play(sec, VERSE_TUNE)
            band(sec, vc, STOMP_SOFT)
        elif r == 1:
            fid.play(sec, VERSE_TUNE, transpose=12)
            acc.play(sec, VERSE_TUNE, under=vc, vel=70)
            band(sec, vc)
        else:
            acc.play(sec, VERSE_TUNE, transpose=up)
            fid.play(sec, VERSE_TUNE, transpose=up + 12, vel=78)
            band(sec, vc)
        sec = s.section(f"chorus ({label})", 8)
        acc.play(sec, CHORUS_TUNE, transpose=up)
        choir.play(sec, CHORUS_TUNE, transpose=up, vel=74)
        choir.play(sec, CHORUS_TUNE, transpose=up, under=cc, vel=64)
        if r:
            fid.play(sec, CHORUS_TUNE, transpose=up, vel=76)
            whistle.arp(sec, cc, "2 . 1 . . .", "e", voices=3, low=74, high=88, vel=62)
        band(sec, cc)
        dr.drums(sec, {"crash": "x....."}, bars=1)
        if r == 1:
            sec = s.section("link", 4)
            fid.play(sec, LINK_TUNE)
            acc.pad(sec, LINK_CHORDS, voices=3, low=55, high=69, vel=62)
            band(sec, LINK_CHORDS)
            dr.drums(sec, {"ltom": "x.xx.x", "snare": "rr..XX", "kick": "x..x.."}, bar=3, bars=1)

    sec = s.section("ending", 4)
    s.ritardando(sec.at(2), 6, 120, 96)
    acc.play(sec, END_TUNE)
    fid.play(sec, END_TUNE, transpose=12, vel=80)
    choir.play(sec, END_TUNE, under=END_CHORDS, vel=70)
    gtr.comp(sec, END_CHORDS, "x.xx.x", voices=4, low=52, high=71, strum=10, bars=3)
    gtr.comp(sec, "A", "X.....", voices=5, low=52, high=76, strum=14, bar=3, bars=1)
    bass.bass(sec, END_CHORDS, "R:q. 5:q.", low=31, bars=3)
    bass.play(sec, "A1:q.> r:q.", bar=3)
    dr.drums(sec, STOMP, bars=2)
    dr.drums(sec, {"kick": "x..x.. | X.....", "tamb": "xxxxxx | x.....", "crash": "...... | X....."}, bar=2, bars=2)
    s.finish(tail=1.5)
    return s

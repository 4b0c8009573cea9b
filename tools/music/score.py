# SPDX-License-Identifier: GPL-3.0-or-later
"""A small score language that writes standard MIDI files.

A song is a list of sections laid end to end. Each part (one General MIDI
instrument on one channel) is filled section by section from short texts:

    melody      "E5:q D5:e C5 | G4:h. r:q"      note names with durations
    chords      "Bb | F/A | Gm Eb | F"          one bar between bar lines
    rhythms     "x.x.x-x."                      one character per step
    bass lines  "R:q 5 R 5"                     chord degrees with durations
    drums       {"kick": "x...x...", "snare": "....x..."}

Durations are in quarter-note beats: w h q e s (whole .. sixteenth), a dot
adds half (q. = 1.5), a trailing t makes a triplet (et = 1/3), and plain
numbers or fractions (1.5, 2/3) work too. A note without a duration keeps
the previous one. Times are exact fractions until the file is written, so
triplets and 6/8 bars never drift.

Everything here is deterministic: humanising draws from a generator seeded by
the song and part names, so regenerating gives byte-identical files.
"""

from __future__ import annotations

import random
import re
import struct
import zlib
from dataclasses import dataclass
from fractions import Fraction

TPQ = 480  # ticks per quarter note in the files we write

# ---------------------------------------------------------------- pitches

_STEP = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
_NOTE_RE = re.compile(r"([A-G])([#b]?)(-?\d)")


def note(name: str) -> int:
    """MIDI key number of a note name such as C4 (60), F#3, Bb5."""
    m = _NOTE_RE.fullmatch(name)
    if not m:
        raise ValueError(f"bad note name {name!r}")
    step, acc, octave = m.groups()
    n = _STEP[step] + {"": 0, "#": 1, "b": -1}[acc] + 12 * (int(octave) + 1)
    if not 0 <= n <= 127:
        raise ValueError(f"note {name!r} out of range")
    return n


def pitch_class(name: str) -> int:
    return (_STEP[name[0]] + {"": 0, "#": 1, "b": -1}[name[1:]]) % 12


# ---------------------------------------------------------------- durations

_DUR_RE = re.compile(r"([whqes])(\.?)(t?)")
_DUR_BASE = {"w": 4, "h": 2, "q": 1, "e": Fraction(1, 2), "s": Fraction(1, 4)}


def dur(text: str) -> Fraction:
    """Duration in beats from 'q', 'h.', 'et', '1.5' or '2/3'."""
    m = _DUR_RE.fullmatch(text)
    if m:
        d = Fraction(_DUR_BASE[m.group(1)])
        if m.group(2):
            d *= Fraction(3, 2)
        if m.group(3):
            d *= Fraction(2, 3)
        return d
    d = Fraction(text)
    if d <= 0:
        raise ValueError(f"bad duration {text!r}")
    return d


# ---------------------------------------------------------------- chords

QUALITIES = {
    "": (0, 4, 7),
    "m": (0, 3, 7),
    "5": (0, 7),
    "7": (0, 4, 7, 10),
    "maj7": (0, 4, 7, 11),
    "m7": (0, 3, 7, 10),
    "mmaj7": (0, 3, 7, 11),
    "m7b5": (0, 3, 6, 10),
    "dim": (0, 3, 6),
    "dim7": (0, 3, 6, 9),
    "aug": (0, 4, 8),
    "sus2": (0, 2, 7),
    "sus4": (0, 5, 7),
    "7sus4": (0, 5, 7, 10),
    "6": (0, 4, 7, 9),
    "m6": (0, 3, 7, 9),
    "add9": (0, 4, 7, 2),
    "madd9": (0, 3, 7, 2),
    "9": (0, 4, 7, 10, 2),
    "m9": (0, 3, 7, 10, 2),
    "maj9": (0, 4, 7, 11, 2),
    "7b9": (0, 4, 7, 10, 1),
}
_CHORD_RE = re.compile(r"([A-G][#b]?)([a-z0-9#]*)(?:/([A-G][#b]?))?")


@dataclass(frozen=True)
class Chord:
    name: str
    root: int  # pitch class
    intervals: tuple
    bass: int  # pitch class of the lowest note (slash chords)

    @staticmethod
    def parse(name: str) -> "Chord":
        m = _CHORD_RE.fullmatch(name)
        if not m or m.group(2) not in QUALITIES:
            raise ValueError(f"bad chord {name!r}")
        root = pitch_class(m.group(1))
        bass = pitch_class(m.group(3)) if m.group(3) else root
        return Chord(name, root, QUALITIES[m.group(2)], bass)

    @property
    def pcs(self) -> set:
        return {(self.root + i) % 12 for i in self.intervals}

    def degree(self, d: str) -> int:
        """Pitch class of a chord degree: R (bass), 1, 3, 5, 7, 9."""
        if d == "R":
            return self.bass
        if d == "1":
            return self.root
        wanted = {"3": (3, 4, 2, 5), "5": (7, 6, 8), "7": (10, 11, 9), "9": (2, 1)}[d]
        for i in wanted:
            if i in self.intervals:
                return (self.root + i) % 12
        # a chord without that degree: fall back to the plain diatonic one
        return (self.root + {"3": 4, "5": 7, "7": 10, "9": 2}[d]) % 12


@dataclass
class ChordSpan:
    start: Fraction  # beats from the section start
    length: Fraction
    chord: Chord | None  # None: no chord (N.C.)


def parse_chords(text: str, bar: Fraction) -> list[ChordSpan]:
    """Bars split by '|'; plain chords share a bar evenly, 'C:3 G:1' sets beats.

    '-' holds the previous chord on (no new onset), 'NC' is silence.
    """
    spans: list[ChordSpan] = []
    t = Fraction(0)
    for bar_text in text.split("|"):
        tokens = bar_text.split()
        if not tokens:
            continue
        if any(":" in tok for tok in tokens):
            lengths = [dur(tok.split(":")[1]) for tok in tokens]
        else:
            lengths = [bar / len(tokens)] * len(tokens)
        if sum(lengths) != bar:
            raise ValueError(f"chord bar {bar_text!r} is {sum(lengths)} beats, not {bar}")
        for tok, length in zip(tokens, lengths):
            name = tok.split(":")[0]
            if name == "-":
                if not spans:
                    raise ValueError("'-' with no chord before it")
                spans[-1].length += length
            else:
                spans.append(ChordSpan(t, length, None if name == "NC" else Chord.parse(name)))
            t += length
    return spans


def chord_at(spans: list[ChordSpan], t: Fraction) -> tuple[int, ChordSpan]:
    for i, s in enumerate(spans):
        if s.start <= t < s.start + s.length:
            return i, s
    return len(spans) - 1, spans[-1]


_FLAT_NAMES = ["C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"]
_SHARP_NAMES = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]


def transpose_chords(text: str, semitones: int, sharps: bool = False) -> str:
    """The same progression text in another key ('Bb | F/A' up 2: 'C | G/B')."""
    names = _SHARP_NAMES if sharps else _FLAT_NAMES

    def move(m):
        root = names[(pitch_class(m.group(1)) + semitones) % 12]
        bass = "/" + names[(pitch_class(m.group(3)) + semitones) % 12] if m.group(3) else ""
        return root + m.group(2) + bass

    return re.sub(r"(?<![A-Za-z])([A-G][#b]?)([a-z0-9#]*)(?:/([A-G][#b]?))?", move, text)


# ---------------------------------------------------------------- voicing


def _voicings(chord: Chord, n: int, low: int, high: int, root_bottom: bool) -> list[list[int]]:
    pcs = chord.pcs
    out = []
    for bottom in range(low, high + 1):
        if bottom % 12 not in pcs or (root_bottom and bottom % 12 != chord.bass):
            continue
        v = [bottom]
        p = bottom
        while len(v) < n:
            p += 1
            while p % 12 not in pcs:
                p += 1
            v.append(p)
        if v[-1] <= high:
            out.append(v)
    return out


def _colour_penalty(chord: Chord, v: list[int]) -> int:
    """Voicings that leave out the third or the seventh sound hollow; clusters muddy."""
    have = {p % 12 for p in v}
    pen = 0
    for wanted in ((3, 4), (10, 11, 9)):
        tones = [(chord.root + i) % 12 for i in chord.intervals if i in wanted]
        if tones and not any(t in have for t in tones):
            pen += 6
    # a semitone between neighbouring voices (an inverted major seventh) is a cluster
    pen += 4 * sum(1 for a, b in zip(v, v[1:]) if b - a == 1)
    return pen


def voice(chord: Chord, n: int, low: int, high: int, prev: list[int] | None,
          root_bottom: bool = False, spread: bool = False) -> list[int]:
    """Close voicing of n notes in [low, high] nearest the previous voicing."""
    cands = _voicings(chord, n, low, high, root_bottom)
    if not cands:
        raise ValueError(f"no voicing of {chord.name} with {n} notes in {low}..{high}")
    centre = (low + high) / 2

    def cost(v):
        if prev and len(prev) == len(v):
            move = sum(abs(a - b) for a, b in zip(v, prev))
        else:
            move = abs(sum(v) / len(v) - centre) * len(v) / 2
        return move + _colour_penalty(chord, v)

    best = min(cands, key=cost)
    if spread and len(best) >= 3:
        # drop the second voice from the top an octave: an open, orchestral spacing
        best = sorted(best[:-2] + [best[-2] - 12] + best[-1:])
    return best


# ---------------------------------------------------------------- events


@dataclass
class Note:
    start: Fraction  # absolute beats
    length: Fraction
    pitch: int
    vel: int


@dataclass
class Control:
    """A controller change; the status byte (with the channel) is added when written."""
    start: Fraction
    data: bytes  # controller number, value


DYNAMICS = {"ppp": 30, "pp": 42, "p": 55, "mp": 68, "mf": 80, "f": 94, "ff": 108, "fff": 120}

_TOKEN_RE = re.compile(
    r"(?P<pitch>r|[A-G][#b]?-?\d(?:\+[A-G][#b]?-?\d)*)"
    r"(?::(?P<dur>[0-9whqes./t]+))?"
    r"(?P<mods>[>'_~]*)"
    r"(?:\*(?P<rep>\d+))?"
)

KIT = {
    "kick": 36, "kick2": 35, "snare": 38, "esnare": 40, "rim": 37, "clap": 39,
    "hat": 42, "phat": 44, "ohat": 46, "crash": 49, "crash2": 57, "ride": 51,
    "bell": 53, "china": 52, "splash": 55, "ftom": 41, "ftom2": 43, "ltom": 45,
    "mtom": 47, "htom": 48, "htom2": 50, "tamb": 54, "cowbell": 56, "shaker": 70,
    "cabasa": 69, "triangle": 81, "mtriangle": 80, "wood": 76, "lwood": 77,
    "claves": 75, "bongo": 60, "lbongo": 61, "conga": 63, "mconga": 62,
    "lconga": 64, "timbale": 65, "ltimbale": 66, "agogo": 67, "vibraslap": 58,
    "chimes": 84, "castanets": 85, "surdo": 86, "msurdo": 87, "bdrum": 35,
}
_HIT = {"o": 50, "x": 86, "X": 112, "r": 80, "3": 80, "f": 96}


@dataclass
class Section:
    song: "Song"
    label: str
    start: Fraction  # beats
    bars: int

    @property
    def bar(self) -> Fraction:
        return self.song.bar

    @property
    def length(self) -> Fraction:
        return self.bars * self.bar

    @property
    def end(self) -> Fraction:
        return self.start + self.length

    def at(self, bar: float = 0, beat: float = 0) -> Fraction:
        return self.start + Fraction(bar) * self.bar + Fraction(beat)


class Part:
    def __init__(self, song: "Song", name: str, program: int, channel: int, *,
                 vol: int, pan: int, reverb: int, chorus: int, gate: float,
                 vel: int, humanize: int):
        self.song, self.name, self.program, self.channel = song, name, program, channel
        self.vol, self.pan, self.reverb, self.chorus = vol, pan, reverb, chorus
        self.gate, self.vel, self.humanize = gate, vel, humanize
        self.notes: list[Note] = []
        self.controls: list[Control] = []
        self.rng = random.Random(zlib.crc32(f"{song.title}/{name}".encode()))

    @property
    def is_drums(self) -> bool:
        return self.channel == 9

    # -- primitives

    def add(self, start: Fraction, length: Fraction, pitch: int, vel: int, accent: bool = True) -> None:
        if accent:
            vel += self.song.metric_accent(start)
        if self.humanize:
            vel += self.rng.randint(-self.humanize, self.humanize)
        self.notes.append(Note(Fraction(start), Fraction(length), pitch, max(1, min(127, vel))))

    def cc(self, at: Fraction, controller: int, value: int) -> None:
        self.controls.append(Control(Fraction(at), bytes([controller, max(0, min(127, value))])))

    def ramp(self, start: Fraction, length: Fraction, controller: int, v0: int, v1: int, steps: int = 16) -> None:
        """A smooth controller change, e.g. an expression (11) swell."""
        for i in range(steps + 1):
            self.cc(start + length * i / steps, controller, round(v0 + (v1 - v0) * i / steps))

    # -- melody

    def play(self, sec: Section, text: str, *, bar: float = 0, beat: float = 0,
             transpose: int = 0, vel: int | None = None, gate: float | None = None,
             double: int = 0, check: bool = True, under=None, gap: int = 3) -> Fraction:
        """Place a melody; returns its end (absolute beats).

        Tokens: C5:q  C5+E5:h (several notes)  r:e (rest)  mf (dynamics)
        cresc/dim (ramp to the next dynamics mark)  | (bar line, checked).
        Suffixes: > accent, ' staccato, _ full length, ~ tie into the next
        note of the same pitch; *n repeats the token.
        double adds a copy that many semitones away (12: octave above).
        under: the section's chords; each note then becomes the highest chord
        tone at least gap semitones below it (a harmony part from a melody).
        """
        start = sec.at(bar, beat)
        t = Fraction(0)
        d = Fraction(1)
        level = self.vel if vel is None else vel
        gate = self.gate if gate is None else gate
        placed: list[tuple[Note, float, bool]] = []  # note, gate, accented
        ties: dict[int, Note] = {}
        ramp_from: int | None = None  # index into placed where a cresc began
        ramp_level = level
        for tok in text.split():
            if tok == "|":
                phase = (start + t - sec.start) % self.song.bar
                if check and phase != 0:
                    raise ValueError(f"{self.song.title}/{self.name}: bar line off by {phase} beats near "
                                     f"bar {int((start + t - sec.start) // self.song.bar)} of {sec.label}")
                continue
            if tok in DYNAMICS:
                new = DYNAMICS[tok]
                if ramp_from is not None:
                    seg = placed[ramp_from:]
                    for i, (n, _, acc) in enumerate(seg):
                        frac = (i + 1) / (len(seg) + 1)
                        n.vel = round(ramp_level + (new - ramp_level) * frac) + (16 if acc else 0)
                    ramp_from = None
                level = new
                continue
            if tok in ("cresc", "dim"):
                ramp_from, ramp_level = len(placed), level
                continue
            m = _TOKEN_RE.fullmatch(tok)
            if not m:
                raise ValueError(f"{self.song.title}/{self.name}: bad token {tok!r}")
            if m.group("dur"):
                d = dur(m.group("dur"))
            mods = m.group("mods")
            for _ in range(int(m.group("rep") or 1)):
                if m.group("pitch") != "r":
                    pitches = [note(p) + transpose for p in m.group("pitch").split("+")]
                    g = 0.5 if "'" in mods else 1.0 if "_" in mods else gate
                    next_ties = {}
                    for p in pitches:
                        if p in ties:  # continue a tied note
                            n = ties[p]
                            n.length += d
                        else:
                            n = Note(start + t, d, p, level + (16 if ">" in mods else 0))
                            placed.append((n, g, ">" in mods))
                        if "~" in mods:
                            next_ties[p] = n
                    ties = next_ties
                else:
                    ties = {}
                t += d
        if check and (start + t - sec.start) % self.song.bar != 0:
            raise ValueError(f"{self.song.title}/{self.name}: melody in {sec.label} ends off the bar line "
                             f"({(start + t - sec.start) / self.song.bar} bars)")
        if under is not None:
            _, spans = self._spans(sec, under, 0, None)
            for n, _, _ in placed:
                _, span = chord_at(spans, n.start - sec.start)
                if span.chord is not None:
                    pcs = span.chord.pcs
                    n.pitch = next(q for q in range(n.pitch - gap, n.pitch - 14, -1) if q % 12 in pcs)
        for n, g, _ in placed:
            length = n.length * Fraction(g).limit_denominator(100) if g < 1 else n.length
            for shift in (0, double) if double else (0,):
                self.add(n.start, length, n.pitch + shift, n.vel - (10 if shift else 0))
        return start + t

    # -- accompaniment from chords

    def _spans(self, sec: Section, chords, bar: float, bars: int | None) -> tuple[Fraction, list[ChordSpan]]:
        """The chords under bars [bar, bar + bars) of a section, times relative to that window.

        A progression that fills the section a whole number of times is the
        section's own harmony, so a window reads the chords that lie under
        it; any other progression starts at the window and repeats to fill it.
        """
        spans = parse_chords(chords, self.song.bar) if isinstance(chords, str) else chords
        begin = Fraction(bar) * self.song.bar
        total = (sec.bars - Fraction(bar) if bars is None else bars) * self.song.bar
        prog_len = sum(s.length for s in spans)
        aligned = sec.length % prog_len == 0
        if not aligned and bars is None:
            raise ValueError(f"{self.song.title}/{self.name}: progression of {prog_len} beats does not "
                             f"fill {sec.length} beats of {sec.label}")
        origin = begin if not aligned else Fraction(0)
        out = []
        k = 0
        while origin + k * prog_len < begin + total:
            for s in spans:
                t0 = origin + s.start + k * prog_len
                t1 = t0 + s.length
                lo, hi = max(t0, begin), min(t1, begin + total)
                if lo < hi:
                    # a chord cut at the window's start keeps sounding, restruck there
                    out.append(ChordSpan(lo - begin, hi - lo, s.chord))
            k += 1
        return sec.start + begin, out

    def pad(self, sec: Section, chords, *, voices: int = 4, low: int = 52, high: int = 76,
            vel: int | None = None, bar: float = 0, bars: int | None = None,
            spread: bool = False, root_bottom: bool = False) -> None:
        """Sustained, voice-led chords, one onset per chord change."""
        start, spans = self._spans(sec, chords, bar, bars)
        prev = self.song.last_voicing.get(self.name)
        for s in spans:
            if s.chord is None:
                continue
            v = voice(s.chord, voices, low, high, prev, root_bottom, spread)
            prev = v
            for p in v:
                self.add(start + s.start, s.length * Fraction(self.gate).limit_denominator(100),
                         p, vel or self.vel)
        self.song.last_voicing[self.name] = prev

    def comp(self, sec: Section, chords, rhythm: str, *, voices: int = 3, low: int = 55,
             high: int = 76, vel: int | None = None, bar: float = 0, bars: int | None = None,
             strum: int = 0, root_bottom: bool = False, top: int | None = None) -> None:
        """Chord hits on a rhythm of one bar: x hit, X accent, o soft, - hold, . rest.

        strum spreads the notes of a hit by that many ticks upwards.
        top keeps only the highest that many notes (for thin stabs).
        """
        start, spans = self._spans(sec, chords, bar, bars)
        steps = rhythm.replace(" ", "")
        step = self.song.bar / len(steps)
        nbars = int(sum(s.length for s in spans) // self.song.bar)
        prev = self.song.last_voicing.get(self.name)
        for b in range(nbars):
            for i, ch in enumerate(steps):
                if ch not in "xXo":
                    continue
                held = 1
                while i + held < len(steps) and steps[i + held] == "-":
                    held += 1
                t = b * self.song.bar + i * step
                _, span = chord_at(spans, t)
                if span.chord is None:
                    continue
                v = voice(span.chord, voices, low, high, prev, root_bottom)
                prev = v
                hit = v[-top:] if top else v
                level = (vel or self.vel) + {"x": 0, "X": 14, "o": -22}[ch]
                for k, p in enumerate(hit):
                    offset = Fraction(k * strum, TPQ)
                    self.add(start + t + offset, held * step * Fraction(self.gate).limit_denominator(100) - offset,
                             p, level - k * (2 if strum else 0))
        self.song.last_voicing[self.name] = prev

    def arp(self, sec: Section, chords, pattern: str, step: str = "e", *, voices: int = 3,
            low: int = 55, high: int = 72, vel: int | None = None, bar: float = 0,
            bars: int | None = None, hold: float = 1.0) -> None:
        """Broken chords: pattern indexes the voiced chord (0 = lowest, 3 = the
        lowest an octave up when voices=3, ...); '.' is a rest. The pattern
        restarts at each chord change and repeats to fill it."""
        start, spans = self._spans(sec, chords, bar, bars)
        st = dur(step)
        idx = pattern.split()
        prev = self.song.last_voicing.get(self.name)
        for s in spans:
            if s.chord is None:
                continue
            v = voice(s.chord, voices, low, high, prev)
            prev = v
            tones = v + [p + 12 for p in v] + [p + 24 for p in v]
            t = Fraction(0)
            k = 0
            while t < s.length:
                tok = idx[k % len(idx)]
                if tok != ".":
                    length = min(st * Fraction(hold).limit_denominator(100), s.length - t)
                    self.add(start + s.start + t, length * Fraction(self.gate).limit_denominator(100),
                             tones[int(tok)], vel or self.vel)
                t += st
                k += 1
        self.song.last_voicing[self.name] = prev

    def bass(self, sec: Section, chords, pattern: str, *, low: int = 31, vel: int | None = None,
             bar: float = 0, bars: int | None = None) -> None:
        """A bass line from chord degrees, one bar of pattern repeated.

        Degrees: R (chord bass), 1 3 5 7 9 above it, -5 -3 -7 below it,
        8 an octave up, A a semitone below the next chord's bass, S a
        scale step leading to it, r rest. Durations as in melodies.
        """
        start, spans = self._spans(sec, chords, bar, bars)
        items = []
        d = Fraction(1)
        for tok in pattern.split():
            deg, _, rest = tok.partition(":")
            mods = ""
            while rest and rest[-1] in ">'":
                mods += rest[-1]
                rest = rest[:-1]
            while deg and deg[-1] in ">'":
                mods += deg[-1]
                deg = deg[:-1]
            if rest:
                d = dur(rest)
            items.append((deg, d, mods))
        if sum(x[1] for x in items) != self.song.bar:
            raise ValueError(f"{self.song.title}/{self.name}: bass pattern is not one bar")
        nbars = int(sum(s.length for s in spans) // self.song.bar)
        for b in range(nbars):
            t = b * self.song.bar
            for deg, d, mods in items:
                i, span = chord_at(spans, t)
                if deg != "r" and span.chord is not None:
                    ch = span.chord
                    r0 = low + (ch.bass - low) % 12
                    if deg in ("A", "S"):
                        nxt = spans[i + 1].chord if i + 1 < len(spans) and spans[i + 1].chord else ch
                        target = low + (nxt.bass - low) % 12
                        if deg == "A":
                            p = target - 1 if target > r0 or target - 1 < low else target + 1
                        else:
                            p = target - 2 if target >= r0 else target + 2
                    elif deg == "8":
                        p = r0 + 12
                    elif deg.startswith("-"):
                        p = r0 - ((r0 - ch.degree(deg[1:])) % 12 or 12)
                    else:
                        p = r0 + (ch.degree(deg) - r0) % 12
                    g = 0.5 if "'" in mods else self.gate
                    self.add(start + t, d * Fraction(g).limit_denominator(100), p,
                             (vel or self.vel) + (14 if ">" in mods else 0))
                t += d

    # -- drums

    def drums(self, sec: Section, patterns: dict[str, str], *, bar: float = 0,
              bars: int | None = None, vel: int = 0) -> None:
        """Drum patterns: one string per instrument (names in KIT or key
        numbers); a string may span several bars split by '|' and repeats
        to fill the range. x hit, X accent, o ghost, f flam, r roll,
        3 three quick strokes, . rest."""
        start = sec.at(bar)
        nbars = int(sec.bars - Fraction(bar)) if bars is None else bars
        for inst, text in patterns.items():
            key = KIT[inst] if isinstance(inst, str) else inst
            pat_bars = [b.replace(" ", "") for b in text.split("|") if b.strip()]
            for b in range(nbars):
                steps = pat_bars[b % len(pat_bars)]
                step = self.song.bar / len(steps)
                for i, ch in enumerate(steps):
                    if ch == ".":
                        continue
                    if ch not in _HIT:
                        raise ValueError(f"{self.song.title}: bad drum step {ch!r}")
                    t = start + b * self.song.bar + i * step
                    v = _HIT[ch] + vel
                    if ch == "r":  # a short roll filling the step
                        n = max(2, int(step / Fraction(1, 8)))
                        for k in range(n):
                            self.add(t + step * k / n, step / n, key, v - 24 + 24 * k // n, accent=False)
                    elif ch == "3":
                        for k in range(3):
                            self.add(t + step * k / 3, step / 3, key, v - 8 + 6 * k, accent=False)
                    elif ch == "f":
                        self.add(t - Fraction(1, 16), Fraction(1, 16), key, v - 40, accent=False)
                        self.add(t, step, key, v, accent=False)
                    else:
                        self.add(t, min(step, Fraction(1, 2)), key, v, accent=False)


class Song:
    def __init__(self, title: str, bpm: float, meter: tuple[int, int] = (4, 4),
                 key: str = "C", copyright: str = "Tarnwake", gain: float = 0.0):
        """gain: decibels added to every part's channel volume, to level the songs
        against each other (the volume law is 40 log10(v/127) dB)."""
        self.title, self.meter, self.key, self.copyright = title, meter, key, copyright
        self.gain = gain
        self.bar = Fraction(meter[0] * 4, meter[1])
        self.tempos: list[tuple[Fraction, float]] = [(Fraction(0), bpm)]
        self.sections: list[Section] = []
        self.parts: list[Part] = []
        self.last_voicing: dict[str, list[int]] = {}
        self.length = Fraction(0)  # beats; grows with each section
        self.tail = Fraction(0)

    def metric_accent(self, t: Fraction) -> int:
        pos = t % self.bar
        if pos == 0:
            return 6
        beat = Fraction(3, 2) if self.meter[1] == 8 else Fraction(1)
        return 2 if pos % beat == 0 else -2

    def part(self, name: str, program: int, *, channel: int | None = None, vol: int = 100,
             pan: int = 64, reverb: int = 40, chorus: int = 0, gate: float = 0.92,
             vel: int = 84, humanize: int = 5) -> Part:
        if channel is None:
            used = {p.channel for p in self.parts}
            channel = next(c for c in range(16) if c != 9 and c not in used)
        p = Part(self, name, program, channel, vol=vol, pan=pan, reverb=reverb,
                 chorus=chorus, gate=gate, vel=vel, humanize=humanize)
        self.parts.append(p)
        return p

    def drum_part(self, name: str = "Drums", *, vol: int = 100, pan: int = 64,
                  reverb: int = 30, program: int = 0) -> Part:
        return self.part(name, program, channel=9, vol=vol, pan=pan, reverb=reverb, humanize=6)

    def section(self, label: str, bars: int) -> Section:
        s = Section(self, label, self.length, bars)
        self.sections.append(s)
        self.length = s.end
        return s

    def tempo(self, at: Fraction, bpm: float) -> None:
        self.tempos.append((Fraction(at), bpm))

    def ritardando(self, start: Fraction, length: Fraction, bpm0: float, bpm1: float, steps: int = 8) -> None:
        for i in range(steps):
            self.tempo(start + length * i / steps, bpm0 + (bpm1 - bpm0) * (i + 1) / steps)

    def finish(self, tail: float = 0) -> None:
        """tail: beats of silence after the last section, for the last chord's release."""
        self.tail = Fraction(tail)

    @property
    def end(self) -> Fraction:
        return self.length + self.tail

    def seconds(self, upto: Fraction | None = None) -> float:
        """Clock time of a beat position under the tempo map."""
        upto = self.end if upto is None else upto
        tempos = sorted(self.tempos, key=lambda x: x[0])
        total = 0.0
        for i, (t, bpm) in enumerate(tempos):
            if t >= upto:
                break
            nxt = tempos[i + 1][0] if i + 1 < len(tempos) else upto
            total += float(min(nxt, upto) - t) * 60.0 / bpm
        return total

    # ------------------------------------------------------------ writing

    def to_midi(self) -> bytes:
        end_tick = _ticks(self.end)
        tracks = [self._conductor(end_tick)]
        for p in self.parts:
            tracks.append(self._part_track(p, end_tick))
        head = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TPQ)
        return head + b"".join(b"MTrk" + struct.pack(">I", len(t)) + t for t in tracks)

    def _conductor(self, end_tick: int) -> bytes:
        ev = [(0, 0, _meta(0x03, self.title.encode())),
              (0, 0, _meta(0x02, f"(c) {self.copyright}".encode()))]
        num, den = self.meter
        clocks = 36 if den == 8 else 24
        ev.append((0, 1, _meta(0x58, bytes([num, den.bit_length() - 1, clocks, 8]))))
        ev.append((0, 1, _meta(0x59, _key_signature(self.key))))
        for t, bpm in self.tempos:
            ev.append((_ticks(t), 2, _meta(0x51, round(60_000_000 / bpm).to_bytes(3, "big"))))
        for s in self.sections:
            ev.append((_ticks(s.start), 3, _meta(0x06, s.label.encode())))
        return _encode(ev, end_tick)

    def _part_track(self, p: Part, end_tick: int) -> bytes:
        ch = p.channel
        ev = [(0, 0, _meta(0x03, p.name.encode()))]
        if not p.is_drums:
            ev.append((0, 1, bytes([0xC0 | ch, p.program])))
        vol = min(127, round(p.vol * 10 ** (self.gain / 40)))
        for ctl, val in ((7, vol), (10, p.pan), (11, 127), (91, p.reverb), (93, p.chorus)):
            ev.append((0, 1, bytes([0xB0 | ch, ctl, val])))
        for c in p.controls:
            ev.append((_ticks(c.start), 1, bytes([0xB0 | ch]) + c.data))
        # one key on one channel sounds once: cut a note short where the same
        # key starts again, so no note-off ever ends a later note early
        by_key: dict[int, list[Note]] = {}
        for n in p.notes:
            by_key.setdefault(n.pitch, []).append(n)
        for key, notes in by_key.items():
            notes.sort(key=lambda n: n.start)
            ons = [max(0, _ticks(n.start) + (p.rng.randint(-4, 4) if p.humanize and not p.is_drums else 0))
                   for n in notes]
            for i, n in enumerate(notes):
                off = min(end_tick, _ticks(n.start + n.length))
                if i + 1 < len(notes):
                    off = min(off, ons[i + 1])
                if off <= ons[i]:
                    continue
                ev.append((ons[i], 3, bytes([0x90 | ch, key, n.vel])))
                ev.append((off, 2, bytes([0x80 | ch, key, 0])))
        ev.append((end_tick, 4, bytes([0xB0 | ch, 123, 0])))  # all notes off, belt and braces
        return _encode(ev, end_tick)


def _ticks(beats: Fraction) -> int:
    return round(Fraction(beats) * TPQ)


def _vlq(n: int) -> bytes:
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def _meta(kind: int, data: bytes) -> bytes:
    return bytes([0xFF, kind]) + _vlq(len(data)) + data


def _encode(events: list[tuple[int, int, bytes]], end_tick: int) -> bytes:
    """Events as (tick, order, bytes); order sorts same-tick events (offs before ons)."""
    events = sorted(events, key=lambda e: (e[0], e[1]))
    out = bytearray()
    now = 0
    for tick, _, data in events:
        out += _vlq(tick - now) + data
        now = tick
    out += _vlq(end_tick - now) + _meta(0x2F, b"")
    return bytes(out)


_SHARPS = {"C": 0, "G": 1, "D": 2, "A": 3, "E": 4, "B": 5, "F#": 6,
           "F": -1, "Bb": -2, "Eb": -3, "Ab": -4, "Db": -5, "Gb": -6}


def _key_signature(key: str) -> bytes:
    """'Bb' major or 'Em' minor to the key-signature meta bytes."""
    minor = key.endswith("m")
    tonic = key[:-1] if minor else key
    if minor:  # relative major is a minor third up
        tonic = {0: "C", 1: "Db", 2: "D", 3: "Eb", 4: "E", 5: "F", 6: "F#", 7: "G", 8: "Ab",
                 9: "A", 10: "Bb", 11: "B"}[(pitch_class(tonic) + 3) % 12]
    return struct.pack(">bB", _SHARPS[tonic], 1 if minor else 0)


# General MIDI programs (0-based) used by the songs, by name
GM = {
    "piano": 0, "bright_piano": 1, "epiano": 4, "epiano2": 5, "harpsichord": 6, "celesta": 8,
    "glockenspiel": 9, "music_box": 10, "vibraphone": 11, "marimba": 12, "xylophone": 13,
    "tubular_bells": 14, "organ": 16, "church_organ": 19, "accordion": 21, "harmonica": 22,
    "nylon_guitar": 24, "steel_guitar": 25, "clean_guitar": 27, "muted_guitar": 28,
    "overdrive_guitar": 29, "distortion_guitar": 30, "acoustic_bass": 32, "finger_bass": 33,
    "pick_bass": 34, "fretless_bass": 35, "synth_bass": 38, "violin": 40, "viola": 41,
    "cello": 42, "contrabass": 43, "tremolo_strings": 44, "pizzicato": 45, "harp": 46,
    "timpani": 47, "strings": 48, "slow_strings": 49, "synth_strings": 50, "choir": 52,
    "voice_oohs": 53, "trumpet": 56, "trombone": 57, "tuba": 58, "muted_trumpet": 59,
    "french_horn": 60, "brass": 61, "synth_brass": 62, "soprano_sax": 64, "alto_sax": 65,
    "oboe": 68, "english_horn": 69, "bassoon": 70, "clarinet": 71, "piccolo": 72,
    "flute": 73, "recorder": 74, "pan_flute": 75, "whistle": 78, "ocarina": 79,
    "square_lead": 80, "saw_lead": 81, "new_age_pad": 88, "warm_pad": 89, "polysynth": 90,
    "choir_pad": 91, "bowed_pad": 92, "halo_pad": 94, "sweep_pad": 95, "atmosphere": 99,
    "echo_drops": 102, "banjo": 105, "bagpipe": 109, "fiddle": 110, "tinkle_bell": 112,
    "steel_drums": 114, "woodblock": 115, "taiko": 116, "melodic_tom": 117,
    "reverse_cymbal": 119, "seashore": 122,
}

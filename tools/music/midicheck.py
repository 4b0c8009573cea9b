#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the generated MIDI files back and checks them.

An independent reader (it shares no code with the writer): it parses each
file, walks the tempo map, and checks that the file is a type 1 standard MIDI
file, that every track ends with end-of-track, that every note-on is matched
by a note-off, that drums sit on channel 10, and that the length in seconds
matches the designed length in assets/music/tracks.txt.

    python3 tools/music/midicheck.py            # check all, print a table
    python3 tools/music/midicheck.py --render   # also render with fluidsynth
                                                # and measure with sox
"""

import argparse
import os
import re
import struct
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MUSIC = os.path.join(ROOT, "assets", "music")
SOUNDFONT = "/usr/share/sounds/sf2/default-GM.sf2"


def read_vlq(data, i):
    n = 0
    while True:
        b = data[i]
        i += 1
        n = (n << 7) | (b & 0x7F)
        if not b & 0x80:
            return n, i


def parse(path):
    data = open(path, "rb").read()
    if data[:4] != b"MThd":
        raise ValueError("no MThd")
    hlen, fmt, ntracks, division = struct.unpack(">IHHH", data[4:14])
    if hlen != 6 or fmt != 1 or division & 0x8000:
        raise ValueError(f"header: length {hlen} format {fmt} division {division}")
    i = 14
    tracks = []
    for _ in range(ntracks):
        if data[i:i + 4] != b"MTrk":
            raise ValueError("missing MTrk")
        (tlen,) = struct.unpack(">I", data[i + 4:i + 8])
        body = data[i + 8:i + 8 + tlen]
        i += 8 + tlen
        tracks.append(parse_track(body))
    if i != len(data):
        raise ValueError("trailing bytes after the last track")
    return division, tracks


def parse_track(body):
    ev = []
    i = 0
    tick = 0
    status = 0
    ended = False
    while i < len(body):
        if ended:
            raise ValueError("events after end-of-track")
        delta, i = read_vlq(body, i)
        tick += delta
        b = body[i]
        if b == 0xFF:
            kind = body[i + 1]
            n, j = read_vlq(body, i + 2)
            ev.append((tick, "meta", kind, body[j:j + n]))
            i = j + n
            if kind == 0x2F:
                ended = True
            continue
        if b in (0xF0, 0xF7):
            n, j = read_vlq(body, i + 1)
            i = j + n
            continue
        if b & 0x80:
            status = b
            i += 1
        size = 1 if status & 0xF0 in (0xC0, 0xD0) else 2
        ev.append((tick, "midi", status, body[i:i + size]))
        i += size
    if not ended:
        raise ValueError("track without end-of-track")
    return ev


def seconds(division, tracks, tick):
    tempos = sorted((t, int.from_bytes(d, "big")) for t, k, kind, d in tracks[0]
                    if k == "meta" and kind == 0x51)
    if not tempos or tempos[0][0] != 0:
        tempos.insert(0, (0, 500000))
    total = 0.0
    for n, (t, us) in enumerate(tempos):
        if t >= tick:
            break
        nxt = tempos[n + 1][0] if n + 1 < len(tempos) else tick
        total += (min(nxt, tick) - t) * us / division / 1e6
    return total


def check(path):
    """Returns (facts, problems)."""
    problems = []
    division, tracks = parse(path)
    end = max(ev[-1][0] for ev in tracks)
    facts = {"tracks": len(tracks), "seconds": seconds(division, tracks, end), "notes": 0}
    names = []
    drum_notes = 0
    tempos = [60e6 / int.from_bytes(d, "big") for t, k, kind, d in tracks[0] if k == "meta" and kind == 0x51]
    facts["bpm"] = (min(tempos), max(tempos)) if tempos else (120, 120)
    for t in tracks[0]:
        if t[1] == "meta" and t[2] == 0x58:
            facts["metre"] = f"{t[3][0]}/{2 ** t[3][1]}"
    last_note_off = 0
    for n, tr in enumerate(tracks):
        name = [d.decode("latin-1") for _, k, kind, d in tr if k == "meta" and kind == 0x03]
        if not name:
            problems.append(f"track {n} has no name")
        names += name
        sounding = {}
        for tick, k, status, d in tr:
            if k != "midi":
                continue
            kind, ch = status & 0xF0, status & 0x0F
            if kind == 0x90 and d[1] > 0:
                key = (ch, d[0])
                if key in sounding:
                    problems.append(f"track {n}: key {d[0]} struck again while sounding at {tick}")
                sounding[key] = tick
                facts["notes"] += 1
                if ch == 9:
                    drum_notes += 1
            elif kind == 0x80 or (kind == 0x90 and d[1] == 0):
                if sounding.pop((ch, d[0]), None) is None:
                    problems.append(f"track {n}: note-off without note-on (key {d[0]}, tick {tick})")
                last_note_off = max(last_note_off, tick)
        if sounding:
            problems.append(f"track {n}: {len(sounding)} notes never released")
    facts["drum_notes"] = drum_notes
    facts["title"] = names[0] if names else "?"
    if drum_notes == 0:
        problems.append("no drums on channel 10")
    if last_note_off > end:
        problems.append("notes after the end")
    return facts, problems


def design_lengths():
    out = {}
    with open(os.path.join(MUSIC, "tracks.txt")) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                name, secs = line.split()[:2]
                out[name] = float(secs)
    return out


def render(path):
    wav = os.path.join("/tmp", os.path.basename(path)[:-4] + ".render.wav")
    subprocess.run(["fluidsynth", "-ni", "-q", "-F", wav, "-r", "44100", SOUNDFONT, path],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    st = subprocess.run(["sox", wav, "-n", "stats"], capture_output=True, text=True).stderr
    vals = {}
    for line in st.splitlines():
        m = re.match(r"(Pk lev dB|RMS lev dB|Length s)\s+(\S+)", line)
        if m:
            vals[m.group(1)] = float(m.group(2))
    return wav, vals


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--render", action="store_true", help="render with fluidsynth and measure")
    args = ap.parse_args()
    design = design_lengths()
    bad = 0
    print(f"{'file':11} {'title':24} {'metre':5} {'bpm':>9} {'trk':>3} {'notes':>5} {'design':>7} {'midi':>7}"
          + ("  render   peak dB  RMS dB" if args.render else ""))
    for name in sorted(design, key=lambda n: (not n.startswith("game"), n)):
        path = os.path.join(MUSIC, name)
        facts, problems = check(path)
        if abs(facts["seconds"] - design[name]) > 0.05:
            problems.append(f"length {facts['seconds']:.2f} s, designed {design[name]:.2f} s")
        lo, hi = facts["bpm"]
        bpm = f"{lo:.0f}" if round(lo) == round(hi) else f"{lo:.0f}-{hi:.0f}"
        line = (f"{name:11} {facts['title'][:24]:24} {facts.get('metre', '?'):5} {bpm:>9} {facts['tracks']:3} "
                f"{facts['notes']:5} {design[name]:7.2f} {facts['seconds']:7.2f}")
        if args.render:
            _, v = render(path)
            line += f"  {v.get('Length s', 0):6.2f}  {v.get('Pk lev dB', 0):7.2f} {v.get('RMS lev dB', 0):7.2f}"
            if v.get("Pk lev dB", 0) >= -0.1:
                problems.append("rendering clips")
            # fluidsynth's default gain (0.2) leaves a full arrangement near -30 dB RMS
            if v.get("RMS lev dB", -99) < -36:
                problems.append("rendering very quiet")
        print(line)
        for p in problems:
            print(f"    PROBLEM: {p}")
        bad += bool(problems)
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()

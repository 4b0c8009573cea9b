# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's 17 sound effects: five recipes and the parameters of each effect.

Each entry of EFFECTS names a recipe and its parameters; `render(name)`
builds the finished signal. Times are seconds, frequencies Hz, levels are
linear before the final normalisation to -1 dBFS.
"""

from __future__ import annotations

import random
import zlib

from synth import (bubbles, biquad, brown, crackle, decay, envelope, finish, glide, mix_into,
                   mul, partials, reverb, silence, sine, softclip, voice, white)

# ---------------------------------------------------------------- recipes


def blast(p: dict, rng: random.Random) -> list[float]:
    """An explosion: crack, a falling low thump, a noise body whose
    brightness falls away, and a rumble; optional debris, metal groan and
    further blasts for the heavy ones."""
    length = p["length"]
    out = silence(length)
    for at, level in [(0.0, 1.0)] + p.get("more", []):
        one = silence(length - at)
        # the thump: a sine dropping in pitch, the weight of the hit
        f0, f1, glide_t, tau = p["thump"]
        mix_into(one, mul(sine(length - at, glide(f0, f1, glide_t)), decay(length - at, 0.003, tau)),
                 level=p.get("thump_level", 1.0))
        # the body: noise through a low-pass whose cutoff sinks
        c0, c1, sweep_t, btau = p["body"]
        body = biquad(white(length - at, rng), "lowpass", glide(c0, c1, sweep_t), 0.9)
        mix_into(one, mul(body, decay(length - at, p.get("attack", 0.004), btau)), level=p.get("body_level", 1.2))
        # the crack: a short bright burst at the very start
        crack_len, crack_level = p.get("crack", (0.02, 0.5))
        crack = biquad(white(crack_len, rng), "highpass", 2500.0, 0.7)
        mix_into(one, mul(crack, decay(crack_len, 0.0005, crack_len / 3)), level=crack_level)
        # the rumble: deep, slow-dying brown noise
        rcut, rtau, rlevel = p.get("rumble", (180.0, 0.4, 0.8))
        rumble = biquad(brown(length - at, rng), "lowpass", rcut, 0.7)
        mix_into(one, mul(rumble, decay(length - at, 0.02, rtau)), level=rlevel * 4)
        mix_into(out, one, at, level)
    if "debris" in p:
        rate0, rate_tau, band, level = p["debris"]
        bits = crackle(length, rng, lambda t: rate0 * 2.718 ** (-t / rate_tau))
        bits = biquad(bits, "bandpass", band, 1.2)
        mix_into(out, mul(bits, envelope(length, [(0, 0), (0.05, 1), (length, 0.2)])), level=level)
    if "groan" in p:
        f, ratios, bend_to, level = p["groan"]
        metal = partials(length, [(f * r, 1.0 / (1 + i), 0.6 + 0.2 * i) for i, r in enumerate(ratios)],
                         glide(1.0, bend_to, length), rng)
        metal = biquad(metal, "bandpass", glide(f * 3, f * 1.5, length), 0.8)
        swell = envelope(length, [(0, 0), (0.15, 0.2), (0.45, 1.0), (length, 0.3)])
        mix_into(out, mul(metal, swell), level=level)
    out = softclip(out, p.get("drive", 1.5))
    wet = p.get("reverb", 0.25)
    return reverb(out, size=p.get("room", 1.0), wet=wet) if wet else out


def splash(p: dict, rng: random.Random) -> list[float]:
    """A shell into water: a plop, a rush of spray and a bubbling tail."""
    length = p["length"]
    out = silence(length)
    f0, f1, plop_t, plop_level = p["plop"]
    mix_into(out, mul(sine(plop_t * 3, glide(f0, f1, plop_t)), decay(plop_t * 3, 0.002, plop_t)), level=plop_level)
    c0, c1, sweep_t, tau = p["splash"]
    body = biquad(white(length, rng), "bandpass", glide(c0, c1, sweep_t), 0.8)
    mix_into(out, mul(body, decay(length, 0.006, tau)), level=2.2)
    spray_cut, spray_tau, spray_level = p["spray"]
    spray = biquad(white(length, rng), "highpass", spray_cut, 0.7)
    mix_into(out, mul(spray, envelope(length, [(0, 0), (0.03, 1), (0.08, 0.8), (0.08 + spray_tau * 3, 0)])),
             level=spray_level)
    # the water falling back: a second, softer wash
    back_at, back_level = p.get("fallback", (0.25, 0.5))
    wash = biquad(white(length - back_at, rng), "bandpass", glide(1800, 600, 0.4), 0.7)
    mix_into(out, mul(wash, envelope(length - back_at, [(0, 0), (0.06, 1), (0.5, 0)])), back_at, back_level)
    # droplets raining back: short, high, quickly damped blips
    for _ in range(p.get("drops", 8)):
        at = rng.uniform(0.08, 0.45)
        f = rng.uniform(1800, 3600)
        drop = mul(sine(0.03, glide(f, f * 1.25, 0.03)), decay(0.03, 0.001, 0.008))
        mix_into(out, drop, at, rng.uniform(0.15, 0.35))
    # the bubbling tail, after the rush has died down
    count, start, span, f_range, level = p["bubbles"]
    times = sorted(start + span * rng.random() ** 1.3 for _ in range(count))
    mix_into(out, bubbles(length, rng, times, f_range), level=level)
    return reverb(out, size=0.7, wet=p.get("reverb", 0.2))


def laugh(p: dict, rng: random.Random) -> list[float]:
    """A mocking 'ha-ha-ha': breathy h then a voiced 'a' per syllable,
    the pitch falling syllable by syllable."""
    length = p["length"]
    out = silence(length)
    formants = p["vowel"]
    for at, dur, f_start, f_end, level in p["syllables"]:
        # the h: breath noise through the vowel's first two formants
        h_len = 0.05
        breath = white(h_len + dur * 0.3, rng)
        breath = biquad(breath, "bandpass", formants[0][0], 2.0)
        breath = [a + b for a, b in zip(breath, biquad(white(h_len + dur * 0.3, rng), "bandpass",
                                                          formants[1][0], 3.0))]
        breath = biquad(breath, "lowpass", 3500.0, 0.7)
        mix_into(out, mul(breath, envelope(h_len + dur * 0.3, [(0, 0), (0.015, 1), (h_len, 0.7),
                                                                (h_len + dur * 0.3, 0)])),
                 at, level * 0.35)
        # the a: voiced, with a little vibrato and a fall inside the syllable
        v = voice(dur, glide(f_start, f_end, dur), formants, tilt=1.0, vibrato=(7.0, 0.015))
        env = envelope(dur, [(0, 0), (0.03, 1.0), (dur * 0.6, 0.85), (dur, 0)])
        mix_into(out, mul(v, env), at + h_len * 0.6, level)
    return reverb(out, size=0.5, wet=0.12)


def gong(p: dict, rng: random.Random) -> list[float]:
    """A struck gong: a mallet thud, dense inharmonic partials that beat
    against slightly detuned twins, upper partials blooming after the strike."""
    length = p["length"]
    base = p["base"]
    low, high = [], []
    for i, (ratio, amp, tau) in enumerate(p["partials"]):
        for detune in (0.0, p["beat"] * (1 + 0.3 * i)):
            (low if ratio < 3 else high).append((base * ratio + detune, amp, tau))
    # above the named partials, a dense random cluster: the shimmer of the metal
    count, lo, hi, tau, level = p["shimmer"]
    for _ in range(count):
        f = lo * (hi / lo) ** rng.random()
        high.append((f, level * (lo / f) ** 0.5, tau * rng.uniform(0.6, 1.2)))
    sound = partials(length, low, glide(1.0, p["bend"], length), rng)
    shimmer = partials(length, high, glide(1.0, p["bend"], length), rng)
    bloom = p["bloom"]
    mix_into(sound, mul(shimmer, envelope(length, [(0, 0.25), (bloom, 1.0), (length, 1.0)])))
    out = mul(sound, decay(length, 0.004, p["tau"]))
    thud = biquad(white(0.08, rng), "lowpass", 400.0, 0.7)
    mix_into(out, mul(thud, decay(0.08, 0.002, 0.02)), level=p["mallet"])
    return reverb(out, size=1.2, wet=0.25)


def chime(p: dict, rng: random.Random) -> list[float]:
    """Bell-like notes one after the other (a soft attack, a few partials)."""
    length = p["length"]
    out = silence(length)
    for at, freq, level in p["notes"]:
        tone = partials(length - at, [(freq, 1.0, p["tau"]), (freq * 2.0, 0.35, p["tau"] * 0.5),
                                      (freq * 3.0, 0.12, p["tau"] * 0.3), (freq * 4.2, 0.06, p["tau"] * 0.2)])
        mix_into(out, mul(tone, decay(length - at, 0.004, 10.0)), at, level)
    return reverb(out, size=0.8, wet=0.22)


RECIPES = {"blast": blast, "splash": splash, "laugh": laugh, "gong": gong, "chime": chime}

# ---------------------------------------------------------------- the effects

# vowel 'a' of a low male voice: (centre Hz, bandwidth Hz, gain)
VOWEL_A = [(730, 110, 1.0), (1150, 120, 0.55), (2500, 200, 0.22), (3400, 300, 0.08)]

EFFECTS = {
    "laugh": ("laugh", dict(length=1.45, vowel=VOWEL_A, syllables=[
        # start, length, pitch at start and end, level: HA-ha-ha-ha-haaa
        (0.00, 0.17, 230, 205, 1.0),
        (0.23, 0.13, 200, 182, 0.85),
        (0.42, 0.13, 185, 168, 0.8),
        (0.61, 0.13, 170, 152, 0.75),
        (0.80, 0.42, 160, 112, 0.8),
    ])),
    # hits: six explosions of different size, pitch and grain
    "explos1": ("blast", dict(length=0.9, thump=(110, 42, 0.25, 0.16), body=(5000, 350, 0.35, 0.14),
                              rumble=(170, 0.3, 0.7), drive=1.6)),
    "explos2": ("blast", dict(length=1.1, thump=(90, 35, 0.35, 0.22), body=(3500, 250, 0.5, 0.2),
                              rumble=(140, 0.3, 1.0), crack=(0.03, 0.7), drive=2.0)),
    "explos3": ("blast", dict(length=0.8, thump=(140, 55, 0.15, 0.1), body=(7000, 600, 0.25, 0.1),
                              crack=(0.015, 0.9), rumble=(220, 0.2, 0.5), drive=1.3, reverb=0.3)),
    "explos4": ("blast", dict(length=1.2, thump=(100, 38, 0.3, 0.18), body=(4500, 300, 0.45, 0.17),
                              rumble=(160, 0.4, 0.9), more=[(0.16, 0.55)], drive=1.8)),
    "explos5": ("blast", dict(length=1.0, thump=(75, 30, 0.4, 0.25), body=(2500, 200, 0.6, 0.22),
                              attack=0.012, rumble=(120, 0.28, 0.8), crack=(0.01, 0.3), drive=2.4)),
    "explos6": ("blast", dict(length=0.95, thump=(120, 45, 0.2, 0.14), body=(6000, 400, 0.3, 0.15),
                              rumble=(200, 0.3, 0.7), debris=(60, 0.2, 3500, 0.5), drive=1.5)),
    # destruction: longer and deeper, with debris and groaning metal
    "destroy1": ("blast", dict(fade=0.45, length=1.45, thump=(70, 26, 0.5, 0.35), body=(3500, 160, 0.8, 0.35),
                               rumble=(120, 0.45, 1.4), debris=(90, 0.35, 3000, 0.7),
                               groan=(95, [1, 2.76, 5.4, 8.9], 0.82, 0.35), drive=2.2, room=1.3)),
    "destroy2": ("blast", dict(fade=0.45, length=1.45, thump=(80, 28, 0.45, 0.3), body=(4000, 200, 0.7, 0.3),
                               rumble=(130, 0.4, 1.2), more=[(0.22, 0.7), (0.5, 0.45)],
                               debris=(70, 0.4, 4000, 0.6), drive=2.0, room=1.3)),
    "destroy3": ("blast", dict(fade=0.45, length=1.45, thump=(60, 24, 0.6, 0.4), body=(3000, 150, 0.9, 0.4),
                               attack=0.01, rumble=(100, 0.5, 1.6), groan=(70, [1, 2.3, 4.1, 6.6], 0.7, 0.5),
                               debris=(40, 0.5, 2500, 0.5), drive=2.6, room=1.4)),
    "destroy4": ("blast", dict(fade=0.45, length=1.4, thump=(90, 30, 0.4, 0.3), body=(5000, 220, 0.6, 0.28),
                               crack=(0.03, 0.8), rumble=(150, 0.4, 1.1), more=[(0.35, 0.8)],
                               debris=(120, 0.3, 3600, 0.8), groan=(120, [1, 2.76, 5.4], 0.75, 0.25),
                               drive=2.0, room=1.2)),
    "destroy5": ("blast", dict(fade=0.45, length=1.45, thump=(65, 25, 0.55, 0.38), body=(3200, 180, 0.85, 0.36),
                               rumble=(110, 0.45, 1.5), more=[(0.12, 0.5), (0.3, 0.6), (0.62, 0.35)],
                               debris=(80, 0.45, 2800, 0.6), drive=2.3, room=1.4)),
    # misses: shells into the water
    "wrong1": ("splash", dict(length=1.1, plop=(380, 140, 0.03, 0.8), splash=(2800, 800, 0.2, 0.07),
                              spray=(4000, 0.05, 0.35), fallback=(0.22, 0.35),
                              bubbles=(22, 0.18, 0.7, (450, 1200), 1.0))),
    "wrong2": ("splash", dict(length=1.25, plop=(300, 110, 0.04, 1.0), splash=(2400, 650, 0.25, 0.09),
                              spray=(3500, 0.07, 0.45), fallback=(0.28, 0.45), drops=12,
                              bubbles=(28, 0.2, 0.85, (380, 1000), 1.0))),
    "wrong3": ("splash", dict(length=1.0, plop=(450, 170, 0.025, 0.7), splash=(3300, 1000, 0.16, 0.06),
                              spray=(4500, 0.05, 0.3), fallback=(0.18, 0.3), drops=6,
                              bubbles=(18, 0.14, 0.6, (600, 1500), 0.9))),
    "gong": ("gong", dict(length=1.48, base=118, tau=0.9, bend=0.985, beat=0.9, mallet=0.6,
                          shimmer=(40, 900, 5000, 0.45, 0.22), bloom=0.18, partials=[
        # ratio, amplitude, decay time constant
        (1.00, 1.00, 1.4), (1.47, 0.75, 1.1), (2.03, 0.6, 0.9), (2.56, 0.5, 0.8), (2.92, 0.45, 0.7),
        (3.58, 0.4, 0.6), (4.21, 0.33, 0.5), (4.86, 0.28, 0.45), (5.47, 0.22, 0.4), (6.30, 0.18, 0.35),
        (7.16, 0.14, 0.3), (8.07, 0.1, 0.25),
    ])),
    # G5, B5, D6: a rising major arpeggio
    "connect": ("chime", dict(length=1.1, tau=0.35, notes=[(0.0, 783.99, 0.8), (0.11, 987.77, 0.8),
                                                            (0.22, 1174.66, 1.0)])),
}

ORDER = ["laugh"] + [f"explos{i}" for i in range(1, 7)] + [f"destroy{i}" for i in range(1, 6)] + \
        [f"wrong{i}" for i in range(1, 4)] + ["gong", "connect"]


# Every effect peaks here. The game mixes an effect with its music in the
# sound server: the tracks peak at up to -9 dBFS (0.36) at the synthesizer's
# default gain, so an effect at -7 dBFS (0.45) stays a couple of dB above
# the loudest track and well above the others, and the two together stay
# under -1 dBFS (0.89) even after the server resamples the effect's 22050 Hz
# to its own rate, which adds about 5 % to the peak.
PEAK_DB = -7.0

# the closing fade of each recipe: long enough that a tail dies away
# rather than stops (the heavy blasts still rumble when their time is up)
FADES = {"blast": 0.3, "splash": 0.2, "laugh": 0.1, "gong": 0.3, "chime": 0.25}


def render(name: str) -> list[float]:
    recipe, params = EFFECTS[name]
    rng = random.Random(zlib.crc32(name.encode()))
    fade = params.get("fade", FADES[recipe])
    return finish(RECIPES[recipe](params, rng), peak_db=PEAK_DB, fade_out=fade)

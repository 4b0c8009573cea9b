# SPDX-License-Identifier: GPL-3.0-or-later
"""Small signal toolkit for the game's sound effects (standard library only).

Signals are plain lists of floats at RATE samples per second, nominally in
-1..1. Parameters that change over time (a filter sweep, a pitch glide) are
given as functions of the time in seconds. Everything that draws random
numbers takes a random.Random, so each effect is reproducible from its seed.
"""

from __future__ import annotations

import math
import random
import struct
import wave
from typing import Callable, Sequence

RATE = 22050
TAU = 2 * math.pi

Curve = Callable[[float], float]


def samples(seconds: float) -> int:
    return int(round(seconds * RATE))


def const(v: float) -> Curve:
    return lambda t: v


def glide(v0: float, v1: float, seconds: float, shape: str = "exp") -> Curve:
    """v0 to v1 over `seconds` (exponentially by default, which is how
    pitches and filter cutoffs sound even), then v1."""
    def f(t: float) -> float:
        a = min(1.0, max(0.0, t / seconds))
        if shape == "exp":
            return v0 * (v1 / v0) ** a
        return v0 + (v1 - v0) * a
    return f


# ---------------------------------------------------------------- sources


def silence(seconds: float) -> list[float]:
    return [0.0] * samples(seconds)


def white(seconds: float, rng: random.Random) -> list[float]:
    return [rng.uniform(-1.0, 1.0) for _ in range(samples(seconds))]


def brown(seconds: float, rng: random.Random, leak: float = 0.996) -> list[float]:
    """Integrated noise: a deep rumble. Scaled to roughly unit peak."""
    out, y = [], 0.0
    for _ in range(samples(seconds)):
        y = leak * y + rng.uniform(-1.0, 1.0) * 0.06
        out.append(y)
    return out


def sine(seconds: float, freq: Curve, phase: float = 0.0) -> list[float]:
    """A sine whose frequency follows freq(t) (phase-continuous)."""
    out = []
    for i in range(samples(seconds)):
        out.append(math.sin(phase))
        phase += TAU * freq(i / RATE) / RATE
    return out


def partials(seconds: float, parts: Sequence[tuple[float, float, float]], bend: Curve = const(1.0),
             rng: random.Random | None = None) -> list[float]:
    """Inharmonic partials (freq Hz, amplitude, decay time constant s), all
    scaled by bend(t); phases random when rng is given."""
    n = samples(seconds)
    out = [0.0] * n
    for freq, amp, tau in parts:
        if freq >= RATE / 2:
            continue
        ph = rng.uniform(0, TAU) if rng else 0.0
        k = math.exp(-1.0 / (tau * RATE))
        a = amp
        for i in range(n):
            out[i] += a * math.sin(ph)
            ph += TAU * freq * bend(i / RATE) / RATE
            a *= k
    return out


def voice(seconds: float, f0: Curve, formants: Sequence[tuple[float, float, float]],
          tilt: float = 1.2, vibrato: tuple[float, float] = (0.0, 0.0)) -> list[float]:
    """A sung vowel by additive synthesis: the harmonics of f0 weighted by a
    spectral envelope of formant peaks (centre Hz, bandwidth Hz, gain).

    tilt is the source roll-off (amplitude ~ 1/k**tilt); vibrato is (rate Hz,
    depth as a fraction of f0). The harmonic weights follow the pitch every
    64 samples, so a glide keeps its vowel.
    """
    n = samples(seconds)
    out = [0.0] * n
    rate, depth = vibrato

    def envelope(f: float) -> float:
        return sum(g / (1.0 + ((f - c) / (bw / 2)) ** 2) for c, bw, g in formants)

    kmax = int(RATE / 2 / 80)
    phases = [0.0] * (kmax + 1)
    block = 64
    for start in range(0, n, block):
        t = start / RATE
        f = f0(t) * (1.0 + depth * math.sin(TAU * rate * t))
        weights = []
        for k in range(1, kmax + 1):
            fk = k * f
            weights.append(0.0 if fk > RATE / 2 - 500 else envelope(fk) / k ** tilt)
        for i in range(start, min(n, start + block)):
            s = 0.0
            for k, w in enumerate(weights, 1):
                if w:
                    s += w * math.sin(phases[k])
                    phases[k] += TAU * k * f / RATE
            out[i] = s
    return out


# ---------------------------------------------------------------- filters


def biquad(x: list[float], kind: str, freq: Curve | float, q: Curve | float = 0.707,
           block: int = 32) -> list[float]:
    """RBJ cookbook lowpass/highpass/bandpass with cutoff and Q following
    curves of time; coefficients are refreshed every `block` samples."""
    fq = freq if callable(freq) else const(freq)
    qq = q if callable(q) else const(q)
    y = [0.0] * len(x)
    x1 = x2 = y1 = y2 = 0.0
    for start in range(0, len(x), block):
        t = start / RATE
        f = min(max(fq(t), 10.0), RATE * 0.45)
        w = TAU * f / RATE
        alpha = math.sin(w) / (2 * qq(t))
        cw = math.cos(w)
        if kind == "lowpass":
            b0, b1, b2 = (1 - cw) / 2, 1 - cw, (1 - cw) / 2
        elif kind == "highpass":
            b0, b1, b2 = (1 + cw) / 2, -(1 + cw), (1 + cw) / 2
        elif kind == "bandpass":  # peak gain 1
            b0, b1, b2 = alpha, 0.0, -alpha
        else:
            raise ValueError(kind)
        a0, a1, a2 = 1 + alpha, -2 * cw, 1 - alpha
        b0, b1, b2, a1, a2 = b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0
        for i in range(start, min(len(x), start + block)):
            xi = x[i]
            yi = b0 * xi + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
            x2, x1, y2, y1 = x1, xi, y1, yi
            y[i] = yi
    return y


def reverb(x: list[float], size: float = 1.0, damp: float = 0.4, wet: float = 0.3) -> list[float]:
    """A small Schroeder reverb (four damped combs, two allpasses); the
    output keeps the input's length, so the tail must fit inside it."""
    combs = [int(d * size) for d in (1116, 1188, 1277, 1356)]
    combs = [c * RATE // 44100 for c in combs]
    fb = 0.78
    wet_sig = [0.0] * len(x)
    for d in combs:
        buf = [0.0] * d
        idx, lp = 0, 0.0
        for i, xi in enumerate(x):
            out = buf[idx]
            lp = out * (1 - damp) + lp * damp
            buf[idx] = xi + lp * fb
            idx = (idx + 1) % d
            wet_sig[i] += out / 4
    for d in (556 * RATE // 44100, 225 * RATE // 44100):
        buf = [0.0] * d
        idx = 0
        for i in range(len(wet_sig)):
            b = buf[idx]
            v = wet_sig[i]
            buf[idx] = v + b * 0.5
            wet_sig[i] = b - v
            idx = (idx + 1) % d
    return [a * (1 - wet) + b * wet for a, b in zip(x, wet_sig)]


# ---------------------------------------------------------------- shaping


def envelope(seconds: float, points: Sequence[tuple[float, float]]) -> list[float]:
    """Piecewise-linear envelope through (time s, level) points."""
    out = []
    pts = list(points)
    j = 0
    for i in range(samples(seconds)):
        t = i / RATE
        while j + 1 < len(pts) and pts[j + 1][0] <= t:
            j += 1
        if j + 1 >= len(pts):
            out.append(pts[-1][1])
            continue
        (t0, v0), (t1, v1) = pts[j], pts[j + 1]
        out.append(v0 if t < t0 else v0 + (v1 - v0) * (t - t0) / (t1 - t0))
    return out


def decay(seconds: float, attack: float, tau: float, hold: float = 0.0) -> list[float]:
    """Linear attack, optional hold, then exponential decay with time constant tau."""
    out = []
    for i in range(samples(seconds)):
        t = i / RATE
        if t < attack:
            out.append(t / attack)
        elif t < attack + hold:
            out.append(1.0)
        else:
            out.append(math.exp(-(t - attack - hold) / tau))
    return out


def mul(a: list[float], b: list[float]) -> list[float]:
    return [x * y for x, y in zip(a, b)]


def gain(a: list[float], g: float) -> list[float]:
    return [x * g for x in a]


def mix_into(dest: list[float], src: list[float], at: float = 0.0, level: float = 1.0) -> list[float]:
    """Adds src into dest starting at `at` seconds (cut at dest's end)."""
    off = samples(at)
    for i, v in enumerate(src):
        if off + i >= len(dest):
            break
        dest[off + i] += v * level
    return dest


def softclip(a: list[float], drive: float) -> list[float]:
    """tanh saturation: grit and weight on a blast, evenly on both halves."""
    k = math.tanh(drive)
    return [math.tanh(drive * x) / k for x in a]


def crackle(seconds: float, rng: random.Random, density: Curve, length: float = 0.004) -> list[float]:
    """Sparse random clicks (debris); density(t) is clicks per second."""
    n = samples(seconds)
    out = [0.0] * n
    click = samples(length)
    i = 0
    while i < n:
        rate = max(density(i / RATE), 1e-3)
        i += max(1, int(rng.expovariate(rate) * RATE))
        if i >= n:
            break
        amp = rng.uniform(0.3, 1.0) * rng.choice((-1, 1))
        for k in range(min(click, n - i)):
            out[i + k] += amp * math.exp(-k / (click / 3)) * rng.uniform(-1, 1)
    return out


def bubbles(seconds: float, rng: random.Random, times: Sequence[float],
            f_range: tuple[float, float] = (500, 1400)) -> list[float]:
    """Bubble blips: short sines whose pitch rises as they decay (a popping
    bubble), one at each time, quieter as time goes on."""
    out = [0.0] * samples(seconds)
    for t in times:
        f = rng.uniform(*f_range)
        life = rng.uniform(0.025, 0.06)
        amp = rng.uniform(0.4, 1.0) * math.exp(-t / 0.8)
        blip = sine(life, glide(f, f * rng.uniform(1.3, 1.9), life))
        env = decay(life, 0.002, life / 3)
        mix_into(out, mul(blip, env), t, amp)
    return out


# ---------------------------------------------------------------- finishing


def finish(x: list[float], peak_db: float = -1.0, fade_in: float = 0.002, fade_out: float = 0.04) -> list[float]:
    """Ready for the game: no DC, no click at either end, peak at peak_db."""
    # a gentle high-pass (about 20 Hz) takes out DC and sub-audio drift
    y = biquad(x, "highpass", 20.0, 0.6)
    nin, nout = samples(fade_in), samples(fade_out)
    shape = [1.0] * len(y)
    for i in range(min(nin, len(y))):
        shape[i] = i / nin
    for i in range(min(nout, len(y))):
        # raised-cosine tail to exact zero
        shape[len(y) - 1 - i] = 0.5 - 0.5 * math.cos(math.pi * i / nout)
    y = [v * w for v, w in zip(y, shape)]
    # what offset is left goes out in the same shape, so both ends stay at zero
    c = sum(y) / sum(shape)
    y = [v - c * w for v, w in zip(y, shape)]
    peak = max(abs(v) for v in y) or 1.0
    g = 10 ** (peak_db / 20) / peak
    return [v * g for v in y]


def write_wav(path: str, x: list[float], rate: int = RATE) -> None:
    """16-bit PCM mono; values are rounded and clamped, never wrapped."""
    frames = struct.pack(f"<{len(x)}h", *(max(-32767, min(32767, int(round(v * 32767)))) for v in x))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)

#!/usr/bin/python3
"""Synthesise the sound effects in res/sfx/ (mono, 44100 Hz, Ogg Vorbis).

All effects share the music's key (D) and its bell/square timbres, so they
sit together with the soundtrack.

Usage: gen_sfx.py OUTDIR
"""
import os
import sys

import numpy as np

from synth import (RATE, additive, exp_env, fade, fft_filter, noise, normalise,
                   phase_of, saw_partials, seconds, square_partials, write_ogg)


def note(name):
    """Frequency of a note such as 'D5' or 'F#4' (equal temperament)."""
    names = {"C": -9, "C#": -8, "D": -7, "D#": -6, "E": -5, "F": -4, "F#": -3,
             "G": -2, "G#": -1, "A": 0, "A#": 1, "Bb": 1, "B": 2}
    pitch, octave = name[:-1], int(name[-1])
    return 440.0 * 2 ** ((names[pitch] + 12 * (octave - 4)) / 12)


def bell(freq, dur, tau, bright=1.0):
    """A struck glassy bell: a few inharmonic partials, high ones die fast."""
    n = seconds(dur)
    t = np.arange(n) / RATE
    out = np.zeros(n)
    for ratio, amp, decay in ((1.0, 1.0, 1.0), (2.0, 0.35 * bright, 0.6),
                              (2.76, 0.22 * bright, 0.35), (5.4, 0.10 * bright, 0.18)):
        f = freq * ratio
        if f < 18000:
            out += amp * np.sin(2 * np.pi * f * t) * np.exp(-t / (tau * decay))
    a = seconds(0.003)
    out[:a] *= np.linspace(0, 1, a, endpoint=False)
    return out


def place(dst, src, at):
    """Mix `src` into `dst` starting at time `at` seconds."""
    i = seconds(at)
    j = min(len(dst), i + len(src))
    dst[i:j] += src[:j - i]


def collide(rng):
    """Bright pop/zap: a fast upward squarish sweep over a noise snap."""
    dur = 0.26
    n = seconds(dur)
    t = np.arange(n) / RATE
    f = 520.0 * np.exp(np.minimum(t, 0.07) / 0.07 * np.log(2400.0 / 520.0))
    ph = phase_of(f)
    zap = additive(ph, f, square_partials(6, 0.8)) * exp_env(n, 0.055, 0.001)
    sparkle = np.sin(2 * np.pi * note("A6") * t) * exp_env(n, 0.07, 0.004) * 0.35
    sparkle += np.sin(2 * np.pi * note("D7") * t) * exp_env(n, 0.05, 0.004) * 0.2
    snap = fft_filter(noise(rng, n), low=1500) * exp_env(n, 0.012, 0.0005) * 0.8
    return fade(zap * 0.8 + sparkle + snap, 0.0015, 0.03)


def hurt(rng):
    """Low harsh hit: falling distorted saw, body thump and a noisy crunch."""
    dur = 0.5
    n = seconds(dur)
    t = np.arange(n) / RATE
    f = 45.0 + 75.0 * np.exp(-t / 0.09)
    ph = phase_of(f)
    saw = additive(ph, f, saw_partials(40, 0.97))
    grit = np.tanh(3.5 * saw) * exp_env(n, 0.16, 0.002)
    thump = np.sin(phase_of(38.0 + 60.0 * np.exp(-t / 0.05))) * exp_env(n, 0.14, 0.001)
    crunch = fft_filter(noise(rng, n), low=200, high=2500) * exp_env(n, 0.06, 0.001)
    mix = 0.55 * grit + 0.9 * thump + 0.7 * crunch
    mix = fft_filter(mix, high=4000)
    return fade(mix, 0.0005, 0.06)


def level(rng):
    """Rising arpeggio chime over the D major-pentatonic."""
    notes = ["D5", "F#5", "A5", "B5", "D6"]
    step = 0.085
    dur = step * (len(notes) - 1) + 0.6
    out = np.zeros(seconds(dur))
    for i, nm in enumerate(notes):
        last = i == len(notes) - 1
        place(out, bell(note(nm), dur - i * step, 0.26 if last else 0.2), i * step)
    # a soft shimmer under the final note
    t = np.arange(len(out)) / RATE
    shimmer = (np.sin(2 * np.pi * note("A6") * t) * 0.5 + np.sin(2 * np.pi * note("D7") * t) * 0.3)
    env = np.clip((t - step * 4) / 0.05, 0, 1) * np.exp(-np.maximum(t - step * 4, 0) / 0.25)
    out += 0.12 * shimmer * env
    # short echo makes it sparkle a little
    echo = np.zeros_like(out)
    d = seconds(0.11)
    echo[d:] = out[:-d] * 0.28
    return fade(out + echo, 0.001, 0.12)


def warning(rng):
    """Two-tone alert blip (high, then a fourth lower)."""
    dur = 0.26
    out = np.zeros(seconds(dur))
    for at, nm in ((0.0, "A5"), (0.11, "E5")):
        n = seconds(0.1)
        t = np.arange(n) / RATE
        f = note(nm)
        tone = additive(2 * np.pi * f * t, f, square_partials(5, 0.7))
        env = np.minimum(1.0, t / 0.004) * np.clip((0.1 - t) / 0.02, 0.0, 1.0)
        place(out, tone * env, at)
    return fade(out, 0.001, 0.01)


def hover(rng):
    """A tiny soft tick."""
    dur = 0.06
    n = seconds(dur)
    t = np.arange(n) / RATE
    tick = np.sin(2 * np.pi * 1760.0 * t) * exp_env(n, 0.010, 0.001)
    tick += 0.3 * np.sin(2 * np.pi * 3520.0 * t) * exp_env(n, 0.005, 0.001)
    return fade(tick, 0.0005, 0.01)


def select(rng):
    """Confirm chime: a fifth up, A5 -> D6, with a bright attack."""
    dur = 0.55
    out = np.zeros(seconds(dur))
    place(out, bell(note("A5"), dur, 0.16, 1.2), 0.0)
    place(out, bell(note("D6"), dur - 0.07, 0.28, 1.2), 0.07)
    n = len(out)
    click = fft_filter(noise(rng, n), low=3000) * exp_env(n, 0.004, 0.0003) * 0.25
    return fade(out + click, 0.0005, 0.08)


# name -> (maker, peak level); peaks set the relative loudness of the set
EFFECTS = {
    "collide": (collide, 0.62),
    "hurt": (hurt, 0.80),
    "level": (level, 0.60),
    "warning": (warning, 0.38),
    "hover": (hover, 0.28),
    "select": (select, 0.55),
}


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for serial, (name, (maker, peak)) in enumerate(EFFECTS.items(), start=101):
        rng = np.random.default_rng(serial)
        sig = normalise(maker(rng), peak)
        write_ogg(os.path.join(out, name + ".ogg"), sig, quality=5, serial=serial)


if __name__ == "__main__":
    main()

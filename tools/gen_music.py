#!/usr/bin/python3
"""Compose and render the menu/game music loop res/mus/ethnica.ogg.

A calm groove in the pentatonic Malkauns mode on D (D F G Bb C): a plucked
tanpura-style drone, a soft sine pad, hand-drum percussion, a breathy flute
melody and a hammered-dulcimer arpeggio, at 100 BPM for 32 bars (76.8 s).

The loop is seamless by construction: the whole piece is rendered into one
circular buffer.  Notes and drum hits that ring past the end wrap round to
the beginning, sustained tones use frequencies with a whole number of
cycles per loop, and filtering and reverb are done as circular (FFT)
convolutions.  The last sample therefore leads straight into the first.

Usage: gen_music.py OUT.ogg
"""
import math
import sys

import numpy as np

from synth import RATE, additive, fft_filter, write_ogg

BPM = 100
STEP = int(round(RATE * 60 / BPM / 4))   # one sixteenth note in samples
BAR = 16 * STEP
BARS = 32
N = BARS * BAR                            # loop length in samples
LOOP_SECONDS = N / RATE

# Malkauns on D: degree 0 = D4; five notes per octave
MODE = [0, 3, 5, 8, 10]
D4 = 293.6648


def degree_freq(d, base=D4):
    octave, step = divmod(d, len(MODE))
    return base * 2 ** ((12 * octave + MODE[step]) / 12)


def loop_freq(f):
    """Nearest frequency with a whole number of cycles in the loop."""
    return round(f * LOOP_SECONDS) / LOOP_SECONDS


class Mix:
    """Circular stereo bus with a reverb send."""

    def __init__(self):
        self.dry = np.zeros((N, 2))
        self.send = np.zeros((N, 2))

    @staticmethod
    def _add(buf, sig, start):
        n = len(sig)
        start %= N
        first = min(n, N - start)
        buf[start:start + first] += sig[:first]
        rest = n - first
        while rest > 0:  # wrap round the loop (several times if very long)
            k = min(rest, N)
            buf[:k] += sig[first:first + k]
            first += k
            rest -= k

    def add(self, sig, start, pan=0.0, gain=1.0, reverb=0.2):
        """Mix a mono signal at sample `start`; pan -1 (left) .. 1 (right)."""
        a = (pan + 1.0) * math.pi / 4
        st = np.stack([sig * math.cos(a), sig * math.sin(a)], axis=-1) * (gain * math.sqrt(2))
        self._add(self.dry, st, start)
        if reverb:
            self._add(self.send, st * reverb, start)

    def add_stereo(self, st, start, gain=1.0, reverb=0.2):
        self._add(self.dry, st * gain, start)
        if reverb:
            self._add(self.send, st * gain * reverb, start)

    def render(self, rng):
        # reverb: circular convolution with a decaying, darkened noise burst
        length = int(2.4 * RATE)
        t = np.arange(length) / RATE
        ir = rng.standard_normal((length, 2)) * np.exp(-t / 0.42)[:, None]
        ir = fft_filter(ir, high=4500.0)
        pre = int(0.018 * RATE)
        ir = np.concatenate([np.zeros((pre, 2)), ir])
        ir /= np.sqrt(np.sum(ir ** 2, axis=0))
        full = np.zeros((N, 2))
        full[:len(ir)] = ir
        wet = np.fft.irfft(np.fft.rfft(self.send, axis=0) * np.fft.rfft(full, axis=0), N, axis=0)
        return self.dry + wet * 0.9


# ---------------------------------------------------------------------------
# instruments (each returns a mono numpy array starting at the note onset)
# ---------------------------------------------------------------------------
def tanpura(freq, rng, dur=3.6):
    """Long plucked drone string with the buzzing 'jawari' bloom."""
    n = int(dur * RATE)
    t = np.arange(n) / RATE
    out = np.zeros(n)
    kmax = min(36, int(9000 / freq))
    # a bright spectral peak that slides down the harmonics as the note rings
    centre = 3.0 + 22.0 * np.exp(-t / 0.9)
    for k in range(1, kmax + 1):
        amp = k ** -0.85 * rng.uniform(0.6, 1.0)
        bloom = 1.0 - np.exp(-t / (0.004 + 0.003 * k))
        decay = np.exp(-t / (2.6 / (1.0 + 0.05 * k)))
        buzz = 0.35 + np.exp(-((k - centre) / 3.5) ** 2)
        out += amp * bloom * decay * buzz * np.sin(2 * np.pi * freq * k * t + rng.uniform(0, 6.28))
    out *= np.minimum(1.0, (n - np.arange(n)) / (0.3 * RATE))   # tail fade
    return out


def pluck_dulcimer(freq, rng, dur=1.6):
    """Hammered metal string: slightly stretched partials, fast high decay."""
    n = int(dur * RATE)
    t = np.arange(n) / RATE
    out = np.zeros(n)
    for k, amp in ((1, 1.0), (2, 0.45), (3, 0.22), (4, 0.12), (5, 0.05)):
        f = freq * k * (1 + 0.0008 * k * k)
        if f > 16000:
            break
        det = 1.0017  # a second, slightly detuned string in the course
        out += amp * np.exp(-t / (0.75 / k ** 0.8)) * (
            np.sin(2 * np.pi * f * t) + 0.6 * np.sin(2 * np.pi * f * det * t + 1.0))
    hammer = rng.uniform(-1, 1, n) * np.exp(-t / 0.004)
    out += 0.4 * fft_filter(hammer, low=1200)
    out[:40] *= np.linspace(0, 1, 40)
    out *= np.minimum(1.0, (n - np.arange(n)) / (0.2 * RATE))
    return out


def drum_low(kind, rng):
    """Bass hand-drum: 'dha' drops in pitch, 'ge' bends up with the wrist."""
    n = int(0.7 * RATE)
    t = np.arange(n) / RATE
    if kind == "dha":
        f = 68.0 + 55.0 * np.exp(-t / 0.035)
        tau = 0.28
    else:
        f = 78.0 + 22.0 * (1 - np.exp(-t / 0.12)) + 25.0 * np.exp(-t / 0.02)
        tau = 0.22
    ph = 2 * np.pi * np.cumsum(f) / RATE
    body = (np.sin(ph) + 0.25 * np.sin(2 * ph)) * np.exp(-t / tau)
    slap = fft_filter(rng.uniform(-1, 1, n), low=300, high=2500) * np.exp(-t / 0.008)
    out = body + 0.25 * slap
    out[:30] *= np.linspace(0, 1, 30)
    return out


def drum_high(kind, rng):
    """Treble hand-drum tuned to D: ringing 'na'/'tin', damped 'te'."""
    n = int(0.5 * RATE)
    t = np.arange(n) / RATE
    f0 = 293.66
    out = np.zeros(n)
    if kind == "te":
        parts, tau, click = ((1, 0.4), (2, 0.2)), 0.035, 0.7
    elif kind == "tin":
        parts, tau, click = ((1, 1.0), (2, 0.25), (3, 0.12)), 0.32, 0.3
    else:  # na
        parts, tau, click = ((1, 0.6), (2, 0.55), (3, 0.35), (4, 0.2), (5, 0.1)), 0.18, 0.45
    for k, amp in parts:
        out += amp * np.sin(2 * np.pi * f0 * k * t) * np.exp(-t / (tau / k ** 0.5))
    out += click * fft_filter(rng.uniform(-1, 1, n), low=1500, high=7000) * np.exp(-t / 0.006)
    out[:20] *= np.linspace(0, 1, 20)
    return out


def shaker(rng):
    n = int(0.09 * RATE)
    t = np.arange(n) / RATE
    env = np.minimum(1.0, t / 0.010) * np.exp(-t / 0.028)
    return fft_filter(rng.uniform(-1, 1, n), low=5500, high=12000) * env


def bass(freq, length):
    """Round sine bass with a touch of second harmonic."""
    n = int(length + 0.5 * RATE)
    t = np.arange(n) / RATE
    env = np.minimum(1.0, t / 0.012) * np.exp(-t / 0.9)
    rel = np.clip((length + 0.15 * RATE - np.arange(n)) / (0.15 * RATE), 0.0, 1.0)
    ph = 2 * np.pi * freq * t
    return (np.sin(ph) + 0.22 * np.sin(2 * ph) + 0.06 * np.sin(3 * ph)) * env * rel


# ---------------------------------------------------------------------------
# the score
# ---------------------------------------------------------------------------
# Flute phrases: (degree, sixteenths) with None for a rest; two bars each.
PHRASES = {
    "A":  [(5, 4), (6, 2), (7, 2), (8, 6), (7, 2), (6, 4), (5, 2), (4, 2), (5, 8)],
    "A2": [(5, 4), (6, 2), (7, 2), (8, 4), (9, 2), (10, 2), (9, 4), (8, 2), (7, 2), (8, 4), (None, 4)],
    "B":  [(10, 6), (9, 2), (8, 4), (7, 4), (8, 2), (7, 2), (6, 4), (5, 4), (None, 4)],
    "A3": [(3, 2), (4, 2), (5, 4), (6, 4), (7, 4), (6, 2), (5, 2), (4, 4), (5, 8)],
    "C":  [(None, 4), (8, 4), (10, 4), (9, 2), (8, 2), (9, 8), (None, 8)],
    "C2": [(None, 4), (7, 4), (8, 4), (7, 2), (6, 2), (5, 8), (None, 8)],
    "D":  [(6, 2), (7, 2), (8, 2), (10, 2), (9, 4), (8, 4), (7, 2), (8, 2), (7, 2), (6, 2), (5, 8)],
    "E":  [(7, 4), (6, 4), (5, 12), (None, 12)],
    "R":  [(None, 32)],
}
# bar 0..31 in two-bar steps: quiet opening, three melodic sections, a breath
FORM = ["R", "R",
        "A", "A2", "B", "A3",
        "C", "C2", "D", "E",
        "A2", "B", "A3", "E",
        "R", "R"]

# bass roots per bar of a four-bar cycle (Hz): D, D, Bb, C
BASS_CYCLE = [73.42, 73.42, 58.27, 65.41]
# dulcimer arpeggio shapes (degrees) for each bass root, eighth notes
ARP = {
    0: [[5, 7, 8, 10, 8, 7, 5, 7], [5, 8, 10, 8, 7, 8, 5, 3]],
    1: [[5, 7, 8, 10, 9, 8, 7, 8], [3, 5, 7, 8, 7, 5, 3, 5]],
    2: [[3, 6, 8, 6, 3, 6, 8, 10], [3, 5, 8, 6, 5, 3, 5, 6]],
    3: [[4, 6, 9, 6, 4, 6, 9, 11], [4, 7, 9, 7, 6, 4, 6, 7]],
}

# drum grooves: step -> list of (instrument, kind, velocity)
GROOVE = {
    "main": [(0, "low", "dha", 1.0), (0, "high", "na", 0.6), (3, "high", "te", 0.35),
             (4, "high", "na", 0.8), (6, "low", "ge", 0.7), (7, "high", "te", 0.3),
             (8, "high", "tin", 0.55), (10, "low", "ge", 0.8), (11, "high", "te", 0.35),
             (12, "high", "na", 0.85), (14, "high", "te", 0.4), (15, "high", "te", 0.3)],
    "alt":  [(0, "low", "dha", 1.0), (0, "high", "na", 0.6), (3, "low", "ge", 0.55),
             (4, "high", "na", 0.8), (6, "high", "te", 0.35), (8, "low", "dha", 0.8),
             (8, "high", "tin", 0.5), (10, "high", "te", 0.35), (11, "low", "ge", 0.6),
             (12, "high", "na", 0.85), (13, "high", "te", 0.3), (14, "low", "ge", 0.5),
             (15, "high", "te", 0.35)],
    "fill": [(0, "low", "dha", 1.0), (0, "high", "na", 0.6), (4, "high", "na", 0.8),
             (6, "low", "ge", 0.7), (8, "high", "tin", 0.55), (10, "low", "ge", 0.8),
             (12, "high", "na", 0.5), (12, "low", "ge", 0.6), (13, "high", "na", 0.6),
             (14, "high", "na", 0.72), (14, "low", "dha", 0.7), (15, "high", "na", 0.85)],
    "soft": [(0, "low", "dha", 0.7), (8, "high", "tin", 0.35), (10, "low", "ge", 0.45)],
}


def groove_for(bar):
    if bar < 4 or bar >= 28:
        return "soft"
    if bar % 8 == 7:
        return "fill"
    return "alt" if bar % 4 == 2 else "main"


def render_flute(rng):
    """Whole-loop flute line: glides between notes, delayed vibrato, breath."""
    freq = np.full(N, degree_freq(5))
    amp = np.zeros(N)
    vib_depth = np.zeros(N)
    pos = 0
    prev_f = None
    events = []
    for name in FORM:
        for deg, steps in PHRASES[name]:
            events.append((pos, steps * STEP, deg))
            pos += steps * STEP
    assert pos == N, "the form must fill the loop exactly"
    attack = int(0.06 * RATE)
    release = int(0.09 * RATE)
    for i, (start, length, deg) in enumerate(events):
        if deg is None:
            prev_f = None
            continue
        f = degree_freq(deg)
        t = np.arange(length) / RATE
        f_from = prev_f if prev_f is not None else f * 0.985   # slight scoop in
        freq[start:start + length] = f + (f_from - f) * np.exp(-t / 0.035)
        nxt = events[i + 1][2] if i + 1 < len(events) else None
        env = np.ones(length) * (1.0 - 0.18 * t / max(t[-1], 1e-9))
        env[:attack] *= np.linspace(0.35 if prev_f is not None else 0.0, 1.0, attack)
        if nxt is None:
            env[-release:] *= np.linspace(1.0, 0.0, release)
        else:
            dip = int(0.03 * RATE)   # soft tonguing between legato notes
            env[-dip:] *= np.linspace(1.0, 0.6, dip)
        amp[start:start + length] = env
        vib_depth[start:start + length] = 0.006 * np.clip((t - 0.22) / 0.4, 0.0, 1.0)
        prev_f = f
    # smooth the amplitude a little so nothing clicks
    amp = fft_filter(amp, high=40.0, circular=True)
    vib_rate = loop_freq(5.1)
    tt = np.arange(N) / RATE
    freq = freq * (1.0 + vib_depth * np.sin(2 * np.pi * vib_rate * tt))
    ph = 2 * np.pi * np.cumsum(freq) / RATE
    tone = additive(ph, freq, [(1, 1.0), (2, 0.2), (3, 0.09), (4, 0.03)])
    breath_lo = fft_filter(rng.standard_normal(N), high=300.0, circular=True)
    breath_lo /= np.max(np.abs(breath_lo))
    breath_hi = fft_filter(rng.standard_normal(N), low=1800.0, high=6000.0, circular=True)
    breath_hi /= np.max(np.abs(breath_hi))
    sig = (tone * (1.0 + 0.25 * breath_lo) + 0.05 * breath_hi) * amp
    return sig


def compose(rng):
    mix = Mix()

    # --- pad: soft sustained D and G with slow movement (whole-loop tones)
    tt = np.arange(N) / RATE
    pad = np.zeros((N, 2))
    for f, g, pan in ((73.42, 0.5, 0.0), (146.83, 0.35, -0.4), (147.13, 0.3, 0.4),
                      (196.0, 0.16, 0.3), (293.66, 0.08, -0.3)):
        fl = loop_freq(f)
        lfo = 1.0 + 0.3 * np.sin(2 * np.pi * tt / (2 * BAR / RATE) + 7 * f)
        s = np.sin(2 * np.pi * fl * tt + f) * lfo * g
        a = (pan + 1) * math.pi / 4
        pad[:, 0] += s * math.cos(a)
        pad[:, 1] += s * math.sin(a)
    wind = fft_filter(rng.standard_normal((N, 2)), low=350.0, high=1400.0, circular=True)
    wind *= (1.0 + 0.6 * np.sin(2 * np.pi * tt / (8 * BAR / RATE)))[:, None]
    pad += wind / np.max(np.abs(wind)) * 0.05
    mix.add_stereo(pad, 0, gain=0.16, reverb=0.1)

    # --- tanpura: Ma Sa Sa Sa(low) on each beat of every bar
    strings = [98.0, 146.83, 146.83, 73.42]
    voices = {}
    for f in set(strings):
        voices[f] = [tanpura(f, np.random.default_rng(int(f * 10) + v)) for v in range(2)]
    for bar in range(BARS):
        for beat, f in enumerate(strings):
            v = voices[f][(bar + beat) % 2]
            mix.add(v, bar * BAR + beat * 4 * STEP, pan=(-0.35, 0.2, 0.35, -0.15)[beat],
                    gain=0.075 if beat != 3 else 0.09, reverb=0.25)

    # --- bass: one long root per bar in the quiet bars, two notes elsewhere
    for bar in range(BARS):
        root = BASS_CYCLE[bar % 4]
        if bar < 4 or bar >= 28:
            mix.add(bass(root, 14 * STEP), bar * BAR, gain=0.24, reverb=0.08)
            continue
        mix.add(bass(root, 9 * STEP), bar * BAR, gain=0.34, reverb=0.05)
        mix.add(bass(root if bar % 4 != 1 else 87.31, 5 * STEP), bar * BAR + 10 * STEP,
                gain=0.26, reverb=0.05)

    # --- percussion
    low_hits = {k: drum_low(k, rng) for k in ("dha", "ge")}
    high_hits = {k: drum_high(k, rng) for k in ("na", "tin", "te")}
    shakes = [shaker(rng) for _ in range(4)]
    for bar in range(BARS):
        quiet = bar < 4 or bar >= 28
        for step, inst, kind, vel in GROOVE[groove_for(bar)]:
            jitter = int(rng.normal(0.0, 0.003) * RATE)
            v = vel * rng.uniform(0.9, 1.05)
            start = bar * BAR + step * STEP + jitter
            if inst == "low":
                mix.add(low_hits[kind], start, pan=-0.1, gain=0.42 * v, reverb=0.12)
            else:
                mix.add(high_hits[kind], start, pan=0.25, gain=0.2 * v, reverb=0.15)
        for step in range(16):
            if quiet and step % 2:
                continue
            accent = 1.0 if step % 4 == 2 else (0.7 if step % 2 == 0 else 0.45)
            start = bar * BAR + step * STEP + int(rng.normal(0.0, 0.002) * RATE)
            mix.add(shakes[rng.integers(4)], start, pan=0.55,
                    gain=(0.05 if quiet else 0.075) * accent, reverb=0.1)

    # --- dulcimer arpeggio: full in the middle section, sparse elsewhere
    notes = {}
    for bar in range(BARS):
        shapes = ARP[bar % 4]
        shape = shapes[(bar // 4) % 2]
        if 12 <= bar < 20:
            picks, g = range(8), 0.11
        elif 20 <= bar < 28:
            picks, g = range(0, 8, 2), 0.07
        else:
            picks, g = (0, 3, 6), 0.08
        for i in picks:
            deg = shape[i]
            if deg not in notes:
                notes[deg] = pluck_dulcimer(degree_freq(deg), np.random.default_rng(500 + deg))
            start = bar * BAR + i * 2 * STEP
            vel = g * (1.0 if i % 2 == 0 else 0.75)
            mix.add(notes[deg], start, pan=0.35, gain=vel, reverb=0.3)
            # dotted-eighth echoes, bouncing left and right
            for e, (dpan, eg) in enumerate(((-0.6, 0.35), (0.6, 0.18))):
                mix.add(notes[deg], start + (e + 1) * 3 * STEP, pan=dpan, gain=vel * eg, reverb=0.3)

    # --- flute
    mix.add(render_flute(rng), 0, pan=-0.05, gain=0.23, reverb=0.35)

    out = mix.render(rng)
    out -= out.mean(axis=0)
    return out


def main():
    path = sys.argv[1]
    rng = np.random.default_rng(2024)
    out = compose(rng)
    out *= 0.84 / np.max(np.abs(out))
    write_ogg(path, out, quality=3, serial=77, title="Ethnica")


if __name__ == "__main__":
    main()

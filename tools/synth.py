"""Small sound-synthesis toolkit shared by gen_sfx.py and gen_music.py.

Everything works on numpy float64 arrays at RATE samples per second.
Mono signals are 1-D; stereo signals are (n, 2).
"""
import os
import subprocess
import tempfile
import wave

import numpy as np

RATE = 44100
NYQUIST = RATE / 2


def seconds(n):
    return int(round(n * RATE))


def timeline(dur):
    return np.arange(seconds(dur)) / RATE


def phase_of(freq):
    """Running phase (radians) of a frequency curve, one value per sample."""
    return 2 * np.pi * np.cumsum(freq) / RATE


def additive(phase, freq, partials):
    """Band-limited sum of sin(k*phase)*amp for (k, amp) in partials.

    `freq` (scalar or per-sample) is the fundamental; partials that would
    pass 18 kHz are faded out so nothing aliases.
    """
    out = np.zeros_like(phase)
    for k, amp in partials:
        top = np.asarray(freq) * k
        keep = np.clip((18000.0 - top) / 2000.0, 0.0, 1.0)
        out += amp * keep * np.sin(k * phase)
    return out


def square_partials(count, brightness=1.0):
    """Odd harmonics of a softened square wave."""
    return [(k, (1.0 / k) * brightness ** (k - 1)) for k in range(1, 2 * count, 2)]


def saw_partials(count, brightness=1.0):
    return [(k, (1.0 / k) * brightness ** (k - 1)) for k in range(1, count + 1)]


def exp_env(n, tau, attack=0.002):
    """Fast linear attack then exponential decay with time constant tau (s)."""
    t = np.arange(n) / RATE
    env = np.exp(-t / tau)
    a = max(1, seconds(attack))
    env[:a] *= np.linspace(0.0, 1.0, a, endpoint=False)
    return env


def fade(sig, fade_in=0.002, fade_out=0.01):
    """Short raised-cosine fades at both ends (no clicks)."""
    sig = sig.copy()
    for length, sl in ((seconds(fade_in), slice(None)), (seconds(fade_out), slice(None, None, -1))):
        if length <= 0:
            continue
        ramp = 0.5 - 0.5 * np.cos(np.linspace(0.0, np.pi, length))
        view = sig[sl]
        view[:length] = (view[:length].T * ramp).T
    return sig


def fft_filter(sig, low=None, high=None, circular=False):
    """Zero-phase band filter done in the frequency domain.

    low/high are the -6 dB corner frequencies (either may be None).  With
    circular=True the signal is treated as one period of a loop; otherwise
    it is padded so nothing wraps round.
    """
    n = len(sig)
    m = n if circular else n + seconds(0.05)
    spectrum = np.fft.rfft(sig, m, axis=0)
    f = np.fft.rfftfreq(m, 1.0 / RATE)
    gain = np.ones_like(f)
    if high is not None:
        gain *= 1.0 / np.sqrt(1.0 + (f / high) ** 4)
    if low is not None:
        gain *= 1.0 / np.sqrt(1.0 + (low / np.maximum(f, 1e-9)) ** 4)
    if spectrum.ndim == 2:
        gain = gain[:, None]
    return np.fft.irfft(spectrum * gain, m, axis=0)[:n]


def noise(rng, n):
    return rng.uniform(-1.0, 1.0, n)


def normalise(sig, peak):
    m = np.max(np.abs(sig))
    return sig * (peak / m) if m > 0 else sig


def write_wav(path, sig):
    """Write float samples in [-1, 1] as 16-bit PCM (mono or stereo)."""
    data = np.clip(sig, -1.0, 1.0)
    pcm = np.round(data * 32767.0).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1 if pcm.ndim == 1 else pcm.shape[1])
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


def write_ogg(path, sig, quality=4, serial=1, title=None):
    """Encode with oggenc (vorbis-tools); fixed serial keeps output stable."""
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "in.wav")
        write_wav(wav, sig)
        cmd = ["oggenc", "-Q", "-q", str(quality), "--serial", str(serial),
               "-o", path, wav]
        if title:
            cmd[1:1] = ["-t", title]
        subprocess.run(cmd, check=True)

#!/usr/bin/python3
"""Check the files in res/ against what the game expects of them.

PNG and TrueType headers are parsed here, PNG pixels are read with Pillow
and sounds are decoded with sox (python3-numpy, python3-pil, sox).
glslangValidator (glslang-tools) is used for the shaders when present.

Usage: check_res.py [RESDIR]      (default: res/ next to tools/)
Prints one line per check and a closing 'N passed, N failed' line; exits
non-zero if anything failed.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
RES = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(HERE), "res")

results = []


def check(name, ok, detail=""):
    results.append(bool(ok))
    print(("ok   " if ok else "FAIL ") + name + (": " + detail if detail else ""))


# ---------------------------------------------------------------- images
def read_png(path):
    """PNG header fields from IHDR, and the pixels (via Pillow) if RGBA."""
    data = open(path, "rb").read(64)
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    hdr = struct.unpack(">IIBBBBB", data[16:29])
    if (hdr[2], hdr[3], hdr[6]) != (8, 6, 0):
        return hdr, None
    from PIL import Image
    return hdr, np.asarray(Image.open(path), np.int32)


# Sprites whose hit circle the game sizes as if the art filled its quad: their
# opaque part must reach within this many pixels of every cell edge.
FILL_MARGIN = 2
FILLED = ("player.png", "follower.png", "enemy.png")

IMAGES = {
    # name: (required size or None, tinted white sprite?)
    "player.png": ((256, 64), False),
    "follower.png": ((384, 64), True),
    "enemy.png": ((384, 64), True),
    "particle.png": (None, True),
    "warning.png": ((384, 64), True),
    "logo.png": ((512, 512), False),
}

# Strips of six 64x64 cells, one per palette index; the builders pick the cell.
STRIPS = ("player.png", "follower.png", "enemy.png", "warning.png")
# Strips whose cells carry an emblem in black ink on the tinted body.
INKED = ("follower.png", "enemy.png")


def check_images():
    for name, (size, white) in IMAGES.items():
        path = os.path.join(RES, "gfx", name)
        if not os.path.exists(path):
            check(name, False, "missing")
            continue
        hdr, px = read_png(path)
        w, h = hdr[0], hdr[1]
        check(name + " is 8-bit RGBA, non-interlaced", px is not None,
              "depth %d colour type %d interlace %d" % (hdr[2], hdr[3], hdr[6]))
        if px is None:
            continue
        if size:
            check(name + " size", (w, h) == size, "%dx%d" % (w, h))
        else:
            check(name + " size", w == h and 32 <= w <= 256, "%dx%d" % (w, h))
        a = px[..., 3]
        cover = np.mean(a > 8)
        check(name + " has a visible shape", 0.05 < cover < 0.95, "%.0f%% covered" % (cover * 100))
        cells = [px[:, i * 64:(i + 1) * 64] for i in range(w // 64)] if name in STRIPS else [px]
        for i, c in enumerate(cells):
            edge = np.concatenate([c[0, :, 3], c[-1, :, 3], c[:, 0, 3], c[:, -1, 3]])
            # Cells of a strip sit side by side: a clear border is their gutter, so it must be
            # fully clear, or linear filtering blends a neighbour's edge in.
            limit = 0 if name in STRIPS and len(cells) > 1 else 8
            check(name + (" cell %d" % i if len(cells) > 1 else "") + " is transparent at its border",
                  edge.max() <= limit, "max border alpha %d" % edge.max())
            if name in FILLED:
                opaque = c[..., 3] > 128
                cols = np.flatnonzero(opaque.any(axis=0))
                rows = np.flatnonzero(opaque.any(axis=1))
                gaps = [cols[0], c.shape[1] - 1 - cols[-1], rows[0], c.shape[0] - 1 - rows[-1]] \
                    if cols.size else [c.shape[0]] * 4
                check(name + (" cell %d" % i if len(cells) > 1 else "") + " fills its cell",
                      max(gaps) <= FILL_MARGIN,
                      "opaque %dx%d of %dx%d, gaps left/right/top/bottom %s"
                      % (c.shape[1] - gaps[0] - gaps[1], c.shape[0] - gaps[2] - gaps[3],
                         c.shape[1], c.shape[0], "/".join(str(int(g)) for g in gaps)))
        soft = np.mean((a > 16) & (a < 240)) / max(np.mean(a > 16), 1e-9)
        check(name + " has soft edges", soft > 0.02, "%.1f%% of shape is partial alpha" % (soft * 100))
        if white and name in INKED:
            # black ink on a white body: every visible pixel is a grey, and each cell has
            # both a clear white body and solid ink
            vis = a > 0
            rgb = px[..., :3]
            check(name + " is grey where visible", np.all((rgb[..., 0] == rgb[..., 1]) & (rgb[..., 1] == rgb[..., 2])
                                                           | ~vis))
            for i, c in enumerate(cells):
                solid = c[..., 3] > 240
                ink = np.mean(solid & (c[..., 0] < 16)) / max(np.mean(solid), 1e-9)
                body = np.mean(solid & (c[..., 0] > 240)) / max(np.mean(solid), 1e-9)
                check(name + " cell %d has ink and body" % i, 0.1 < ink < 0.6 and body > 0.3,
                      "%.0f%% ink, %.0f%% white" % (ink * 100, body * 100))
        elif white:
            vis = a > 0
            check(name + " is white where visible", np.all(px[..., :3][vis] == 255))
        if name == "player.png":
            # damage must grow from cell to cell: less opaque area each time
            areas = [float(np.sum(c[..., 3] > 128)) for c in cells]
            check("player.png cells lose area with damage",
                  all(x > y for x, y in zip(areas, areas[1:])), str([int(v) for v in areas]))
            check("player.png broken cell still recognisable", areas[3] > 0.6 * areas[0],
                  "%.0f%% of intact" % (100 * areas[3] / areas[0]))
        if name == "logo.png":
            rgb = px[..., :3][a > 128]
            spread = np.ptp(rgb, axis=1)
            check("logo.png uses colour", np.mean(spread > 100) > 0.02)


# ---------------------------------------------------------------- sounds
def decode(path):
    """Decode with sox to float samples; returns (rate, channels, samples)."""
    info = subprocess.run(["sox", "--i", path], capture_output=True, text=True).stdout
    if "Vorbis" not in info:
        raise ValueError("not Ogg Vorbis")
    rate = int(subprocess.run(["sox", "--i", "-r", path], capture_output=True, text=True).stdout)
    ch = int(subprocess.run(["sox", "--i", "-c", path], capture_output=True, text=True).stdout)
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "out.f32")
        subprocess.run(["sox", path, "-t", "f32", raw], check=True)
        x = np.fromfile(raw, "<f4").reshape(-1, ch)
    return rate, ch, x


SFX = ["collide", "hurt", "level", "warning", "hover", "select"]


def check_sounds():
    spectra = {}
    for name in SFX:
        path = os.path.join(RES, "sfx", name + ".ogg")
        if not os.path.exists(path):
            check(name + ".ogg", False, "missing")
            continue
        rate, ch, x = decode(path)
        dur = len(x) / rate
        peak = float(np.max(np.abs(x)))
        rms = float(np.sqrt(np.mean(x ** 2)))
        check(name + ".ogg is 44100 Hz", rate == 44100, str(rate))
        check(name + ".ogg length", 0.05 <= dur <= 1.0, "%.3f s" % dur)
        check(name + ".ogg not clipped", peak < 0.97, "peak %.3f" % peak)
        check(name + ".ogg not silent", rms > 0.01, "rms %.3f" % rms)
        ends = max(np.max(np.abs(x[:3])), np.max(np.abs(x[-3:])))
        check(name + ".ogg starts and ends quietly", ends < 0.05, "%.3f" % ends)
        m = x.mean(axis=1)
        spectrum = np.abs(np.fft.rfft(m, 1 << 16))
        spectra[name] = spectrum / np.linalg.norm(spectrum)
    names = list(spectra)
    worst = max((float(np.dot(spectra[a], spectra[b])), a, b)
                for i, a in enumerate(names) for b in names[i + 1:]) if len(names) > 1 else (0, "", "")
    check("sound effects are distinct", worst[0] < 0.9, "closest pair %s/%s %.2f" % (worst[1], worst[2], worst[0]))


def check_music():
    path = os.path.join(RES, "mus", "ethnica.ogg")
    if not os.path.exists(path):
        check("ethnica.ogg", False, "missing")
        return
    rate, ch, x = decode(path)
    dur = len(x) / rate
    check("ethnica.ogg is 44100 Hz", rate == 44100, str(rate))
    check("ethnica.ogg length", 60.0 <= dur <= 120.0, "%.1f s" % dur)
    peak = float(np.max(np.abs(x)))
    check("ethnica.ogg not clipped", peak < 0.97, "peak %.3f" % peak)
    mb = os.path.getsize(path) / 1e6
    check("ethnica.ogg size", mb < 4.0, "%.2f MB" % mb)
    # the join: the step from the last sample to the first must look like
    # any other step in the music, and the short-term level must match
    d = np.abs(np.diff(x, axis=0))
    seam = np.abs(x[0] - x[-1])
    p99 = np.percentile(d, 99, axis=0)
    check("ethnica.ogg loop join has no jump", np.all(seam <= p99),
          "seam %s, 99th percentile step %s" % (np.round(seam, 4), np.round(p99, 4)))
    # a click shows up as a burst of high-frequency energy: compare the
    # seam with the same 20 ms window around every bar line inside the loop
    # (the music is 100 BPM in 4/4, so a bar is 2.4 s)
    bar = int(round(rate * 2.4))
    w = rate // 100

    def hf(seg):
        return float(np.sqrt(np.mean(np.diff(seg, 2, axis=0) ** 2)))

    seam_hf = hf(np.concatenate([x[-w:], x[:w]]))
    inner = [hf(x[b - w:b + w]) for b in range(bar, len(x) - w, bar)]
    check("ethnica.ogg loop join has no click", seam_hf <= 1.5 * max(inner),
          "seam %.4f, loudest bar line %.4f" % (seam_hf, max(inner)))
    # slope continuity: predict the first samples from the last ones
    pred = 2 * x[-1] - x[-2]
    err = np.abs(pred - x[0])
    d2 = np.abs(np.diff(x, 2, axis=0))
    check("ethnica.ogg loop join is smooth", np.all(err <= np.percentile(d2, 99.5, axis=0)),
          "curvature at seam %s" % np.round(err, 4))


# ---------------------------------------------------------------- shaders
def check_shaders():
    for name, stage, need in (
            ("textureQuad.vs", "vert", ["layout (location = 0) in vec3", "layout (location = 1) in vec2",
                                        "uniform mat4 uView", "uniform mat4 uProjection",
                                        "uniform mat4 uModel"]),
            ("textureQuad.fs", "frag", ["uniform vec4 uColor", "uniform sampler2D uTexture"])):
        path = os.path.join(RES, "shader", name)
        if not os.path.exists(path):
            check(name, False, "missing")
            continue
        text = open(path).read()
        check(name + " under 2048 bytes", len(text.encode()) < 2048, "%d bytes" % len(text.encode()))
        check(name + " is GLSL 330 core", text.lstrip().startswith("#version 330 core"))
        missing = [s for s in need if s not in text]
        check(name + " declares its inputs", not missing, ", ".join(missing))
        uniforms = sum(1 for line in text.splitlines() if line.strip().startswith("uniform"))
        check(name + " has no extra uniforms", uniforms == len([s for s in need if "uniform" in s]))
        if shutil.which("glslangValidator"):
            r = subprocess.run(["glslangValidator", "-S", stage, path], capture_output=True, text=True)
            check(name + " compiles", r.returncode == 0, r.stdout.strip()[-200:])


# ---------------------------------------------------------------- font
def font_tables(data):
    n = struct.unpack(">H", data[4:6])[0]
    tables = {}
    for i in range(n):
        tag, _, off, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
        tables[tag.decode("latin-1")] = (off, length)
    return tables


def cmap_chars(data, tables):
    """Code points mapped to a real glyph by the format 4 Unicode subtable."""
    off = tables["cmap"][0]
    n = struct.unpack(">H", data[off + 2:off + 4])[0]
    chars = set()
    for i in range(n):
        pid, eid, sub = struct.unpack(">HHI", data[off + 4 + 8 * i:off + 12 + 8 * i])
        s = off + sub
        if struct.unpack(">H", data[s:s + 2])[0] != 4 or (pid, eid) not in ((3, 1), (0, 3), (0, 4)):
            continue
        segx2 = struct.unpack(">H", data[s + 6:s + 8])[0]
        seg = segx2 // 2
        ends = struct.unpack(">%dH" % seg, data[s + 14:s + 14 + segx2])
        starts = struct.unpack(">%dH" % seg, data[s + 16 + segx2:s + 16 + 2 * segx2])
        deltas = struct.unpack(">%dh" % seg, data[s + 16 + 2 * segx2:s + 16 + 3 * segx2])
        ro_pos = s + 16 + 3 * segx2
        ros = struct.unpack(">%dH" % seg, data[ro_pos:ro_pos + segx2])
        for k in range(seg):
            for c in range(starts[k], min(ends[k], 0x7F) + 1):
                if ros[k] == 0:
                    g = (c + deltas[k]) & 0xFFFF
                else:
                    at = ro_pos + 2 * k + ros[k] + 2 * (c - starts[k])
                    g = struct.unpack(">H", data[at:at + 2])[0]
                    g = (g + deltas[k]) & 0xFFFF if g else 0
                if g:
                    chars.add(chr(c))
    return chars


def check_font():
    path = os.path.join(RES, "font", "upheaval.ttf")
    if not os.path.exists(path):
        check("upheaval.ttf", False, "missing")
        return
    data = open(path, "rb").read()
    check("upheaval.ttf is TrueType", data[:4] == b"\x00\x01\x00\x00")
    tables = font_tables(data)
    check("upheaval.ttf has glyf outlines", "glyf" in tables and "loca" in tables)
    need = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'./:+? ")
    missing = need - cmap_chars(data, tables)
    check("upheaval.ttf covers the game's text", not missing, "".join(sorted(missing)))
    lic = [f for f in os.listdir(os.path.join(RES, "font")) if f.upper().startswith("LICENSE")]
    check("font licence shipped", bool(lic))


def main():
    check_images()
    check_sounds()
    check_music()
    check_shaders()
    check_font()
    total = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(RES) for f in fs)
    check("res/ total size", total < 10e6, "%.2f MB" % (total / 1e6))
    passed = sum(results)
    print("%d passed, %d failed" % (passed, len(results) - passed))
    sys.exit(0 if passed == len(results) else 1)


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Compose the application icon from the game's own sprites.

The white centre (player.png, cell 0) sits on a dark rounded tile, ringed by
six followers (follower.png, each colour's own emblem cell) tinted in the game's palette, each with a glow
(particle.png) and joined by a faint orbit that blends from one colour to the
next, as on the title screen.  Sprites are tinted the way the game's shader
does it: texture x colour.

Writes the freedesktop hicolor PNGs (48, 64, 128, 256), a Windows icon
with 16, 32, 48, 64, 128 and 256 pixel images, and the web app's icons
(192 and 512, the sizes browsers ask of an installable page).

Usage: gen_icons.py [GFXDIR [OUTDIR [WEBDIR]]]
       (defaults: res/gfx, packaging/icons and web/icons)
"""
import math
import os
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_images import PALETTE  # noqa: E402  (the same colours as the game)

HICOLOR = (48, 64, 128, 256)
ICO = (16, 32, 48, 64, 128, 256)
WEB = (192, 512)
SS = 4  # super-sampling of the analytic shapes (tile, orbit)


def premul(img):
    """RGBA image -> premultiplied float array in 0..1."""
    a = np.asarray(img.convert("RGBA"), np.float64) / 255.0
    a[..., :3] *= a[..., 3:4]
    return a


def cells(strip):
    """The square cells of a one-row strip, left to right."""
    return [strip.crop((i * strip.height, 0, (i + 1) * strip.height, strip.height))
            for i in range(strip.width // strip.height)]


def resize(prem, size):
    """Resample a premultiplied array to size x size (premultiplied, so no dark fringes)."""
    chans = [Image.fromarray(prem[..., c].astype(np.float32), "F").resize((size, size), Image.LANCZOS)
             for c in range(4)]
    return np.clip(np.stack([np.asarray(c, np.float64) for c in chans], -1), 0.0, 1.0)


def over(dst, src, x0, y0):
    """Composite premultiplied src over dst with its top-left corner at (x0, y0)."""
    h, w = src.shape[:2]
    H, W = dst.shape[:2]
    xa, ya, xb, yb = max(x0, 0), max(y0, 0), min(x0 + w, W), min(y0 + h, H)
    if xa >= xb or ya >= yb:
        return
    s = src[ya - y0:yb - y0, xa - x0:xb - x0]
    d = dst[ya:yb, xa:xb]
    dst[ya:yb, xa:xb] = s + d * (1.0 - s[..., 3:4])


def tint(prem, col, alpha=1.0):
    out = prem.copy()
    out[..., 0] *= col[0]
    out[..., 1] *= col[1]
    out[..., 2] *= col[2]
    return out * alpha


def place(dst, sprite, cx, cy, size):
    """Draw a sprite centred on (cx, cy) at size pixels, on a sub-pixel position."""
    size = max(1, int(round(size)))
    over(dst, resize(sprite, size), int(round(cx - size / 2)), int(round(cy - size / 2)))


def tile(n):
    """The dark rounded square behind everything, with a soft light in the middle."""
    m = n * SS
    c = (np.arange(m) + 0.5) / m * 2.0 - 1.0
    x, y = np.meshgrid(c, c)
    half, r = 0.94, 0.34  # freedesktop icons keep a small margin
    qx, qy = np.abs(x) - (half - r), np.abs(y) - (half - r)
    sdf = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0)) + np.minimum(np.maximum(qx, qy), 0) - r
    a = np.clip(0.5 - sdf * m / 2.0, 0.0, 1.0)  # one sub-pixel of anti-aliasing
    d = np.hypot(x, y)
    light = np.clip(1.0 - d / 1.2, 0.0, 1.0) ** 2
    rgb = np.stack([0.04 + 0.10 * light, 0.05 + 0.12 * light, 0.10 + 0.20 * light], -1)
    prem = np.concatenate([rgb * a[..., None], a[..., None]], -1)
    return prem.reshape(n, SS, n, SS, 4).mean(axis=(1, 3))


def orbit(n, radius, width):
    """The followers' circle: a thin ring whose colour runs round the palette."""
    m = n * SS
    c = (np.arange(m) + 0.5) / SS
    x, y = np.meshgrid(c - n / 2, c - n / 2)
    d = np.hypot(x, y)
    a = np.clip(1.0 - np.abs(d - radius) / width, 0.0, 1.0) * 0.55
    # angle measured like the followers' positions: 0 at the top, clockwise
    t = (np.arctan2(x, -y) / (2 * math.pi)) % 1.0 * len(PALETTE)
    i0 = np.floor(t).astype(int) % len(PALETTE)
    i1 = (i0 + 1) % len(PALETTE)
    f = (t - np.floor(t))[..., None]
    pal = np.array(PALETTE)
    rgb = pal[i0] * (1 - f) + pal[i1] * f
    prem = np.concatenate([rgb * a[..., None], a[..., None]], -1)
    return prem.reshape(n, SS, n, SS, 4).mean(axis=(1, 3))


def compose(n, gfx):
    player, follower, particle = gfx
    img = tile(n)
    # small sizes get bigger shapes and fewer followers, so they still read
    small = n <= 32
    radius = n * (0.31 if small else 0.305)
    count = 3 if small else len(PALETTE)
    over(img, orbit(n, radius, max(n / 128, 0.6)), 0, 0)
    for k in range(count):
        idx = k * len(PALETTE) // count
        ang = 2 * math.pi * k / count
        cx, cy = n / 2 + radius * math.sin(ang), n / 2 - radius * math.cos(ang)
        col = PALETTE[idx]
        place(img, tint(particle, col, 0.9), cx, cy, n * 0.30)
        place(img, tint(follower[idx], col), cx, cy, n * (0.24 if small else 0.19))
    place(img, player, n / 2, n / 2, n * (0.44 if small else 0.36))
    return img


def to_image(prem):
    a = prem[..., 3:4]
    rgb = np.where(a > 0, prem[..., :3] / np.maximum(a, 1e-9), 0.0)
    out = np.concatenate([rgb, a], -1)
    return Image.fromarray(np.round(np.clip(out, 0, 1) * 255).astype(np.uint8), "RGBA")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    gfx_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "res", "gfx")
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "packaging", "icons")
    web = sys.argv[3] if len(sys.argv) > 3 else os.path.join(root, "web", "icons")

    strip = Image.open(os.path.join(gfx_dir, "player.png"))
    cell = strip.height  # the strip is a row of square cells; cell 0 is the intact centre
    gfx = (premul(strip.crop((0, 0, cell, cell))),
           [premul(c) for c in cells(Image.open(os.path.join(gfx_dir, "follower.png")))],
           premul(Image.open(os.path.join(gfx_dir, "particle.png"))))

    images = {n: to_image(compose(n, gfx)) for n in sorted(set(HICOLOR) | set(ICO) | set(WEB))}
    for n in HICOLOR:
        d = os.path.join(out, "hicolor", f"{n}x{n}", "apps")
        os.makedirs(d, exist_ok=True)
        images[n].save(os.path.join(d, "gyrel.png"), optimize=True)
    os.makedirs(web, exist_ok=True)
    for n in WEB:
        images[n].save(os.path.join(web, f"icon-{n}.png"), optimize=True)
    # 32-bit BMP entries rather than PNG ones: every Windows resource compiler and
    # installer builder reads those
    big = images[max(ICO)]
    big.save(os.path.join(out, "gyrel.ico"), format="ICO", bitmap_format="bmp",
             sizes=[(n, n) for n in ICO], append_images=[images[n] for n in ICO if n != max(ICO)])


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Draw the README's pictures of the six emblems, as everyone sees them.

Each picture shows the six pairs of a colour: the follower (res/gfx/follower.png)
above the attacker (enemy.png, turned a little, as it spins) and the warning
that announces it (warning.png), tinted the way the game's shader does it
(texture x colour) on the black field, enlarged 2x.  The same picture is then
passed through the full-severity simulations of protanopia, deuteranopia and
tritanopia by Machado, Oliveira and Fernandes (2009), applied in linear RGB.

Writes pairs.png, pairs-protanopia.png, pairs-deuteranopia.png and
pairs-tritanopia.png.

Usage: gen_accessibility.py [GFXDIR [OUTDIR]]   (defaults: res/gfx and docs/accessibility)
       gen_accessibility.py --simulate VISION IN.png OUT.png
           passes any picture (a screenshot, say) through one of the simulations
"""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_images import EMBLEM_NAMES, PALETTE  # noqa: E402  (the game's colours and emblems)

# Machado, Oliveira and Fernandes (2009), severity 1.0, on linear RGB.
MACHADO = {
    "protanopia": [[0.152286, 1.052583, -0.204868],
                   [0.114503, 0.786281, 0.099216],
                   [-0.003882, -0.048116, 1.051998]],
    "deuteranopia": [[0.367322, 0.860646, -0.227968],
                     [0.280085, 0.672501, 0.047413],
                     [-0.011820, 0.042940, 0.968881]],
    "tritanopia": [[1.255528, -0.076749, -0.178779],
                   [-0.078411, 0.930809, 0.147602],
                   [0.004733, 0.691367, 0.303900]],
}

ZOOM = 2
COLUMN = 110                    # pixels per pair, after the zoom
SIZES = {"follower.png": 30, "enemy.png": 25, "warning.png": 32}
ROWS = (("follower.png", 62, 0.0), ("enemy.png", 140, 17.0), ("warning.png", 218, 0.0))
HEIGHT = 290


def srgb_to_linear(c):
    return np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)


def linear_to_srgb(c):
    c = np.clip(c, 0.0, 1.0)
    return np.where(c <= 0.0031308, 12.92 * c, 1.055 * c ** (1 / 2.4) - 0.055)


def simulate(rgb, vision):
    """An sRGB float picture (H, W, 3) as seen with the given colour vision."""
    m = np.array(MACHADO[vision])
    return linear_to_srgb(srgb_to_linear(rgb) @ m.T)


def cell(strip, i):
    return strip.crop((i * strip.height, 0, (i + 1) * strip.height, strip.height))


def sprite(strip, index, colour, size, angle):
    """One cell drawn the game's way: premultiplied texture x colour at size, turned."""
    img = cell(strip, index).rotate(angle, resample=Image.BICUBIC)
    a = np.asarray(img.convert("RGBA"), np.float64) / 255.0
    a[..., :3] *= a[..., 3:4]
    chans = [np.asarray(Image.fromarray(a[..., c].astype(np.float32), "F").resize((size, size), Image.BILINEAR))
             for c in range(4)]
    prem = np.clip(np.stack(chans, -1), 0.0, 1.0)
    prem[..., :3] *= np.array(colour)
    return prem


def pairs(gfx_dir, font_path):
    width = COLUMN * len(PALETTE)
    canvas = np.zeros((HEIGHT, width, 3))
    strips = {name: Image.open(os.path.join(gfx_dir, name)) for name in SIZES}
    for i, colour in enumerate(PALETTE):
        cx = COLUMN * i + COLUMN // 2
        for name, cy, angle in ROWS:
            size = SIZES[name] * ZOOM
            prem = sprite(strips[name], i, colour, size, angle)
            x0, y0 = cx - size // 2, cy - size // 2
            dst = canvas[y0:y0 + size, x0:x0 + size]
            canvas[y0:y0 + size, x0:x0 + size] = prem[..., :3] + dst * (1.0 - prem[..., 3:4])
    img = Image.fromarray(np.round(canvas * 255).astype(np.uint8), "RGB")
    draw = ImageDraw.Draw(img)
    font = ImageFont.truetype(font_path, 17)
    for i, name in enumerate(EMBLEM_NAMES):
        cx = COLUMN * i + COLUMN // 2
        draw.text((cx, HEIGHT - 14), name, font=font, fill=(200, 200, 200), anchor="ms")
    return img


def save_seen(img, vision, path):
    rgb = np.asarray(img, np.float64) / 255.0
    seen = simulate(rgb, vision) if vision else rgb
    Image.fromarray(np.round(seen * 255).astype(np.uint8), "RGB").save(path, optimize=True)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if len(sys.argv) == 5 and sys.argv[1] == "--simulate":
        vision, src, dst = sys.argv[2:]
        if vision not in MACHADO:
            sys.exit("gen_accessibility.py: VISION is one of " + ", ".join(MACHADO))
        save_seen(Image.open(src).convert("RGB"), vision, dst)
        return
    gfx_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "res", "gfx")
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "docs", "accessibility")
    os.makedirs(out, exist_ok=True)
    img = pairs(gfx_dir, os.path.join(root, "res", "font", "upheaval.ttf"))
    save_seen(img, None, os.path.join(out, "pairs.png"))
    for vision in MACHADO:
        save_seen(img, vision, os.path.join(out, "pairs-%s.png" % vision))


if __name__ == "__main__":
    main()

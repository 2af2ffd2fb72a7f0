#!/usr/bin/python3
"""Make a contact sheet of res/gfx as the game would show it.

Each sprite is tinted like the game's shader does (texture x colour,
alpha included) and blended onto the black play field, once at its
on-screen size and once enlarged.  The logo is shown on black too.

Usage: preview_images.py GFXDIR OUT.png
"""
import os
import sys

import numpy as np
from PIL import Image

PALETTE = [(0.3, 1.0, 0.3), (0.2, 0.5, 0.8), (1.0, 0.2, 0.2),
           (1.0, 1.0, 0.3), (1.0, 0.2, 0.9), (0.2, 1.0, 0.9)]
WHITE = (1.0, 1.0, 1.0)
BG = np.array([0.0, 0.0, 0.0])


def load(path):
    return np.asarray(Image.open(path).convert("RGBA"), np.float64) / 255.0


def tint_onto(canvas, tex, colour, x, y, size):
    """Scale `tex` to size x size (bilinear, like GL_LINEAR), tint, blend."""
    im = Image.fromarray(np.round(tex * 255).astype(np.uint8), "RGBA")
    im = im.resize((size, size), Image.BILINEAR)
    t = np.asarray(im, np.float64) / 255.0
    c = t * np.array(tuple(colour) + (1.0,))
    a = c[..., 3:4]
    region = canvas[y:y + size, x:x + size]
    canvas[y:y + size, x:x + size] = c[..., :3] * a + region * (1.0 - a)


def main():
    gfx, out = sys.argv[1], sys.argv[2]
    W, H = 1100, 1150
    canvas = np.tile(BG, (H, W, 1))
    sprites = [("follower.png", 30), ("enemy.png", 25), ("particle.png", 30),
               ("warning.png", 32)]
    y = 10
    for name, size in sprites:
        tex = load(os.path.join(gfx, name))
        for i, col in enumerate(PALETTE + [WHITE]):
            # a strip holds one square cell per palette colour; white shows the first
            cells = tex.shape[1] // tex.shape[0]
            cell = tex[:, (i % cells) * tex.shape[0]:(i % cells + 1) * tex.shape[0]]
            tint_onto(canvas, cell, col, 10 + i * 45, y + 20, size)
            tint_onto(canvas, cell, col, 340 + i * 105, y, 96)
        y += 110
    # the player strip: cells at 40 px and at 128 px, white then red
    strip = load(os.path.join(gfx, "player.png"))
    for c in range(4):
        cell = strip[:, c * 64:(c + 1) * 64]
        for j, col in enumerate([WHITE, (1.0, 0.3, 0.3)]):
            tint_onto(canvas, cell, col, 10 + c * 50, y + 20 + j * 60, 40)
        tint_onto(canvas, cell, WHITE, 240 + c * 140, y, 128)
    # the last cell again, tinted red as in the death swell
    tint_onto(canvas, strip[:, 192:256], (1.0, 0.3, 0.3), 820, y, 128)
    y += 150
    logo = load(os.path.join(gfx, "logo.png"))
    tint_onto(canvas, logo, WHITE, 10, y, 512)
    tint_onto(canvas, logo, WHITE, 560, y + 128, 256)
    Image.fromarray(np.round(np.clip(canvas, 0, 1) * 255).astype(np.uint8),
                    "RGB").save(out)


if __name__ == "__main__":
    main()

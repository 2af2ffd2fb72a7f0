#!/usr/bin/python3
"""Draw every image in res/gfx/.

All shapes are described as signed distance fields or coverage functions,
sampled at SS x SS sub-pixels per pixel and averaged, which gives soft,
anti-aliased edges.  Sprites that the game tints by colour are white
(RGB = 255 everywhere) and carry their shape in the alpha channel only, so
"texture x colour" in the shader shows exactly the sprite colour.

The logo is the only image drawn with its own colours.

Usage: gen_images.py OUTDIR FONT.ttf
"""
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 4  # sub-samples per pixel along each axis

# The sprites with hit circles (player, follower, attacker) are drawn out to this
# radius of the [-1, 1] cell, 30.7 of its 32 pixels: the game sizes their hit
# circles as if the art filled its quad, and the last pixel ring stays clear.
FILL_R = 0.96

# Palette of the followers and attackers (linear 0..1 values, as in the game).
PALETTE = [
    (0.3, 1.0, 0.3),   # green
    (0.2, 0.5, 0.8),   # blue
    (1.0, 0.2, 0.2),   # red
    (1.0, 1.0, 0.3),   # yellow
    (1.0, 0.2, 0.9),   # magenta
    (0.2, 1.0, 0.9),   # cyan
]


# --------------------------------------------------------------------------
# helpers
# --------------------------------------------------------------------------
def grid(size, ss=SS):
    """Sub-pixel sample coordinates in [-1, 1] (y down), shape (size*ss,)*2."""
    n = size * ss
    c = (np.arange(n) + 0.5) / n * 2.0 - 1.0
    x, y = np.meshgrid(c, c)
    return x, y


def downsample(a, ss=SS):
    """Box-filter a super-sampled array back to pixel resolution."""
    h, w = a.shape
    return a.reshape(h // ss, ss, w // ss, ss).mean(axis=(1, 3))


def cover(sdf):
    """Hard inside/outside test of a signed distance (negative = inside)."""
    return (sdf <= 0.0).astype(np.float64)


def smooth_cover(sdf, soft):
    """Coverage with an extra soft ramp of width `soft` (in [-1,1] units)."""
    return np.clip(0.5 - sdf / soft, 0.0, 1.0)


def seg_dist(px, py, ax, ay, bx, by):
    """Distance from points to the segment a-b."""
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = np.clip(((px - ax) * dx + (py - ay) * dy) / l2, 0.0, 1.0)
    qx, qy = ax + t * dx, ay + t * dy
    return np.hypot(px - qx, py - qy)


def polyline_dist(px, py, pts):
    d = np.full(px.shape, np.inf)
    for (ax, ay), (bx, by) in zip(pts[:-1], pts[1:]):
        d = np.minimum(d, seg_dist(px, py, ax, ay, bx, by))
    return d


def glow(r, radius, power=2.0):
    """Soft halo that falls to exactly 0 at `radius`."""
    t = np.clip(1.0 - r / radius, 0.0, 1.0)
    return t ** power


def save_white(alpha, path):
    """Save a white sprite whose shape is in `alpha` (0..1 floats)."""
    a = np.clip(alpha, 0.0, 1.0)
    h, w = a.shape
    img = np.empty((h, w, 4), np.uint8)
    img[..., :3] = 255
    img[..., 3] = np.round(a * 255.0).astype(np.uint8)
    Image.fromarray(img, "RGBA").save(path, optimize=True)


def save_grey(grey, alpha, path):
    """Save a sprite with grey shading (drawn with a white tint)."""
    a = np.clip(alpha, 0.0, 1.0)
    g = np.clip(grey, 0.0, 1.0)
    h, w = a.shape
    img = np.empty((h, w, 4), np.uint8)
    img[..., :3] = np.round(g * 255.0).astype(np.uint8)[..., None]
    img[..., 3] = np.round(a * 255.0).astype(np.uint8)
    Image.fromarray(img, "RGBA").save(path, optimize=True)


def over(dst, src):
    """Porter-Duff 'over' on premultiplied RGBA float arrays (H, W, 4)."""
    return src + dst * (1.0 - src[..., 3:4])


def layer(alpha, rgb):
    """Premultiplied layer of one colour."""
    a = np.clip(alpha, 0.0, 1.0)[..., None]
    return np.concatenate([a * np.array(rgb, np.float64), a], axis=-1)


def save_premul(prem, path):
    a = np.clip(prem[..., 3], 0.0, 1.0)
    rgb = np.where(a[..., None] > 1e-6,
                   prem[..., :3] / np.maximum(a[..., None], 1e-6), 1.0)
    img = np.empty(a.shape + (4,), np.uint8)
    img[..., :3] = np.round(np.clip(rgb, 0.0, 1.0) * 255.0).astype(np.uint8)
    img[..., 3] = np.round(a * 255.0).astype(np.uint8)
    Image.fromarray(img, "RGBA").save(path, optimize=True)


# --------------------------------------------------------------------------
# player: the white centre, four states of damage in one 256x64 strip
# --------------------------------------------------------------------------
def crack_path(rng, rim_angle, length, steps, wobble, body_r):
    """A crack running from the rim at `rim_angle` (degrees) inwards."""
    a = math.radians(rim_angle)
    x, y = (body_r + 0.05) * math.cos(a), (body_r + 0.05) * math.sin(a)
    heading = a + math.pi
    pts = [(x, y)]
    step = length / steps
    for _ in range(steps):
        h = heading + rng.uniform(-wobble, wobble)
        x += math.cos(h) * step
        y += math.sin(h) * step
        pts.append((x, y))
    return pts


def shard(rim_angle, width, depth, body_r):
    """A triangular chip broken out of the rim: three corner points."""
    a = math.radians(rim_angle)
    w = math.radians(width) / 2
    far = body_r + 0.2
    return [(far * math.cos(a - w), far * math.sin(a - w)),
            (far * math.cos(a + w), far * math.sin(a + w)),
            ((body_r - depth) * math.cos(a + 0.3 * w),
             (body_r - depth) * math.sin(a + 0.3 * w))]


def in_triangle(x, y, tri):
    """Signed-area test; true inside a triangle of any winding."""
    (ax, ay), (bx, by), (cx, cy) = tri
    d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
    d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy)
    d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay)
    neg = (d1 < 0) | (d2 < 0) | (d3 < 0)
    pos = (d1 > 0) | (d2 > 0) | (d3 > 0)
    return (~(neg & pos)).astype(np.float64)


def player_cell(damage):
    x, y = grid(64)
    r_cell = np.hypot(x, y)
    body_r = 0.70
    # Drawn on a body of radius 0.70, then enlarged until its rim reaches FILL_R.
    x, y = x * (body_r / FILL_R), y * (body_r / FILL_R)
    r = np.hypot(x, y)
    rng = np.random.default_rng(7)

    # Damage builds up level by level, so every state keeps the earlier
    # cracks.  Each entry: (minimum damage level, crack points, width).
    crack_list = [
        (1, crack_path(rng, -50, 0.62, 6, 0.45, body_r), 0.075),
        (1, crack_path(rng, -20, 0.30, 3, 0.6, body_r), 0.05),
        (2, crack_path(rng, 195, 0.66, 6, 0.5, body_r), 0.07),
        (2, crack_path(rng, 95, 0.40, 4, 0.55, body_r), 0.055),
        (3, crack_path(rng, -125, 0.60, 5, 0.6, body_r), 0.075),
        (3, crack_path(rng, 140, 0.50, 5, 0.6, body_r), 0.06),
        (3, crack_path(rng, 15, 0.55, 5, 0.6, body_r), 0.06),
    ]
    shard_list = [
        (2, shard(40, 34, 0.20, body_r)),
        (3, shard(-100, 40, 0.26, body_r)),
        (3, shard(165, 30, 0.18, body_r)),
        (3, shard(-15, 22, 0.14, body_r)),
    ]
    cracks = [(p, w) for lvl, p, w in crack_list if damage >= lvl]
    chips = [t for lvl, t in shard_list if damage >= lvl]

    body = cover(r - body_r)
    for tri in chips:
        body *= 1.0 - in_triangle(x, y, tri)
    crack_mask = np.zeros_like(x)
    for pts, w in cracks:
        crack_mask = np.maximum(crack_mask, cover(polyline_dist(x, y, pts) - w / 2))
    body *= 1.0 - crack_mask

    # grey shading: bright core, faint inner ring, a lighter rim
    shade = 0.92 + 0.08 * glow(r, 0.45, 1.5)
    ring = np.exp(-((r - 0.47) / 0.035) ** 2)
    shade -= 0.16 * ring
    # edges of the cracks are a little darker, so they read as splits
    near_crack = np.zeros_like(x)
    for pts, w in cracks:
        near_crack = np.maximum(near_crack, glow(polyline_dist(x, y, pts), w / 2 + 0.09, 1.0))
    shade -= 0.25 * near_crack * (1.0 - crack_mask)

    # soft halo around the body (weaker when badly broken)
    halo = 0.45 * glow(r_cell, 0.98, 2.2) * (1.0 - 0.15 * damage)
    halo *= 1.0 - cover(r - body_r) * 1.0  # only outside the body outline
    halo *= 1.0 - 0.85 * crack_mask        # no halo inside the cracks

    alpha = body + halo * (1.0 - body)
    grey = np.where(alpha > 0, (body * shade + halo * (1.0 - body) * 1.0)
                    / np.maximum(alpha, 1e-9), 1.0)
    return downsample(grey * alpha) / np.maximum(downsample(alpha), 1e-9), downsample(alpha)


def make_player(path):
    greys, alphas = [], []
    for d in range(4):
        g, a = player_cell(d)
        greys.append(g)
        alphas.append(a)
    save_grey(np.hstack(greys), np.hstack(alphas), path)


# --------------------------------------------------------------------------
# emblems: one shape per palette index, so no colour has to be told by hue
# --------------------------------------------------------------------------
# The followers, attackers and warnings are strips of six 64x64 cells, cell i
# for palette index i.  Every cell keeps a fully transparent outer pixel ring:
# two clear texels lie between neighbouring emblems, so linear filtering at any
# scale never pulls one cell's ink into the next.
CELLS = len(PALETTE)
EMBLEM_NAMES = ("ring", "triangle", "square", "plus", "star", "bar")

# The emblem's extent as a fraction of the cell's half-width: the same in the
# followers and the attackers, so a player compares like with like, and as large
# as the attacker's hub allows, so it still reads on a phone at half size.
EMBLEM_R = 0.70
# The attacker's blades rise from its hub at this radius to FILL_R.
HUB_R = 0.79
# Inside the warning's marker ring.
WARNING_EMBLEM_R = 0.62


def in_polygon(x, y, pts):
    """Even-odd point-in-polygon test for arrays of points."""
    inside = np.zeros(x.shape, bool)
    for (xi, yi), (xj, yj) in zip(pts, pts[1:] + pts[:1]):
        crosses = (yi > y) != (yj > y)
        with np.errstate(divide="ignore", invalid="ignore"):
            xcross = (xj - xi) * (y - yi) / (yj - yi) + xi
        inside ^= crosses & (x < xcross)
    return inside.astype(np.float64)


def regular(n, radius, start_deg):
    return [(radius * math.cos(math.radians(start_deg + 360.0 * k / n)),
             radius * math.sin(math.radians(start_deg + 360.0 * k / n))) for k in range(n)]


def emblem(index, x, y):
    """Coverage of emblem `index` at points (x, y), the shape fitting the unit circle.

    Bold and told apart by outline, not detail; no two are one shape turned (the
    attackers spin), and a hole, a point count or a bar length separates each pair.
    y grows downward, so -90 degrees is straight up."""
    r = np.hypot(x, y)
    if index == 0:  # ring: the only one with a hole
        return cover(np.abs(r - 0.76) - 0.24)
    if index == 1:  # triangle, point up
        return in_polygon(x, y, regular(3, 1.0, -90))
    if index == 2:  # square
        return cover(np.maximum(np.abs(x), np.abs(y)) - 0.58)
    if index == 3:  # plus
        return cover(np.maximum(np.minimum(np.abs(x), np.abs(y)) - 0.26,
                                np.maximum(np.abs(x), np.abs(y)) - 1.0))
    if index == 4:  # five-pointed star
        outer = regular(5, 1.0, -90)
        inner = regular(5, 0.46, -54)
        return in_polygon(x, y, [p for pair in zip(outer, inner) for p in pair])
    # bar: a plus without its upright
    return cover(np.maximum(np.abs(x) - 0.95, np.abs(y) - 0.30))


def clear_border(a):
    a = a.copy()
    a[0, :] = a[-1, :] = a[:, 0] = a[:, -1] = 0.0
    return a


def save_strip(cells, path):
    """Save (grey, alpha) cells side by side as one tinted strip."""
    greys = [g for g, _ in cells]
    alphas = [clear_border(a) for _, a in cells]
    save_grey(np.hstack(greys), np.hstack(alphas), path)


def inked(body, ink):
    """A white body with black ink on it: (grey, alpha) at pixel resolution."""
    ink = ink * (body > 0)
    alpha = np.maximum(body, ink)
    grey_prem = body * (1.0 - ink)          # white where there is no ink
    a = downsample(alpha)
    grey = downsample(grey_prem) / np.maximum(a, 1e-9)
    return np.where(a > 1e-6, grey, 1.0), a


def emblem_ink(index, x, y, radius=EMBLEM_R):
    return emblem(index, x / radius, y / radius)


# --------------------------------------------------------------------------
# follower: a solid disc carrying its emblem in black
# --------------------------------------------------------------------------
def follower_cell(index):
    x, y = grid(64)
    r = np.hypot(x, y)
    body = cover(r - FILL_R)
    return inked(body, emblem_ink(index, x, y))


def make_follower(path):
    save_strip([follower_cell(i) for i in range(CELLS)], path)


# --------------------------------------------------------------------------
# enemy: a swept saw-star that looks alive when it spins, emblem in its hub
# --------------------------------------------------------------------------
def enemy_cell(index):
    x, y = grid(64)
    r = np.hypot(x, y)
    th = np.arctan2(y, x)
    n = 8
    phase = (th / (2 * math.pi) * n) % 1.0
    # sawtooth edge: the blade rises slowly and drops sharply -> hooked points;
    # the solid hub inside the blades is wide enough to hold the emblem
    edge = HUB_R + (FILL_R - HUB_R) * phase ** 1.6
    body = cover(r - edge)
    return inked(body, emblem_ink(index, x, y))


def make_enemy(path):
    save_strip([enemy_cell(i) for i in range(CELLS)], path)


# --------------------------------------------------------------------------
# particle: a soft glowing puff with a faint four-point sparkle
# --------------------------------------------------------------------------
def make_particle(path):
    x, y = grid(64, 2)
    r = np.hypot(x, y)
    th = np.arctan2(y, x)
    blob = glow(r, 0.98, 1.3)
    core = 0.45 * np.exp(-(r / 0.30) ** 2)
    # four faint soft lobes, so the slow spin is just visible
    lobes = (np.abs(np.cos(2 * th)) ** 6) * glow(r, 0.98, 1.4) * 0.12
    a = np.clip(0.7 * blob + core + lobes, 0.0, 1.0)
    a *= glow(r, 1.0, 0.5)  # guarantee zero alpha at the rim
    save_white(downsample(a, 2), path)


# --------------------------------------------------------------------------
# warning: the coming attacker's emblem inside a marker ring
# --------------------------------------------------------------------------
def warning_cell(index):
    x, y = grid(64)
    r = np.hypot(x, y)
    ring = cover(np.abs(r - 0.88) - 0.07)
    halo = 0.35 * glow(np.abs(r - 0.88), 0.16, 1.5)
    a = np.maximum.reduce([ring, halo, emblem_ink(index, x, y, WARNING_EMBLEM_R)])
    a = downsample(a)
    return np.ones_like(a), a


def make_warning(path):
    save_strip([warning_cell(i) for i in range(CELLS)], path)


# --------------------------------------------------------------------------
# logo: six coloured orbs circling a white centre, the title below
# --------------------------------------------------------------------------
def make_logo(path, font_path):
    S = 512
    ss = 2
    x, y = grid(S, ss)
    # pixel coordinates of the sub-samples
    px = (x + 1.0) * 0.5 * S
    py = (y + 1.0) * 0.5 * S
    img = np.zeros(px.shape + (4,))

    ox, oy, orbit = 256.0, 196.0, 132.0
    ro = np.hypot(px - ox, py - oy)
    ang = np.arctan2(py - oy, px - ox)

    # faint orbit line
    img = over(img, layer(0.22 * glow(np.abs(ro - orbit), 3.0, 1.0), (1, 1, 1)))

    # white centre: halo + pulse ring + body
    img = over(img, layer(0.55 * glow(ro, 110.0, 2.5), (1, 1, 1)))
    img = over(img, layer(smooth_cover(np.abs(ro - 62.0) - 3.0, 1.5), (1, 1, 1)))
    img = over(img, layer(smooth_cover(ro - 42.0, 1.5), (1, 1, 1)))

    # six orbs, each with a comet trail along the orbit (they circle clockwise
    # on screen, so the trail lies counter-clockwise behind each one)
    for i, col in enumerate(PALETTE):
        a0 = math.radians(-90 + 60 * i)
        cx, cy = ox + orbit * math.cos(a0), oy + orbit * math.sin(a0)
        # trail
        lag = (a0 - ang) % (2 * math.pi)          # angle behind the orb
        span = math.radians(42)
        trail = np.where(lag < span, 1.0 - lag / span, 0.0) ** 1.5
        trail *= glow(np.abs(ro - orbit), 12.0, 1.5) * 0.75
        img = over(img, layer(trail, col))
        d = np.hypot(px - cx, py - cy)
        img = over(img, layer(0.7 * glow(d, 46.0, 2.2), col))
        img = over(img, layer(smooth_cover(d - 21.0, 1.5), col))
        # the orb's emblem in black, as the followers carry it in play
        ink = emblem_ink(i, (px - cx) / 21.0, (py - cy) / 21.0) * (d < 21.0)
        img = over(img, layer(ink, (0, 0, 0)))

    # downsample premultiplied colour
    prem = np.stack([downsample(img[..., c], ss) for c in range(4)], axis=-1)

    # title text, drawn with the game's font at 4x and scaled down
    text = "Gyrel+"
    big = 4
    font = ImageFont.truetype(font_path, 120 * big)
    mask = Image.new("L", (S * big, S * big), 0)
    dr = ImageDraw.Draw(mask)
    bbox = dr.textbbox((0, 0), text, font=font)
    tw, th = bbox[2] - bbox[0], bbox[3] - bbox[1]
    tx = (S * big - tw) // 2 - bbox[0]
    ty = 372 * big - bbox[1]
    dr.text((tx, ty), text, font=font, fill=255)
    mask = mask.resize((S, S), Image.LANCZOS)
    m = np.asarray(mask, np.float64) / 255.0
    # coloured neon glow behind the letters: green to cyan across the word
    blur = np.asarray(mask.filter(ImageFilter.GaussianBlur(9)), np.float64) / 255.0
    t = np.linspace(0.0, 1.0, S)[None, :].repeat(S, axis=0)
    gcol = np.stack([0.3 + (0.2 - 0.3) * t, np.ones_like(t), 0.3 + (0.9 - 0.3) * t], -1)
    ga = np.clip(blur * 1.6, 0.0, 0.85)[..., None]
    prem = over(prem, np.concatenate([gcol * ga, ga], -1))
    prem = over(prem, layer(m, (1, 1, 1)))

    save_premul(prem, path)


def main():
    out, font = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    make_player(os.path.join(out, "player.png"))
    make_follower(os.path.join(out, "follower.png"))
    make_enemy(os.path.join(out, "enemy.png"))
    make_particle(os.path.join(out, "particle.png"))
    make_warning(os.path.join(out, "warning.png"))
    make_logo(os.path.join(out, "logo.png"), font)


if __name__ == "__main__":
    main()

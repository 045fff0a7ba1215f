#!/usr/bin/python3
"""Draws the thirty skins of the main window (run by hand; the results are committed).

Each skin is a pair of JPEG pictures under resources/skins/:
  caption_NN.jpg  600 x 55  caption strip, caption-button glyphs and the inactive strip
  border_NN.jpg    65 x 10  tiles of the side edges, the bottom edge and the bottom corners

The frame painter cuts the caption picture into fixed pieces, so everything here is laid out
around the columns it reads (see the constants below). The middle tile is repeated from window
x 90 on and the right slice lands at an arbitrary phase after it, so the tile is made
seamless and the right slice opens with a divider that hides the join.

Output is deterministic: every random choice comes from a generator seeded with the skin index.
"""
import colorsys
import math
import random
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter

OUT = Path(__file__).resolve().parents[2] / "resources" / "skins"

# Caption picture layout, as the painter reads it.
CAPTION_W, CAPTION_H = 600, 55
LEFT_END = 90              # left slice: columns 0 .. 89
TILE_FIRST, TILE_W = 91, 52  # middle tile: columns 91 .. 142, laid from window x 90
RIGHT_FIRST, RIGHT_LAST = 140, 230  # right slice (inclusive); column 230 lands off the window
INACTIVE_OFFSET = 400
INACTIVE_PLAIN_FROM = 188  # strip column from which the inactive right slice turns plain
GLYPH_W, GLYPH_H = 18, 20
GLYPH_X = {"close": 241, "restore": 240 + GLYPH_W, "maximize": 240 + 2 * GLYPH_W,
           "minimize": 240 + 3 * GLYPH_W}
# Where the painter puts the glyphs for the main window (offsets from the right slice start).
BUTTON_TOP = 5
TITLE_ROWS = (11, 32)
MENU_ROWS = (29, 54)

# Border picture layout: B x B tiles.
BORDER_W, BORDER_H = 65, 10
B = BORDER_H
TILE_LEFT, TILE_CORNER_BL, TILE_BOTTOM, TILE_RIGHT, TILE_CORNER_BR = 0, 2 * B, 3 * B, 4 * B, 6 * B

# Rows of the caption strip.
RIM_ROWS = 4          # 0 outline, 1 highlight, 2 base, 3 inner line
SEPARATOR_ROW = 27    # thin line between the title band and the menu band
BOTTOM_ROW = 54       # dark line against the client area

# Readability: relative luminance ceilings of the bands behind text.
MAX_LUM_TITLE = 0.085     # active title 0x0080FFFF (yellow)
MAX_LUM_MENU = 0.045      # menu text 0x00C0FFFF, hot text 0x000000FF (red)
MAX_LUM_INACTIVE = 0.028  # inactive title 0x00FF8080 (light blue)

SUPER = 4  # supersampling factor of the drawn motifs


# ---------------------------------------------------------------- colours

def rgb(h):
    h = h.lstrip("#")
    return tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def _lin(v):
    v /= 255.0
    return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4


def luminance(c):
    r, g, b = (_lin(v) for v in c[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def cap_luminance(c, ceiling):
    """Scales a colour down (keeping its hue) until its luminance is at most the ceiling."""
    if luminance(c) <= ceiling:
        return tuple(c[:3])
    lo, hi = 0.0, 1.0
    for _ in range(20):
        mid = (lo + hi) / 2
        if luminance(darken(c, mid)) > ceiling:
            lo = mid
        else:
            hi = mid
    return darken(c, hi)


def desaturate(c, t):
    h, l, s = colorsys.rgb_to_hls(*(v / 255.0 for v in c))
    r, g, b = colorsys.hls_to_rgb(h, l, s * (1 - t))
    return (int(round(r * 255)), int(round(g * 255)), int(round(b * 255)))


# ---------------------------------------------------------------- skins

class Skin:
    """Palette and motif of one skin."""

    def __init__(self, name, title, menu, frame, accent, emblem, pattern, face, close,
                 accent2=None, stud="dot", strength=0.16, emblem_bg=None, emblem_fg=None,
                 multi=None):
        self.name = name
        self.title = (rgb(title[0]), rgb(title[1]))
        self.menu = (rgb(menu[0]), rgb(menu[1]))
        self.frame = rgb(frame)
        self.accent = rgb(accent)
        self.accent2 = rgb(accent2) if accent2 else lighten(self.accent, 0.4)
        self.emblem = emblem
        self.pattern = pattern
        self.face = rgb(face)
        self.close = rgb(close)
        self.stud = stud
        self.strength = strength
        self.emblem_bg = rgb(emblem_bg) if emblem_bg else darken(self.frame, 0.55)
        self.emblem_fg = rgb(emblem_fg) if emblem_fg else self.accent
        self.multi = [rgb(m) for m in multi] if multi else None


SKINS = [
    Skin("爱情", ("#7a1030", "#4c0a22"), ("#3c0618", "#2a0412"), "#c8506a", "#ff86a4",
         "heart", "hearts", "#c85a7c", "#e0303c", emblem_fg="#ff4a6a", stud="diamond"),
    Skin("工程", ("#2e4c68", "#1c3046"), ("#16283c", "#0f1c2c"), "#6f879e", "#a6c8ea",
         "gear", "gears", "#5a7ea2", "#c8452f", stud="rivet"),
    Skin("旅游", ("#0e6a78", "#0a4654"), ("#083640", "#06262e"), "#d4b47c", "#ffd98a",
         "compass", "route", "#2a98a6", "#e0603a", emblem_bg="#0a4a56", stud="dash"),
    Skin("军事", ("#4c5c2c", "#323e1c"), ("#262e16", "#1c2210"), "#7e7448", "#c8b878",
         "star_shield", "camo", "#6a7a3a", "#b04a2a", stud="rivet"),
    Skin("日出1", ("#b04812", "#6a1e10"), ("#4a1410", "#300c0c"), "#e48c34", "#ffd060",
         "sunrise", "streaks", "#e07828", "#d02818", accent2="#ff9040", stud="dot"),
    Skin("满天星", ("#1a2250", "#0c1230"), ("#0a0e26", "#06081a"), "#34408a", "#fff2b0",
         "moon", "stars", "#3c4c9c", "#a03050", emblem_bg="#0a0e2a", stud="star"),
    Skin("建筑", ("#5c4c42", "#3a302a"), ("#2e2622", "#221c18"), "#b48c6c", "#e8c8a6",
         "columns", "bricks", "#8a6a52", "#b04030", stud="dash"),
    Skin("丝绸", ("#0e5c4a", "#083a30"), ("#062e26", "#04201a"), "#c8a040", "#f0d890",
         "ribbon", "waves", "#1a8a6a", "#c03838", accent2="#e86a8a", stud="diamond"),
    Skin("日出2", ("#6c2a7a", "#3a1450"), ("#2c0e40", "#1e0a2e"), "#e27ca2", "#ffb870",
         "sunsea", "clouds", "#b04a90", "#e04848", accent2="#ff7ab0", emblem_bg="#3a1450",
         stud="dot"),
    Skin("蓝宝石", ("#0c3c9c", "#062466"), ("#041c50", "#03143a"), "#3c6cd2", "#a6d4ff",
         "gem", "facets", "#2a5ac8", "#c02848", stud="diamond"),
    Skin("大丽石", ("#4c5054", "#2e3134"), ("#26282a", "#1a1c1e"), "#bcc0bc", "#eef2ee",
         "marble", "veins", "#80868a", "#a04040", emblem_bg="#d8dcd8", emblem_fg="#5a6a66",
         stud="none", strength=0.2),
    Skin("美丽科技", ("#2c1a5c", "#161040"), ("#100c30", "#0a0822"), "#44c4d4", "#ff66d4",
         "atom", "orbits", "#6040c0", "#e03070", accent2="#60f0ff", stud="dot"),
    Skin("水立方", ("#0a5c8c", "#063a60"), ("#043050", "#03223a"), "#5cc4ea", "#c4f2ff",
         "cube", "bubbles", "#2a8ac8", "#d04a4a", stud="dot", strength=0.2),
    Skin("美丽少女", ("#8c2c6c", "#5a1848"), ("#4a1040", "#360c30"), "#f6bcd4", "#ffd4ea",
         "flower", "petals", "#e080b0", "#e05070", accent2="#fff0a0", emblem_bg="#ffe4f0",
         emblem_fg="#f06aa8", stud="heart"),
    Skin("装饰艺术1", ("#2c2618", "#141008"), ("#100c06", "#0a0804"), "#c8a050", "#e8c870",
         "sunburst", "fans", "#8a7030", "#a83020", stud="diamond", strength=0.22),
    Skin("装饰艺术2", ("#1a4c4c", "#0e2e30"), ("#0a2426", "#06181a"), "#aabcbc", "#dcece4",
         "deco_diamond", "zigzag", "#3a7a78", "#b04040", stud="dash", strength=0.2),
    Skin("紫光科技", ("#4c1a7c", "#2c0e50"), ("#220a40", "#18062e"), "#8c5cd2", "#d4a6ff",
         "chip", "hexgrid", "#7a3ac0", "#d03070", stud="dot"),
    Skin("梦幻科技", ("#5c1a6c", "#1c1a5c"), ("#14104a", "#0c0a30"), "#b474e2", "#74f2ff",
         "swirl", "sparkles", "#8a4ad0", "#e04090", accent2="#ff8ae8", stud="star"),
    Skin("深蓝科技", ("#06224c", "#031430"), ("#021028", "#020a1c"), "#1c4c8c", "#34c4ff",
         "radar", "circuit", "#1a5aa0", "#c03040", stud="dash"),
    Skin("工程2", ("#3c3c3c", "#222222"), ("#1c1c1c", "#141414"), "#e8b818", "#ffd030",
         "wrench", "hazard", "#c89a10", "#d03a1a", emblem_bg="#1c1c1c", stud="hazard"),
    Skin("爱情2", ("#6c1a5a", "#40103a"), ("#320c2c", "#240820"), "#da92c2", "#ffb4da",
         "two_hearts", "roses", "#b85a98", "#e04870", accent2="#ffe0f0", stud="heart"),
    Skin("工程3", ("#143f7c", "#0c2c5a"), ("#0a2450", "#081c40"), "#4c7cc2", "#d2e6ff",
         "drafting", "grid", "#2a5aa0", "#c04a3a", stud="dash", strength=0.2),
    Skin("工程4", ("#5c3418", "#3a200e"), ("#2e1a0c", "#221208"), "#b87333", "#f2b272",
         "nut", "rivets", "#a0602a", "#b83020", stud="rivet"),
    Skin("纺织", ("#3c2c5c", "#241a3e"), ("#1c1430", "#140e22"), "#c87c5c", "#f2c272",
         "spool", "weave", "#7a5aa0", "#c84a3a", accent2="#7ac0e0", stud="stitch"),
    Skin("人民政府", ("#9c1010", "#600808"), ("#4c0606", "#380404"), "#d4a020", "#ffd860",
         "hall", "meander", "#b88a20", "#c01818", emblem_bg="#a01010", stud="diamond",
         strength=0.2),
    Skin("英俊少年", ("#1c2c4c", "#101a30"), ("#0c1426", "#080e1a"), "#e27222", "#ffb264",
         "ball", "speed", "#2a4a80", "#d05020", emblem_bg="#0c1426", stud="dash"),
    Skin("梦幻儿童", ("#3c2c8c", "#24186a"), ("#1c1258", "#140c40"), "#ffca52", "#ffe27a",
         "balloons", "confetti", "#5a8ae0", "#f05060", stud="dot",
         multi=["#ff6a8a", "#ffd24a", "#6ae07a", "#5ac8ff", "#c88aff"]),
    Skin("工程5", ("#32363a", "#1e2124"), ("#1a1c1e", "#121416"), "#c85a1e", "#f28c42",
         "bridge", "truss", "#5a6066", "#c84a1a", stud="rivet"),
    Skin("梦幻儿童2", ("#1a3c6c", "#10244a"), ("#0c1c3c", "#08142c"), "#a2daf2", "#e6f6ff",
         "rainbow", "clouds", "#4a90d0", "#e06080", emblem_bg="#12305a", stud="star",
         multi=["#ff6a6a", "#ffb04a", "#ffe65a", "#6ad87a", "#5aaaff", "#a87aff"]),
    Skin("友好联邦", ("#0e4c3c", "#082e26"), ("#06261e", "#041a16"), "#62b292", "#ffe282",
         "globe", "rings", "#2a8a70", "#d05040", emblem_bg="#0a3a5a", emblem_fg="#8ee0ff",
         stud="dot"),
]


def inactive_of(s):
    """The inactive look: the same skin, desaturated and dimmed; the frame stays as it is
    because the border picture has no inactive variant."""
    t = Skin.__new__(Skin)
    t.__dict__.update(s.__dict__)
    t.base = s
    t.title = tuple(cap_luminance(darken(desaturate(c, 0.65), 0.25), MAX_LUM_INACTIVE)
                    for c in s.title)
    t.menu = tuple(cap_luminance(darken(desaturate(c, 0.65), 0.25), MAX_LUM_INACTIVE)
                   for c in s.menu)
    t.accent = desaturate(darken(s.accent, 0.35), 0.6)
    t.accent2 = desaturate(darken(s.accent2, 0.35), 0.6)
    t.emblem_bg = desaturate(darken(s.emblem_bg, 0.2), 0.5)
    t.emblem_fg = desaturate(darken(s.emblem_fg, 0.3), 0.6)
    t.multi = [desaturate(darken(m, 0.3), 0.6) for m in s.multi] if s.multi else None
    t.strength = s.strength * 0.7
    return t


# ---------------------------------------------------------------- frame profile

def frame_profile(s):
    """Colours of the 10-pixel side frame from the outside (0) to the client side (9)."""
    f = s.frame
    outline = darken(f, 0.62)
    return [outline, lighten(f, 0.45), lighten(f, 0.15), f, f, f, f,
            darken(f, 0.12), darken(f, 0.3), darken(f, 0.7)]


def stud_pixels(s):
    """Small ornament of the side frame, repeated every B pixels: (along, across) -> colour.
    'along' runs with the edge (0..9), 'across' is the profile index (2..7)."""
    hi, lo = lighten(s.frame, 0.6), darken(s.frame, 0.45)
    acc = s.accent
    kind = s.stud
    px = {}
    if kind == "dot":
        for a, c in ((4, 4), (4, 5), (5, 4), (5, 5)):
            px[(a, c)] = acc
        px[(3, 4)] = hi
    elif kind == "rivet":
        px.update({(4, 4): hi, (4, 5): s.frame, (5, 4): s.frame, (5, 5): lo})
    elif kind == "diamond":
        for a, c in ((3, 4), (4, 3), (4, 4), (4, 5), (5, 4), (4, 6), (5, 5), (6, 5), (5, 3)):
            px[(a, c)] = acc
    elif kind == "dash":
        for a in range(2, 8):
            px[(a, 4)] = lo
            px[(a, 5)] = hi
    elif kind == "star":
        for a, c in ((4, 4), (3, 4), (5, 4), (4, 3), (4, 5)):
            px[(a, c)] = acc
    elif kind == "heart":
        for a, c in ((3, 3), (3, 5), (4, 3), (4, 4), (4, 5), (5, 4)):
            px[(a, c)] = acc
    elif kind == "hazard":
        for a in range(10):
            for c in range(2, 8):
                if (a + c) % 10 < 5:
                    px[(a, c)] = (30, 30, 30)
    elif kind == "stitch":
        for a in range(1, 5):
            px[(a, 4)] = acc
        for a in range(6, 10):
            px[(a, 5)] = s.accent2
    return px


def edge_colour(s, along, k):
    """Pixel of a side frame: position 'along' the edge (period B) and profile index k."""
    prof = frame_profile(s)
    if 2 <= k <= 7:
        px = stud_pixels(s)
        if (along % B, k) in px:
            return px[(along % B, k)]
    return prof[k]


# ---------------------------------------------------------------- border picture

def make_border(s):
    img = Image.new("RGB", (BORDER_W, BORDER_H))
    p = img.load()
    prof = frame_profile(s)
    for y in range(B):
        for x in range(B):
            p[TILE_LEFT + x, y] = edge_colour(s, y, x)             # outside at column 0
            p[TILE_RIGHT + x, y] = edge_colour(s, y, B - 1 - x)    # outside at column 9
            p[TILE_BOTTOM + x, y] = edge_colour(s, x, B - 1 - y)   # outside at row 9
            p[B + x, y] = p[TILE_LEFT + x, y]                      # unread columns
            p[5 * B + x, y] = edge_colour(s, y, B - 1 - x)
    for y in range(B):
        for x in range(B):
            # Bottom-left corner: nearest outer side decides the profile index.
            k = min(x, B - 1 - y)
            p[TILE_CORNER_BL + x, y] = prof[k]
            if TILE_CORNER_BR + x < BORDER_W:
                k = min(B - 1 - x, B - 1 - y)
                p[TILE_CORNER_BR + x, y] = prof[k]
    # A small jewel in each corner square.
    for cx in (TILE_CORNER_BL + 4, TILE_CORNER_BR + 5):
        for dx, dy in ((0, 0), (-1, 0), (0, -1), (-1, -1)):
            x, y = cx + dx, 5 + dy
            if x < BORDER_W:
                p[x, y] = s.accent
    return img


# ---------------------------------------------------------------- supersampled drawing

class Layer:
    """An RGBA layer drawn at SUPER times the size and reduced with antialiasing."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SUPER, h * SUPER), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def _box(self, x0, y0, x1, y1):
        return [x0 * SUPER, y0 * SUPER, x1 * SUPER, y1 * SUPER]

    def ellipse(self, cx, cy, rx, ry, fill=None, outline=None, width=1.0):
        self.d.ellipse(self._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=_rgba(fill),
                       outline=_rgba(outline), width=max(1, int(width * SUPER)))

    def circle(self, cx, cy, r, fill=None, outline=None, width=1.0):
        self.ellipse(cx, cy, r, r, fill, outline, width)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.d.rectangle(self._box(x0, y0, x1, y1), fill=_rgba(fill), outline=_rgba(outline),
                         width=max(1, int(width * SUPER)))

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=1.0):
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * SUPER, fill=_rgba(fill),
                                 outline=_rgba(outline), width=max(1, int(width * SUPER)))

    def poly(self, pts, fill=None, outline=None, width=1.0):
        sp = [(x * SUPER, y * SUPER) for x, y in pts]
        if fill is not None:
            self.d.polygon(sp, fill=_rgba(fill))
        if outline is not None:
            self.d.line(sp + [sp[0]], fill=_rgba(outline), width=max(1, int(width * SUPER)),
                        joint="curve")

    def line(self, pts, colour, width=1.0):
        sp = [(x * SUPER, y * SUPER) for x, y in pts]
        self.d.line(sp, fill=_rgba(colour), width=max(1, int(width * SUPER)), joint="curve")

    def arc(self, cx, cy, r, a0, a1, colour, width=1.0):
        self.d.arc(self._box(cx - r, cy - r, cx + r, cy + r), a0, a1, fill=_rgba(colour),
                   width=max(1, int(width * SUPER)))

    def pieslice(self, cx, cy, r, a0, a1, fill):
        self.d.pieslice(self._box(cx - r, cy - r, cx + r, cy + r), a0, a1, fill=_rgba(fill))

    def reduced(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def _rgba(c):
    if c is None:
        return None
    if len(c) == 4:
        return tuple(c)
    return (c[0], c[1], c[2], 255)


def with_alpha(c, a):
    return (c[0], c[1], c[2], int(round(255 * max(0.0, min(1.0, a)))))


# ---------------------------------------------------------------- motif shapes

def heart(L, cx, cy, r, fill=None, outline=None, width=1.0):
    pts = []
    for i in range(48):
        t = 2 * math.pi * i / 48
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((cx + x * r / 16, cy - y * r / 16 - r * 0.1))
    L.poly(pts, fill=fill, outline=outline, width=width)


def star(L, cx, cy, r, points=5, inner=0.45, fill=None, outline=None, rot=-90, width=1.0):
    pts = []
    for i in range(points * 2):
        rr = r if i % 2 == 0 else r * inner
        a = math.radians(rot + 180.0 * i / points)
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    L.poly(pts, fill=fill, outline=outline, width=width)


def gear(L, cx, cy, r, teeth, colour, width=None):
    pts = []
    n = teeth * 4
    for i in range(n):
        a = 2 * math.pi * i / n
        rr = r if (i % 4) in (0, 1) else r * 0.78
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    L.poly(pts, fill=colour if width is None else None,
           outline=colour if width is not None else None, width=width or 1)


def flower(L, cx, cy, r, petal, centre, petals=5, rot=0.0):
    for i in range(petals):
        a = math.radians(rot + 360.0 * i / petals)
        px, py = cx + r * 0.5 * math.cos(a), cy + r * 0.5 * math.sin(a)
        L.circle(px, py, r * 0.42, fill=petal)
    L.circle(cx, cy, r * 0.3, fill=centre)


def hexagon(L, cx, cy, r, fill=None, outline=None, width=1.0, rot=0):
    pts = [(cx + r * math.cos(math.radians(rot + 60 * i)), cy + r * math.sin(math.radians(rot + 60 * i)))
           for i in range(6)]
    L.poly(pts, fill=fill, outline=outline, width=width)


def sparkle(L, cx, cy, r, colour):
    L.poly([(cx, cy - r), (cx + r * 0.22, cy - r * 0.22), (cx + r, cy), (cx + r * 0.22, cy + r * 0.22),
            (cx, cy + r), (cx - r * 0.22, cy + r * 0.22), (cx - r, cy), (cx - r * 0.22, cy - r * 0.22)],
           fill=colour)


def cloud(L, cx, cy, r, colour):
    for dx, dy, rr in ((-0.9, 0.2, 0.55), (-0.3, -0.25, 0.7), (0.45, -0.1, 0.6), (1.0, 0.25, 0.45),
                       (0.1, 0.3, 0.6)):
        L.circle(cx + dx * r, cy + dy * r, rr * r, fill=colour)


# ---------------------------------------------------------------- tile patterns

def draw_pattern(L, s, kind, x0, period, rng, colour, colour2):
    """Draws one period (columns x0 .. x0+period) of a tile pattern; called for the copies at
    -period, 0 and +period so the reduced middle copy wraps without a seam."""
    a = colour
    b = colour2
    if kind == "hearts":
        for (x, y, r) in ((8, 14, 4.0), (33, 21, 3.0), (22, 40, 3.5), (46, 45, 2.6), (44, 9, 2.4)):
            heart(L, x0 + x, y, r, fill=a)
    elif kind == "gears":
        for (x, y, r, t) in ((12, 16, 7, 8), (38, 42, 8, 9), (41, 12, 4, 6), (14, 44, 4, 6)):
            gear(L, x0 + x, y, r, t, a, width=1.0)
            L.circle(x0 + x, y, r * 0.3, outline=a, width=1.0)
    elif kind == "route":
        pts = [(x0 + i * period / 26.0, 20 + 6 * math.sin(2 * math.pi * i / 26.0)) for i in range(27)]
        for i in range(0, 26, 2):
            L.line(pts[i:i + 2], a, 1.2)
        pts = [(x0 + i * period / 26.0, 42 + 4 * math.cos(2 * math.pi * i / 26.0)) for i in range(27)]
        for i in range(0, 26, 2):
            L.line(pts[i:i + 2], b, 1.0)
        L.circle(x0 + 13, 17.5, 1.6, fill=b)
    elif kind == "camo":
        for (x, y, rx, ry) in ((8, 12, 9, 5), (30, 22, 11, 4), (45, 8, 7, 4), (18, 38, 10, 6),
                               (42, 46, 9, 5), (2, 48, 6, 4)):
            L.ellipse(x0 + x, y, rx, ry, fill=a if (x + y) % 2 else b)
    elif kind == "streaks":
        for (x, y, w) in ((0, 9, 30), (20, 17, 34), (6, 24, 22), (28, 35, 30), (2, 44, 26), (30, 50, 18)):
            L.rrect(x0 + x, y, x0 + x + w, y + 1.6, 0.8, fill=a)
    elif kind == "stars":
        for _ in range(9):
            x, y = rng.uniform(0, period), rng.uniform(5, 53)
            r = rng.choice((0.6, 0.8, 1.0, 1.6))
            if r > 1.2:
                sparkle(L, x0 + x, y, r * 1.8, b)
            else:
                L.circle(x0 + x, y, r, fill=a)
    elif kind == "bricks":
        for row, y in enumerate(range(4, 54, 7)):
            L.line([(x0, y), (x0 + period, y)], a, 0.8)
            off = 0 if row % 2 == 0 else period / 4
            for k in range(2):
                x = x0 + off + k * period / 2
                L.line([(x, y), (x, y + 7)], a, 0.8)
    elif kind == "waves":
        for base, amp, col, w in ((12, 4, a, 1.4), (20, 3, b, 1.0), (38, 5, a, 1.4), (47, 3, b, 1.0)):
            pts = [(x0 + i * period / 52.0, base + amp * math.sin(2 * math.pi * i / 52.0))
                   for i in range(53)]
            L.line(pts, col, w)
    elif kind == "facets":
        for k in range(0, period, 13):
            L.line([(x0 + k, 4), (x0 + k + 13, 28), (x0 + k, 54)], a, 1.0)
            L.line([(x0 + k + 6.5, 4), (x0 + k + 6.5, 54)], b, 0.6)
    elif kind == "veins":
        for base, amp, ph in ((10, 5, 0.0), (24, 4, 1.8), (40, 6, 3.1), (50, 3, 4.4)):
            pts = [(x0 + i, base + amp * math.sin(2 * math.pi * i / 52.0 + ph)
                    + 1.5 * math.sin(2 * math.pi * 3 * i / 52.0 + ph * 2)) for i in range(period + 1)]
            L.line(pts, a, 0.9)
    elif kind == "orbits":
        L.ellipse(x0 + 26, 16, 22, 7, outline=a, width=1.0)
        L.ellipse(x0 + 26, 42, 22, 6, outline=b, width=1.0)
        L.circle(x0 + 48, 16, 1.5, fill=b)
        L.circle(x0 + 4, 42, 1.5, fill=a)
    elif kind == "bubbles":
        for (x, y, r) in ((6, 10, 4), (20, 18, 6), (37, 9, 3.5), (46, 22, 5), (12, 34, 3),
                          (30, 40, 7), (48, 46, 3.5), (4, 48, 5)):
            L.circle(x0 + x, y, r, outline=a, width=1.0)
            L.circle(x0 + x - r * 0.35, y - r * 0.35, r * 0.18, fill=b)
    elif kind == "petals":
        for (x, y, r, rot) in ((10, 14, 5, 0), (36, 22, 4, 30), (22, 42, 5, 15), (48, 47, 3.5, 45)):
            flower(L, x0 + x, y, r, a, b, rot=rot)
    elif kind == "fans":
        for k in range(0, period, 26):
            for y0 in (27, 54):
                cx = x0 + k + 13
                for i in range(5):
                    ang = 180 + 36 * i
                    L.line([(cx, y0), (cx + 12 * math.cos(math.radians(ang + 18)),
                                       y0 + 12 * math.sin(math.radians(ang + 18)))], a, 0.8)
                L.arc(cx, y0, 12, 180, 360, a, 1.0)
                L.arc(cx, y0, 7, 180, 360, b, 0.8)
    elif kind == "zigzag":
        for y in (10, 20, 36, 46):
            pts = [(x0 + i * 6.5, y + (3 if i % 2 else -3)) for i in range(9)]
            L.line(pts, a if y < 30 else b, 1.0)
    elif kind == "hexgrid":
        # Four columns of 13 so the grid repeats with the tile's 52.
        for col in range(4):
            for row in range(6):
                cx = x0 + col * 13 + (6.5 if row % 2 else 0)
                cy = 4 + row * 10
                hexagon(L, cx, cy, 6.0, outline=a, width=0.8, rot=30)
    elif kind == "sparkles":
        for (x, y, r) in ((8, 12, 3.5), (30, 20, 2.2), (44, 8, 1.8), (18, 40, 2.6), (40, 46, 3.2)):
            sparkle(L, x0 + x, y, r, a if r > 2.5 else b)
        for _ in range(6):
            L.circle(x0 + rng.uniform(0, period), rng.uniform(5, 53), 0.6, fill=b)
    elif kind == "circuit":
        for (y, xs, xe, up) in ((9, 0, 26, 6), (22, 18, 52, -5), (36, 0, 30, 7), (47, 26, 52, -6)):
            L.line([(x0 + xs, y), (x0 + xe - 6, y), (x0 + xe, y + up)], a, 0.9)
            L.circle(x0 + xe, y + up, 1.3, outline=b, width=0.8)
    elif kind == "hazard":
        for k in range(0, period, 13):
            L.poly([(x0 + k, 54), (x0 + k + 6, 54), (x0 + k + 6 + 25, 4), (x0 + k + 25, 4)], fill=a)
    elif kind == "roses":
        for (x, y, r) in ((10, 15, 4.5), (36, 40, 5), (44, 12, 2.8), (18, 44, 3)):
            L.circle(x0 + x, y, r, outline=a, width=0.9)
            L.arc(x0 + x, y, r * 0.55, 30, 300, b, 0.8)
            heart(L, x0 + x + r + 2.5, y + r * 0.3, 1.6, fill=b)
    elif kind == "grid":
        for k in range(0, period, 13):
            L.line([(x0 + k, 4), (x0 + k, 54)], a, 0.7)
        for y in range(4, 55, 13):
            L.line([(x0, y), (x0 + period, y)], a, 0.7)
        for k in range(0, period, 13):
            for y in range(4, 55, 13):
                L.line([(x0 + k + 6.5, y - 1), (x0 + k + 6.5, y + 1)], b, 0.5)
    elif kind == "rivets":
        for y in (8, 24, 34, 50):
            for k in range(0, period, 13):
                L.circle(x0 + k + 6.5, y, 1.5, fill=a)
                L.circle(x0 + k + 6.0, y - 0.6, 0.6, fill=b)
        L.line([(x0, 16), (x0 + period, 16)], a, 0.7)
        L.line([(x0, 42), (x0 + period, 42)], a, 0.7)
    elif kind == "weave":
        for row, y in enumerate(range(4, 54, 6)):
            for k in range(0, period, 13):
                if (row + k // 13) % 2 == 0:
                    L.rrect(x0 + k + 1, y + 1, x0 + k + 12, y + 5, 2, fill=a)
                else:
                    L.rrect(x0 + k + 4, y, x0 + k + 9, y + 6, 2, fill=b)
    elif kind == "meander":
        # Square key pattern in two bands.
        for yb in (6, 32):
            for k in range(0, period, 13):
                x = x0 + k
                L.line([(x, yb + 12), (x, yb), (x + 10, yb), (x + 10, yb + 8), (x + 4, yb + 8),
                        (x + 4, yb + 4), (x + 7, yb + 4)], a, 1.0)
    elif kind == "speed":
        for (x, y, w) in ((0, 10, 18), (24, 14, 22), (10, 22, 14), (30, 36, 20), (4, 44, 24),
                          (34, 50, 14)):
            L.poly([(x0 + x, y), (x0 + x + w, y - 1.2), (x0 + x + w, y)], fill=a)
    elif kind == "confetti":
        cols = s.multi or [a]
        for i in range(12):
            x, y = rng.uniform(0, period), rng.uniform(6, 52)
            c = with_alpha(cols[i % len(cols)], a[3] / 255.0 * 1.6)
            if i % 3 == 0:
                L.rect(x0 + x, y, x0 + x + 2, y + 2, fill=c)
            else:
                L.circle(x0 + x, y, 1.1, fill=c)
    elif kind == "truss":
        for k in range(0, period, 26):
            L.line([(x0 + k, 8), (x0 + k + 13, 22), (x0 + k + 26, 8)], a, 1.0)
            L.line([(x0 + k, 36), (x0 + k + 13, 50), (x0 + k + 26, 36)], a, 1.0)
        for y in (8, 22, 36, 50):
            L.line([(x0, y), (x0 + period, y)], b, 0.7)
    elif kind == "clouds":
        for (x, y, r) in ((10, 14, 4), (38, 20, 3), (24, 42, 4.5), (50, 46, 2.5)):
            cloud(L, x0 + x, y, r, a)
        if s.multi:
            for i, c in enumerate(s.multi):
                L.circle(x0 + 4 + i * 8.5, 52, 0.7, fill=with_alpha(c, a[3] / 255.0))
    elif kind == "rings":
        for (x, y) in ((10, 15), (36, 41)):
            L.circle(x0 + x, y, 5, outline=a, width=1.0)
            L.circle(x0 + x + 6, y, 5, outline=b, width=1.0)
    else:
        raise ValueError(kind)


def band_colour(s, y):
    """Plain colour of caption row y: rim, title band, separator, menu band, bottom line."""
    prof = frame_profile(s)
    if y < RIM_ROWS:
        return (prof[0], prof[1], prof[2], prof[9])[y]
    if y < SEPARATOR_ROW:
        return mix(s.title[0], s.title[1], (y - RIM_ROWS) / (SEPARATOR_ROW - RIM_ROWS - 1))
    if y == SEPARATOR_ROW:
        return mix(s.title[1], s.accent, 0.35)
    if y == SEPARATOR_ROW + 1:
        return darken(s.menu[0], 0.4)
    if y < BOTTOM_ROW:
        return mix(s.menu[0], s.menu[1], (y - SEPARATOR_ROW - 2) / (BOTTOM_ROW - SEPARATOR_ROW - 3))
    return prof[9]


def make_tile(s):
    """The 52-column middle tile: bands, rim, separator and a faint, seamless pattern."""
    w3 = TILE_W * 3
    base = Image.new("RGB", (w3, CAPTION_H))
    d = ImageDraw.Draw(base)
    for y in range(CAPTION_H):
        d.line([(0, y), (w3, y)], fill=band_colour(s, y))
    L = Layer(w3, CAPTION_H)
    for copy in range(3):
        # Each copy draws the same scatter, so the three periods are identical.
        rng = random.Random(hash_name(s.name))
        draw_pattern(L, s, s.pattern, copy * TILE_W, TILE_W, rng,
                     with_alpha(s.accent, s.strength), with_alpha(s.accent2, s.strength * 0.8))
    pat = L.reduced()
    # Keep the pattern off the rim, the separator and the bottom line.
    mask = Image.new("L", (w3, CAPTION_H), 0)
    md = ImageDraw.Draw(mask)
    md.rectangle([0, RIM_ROWS, w3, SEPARATOR_ROW - 1], fill=255)
    md.rectangle([0, SEPARATOR_ROW + 2, w3, BOTTOM_ROW - 1], fill=255)
    alpha = Image.composite(pat.getchannel("A"), Image.new("L", (w3, CAPTION_H), 0), mask)
    pat.putalpha(alpha)
    base = base.convert("RGBA")
    base.alpha_composite(pat)
    tile = base.convert("RGB").crop((TILE_W, 0, 2 * TILE_W, CAPTION_H))
    clamp_bands(tile, s)
    return tile


def clamp_bands(img, s, x0=0, x1=None):
    """Caps the luminance of the text bands so the title and menu colours always read."""
    x1 = img.width if x1 is None else x1
    p = img.load()
    ina = getattr(s, "is_inactive", False)
    for y in range(RIM_ROWS, BOTTOM_ROW):
        if y in (SEPARATOR_ROW, SEPARATOR_ROW + 1):
            continue
        ceiling = MAX_LUM_INACTIVE if ina else (MAX_LUM_TITLE if y < SEPARATOR_ROW else MAX_LUM_MENU)
        for x in range(x0, x1):
            p[x, y] = cap_luminance(p[x, y], ceiling)


def hash_name(name):
    return sum((i + 1) * ord(ch) for i, ch in enumerate(name))


# ---------------------------------------------------------------- emblems

def draw_emblem(L, s, cx, cy):
    """The skin's medallion, centred on the icon zone of the caption."""
    bg, fg, acc, acc2 = s.emblem_bg, s.emblem_fg, s.accent, s.accent2
    ring = lighten(s.frame, 0.2)
    L.circle(cx, cy, 15.2, fill=darken(s.frame, 0.65))
    L.circle(cx, cy, 14.2, fill=ring)
    L.circle(cx, cy, 12.6, fill=bg)
    L.circle(cx, cy, 12.6, outline=darken(ring, 0.35), width=0.8)
    e = s.emblem
    if e == "heart":
        heart(L, cx, cy + 0.5, 9.5, fill=darken(fg, 0.35))
        heart(L, cx - 0.4, cy, 8.8, fill=fg)
        L.ellipse(cx - 4, cy - 4, 2.2, 1.5, fill=lighten(fg, 0.6))
    elif e == "gear":
        gear(L, cx, cy, 10.5, 10, fg)
        L.circle(cx, cy, 4.2, fill=bg)
        L.circle(cx, cy, 2.0, fill=fg)
    elif e == "compass":
        L.circle(cx, cy, 10, outline=fg, width=1.0)
        star(L, cx, cy, 10.5, points=4, inner=0.25, fill=fg, rot=-90)
        star(L, cx, cy, 7, points=4, inner=0.3, fill=acc2, rot=-45)
        L.poly([(cx, cy - 10.5), (cx + 2.2, cy), (cx - 2.2, cy)], fill=(220, 60, 50))
        L.circle(cx, cy, 1.5, fill=bg)
    elif e == "star_shield":
        L.poly([(cx - 9, cy - 10), (cx + 9, cy - 10), (cx + 9, cy + 1), (cx, cy + 11), (cx - 9, cy + 1)],
               fill=darken(fg, 0.3), outline=fg, width=1.2)
        star(L, cx, cy - 1.5, 6.5, fill=acc2)
    elif e == "sunrise":
        for i in range(9):
            a = math.radians(180 + 22.5 * i)
            L.line([(cx + 7 * math.cos(a), cy + 3 + 7 * math.sin(a)),
                    (cx + 11.5 * math.cos(a), cy + 3 + 11.5 * math.sin(a))], acc2, 1.6)
        L.pieslice(cx, cy + 3, 6.5, 180, 360, fg)
        L.rect(cx - 11, cy + 3, cx + 11, cy + 4.2, fill=fg)
        L.rect(cx - 8, cy + 6, cx + 8, cy + 7, fill=acc2)
        L.rect(cx - 5, cy + 9, cx + 5, cy + 10, fill=acc2)
    elif e == "moon":
        L.circle(cx - 1.5, cy, 8.5, fill=fg)
        L.circle(cx + 2.5, cy - 2.5, 7.6, fill=bg)
        for (dx, dy, r) in ((5, 4, 2.6), (7, -6, 1.6), (-2, -8, 1.2), (1, 9, 1.2)):
            sparkle(L, cx + dx, cy + dy, r * 1.6, fg)
    elif e == "columns":
        L.poly([(cx - 11, cy - 4), (cx, cy - 11), (cx + 11, cy - 4)], fill=fg)
        L.rect(cx - 10, cy - 4, cx + 10, cy - 2.5, fill=fg)
        for i in range(4):
            x = cx - 8 + i * 5.3
            L.rect(x - 1.3, cy - 2, x + 1.3, cy + 7, fill=fg)
        L.rect(cx - 11, cy + 7.5, cx + 11, cy + 9.5, fill=fg)
    elif e == "ribbon":
        # Three bands of draped silk, each a filled wave strip.
        for k, col in enumerate((fg, acc2, lighten(fg, 0.5))):
            y0 = cy - 7 + k * 5
            top = [(cx - 11 + i, y0 + 2.6 * math.sin(i / 22.0 * 2 * math.pi + k * 0.9)) for i in range(23)]
            bot = [(x, y + 3.4) for x, y in reversed(top)]
            L.poly(top + bot, fill=col)
        L.circle(cx, cy, 12.6, outline=darken(bg, 0.2), width=1.6)
    elif e == "sunsea":
        L.circle(cx, cy - 1, 6.5, fill=fg)
        for k in range(3):
            y = cy + 3 + k * 3
            pts = [(cx - 11 + i, y + 0.9 * math.sin(i * 1.1 + k)) for i in range(23)]
            L.line(pts, acc2 if k % 2 == 0 else lighten(acc2, 0.4), 1.4)
    elif e == "gem":
        top = [(cx - 10, cy - 3), (cx - 6, cy - 9), (cx + 6, cy - 9), (cx + 10, cy - 3)]
        L.poly(top + [(cx, cy + 11)], fill=fg)
        L.poly([(cx - 10, cy - 3), (cx + 10, cy - 3), (cx, cy + 11)], fill=darken(fg, 0.25))
        L.poly([(cx - 6, cy - 9), (cx - 2, cy - 3), (cx + 2, cy - 3), (cx + 6, cy - 9)], fill=lighten(fg, 0.45))
        L.line([(cx - 2, cy - 3), (cx, cy + 11), (cx + 2, cy - 3)], darken(fg, 0.45), 0.8)
    elif e == "marble":
        L.circle(cx, cy, 11, fill=bg)
        for base, amp, ph in ((-5, 2.5, 0.3), (0, 3, 2.0), (5, 2, 4.0)):
            pts = [(cx - 10 + i, cy + base + amp * math.sin(i * 0.45 + ph)) for i in range(21)]
            L.line(pts, fg, 1.0)
        L.ellipse(cx - 4, cy - 6, 3, 1.5, fill=lighten(bg, 0.6))
    elif e == "atom":
        for ang in (0, 60, 120):
            pts = []
            for i in range(41):
                t = 2 * math.pi * i / 40
                x, y = 11 * math.cos(t), 4.2 * math.sin(t)
                a = math.radians(ang)
                pts.append((cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a)))
            L.line(pts, fg if ang != 60 else acc2, 1.1)
        L.circle(cx, cy, 2.6, fill=acc2)
    elif e == "cube":
        L.poly([(cx, cy - 10), (cx + 9, cy - 5), (cx, cy), (cx - 9, cy - 5)], fill=lighten(fg, 0.3))
        L.poly([(cx - 9, cy - 5), (cx, cy), (cx, cy + 10), (cx - 9, cy + 5)], fill=fg)
        L.poly([(cx + 9, cy - 5), (cx, cy), (cx, cy + 10), (cx + 9, cy + 5)], fill=darken(fg, 0.3))
        for (dx, dy, r) in ((-5, 2, 1.6), (-3, -1, 1.0), (4, 3, 1.4), (5, -1, 0.9), (0, -5, 1.2)):
            L.circle(cx + dx, cy + dy, r, outline=bg, width=0.6)
    elif e == "flower":
        flower(L, cx, cy, 11, fg, s.accent2, petals=5, rot=-90)
        L.circle(cx, cy, 2.0, fill=lighten(s.accent2, 0.5))
    elif e == "sunburst":
        for i in range(7):
            a = math.radians(180 + 30 * i)
            L.line([(cx, cy + 6), (cx + 13 * math.cos(a), cy + 6 + 13 * math.sin(a))], fg, 1.4)
        L.pieslice(cx, cy + 6, 6, 180, 360, fg)
        L.rect(cx - 11, cy + 6, cx + 11, cy + 7.2, fill=fg)
        L.rect(cx - 7, cy + 9, cx + 7, cy + 10, fill=fg)
    elif e == "deco_diamond":
        for r, col in ((11, fg), (8, bg), (6, acc2), (3.5, bg)):
            L.poly([(cx, cy - r), (cx + r, cy), (cx, cy + r), (cx - r, cy)], fill=col)
        L.line([(cx - 11, cy), (cx + 11, cy)], fg, 0.8)
    elif e == "chip":
        hexagon(L, cx, cy, 10.5, fill=darken(fg, 0.45), outline=fg, width=1.2, rot=30)
        L.rect(cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5, fill=fg)
        for k in (-3, 0, 3):
            L.line([(cx + k, cy - 4.5), (cx + k, cy - 7.5)], fg, 0.9)
            L.line([(cx + k, cy + 4.5), (cx + k, cy + 7.5)], fg, 0.9)
        L.rect(cx - 2, cy - 2, cx + 2, cy + 2, fill=acc2)
    elif e == "swirl":
        pts = []
        for i in range(90):
            t = i / 89.0
            a = 4.5 * math.pi * t
            r = 1 + 10 * t
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        L.line(pts, fg, 1.8)
        sparkle(L, cx + 6, cy - 7, 3.5, acc2)
    elif e == "radar":
        for r in (10, 6.5, 3):
            L.circle(cx, cy, r, outline=fg, width=0.9)
        L.pieslice(cx, cy, 10, 290, 340, with_alpha(fg, 0.6))
        L.line([(cx, cy), (cx + 10 * math.cos(math.radians(340)), cy + 10 * math.sin(math.radians(340)))], fg, 1.2)
        L.circle(cx - 4, cy + 4, 1.3, fill=acc2)
    elif e == "wrench":
        L.poly([(cx - 12, cy + 9), (cx + 12, cy + 9), (cx, cy - 11)], fill=fg)
        L.poly([(cx - 8, cy + 6.5), (cx + 8, cy + 6.5), (cx, cy - 6.5)], fill=(28, 28, 28))
        L.rect(cx - 1.2, cy - 3, cx + 1.2, cy + 2, fill=fg)
        L.circle(cx, cy + 4.2, 1.2, fill=fg)
    elif e == "two_hearts":
        heart(L, cx - 3.5, cy - 1.5, 7, fill=fg)
        heart(L, cx + 4, cy + 2.5, 6.5, fill=acc2, outline=darken(fg, 0.3), width=0.8)
    elif e == "drafting":
        L.poly([(cx - 10, cy + 8), (cx + 8, cy + 8), (cx - 10, cy - 10)], outline=fg, width=1.5)
        L.poly([(cx - 6, cy + 4.5), (cx + 0.5, cy + 4.5), (cx - 6, cy - 2)], outline=fg, width=0.9)
        L.line([(cx + 3, cy - 10), (cx - 1, cy + 4)], acc2, 1.4)
        L.line([(cx + 3, cy - 10), (cx + 8, cy + 3)], acc2, 1.4)
        L.circle(cx + 3, cy - 10, 1.5, fill=acc2)
    elif e == "nut":
        hexagon(L, cx, cy, 11, fill=fg, rot=0)
        hexagon(L, cx, cy, 11, outline=darken(fg, 0.4), width=1.0, rot=0)
        L.circle(cx, cy, 5, fill=bg)
        L.circle(cx, cy, 5, outline=lighten(fg, 0.4), width=1.0)
    elif e == "spool":
        L.rect(cx - 8, cy - 10, cx + 8, cy - 7.5, fill=fg)
        L.rect(cx - 8, cy + 7.5, cx + 8, cy + 10, fill=fg)
        L.rect(cx - 6, cy - 7.5, cx + 6, cy + 7.5, fill=acc2)
        for k in range(6):
            y = cy - 6.5 + k * 2.6
            L.line([(cx - 6, y), (cx + 6, y + 1.2)], darken(acc2, 0.35), 0.7)
        L.line([(cx + 6, cy + 2), (cx + 11, cy + 6)], acc2, 0.9)
    elif e == "hall":
        L.poly([(cx - 11, cy - 5), (cx, cy - 11), (cx + 11, cy - 5)], fill=fg)
        L.rect(cx - 11, cy - 5, cx + 11, cy - 3.5, fill=fg)
        for i in range(5):
            x = cx - 8.5 + i * 4.25
            L.rect(x - 1, cy - 3, x + 1, cy + 5.5, fill=fg)
        L.rect(cx - 11, cy + 6, cx + 11, cy + 7.5, fill=fg)
        L.rect(cx - 12, cy + 8.5, cx + 12, cy + 10, fill=fg)
        star(L, cx, cy - 7, 1.8, fill=bg)
    elif e == "ball":
        L.circle(cx, cy, 10.5, fill=fg)
        hexagon(L, cx, cy, 3.8, fill=(30, 34, 44), rot=-90)
        for k in range(5):
            a = math.radians(-90 + 72 * k)
            px, py = cx + 8.3 * math.cos(a), cy + 8.3 * math.sin(a)
            L.line([(cx + 3.8 * math.cos(a), cy + 3.8 * math.sin(a)), (px, py)], (30, 34, 44), 0.9)
            L.circle(px, py, 2.2, fill=(30, 34, 44))
        L.circle(cx, cy, 10.5, outline=darken(fg, 0.4), width=0.8)
    elif e == "balloons":
        cols = s.multi
        for (dx, dy, r, c) in ((-5, -2, 6, cols[0]), (5, -4, 6, cols[3]), (0, 2, 5.5, cols[1])):
            L.line([(cx + dx, cy + dy + r), (cx, cy + 11)], lighten(bg, 0.6), 0.6)
            L.ellipse(cx + dx, cy + dy, r * 0.85, r, fill=c)
            L.ellipse(cx + dx - r * 0.3, cy + dy - r * 0.4, r * 0.18, r * 0.28, fill=lighten(c, 0.7))
    elif e == "bridge":
        L.rect(cx - 12, cy + 3, cx + 12, cy + 4.6, fill=fg)
        L.line([(cx - 11, cy + 3), (cx - 6, cy - 5), (cx + 6, cy - 5), (cx + 11, cy + 3)], fg, 1.4)
        for k in range(4):
            x = cx - 6 + k * 4
            L.line([(x, cy - 5), (x + 2, cy + 3), (x + 4, cy - 5)], fg, 0.9)
        L.rect(cx - 12, cy + 5.5, cx + 12, cy + 10, fill=darken(bg, 0.0))
        for k in range(3):
            L.arc(cx - 6 + k * 6, cy + 9, 2.6, 180, 360, acc2, 0.8)
    elif e == "rainbow":
        for i, c in enumerate(s.multi):
            L.arc(cx, cy + 5, 11 - i * 1.4, 180, 360, c, 1.5)
        cloud(L, cx - 7, cy + 5, 3.2, (250, 250, 255))
        cloud(L, cx + 7, cy + 5, 3.0, (250, 250, 255))
    elif e == "globe":
        L.circle(cx, cy, 10.5, fill=fg)
        L.circle(cx, cy, 10.5, outline=darken(fg, 0.5), width=0.8)
        for rx in (3.5, 7.5):
            L.ellipse(cx, cy, rx, 10.5, outline=darken(fg, 0.45), width=0.7)
        for dy in (-5.5, 0, 5.5):
            half = math.sqrt(max(0.0, 10.5 ** 2 - dy ** 2))
            L.line([(cx - half, cy + dy), (cx + half, cy + dy)], darken(fg, 0.45), 0.7)
        L.arc(cx, cy, 12.2, 200, 340, acc, 1.4)
        for k in range(3):
            a = math.radians(200 + 70 * k)
            L.circle(cx + 12.2 * math.cos(a), cy + 12.2 * math.sin(a), 1.4, fill=acc)
    else:
        raise ValueError(e)


# ---------------------------------------------------------------- slices

def tile_phase(c):
    """Column of the tile that the window shows at picture column c of a strip."""
    if c <= LEFT_END:
        return (c - LEFT_END) % TILE_W
    return (c - TILE_FIRST) % TILE_W


def make_strip(s, inactive):
    """One variant of the caption strip, 400 columns: left slice, tile, right slice, filler."""
    if inactive:
        s = inactive_of(s)
        s.is_inactive = True
    tile = make_tile(s)
    strip = Image.new("RGB", (INACTIVE_OFFSET, CAPTION_H))
    for c in range(INACTIVE_OFFSET):
        ph = tile_phase(c)
        strip.paste(tile.crop((ph, 0, ph + 1, CAPTION_H)), (c, 0))
    decorate_left(strip, s)
    decorate_right(strip, s)
    side_frames(strip, s)
    draw_tray(strip, s)
    return strip


def decorate_left(strip, s):
    """Ornament trailing off the medallion; fades out before column 86 so the slice meets
    the first tile without a seam."""
    L = Layer(LEFT_END, CAPTION_H)
    rng = random.Random(hash_name(s.name) + 7)
    accent = with_alpha(s.accent, 0.55)
    accent2 = with_alpha(s.accent2, 0.45)
    draw_pattern(L, s, s.pattern, 34, TILE_W, rng, accent, accent2)
    orn = L.reduced()
    # Fade with x: full near the medallion, nothing from column 84 on.
    fade = Image.new("L", (LEFT_END, CAPTION_H), 0)
    fp = fade.load()
    for x in range(LEFT_END):
        t = 1.0 - (x - 44) / 40.0 if x >= 44 else 1.0
        t = max(0.0, min(1.0, t))
        for y in range(CAPTION_H):
            inside = RIM_ROWS <= y < SEPARATOR_ROW or SEPARATOR_ROW + 2 <= y < BOTTOM_ROW
            fp[x, y] = int(255 * t * t) if inside else 0
    # Multiply the ornament alpha by the fade.
    ap = orn.load()
    for x in range(LEFT_END):
        for y in range(CAPTION_H):
            r, g, b, al = ap[x, y]
            ap[x, y] = (r, g, b, al * fp[x, y] // 255)
    region = strip.crop((0, 0, LEFT_END, CAPTION_H)).convert("RGBA")
    region.alpha_composite(orn)
    # A soft shade under the medallion, then the medallion itself.
    M = Layer(LEFT_END, CAPTION_H)
    M.circle(27, 27.5, 16.5, fill=(0, 0, 0, 90))
    shade = M.reduced().filter(ImageFilter.GaussianBlur(1.2))
    region.alpha_composite(shade)
    E = Layer(LEFT_END, CAPTION_H)
    draw_emblem(E, s, 27, 27)
    region.alpha_composite(E.reduced())
    strip.paste(region.convert("RGB"), (0, 0))
    clamp_bands(strip, s, 84, LEFT_END)


def decorate_right(strip, s):
    """Divider, caption-button tray and a small motif under it, on the right slice."""
    x0 = RIGHT_FIRST
    w = RIGHT_LAST - RIGHT_FIRST + 1
    region = strip.crop((x0, 0, x0 + w, CAPTION_H)).convert("RGBA")
    L = Layer(w, CAPTION_H)
    # Divider: opens at slice column 3 (picture column 143), after the shared tile columns.
    div = 4
    L.rect(div, RIM_ROWS, div + 14, BOTTOM_ROW, fill=with_alpha(darken(s.menu[1], 0.2), 0.85))
    L.line([(div + 0.5, RIM_ROWS), (div + 0.5, BOTTOM_ROW)], darken(s.frame, 0.5), 1.0)
    L.line([(div + 2.5, RIM_ROWS), (div + 2.5, BOTTOM_ROW)], s.accent, 1.0)
    L.line([(div + 12.5, RIM_ROWS), (div + 12.5, BOTTOM_ROW)], with_alpha(s.accent, 0.6), 0.8)
    draw_small_motif(L, s, div + 7.5, 16, 4.2)
    draw_small_motif(L, s, div + 7.5, 41, 4.2)
    # Under the tray: a short run of the motif. The inactive strip is cut by the picture's
    # right edge at slice column 59 and the painter repeats that column to the window's edge,
    # so there the run stops short of it and the repeated column stays plain.
    for k, mx in enumerate((30, 44, 58, 72)):
        if getattr(s, "is_inactive", False) and mx > 50:
            break
        draw_small_motif(L, s, mx, 41, 3.2 if k % 2 else 2.6, faint=True)
    region.alpha_composite(L.reduced())
    strip.paste(region.convert("RGB"), (x0, 0))
    if getattr(s, "is_inactive", False):
        plain_inactive_end(strip, s)


def plain_inactive_end(strip, s):
    """The inactive strip ends at picture column 599 (slice column 59) and the painter repeats
    that column to the window's edge: fade the pattern out before it so the repeat is plain."""
    p = strip.load()
    first, last = INACTIVE_PLAIN_FROM, CAPTION_W - INACTIVE_OFFSET
    for x in range(first, last):
        t = min(1.0, (x - first + 1) / 8.0)
        for y in range(CAPTION_H):
            p[x, y] = mix(p[x, y], band_colour(s, y), t)


def tray_colour(s):
    # Taken from the active palette in both variants: the inactive right slice is cut short
    # by the picture's edge, so the window keeps showing the active tray beyond it.
    s = getattr(s, "base", s)
    return darken(mix(s.menu[1], s.frame, 0.25), 0.35)


def draw_tray(strip, s):
    """Flat well behind the caption buttons (source columns 165 .. 227, rows 2 .. 27)."""
    L = Layer(CAPTION_W if strip.width > CAPTION_W else strip.width, CAPTION_H)
    tc = tray_colour(s)
    L.rrect(RIGHT_FIRST + 25, 2, RIGHT_FIRST + 88, 28, 4, fill=darken(s.frame, 0.55))
    L.rrect(RIGHT_FIRST + 25.8, 2.8, RIGHT_FIRST + 87.2, 27.2, 3.4, fill=tc)
    region = strip.convert("RGBA")
    region.alpha_composite(L.reduced())
    strip.paste(region.convert("RGB"), (0, 0))


def draw_small_motif(L, s, cx, cy, r, faint=False):
    a = with_alpha(s.accent, 0.45 if faint else 1.0)
    b = with_alpha(s.accent2, 0.45 if faint else 1.0)
    k = s.pattern
    if k in ("hearts", "roses"):
        heart(L, cx, cy, r, fill=a)
    elif k in ("gears", "rivets"):
        gear(L, cx, cy, r, 6, a)
        L.circle(cx, cy, r * 0.35, fill=darken(s.menu[1], 0.2))
    elif k in ("stars", "sparkles"):
        sparkle(L, cx, cy, r * 1.2, a)
    elif k in ("petals",):
        flower(L, cx, cy, r, a, b)
    elif k in ("bubbles", "orbits", "rings"):
        L.circle(cx, cy, r * 0.8, outline=a, width=1.0)
        L.circle(cx - r * 0.3, cy - r * 0.3, r * 0.2, fill=b)
    elif k in ("hexgrid",):
        hexagon(L, cx, cy, r, outline=a, width=1.0, rot=30)
    elif k in ("confetti", "clouds") and s.multi:
        L.circle(cx, cy, r * 0.75, fill=with_alpha(s.multi[int(cx) % len(s.multi)], 0.45 if faint else 1.0))
    else:
        L.poly([(cx, cy - r), (cx + r * 0.8, cy), (cx, cy + r), (cx - r * 0.8, cy)], fill=a)


def side_frames(strip, s):
    """The side frame of the border picture continued up the caption, with the rim's corners.
    Right frame: picture columns 220 .. 229 are window columns width-10 .. width-1."""
    p = strip.load()
    prof = frame_profile(s)
    for y in range(CAPTION_H):
        for k in range(B):
            if y < RIM_ROWS and min(k, y) <= 2:
                c = prof[min(k, y)]
            else:
                c = edge_colour(s, y + 5, k)  # phase chosen so the studs avoid the rim
            p[k, y] = c
            p[RIGHT_LAST - 1 - k, y] = c
        p[RIGHT_LAST, y] = prof[0]
    # Bottom line and rim run into the frames' inner line.
    for y in range(RIM_ROWS - 1, CAPTION_H):
        p[B - 1, y] = prof[9]
        p[RIGHT_LAST - B, y] = prof[9]


# ---------------------------------------------------------------- glyphs

def glyph_outline(s):
    return darken(s.frame, 0.82)


def draw_glyph(p, x0, y0, kind, s, pressed):
    """One caption-button glyph, GLYPH_W x GLYPH_H, at (x0, y0) of the picture."""
    face = s.close if kind == "close" else s.face
    out = glyph_outline(s)
    tray = tray_colour(s)
    hi_face, lo_face = lighten(face, 0.35), darken(face, 0.3)
    if pressed:
        hi_face, lo_face = darken(face, 0.3), darken(face, 0.05)
    for y in range(GLYPH_H):
        for x in range(GLYPH_W):
            edge_x = x in (0, GLYPH_W - 1)
            edge_y = y in (0, GLYPH_H - 1)
            if edge_x and edge_y:
                c = mix(tray, out, 0.5)
            elif edge_x or edge_y:
                c = out
            else:
                c = mix(hi_face, lo_face, (y - 1) / (GLYPH_H - 3))
                if not pressed and y == 1:
                    c = lighten(face, 0.6)
                elif not pressed and x == 1:
                    c = lighten(face, 0.3)
                elif not pressed and (y == GLYPH_H - 2 or x == GLYPH_W - 2):
                    c = darken(face, 0.45)
                elif pressed and (y == 1 or x == 1):
                    c = darken(face, 0.7)
            p[x0 + x, y0 + y] = c
    sym = (255, 255, 255) if not pressed else (236, 236, 236)
    shadow = darken(face, 0.65)
    d = 1 if pressed else 0
    pts = symbol_pixels(kind)
    if not pressed:
        for (x, y) in pts:
            if (x + 1, y + 1) not in pts:
                p[x0 + x + 1, y0 + y + 1] = shadow
    for (x, y) in pts:
        p[x0 + x + d, y0 + y + d] = sym


def symbol_pixels(kind):
    """Pixels of a glyph's symbol in glyph coordinates (about 8 x 8 around the centre)."""
    px = set()
    if kind == "close":
        for i in range(8):
            for t in (0, 1):
                px.add((5 + i + t, 6 + i))
                px.add((12 - i + t, 6 + i))
    elif kind == "maximize":
        for x in range(5, 13):
            px.update({(x, 6), (x, 7), (x, 13)})
        for y in range(6, 14):
            px.update({(5, y), (12, y)})
    elif kind == "restore":
        for x in range(7, 14):
            px.update({(x, 5), (x, 6)})
        for y in range(5, 11):
            px.add((13, y))
        px.add((7, 7))
        for x in range(4, 11):
            px.update({(x, 8), (x, 9), (x, 14)})
        for y in range(8, 15):
            px.update({(4, y), (10, y)})
        px.update({(11, 10), (12, 10)})
    elif kind == "minimize":
        for x in range(5, 13):
            px.update({(x, 12), (x, 13)})
    return px


def draw_glyphs(img, s):
    p = img.load()
    # Flat surround in the frame colour (never read), distinct from the glyph outline so a
    # read one column off shows at once.
    for y in range(0, GLYPH_H * 2 + 6):
        for x in range(GLYPH_X["close"] - 6, GLYPH_X["minimize"] + GLYPH_W + 6):
            p[x, y] = s.frame
    for kind in ("close", "restore", "maximize", "minimize"):
        draw_glyph(p, GLYPH_X[kind], 0, kind, s, pressed=False)
        draw_glyph(p, GLYPH_X[kind], GLYPH_H, kind, s, pressed=True)


# ---------------------------------------------------------------- pictures

def make_caption(s):
    img = Image.new("RGB", (CAPTION_W, CAPTION_H))
    img.paste(make_strip(s, inactive=False), (0, 0))
    inactive = make_strip(s, inactive=True)
    img.paste(inactive.crop((0, 0, CAPTION_W - INACTIVE_OFFSET, CAPTION_H)), (INACTIVE_OFFSET, 0))
    draw_glyphs(img, s)
    return img


def save_jpeg(img, path):
    img.save(path, "JPEG", quality=95, subsampling=0, optimize=False)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for i, s in enumerate(SKINS):
        save_jpeg(make_caption(s), OUT / f"caption_{i:02d}.jpg")
        save_jpeg(make_border(s), OUT / f"border_{i:02d}.jpg")


if __name__ == "__main__":
    main()

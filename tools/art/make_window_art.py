#!/usr/bin/python3
"""Draws the pictures the windows carry besides the skins (run by hand; results committed).

  resources/main/Image1.gif          320 x 230  main window panel picture (friendly federation)
  resources/main/Image2.gif          320 x 234  main window panel picture (civic hall, red and gold)
  resources/main/frmTest.ico         main window icon
  resources/main/frmTextEffect.ico   statement screen icon
  resources/main/LinkHand.cur        hand cursor of the link labels, 32 x 32, hot spot (5, 0)
  resources/picture/form11.ico       picture player icon
  resources/picture/Form12.ico       original-size view icon
  resources/picture/Welcome.jpg      picture shown by the player's display until a file is opened
  resources/picture/ThumbPlaceholder.bmp  32 x 32 picture of the player's stand-in image list
  resources/banner/FRotFont.ico      banner screen icon

Icons hold 16, 32 and 48 pixel images at 24 bits per pixel with a transparency mask; the
cursor is written by hand because the encoder cannot set a hot spot. Deterministic output.
"""
import math
import random
import struct
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = Path(__file__).resolve().parents[2] / "resources"
SUPER = 4
SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"

ICON_SIZES = (16, 32, 48)
CURSOR_SIZE = 32
CURSOR_HOTSPOT = (5, 0)


# ---------------------------------------------------------------- helpers

def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def vgradient(w, h, stops):
    """Vertical gradient through (position 0..1, colour) stops."""
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                d.line([(0, y), (w, y)], fill=mix(c0, c1, (t - p0) / max(1e-9, p1 - p0)))
                break
    return img


class Canvas:
    """RGBA drawing at SUPER times the final size, in final-size coordinates."""

    def __init__(self, w, h, bg=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SUPER, h * SUPER), bg)
        self.d = ImageDraw.Draw(self.img)

    def s(self, pts):
        return [(x * SUPER, y * SUPER) for x, y in pts]

    def box(self, x0, y0, x1, y1):
        return [x0 * SUPER, y0 * SUPER, x1 * SUPER, y1 * SUPER]

    def width(self, w):
        return max(1, int(round(w * SUPER)))

    def reduced(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


# ---------------------------------------------------------------- icon and cursor files

def _dib_24_with_mask(img):
    """BITMAPINFOHEADER + 24-bit colour rows + 1-bit AND mask, bottom-up, for an icon entry."""
    w, h = img.size
    rgba = img.convert("RGBA")
    px = rgba.load()
    row_colour = (w * 3 + 3) // 4 * 4
    row_mask = (w + 31) // 32 * 4
    colour = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        bits = bytearray(row_mask)
        for x in range(w):
            r, g, b, a = px[x, y]
            if a < 128:
                line += b"\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                line += bytes((b, g, r))
        line += b"\0" * (row_colour - len(line))
        colour += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return bytes(header + colour + mask)


def _dib_32_with_mask(img):
    """BITMAPINFOHEADER + 32-bit BGRA rows + 1-bit AND mask, bottom-up, for a cursor entry."""
    w, h = img.size
    px = img.convert("RGBA").load()
    row_mask = (w + 31) // 32 * 4
    colour = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(row_mask)
        for x in range(w):
            r, g, b, a = px[x, y]
            if a == 0:
                colour += b"\0\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                colour += bytes((b, g, r, a))
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return bytes(header + colour + mask)


def write_ico(path, images):
    """An icon file of 24-bit images with masks (ICONDIR type 1)."""
    blobs = [_dib_24_with_mask(im) for im in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for im, blob in zip(images, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 24, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    Path(path).write_bytes(bytes(out))


def write_cur(path, image, hotspot):
    """A cursor file (ICONDIR type 2) whose entry carries the hot spot in place of planes and
    bit count."""
    blob = _dib_32_with_mask(image)
    w, h = image.size
    out = bytearray(struct.pack("<HHH", 0, 2, 1))
    out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, hotspot[0], hotspot[1], len(blob), 22)
    out += blob
    Path(path).write_bytes(bytes(out))


def crisp(img):
    """Icons have a one-bit mask: edge pixels become either opaque or transparent."""
    px = img.load()
    for y in range(img.height):
        for x in range(img.width):
            r, g, b, a = px[x, y]
            px[x, y] = (r, g, b, 255 if a >= 110 else 0)
    return img


# ---------------------------------------------------------------- icons

def icon_main(n):
    """The skinned main window: a frame in four skin colours, a dark caption with a
    medallion and buttons, the green client area."""
    c = Canvas(n, n)
    u = n / 32.0
    d = c.d
    d.rounded_rectangle(c.box(1 * u, 3 * u, 31 * u, 29 * u), radius=3 * u * SUPER,
                        fill=(60, 30, 70, 255))
    stripes = [(200, 80, 106), (111, 135, 158), (212, 180, 124), (98, 178, 146)]
    for k, col in enumerate(stripes):
        x0 = (1 + k * 7.5) * u
        d.rectangle(c.box(x0, 3.5 * u, x0 + 7.5 * u, 28.5 * u), fill=col + (255,))
    d.rounded_rectangle(c.box(1 * u, 3 * u, 31 * u, 29 * u), radius=3 * u * SUPER,
                        outline=(40, 20, 46, 255), width=c.width(1.2 * u))
    d.rectangle(c.box(3 * u, 5 * u, 29 * u, 12 * u), fill=(44, 12, 34, 255))
    d.ellipse(c.box(4 * u, 5.6 * u, 9.8 * u, 11.4 * u), fill=(255, 134, 164, 255),
              outline=(240, 200, 120, 255), width=c.width(0.8 * u))
    for k, col in enumerate(((90, 126, 162), (90, 126, 162), (224, 48, 60))):
        x0 = (18 + k * 3.7) * u
        d.rectangle(c.box(x0, 6.5 * u, x0 + 3 * u, 9.8 * u), fill=col + (255,))
    if n >= 32:
        d.line(c.s([(11 * u, 8.5 * u), (16 * u, 8.5 * u)]), fill=(255, 255, 128, 255), width=c.width(1.2 * u))
    d.rectangle(c.box(3 * u, 12 * u, 29 * u, 27 * u), fill=(150, 203, 100, 255))
    # A small picture on the client area: this is a picture toolbox.
    d.rectangle(c.box(6 * u, 15 * u, 17 * u, 24.5 * u), fill=(255, 255, 255, 255))
    d.rectangle(c.box(7 * u, 16 * u, 16 * u, 23.5 * u), fill=(110, 170, 235, 255))
    d.polygon(c.s([(7 * u, 23.5 * u), (10.5 * u, 19 * u), (13 * u, 21.5 * u), (14.5 * u, 20 * u),
                   (16 * u, 23.5 * u)]), fill=(50, 130, 70, 255))
    d.ellipse(c.box(13 * u, 16.8 * u, 15 * u, 18.8 * u), fill=(255, 210, 60, 255))
    if n >= 32:
        for k in range(3):
            y = (16.5 + k * 3) * u
            d.line(c.s([(19.5 * u, y), (26.5 * u, y)]), fill=(60, 100, 40, 255), width=c.width(1.1 * u))
    return crisp(c.reduced())


def icon_statement(n):
    """Letters drawing together on black: the statement screen's spacing animation."""
    c = Canvas(n, n)
    u = n / 32.0
    d = c.d
    d.rounded_rectangle(c.box(1 * u, 1 * u, 31 * u, 31 * u), radius=4 * u * SUPER, fill=(12, 12, 20, 255),
                        outline=(120, 90, 200, 255), width=c.width(1.2 * u))
    font = ImageFont.truetype(SERIF_BOLD, int(20 * u * SUPER))
    ghosts = ((-7, (90, 60, 150, 255)), (7, (90, 60, 150, 255)), (-3.5, (170, 120, 230, 255)),
              (3.5, (170, 120, 230, 255)), (0, (255, 214, 90, 255)))
    for dx, col in ghosts:
        if n < 32 and abs(dx) > 4:
            continue
        d.text(((16 + dx) * u * SUPER, 17 * u * SUPER), "A", font=font, fill=col, anchor="mm")
    d.line(c.s([(6 * u, 27 * u), (26 * u, 27 * u)]), fill=(255, 214, 90, 255), width=c.width(1.2 * u))
    return crisp(c.reduced())


def photo(c, x0, y0, x1, y1, u, border=True):
    d = c.d
    if border:
        d.rectangle(c.box(x0, y0, x1, y1), fill=(250, 250, 245, 255), outline=(70, 70, 80, 255),
                    width=c.width(0.9 * u))
        x0, y0, x1, y1 = x0 + 1.8 * u, y0 + 1.8 * u, x1 - 1.8 * u, y1 - 1.8 * u
    sky = vgradient(int((x1 - x0) * SUPER) + 1, int((y1 - y0) * SUPER) + 1,
                    [(0, (70, 140, 230)), (1, (190, 225, 255))])
    c.img.paste(sky, (int(x0 * SUPER), int(y0 * SUPER)))
    w, h = x1 - x0, y1 - y0
    d.ellipse(c.box(x0 + w * 0.62, y0 + h * 0.12, x0 + w * 0.86, y0 + h * 0.12 + w * 0.24),
              fill=(255, 200, 50, 255))
    d.polygon(c.s([(x0, y1), (x0 + w * 0.35, y0 + h * 0.42), (x0 + w * 0.6, y1)]), fill=(60, 110, 150, 255))
    d.polygon(c.s([(x0 + w * 0.25, y1), (x0 + w * 0.62, y0 + h * 0.55), (x1, y0 + h * 0.8), (x1, y1)]),
              fill=(50, 140, 70, 255))


def icon_player(n):
    """Picture player: two stacked photographs."""
    c = Canvas(n, n)
    u = n / 32.0
    d = c.d
    back = Canvas(n, n)
    back.d.rectangle(back.box(9 * u, 2 * u, 30 * u, 19 * u), fill=(255, 240, 200, 255),
                     outline=(90, 70, 50, 255), width=back.width(0.9 * u))
    back.d.rectangle(back.box(11 * u, 4 * u, 28 * u, 17 * u), fill=(230, 120, 90, 255))
    rotated = back.img.rotate(-8, resample=Image.BICUBIC, center=(20 * u * SUPER, 10 * u * SUPER))
    c.img.alpha_composite(rotated)
    photo(c, 2 * u, 9 * u, 25 * u, 29 * u, u)
    del d
    return crisp(c.reduced())


def icon_original(n):
    """Original-size view: a photograph under a magnifying glass."""
    c = Canvas(n, n)
    u = n / 32.0
    d = c.d
    photo(c, 1.5 * u, 2 * u, 26 * u, 23 * u, u)
    d.ellipse(c.box(13 * u, 11 * u, 27 * u, 25 * u), fill=(220, 240, 255, 110),
              outline=(40, 40, 50, 255), width=c.width(2.2 * u))
    d.line(c.s([(24.5 * u, 22.5 * u), (30 * u, 29.5 * u)]), fill=(120, 70, 30, 255), width=c.width(3.4 * u))
    img = c.reduced()
    # The lens glass stays visible: opaque where the glass is, so the mask keeps it.
    px = img.load()
    for y in range(img.height):
        for x in range(img.width):
            r, g, b, a = px[x, y]
            if 40 <= a < 110:
                px[x, y] = (r, g, b, 255)
    return crisp(img)


def icon_banner(n):
    """Banner screen: a clock whose greeting text turns around it."""
    c = Canvas(n, n)
    u = n / 32.0
    d = c.d
    d.ellipse(c.box(1 * u, 1 * u, 31 * u, 31 * u), fill=(0, 0, 40, 255))
    d.arc(c.box(2 * u, 2 * u, 30 * u, 30 * u), 200, 340, fill=(255, 128, 0, 255), width=c.width(2.6 * u))
    d.arc(c.box(2 * u, 2 * u, 30 * u, 30 * u), 20, 160, fill=(222, 18, 105, 255), width=c.width(2.6 * u))
    # Arrow heads show the turning.
    for ang, col in ((340, (255, 128, 0, 255)), (160, (222, 18, 105, 255))):
        a = math.radians(ang)
        cx, cy = 16 * u + 13 * u * math.cos(a), 16 * u + 13 * u * math.sin(a)
        t = a + math.pi / 2
        pts = [(cx + 3.5 * u * math.cos(t), cy + 3.5 * u * math.sin(t)),
               (cx + 2.6 * u * math.cos(a), cy + 2.6 * u * math.sin(a)),
               (cx - 2.6 * u * math.cos(a), cy - 2.6 * u * math.sin(a))]
        d.polygon(c.s(pts), fill=col)
    d.ellipse(c.box(7 * u, 7 * u, 25 * u, 25 * u), fill=(250, 248, 235, 255), outline=(40, 40, 60, 255),
              width=c.width(1 * u))
    if n >= 32:
        for k in range(12):
            a = math.radians(30 * k)
            d.line(c.s([(16 * u + 7.2 * u * math.cos(a), 16 * u + 7.2 * u * math.sin(a)),
                         (16 * u + 8.3 * u * math.cos(a), 16 * u + 8.3 * u * math.sin(a))]),
                   fill=(40, 40, 60, 255), width=c.width(0.8 * u))
    d.line(c.s([(16 * u, 16 * u), (16 * u, 10 * u)]), fill=(30, 30, 50, 255), width=c.width(1.6 * u))
    d.line(c.s([(16 * u, 16 * u), (20.5 * u, 18 * u)]), fill=(30, 30, 50, 255), width=c.width(1.6 * u))
    d.ellipse(c.box(14.8 * u, 14.8 * u, 17.2 * u, 17.2 * u), fill=(222, 18, 105, 255))
    return crisp(c.reduced())


# ---------------------------------------------------------------- cursor

def hand_cursor():
    """A pointing hand whose fingertip is the hot spot (5, 0): white with a black outline."""
    n = CURSOR_SIZE
    c = Canvas(n, n)
    d = c.d
    # Index finger (from the tip at x 3.5 .. 7.5, y 0), then the folded fingers and the palm.
    shape = [
        (3.6, 1.6), (4.2, 0.4), (5.5, 0.0), (6.8, 0.4), (7.4, 1.6),
        (7.4, 9.5), (8.2, 8.6), (9.8, 8.6), (10.6, 9.6), (10.6, 10.6),
        (11.4, 9.8), (13.0, 9.8), (13.8, 10.8), (13.8, 11.8),
        (14.6, 11.0), (16.2, 11.0), (17.0, 12.0), (17.0, 19.5),
        (15.8, 23.4), (14.6, 26.0), (14.6, 28.6), (5.2, 28.6), (5.2, 26.4),
        (1.6, 20.5), (0.4, 17.4), (0.6, 15.6), (1.8, 14.8), (3.2, 15.4), (3.6, 16.4),
    ]
    d.polygon(c.s(shape), fill=(0, 0, 0, 255))
    inner = Canvas(n, n)
    inner.d.polygon(inner.s(shape), fill=(255, 255, 255, 255))
    white = inner.img.filter(ImageFilter.MinFilter(2 * SUPER - 1 if SUPER > 1 else 1))
    c.img.alpha_composite(white)
    # Knuckle creases.
    for x in (7.4, 10.6, 13.8):
        d.line(c.s([(x, 10.2), (x, 13.6)]), fill=(0, 0, 0, 255), width=c.width(0.9))
    d.line(c.s([(5.6, 25.4), (14.0, 25.4)]), fill=(0, 0, 0, 255), width=c.width(0.9))
    img = c.reduced()
    px = img.load()
    for y in range(n):
        for x in range(n):
            r, g, b, a = px[x, y]
            if a < 100:
                px[x, y] = (0, 0, 0, 0)
            else:
                v = 255 if (r + g + b) / 3 > 140 else 0
                px[x, y] = (v, v, v, 255)
    return img


# ---------------------------------------------------------------- panel pictures

def image1_federation():
    """320 x 230: a friendly globe ringed by picture frames and notes, over a sunny sea."""
    w, h = 320, 230
    base = vgradient(w, h, [(0, (40, 120, 170)), (0.55, (150, 215, 225)), (0.56, (60, 150, 150)),
                            (1, (20, 80, 90))]).convert("RGBA")
    c = Canvas(w, h)
    d = c.d
    rng = random.Random(29)
    # Sun glow and rays.
    for k in range(16):
        a = math.radians(k * 22.5 + 5)
        d.polygon(c.s([(160, 120), (160 + 260 * math.cos(a - 0.05), 120 + 260 * math.sin(a - 0.05)),
                       (160 + 260 * math.cos(a + 0.05), 120 + 260 * math.sin(a + 0.05))]),
                  fill=(255, 250, 210, 40))
    # Sea sparkles.
    for _ in range(60):
        x, y = rng.uniform(0, w), rng.uniform(132, h)
        d.line(c.s([(x, y), (x + rng.uniform(3, 9), y)]), fill=(220, 250, 255, 110), width=c.width(1))
    # Globe.
    d.ellipse(c.box(105, 50, 215, 160), fill=(60, 150, 220, 255), outline=(20, 60, 110, 255),
              width=c.width(2))
    land = (90, 180, 100, 255)
    for blob in ([(125, 80), (150, 68), (170, 78), (160, 100), (140, 108), (126, 98)],
                 [(168, 112), (192, 104), (204, 124), (186, 146), (170, 136)],
                 [(120, 120), (136, 126), (132, 146), (118, 138)]):
        d.polygon(c.s(blob), fill=land)
    for rx in (18, 38):
        d.ellipse(c.box(160 - rx, 50, 160 + rx, 160), outline=(230, 250, 255, 120), width=c.width(1))
    for dy in (-30, 0, 30):
        half = math.sqrt(55 ** 2 - dy ** 2)
        d.line(c.s([(160 - half, 105 + dy), (160 + half, 105 + dy)]), fill=(230, 250, 255, 120),
               width=c.width(1))
    d.ellipse(c.box(122, 62, 150, 80), fill=(255, 255, 255, 70))
    # A ring of hand-holding figures around the globe: friendship.
    colours = [(255, 106, 138), (255, 210, 74), (106, 224, 122), (90, 200, 255), (200, 138, 255),
               (255, 150, 60)]
    figures = 12
    for k in range(figures):
        a = math.radians(-90 + 360.0 * k / figures)
        fx, fy = 160 + 78 * math.cos(a), 105 + 72 * math.sin(a)
        col = colours[k % len(colours)] + (255,)
        d.ellipse(c.box(fx - 5, fy - 13, fx + 5, fy - 3), fill=col, outline=(40, 40, 60, 255), width=c.width(1))
        d.polygon(c.s([(fx - 7, fy + 12), (fx, fy - 3), (fx + 7, fy + 12)]), fill=col,
                  outline=(40, 40, 60, 255))
        b = math.radians(-90 + 360.0 * (k + 1) / figures)
        gx, gy = 160 + 78 * math.cos(b), 105 + 72 * math.sin(b)
        d.line(c.s([(fx + 3, fy + 3), (gx - 3, gy + 3)]), fill=(60, 50, 70, 255), width=c.width(1.6))
    # Floating photographs and notes: the toolbox's pictures and music.
    for (x, y, ang, tint) in ((38, 40, -12, (250, 170, 90)), (262, 36, 10, (120, 200, 240)),
                              (30, 168, 8, (140, 220, 140)), (270, 170, -9, (240, 140, 200))):
        frame = Canvas(60, 50)
        frame.d.rectangle(frame.box(4, 4, 56, 46), fill=(252, 252, 248, 255), outline=(60, 60, 70, 255),
                          width=frame.width(1))
        frame.d.rectangle(frame.box(8, 8, 52, 36), fill=tint + (255,))
        frame.d.polygon(frame.s([(8, 36), (22, 20), (32, 30), (40, 24), (52, 36)]),
                        fill=(60, 120, 80, 255))
        frame.d.ellipse(frame.box(40, 11, 47, 18), fill=(255, 240, 120, 255))
        pic = frame.img.rotate(ang, resample=Image.BICUBIC, expand=True)
        c.img.alpha_composite(pic, (int((x - 30) * SUPER), int((y - 25) * SUPER)))
    for (x, y) in ((92, 28), (230, 22), (96, 196), (222, 200)):
        d.ellipse(c.box(x - 4, y + 6, x + 3, y + 11), fill=(60, 40, 90, 255))
        d.line(c.s([(x + 2.5, y + 8), (x + 2.5, y - 6), (x + 9, y - 3)]), fill=(60, 40, 90, 255),
               width=c.width(1.6))
    base.alpha_composite(c.reduced())
    return base.convert("RGB")


def image2_civic():
    """320 x 234: a columned civic hall in gold on red, with rays and a key-pattern border."""
    w, h = 320, 234
    base = vgradient(w, h, [(0, (150, 16, 16)), (0.7, (110, 8, 8)), (1, (70, 4, 4))]).convert("RGBA")
    c = Canvas(w, h)
    d = c.d
    gold, light, dark = (228, 176, 40, 255), (255, 222, 120, 255), (150, 96, 10, 255)
    for k in range(24):
        a = math.radians(180 + k * 7.5 + 3.75)
        d.polygon(c.s([(160, 150), (160 + 300 * math.cos(a - 0.05), 150 + 300 * math.sin(a - 0.05)),
                       (160 + 300 * math.cos(a + 0.05), 150 + 300 * math.sin(a + 0.05))]),
                  fill=(255, 200, 80, 45))
    # Key-pattern (meander) border.
    for y0 in (6, h - 20):
        for x in range(8, w - 8, 16):
            d.line(c.s([(x, y0 + 14), (x, y0), (x + 13, y0), (x + 13, y0 + 10), (x + 5, y0 + 10),
                        (x + 5, y0 + 5), (x + 9, y0 + 5)]), fill=gold, width=c.width(1.6))
    d.rectangle(c.box(4, 3, w - 4, h - 3), outline=gold, width=c.width(2))
    # The hall.
    d.polygon(c.s([(78, 92), (160, 48), (242, 92)]), fill=gold, outline=dark)
    d.polygon(c.s([(98, 86), (160, 58), (222, 86)]), fill=(170, 20, 20, 255))
    d.ellipse(c.box(150, 64, 170, 84), fill=light, outline=dark, width=c.width(1))
    d.rectangle(c.box(76, 92, 244, 102), fill=gold, outline=dark, width=c.width(1))
    for k in range(8):
        x = 90 + k * 20
        d.rectangle(c.box(x - 5, 104, x + 5, 176), fill=light)
        d.rectangle(c.box(x - 5, 104, x - 2, 176), fill=gold)
        d.rectangle(c.box(x - 7, 102, x + 7, 106), fill=gold, outline=dark, width=c.width(0.8))
        d.rectangle(c.box(x - 7, 174, x + 7, 178), fill=gold, outline=dark, width=c.width(0.8))
    for k, y in enumerate((178, 186, 194)):
        d.rectangle(c.box(70 - k * 10, y, 250 + k * 10, y + 8), fill=gold if k % 2 == 0 else light,
                    outline=dark, width=c.width(0.8))
    # Lanterns on either side.
    for x in (34, 286):
        d.line(c.s([(x, 24), (x, 40)]), fill=gold, width=c.width(1.4))
        d.ellipse(c.box(x - 14, 40, x + 14, 70), fill=(230, 30, 30, 255), outline=gold, width=c.width(1.6))
        d.rectangle(c.box(x - 7, 36, x + 7, 42), fill=gold)
        d.rectangle(c.box(x - 7, 68, x + 7, 74), fill=gold)
        for dx in (-4, 0, 4):
            d.line(c.s([(x + dx, 74), (x + dx, 88)]), fill=light, width=c.width(1))
        d.ellipse(c.box(x - 6, 46, x + 2, 58), fill=(255, 120, 90, 160))
    # Sprays of gold stars as fireworks.
    rng = random.Random(24)
    for (fx, fy) in ((48, 130), (272, 128)):
        for k in range(14):
            a = math.radians(k * 360 / 14 + rng.uniform(-6, 6))
            r = rng.uniform(14, 24)
            d.line(c.s([(fx + 5 * math.cos(a), fy + 5 * math.sin(a)),
                        (fx + r * math.cos(a), fy + r * math.sin(a))]), fill=light, width=c.width(1.2))
    base.alpha_composite(c.reduced())
    return base.convert("RGB")


def save_gif(img, path):
    img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(path, "GIF")


def welcome_picture():
    """480 x 330 landscape shown by the picture player before any file is opened."""
    w, h = 480, 330
    img = vgradient(w, h, [(0, (34, 60, 140)), (0.45, (250, 160, 110)), (0.62, (255, 214, 150)),
                           (0.63, (70, 110, 160)), (1, (20, 40, 80))]).convert("RGBA")
    c = Canvas(w, h)
    d = c.d
    d.ellipse(c.box(285, 80, 385, 180), fill=(255, 236, 170, 60))
    d.ellipse(c.box(300, 95, 370, 165), fill=(255, 236, 170, 255))
    ridges = [((90, 70, 120), 150, 0.0), ((60, 50, 95), 172, 1.7), ((36, 34, 70), 196, 3.1)]
    for col, base_y, ph in ridges:
        pts = [(0, 208)]
        for x in range(0, w + 1, 8):
            y = base_y - 36 * abs(math.sin(x / 70.0 + ph)) - 12 * math.sin(x / 23.0 + ph * 2)
            pts.append((x, min(207, y)))
        pts.append((w, 208))
        d.polygon(c.s(pts), fill=col + (255,))
    rng = random.Random(11)
    for k in range(14):  # the sun's path on the water
        y = 214 + k * 7
        half = 10 + k * 2.2
        d.line(c.s([(335 - half, y), (335 + half, y)]), fill=(255, 226, 160, 150 - k * 8), width=c.width(2))
    for _ in range(90):
        x, y = rng.uniform(0, w), rng.uniform(212, h)
        d.line(c.s([(x, y), (x + rng.uniform(4, 16), y)]), fill=(255, 220, 170, rng.randint(60, 150)),
               width=c.width(1))
    for k in range(5):
        bx, by = 120 + k * 26 + rng.uniform(-6, 6), 70 + rng.uniform(-10, 16)
        d.line(c.s([(bx - 6, by), (bx, by + 3), (bx + 6, by)]), fill=(40, 30, 60, 255), width=c.width(1.4))
    img.alpha_composite(c.reduced())
    return img.convert("RGB")


def thumb_placeholder():
    c = Canvas(32, 32, bg=(255, 255, 255, 255))
    photo(c, 2, 4, 30, 28, 1.0)
    return c.reduced().convert("RGB")


# ---------------------------------------------------------------- main

def main():
    main_dir, picture_dir, banner_dir = ROOT / "main", ROOT / "picture", ROOT / "banner"
    for folder in (main_dir, picture_dir, banner_dir):
        folder.mkdir(parents=True, exist_ok=True)
    save_gif(image1_federation(), main_dir / "Image1.gif")
    save_gif(image2_civic(), main_dir / "Image2.gif")
    write_ico(main_dir / "frmTest.ico", [icon_main(n) for n in ICON_SIZES])
    write_ico(main_dir / "frmTextEffect.ico", [icon_statement(n) for n in ICON_SIZES])
    write_cur(main_dir / "LinkHand.cur", hand_cursor(), CURSOR_HOTSPOT)
    write_ico(picture_dir / "form11.ico", [icon_player(n) for n in ICON_SIZES])
    write_ico(picture_dir / "Form12.ico", [icon_original(n) for n in ICON_SIZES])
    welcome_picture().save(picture_dir / "Welcome.jpg", "JPEG", quality=92, subsampling=0)
    thumb_placeholder().save(picture_dir / "ThumbPlaceholder.bmp", "BMP")
    write_ico(banner_dir / "FRotFont.ico", [icon_banner(n) for n in ICON_SIZES])


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Checks the committed skin pictures against the layout the frame painter reads, and the
sizes of the other generated window art.

    /usr/bin/python3 tools/art/check_skins.py            # checks; exit code 1 on a failure
    /usr/bin/python3 tools/art/check_skins.py --sheet OUT.png
        also writes contact sheets (OUT.png for all skins, OUT-1.png .. for pages of six)
        that compose each skin as the painter does for an 800-pixel-wide window.
"""
import struct
import sys
from itertools import combinations
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, str(Path(__file__).resolve().parent))
import make_skins as ms  # noqa: E402

SKINS_DIR = ms.OUT
ACTIVE_TITLE = (255, 255, 128)     # 0x0080FFFF
INACTIVE_TITLE = (128, 128, 255)   # 0x00FF8080
MENU_TEXT = (255, 255, 192)        # 0x00C0FFFF
MENU_HOT = (255, 0, 0)             # 0x000000FF
CLIENT = (150, 203, 100)           # 0x0064CB96
FONT_PATH = "/usr/share/fonts/truetype/arphic/uming.ttc"

failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def contrast(a, b):
    la, lb = ms.luminance(a), ms.luminance(b)
    hi, lo = max(la, lb), min(la, lb)
    return (hi + 0.05) / (lo + 0.05)


def diff(a, b):
    return sum(abs(a[i] - b[i]) for i in range(3)) / 3.0


def col(img, x, y0, y1):
    p = img.load()
    return [p[x, y] for y in range(y0, y1)]


def mean_diff(xs, ys):
    return sum(diff(a, b) for a, b in zip(xs, ys)) / len(xs)


def load(i):
    cap = Image.open(SKINS_DIR / f"caption_{i:02d}.jpg")
    bor = Image.open(SKINS_DIR / f"border_{i:02d}.jpg")
    return cap, bor


def check_glyphs(i, cap):
    p = cap.load()
    interiors = {}
    for kind, gx in ms.GLYPH_X.items():
        for state, gy in (("normal", 0), ("pressed", ms.GLYPH_H)):
            w, h = ms.GLYPH_W, ms.GLYPH_H
            edge = [p[gx + x, gy] for x in range(1, w - 1)] + \
                   [p[gx + x, gy + h - 1] for x in range(1, w - 1)] + \
                   [p[gx, gy + y] for y in range(1, h - 1)] + \
                   [p[gx + w - 1, gy + y] for y in range(1, h - 1)]
            ref = tuple(sorted(c[k] for c in edge)[len(edge) // 2] for k in range(3))
            worst = max(diff(c, ref) for c in edge)
            check(worst < 30, f"skin {i} {kind} {state}: glyph outline not on the box edge (spread {worst:.0f})")
            inner = [p[gx + x, gy + y] for y in range(2, h - 2) for x in range(2, w - 2)]
            bright = sum(1 for c in inner if min(c) > 200)
            check(bright >= 10, f"skin {i} {kind} {state}: no visible symbol")
            face = [p[gx + x, gy + 3] for x in range(2, 4)]
            check(all(diff(c, ref) > 25 for c in face), f"skin {i} {kind} {state}: face indistinct from outline")
            interiors[(kind, state)] = inner
        check(mean_diff(interiors[(kind, "normal")], interiors[(kind, "pressed")]) > 12,
              f"skin {i} {kind}: pressed glyph looks like the normal one")
    # Just outside the glyph row: not the outline colour, so a shifted read would show.
    ref = p[ms.GLYPH_X["close"], 5]
    for (x, y) in ((ms.GLYPH_X["close"] - 1, 5), (ms.GLYPH_X["minimize"] + ms.GLYPH_W, 5),
                   (ms.GLYPH_X["close"] + 5, 2 * ms.GLYPH_H)):
        check(diff(p[x, y], ref) > 12, f"skin {i}: pixel ({x}, {y}) next to the glyphs looks like an outline")
    kinds = list(ms.GLYPH_X)
    for a, b in combinations(kinds, 2):
        check(mean_diff(interiors[(a, "normal")], interiors[(b, "normal")]) > 6,
              f"skin {i}: glyphs {a} and {b} look alike")


def check_slices(i, cap, bor):
    # The tile repeats: its last column must run on into its first, and the left slice's
    # last column into the tile's first (window columns 89 | 90).
    for off in (0, ms.INACTIVE_OFFSET):
        t0, t1 = off + ms.TILE_FIRST, off + ms.TILE_FIRST + ms.TILE_W - 1
        steps = [mean_diff(col(cap, x, 4, 54), col(cap, x + 1, 4, 54)) for x in range(t0, t1)]
        wrap = mean_diff(col(cap, t1, 4, 54), col(cap, t0, 4, 54))
        check(wrap <= max(steps) + 6, f"skin {i} off {off}: tile seam {wrap:.1f} > {max(steps):.1f}")
        join = mean_diff(col(cap, off + ms.LEFT_END - 1, 4, 54), col(cap, t0, 4, 54))
        check(join <= max(steps) + 6, f"skin {i} off {off}: left slice does not run into the tile ({join:.1f})")
        same = mean_diff(col(cap, off + ms.LEFT_END - 1, 4, 54), col(cap, t1, 4, 54))
        check(same < 10, f"skin {i} off {off}: left slice end is not the tile's phase ({same:.1f})")
    # The painter repeats the inactive strip's last column to the window's edge: keep it plain.
    last = ms.CAPTION_W - 1
    spread = mean_diff(col(cap, last, 29, 54), col(cap, last - 6, 29, 54))
    check(spread < 6, f"skin {i}: inactive strip's last column carries a pattern ({spread:.1f})")
    # Side frames of the caption continue the border's edge tiles.
    bp = bor.load()
    for y in range(30, 55):
        along = (y - ms.CAPTION_H) % ms.B
        left_c = col_row(cap, 0, ms.B, y)
        left_b = [bp[ms.TILE_LEFT + k, along] for k in range(ms.B)]
        right_c = col_row(cap, ms.RIGHT_LAST - ms.B, ms.RIGHT_LAST, y)
        right_b = [bp[ms.TILE_RIGHT + k, along] for k in range(ms.B)]
        check(mean_diff(left_c, left_b) < 16, f"skin {i}: caption row {y} left frame differs from the border tile")
        check(mean_diff(right_c, right_b) < 16, f"skin {i}: caption row {y} right frame differs from the border tile")
    # The border's edge tiles stack without a seam (vertically, and the bottom tile sideways).
    for x0 in (ms.TILE_LEFT, ms.TILE_RIGHT):
        top = [bp[x0 + k, 0] for k in range(ms.B)]
        bottom = [bp[x0 + k, ms.B - 1] for k in range(ms.B)]
        check(mean_diff(top, bottom) < 20, f"skin {i}: edge tile at {x0} does not stack")
    first = [bp[ms.TILE_BOTTOM, y] for y in range(ms.B)]
    last = [bp[ms.TILE_BOTTOM + ms.B - 1, y] for y in range(ms.B)]
    check(mean_diff(first, last) < 20, f"skin {i}: bottom tile does not repeat sideways")
    # The icon zone carries the emblem.
    lum = [ms.luminance(c) for c in Image.Image.crop(cap, (12, 11, 42, 43)).getdata()]
    m = sum(lum) / len(lum)
    sd = (sum((v - m) ** 2 for v in lum) / len(lum)) ** 0.5
    check(sd > 0.04, f"skin {i}: icon zone is blank")


def col_row(img, x0, x1, y):
    p = img.load()
    return [p[x, y] for x in range(x0, x1)]


def check_readability(i, cap):
    p = cap.load()

    def zone(off, y0, y1):
        return [p[off + x, y] for y in range(y0, y1) for x in range(ms.TILE_FIRST, ms.TILE_FIRST + ms.TILE_W)]

    def worst(pixels, text):
        cs = sorted(contrast(c, text) for c in pixels)
        return cs[len(cs) // 100]  # 1st percentile

    title_a = zone(0, 11, 27)
    title_i = zone(ms.INACTIVE_OFFSET, 11, 27)
    menu_a = zone(0, 31, 47)
    check(worst(title_a, ACTIVE_TITLE) >= 5.0, f"skin {i}: active title contrast {worst(title_a, ACTIVE_TITLE):.2f}")
    check(worst(title_i, INACTIVE_TITLE) >= 3.0, f"skin {i}: inactive title contrast {worst(title_i, INACTIVE_TITLE):.2f}")
    check(worst(menu_a, MENU_TEXT) >= 6.0, f"skin {i}: menu text contrast {worst(menu_a, MENU_TEXT):.2f}")
    check(worst(menu_a, MENU_HOT) >= 2.5, f"skin {i}: hot menu text contrast {worst(menu_a, MENU_HOT):.2f}")
    lum = [ms.luminance(c) * 255 for c in title_a]
    m = sum(lum) / len(lum)
    sd = (sum((v - m) ** 2 for v in lum) / len(lum)) ** 0.5
    check(sd < 6.0, f"skin {i}: title band too busy (sd {sd:.1f})")
    la = sum(ms.luminance(c) for c in title_a) / len(title_a)
    li = sum(ms.luminance(c) for c in title_i) / len(title_i)
    check(li < la, f"skin {i}: inactive title band not dimmer than the active one")


def check_distinct(pictures):
    for (i, (ca, ba)), (j, (cb, bb)) in combinations(enumerate(pictures), 2):
        a = list(ca.crop((0, 0, ms.RIGHT_LAST, ms.CAPTION_H)).getdata())
        b = list(cb.crop((0, 0, ms.RIGHT_LAST, ms.CAPTION_H)).getdata())
        d = mean_diff(a, b)
        db = mean_diff(list(ba.getdata()), list(bb.getdata()))
        check(d > 10 and db > 6, f"skins {i} and {j} look alike (caption {d:.1f}, border {db:.1f})")


def check_window_art():
    """Sizes of the panel pictures, the icons' images and the cursor's hot spot."""
    root = SKINS_DIR.parent
    for name, size in (("main/Image1.gif", (320, 230)), ("main/Image2.gif", (320, 234)),
                       ("picture/Welcome.jpg", (480, 330)), ("picture/ThumbPlaceholder.bmp", (32, 32))):
        with Image.open(root / name) as im:
            check(im.size == size, f"{name}: size {im.size}, expected {size}")
    for name in ("main/frmTest.ico", "main/frmTextEffect.ico", "picture/form11.ico",
                 "picture/Form12.ico", "banner/FRotFont.ico"):
        data = (root / name).read_bytes()
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * k) for k in range(count)]
        check(kind == 1 and sorted(e[0] for e in entries) == [16, 32, 48], f"{name}: images {entries}")
        check(all(e[5] == 24 for e in entries), f"{name}: not 24 bits per pixel")
    data = (root / "main/LinkHand.cur").read_bytes()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    w, h, _, _, hx, hy, _, _ = struct.unpack_from("<BBBBHHII", data, 6)
    check(kind == 2 and count == 1 and (w, h) == (32, 32) and (hx, hy) == (5, 0),
          f"LinkHand.cur: {w}x{h} hot spot ({hx}, {hy})")


# ---------------------------------------------------------------- contact sheet

def compose_window(cap, bor, width, height, active, stale=None, title="Lumesca",
                   menu=("文件", "图片资料阅览"), hot=None):
    """The frame as the painter composes it: strip, buttons, title, menu band, edges."""
    capH, Bh = ms.CAPTION_H, ms.B
    off = 0 if active else ms.INACTIVE_OFFSET
    win = Image.new("RGB", (width, height), CLIENT)
    strip = stale.copy() if stale is not None else Image.new("RGB", (width + 1, capH), (0, 0, 0))

    def blit(dst, dx, dy, w, h, src, sx, sy):
        # Columns beyond the picture repeat its last column, as the painter does.
        given = max(0, min(w, src.width - sx))
        if given > 0:
            dst.paste(src.crop((sx, sy, sx + given, sy + h)), (dx, dy))
        if given < w:
            edge = src.crop((src.width - 1, sy, src.width, sy + h)).resize((w - given, h))
            dst.paste(edge, (dx + given, dy))

    blit(strip, 0, 0, ms.LEFT_END, capH, cap, off, 0)
    rw = ms.RIGHT_LAST - ms.RIGHT_FIRST + 1
    rx = width - rw + 1
    blit(strip, rx, 0, rw, capH, cap, off + ms.RIGHT_FIRST, 0)
    a = rx + rw - Bh + 4
    W, H = ms.GLYPH_W, ms.GLYPH_H
    close_l = a - (W + 1)
    max_l = close_l - (W + 1)
    min_l = max_l - (W + 1)
    blit(strip, close_l, 5, W, H, cap, ms.GLYPH_X["close"], 0)
    blit(strip, max_l, 5, W, H, cap, ms.GLYPH_X["maximize"], 0)
    blit(strip, min_l, 5, W, H, cap, ms.GLYPH_X["minimize"], 0)
    x = 90
    while x < rx:
        piece = 52 if x + 52 <= rx else rx - x
        blit(strip, x, 0, piece, capH, cap, ms.LEFT_END + off + 1, 0)
        x += 52
    d = ImageDraw.Draw(strip)
    font = ImageFont.truetype(FONT_PATH, 15)
    colour = ACTIVE_TITLE if active else INACTIVE_TITLE
    for dx in ((0, 1) if active else (0,)):
        d.text((92 + dx, 11), title, font=font, fill=colour)
    mx = 8
    for k, text in enumerate(menu):
        tw = int(d.textlength(text, font=font))
        left = ms.LEFT_END + mx
        if hot == k:
            d.rectangle([left - 2, 29, left + tw + 9, 29 + 19], outline=(255, 255, 255))
            d.line([(left + tw + 9, 29), (left + tw + 9, 48), (left - 2, 48)], fill=(64, 64, 64))
        d.text((left, 31), text, font=font, fill=MENU_HOT if hot == k else MENU_TEXT)
        mx += tw + 11
    win.paste(strip.crop((0, 0, width, capH)), (0, 0))
    # Side edges.
    for y in range(capH, height - Bh, Bh):
        win.paste(bor.crop((ms.TILE_LEFT, 0, ms.TILE_LEFT + Bh, Bh)), (0, y))
        win.paste(bor.crop((ms.TILE_RIGHT, 0, ms.TILE_RIGHT + Bh, Bh)), (width - Bh, y))
    # Bottom edge, composed in the strip's top rows as the painter does.
    bottom = strip.crop((0, 0, width + 1, Bh))
    for x in range(Bh, width - Bh, Bh):
        bottom.paste(bor.crop((ms.TILE_BOTTOM, 0, ms.TILE_BOTTOM + Bh, Bh)), (x, 0))
    bottom.paste(bor.crop((ms.TILE_CORNER_BL, 0, ms.TILE_CORNER_BL + Bh, Bh)), (0, 0))
    blit(bottom, width - Bh, 0, Bh, Bh, bor, ms.TILE_CORNER_BR, 0)
    win.paste(bottom.crop((0, 0, width, Bh)), (0, height - Bh))
    return win, strip


def make_sheet(pictures, out):
    width, height = 800, 92
    label_font = ImageFont.truetype("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 14)
    blocks = []
    for i, (cap, bor) in enumerate(pictures):
        act, strip = compose_window(cap, bor, width, height, True, hot=1)
        ina, _ = compose_window(cap, bor, width, height, False, stale=strip)
        block = Image.new("RGB", (width + 20, 2 * height + 30), (40, 40, 40))
        d = ImageDraw.Draw(block)
        d.text((10, 2), f"{i:02d}  {ms.SKINS[i].name}", font=label_font, fill=(235, 235, 235))
        block.paste(act, (10, 22))
        block.paste(ina, (10, 26 + height))
        blocks.append(block)
    per_page = 6
    pages = [blocks[k:k + per_page] for k in range(0, len(blocks), per_page)]
    out = Path(out)
    for n, page in enumerate(pages, 1):
        sheet = Image.new("RGB", (page[0].width, sum(b.height for b in page)), (40, 40, 40))
        y = 0
        for b in page:
            sheet.paste(b, (0, y))
            y += b.height
        sheet.save(out.with_name(f"{out.stem}-{n}{out.suffix}"))
    whole = Image.new("RGB", (blocks[0].width, sum(b.height for b in blocks)), (40, 40, 40))
    y = 0
    for b in blocks:
        whole.paste(b, (0, y))
        y += b.height
    whole.save(out)


def main(argv):
    pictures = []
    for i in range(len(ms.SKINS)):
        cap, bor = load(i)
        check(cap.size == (ms.CAPTION_W, ms.CAPTION_H), f"caption {i} size {cap.size}")
        check(bor.size == (ms.BORDER_W, ms.BORDER_H), f"border {i} size {bor.size}")
        check(cap.format == "JPEG" and bor.format == "JPEG", f"skin {i} not JPEG")
        cap, bor = cap.convert("RGB"), bor.convert("RGB")
        pictures.append((cap, bor))
        check_glyphs(i, cap)
        check_slices(i, cap, bor)
        check_readability(i, cap)
    check(len(pictures) == 30, "not thirty skins")
    check_distinct(pictures)
    check_window_art()
    if "--sheet" in argv:
        make_sheet(pictures, argv[argv.index("--sheet") + 1])
    for f in failures:
        print("FAIL:", f)
    print(f"{len(pictures)} skins checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

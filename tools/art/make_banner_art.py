#!/usr/bin/python3
"""Draws the art of the banner folder that make_window_art.py does not (run by hand; results
committed).

  resources/banner/Form3.ico   gradient designer icon: a panel of darkening bands and three
                               channel sliders

16, 32 and 48 pixel images at 24 bits per pixel with a transparency mask. Deterministic output.
"""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from make_window_art import ICON_SIZES, ROOT, Canvas, crisp, write_ico  # noqa: E402

BANDS = 9


def icon_designer(n):
    """Gradient designer: a framed panel of bands darkening downwards, three slider knobs."""
    c = Canvas(n, n)
    u = n / 32.0
    d = c.d
    d.rounded_rectangle(c.box(1 * u, 1 * u, 31 * u, 31 * u), radius=3 * u * 4, fill=(224, 224, 224, 255),
                        outline=(60, 60, 90, 255), width=c.width(1.2 * u))
    top, bottom = 4 * u, 28 * u
    band = (bottom - top) / BANDS
    for k in range(BANDS):
        shade = 255 - 28 * k
        d.rectangle(c.box(15 * u, top + k * band, 28 * u, top + (k + 1) * band),
                    fill=(shade, max(0, shade - 127), 0, 255))
    for row, colour in enumerate(((230, 30, 30, 255), (30, 170, 40, 255), (30, 60, 220, 255))):
        y = 8 * u + row * 8 * u
        d.line(c.s([(4 * u, y), (12.5 * u, y)]), fill=(90, 90, 110, 255), width=c.width(1.2 * u))
        knob = 5.5 * u + row * 2.5 * u
        d.rectangle(c.box(knob - 1.6 * u, y - 3 * u, knob + 1.6 * u, y + 3 * u), fill=colour,
                    outline=(30, 30, 40, 255), width=c.width(0.6 * u))
    return crisp(c.reduced())


def main():
    banner_dir = ROOT / "banner"
    banner_dir.mkdir(parents=True, exist_ok=True)
    write_ico(banner_dir / "Form3.ico", [icon_designer(n) for n in ICON_SIZES])


if __name__ == "__main__":
    main()

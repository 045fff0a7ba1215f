#!/usr/bin/python3
"""Draws the program's icons (run by hand; the results are committed under resources/icons)."""
from pathlib import Path
from PIL import Image, ImageDraw

OUT = Path(__file__).resolve().parents[2] / "resources" / "icons"


def lumesca_icon(size: int) -> Image.Image:
    """A lens-like sun over a picture frame: warm disc, teal frame, a mountain line."""
    scale = 4
    s = size * scale
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    m = s // 16
    d.rounded_rectangle([m, m * 3, s - m, s - m], radius=m * 2, fill=(24, 110, 130, 255),
                        outline=(10, 50, 60, 255), width=max(1, m // 2))
    d.rectangle([m * 3, m * 5, s - m * 3, s - m * 3], fill=(225, 240, 245, 255))
    d.polygon([(m * 3, s - m * 3), (s // 2 - m, s // 2), (s // 2 + m * 2, s - m * 6),
               (s - m * 5, s // 2 + m), (s - m * 3, s - m * 3)], fill=(60, 140, 80, 255))
    d.ellipse([s - m * 8, m, s - m, m * 8], fill=(250, 190, 40, 255), outline=(200, 120, 20, 255),
              width=max(1, m // 2))
    return img.resize((size, size), Image.LANCZOS)


def main() -> None:
    OUT.mkdir(parents=True, exist_ok=True)
    big = lumesca_icon(48)
    big.save(OUT / "lumesca.ico", sizes=[(16, 16), (32, 32), (48, 48)],
             append_images=[lumesca_icon(16), lumesca_icon(32)], bitmap_format="bmp")


if __name__ == "__main__":
    main()

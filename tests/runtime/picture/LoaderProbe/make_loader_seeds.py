#!/usr/bin/python3
"""Writes the picture files the loader's fuzz test mutates, in the forms the test program cannot
make itself: JPEG baseline and progressive, PNG with palette and alpha, an animated GIF, BMP of
1 and 8 bits, and an icon of several sizes; and for the picture tests, JPEGs red above and blue
below (to be cut off) and a PNG of red at alpha 80.
    make_loader_seeds.py OUTPUT_FOLDER"""
import os
import sys

from PIL import Image


def pattern(width, height, mode="RGB"):
    image = Image.new("RGB", (width, height))
    image.putdata([((x * 9) % 256, (y * 13) % 256, ((x + y) * 5) % 256)
                   for y in range(height) for x in range(width)])
    return image if mode == "RGB" else image.convert(mode)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    out = lambda name: os.path.join(folder, name)
    base = pattern(40, 28)
    base.save(out("baseline.jpg"), quality=80)
    base.save(out("progressive.jpg"), quality=75, progressive=True)
    pattern(33, 17).convert("L").save(out("grey-progressive.jpg"), progressive=True)
    base.convert("P", palette=Image.ADAPTIVE, colors=16).save(out("palette.png"))
    pattern(20, 20, "RGBA").save(out("alpha.png"))
    frames = [pattern(24, 16).convert("P", palette=Image.ADAPTIVE, colors=c) for c in (8, 32)]
    frames[0].save(out("animated.gif"), save_all=True, append_images=frames[1:], duration=100, loop=0)
    base.convert("P", palette=Image.ADAPTIVE).save(out("indexed.bmp"))
    base.convert("1").save(out("mono.bmp"))
    pattern(48, 48, "RGBA").save(out("sizes.ico"), sizes=[(16, 16), (32, 32), (48, 48)])
    halves = Image.new("RGB", (64, 64), (220, 20, 20))
    halves.paste((20, 20, 220), (0, 32, 64, 64))
    halves.save(out("halves.jpg"), quality=90)
    halves.save(out("halves-progressive.jpg"), quality=90, progressive=True)
    Image.new("RGBA", (16, 16), (255, 0, 0, 80)).save(out("translucent.png"))


if __name__ == "__main__":
    main(sys.argv[1])

#!/usr/bin/python3
"""Makes every picture, the icon and every sound of the game, the same bytes on every run.

    /usr/bin/python3 tools/assets/generate.py [--out DIR] [--sheet FILE.png] [--only NAME ...]

writes DIR/bitmaps/*.bmp, DIR/icons/IDI_ICON1.ico and DIR/sounds/*.wav (DIR defaults to the
repository's resources/). The sounds need espeak-ng for the spoken words.
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source tree clean

import formats  # noqa: E402
import icon  # noqa: E402
import people  # noqa: E402
import river  # noqa: E402
import scenery  # noqa: E402
import sheet  # noqa: E402
import sounds  # noqa: E402
import titles  # noqa: E402
import vehicles  # noqa: E402

PICTURE_MAKERS = [
    scenery.sky, people.small_quibbert, people.squished, people.drown, people.splat,
    vehicles.car1, vehicles.car2, vehicles.bus, vehicles.semi, vehicles.truck, vehicles.mower,
    river.log, river.biglog, river.lilly1, river.lilly2, titles.cookie, scenery.burnt_house,
    titles.title, titles.emblem,
]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(HERE, "..", "..", "resources"))
    parser.add_argument("--sheet", help="also write a contact sheet PNG here")
    parser.add_argument("--only", nargs="*", help="make only these pictures or sounds")
    parser.add_argument("--no-sounds", action="store_true", help="skip the sounds")
    args = parser.parse_args()
    wanted = set(args.only) if args.only else None

    pictures = []
    for maker in PICTURE_MAKERS:
        if wanted is None or maker.__name__ in wanted or maker.__name__.replace("_", "") in wanted:
            picture = maker()
            pictures.append(picture)
            write(os.path.join(args.out, "bitmaps", picture.name + ".bmp"), picture.bmp())

    icon_rows, icon_mask = icon.icon()
    if wanted is None or "icon" in wanted:
        write(os.path.join(args.out, "icons", "IDI_ICON1.ico"), formats.ico_bytes(icon_rows, icon_mask))

    if not args.no_sounds:
        for name, maker in sounds.MAKERS:
            if wanted is None or name in wanted:
                try:
                    samples, rate = maker()
                except sounds.MissingTool as missing:
                    sys.exit("generate.py: %s" % missing)
                write(os.path.join(args.out, "sounds", name + ".wav"),
                      formats.wav_bytes(samples, rate))

    if args.sheet:
        rgb_icon = [[formats.SYSTEM16[i] for i in row] for row in icon_rows]
        rows = sheet.build(pictures, rgb_icon, icon_mask)
        write(args.sheet, formats.png_bytes(rows))


if __name__ == "__main__":
    main()

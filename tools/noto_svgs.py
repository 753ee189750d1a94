#!/usr/bin/env python3
"""Writes one SVG per row of tools/pictures.tsv from the Noto emoji of @iconify-json/noto.

Usage: tools/noto_svgs.py PICTURES_TSV NOTO_PACKAGE_DIR OUT_DIR
NOTO_PACKAGE_DIR is the unpacked npm package (`npm pack @iconify-json/noto`), holding icons.json
(the SVG bodies) and chars.json (code points to icon names). Each row (emoji<TAB>id<TAB>theme,
'#' starts a comment) becomes OUT_DIR/<theme>/<id>.svg. An emoji the package lacks, a repeated id
or emoji, or an id or theme outside the store's spelling stops the run before anything is written,
so that a half-made store never replaces a whole one.
"""

import json
import os
import re
import sys

THEMES = {"animals", "body", "clothes", "food", "home", "jobs", "nature", "school", "toys", "transport"}
ID = re.compile(r"^[a-z0-9_]+$")


def fail(message):
    sys.exit("noto_svgs: " + message)


def read_rows(path):
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            columns = line.split("\t")
            if len(columns) != 3:
                fail(f"{path}:{number}: not emoji, id and theme: {line!r}")
            emoji, picture_id, theme = columns
            if not ID.match(picture_id):
                fail(f"{path}:{number}: id {picture_id!r} is not lower-case ASCII letters, digits and _")
            if theme not in THEMES:
                fail(f"{path}:{number}: no theme {theme!r}; themes are {' '.join(sorted(THEMES))}")
            rows.append((number, emoji, picture_id, theme))
    return rows


def icon_name(chars, emoji):
    # chars.json spells a sequence as hex code points joined by '-', mostly without the
    # variation selector FE0F that text often carries, so both spellings are tried.
    points = [f"{ord(c):x}" for c in emoji]
    for key in ("-".join(points), "-".join(p for p in points if p != "fe0f")):
        if key in chars:
            return chars[key]
    return None


def svg_of(icons, name):
    aliases = icons.get("aliases", {})
    seen = set()
    while name not in icons["icons"]:
        if name in seen or name not in aliases:
            return None
        seen.add(name)
        name = aliases[name]["parent"]
    icon = icons["icons"][name]
    left, top = icon.get("left", icons.get("left", 0)), icon.get("top", icons.get("top", 0))
    width = icon.get("width", icons.get("width", 16))
    height = icon.get("height", icons.get("height", 16))
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
        f'width="{width}" height="{height}" viewBox="{left} {top} {width} {height}">'
        f'{icon["body"]}</svg>\n'
    )


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: noto_svgs.py PICTURES_TSV NOTO_PACKAGE_DIR OUT_DIR")
    table, package, out = sys.argv[1:]
    with open(os.path.join(package, "icons.json"), encoding="utf-8") as f:
        icons = json.load(f)
    with open(os.path.join(package, "chars.json"), encoding="utf-8") as f:
        chars = json.load(f)

    svgs, ids, emojis = [], {}, {}
    for number, emoji, picture_id, theme in read_rows(table):
        if picture_id in ids:
            fail(f"{table}:{number}: id {picture_id} already on line {ids[picture_id]}")
        if emoji in emojis:
            fail(f"{table}:{number}: {emoji} already on line {emojis[emoji]}")
        ids[picture_id] = emojis[emoji] = number
        name = icon_name(chars, emoji)
        svg = svg_of(icons, name) if name else None
        if svg is None:
            fail(f"{table}:{number}: no Noto picture for {emoji} ({picture_id})")
        svgs.append((os.path.join(out, theme, picture_id + ".svg"), svg))

    for path, svg in svgs:
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(svg)
    print(f"noto_svgs: {len(svgs)} pictures in {out}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes docs/words.md: every picture of the store with its word in each language set, side by side.

Usage: tools/make_words_table.py   (tools/make_assets.sh runs it)
A speaker of one language reviews all its words at a glance, beside the same picture's word in the
others. Reads each assets/idiomas/<set>/nombres.tsv (id<TAB>word<TAB>theme, '#' starts a comment);
a picture a set leaves out shows its "# left out: <id>: <why>" line as a dash and a footnote.
"""

import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
SETS = ["es", "en", "fr", "pt", "it", "de", "ca"]  # the order of the columns
LEFT_OUT = "# left out: "


def read_table(path):
    """The set's words by id, in table order, and its left-out ids with why."""
    words, left_out = {}, {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith(LEFT_OUT):
            picture, _, why = line[len(LEFT_OUT):].partition(":")
            left_out[picture.strip()] = why.strip()
        elif line and not line.startswith("#"):
            picture, word, _theme = line.split("\t")
            words[picture] = word
    return words, left_out


def main():
    tables = {s: read_table(ROOT / "assets" / "idiomas" / s / "nombres.tsv") for s in SETS}
    ids = list(tables["en"][0])  # the English table names every picture, in the store's order
    for words, left_out in tables.values():
        ids += [i for i in list(words) + list(left_out) if i not in ids]
    themes = {}
    for line in (ROOT / "assets" / "idiomas" / "en" / "nombres.tsv").read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            picture, _word, theme = line.split("\t")
            themes[picture] = theme
    out = [
        "# The words of every language set",
        "",
        "Made by `tools/make_words_table.py` from each set's `assets/idiomas/<set>/nombres.tsv`: do not",
        "edit by hand. Each row is one picture of the store (`assets/pictures/<theme>/<id>.png`); a",
        "dash is a picture the set leaves out, for the reason in the notes below.",
        "",
        "| id | theme | " + " | ".join(SETS) + " |",
        "|---|---|" + "---|" * len(SETS),
    ]
    notes = []
    for picture in ids:
        cells = []
        for s in SETS:
            words, left_out = tables[s]
            if picture in words:
                cells.append(words[picture])
            else:
                cells.append("—")
                notes.append(f"- {s} {picture}: {left_out.get(picture, 'no word')}")
        out.append(f"| {picture} | {themes.get(picture, '')} | " + " | ".join(cells) + " |")
    counts = ", ".join(f"{s} {len(tables[s][0])}" for s in SETS)
    out += ["", f"Words per set: {counts}.", "", "## Left out", ""] + (notes or ["None."])
    (ROOT / "docs" / "words.md").write_text("\n".join(out) + "\n", encoding="utf-8")
    print(f"make_words_table: {len(ids)} pictures in docs/words.md")


if __name__ == "__main__":
    main()

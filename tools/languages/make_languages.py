#!/usr/bin/env python3
"""Writes the shipped language folders and dictionaries under data/.

    tools/languages/make_languages.py [DATA_DIR]      (default: <repo>/data)

Language folders: data/Transliteration/NAME/{NAME.dat, exception.dat, description.dat},
every line UTF-16LE without a byte-order mark and ended by CR LF (the engine drops text
after the last CR LF). Dictionaries: data/Dictionaries/NAME.txt, UTF-8 with a byte-order
mark, lines SOURCE;TARGET ended by CR LF, longest source first.

The definitions live in languages.py and dictionaries.py beside this script; edit those
and run the script again. The script checks what it writes and stops on a mistake.
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dictionaries import DICTIONARIES, ordered_pairs  # noqa: E402
from languages import LANGUAGES  # noqa: E402
from rules import exact  # noqa: E402


def rule_file_bytes(lines):
    return "".join(line + "\r\n" for line in lines).encode("utf-16-le")


def check_table(name, pairs):
    seen = set()
    for source, target in pairs:
        if not source or source != source.lower():
            sys.exit(f"{name}: table source {source!r} must be non-empty lower case")
        if source in seen:
            sys.exit(f"{name}: table source {source!r} twice")
        if "|" in source or "\r" in source + target or "\n" in source + target:
            sys.exit(f"{name}: bad character in {source!r}|{target!r}")
        seen.add(source)


def check_rule(name, line):
    if line.count("|") < 3 or not line.endswith("|") or line != line.strip():
        sys.exit(f"{name}: malformed rule line {line!r}")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def write_language(root, name, spec):
    check_table(name, spec["table"])
    # A letter that is not written becomes an exact replacement by nothing, after the
    # context rules, rather than a table line "ь|": a table line ending with "|" is one
    # that table readers may shorten.
    table_lines = [f"{source}|{target}" for source, target in spec["table"] if target]
    rules = spec["rules"] + [exact(source, "") for source, target in spec["table"] if not target]
    for line in rules:
        check_rule(name, line)
    folder = os.path.join(root, "Transliteration", name)
    write(os.path.join(folder, name + ".dat"), rule_file_bytes(table_lines))
    write(os.path.join(folder, "exception.dat"), rule_file_bytes(rules))
    write(os.path.join(folder, "description.dat"), rule_file_bytes(spec["description"]))


def write_dictionary(root, name, column):
    lines = []
    for source, target in ordered_pairs(column):
        if ";" in source or source != source.strip() or target != target.strip():
            sys.exit(f"{name}: pair {source!r};{target!r} must be trimmed and hold no ';'")
        kept = os.path.commonprefix([source[::-1], target[::-1]])[::-1]
        if any("\u0400" <= ch <= "\u04ff" for ch in target[:len(target) - len(kept)]):
            sys.exit(f"{name}: target {target!r} holds Cyrillic; later pairs would see it")
        lines.append(f"{source};{target}\r\n")
    write(os.path.join(root, "Dictionaries", name + ".txt"),
          b"\xef\xbb\xbf" + "".join(lines).encode("utf-8"))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data")
    for name, spec in LANGUAGES.items():
        write_language(root, name, spec)
    for name, column in DICTIONARIES.items():
        write_dictionary(root, name, column)
    print(f"{len(LANGUAGES)} language folders and {len(DICTIONARIES)} dictionaries "
          f"written to {os.path.normpath(root)}")


if __name__ == "__main__":
    main()

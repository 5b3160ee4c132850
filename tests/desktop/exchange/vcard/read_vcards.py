"""Reads a vCard file with vobject, a vCard reader of its own, and prints what it finds.

Usage: read_vcards.py FILE.vcf
Prints one JSON object a card, one a line: the formatted name ("fn"), the five parts of the name
("n": family, given, additional, prefix, suffix), the organisation ("org") and the note ("note").
The file is read as UTF-8, as address books read vCard 3.0 files.
"""
import json
import sys

import vobject


def value(card, name):
    return card.contents[name][0].value if name in card.contents else None


def main(path):
    with open(path, encoding="utf-8", newline="") as file:
        for card in vobject.readComponents(file):
            n = card.n.value
            org = value(card, "org")
            print(json.dumps({
                "fn": card.fn.value,
                "n": [n.family, n.given, n.additional, n.prefix, n.suffix],
                "org": ";".join(org) if isinstance(org, list) else org,
                "note": value(card, "note"),
            }, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])

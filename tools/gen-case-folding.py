#!/usr/bin/env python3
"""Writes src/text/CaseFoldingTable.h, the simple case folding of Unicode.

Reads CaseFolding.txt of the Unicode Character Database (Debian's
unicode-data package installs it in /usr/share/unicode) and keeps the
mappings of status C (common) and S (simple): each folds one code point to
one code point. F (full, one to several) and T (Turkic) are left out.

    python3 tools/gen-case-folding.py [CaseFolding.txt] [output]
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode/CaseFolding.txt")
OUTPUT = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else ROOT / "src/text/CaseFoldingTable.h")


def read_folding(path):
    version = None
    folding = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if version is None:
            match = re.match(r"# (CaseFolding-[0-9.]+\.txt)", line)
            if match:
                version = match.group(1)
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        code, status, mapping = (field.strip() for field in line.split(";")[:3])
        if status not in ("C", "S"):
            continue
        source, target = int(code, 16), int(mapping, 16)
        if source in folding:
            sys.exit(f"{path}: U+{source:04X} folds twice")
        # The folding keeps the length of a UTF-16 text: a character of the
        # first plane folds to one of the first plane, any other to another.
        if (source > 0xFFFF) != (target > 0xFFFF):
            sys.exit(f"{path}: U+{source:04X} folds to U+{target:04X} in another plane")
        folding[source] = target
    if version is None or not folding:
        sys.exit(f"{path}: not a CaseFolding.txt")
    return version, folding


def write_table(path, version, folding):
    entries = [f"{{0x{source:04X}, 0x{target:04X}}}," for source, target in sorted(folding.items())]
    lines = []
    line = "   "
    for entry in entries:
        if len(line) + 1 + len(entry) > 110:
            lines.append(line)
            line = "   "
        line += " " + entry
    lines.append(line)
    body = "\n".join(lines)
    path.write_text(f"""#pragma once

// Generated from {version} of the Unicode Character Database by
// tools/gen-case-folding.py; do not edit. The simple case folding (statuses C
// and S): {len(folding)} code points, each with the one it folds to, in code
// point order. A code point not listed folds to itself.

namespace lanternfly {{

struct CaseFoldEntry {{
  char32_t from;
  char32_t to;
}};

inline constexpr CaseFoldEntry kCaseFolding[] = {{
{body}
}};

}}  // namespace lanternfly
""", encoding="utf-8")


def main():
    version, folding = read_folding(SOURCE)
    write_table(OUTPUT, version, folding)
    print(f"{OUTPUT}: {len(folding)} foldings from {version}")


main()

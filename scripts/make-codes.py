#!/usr/bin/env python3
"""Writes data/Codes.txt: the ITU country codes of the EiBi readme, section II, one
"CODE  Name" a line (the readme's own order, which is alphabetical by code)."""
import re
import sys
from pathlib import Path

root = Path(__file__).resolve().parent.parent
readme = root.parent / "shared" / "reference" / "eibi-readme.txt"
lines = readme.read_text(encoding="utf-8").splitlines()
start = next(i for i, l in enumerate(lines) if l.strip() == "II) Country codes.")
end = next(i for i, l in enumerate(lines) if i > start and l.strip() == "III) Target-area codes.")
entry = re.compile(r"^\s+([A-Z0-9]{1,3})\s{2,}(\S.*?)\s*$")
out = []
for line in lines[start + 1 : end]:
    m = entry.match(line)
    if m:
        name = m.group(2)
        # The readme marks codes the ITU does not issue with a trailing asterisk.
        if name.endswith(" *"):
            name = name[:-2] + " (unofficial code)"
        out.append(f"{m.group(1)}  {name}")
target = root / "data" / "Codes.txt"
target.write_bytes(("\n".join(out) + "\n").encode("utf-8"))
print(f"{len(out)} codes written to {target}", file=sys.stderr)

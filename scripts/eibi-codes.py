#!/usr/bin/env python3
"""Derives data/eibi-codes.tsv from the EiBi readme (section D, code lists I to IV).

usage: scripts/eibi-codes.py README.TXT > data/eibi-codes.tsv

Rows, tab-separated:
  lang    CODE  name
  country CODE  name
  target  CODE  name        (a code ending in ".." is a prefix: "C.." Central)
  site    ITU   CODE  name  lati  longi   (CODE empty: the country's main site)
Coordinates as the schedule writes them: "18S09" and "045E58" (seconds dropped).
"""
import re
import sys

SECTION = re.compile(r"^\s+(I|II|III|IV)\) ")
# Degrees and minutes, seconds dropped ("35N1'56\"-126E14'19\""); a longitude marked N
# (the readme's slip "51N42-55N01") is read as east.
COORD = re.compile(r"(\d{1,2})([NS])(\d{1,2})(?:'[\d.]+\"?)?-(\d{1,3})([EWN])(\d{1,2})(?:'[\d.]+\"?)?")


def clean(text):
    return " ".join(text.split())


def language(line):
    m = re.match(r"^   (-?[A-Za-z0-9]+(?:-[A-Za-z0-9]+)?)\s{2,}(.+)$", line)
    if not m:
        return None
    name = re.sub(r"\s*\[[a-z]{3}\]\s*$", "", m.group(2))
    name = re.split(r"[:(]", name)[0]
    return m.group(1), clean(name)


def country(line):
    m = re.match(r"^   ([A-Z0-9]{1,3})\s{2,}(.+)$", line)
    if not m:
        return None
    return m.group(1), clean(m.group(2).rstrip(" *"))


def target(line):
    m = re.match(r"^   ([A-Za-z.]+)\s+- (.+)$", line)
    if not m:
        return None
    return m.group(1), clean(re.sub(r"\(.*?\)", "", m.group(2)))


def coordinates(text):
    m = COORD.search(text)
    if not m:
        return None, "", ""
    lati = "%02d%s%02d" % (int(m.group(1)), m.group(2), int(m.group(3)))
    longi = "%03d%s%02d" % (int(m.group(4)), "W" if m.group(5) == "W" else "E", int(m.group(6)))
    return m, lati, longi


def site_entry(country_code, text, first):
    m, lati, longi = coordinates(text)
    head = text[: m.start()] if m else text
    code = ""
    cm = re.match(r"^([A-Za-z0-9]{1,4})-(.+)$", head)
    if cm:
        code, head = cm.group(1), cm.group(2)
    head = re.sub(r"\s*except:\s*$", "", head)
    name = clean(head).rstrip(" ,")
    if not m and not code and not first:  # "XUU: Unknown site" names the main site
        return None
    return country_code, code, name, lati, longi


def main(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    start = next(i for i, l in enumerate(lines) if l.startswith("D) Codes used."))
    section, current = None, None
    out = []
    for line in lines[start + 1 :]:
        s = SECTION.match(line)
        if s and line.strip().endswith(("codes.", "Language codes.", "Country codes.")):
            section = s.group(1)
            continue
        if section == "I":
            e = language(line)
            if e:
                out.append(("lang",) + e)
        elif section == "II":
            e = country(line)
            if e:
                out.append(("country",) + e)
        elif section == "III":
            e = target(line)
            if e:
                out.append(("target",) + e)
        elif section == "IV":
            m = re.match(r"^   ([A-Z0-9]{1,3}):\s+(.+)$", line)
            first = bool(m)
            if m:
                current = m.group(1)
                text = m.group(2)
            elif current and re.match(r"^\s{6,}\S", line):
                text = line.strip()
            else:
                if not line.startswith(" "):
                    current = None
                continue
            e = site_entry(current, text, first)
            if e:
                out.append(("site",) + e)
    seen = set()
    for row in out:
        key = row[:3] if row[0] == "site" else row[:2]
        if key in seen:
            continue
        seen.add(key)
        print("\t".join(row))


if __name__ == "__main__":
    main(sys.argv[1])

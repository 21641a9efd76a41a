#!/usr/bin/env python3
"""Derives the map's land outlines from world-atlas 2.0.2 (land-110m.json, Natural Earth's
1:110m land, public domain) into the compact file the program compiles in.

    npm pack world-atlas@2.0.2 && tar xzf world-atlas-2.0.2.tgz
    python3 scripts/land-outlines.py package/land-110m.json data/land-110m.bin

World-atlas rings are spherical: a ring may cross the antimeridian, and Antarctica's ring
runs once around the south pole without closing. The program rasterizes plain longitude /
latitude polygons, so longitudes are unwrapped here (a ring crossing 180 degrees continues
past it, and is drawn once more shifted by 360 degrees) and a ring around a pole is closed
along that pole.

Output, little-endian: b"SKLAND1\\n", uint32 polygon count; per polygon uint32 ring count
(the outer ring, then its holes); per ring uint32 point count and that many pairs of int16
(longitude, latitude) in hundredths of a degree. Rings are not closed (the last point is not
the first one again)."""

import json
import struct
import sys


def decoded_arcs(topology):
    """The arcs as absolute longitude/latitude points (TopoJSON quantizes and delta-encodes)."""
    (sx, sy), (tx, ty) = topology["transform"]["scale"], topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)
    return arcs


def ring_points(ring, arcs):
    """A ring's points from its arc indices; ~i is arc i reversed; arcs share their ends."""
    points = []
    for index in ring:
        arc = arcs[index] if index >= 0 else list(reversed(arcs[~index]))
        points.extend(arc if not points else arc[1:])
    if len(points) > 1 and points[0] == points[-1]:
        points.pop()
    return points


def unwrapped(ring):
    """Longitudes made continuous; a ring that circles a pole is closed along it."""
    out = [ring[0]]
    for lon, lat in ring[1:]:
        previous = out[-1][0]
        while lon - previous > 180:
            lon -= 360
        while lon - previous < -180:
            lon += 360
        out.append((lon, lat))
    first, last = out[0], out[-1]
    turn = first[0] - last[0]
    while turn > 180:
        turn -= 360
    while turn < -180:
        turn += 360
    end = last[0] + turn  # where the closing edge arrives: first[0], or 360 degrees off it
    if abs(end - first[0]) > 1:
        pole = -90 if sum(lat for _, lat in out) < 0 else 90
        out += [(end, first[1]), (end, pole), (first[0], pole)]
    return out


def shift_of(ring, west):
    """The multiple of 360 degrees that puts the ring's west end within west..west+360."""
    shift = 0
    while min(lon for lon, _ in ring) + shift < west:
        shift += 360
    while min(lon for lon, _ in ring) + shift >= west + 360:
        shift -= 360
    return shift


def placed(ring, west):
    shift = shift_of(ring, west)
    return [(lon + shift, lat) for lon, lat in ring]


def polygons(topology):
    arcs = decoded_arcs(topology)
    for geometry in topology["objects"]["land"]["geometries"]:
        shapes = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
        for shape in shapes:
            outer, *holes = [unwrapped(ring_points(ring, arcs)) for ring in shape]
            outer = placed(outer, -180)
            west = min(lon for lon, _ in outer)  # holes lie within their outer ring's span
            yield [outer] + [placed(hole, west) for hole in holes]


def hundredths(value):
    return int(round(value * 100))


def main(source, target):
    with open(source, encoding="utf-8") as f:
        shapes = list(polygons(json.load(f)))
    out = bytearray(b"SKLAND1\n")
    out += struct.pack("<I", len(shapes))
    for rings in shapes:
        out += struct.pack("<I", len(rings))
        for ring in rings:
            out += struct.pack("<I", len(ring))
            for lon, lat in ring:
                out += struct.pack("<hh", hundredths(lon), hundredths(lat))
    with open(target, "wb") as f:
        f.write(out)
    points = sum(len(r) for rings in shapes for r in rings)
    print(f"{len(shapes)} polygons, {points} points, {len(out)} bytes", file=sys.stderr)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: land-outlines.py land-110m.json land-110m.bin")
    main(sys.argv[1], sys.argv[2])

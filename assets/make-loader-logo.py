#!/usr/bin/env python3
"""Draws the loader logo: a bold "Q" whose tail is a quill pen.

Writes assets/loader-logo.png, a 1600 x 1600 PNG with a two-colour palette: the
dark parts are the logo (the loader shader fills them in), the rest is light.
Standard library only, so the image can be redrawn anywhere:

    python3 assets/make-loader-logo.py
"""

import math
import os
import struct
import zlib

SIZE = 1600
DARK, LIGHT = 0, 1  # palette indices
PALETTE = [(27, 31, 48), (244, 238, 222)]  # ink navy, paper cream

# The ring of the Q, in pixels (y grows downwards).
RING_CENTRE = (800.0, 740.0)
RING_INNER = 370.0
RING_OUTER = 600.0

# The quill lies at 45 degrees across the ring's lower right: its feather inside
# the ring, its nib out past the ring like the tail of a Q.
QUILL_START = (800.0, 800.0)
QUILL_END = (1490.0, 1490.0)
VANE_END = 0.72  # the feather covers this much of the quill's length, then the bare shaft
VANE_HALF_WIDTH = (150.0, 115.0)  # the two sides of the feather, the second one narrower
SHAFT_HALF_WIDTH = 18.0
RACHIS_HALF_WIDTH = 9.0  # the light line down the middle of the feather
NIB_START = 0.9  # from here the shaft is cut to a point
GAP = 30.0  # light margin that sets the quill apart from the ring it crosses


def quill_coordinates(x, y):
    """Position along the quill (0 at the feather's tip, 1 at the nib's point) and
    signed distance across it."""
    ax, ay = QUILL_START
    bx, by = QUILL_END
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length
    along = ((x - ax) * ux + (y - ay) * uy) / length
    across = -(x - ax) * uy + (y - ay) * ux
    return along, across


def quill_half_width(along, across):
    """Half the quill's width on the side of `across` at a position along it; 0
    outside it."""
    if along < 0.0 or along > 1.0:
        return 0.0
    width = 0.0
    if along <= VANE_END:
        # Pointed at the top, broad in the middle, tapering into the shaft.
        side = VANE_HALF_WIDTH[0] if across >= 0.0 else VANE_HALF_WIDTH[1]
        width = side * math.sin(math.pi * along / VANE_END) ** 1.1
    if along >= 0.6:
        shaft = SHAFT_HALF_WIDTH
        if along > NIB_START:
            shaft *= (1.0 - along) / (1.0 - NIB_START)
        width = max(width, shaft)
    return width


def in_feather_notch(along, across):
    """Cuts into the feather's edges, slanting towards its tip as barbs do."""
    for centre, side in ((0.26, 1.0), (0.45, 1.0), (0.36, -1.0)):
        if across * side <= 0.0:
            continue
        depth = abs(across) - 45.0  # the cuts stop short of the middle
        slant = along - centre + 0.0006 * depth
        if depth > 0.0 and abs(slant) < 0.004 + 0.00004 * depth:
            return True
    return False


def in_rachis(along, across):
    return 0.06 <= along <= VANE_END - 0.05 and abs(across) <= RACHIS_HALF_WIDTH


def in_quill(along, across):
    half_width = quill_half_width(along, across)
    in_outline = half_width > 0.0 and abs(across) <= half_width
    return in_outline and not in_rachis(along, across) and not in_feather_notch(along, across)


def near_quill(along, across):
    """Within the light margin around the quill's outline."""
    closest = min(max(along, 0.0), 1.0)
    return -0.03 <= along <= 1.03 and abs(across) <= quill_half_width(closest, across) + GAP


def is_dark(x, y):
    along, across = quill_coordinates(x, y)
    if in_quill(along, across):
        return True
    if near_quill(along, across):
        return False
    distance = math.hypot(x - RING_CENTRE[0], y - RING_CENTRE[1])
    return RING_INNER <= distance <= RING_OUTER


def packed_rows():
    """Filter type 0 and eight pixels a byte, most significant bit first."""
    rows = bytearray()
    for row in range(SIZE):
        rows.append(0)
        for byte_start in range(0, SIZE, 8):
            byte = 0
            for bit in range(8):
                index = DARK if is_dark(byte_start + bit + 0.5, row + 0.5) else LIGHT
                byte |= index << (7 - bit)
            rows.append(byte)
    return bytes(rows)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_bytes():
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 1, 3, 0, 0, 0)  # 1 bit, indexed colour
    palette = b"".join(bytes(colour) for colour in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"IDAT", zlib.compress(packed_rows(), 9)) + chunk(b"IEND", b""))


def main():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "loader-logo.png")
    with open(path, "wb") as file:
        file.write(png_bytes())


if __name__ == "__main__":
    main()

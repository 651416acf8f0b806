#!/usr/bin/env python3
"""Draws the program's own pictures (the application icon and the three button pictures) as
32x32 icons with an alpha channel, so that no art has to come from elsewhere.
Run it from this folder; the .ico files it writes are committed beside it."""
import math
import struct

SIZE = 32
SAMPLES = 4  # per axis: each pixel averages 16 points, for soft edges


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def thick_line(x0, y0, x1, y1, width):
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    def inside(x, y):
        t = (x - x0) * ux + (y - y0) * uy
        d = abs((x - x0) * uy - (y - y0) * ux)
        return 0 <= t <= length and d <= width / 2
    return inside


def render(layers):
    """layers: (shape, (r, g, b)) painted in order; answers rows of (r, g, b, a), top first."""
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    colour = None
                    for shape, c in layers:
                        if shape(x, y):
                            colour = c
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = SAMPLES * SAMPLES
            row.append((round(r / a) if a else 0, round(g / a) if a else 0,
                        round(b / a) if a else 0, round(255 * a / n)))
        pixels.append(row)
    return pixels


def write_icon(name, pixels):
    """One 32x32 image, 32 bits per pixel (BGRA, bottom-up) with its AND mask."""
    xor = b"".join(struct.pack("BBBB", b, g, r, a)
                   for row in reversed(pixels) for r, g, b, a in row)
    mask_row = 4  # 32 pixels = 4 bytes, already a multiple of 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = 0
        for i, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - i)
        mask += bits.to_bytes(mask_row, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    image = header + xor + bytes(mask)
    with open(name, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16))
        f.write(image)


GREY, DARK, BLUE, LIGHT = (96, 96, 104), (48, 48, 56), (40, 110, 200), (150, 200, 250)
WHITE, GREEN, DARKGREEN = (255, 255, 255), (40, 160, 60), (20, 100, 35)
PAPER, INK, GOLD, RED = (250, 250, 245), (120, 120, 130), (230, 180, 40), (200, 50, 40)

# The application: a computer screen with an "i" for information.
APPLICATION = [
    (rect(2, 3, 30, 24), DARK), (rect(4, 5, 28, 22), BLUE), (rect(4, 5, 28, 9), LIGHT),
    (disc(16, 10.5, 1.8), WHITE), (rect(14.4, 13.5, 17.6, 20.5), WHITE),
    (rect(13, 24, 19, 27), GREY), (rect(8, 27, 24, 29), DARK),
]

# "Procesar": a gear turning, in green.
def gear():
    teeth = []
    for k in range(8):
        angle = k * math.pi / 4
        cx, cy = 16 + 11 * math.cos(angle), 16 + 11 * math.sin(angle)
        teeth.append((disc(cx, cy, 3.2), DARKGREEN))
    return teeth + [(disc(16, 16, 11), DARKGREEN), (disc(16, 16, 9.5), GREEN),
                    (ring(16, 16, 3.5, 5.5), WHITE)]

# "Mostrar resultado": a page of text under a magnifying glass.
SHOW = [
    (rect(4, 2, 22, 28), INK), (rect(5, 3, 21, 27), PAPER),
    (rect(7, 7, 19, 8.5), INK), (rect(7, 11, 19, 12.5), INK), (rect(7, 15, 15, 16.5), INK),
    (thick_line(21, 21, 29, 29, 4), DARK), (disc(17, 17, 7.5), DARK), (disc(17, 17, 5.8), LIGHT),
]

# "Enviar a Kelto": an envelope leaving with an arrow.
SEND = [
    (rect(2, 9, 26, 27), INK), (rect(3, 10, 25, 26), PAPER),
    (thick_line(3, 10.5, 14, 19, 1.6), INK), (thick_line(25, 10.5, 14, 19, 1.6), INK),
    (polygon([(19, 2), (31, 7), (19, 12)]), RED), (rect(12, 5.5, 20, 8.5), RED),
]

if __name__ == "__main__":
    write_icon("rbinfo.ico", render(APPLICATION))
    write_icon("process.ico", render(gear()))
    write_icon("show.ico", render(SHOW))
    write_icon("send.ico", render(SEND))

#!/usr/bin/env python3
"""Draws the add-in's marker and preview pictures (assets/Img). Run again after changing a
drawing; the files are committed, so the build does not need Python."""

import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "Img")

WHITE, BLACK, GREY, BLUE, LIGHT, RED = range(6)
PALETTE = [(255, 255, 255), (0, 0, 0), (128, 128, 128), (0, 70, 160), (220, 230, 245),
           (190, 30, 30), (255, 255, 255), (255, 255, 255)]


class Canvas:
    def __init__(self, w, h, fill=WHITE):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.set(x, y, c)
                elif fill is not None:
                    self.set(x, y, fill)

    def hline(self, x0, x1, y, c, dash=0):
        for x in range(x0, x1 + 1):
            if not dash or (x // dash) % 2 == 0:
                self.set(x, y, c)

    def circle(self, cx, cy, r, c, fill=None):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if abs(d - r) < 0.6:
                    self.set(x, y, c)
                elif fill is not None and d < r - 0.4:
                    self.set(x, y, fill)


def lzw(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, nbits = bytearray(), 0, 0
    code_size = min_code_size + 1
    table = {(i,): i for i in range(clear)}
    next_code = end + 1

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += code_size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w])
        if next_code < 4096:
            table[wk] = next_code
            next_code += 1
            if next_code - 1 == (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            code_size = min_code_size + 1
        w = (k,)
    if w:
        emit(table[w])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(name, canvas):
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", canvas.w, canvas.h, 0xF2, 0, 0)  # 8-colour global table
    for rgb in PALETTE:
        data += bytes(rgb)
    data += b"\x2c" + struct.pack("<HHHHB", 0, 0, canvas.w, canvas.h, 0)
    data.append(3)
    stream = lzw([c for row in canvas.px for c in row], 3)
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00\x3b"
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def write_bmp(name, canvas):
    row = (canvas.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        line = bytearray()
        for x in range(canvas.w):
            r, g, b = PALETTE[canvas.px[y][x]]
            line += bytes((b, g, r))
        line += b"\x00" * (row - len(line))
        pixels += line
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(pixels), 3780, 3780,
                       0, 0)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(header + info + pixels)


def radio(c, x, y, on=False):
    c.circle(x, y, 5, BLACK, WHITE)
    if on:
        c.circle(x, y, 2, BLACK, BLACK)


def check(c, x, y, on=False):
    c.rect(x - 5, y - 5, x + 5, y + 5, BLACK, WHITE)
    if on:
        for i in range(3):  # the short stroke down, then the long stroke up
            c.set(x - 3 + i, y + i, BLACK)
            c.set(x - 3 + i, y + i - 1, BLACK)
        for i in range(5):
            c.set(x - 1 + i, y + 2 - i, BLACK)
            c.set(x - 1 + i, y + 1 - i, BLACK)


def text_lines(c, x0, x1, y, n, colour=GREY):
    for i in range(n):
        c.hline(x0, x1 - (i % 3) * 12, y + i * 6, colour)
        c.hline(x0, x1 - (i % 3) * 12, y + i * 6 + 1, colour)


def blank(c, x0, y, w):
    c.rect(x0, y - 5, x0 + w, y + 5, BLUE, WHITE)


def preview(code):
    c = Canvas(160, 120)
    c.rect(0, 0, 159, 119, GREY)
    c.rect(6, 6, 153, 16, BLACK, BLACK)  # the help row of a question table
    text_lines(c, 12, 146, 24, 2, BLACK)
    if code in (0, 1, 3, 4, 9):
        answers = 2 if code == 9 else 4
        for i in range(answers):
            y = 44 + i * 16
            if code in (1, 4):
                check(c, 16, y, on=i in (0, 2))
            else:
                radio(c, 16, y, on=i == 1)
            text_lines(c, 28, 120, y - 1, 1)
        if code in (3, 4):
            blank(c, 28, 44 + answers * 16, 60)
    elif code == 5:
        text_lines(c, 12, 60, 50, 1)
        blank(c, 64, 51, 40)
        text_lines(c, 108, 146, 50, 1)
        text_lines(c, 12, 50, 70, 1)
        blank(c, 54, 71, 40)
    elif code == 6:
        c.rect(12, 40, 110, 110, GREY, LIGHT)
        c.rect(30, 60, 50, 74, BLUE)
        c.rect(70, 84, 96, 98, BLUE)
        c.rect(120, 44, 146, 58, BLUE, WHITE)
        c.rect(120, 70, 146, 84, BLUE, WHITE)
    elif code == 7:
        c.rect(12, 40, 146, 110, GREY, LIGHT)
        c.circle(60, 72, 14, RED)
        c.circle(110, 90, 10, RED)
    return c


def banner():
    """The web preview wizard's banner: a page with a question table beside a browser window
    showing the same page, joined by an arrow."""
    c = Canvas(500, 60, LIGHT)
    c.hline(0, 499, 59, BLUE)
    # the document page
    c.rect(16, 6, 60, 53, GREY, WHITE)
    text_lines(c, 22, 54, 12, 2, BLACK)
    c.rect(22, 26, 54, 46, BLACK)
    radio(c, 28, 32)
    radio(c, 28, 40, on=True)
    # the arrow
    c.hline(74, 104, 29, BLUE)
    c.hline(74, 104, 30, BLUE)
    for i in range(6):
        c.set(104 - i, 29 - i, BLUE)
        c.set(104 - i, 30 + i, BLUE)
    # the browser window
    c.rect(116, 6, 176, 53, BLUE, WHITE)
    c.rect(116, 6, 176, 12, BLUE, BLUE)
    text_lines(c, 122, 170, 17, 2, BLACK)
    c.rect(122, 30, 170, 48, GREY)
    radio(c, 128, 36)
    radio(c, 128, 43, on=True)
    # a title bar of dashes, as the web page break picture draws them
    c.hline(196, 484, 24, BLUE, dash=8)
    c.hline(196, 484, 35, BLUE, dash=8)
    return c


def main():
    os.makedirs(OUT, exist_ok=True)
    write_gif("1x1.gif", Canvas(1, 1))
    c = Canvas(13, 13)
    radio(c, 6, 6)
    write_gif("radio_blk.gif", c)
    c = Canvas(13, 13)
    check(c, 6, 6)
    write_gif("chk_blk.gif", c)
    c = Canvas(80, 16)
    c.rect(0, 0, 79, 15, BLUE, WHITE)
    c.rect(1, 1, 78, 14, BLUE)
    write_gif("textbox.gif", c)
    c = Canvas(240, 9)
    c.hline(0, 239, 3, BLUE, dash=6)
    c.hline(0, 239, 5, BLUE, dash=6)
    write_gif("LO.gif", c)
    for code in (0, 1, 3, 4, 5, 6, 7, 9):
        write_bmp("qti%d.bmp" % code, preview(code))
    write_gif("webverify_banner.gif", banner())
    return 0


if __name__ == "__main__":
    sys.exit(main())

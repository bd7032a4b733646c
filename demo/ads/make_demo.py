#!/usr/bin/env python3
"""Writes the demonstration advertisement server's files into ./server:

  server/AD/AD002.txt        the list (code page 936, CR LF): a text entry, a
                             picture entry, a home-page entry and a second picture
  server/pics/banner.bmp     168 x 46, fills the picture panel
  server/pics/small.bmp      100 x 30, a smaller panel
  server/index.html          the page the entries point to

Standard library only. The addresses in the list point at 127.0.0.1:<port>;
pass --port to serve on another port.
"""

import argparse
import os
import struct

# A 5 x 7 pixel font for the few letters the pictures use.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    " ": ["00000"] * 7,
}


class Picture:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[(0, 0, 0)] * width for _ in range(height)]

    def gradient(self, top, bottom):
        for y in range(self.height):
            t = y / max(1, self.height - 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.pixels[y] = [colour] * self.width

    def frame(self, colour):
        for x in range(self.width):
            self.pixels[0][x] = self.pixels[self.height - 1][x] = colour
        for y in range(self.height):
            self.pixels[y][0] = self.pixels[y][self.width - 1] = colour

    def ball(self, cx, cy, r, colour):
        for y in range(max(0, cy - r), min(self.height, cy + r + 1)):
            for x in range(max(0, cx - r), min(self.width, cx + r + 1)):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.pixels[y][x] = colour

    def text(self, left, top, text, colour, scale=1):
        x = left
        for ch in text:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                px, py = x + col * scale + dx, top + row * scale + dy
                                if 0 <= px < self.width and 0 <= py < self.height:
                                    self.pixels[py][px] = colour
            x += 6 * scale
        return x

    def save_bmp(self, path):
        row_size = (self.width * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.height - 1, -1, -1):  # bottom-up rows
            row = bytearray()
            for r, g, b in self.pixels[y]:
                row += bytes((b, g, r))
            row += b"\0" * (row_size - len(row))
            data += row
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + data)


def banner():
    p = Picture(168, 46)
    p.gradient((24, 40, 96), (70, 110, 190))
    p.frame((230, 200, 60))
    p.ball(22, 23, 14, (30, 90, 200))
    p.ball(22, 23, 8, (255, 255, 255))
    p.text(42, 9, "QUORBEL", (255, 255, 255), scale=2)
    p.text(44, 30, "AD DEMO", (250, 210, 70))
    return p


def small():
    p = Picture(100, 30)
    p.gradient((150, 30, 30), (230, 90, 40))
    p.frame((255, 255, 255))
    p.text(8, 8, "SMALL AD 2", (255, 255, 255), scale=1)
    p.ball(88, 15, 7, (255, 230, 120))
    return p


def ad_list(base):
    page = base + "/index.html"
    lines = [
        "1|7",
        "*",
        "1",
        "Quorbel 演示广告",
        "文字广告: 点击打开演示页",
        page,
        "*",
        "2",
        "banner.bmp|" + base + "/pics/banner.bmp",
        "图片广告: 点击打开演示页",
        page,
        "*",
        "3",
        "设为主页",
        "主页广告: 点击后询问是否设为浏览器主页",
        page,
        "*",
        "2",
        "small.bmp|" + base + "/pics/small.bmp",
        "第二张图片广告 (100 x 30)",
        page,
        "$",
    ]
    return ("\r\n".join(lines) + "\r\n").encode("cp936")


PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Quorbel 演示</title></head>
<body><h1>Quorbel 广告演示</h1>
<p>This page stands for an advertiser's site. It is served from demo/ads/server.</p>
</body></html>
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--port", type=int, default=8765)
    args = parser.parse_args()
    base = "http://127.0.0.1:%d" % args.port
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "server")
    os.makedirs(os.path.join(root, "AD"), exist_ok=True)
    os.makedirs(os.path.join(root, "pics"), exist_ok=True)
    with open(os.path.join(root, "AD", "AD002.txt"), "wb") as f:
        f.write(ad_list(base))
    with open(os.path.join(root, "index.html"), "w", encoding="utf-8") as f:
        f.write(PAGE)
    banner().save_bmp(os.path.join(root, "pics", "banner.bmp"))
    small().save_bmp(os.path.join(root, "pics", "small.bmp"))
    print("wrote", root)


if __name__ == "__main__":
    main()

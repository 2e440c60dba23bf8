#!/usr/bin/python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/:
small valid files of every kind each reader takes. Run once; the fuzzers and
scripts/fuzz-merge grow the corpus from them. Needs cjpeg (libjpeg-turbo-progs)
and Pillow (with WebP) for the JPEG, PNG and WebP seeds."""
import io
import os
import struct
import subprocess
import sys

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def put(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def pixel(x, y):
    return (x * 37 + y * 11) & 255, (x * 5 + y * 53) & 255, (x * 91 + y * 7) & 255


def rows(width, height, bits, palette_size):
    out = []
    for y in range(height):
        row = bytearray()
        if bits <= 8:
            per = 8 // bits
            for x0 in range(0, width, per):
                byte = 0
                for i in range(per):
                    index = ((x0 + i) * 3 + y) % palette_size if x0 + i < width else 0
                    byte |= index << (8 - bits * (i + 1))
                row.append(byte)
        elif bits == 16:
            for x in range(width):
                r, g, b = pixel(x, y)
                row += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
        elif bits == 24:
            for x in range(width):
                r, g, b = pixel(x, y)
                row += bytes((b, g, r))
        else:
            for x in range(width):
                r, g, b = pixel(x, y)
                row += bytes((b, g, r, 0x80))
        row += b"\0" * (-len(row) % 4)
        out.append(bytes(row))
    return out


def bmp(width, height, bits, header=40, compression=0, masks=None, top_down=False, pixels=None, colors=None):
    palette_size = 1 << bits if bits <= 8 else 0
    if colors is not None:
        palette_size = colors
    entry = 3 if header == 12 else 4
    table = b"".join(bytes((i * 7 & 255, i * 13 & 255, i * 29 & 255) + ((0,) if entry == 4 else ()))
                     for i in range(palette_size))
    if pixels is None:
        pixels = b"".join(rows(width, height, bits, max(palette_size, 1)))
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, -height if top_down else height, 1, bits,
                           compression, len(pixels), 2835, 2835, colors or 0, 0)
        if header > 40:
            extra = struct.pack("<IIII", *(masks or (0, 0, 0, 0)))
            info += extra[: header - 40] + b"\0" * max(0, header - 40 - len(extra))
    after = b"" if header > 40 or masks is None else struct.pack("<" + "I" * len(masks), *masks)
    offset = 14 + len(info) + len(after) + len(table)
    body = info + after + table + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def rle8(width, height):
    out = bytearray()
    for y in range(height):
        out += bytes((width // 2, y % 7, 0, 3)) + bytes((1, 2, 3, 0))  # a run, an absolute run
        out += bytes((0, 0))
    out += bytes((0, 2, 1, 1, 0, 1))  # a delta, then end of bitmap
    return bytes(out)


def rle4(width, height):
    out = bytearray()
    for y in range(height):
        out += bytes((width, 0x12 + y, 0, 0))
    return bytes(out) + bytes((0, 1))


def bmps():
    put("bmp", "1bit.bmp", bmp(13, 5, 1))
    put("bmp", "4bit.bmp", bmp(9, 4, 4))
    put("bmp", "4bit-short-table.bmp", bmp(9, 4, 4, colors=5))
    put("bmp", "8bit.bmp", bmp(7, 6, 8))
    put("bmp", "8bit-top-down.bmp", bmp(7, 3, 8, top_down=True))
    put("bmp", "16bit.bmp", bmp(5, 4, 16))
    put("bmp", "16bit-565.bmp", bmp(5, 4, 16, compression=3, masks=(0xF800, 0x07E0, 0x001F)))
    put("bmp", "24bit.bmp", bmp(6, 5, 24))
    put("bmp", "32bit.bmp", bmp(4, 4, 32))
    put("bmp", "32bit-alpha-masks.bmp", bmp(4, 3, 32, compression=6, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)))
    put("bmp", "32bit-v5.bmp", bmp(4, 3, 32, header=124, compression=3, masks=(0xFF0000, 0xFF00, 0xFF, 0)))
    put("bmp", "24bit-v4.bmp", bmp(3, 3, 24, header=108))
    put("bmp", "os2-core.bmp", bmp(5, 3, 8, header=12))
    put("bmp", "os2-v2-short.bmp", bmp(5, 3, 24, header=16))
    put("bmp", "os2-v2.bmp", bmp(5, 3, 4, header=64))
    put("bmp", "rle8.bmp", bmp(12, 4, 8, compression=1, pixels=rle8(12, 4)))
    put("bmp", "rle4.bmp", bmp(10, 3, 4, compression=2, pixels=rle4(10, 3)))
    put("bmp", "empty.bmp", b"")
    put("bmp", "zero-width.bmp", bmp(0, 4, 24))


def cjpeg(image, *options):
    ppm = io.BytesIO()
    image.save(ppm, "PPM")
    return subprocess.run(["cjpeg", *options], input=ppm.getvalue(), capture_output=True, check=True).stdout


def jpegs():
    colour = Image.new("RGB", (24, 17))
    colour.putdata([pixel(x, y) for y in range(17) for x in range(24)])
    grey = colour.convert("L")
    seeds = {
        "baseline.jpg": cjpeg(colour, "-quality", "75"),
        "baseline-444.jpg": cjpeg(colour, "-sample", "1x1"),
        "progressive.jpg": cjpeg(colour, "-progressive"),
        "grey.jpg": cjpeg(grey, "-grayscale"),
        "restart.jpg": cjpeg(colour, "-restart", "1"),
        "optimised.jpg": cjpeg(colour, "-optimize", "-sample", "2x1"),
        "arithmetic.jpg": cjpeg(colour, "-arithmetic"),
    }
    scans = os.path.join(ROOT, "..", "scans.txt")
    with open(scans, "w") as f:
        f.write("0;\n1;\n2;\n")  # one component per scan, not interleaved
    try:
        seeds["non-interleaved.jpg"] = cjpeg(colour, "-scans", scans)
    finally:
        os.remove(scans)
    cmyk = io.BytesIO()
    colour.convert("CMYK").save(cmyk, "JPEG", quality=70)
    seeds["cmyk-adobe.jpg"] = cmyk.getvalue()
    for name, data in seeds.items():
        put("jpeg", name, data)
        put("sniff", name, data)
    put("sniff", "24bit.bmp", bmp(6, 5, 24))
    put("sniff", "rle8.bmp", bmp(12, 4, 8, compression=1, pixels=rle8(12, 4)))
    put("sniff", "not-a-picture.txt", b"BM but not a bitmap\r\n")


def encoded(image, kind, **options):
    out = io.BytesIO()
    image.save(out, kind, **options)
    return out.getvalue()


def pngs_and_webps():
    colour = Image.new("RGB", (21, 13))
    colour.putdata([pixel(x, y) for y in range(13) for x in range(21)])
    alpha = colour.convert("RGBA")
    alpha.putalpha(Image.linear_gradient("L").resize((21, 13)))
    pngs = {
        "rgb.png": encoded(colour, "PNG"),
        "rgba.png": encoded(alpha, "PNG"),
        "interlaced.png": encoded(colour, "PNG", interlace=1),
        "grey.png": encoded(colour.convert("L"), "PNG"),
        "grey-1bit.png": encoded(colour.convert("1"), "PNG"),
        "palette-transparency.png": encoded(colour.convert("P"), "PNG", transparency=3),
        "grey-16bit.png": encoded(colour.convert("I"), "PNG"),
        "grey-alpha.png": encoded(alpha.convert("LA"), "PNG"),
    }
    webps = {
        "lossy.webp": encoded(colour, "WEBP", quality=60),
        "lossy-alpha.webp": encoded(alpha, "WEBP", quality=60),
        "lossless.webp": encoded(colour, "WEBP", lossless=True),
        "lossless-alpha.webp": encoded(alpha, "WEBP", lossless=True),
        "large-lossy.webp": encoded(colour.resize((96, 80)), "WEBP", quality=30),
    }
    for target, seeds in (("png", pngs), ("webp", webps)):
        for name, data in seeds.items():
            put(target, name, data)
            put("sniff", name, data)


def texts():
    lines18 = ["5", "3", "1", "192", "109", "197", "274", "205", "357", "38", "205", "375", "289", "305", "0",
               "C:\\Velmora\\1.jpg", "2", "15"]
    crlf = lambda lines: "".join(line + "\r\n" for line in lines).encode("cp1252")
    put("settings", "18-lines.ini", crlf(lines18))
    put("settings", "19-lines.ini", crlf(lines18 + ["Ctrl+Shift+F12"]))
    put("settings", "20-lines.ini", crlf(lines18 + ["", "0"]))
    put("settings", "first-start.ini", crlf(lines18[:15] + ["first start", "1", "60", "Alt+N", "1"]))
    put("settings", "lf-only.ini", "\n".join(lines18).encode())
    put("wallpaper_list", "list.ini", crlf(["C:\\Pictures\\sea.jpg", "D:\\Fotos\\Garten im Mai.jpeg", "", "\\\\server\\share\\x.jpg"]))
    put("wallpaper_list", "mixed-ends.ini", b"a.jpg\rb.jpg\nc.jpg\r\nlast.jpg")
    put("wallpaper_list", "nul.ini", b"one.jpg\r\ntw\0o.jpg\r\n")
    put("font", "default.typ", crlf(["10", "MS Sans Serif", "1", "-16777208", "0"]))
    put("font", "named-colour.typ", crlf(["12", "Courier New", "0", "clRed", "7"]))
    put("font", "style-15.typ", crlf(["8", "Arial", "204", "255", "15"]))


if __name__ == "__main__":
    bmps()
    jpegs()
    pngs_and_webps()
    texts()
    sys.exit(0)

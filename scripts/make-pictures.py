#!/usr/bin/python3
"""Draws the program's icon, button faces and tool icons into resources/.

The faces and tool icons are drawn for 100 % (96 DPI) and, sharper, for
150 % and 200 % ("-150", "-200" beside the name); the program resizes the
200 % drawing for any other scale. The pictures are committed; run this again
only to change how they look:
    /usr/bin/python3 scripts/make-pictures.py
"""
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")
SS = 4  # supersampling for smooth edges

GROUND = (240, 240, 240)  # the button-face colour the faces sit on


SCALES = {100: "", 150: "-150", 200: "-200"}


def px(value, scale):
    """Layout pixels at a scale in per cent, halves rounded up as the program does."""
    return int(value * scale / 100 + 0.5)


def picture_path(name, scale):
    stem, ext = os.path.splitext(name)
    return os.path.join(OUT, "pictures", stem + SCALES[scale] + ext)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def glossy(size, radius, top, bottom, rim, ground, gloss=True, scale=100):
    """A rounded bar with a vertical gradient, a thin rim and a soft highlight."""
    k = scale / 100
    w, h = size[0] * SS, size[1] * SS
    img = Image.new("RGB", (w, h), ground)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, w - 1, h - 1), radius * SS, fill=255)
    body = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(body)
    for y in range(h):
        d.line((0, y, w, y), fill=lerp(top, bottom, y / (h - 1)))
    if gloss:
        hl = Image.new("L", (w, h), 0)
        ImageDraw.Draw(hl).rounded_rectangle((round(3 * k * SS), round(2 * k * SS), w - round(3 * k * SS), h // 2),
                                             radius * SS, fill=90)
        body = Image.composite(Image.new("RGB", (w, h), (255, 255, 255)), body, hl)
    inner = Image.new("L", (w, h), 0)
    rim_width = max(SS, round(k * SS))
    ImageDraw.Draw(inner).rounded_rectangle((rim_width, rim_width, w - 1 - rim_width, h - 1 - rim_width),
                                            round((radius - k) * SS), fill=255)
    rimmed = Image.composite(body, Image.new("RGB", (w, h), rim), inner)
    img = Image.composite(rimmed, img, mask)
    return img.resize(size, Image.LANCZOS)


def pill(name, top, bottom, gloss=True):
    for scale in SCALES:
        size = (px(85, scale), px(30, scale))
        glossy(size, size[1] / 2, top, bottom, (255, 255, 255), GROUND, gloss, scale).save(picture_path(name, scale))


def bar(name, top, bottom):
    for scale in SCALES:
        k = scale / 100
        w, h = px(100, scale), px(23, scale)
        img = glossy((w, h), 11 * k, top, bottom, (255, 255, 255), GROUND, scale=scale)
        big = img.resize((w * SS, h * SS), Image.NEAREST)
        ImageDraw.Draw(big).rounded_rectangle((round(4 * k * SS), round(3 * k * SS), round(30 * k * SS),
                                               round(19 * k * SS)), 5 * k * SS, fill=(255, 255, 255))
        small = big.resize((w, h), Image.LANCZOS)
        edge = px(31, scale)
        small.paste(img.crop((edge, 0, w, h)), (edge, 0))
        small.save(picture_path(name, scale))


def small_face(name, top, bottom):
    """An 18 x 18 tool face with a white pad in the middle, where its icon sits."""
    for scale in SCALES:
        k = scale / 100
        side = px(18, scale)
        img = glossy((side, side), 4 * k, top, bottom, (255, 255, 255), GROUND, scale=scale)
        big = img.resize((side * SS, side * SS), Image.NEAREST)
        ImageDraw.Draw(big).rounded_rectangle((px(3, scale) * SS, px(3, scale) * SS, px(15, scale) * SS - 1,
                                               px(15, scale) * SS - 1), 2 * k * SS, fill=(255, 255, 255))
        big.resize((side, side), Image.LANCZOS).save(picture_path(name, scale))


def small_icon(name, draw):
    """A 12 x 12 icon on white, laid on a small face's pad."""
    for scale in SCALES:
        side = px(12, scale)
        s = SS * scale / 100
        img = Image.new("RGB", (side * SS, side * SS), (255, 255, 255))
        draw(ImageDraw.Draw(img), s)
        img.resize((side, side), Image.LANCZOS).save(picture_path(name, scale))


INK = (20, 30, 90)


def line_icon(d, s):
    d.line((1.5 * s, 10.5 * s, 10.5 * s, 1.5 * s), fill=INK, width=round(1.6 * s))


def arrow_icon(d, s):
    d.line((1.5 * s, 10.5 * s, 7 * s, 5 * s), fill=INK, width=round(1.6 * s))
    d.polygon([(11 * s, 1 * s), (4.5 * s, 3.5 * s), (8.5 * s, 7.5 * s)], fill=INK)


def rectangle_icon(d, s):
    d.rectangle((1.5 * s, 2.5 * s, 10.5 * s, 9.5 * s), outline=INK, width=round(1.5 * s))


def ellipse_icon(d, s):
    d.ellipse((0.8 * s, 2 * s, 11.2 * s, 10 * s), outline=INK, width=round(1.5 * s))


def number_icon(d, s):
    d.ellipse((0.5 * s, 0.5 * s, 11.5 * s, 11.5 * s), fill=(200, 30, 30))
    d.line((4.5 * s, 4 * s, 6.5 * s, 2.5 * s, 6.5 * s, 9.5 * s), fill=(255, 255, 255), width=round(1.6 * s))


def highlighter_icon(d, s):
    d.line((1 * s, 8.5 * s, 11 * s, 8.5 * s), fill=(255, 240, 120), width=round(4 * s))  # its mark
    d.polygon([(4 * s, 6 * s), (10 * s, 0.5 * s), (11.5 * s, 2 * s), (6 * s, 7.5 * s)], fill=(230, 200, 0),
              outline=INK)


def tool_icon(name, draw):
    for scale in SCALES:
        w, h = px(18, scale), px(12, scale)
        s = SS * scale / 100
        img = Image.new("RGB", (w * SS, h * SS), (255, 255, 255))
        draw(ImageDraw.Draw(img), s)
        img.resize((w, h), Image.LANCZOS).save(picture_path(name, scale))


def brush(d, s):
    d.line((2 * s, 10 * s, 11 * s, 3 * s), fill=(150, 90, 40), width=round(2 * s))  # handle
    d.polygon([(10 * s, 2 * s), (13 * s, 1 * s), (16 * s, 3 * s), (13 * s, 6 * s)], fill=(120, 120, 130))
    d.ellipse((13 * s, 0, 17 * s, 4 * s), fill=(20, 20, 20))  # bristles with paint


def eraser(colour):
    def draw(d, s):
        d.polygon([(2 * s, 8 * s), (8 * s, 2 * s), (16 * s, 2 * s), (10 * s, 8 * s)], fill=colour,
                  outline=(90, 90, 90))
        d.polygon([(2 * s, 8 * s), (10 * s, 8 * s), (10 * s, 11 * s), (2 * s, 11 * s)], fill=lerp(colour, (0, 0, 0), 0.2),
                  outline=(90, 90, 90))
        d.polygon([(10 * s, 8 * s), (16 * s, 2 * s), (16 * s, 5 * s), (10 * s, 11 * s)],
                  fill=lerp(colour, (0, 0, 0), 0.35), outline=(90, 90, 90))
    return draw


def icon(size):
    s = SS
    w = size * s
    img = Image.new("RGBA", (w, w), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    shadow = max(1, size // 16) * s
    d.rectangle((shadow, shadow, w - 1, w - 1), fill=(0, 0, 0, 255))
    d.rectangle((0, 0, w - 1 - shadow, w - 1 - shadow), fill=(255, 255, 255, 255), outline=(128, 128, 128, 255))
    font_path = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"
    font = ImageFont.truetype(font_path, int(w * (0.40 if size >= 32 else 0.42)))
    box = d.textbbox((0, 0), "KVX", font=font)
    tw, th = box[2] - box[0], box[3] - box[1]
    inner = w - shadow
    d.text(((inner - tw) / 2 - box[0], (inner - th) / 2 - box[1]), "KVX", font=font, fill=(220, 0, 0, 255))
    return img.resize((size, size), Image.LANCZOS)


def main():
    pill("ibn.bmp", (40, 80, 200), (10, 30, 130))
    pill("iba.bmp", (110, 160, 250), (50, 100, 210))
    pill("ibp.bmp", (150, 200, 250), (245, 250, 255), gloss=False)
    pill("ibi.bmp", (170, 170, 170), (110, 110, 110))
    bar("ib2n.bmp", (40, 80, 200), (10, 30, 130))
    bar("ib2a.bmp", (110, 160, 250), (50, 100, 210))
    bar("ib2p.bmp", (160, 215, 255), (90, 170, 250))
    small_face("ib3n.bmp", (40, 80, 200), (10, 30, 130))
    small_face("ib3a.bmp", (110, 160, 250), (50, 100, 210))
    small_face("ib3p.bmp", (160, 215, 255), (90, 170, 250))
    small_icon("line.bmp", line_icon)
    small_icon("arrow.bmp", arrow_icon)
    small_icon("rectangle.bmp", rectangle_icon)
    small_icon("ellipse.bmp", ellipse_icon)
    small_icon("number.bmp", number_icon)
    small_icon("highlighter.bmp", highlighter_icon)
    tool_icon("brush.bmp", brush)
    tool_icon("eraselast.bmp", eraser((250, 235, 190)))
    tool_icon("eraseall.bmp", eraser((250, 160, 190)))
    icon(32).save(os.path.join(OUT, "KVX.ico"), sizes=[(32, 32), (16, 16)], append_images=[icon(16)])


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Draws the program's icon, button faces and tool icons into resources/.

The pictures are committed; run this again only to change how they look:
    /usr/bin/python3 scripts/make-pictures.py
"""
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")
SS = 4  # supersampling for smooth edges

GROUND = (240, 240, 240)  # the button-face colour the faces sit on


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def glossy(size, radius, top, bottom, rim, ground, gloss=True):
    """A rounded bar with a vertical gradient, a thin rim and a soft highlight."""
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
        ImageDraw.Draw(hl).rounded_rectangle((3 * SS, 2 * SS, w - 3 * SS, h // 2), radius * SS, fill=90)
        body = Image.composite(Image.new("RGB", (w, h), (255, 255, 255)), body, hl)
    inner = Image.new("L", (w, h), 0)
    ImageDraw.Draw(inner).rounded_rectangle((SS, SS, w - 1 - SS, h - 1 - SS), (radius - 1) * SS, fill=255)
    rimmed = Image.composite(body, Image.new("RGB", (w, h), rim), inner)
    img = Image.composite(rimmed, img, mask)
    return img.resize(size, Image.LANCZOS)


def pill(name, top, bottom, gloss=True):
    glossy((85, 30), 15, top, bottom, (255, 255, 255), GROUND, gloss).save(os.path.join(OUT, "pictures", name))


def bar(name, top, bottom):
    img = glossy((100, 23), 11, top, bottom, (255, 255, 255), GROUND)
    big = img.resize((100 * SS, 23 * SS), Image.NEAREST)
    ImageDraw.Draw(big).rounded_rectangle((4 * SS, 3 * SS, 30 * SS, 19 * SS), 5 * SS, fill=(255, 255, 255))
    small = big.resize((100, 23), Image.LANCZOS)
    small.paste(img.crop((31, 0, 100, 23)), (31, 0))
    small.save(os.path.join(OUT, "pictures", name))


def tool_icon(name, draw):
    w, h = 18 * SS, 12 * SS
    img = Image.new("RGB", (w, h), (255, 255, 255))
    draw(ImageDraw.Draw(img), SS)
    img.resize((18, 12), Image.LANCZOS).save(os.path.join(OUT, "pictures", name))


def brush(d, s):
    d.line((2 * s, 10 * s, 11 * s, 3 * s), fill=(150, 90, 40), width=2 * s)  # handle
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
    tool_icon("brush.bmp", brush)
    tool_icon("eraselast.bmp", eraser((250, 235, 190)))
    tool_icon("eraseall.bmp", eraser((250, 160, 190)))
    icon(32).save(os.path.join(OUT, "KVX.ico"), sizes=[(32, 32), (16, 16)], append_images=[icon(16)])


if __name__ == "__main__":
    main()

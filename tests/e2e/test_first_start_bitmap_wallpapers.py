"""A first start on the BMP wallpapers people make with ImageMagick, in every
form it writes, and on wallpapers the program cannot read: the first start
always ends with its work files."""

import re
import struct
import subprocess

import pytest
from PIL import Image, ImageChops, ImageDraw, ImageStat

from conftest import wait_until
from notepad import DESKTOP_KEY, RED, bmp, done, open_session, settings_text, wait_pixel, wait_toolbar
from tray import choose, dismiss, expect_box, settings_lines, wait_icon

# ImageMagick output, its options, and the header size, depth and compression it gives.
FORMS = [
    ("BMP3", ["+dither", "-colors", "2"], (40, 1, 0)),
    ("BMP", ["+dither", "-colors", "16"], (124, 4, 0)),
    ("BMP3", ["+dither", "-colors", "256"], (40, 8, 1)),  # 256 colours are run-length encoded by default
    ("BMP", ["+dither", "-colors", "256"], (124, 8, 1)),
    ("BMP2", ["+dither", "-colors", "256"], (12, 8, 0)),  # the OS/2 1.x core header
    ("BMP", ["-define", "bmp:subtype=RGB565"], (124, 16, 3)),
    ("BMP", ["-alpha", "set", "-type", "TrueColorAlpha"], (124, 32, 3)),
]


def near(colour, expected, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def source_picture(path):
    """Flat blocks, a smooth band and a fine checker: long runs, short runs and
    absolute runs once encoded."""
    image = Image.new("RGB", (640, 400), (40, 90, 170))
    draw = ImageDraw.Draw(image)
    draw.rectangle((0, 0, 319, 199), fill=(220, 180, 40))
    draw.rectangle((320, 200, 639, 399), fill=(30, 150, 60))
    for x in range(640):
        draw.line((x, 250, x, 299), fill=(x * 255 // 639, 60, 255 - x * 255 // 639))
    for y in range(40):
        for x in range(40):
            image.putpixel((500 + x, 40 + y), (250, 250, 250) if (x + y) % 2 else (10, 10, 10))
    image.save(path)


def header(path):
    data = path.read_bytes()
    size = struct.unpack_from("<I", data, 14)[0]
    if size == 12:
        return size, struct.unpack_from("<H", data, 24)[0], 0
    return size, struct.unpack_from("<H", data, 28)[0], struct.unpack_from("<I", data, 30)[0]


def magick(source, options, output):
    subprocess.run(["convert", str(source), *options, output], check=True)


def set_desktop_wallpaper(rig, workdir, name):
    rig.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "Wallpaper", "/d", workdir.winpath + "\\" + name, "/f"],
            check=True)


def first_start_until_written(rig, kvx, workdir):
    """Starts a first start, closes the welcome; returns the program."""
    for name in ("1.bmp", "2.bmp", "1.jpg"):
        (workdir / name).unlink(missing_ok=True)
    (workdir / "kvx.ini").write_bytes(settings_text())  # a red brush of size 5
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    return program


def wait_work_files(rig, workdir):
    wait_until(lambda: settings_lines(workdir)[15] == workdir.winpath + "\\1.jpg", timeout=30,
               what="kvx.ini line 16 to name 1.jpg")
    wait_icon(rig)
    for name in ("1.bmp", "2.bmp", "1.jpg"):
        assert (workdir / name).exists(), name


def test_imagemagick_bitmaps_start_cleanly_and_1_jpg_matches_them(rig, kvx, workdir, tmp_path):
    source_picture(tmp_path / "source.png")
    for number, (output, options, expected_header) in enumerate(FORMS):
        name = f"paper{number}.bmp"
        form = f"{output}: {' '.join(options)}"
        magick(tmp_path / "source.png", options, f"{output}:{workdir / name}")
        assert header(workdir / name) == expected_header, form
        magick(workdir / name, [], str(tmp_path / "expected.png"))  # the picture as ImageMagick reads it back
        set_desktop_wallpaper(rig, workdir, name)

        program = first_start_until_written(rig, kvx, workdir)
        wait_work_files(rig, workdir)
        assert rig.msgboxes(exe="KVX.exe") == [], form
        with Image.open(tmp_path / "expected.png") as expected, Image.open(workdir / "1.jpg") as kept:
            assert kept.size == expected.size, form
            difference = ImageStat.Stat(ImageChops.difference(kept.convert("RGB"), expected.convert("RGB")))
            assert max(difference.mean) < 3, (form, difference.mean)
        choose(rig, "Exit")
        assert program.wait_exit() == 0, form


@pytest.mark.parametrize("kind", ["truncated-bmp", "cut-jpeg", "huge-jpeg"])
def test_an_unreadable_wallpaper_shows_its_error_once_and_the_first_start_goes_on(rig, kvx, workdir, tmp_path,
                                                                                   kind):
    if kind == "truncated-bmp":
        source_picture(tmp_path / "source.png")
        magick(tmp_path / "source.png", ["+dither", "-colors", "256"], f"BMP3:{tmp_path / 'whole.bmp'}")
        whole = (tmp_path / "whole.bmp").read_bytes()
        (workdir / "paper.bmp").write_bytes(whole[:len(whole) // 2])
        name, message = "paper.bmp", r"Stream read error\."
    elif kind == "cut-jpeg":  # half a photo: libjpeg's "premature end", not a picture grey below
        source_picture(tmp_path / "source.png")
        Image.open(tmp_path / "source.png").save(tmp_path / "whole.jpg", "JPEG", quality=90)
        whole = (tmp_path / "whole.jpg").read_bytes()
        (workdir / "paper.jpg").write_bytes(whole[:len(whole) // 2])
        name, message = "paper.jpg", r"JPEG error #\d+\."
    else:  # a frame header claiming 60000 x 60000 pixels
        Image.new("RGB", (16, 16), (200, 40, 40)).save(tmp_path / "small.jpg")
        jpeg = bytearray((tmp_path / "small.jpg").read_bytes())
        frame = jpeg.index(b"\xff\xc0")
        jpeg[frame + 5:frame + 9] = b"\xea\x60\xea\x60"
        (workdir / "paper.jpg").write_bytes(bytes(jpeg))
        name, message = "paper.jpg", r"The picture is too large: 60000 x 60000 pixels do not fit in memory\."
    set_desktop_wallpaper(rig, workdir, name)

    program = first_start_until_written(rig, kvx, workdir)
    box = program.wait_msgbox(timeout=20)
    assert box["title"] == "Velmora"
    assert re.fullmatch(message, box["text"]), box["text"]
    dismiss(rig, box)
    wait_work_files(rig, workdir)
    assert rig.msgboxes(exe="KVX.exe") == [], "the error shows once"
    assert near(bmp(workdir / "1.bmp").getpixel((640, 400)), rig.desktop_colour)

    # The session works on those files.
    open_session(rig, program)
    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, (700, 300), RED, "the stroke")
    wait_toolbar(program)
    done(rig, program)
    assert bmp(workdir / "2.bmp").getpixel((700, 300)) == RED
    choose(rig, "Exit")
    assert program.wait_exit() == 0

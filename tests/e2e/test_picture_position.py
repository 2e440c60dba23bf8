"""The wallpaper's picture position, chosen in the options window: a 4000 x
3000 photo of four coloured quadrants in a black frame is tiled, filled,
fitted, stretched and centred on the screen, the drawing staying over it;
Fill and Fit match ImageMagick's own resizing."""

import subprocess

from PIL import Image, ImageChops, ImageStat

from conftest import wait_until
from notepad import RED, bmp, done, open_session, wait_toolbar
from options import DONE as OPTIONS_DONE, click, open_options, options_window
from photo import BLACK, QUADRANTS, assert_quadrants, near, place, start_with_photo
from tray import settings_lines


def mean_difference(a, b, skip_rows):
    """The mean difference per channel, rows of the drawing left out."""
    mask = Image.new("L", a.size, 255)
    mask.paste(0, (0, skip_rows[0], a.size[0], skip_rows[1]))
    stat = ImageStat.Stat(ImageChops.difference(a, b), mask)
    return sum(stat.mean) / 3


def imagemagick(photo, out, *args):
    subprocess.run(["convert", str(photo), *args, str(out)], check=True)
    return bmp(out)


def test_each_position_places_the_photo_and_keeps_the_drawing(rig, kvx, workdir):
    program = start_with_photo(rig, kvx, workdir)
    # A new user's wallpaper covers the screen: Fill, kept on line 21.
    assert settings_lines(workdir)[20] == "1"
    filled = bmp(workdir / "1.bmp")
    assert filled.size == (1280, 800)
    assert_quadrants(filled, (640, 400))
    open_session(rig, program)
    rig.drag((300, 600), (900, 600))
    wait_toolbar(program)
    done(rig, program)
    backdrop = None

    window = open_options(rig, program)
    for name in ("Tile (unscaled, top-left)", "Stretch", "Center", "Fill", "Fit"):
        picture = place(rig, program, window, name, workdir)
        window = options_window(program)
        assert picture.getpixel((600, 600)) == RED, name  # the drawing, unchanged over every placing
        if name.startswith("Tile"):
            # Today's rule: unscaled at the top-left, the frame in the corner.
            assert picture.size == (4000, 3000)
            assert near(picture.getpixel((10, 10)), BLACK) and near(picture.getpixel((100, 100)), QUADRANTS["tl"])
            assert near(picture.getpixel((1200, 700)), QUADRANTS["tl"])
            continue
        assert picture.size == (1280, 800), name
        if name == "Fill":
            # 1280 x 960, its top and bottom 80 rows cut: the side frames show, not the top.
            assert_quadrants(picture, (640, 400))
            assert near(picture.getpixel((5, 300)), BLACK) and near(picture.getpixel((300, 5)), QUADRANTS["tl"])
            magick = imagemagick(workdir / "photo.jpg", workdir / "fill.bmp", "-resize", "1280x800^", "-gravity",
                                 "center", "-extent", "1280x800")
            assert mean_difference(picture, magick, (590, 611)) <= 3
        elif name == "Fit":
            # 1067 x 800 in the middle, bars of the desktop's colour beside it.
            assert_quadrants(picture, (640, 400))
            backdrop = picture.getpixel((50, 400))
            assert picture.getpixel((1230, 400)) == backdrop and picture.getpixel((50, 100)) == backdrop
            assert near(picture.getpixel((110, 400)), BLACK) and near(picture.getpixel((640, 4)), BLACK)
            colour = "#%02x%02x%02x" % backdrop
            magick = imagemagick(workdir / "photo.jpg", workdir / "fit.bmp", "-resize", "1280x800", "-background",
                                 colour, "-gravity", "center", "-extent", "1280x800")
            assert mean_difference(picture, magick, (590, 611)) <= 3
        elif name == "Stretch":
            assert_quadrants(picture, (640, 400))
            assert near(picture.getpixel((640, 4)), BLACK) and near(picture.getpixel((4, 400)), BLACK)
            assert near(picture.getpixel((1275, 795)), BLACK)
        elif name == "Center":
            # The photo's middle, unscaled: no frame on the screen.
            assert_quadrants(picture, (640, 400), reach=4)
            assert near(picture.getpixel((2, 2)), QUADRANTS["tl"])
            assert near(picture.getpixel((1277, 797)), QUADRANTS["br"])
    # The options' "Done" keeps the choice.
    click(rig, window, OPTIONS_DONE)
    wait_until(lambda: settings_lines(workdir)[20] == "2", timeout=15, what="Fit saved on line 21")

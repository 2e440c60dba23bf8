"""PNG and WebP pictures wherever JPEG is taken: added through the open
dialog, previewed, and changing the wallpaper by "Next wallpaper" with the
drawing laid over them; a damaged WebP shows its error and changes nothing."""

from PIL import Image

from conftest import wait_until
from notepad import RED, bmp, done, first_start, near, open_session, wait_pixel, wait_toolbar, with_settings
from options import DONE, add_files, click, click_entry, entries, open_options, preview_colour, wait_selected
from tray import choose, dismiss, settings_lines, start_and_settle

GREEN, BLUE, GOLD = (30, 180, 60), (40, 60, 210), (220, 190, 30)
STROKE = (700, 300)


def wait_wallpaper(workdir, colour, what):
    wait_until(lambda: near(bmp(workdir / "1.bmp").getpixel((100, 100)), colour), timeout=30, what=what)
    # The drawing lies over each new picture at its place.
    assert bmp(workdir / "1.bmp").getpixel(STROKE) == RED


def test_png_and_webp_pictures_are_listed_previewed_and_made_the_wallpaper(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    open_session(rig, program)
    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, STROKE, RED, "the stroke")
    wait_toolbar(program)
    done(rig, program)
    choose(rig, "Exit")
    program.wait_exit(timeout=20)

    Image.new("RGB", (1280, 800), GREEN).save(workdir / "meadow.png", "PNG")
    Image.new("RGB", (1280, 800), BLUE).save(workdir / "lake.webp", "WEBP", lossless=True)
    Image.new("RGB", (640, 400), GOLD).save(workdir / "dune.webp", "WEBP", quality=90)
    (workdir / "torn.webp").write_bytes((workdir / "lake.webp").read_bytes()[:60])
    meadow, lake = workdir.winpath + "\\meadow.png", workdir.winpath + "\\lake.webp"
    (workdir / "wl.ini").write_bytes(f"{meadow}\r\n{lake}\r\n".encode("cp1252"))
    with_settings(workdir, l16=meadow, l17="3")
    program = start_and_settle(rig, kvx, workdir)

    choose(rig, "Next wallpaper")
    wait_wallpaper(workdir, BLUE, "the WebP as the wallpaper")
    choose(rig, "Next wallpaper")
    wait_wallpaper(workdir, GREEN, "the PNG as the wallpaper")

    # "Add" takes a WebP through the open dialog; the preview shows it.
    window = open_options(rig, program)
    add_files(rig, program, window, workdir.winpath, ["dune.webp"])
    wait_until(lambda: entries(rig, window) == ["meadow", "lake", "dune"], timeout=10, what="the added WebP")
    click_entry(rig, window, 2)
    wait_selected(rig, window, [2])
    wait_until(lambda: near(preview_colour(rig, window), GOLD), timeout=10, what="the WebP's preview")
    click_entry(rig, window, 0)
    wait_until(lambda: near(preview_colour(rig, window), GREEN), timeout=10, what="the PNG's preview")

    # A damaged WebP: its error, and the wallpaper stays.
    add_files(rig, program, window, workdir.winpath, ["torn.webp"])
    wait_until(lambda: len(entries(rig, window)) == 4, timeout=10, what="the damaged WebP listed")
    before = (workdir / "1.bmp").read_bytes()
    click_entry(rig, window, 3)
    box = program.wait_msgbox(timeout=20)
    assert box["text"] == "WebP error: the file ends early.", box["text"]
    dismiss(rig, box)
    assert (workdir / "1.bmp").read_bytes() == before
    click(rig, window, DONE)
    choose(rig, "Exit")
    assert program.wait_exit(timeout=20) == 0
    assert settings_lines(workdir)[15] == meadow

"""The wallpaper change: a new JPEG under the drawing, at start-up from the
list, with the drawing at the same positions; a broken picture changes nothing."""

import re

from PIL import Image

from conftest import wait_until
from notepad import (DESKTOP_KEY, RED, bmp, done, first_start, make_jpeg, near, open_session, wait_pixel,
                     wait_toolbar, with_settings)
from tray import choose, dismiss, expect_box, settings_lines, start_and_settle, wait_icon


def draw_and_exit(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    open_session(rig, program)
    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, (700, 300), RED, "the stroke")
    wait_toolbar(program)
    done(rig, program)
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def test_rotation_at_startup_lays_the_drawing_over_the_next_picture(rig, kvx, workdir):
    draw_and_exit(rig, kvx, workdir)
    make_jpeg(workdir / "a.jpg", colour=(20, 160, 40))
    make_jpeg(workdir / "b.jpg", colour=(200, 180, 20))
    a, b = workdir.winpath + "\\a.jpg", workdir.winpath + "\\b.jpg"
    (workdir / "wl.ini").write_bytes(f"{a}\r\n{b}\r\n".encode("cp1252"))
    with_settings(workdir, l16=a.upper(), l17="1")  # the current one, in other letters

    program = start_and_settle(rig, kvx, workdir)
    wait_until(lambda: settings_lines(workdir)[15] == b, timeout=20, what="the rotation to pick the next entry")
    composed = bmp(workdir / "1.bmp")
    assert near(composed.getpixel((700, 320)), (200, 180, 20))
    for x in (610, 700, 790):
        assert composed.getpixel((x, 300)) == RED
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper")[1] == workdir.winpath + "\\1.bmp"
    wait_until(lambda: near(rig.grab().getpixel((700, 320)), (200, 180, 20)), timeout=10,
               what="the new wallpaper on the desktop")
    assert rig.grab().getpixel((700, 300)) == RED
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def test_a_broken_picture_shows_its_error_and_changes_nothing(rig, kvx, workdir):
    draw_and_exit(rig, kvx, workdir)
    make_jpeg(workdir / "a.jpg")
    (workdir / "broken.jpg").write_bytes(b"\xff\xd8\xff\xe0 this is not really a JPEG picture" * 4)
    a, broken = workdir.winpath + "\\a.jpg", workdir.winpath + "\\broken.jpg"
    (workdir / "wl.ini").write_bytes(f"{a}\r\n{broken}\r\n".encode("cp1252"))
    with_settings(workdir, l16=a, l17="1")
    before = (workdir / "1.bmp").read_bytes()
    wallpaper = rig.reg_query(DESKTOP_KEY, "Wallpaper")

    program = kvx()
    box = program.wait_msgbox(timeout=20)
    assert box["title"] == "Velmora"
    assert re.fullmatch(r"JPEG error #\d+\.", box["text"]), box["text"]
    dismiss(rig, box)
    assert (workdir / "1.bmp").read_bytes() == before
    assert rig.reg_query(DESKTOP_KEY, "Wallpaper") == wallpaper
    wait_icon(rig)
    choose(rig, "Exit")  # the program lives on
    assert program.wait_exit() == 0


def test_first_start_with_a_bitmap_wallpaper_makes_1_jpg_the_current_one(rig, kvx, workdir):
    Image.new("RGB", (1280, 800), (90, 30, 140)).save(workdir / "paper.bmp")
    rig.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "Wallpaper", "/d", workdir.winpath + "\\paper.bmp", "/f"],
            check=True)
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_until(lambda: settings_lines(workdir)[15] == workdir.winpath + "\\1.jpg", timeout=30,
               what="kvx.ini to name 1.jpg as the current wallpaper")
    assert (workdir / "1.jpg").read_bytes()[:3] == b"\xff\xd8\xff"
    assert near(bmp(workdir / "1.bmp").getpixel((640, 400)), (90, 30, 140))
    choose(rig, "Exit")
    assert program.wait_exit() == 0

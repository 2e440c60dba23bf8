"""Velmora in a folder whose name the system's code page cannot write, with
pictures named in the same letters: every file, registry value and window
text keeps them; the files stay in the code page as long as they fit it."""

import shutil

from PIL import Image

from conftest import DIST, KVX_EXE, Program, WorkDir, wait_until
from notepad import DESKTOP_KEY, bmp, done, near, open_session, pixel, wait_pixel, wait_toolbar
from options import (ADD, DONE, RUN_AT_STARTUP, SET_SELECTED, click, click_entry, entries, open_dialog,
                     open_options, preview_colour, type_into_dialog, wait_selected)
from tray import choose, dismiss, expect_box, text_lines, wait_icon

FOLDER = "Пётр 李 ☀"
PICTURES = "Картинки 李"
GREEN, GOLD = (20, 160, 40), (200, 180, 20)
BLACK = (0, 0, 0)  # the brush colour of the first-start settings
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
BOM = b"\xef\xbb\xbf"


def unpacked(rig, workdir):
    place = workdir / FOLDER
    place.mkdir()
    shutil.copy2(KVX_EXE, place / "KVX.exe")
    for name in ("kvx.ini", "wl.ini", "font.typ"):
        shutil.copy2(DIST / name, place / name)
    return WorkDir(place, rig.winpath(place))


def test_a_folder_and_pictures_in_any_script(rig, workdir):
    folder = unpacked(rig, workdir)
    pictures = folder / PICTURES
    pictures.mkdir()
    for name, colour in (("море ☀.jpg", GREEN), ("небо.jpg", GOLD)):
        Image.new("RGB", (1280, 800), colour).save(pictures / name, "JPEG", quality=90)
    log = rig.logs / "any-folder.kvx.log"
    program = Program(rig, folder, [], log)
    try:
        # The first start: its files in the folder, the settings naming it.
        dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
        wait_until(lambda: (folder / "1.bmp").exists() and text_lines(folder / "kvx.ini")[15] == folder.winpath + "\\1.jpg",
                   timeout=30, what="the first start to finish")
        assert (folder / "kvx.ini").read_bytes().startswith(BOM)
        wait_icon(rig)
        assert rig.msgboxes(exe="KVX.exe") == [], "no error box"

        # A stroke and "Done": the wallpaper is the folder's 1.bmp, on the desktop.
        open_session(rig, program)
        rig.drag((600, 300), (800, 300))
        wait_pixel(rig, (700, 300), BLACK, "the stroke under the pointer")
        wait_toolbar(program)
        done(rig, program)
        assert rig.reg_text(DESKTOP_KEY, "Wallpaper") == folder.winpath + "\\1.bmp"
        assert bmp(folder / "1.bmp").getpixel((700, 300)) == BLACK
        wait_pixel(rig, (700, 300), BLACK, "the new wallpaper on the desktop")

        # The options window: pictures added through the open dialog, the preview, "Set selected".
        window = open_options(rig, program)
        open_dialog(rig, program, window, ADD)
        type_into_dialog(rig, program, folder.winpath + "\\" + PICTURES, ["море ☀.jpg", "небо.jpg"])
        wait_until(lambda: entries(rig, window) == ["море ☀", "небо"], timeout=10, what="the two entries")
        click_entry(rig, window, 0)
        wait_until(lambda: near(preview_colour(rig, window), GREEN), timeout=10, what="the green preview")
        click(rig, window, SET_SELECTED)
        green = folder.winpath + "\\" + PICTURES + "\\море ☀.jpg"
        wait_until(lambda: near(bmp(folder / "1.bmp").getpixel((100, 100)), GREEN), timeout=20,
                   what="the green picture under the drawing")
        assert bmp(folder / "1.bmp").getpixel((700, 300)) == BLACK

        # "Run on system startup": the program in this folder, quoted.
        click(rig, window, RUN_AT_STARTUP)
        wait_until(lambda: rig.reg_text(RUN_KEY, "KVX") == f'"{folder.winpath}\\KVX.exe"', timeout=10,
                   what="the Run value")
        click(rig, window, DONE)
        wait_until(lambda: text_lines(folder / "wl.ini") == [green, folder.winpath + "\\" + PICTURES + "\\небо.jpg"],
                   timeout=10, what="the list saved")
        assert (folder / "wl.ini").read_bytes().startswith(BOM)

        # "Exit" and a start again: the same list.
        choose(rig, "Exit")
        assert program.wait_exit() == 0
        assert text_lines(folder / "kvx.ini")[15] == green  # the current wallpaper
        saved = (folder / "wl.ini").read_bytes()
        program = Program(rig, folder, [], log)
        wait_icon(rig)
        window = open_options(rig, program)
        wait_until(lambda: entries(rig, window) == ["море ☀", "небо"], timeout=10, what="the list after the restart")
        assert rig.msgboxes(exe="KVX.exe") == []
        click(rig, window, RUN_AT_STARTUP)  # off again, for the tests after this one
        wait_until(lambda: rig.reg_text(RUN_KEY, "KVX") is None, timeout=10, what="the Run value to go")
        click(rig, window, DONE)
        choose(rig, "Exit")
        assert program.wait_exit() == 0
        assert (folder / "wl.ini").read_bytes() == saved
    finally:
        program.stop()


def test_an_older_versions_list_in_the_code_page_reads_and_stays_byte_for_byte(rig, kvx, workdir):
    cafe = workdir.winpath + "\\Café"
    (workdir / "Café").mkdir()
    Image.new("RGB", (1280, 800), GOLD).save(workdir / "Café" / "été.jpg", "JPEG", quality=90)
    written = f"{cafe}\\été.jpg\r\n".encode("cp1252")  # as an earlier version wrote it
    (workdir / "wl.ini").write_bytes(written)
    program = kvx()
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_until(lambda: (workdir / "1.bmp").exists(), timeout=30, what="the first start to finish")
    wait_icon(rig)
    window = open_options(rig, program)
    wait_until(lambda: entries(rig, window) == ["été"], timeout=10, what="the entry read from the code page")
    click_entry(rig, window, 0)
    wait_selected(rig, window, [0])
    wait_until(lambda: near(preview_colour(rig, window), GOLD), timeout=10, what="its preview")
    before = (workdir / "wl.ini").stat().st_mtime_ns
    click(rig, window, DONE)
    wait_until(lambda: (workdir / "wl.ini").stat().st_mtime_ns != before, timeout=10, what="the list saved")
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    assert (workdir / "wl.ini").read_bytes() == written
    assert not (workdir / "kvx.ini").read_bytes().startswith(BOM)  # everything in it fits the code page

"""A start that fails part-way loses nothing: with wl.ini gone (and started
by its full path from another folder, with no Run value), with a kvx.ini line
that is not a number, or with an empty kvx.ini, the next session's "Done"
still writes the earlier strokes and a composed wallpaper, and "Exit" writes
back the settings the file held. A picture refused as too large never becomes
the current wallpaper: not by "Set selected", not by Browse, not by the
rotation at start-up."""

import io
import struct
import zlib

from PIL import Image

from conftest import wait_until
from notepad import KEY, RED, bmp, done, first_start, near, open_session, wait_pixel, wait_toolbar, with_settings
from options import BROWSE, DONE, SET_SELECTED, click, click_entry, open_dialog, open_options, options_window
from options import type_into_dialog
from tray import choose, dismiss, expect_box, settings_lines, start_and_settle

RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
SEA = (30, 120, 200)  # the first start's wallpaper
BLACK = (0, 0, 0)
HUGE = "The picture is too large: 100000 x 100000 pixels do not fit in memory."


def huge_png(path):
    """A small PNG whose header claims 100000 x 100000 pixels."""
    data = io.BytesIO()
    Image.new("RGB", (16, 16), (200, 40, 40)).save(data, "PNG")
    png = bytearray(data.getvalue())
    png[16:24] = struct.pack(">II", 100000, 100000)
    png[29:33] = struct.pack(">I", zlib.crc32(bytes(png[12:29])))
    path.write_bytes(bytes(png))


def stroke_and_done(rig, program, y, colour=RED):
    open_session(rig, program)
    rig.drag((600, y), (800, y))
    wait_pixel(rig, (700, y), colour, "the stroke")
    wait_toolbar(program)
    done(rig, program)


def assert_saved(workdir, strokes):
    """Every stroke so far in 2.bmp and in 1.bmp, composed over the wallpaper."""
    drawing, composed = bmp(workdir / "2.bmp"), bmp(workdir / "1.bmp")
    for y, colour in strokes:
        assert drawing.getpixel((700, y)) == colour and composed.getpixel((700, y)) == colour, y
    assert drawing.getpixel((100, 100)) == KEY
    assert near(composed.getpixel((100, 100)), SEA), composed.getpixel((100, 100))


def boxes(rig, program, *texts):
    for text in texts:
        dismiss(rig, expect_box(rig, program, text))


def exit_program(rig, program):
    choose(rig, "Exit")
    assert program.wait_exit(timeout=20) == 0


def test_a_failed_start_keeps_the_drawing_and_the_settings_and_a_refused_picture_stays_out(rig, kvx, workdir):
    huge_png(workdir / "huge.png")
    sea, huge = workdir.winpath + "\\sea.jpg", workdir.winpath + "\\huge.png"
    (workdir / "wl.ini").write_bytes(f"{huge}\r\n".encode("cp1252"))
    program = first_start(rig, kvx, workdir)
    strokes = [(300, RED)]
    stroke_and_done(rig, program, 300)
    composed = (workdir / "1.bmp").read_bytes()

    # "Set selected" and Browse on the refused picture: the wallpaper and the current one stay.
    window = open_options(rig, program)
    click_entry(rig, window, 0)
    boxes(rig, program, HUGE)  # the preview's
    click(rig, window, SET_SELECTED)
    boxes(rig, program, HUGE)
    window = wait_until(lambda: options_window(program), timeout=10, what="the options window back")
    open_dialog(rig, program, window, BROWSE)
    type_into_dialog(rig, program, workdir.winpath, ["huge.png"])
    boxes(rig, program, HUGE)
    window = wait_until(lambda: options_window(program), timeout=10, what="the options window back")
    click(rig, window, DONE)  # saves the settings
    wait_until(lambda: options_window(program) is None, timeout=10, what="the options window to close")
    assert settings_lines(workdir)[15] == sea
    assert (workdir / "1.bmp").read_bytes() == composed
    exit_program(rig, program)
    saved = settings_lines(workdir)
    assert saved[0] == "5" and saved[1] == "9" and saved[15] == sea and saved[16] == "3" and saved[20] == "1"

    # No wl.ini, started by its full path from another folder without a Run
    # value: no box, the program works in its own folder.
    (workdir / "wl.ini").unlink()
    assert rig.reg_query(RUN_KEY, "KVX") is None
    program = start_and_settle(rig, kvx, workdir, cwd="/tmp")
    assert rig.msgboxes(exe="KVX.exe") == []
    strokes.append((400, RED))
    stroke_and_done(rig, program, 400)
    assert_saved(workdir, strokes)
    exit_program(rig, program)
    assert settings_lines(workdir) == saved

    # Line 1 not a number, and the rotation at start-up to the refused picture:
    # both boxes, the line's default, everything else kept, line 16 too.
    (workdir / "wl.ini").write_bytes(f"{sea}\r\n{huge}\r\n".encode("cp1252"))
    with_settings(workdir, l1="ten", l17="1")
    program = kvx()
    boxes(rig, program, "'ten' is not a valid integer value.", HUGE)
    strokes.append((500, RED))
    stroke_and_done(rig, program, 500)
    assert_saved(workdir, strokes)
    exit_program(rig, program)
    assert settings_lines(workdir) == ["1"] + saved[1:16] + ["1"] + saved[17:]

    # An empty kvx.ini: its box; the drawing and the composed wallpaper still
    # come from the work files (brush colour 0 now: black).
    (workdir / "kvx.ini").write_bytes(b"")
    program = kvx()
    # No current wallpaper is named any more, so no picture to read for the background.
    boxes(rig, program, "'' is not a valid integer value.", 'Cannot open file "". Path not found.')
    strokes.append((600, BLACK))
    stroke_and_done(rig, program, 600, BLACK)
    assert_saved(workdir, strokes)
    exit_program(rig, program)
    assert len(settings_lines(workdir)) == len(saved)

"""Damaged work files lose nothing, and a restart erases to the picture as it
is placed. A 2560 x 1600 photo filled on the 1280 x 800 screen: a 0-byte
"1.bmp" is named in a box, kept aside and composed anew from the photo and
"2.bmp"; after a restart a 0-byte "2.bmp", then one cut in half, the same,
never written over; an "Erase all" drag at (1000, 700) then shows the photo's
lower-right quarter, as the wallpaper change placed it."""

from PIL import Image

from conftest import wait_until
from notepad import ERASE_ALL, KEY, RED, bmp, click_face, done, open_session, settings_text, wait_pixel, wait_toolbar
from photo import QUADRANTS, make_photo, near
from tray import choose, dismiss, expect_box, wait_icon

SQUARE = (200, 200, 240, 240)  # the drawing "2.bmp" holds from an earlier run


def damaged_start(rig, kvx, workdir, name, kept):
    """Starts the program on a damaged work file: its box, the file kept
    aside, start-up going on to the end."""
    before = (workdir / "kvx.ini").stat().st_mtime_ns
    program = kvx()
    path = workdir.winpath + "\\" + name
    dismiss(rig, expect_box(rig, program, f'The {"wallpaper" if name == "1.bmp" else "drawing"} file "{path}" '
                                          f"is damaged; it was kept as {kept}."))
    wait_until(lambda: (workdir / "kvx.ini").stat().st_mtime_ns != before, timeout=30, what="start-up to finish")
    wait_icon(rig)
    return program


def exit_program(rig, program):
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def test_damaged_work_files_are_kept_aside_and_rebuilt(rig, kvx, workdir):
    make_photo(workdir / "photo.jpg", size=(2560, 1600))
    # Fill, one monitor, the drawing's origin at the primary's top-left.
    extra = "\r\n".join(["Ctrl+Alt+N", "1", "1", "", "0,0", "", ""]) + "\r\n"
    (workdir / "kvx.ini").write_bytes(settings_text(wallpaper=workdir.winpath + "\\photo.jpg") + extra.encode())
    drawing = Image.new("RGB", (1280, 800), KEY)
    drawing.paste(RED, SQUARE)
    drawing.save(workdir / "2.bmp")
    (workdir / "1.bmp").write_bytes(b"")

    # "1.bmp" empty: composed again from the photo, filled, and the drawing.
    program = damaged_start(rig, kvx, workdir, "1.bmp", "1.bmp.damaged")
    assert (workdir / "1.bmp.damaged").read_bytes() == b""
    composed = bmp(workdir / "1.bmp")
    assert composed.size == (1280, 800)
    assert composed.getpixel((220, 220)) == RED
    assert near(composed.getpixel((300, 300)), QUADRANTS["tl"]) and near(composed.getpixel((1000, 700)),
                                                                         QUADRANTS["br"])
    exit_program(rig, program)

    # "2.bmp" empty, after a restart: the drawing starts anew, "1.bmp" stays.
    (workdir / "2.bmp").write_bytes(b"")
    program = damaged_start(rig, kvx, workdir, "2.bmp", "2.bmp.damaged")
    assert (workdir / "2.bmp.damaged").read_bytes() == b""
    assert bmp(workdir / "2.bmp").getcolors() == [(1280 * 800, KEY)]
    # A stroke at (1000, 700) wiped by "Erase all" shows the background start-up
    # placed (unscaled, the photo's upper-left quarter lay there); one at y 450 stays.
    open_session(rig, program)
    rig.drag((900, 700), (1100, 700))
    wait_pixel(rig, (1000, 700), RED, "the stroke to erase")
    wait_toolbar(program)
    rig.drag((600, 450), (800, 450))
    wait_pixel(rig, (700, 450), RED, "the stroke that stays")
    wait_toolbar(program)
    click_face(rig, program, ERASE_ALL)
    rig.drag((1000, 660), (1000, 740), steps=20, pace=0.02)
    wait_until(lambda: near(rig.grab().getpixel((1000, 700)), QUADRANTS["br"]), timeout=10,
               what="'Erase all' to show the placed photo")
    wait_toolbar(program)
    done(rig, program)
    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    assert near(composed.getpixel((1000, 700)), QUADRANTS["br"]) and drawing.getpixel((1000, 700)) == KEY
    assert composed.getpixel((700, 450)) == RED and drawing.getpixel((700, 450)) == RED
    assert composed.getpixel((220, 220)) == RED  # the earlier drawing, in the picture kept
    exit_program(rig, program)

    # "2.bmp" cut in half: kept under a name of its own, the empty one untouched.
    whole = (workdir / "2.bmp").read_bytes()
    (workdir / "2.bmp").write_bytes(whole[:len(whole) // 2])
    program = damaged_start(rig, kvx, workdir, "2.bmp", "2.bmp.damaged2")
    assert (workdir / "2.bmp.damaged2").read_bytes() == whole[:len(whole) // 2]
    assert (workdir / "2.bmp.damaged").read_bytes() == b""
    assert bmp(workdir / "2.bmp").getcolors() == [(1280 * 800, KEY)]
    assert bmp(workdir / "1.bmp").getpixel((700, 450)) == RED
    exit_program(rig, program)

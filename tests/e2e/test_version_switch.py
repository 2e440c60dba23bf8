"""The version switch: "KVX.exe -Ver$" tells the program's and the Tembrix
module's versions in a message box before start-up goes on; anything else
shows no such box."""

import pytest

from conftest import rect_center, wait_until
from tray import choose, dismiss, expect_box, wait_icon

VERSION_TEXT = "Версия программы: KVX10b3\n\rВерсия модуля Tembrix: 1.1.28"


def drawn_box(rig, rect, desktop):
    """True once the screen shows a box at rect: hardly any desktop colour
    left there, and dark pixels of its text."""
    image = rig.grab().crop(tuple(rect))
    pixels = list(image.getdata())
    desktop_share = sum(p == desktop for p in pixels) / len(pixels)
    dark = sum(sum(p) < 3 * 80 for p in pixels)
    return desktop_share < 0.05 and dark > 50


def test_version_box_shows_versions_and_ok_ends_the_program(rig, kvx):
    program = kvx("-Ver$")
    box = program.wait_msgbox()

    assert box["title"] == "Velmora"
    # The text as the program set it, read from the static control: the exact
    # characters, LF then CR between the two lines.
    assert box["text"] == VERSION_TEXT
    buttons = [c for c in box["controls"] if c["class"].lower() == "button" and c["visible"]]
    assert [b["text"] for b in buttons] == ["OK"]

    # On the work area, and really drawn, not just reported.
    left, top, right, bottom = box["rect"]
    assert 0 <= left < right <= 1280 and 0 <= top < bottom <= 780
    wait_until(lambda: drawn_box(rig, box["rect"], rig.desktop_colour), timeout=10,
               what="the message box to be drawn on the screen")

    rig.click(*rect_center(buttons[0]["rect"]))
    # Start-up goes on as usual: this work directory is a first start.
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_icon(rig)
    choose(rig, "Exit")
    code = program.wait_exit()
    assert code == 0, f"KVX.exe ended with code {code}"


@pytest.mark.parametrize("args", [["-ver$"], ["foo", "-Ver$"]], ids=["lower-case", "second-argument"])
def test_other_arguments_show_no_version(rig, kvx, args):
    program = kvx(*args)
    # The first box of a first start is the welcome, not the versions.
    dismiss(rig, expect_box(rig, program, "Welcome to Velmora!"))
    wait_icon(rig)
    assert rig.msgboxes(exe="KVX.exe") == []
    choose(rig, "Exit")
    code = program.wait_exit()
    assert code == 0, f"KVX.exe ended with code {code}"

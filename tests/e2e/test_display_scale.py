"""A display scaled to 125, 150 and 200 %: every window at its layout size
times the scale, the faces clicked at their scaled places, and the drawing,
the note and the copied piece landing in the screen's pixels where they are
seen. Each scale has a Wine session of its own, on a screen as a laptop of
that scale has it (1280 x 800 at 96 DPI, scaled). Screenshots of the windows
go to build/e2e-artifacts/display-scale."""

import pytest

import conftest
from conftest import ARTIFACTS, E2E, SCREEN_H, SCREEN_W, Rig, rect_center, scaled, wait_until
from copywin import COPY, PASTE, CLOSE, CopyWindow
from notepad import (BRUSH, COPY_WIN, ERASE_ALL, KEY, RED, SIZE_BAR, TEXT, bmp, click_face, done, first_start,
                     open_session, toolbar_point, wait_toolbar, window)
from options import NEVER, open_options
from options import DONE as OPTIONS_DONE
from options import click as options_click
from tray import choose, settings_lines

SHOTS = ARTIFACTS / "display-scale"
YELLOW = (255, 255, 0)
YELLOW_INDEX = 11  # clYellow among the note colours
NOTE_DONE = (28, 21)  # "Done" on the text window's bottom panel


@pytest.fixture(scope="module", params=[120, 144, 192])
def rig(request):
    """Replaces the session's rig here: a session at the scale."""
    dpi = request.param
    instance = Rig(E2E / f"dpi-{dpi}", screen=scaled(dpi, (SCREEN_W, SCREEN_H)), dpi=dpi)
    saved = conftest._rig
    try:
        instance.start()
        conftest._rig = instance
        yield instance
    finally:
        conftest._rig = saved
        instance.stop()


@pytest.fixture
def dpi(rig):
    return rig.dpi


def size(rect):
    return rect[2] - rect[0], rect[3] - rect[1]


def assert_scaled(what, actual, layout, dpi):
    expected = scaled(dpi, layout)
    assert all(abs(a - e) <= 2 for a, e in zip(actual, expected)), f"{what}: {actual}, expected {expected}"


def shot(rig, dpi, name, rect):
    SHOTS.mkdir(parents=True, exist_ok=True)
    rig.grab().crop(tuple(rect)).save(SHOTS / f"{dpi}-{name}.png")


def control(rig, hwnd, cls):
    return next(c for c in rig.children(hwnd) if c["class"] == cls)


def test_every_window_scales_and_everything_lands_where_it_is_seen(rig, kvx, workdir, dpi):
    program = first_start(rig, kvx, workdir, size=1)  # a red brush of 1 pixel
    assert program.dpi == dpi
    assert rig.grab().size == scaled(dpi, (SCREEN_W, SCREEN_H))

    # The toolbar: its size, its faces where they are drawn, a stroke in screen pixels.
    open_session(rig, program)
    toolbar = window(program, "TForm1")["rect"]
    assert_scaled("the toolbar", size(toolbar), (233, 218), dpi)
    shot(rig, dpi, "toolbar", toolbar)
    click_face(rig, program, ERASE_ALL)
    click_face(rig, program, BRUSH)
    # Where the same stroke lies at 96 DPI on a screen of the same size in inches.
    mark = scaled(dpi, (800, 600))
    rig.drag(scaled(dpi, (700, 600)), scaled(dpi, (900, 600)), steps=10)
    wait_until(lambda: rig.grab().getpixel(mark) == RED, timeout=10, what="the stroke")
    wait_toolbar(program)

    # The size bar's preview pops up beside the toolbar at the scale.
    rig.click(*toolbar_point(program, (100, SIZE_BAR[1])))
    preview = wait_until(lambda: window(program, "TForm5"), timeout=10, what="the brush preview")
    assert_scaled("the brush preview", size(preview["client"]), (115, 100), dpi)
    wait_until(lambda: window(program, "TForm5") is None, timeout=10, what="the brush preview to hide")

    # The text window: its saved size at the scale, a note stamped where it is seen.
    click_face(rig, program, TEXT)
    text = wait_until(lambda: window(program, "TForm3"), timeout=10, what="the text window")
    assert_scaled("the text window", size(text["rect"]), (205, 357), dpi)
    colours = control(rig, text["hwnd"], "ComboBox")
    rig.click(*rect_center(colours["rect"]))
    rig.key("Home", *["Down"] * YELLOW_INDEX, "Return")
    wait_until(lambda: control(rig, text["hwnd"], "ComboBox")["title"] == "clYellow", timeout=10,
               what="clYellow in the colour box")
    memo = control(rig, text["hwnd"], "Edit")
    rig.click(*rect_center(memo["client"]))
    rig.type_text("Scaled note")
    wait_until(lambda: control(rig, text["hwnd"], "Edit")["title"] == "Scaled note", timeout=10,
               what="the typed text")
    shot(rig, dpi, "text", text["rect"])
    seen = control(rig, text["hwnd"], "Edit")["client"]
    panel = control(rig, text["hwnd"], "TPanel")["client"]
    face = scaled(dpi, NOTE_DONE)
    rig.click(panel[0] + face[0], panel[1] + face[1])
    wait_until(lambda: window(program, "TForm3") is None, timeout=10, what="the text window to close")
    wait_toolbar(program)

    # The copy window: a piece of the stroke lifted where the see-through area lies, pasted lower.
    click_face(rig, program, COPY_WIN)
    wait_toolbar(program, shown=False)
    copy = CopyWindow(rig, program)
    assert_scaled("the copy window", size(copy.rect), (289, 305), dpi)
    shot(rig, dpi, "copy", copy.rect)
    # Right of the note, its bottom bar above the taskbar: the area frames the stroke at every scale.
    copy.move_to(scaled(dpi, (650,))[0], rig.taskbar[1] - 10 - size(copy.rect)[1])
    lifted = copy.origin
    assert lifted[1] < mark[1] < copy.bar[1]
    copy.press(COPY)
    wait_until(lambda: window(program, "TForm4"), timeout=5, what="the copy window holding the piece")
    copy.move_to(copy.rect[0] + 20, copy.rect[1] - 60)
    pasted = copy.origin
    copy.press(PASTE)
    copy.press(CLOSE)
    wait_toolbar(program)
    done(rig, program)

    drawing = bmp(workdir / "2.bmp")
    # The note covers the memo's client area exactly.
    l, t, r, b = seen
    assert drawing.getpixel((l, t)) == YELLOW and drawing.getpixel((r - 1, b - 1)) == YELLOW
    assert drawing.getpixel((l - 1, t - 1)) != YELLOW and drawing.getpixel((r, b)) != YELLOW
    assert (workdir / "font.typ").read_bytes().split(b"\r\n")[0] == b"10"  # points, whatever the scale
    # The piece lands where the see-through area was: the 1-pixel stroke again, shifted by the move.
    dx, dy = pasted[0] - lifted[0], pasted[1] - lifted[1]
    assert (dx, dy) == (20, -60)
    x, y = mark[0] + dx, mark[1] + dy
    assert drawing.getpixel((x, y)) == RED
    assert drawing.getpixel((x, y - 1)) != RED and drawing.getpixel((x, y + 1)) != RED

    # The options window, clicked at its scaled places.
    options = open_options(rig, program)
    assert_scaled("the options window", size(options["client"]), (289, 643), dpi)
    shot(rig, dpi, "options", options["rect"])
    options_click(rig, options, NEVER, dpi)
    options_click(rig, options, OPTIONS_DONE, dpi)
    wait_until(lambda: settings_lines(workdir)[16] == "3", timeout=10, what="\"Never\" saved")

    # The about card.
    choose(rig, "About")
    about = wait_until(lambda: window(program, "TForm10"), timeout=10, what="the about card")
    assert_scaled("the about card", size(about["client"]), (500, 350), dpi)
    shot(rig, dpi, "about", about["rect"])
    rig.key("Escape")

    choose(rig, "Exit")
    assert program.wait_exit() == 0
    # The saved sizes mean the same on the screen at any scale: 96-DPI pixels.
    assert settings_lines(workdir)[7:9] == ["205", "357"]
    assert settings_lines(workdir)[12:14] == ["289", "305"]

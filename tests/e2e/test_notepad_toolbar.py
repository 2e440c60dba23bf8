"""The toolbar during a drawing session: "Show windows", the Space key,
dragging it by its background, the brush preview, the icon acting as
"Done", and "Text" and "Copy win" opening their windows."""

from conftest import REPO, wait_until
from notepad import (BACKGROUND, COPY_WIN, SHOW_WINDOWS, SIZE_BAR, TEXT, bmp, click_face, first_start,
                     open_session, pixel, toolbar_point, wait_pixel, wait_toolbar, window)
from copywin import PATTERN, pattern_colour, show_pattern
from tray import ICON_POINT, choose, settings_lines

CANCEL_LAST_FACE = (128, 96)  # top-left of the face in the toolbar


def test_show_windows_space_key_dragging_and_the_icon_as_done(rig, kvx, workdir, pattern):
    program = first_start(rig, kvx, workdir)
    wallpaper = bmp(workdir / "1.bmp").getpixel((640, 400))
    rig.key("space")  # typed elsewhere before the session: no toggle of its toolbar
    show_pattern(rig, pattern)  # a window on the screen when the session opens
    inside, seen = (PATTERN[0] + 300, PATTERN[1] + 200), pattern_colour(300, 200)
    open_session(rig, program)
    assert pixel(rig, inside) == seen  # the grab shows the window

    click_face(rig, program, SHOW_WINDOWS)  # off: the wallpaper as it will look
    wait_pixel(rig, inside, wallpaper, "'Show windows' off to show the composed picture")
    click_face(rig, program, SHOW_WINDOWS)
    wait_pixel(rig, inside, seen, "'Show windows' on to show the grab again")

    # Hovering a command face shows its hover picture; leaving it, the normal one.
    pictures = REPO / "resources" / "pictures"
    spot = (12, 22)  # inside the pill, clear of the caption
    face = toolbar_point(program, (CANCEL_LAST_FACE[0] + spot[0], CANCEL_LAST_FACE[1] + spot[1]))
    rig.move(*toolbar_point(program, (CANCEL_LAST_FACE[0] + 40, CANCEL_LAST_FACE[1] + 15)))
    wait_pixel(rig, face, bmp(pictures / "iba.bmp").getpixel(spot), "the hover picture on 'Cancel last'")
    rig.move(*toolbar_point(program, BACKGROUND))
    wait_pixel(rig, face, bmp(pictures / "ibn.bmp").getpixel(spot), "'Cancel last' to rest again")

    rig.key("space")
    wait_toolbar(program, shown=False)
    rig.key("space")
    wait_toolbar(program)
    # A stroke, the toolbar hidden with Space: the hotkey finishes the session
    # as "Done", the stroke saved, not a new grab over it.
    rig.drag((900, 600), (1000, 600))
    wait_pixel(rig, (950, 600), (255, 0, 0), "the stroke")
    wait_toolbar(program)
    rig.key("space")
    wait_toolbar(program, shown=False)
    rig.key("ctrl+alt+n")
    wait_until(lambda: window(program, "TForm2") is None, timeout=15, what="the hotkey to end the session")
    assert bmp(workdir / "2.bmp").getpixel((950, 600)) == (255, 0, 0)
    # The next opening shows the toolbar again, and after strokes as before.
    open_session(rig, program)
    rig.drag((900, 650), (1000, 650))
    wait_pixel(rig, (950, 650), (255, 0, 0), "the stroke")
    wait_toolbar(program)

    start = toolbar_point(program, BACKGROUND)
    rig.drag(start, (start[0] + 100, start[1] + 50), steps=10)
    wait_until(lambda: window(program, "TForm1")["rect"][:2] == [292, 159], timeout=10,
               what="the toolbar to follow the drag")

    # The size bar pops up the preview beside the toolbar, which hides again by itself.
    rig.click(*toolbar_point(program, (100, SIZE_BAR[1])))
    wait_until(lambda: window(program, "TForm5"), timeout=10, what="the brush preview")
    wait_until(lambda: window(program, "TForm5") is None, timeout=10, what="the brush preview to hide")

    rig.click(*ICON_POINT)  # acts as "Done"
    wait_until(lambda: window(program, "TForm2") is None, timeout=15, what="the icon to end the session")
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    assert settings_lines(workdir)[3:5] == ["292", "159"]


def test_text_and_copy_win_hide_the_toolbar_and_open_their_windows(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    for face, cls in ((TEXT, "TForm3"), (COPY_WIN, "TForm4")):
        open_session(rig, program)
        click_face(rig, program, face)
        opened = wait_until(lambda: window(program, cls), timeout=10, what=f"the {cls} window")
        wait_toolbar(program, shown=False)
        assert window(program, "TForm2") is not None  # the session goes on beneath it
        left, top, right, _ = opened["rect"]
        rig.click(right - 12, top + 10)  # its close box
        wait_until(lambda: window(program, cls) is None, timeout=10, what=f"the {cls} window to close")
        # The toolbar stays hidden; the icon finishes the session as "Done".
        rig.click(*ICON_POINT)
        wait_until(lambda: window(program, "TForm2") is None, timeout=15, what="the icon to end the session")
        assert window(program, "TForm1") is None
        # With the window open, a stroke made before it: the hotkey saves
        # the stroke and closes the window with the session.
        open_session(rig, program)
        rig.drag((900, 600), (1000, 600))
        wait_pixel(rig, (950, 600), (255, 0, 0), "the stroke")
        wait_toolbar(program)
        click_face(rig, program, face)
        wait_until(lambda: window(program, cls), timeout=10, what=f"the {cls} window")
        rig.key("ctrl+alt+n")
        wait_until(lambda: window(program, "TForm2") is None and window(program, cls) is None, timeout=15,
                   what=f"the hotkey to end the session with the {cls} window open")
        assert bmp(workdir / "2.bmp").getpixel((950, 600)) == (255, 0, 0)
        (workdir / "2.bmp").unlink()
    choose(rig, "Exit")
    assert program.wait_exit() == 0

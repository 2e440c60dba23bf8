"""Text notes: typed in the text window, in a chosen font and background
colour, stamped by "Done" where the user saw them, kept in the work files and
over the next wallpaper; "Close" and the close box; a broken font.typ."""

from conftest import rect_center, wait_until
from notepad import (TEXT, bmp, click_face, done, first_start, make_jpeg, near, open_session,
                     wait_toolbar, window, with_settings)
from tray import choose, dismiss, expect_box, settings_lines, start_and_settle

YELLOW = (255, 255, 0)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
YELLOW_INDEX = 11  # clYellow among the note colours
INFO_BK_INDEX = 38  # the box's first selection
# Faces on the text window's bottom panel (client points of the panel).
DONE_FACE = (28, 21)
CLOSE_FACE = (28, 61)
FONT_FACE = (124, 61)


def open_text(rig, program):
    click_face(rig, program, TEXT)
    text = wait_until(lambda: window(program, "TForm3"), timeout=10, what="the text window")
    wait_toolbar(program, shown=False)
    return text


def control(rig, hwnd, cls):
    return next(c for c in rig.children(hwnd) if c["class"] == cls)


def memo(rig, text):
    return control(rig, text["hwnd"], "Edit")


def panel_point(rig, text, point):
    left, top, _, _ = control(rig, text["hwnd"], "TPanel")["client"]
    return left + point[0], top + point[1]


def type_lines(rig, text, *lines):
    rig.click(*rect_center(memo(rig, text)["client"]))
    for i, line in enumerate(lines):
        if i:
            rig.key("Return")
        rig.type_text(line)
    wait_until(lambda: memo(rig, text)["title"] == "\r\n".join(lines), timeout=10, what="the typed text")


def close_text(rig, program, text, face):
    rig.click(*panel_point(rig, text, face))
    wait_until(lambda: window(program, "TForm3") is None, timeout=10, what="the text window to close")


def count(image, box, colour):
    return sum(1 for pixel in image.crop(box).getdata() if pixel == colour)


def text_width(image, box, colour):
    """The width of the columns holding pixels of the colour within the box
    (the caret, one pixel after the text, adds little)."""
    columns = [x for x in range(box[0], box[2]) if any(image.getpixel((x, y)) == colour
                                                         for y in range(box[1], box[3]))]
    return columns[-1] - columns[0] + 1 if columns else 0


def choose_in(rig, combo_of, accelerator, wanted, what):
    """Focuses a control of the font dialog by its accelerator and steps
    through its items with the Down key until it shows `wanted`."""
    rig.key(accelerator)
    for _ in range(40):
        if combo_of()["title"] == wanted:
            return
        rig.key("Down")
    raise AssertionError(f"the font dialog offers no {what} {wanted!r}")


def font_dialog_choice(rig, program, text, style=None, size=None, colour=None):
    """"Font", a choice in the dialog as a user makes it with the keyboard,
    and OK; returns the face the dialog had."""
    rig.click(*panel_point(rig, text, FONT_FACE))
    dialog = wait_until(lambda: next((w for w in program.windows() if w["class"] == "#32770"), None),
                        timeout=15, what="the font dialog")

    # The dialog's combo boxes in their order: face, style, size, colour, script.
    def combo(index):
        return lambda: [c for c in rig.children(dialog["hwnd"]) if c["class"] == "ComboBox"][index]

    def combo_edit(index):
        box = combo(index)()
        return lambda: next(c for c in rig.children(box["hwnd"]) if c["class"] == "Edit")

    if style:
        choose_in(rig, combo_edit(1), "alt+y", style, "style")
    if size:
        choose_in(rig, combo_edit(2), "alt+s", size, "size")
    if colour:
        choose_in(rig, combo(3), "alt+c", colour, "colour")
    face = combo_edit(0)()["title"]
    ok = next(c for c in rig.children(dialog["hwnd"]) if c["class"] == "Button" and c["title"] == "OK")
    rig.click(*rect_center(ok["rect"]))
    wait_until(lambda: not any(w["class"] == "#32770" for w in program.windows()), timeout=10,
               what="the font dialog to close")
    return face


def test_a_note_lands_where_the_memo_was_seen_and_survives_a_wallpaper_change(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    open_session(rig, program)
    text = open_text(rig, program)

    # Moved by its title bar, away from its place in the settings.
    left, top, _, _ = text["rect"]
    rig.drag((left + 60, top + 10), (left + 360, top + 110), steps=10)
    text = wait_until(lambda: (w := window(program, "TForm3")) and w["rect"][0] != left and w, timeout=10,
                      what="the text window to follow the drag")

    # The background colour from the colour box, by the keyboard.
    box = control(rig, text["hwnd"], "ComboBox")
    rig.click(*rect_center(box["rect"]))
    rig.key("Home", *["Down"] * YELLOW_INDEX, "Return")
    wait_until(lambda: control(rig, text["hwnd"], "ComboBox")["title"] == "clYellow", timeout=10,
               what="clYellow in the colour box")
    type_lines(rig, text, "Velmora note", "second line")
    seen = memo(rig, text)["client"]  # where the user sees the text
    rows = (seen[0], seen[1], seen[2], seen[1] + 40)  # the two rows of text
    wait_until(lambda: count(rig.grab(), rows, YELLOW) > 500, timeout=10, what="the memo in yellow")

    close_text(rig, program, text, DONE_FACE)
    wait_toolbar(program)
    l, t, r, b = seen
    wait_until(lambda: rig.grab().getpixel((r - 1, b - 1)) == YELLOW, timeout=10, what="the note on the screen")
    screen = rig.grab()
    assert font_lines(workdir) == ["10", "MS Sans Serif", "1", "-16777208", "0"]
    done(rig, program)

    composed, drawing = bmp(workdir / "1.bmp"), bmp(workdir / "2.bmp")
    for picture in (screen, composed, drawing):
        # The note covers the memo's client area exactly, text in black.
        assert picture.getpixel((l, t)) == YELLOW
        assert picture.getpixel((r - 1, b - 1)) == YELLOW
        assert picture.getpixel((l - 1, t - 1)) != YELLOW
        assert picture.getpixel((r, b)) != YELLOW
        assert count(picture, rows, BLACK) > 40
    written = count(composed, rows, BLACK)

    # The next wallpaper at the next start: the note stays where it was.
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    make_jpeg(workdir / "a.jpg", colour=(20, 160, 40))
    make_jpeg(workdir / "b.jpg", colour=(200, 180, 20))
    a, b_path = workdir.winpath + "\\a.jpg", workdir.winpath + "\\b.jpg"
    (workdir / "wl.ini").write_bytes(f"{a}\r\n{b_path}\r\n".encode("cp1252"))
    with_settings(workdir, l16=a, l17="1")
    program = start_and_settle(rig, kvx, workdir)
    wait_until(lambda: settings_lines(workdir)[15] == b_path, timeout=20, what="the change to the next picture")
    composed = bmp(workdir / "1.bmp")
    assert near(composed.getpixel((l - 1, t - 1)), (200, 180, 20))
    assert composed.getpixel((l, t)) == YELLOW
    assert composed.getpixel((r - 1, b - 1)) == YELLOW
    assert count(composed, rows, BLACK) == written
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def font_lines(workdir):
    data = (workdir / "font.typ").read_bytes()
    assert data.endswith(b"\r\n"), data
    return data[:-2].decode("cp1252").split("\r\n")


def test_the_chosen_font_is_written_by_done_and_shown_at_the_next_opening(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    open_session(rig, program)
    text = open_text(rig, program)
    type_lines(rig, text, "MMMM")
    seen = memo(rig, text)["client"]
    design = text_width(rig.grab(), seen, BLACK)
    assert design > 0

    face = font_dialog_choice(rig, program, text, style="Bold Italic", size="14", colour="Red")
    wait_until(lambda: count(rig.grab(), seen, RED) > 20, timeout=10, what="the memo in the chosen colour")
    close_text(rig, program, text, DONE_FACE)
    wait_toolbar(program)
    assert font_lines(workdir) == ["14", face, "0", "255", "7"]

    text = open_text(rig, program)
    type_lines(rig, text, "MMMM")
    seen = memo(rig, text)["client"]
    shown = wait_until(lambda: text_width(rig.grab(), seen, RED), timeout=10, what="the note font in the memo")
    assert shown >= design * 1.3  # 14 points bold, not 10
    close_text(rig, program, text, CLOSE_FACE)
    wait_toolbar(program)
    done(rig, program)
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def test_close_discards_a_new_font_and_the_close_box_keeps_the_text(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    before = (workdir / "font.typ").read_bytes()
    open_session(rig, program)
    text = open_text(rig, program)
    font_dialog_choice(rig, program, text, colour="Red")
    close_text(rig, program, text, CLOSE_FACE)
    wait_toolbar(program)
    assert (workdir / "font.typ").read_bytes() == before

    # The next opening has the font of font.typ again, and an empty memo.
    text = open_text(rig, program)
    assert memo(rig, text)["title"] == ""
    type_lines(rig, text, "MMMM")
    seen = memo(rig, text)["client"]
    wait_until(lambda: count(rig.grab(), seen, BLACK) > 10, timeout=10, what="the text in the file's colour")
    assert count(rig.grab(), seen, RED) == 0

    # The close box: the text stays for later, the toolbar until Space.
    left, top, right, _ = text["rect"]
    rig.click(right - 12, top + 10)
    wait_until(lambda: window(program, "TForm3") is None, timeout=10, what="the close box to close the window")
    assert window(program, "TForm1") is None
    rig.key("space")
    wait_toolbar(program)
    text = open_text(rig, program)
    assert memo(rig, text)["title"] == "MMMM"
    close_text(rig, program, text, CLOSE_FACE)
    wait_toolbar(program)
    done(rig, program)
    choose(rig, "Exit")
    assert program.wait_exit() == 0


def test_a_missing_or_broken_font_file_is_reported_and_the_program_goes_on(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    open_session(rig, program)
    (workdir / "font.typ").unlink()
    click_face(rig, program, TEXT)
    dismiss(rig, expect_box(rig, program, "File not found."))
    # The window is shown, the toolbar stays with the Space key.
    text = wait_until(lambda: window(program, "TForm3"), timeout=10, what="the text window")
    assert window(program, "TForm1") is not None
    # The toolbar, always on top, covers the window's close box here; "Close" is clear of it.
    close_text(rig, program, text, CLOSE_FACE)

    broken = b"x\r\nArial\r\n0\r\n255\r\n0\r\n"  # a letter in line 1
    (workdir / "font.typ").write_bytes(broken)
    click_face(rig, program, TEXT)
    dismiss(rig, expect_box(rig, program, "'x' is not a valid integer value."))
    text = wait_until(lambda: window(program, "TForm3"), timeout=10, what="the text window")
    assert window(program, "TForm1") is not None
    assert (workdir / "font.typ").read_bytes() == broken
    rig.key("space")  # the Space key still works: the opening stopped before it was stopped
    wait_toolbar(program, shown=False)
    rig.key("space")
    wait_toolbar(program)
    close_text(rig, program, text, CLOSE_FACE)
    wait_toolbar(program)
    done(rig, program)
    choose(rig, "Exit")
    assert program.wait_exit() == 0

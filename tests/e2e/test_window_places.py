"""Saved places on a monitor that is gone: the toolbar, the text window and
the copy window come back into the work area, where they can be reached."""

from conftest import SCREEN_W, wait_until
from notepad import COPY_WIN, DONE, TEXT, click_face, first_start, open_session, wait_toolbar, window, with_settings
from tray import choose, settings_lines, start_and_settle

WORK_AREA = (0, 0, SCREEN_W, 780)  # the taskbar below it


def inside(rect):
    left, top, right, bottom = rect
    return WORK_AREA[0] <= left and WORK_AREA[1] <= top and right <= WORK_AREA[2] and bottom <= WORK_AREA[3]


def test_windows_saved_on_a_monitor_that_is_gone_come_back(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    # As a second monitor right of, left of and below this one left them.
    with_settings(workdir, l4="3000", l5="2000", l6="-900", l7="100", l11="100", l12="5000")
    program = start_and_settle(rig, kvx, workdir)

    open_session(rig, program)
    toolbar = window(program, "TForm1")["rect"]
    assert inside(toolbar), toolbar
    assert toolbar[:2] == [SCREEN_W - 233, 780 - 218]  # moved the least distance: into the corner
    for face, cls, expected_left in ((TEXT, "TForm3", 0), (COPY_WIN, "TForm4", 100)):
        click_face(rig, program, face)
        opened = wait_until(lambda: window(program, cls), timeout=10, what=f"the {cls} window")
        wait_toolbar(program, shown=False)
        assert inside(opened["rect"]), (cls, opened["rect"])
        assert opened["rect"][0] == expected_left, (cls, opened["rect"])
        left, top, right, _ = opened["rect"]
        rig.click(right - 12, top + 10)  # its close box
        wait_until(lambda: window(program, cls) is None, timeout=10, what=f"the {cls} window to close")
        rig.key("space")  # the close box leaves the toolbar hidden until Space
        wait_toolbar(program)
    click_face(rig, program, DONE)
    wait_until(lambda: window(program, "TForm2") is None, timeout=15, what="'Done'")
    choose(rig, "Exit")
    assert program.wait_exit() == 0
    # The places they came back to are the ones saved.
    lines = settings_lines(workdir)
    assert [int(v) for v in lines[3:5]] == toolbar[:2]
    assert int(lines[5]) == 0 and int(lines[6]) == 100
    assert int(lines[10]) == 100 and int(lines[11]) + 305 <= 780

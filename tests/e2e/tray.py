"""What a user does with the running program: its notification-area icon, the
icon's menu, the message boxes of start-up."""

import time

from conftest import TASKBAR, rect_center, wait_until

# The first icon of the notification area sits at the right end of the taskbar.
ICON_AREA = (TASKBAR[2] - 22, TASKBAR[1] + 2, TASKBAR[2] - 2, TASKBAR[3] - 2)
ICON_POINT = (TASKBAR[2] - 11, TASKBAR[1] + 10)

MENU_ITEMS = ["About", "Options", "Next wallpaper", "Exit"]
SETTINGS_DEFAULTS = ["1", "0", "1", "192", "109", "197", "274", "205", "357", "38", "205", "375", "289", "305",
                     "0"]


def red_pixels(image, box):
    """Pixels of the icon's red lettering in the box."""
    return sum(1 for r, g, b in image.crop(box).getdata() if r > 150 and g < 90 and b < 90)


def icon_area(rig):
    """Where the first icon of the rig's notification area lies."""
    return rig.icon_area()


def icon_shown(rig):
    area = rig.icon_area(wait=False)
    return area is not None and red_pixels(rig.grab(), rig.in_grab(area)) >= 6


def wait_icon(rig, shown=True, timeout=15):
    def settled():
        if icon_shown(rig) == shown:
            return True
        # Wine's desktop, repainting a new wallpaper, may paint over the
        # taskbar and leave it so: the taskbar is painted anew before looking again.
        taskbar = next((w for w in rig.windows() if w["class"] == "Shell_TrayWnd"), None)
        if taskbar:
            rig.probe("redraw", taskbar["hwnd"])
        return False

    wait_until(settled, timeout=timeout,
               what="the program's icon to " + ("appear in" if shown else "leave") + " the notification area")


def dismiss(rig, box, button="OK"):
    """Clicks a message box's button, as a user would, and waits for the box to go."""
    buttons = [c for c in box["controls"] if c["class"].lower() == "button" and c["visible"]]
    target = next(b for b in buttons if b["text"].replace("&", "") == button)
    rig.click(*rect_center(target["rect"]))
    clicked = [time.monotonic()]

    def closed():
        if not any(b["hwnd"] == box["hwnd"] for b in rig.msgboxes(exe="KVX.exe")):
            return True
        # A click that reached a box not yet taking input (a busy machine) is
        # lost: the same box still there a while later is clicked again.
        if time.monotonic() - clicked[0] > 5:
            rig.click(*rect_center(target["rect"]))
            clicked[0] = time.monotonic()
        return False

    wait_until(closed, timeout=10, what=f"the box '{box['text']}' to close")


def expect_box(rig, program, text, title="Velmora"):
    box = program.wait_msgbox(timeout=20)
    assert box["title"] == title
    assert box["text"] == text
    return box


def open_menu(rig):
    """A right click on the icon; returns the menu window, once it is there."""
    rig.click(*rig.icon_point, button=3)
    return wait_until(lambda: next((w for w in rig.windows() if w["class"] == "#32768"), None), timeout=10,
                      what="the icon's menu")


def choose(rig, item, menu=None):
    """Clicks one of the items of the icon's menu, opening it first unless it is open."""
    menu = menu or open_menu(rig)
    left, top, right, bottom = menu["rect"]
    row = (bottom - top) / len(MENU_ITEMS)
    index = MENU_ITEMS.index(item)
    rig.click((left + right) // 2, int(top + row * index + row / 2))
    wait_until(lambda: not any(w["class"] == "#32768" for w in rig.windows()), timeout=10,
               what="the menu to close")


def visible_windows(program, cls=None):
    return [w for w in program.windows() if cls is None or w["class"] == cls]


def text_lines(path):
    """A text file of the program, line by line: UTF-8 after its byte-order
    mark, else in the code page."""
    data = path.read_bytes()
    assert data == b"" or data.endswith(b"\r\n"), data
    text = data[3:].decode("utf-8") if data.startswith(b"\xef\xbb\xbf") else data.decode("cp1252")
    return text[:-2].split("\r\n") if text else []


def settings_lines(workdir):
    return text_lines(workdir / "kvx.ini")


def start_and_settle(rig, kvx, workdir, *args, **kwargs):
    """Starts the program on a work directory that is not a first start and
    waits until start-up has rewritten the settings file."""
    before = (workdir / "kvx.ini").stat().st_mtime_ns
    program = kvx(*args, **kwargs)
    wait_until(lambda: (workdir / "kvx.ini").stat().st_mtime_ns != before, timeout=20,
               what="start-up to rewrite kvx.ini")
    return program

"""The options window as a user works it: the window opened from the icon's
menu, its buttons and hover faces clicked where the layout puts them, the
system's open dialog filled in by typing, files dragged from Explorer."""

import json
import subprocess

from conftest import patience, scaled, wait_until
from tray import choose, visible_windows

# Client points (centres) from the window's layout.
BROWSE = (267, 99)
ADD = (36, 499)
ADD_FOLDER = (76, 473)
REMOVE = (108, 499)
SET_SELECTED = (198, 396)
RANDOMIZE = (198, 436)
DONE = (240, 495)
RUN_AT_STARTUP = (16, 24)
EVERY = (152 + 14, 256 + 64)
NEVER = (152 + 14, 256 + 96)
MINUTES = (152 + 80, 256 + 61)
PREVIEW = (154, 154, 125, 93)  # left, top, width, height
LIST = (8, 136, 137, 323)


def options_window(program):
    return next(iter(visible_windows(program, "TForm7")), None)


def open_options(rig, program):
    choose(rig, "Options")
    return wait_until(lambda: options_window(program), timeout=10, what="the options window")


def at(window, point, dpi=96):
    """A client point of the window's 96-DPI layout on the screen."""
    x, y = scaled(dpi, point)
    return window["client"][0] + x, window["client"][1] + y


def click(rig, window, point, dpi=96):
    rig.click(*at(window, point, dpi))


def preview_colour(rig, window):
    left, top = at(window, PREVIEW[:2])
    return rig.grab().getpixel((left + PREVIEW[2] // 2, top + PREVIEW[3] // 2))


def the_list(rig, window):
    """The visible list of display names: its entries, the selected ones, and
    where it lies."""
    for child in rig.probe("children", window["hwnd"]):
        if child["class"].lower() == "listbox" and child["visible"]:
            return child
    raise AssertionError("the options window shows no list")


def entries(rig, window):
    return the_list(rig, window)["items"]


def click_entry(rig, window, index, ctrl=False, double=False):
    box = the_list(rig, window)
    row = index - box["top_index"]
    x = box["client"][0] + 30
    y = box["client"][1] + row * box["item_height"] + box["item_height"] // 2
    args = ["mousemove", x, y]
    if ctrl:
        args += ["keydown", "ctrl"]
    args += ["click", "--repeat", "2", "--delay", "80", "1"] if double else ["click", "1"]
    if ctrl:
        args += ["keyup", "ctrl"]
    rig.xdotool(*args)


def wait_selected(rig, window, indexes):
    wait_until(lambda: the_list(rig, window)["selected"] == list(indexes), timeout=10,
               what=f"entries {indexes} to be selected")


def open_dialog(rig, program, window, button):
    """Clicks "Add" or "Browse" and returns the open dialog once it is up."""
    click(rig, window, button)
    return wait_until(lambda: next((w for w in program.windows() if w["class"] == "#32770" and w["title"] == "Open"),
                                   None), timeout=15, what="the open dialog")


def type_into_dialog(rig, program, folder, names):
    """Goes to the folder and opens the files, typed into the dialog's file
    name box as a user would."""
    rig.type_text(folder)
    rig.key("Return")
    rig.type_text(" ".join(f'"{name}"' for name in names) if len(names) > 1 else names[0])
    rig.key("Return")
    wait_until(lambda: not any(w["class"] == "#32770" and w["title"] == "Open" for w in program.windows()),
               timeout=15, what="the open dialog to close")
    # The blanks typed stay marked as pressed for whoever asks next, and the
    # toolbar's Space poll would take them for a press.
    rig.probe("forget-keys")


def add_files(rig, program, window, folder, names):
    open_dialog(rig, program, window, ADD)
    type_into_dialog(rig, program, folder, names)


class Watch:
    """The program's visible windows over time, from a probe polling them,
    until a window of `cls` has shown and gone again."""

    def __init__(self, rig, program, cls, timeout=60):
        self.path = rig.logs / f"watch-{cls}.jsonl"
        self.out = open(self.path, "wb")
        self.popen = subprocess.Popen(["wine", str(rig.probe_exe), "watch", cls, "--pid", str(program.winpid),
                                       "--timeout", str(timeout)], env=rig.env, stdin=subprocess.DEVNULL,
                                      stdout=self.out, stderr=subprocess.DEVNULL, start_new_session=True)
        wait_until(lambda: self.states(), timeout=20, what="the window watch to start")

    def states(self):
        text = self.path.read_text(encoding="utf-8")
        return [json.loads(line)["visible"] for line in text.splitlines() if line.endswith("}")]

    def wait(self, timeout=60):
        code = self.popen.wait(patience(timeout))
        self.out.close()
        return code, self.states()


class Lock:
    """The file held open by another program, without sharing, while the
    block runs."""

    def __init__(self, rig, winpath):
        self.rig, self.winpath = rig, winpath
        self.path = rig.logs / "lock.jsonl"

    def __enter__(self):
        self.out = open(self.path, "wb")
        self.popen = subprocess.Popen(["wine", str(self.rig.probe_exe), "lock", self.winpath], env=self.rig.env,
                                      stdin=subprocess.DEVNULL, stdout=self.out, stderr=subprocess.DEVNULL,
                                      start_new_session=True)
        wait_until(lambda: "locked" in self.path.read_text(), timeout=20, what=f"{self.winpath} to be locked")
        self.pid = json.loads(self.path.read_text().splitlines()[0])["pid"]
        return self

    def __exit__(self, *exc):
        self.popen.kill()
        self.popen.wait(20)
        self.out.close()
        # The file is free once the system has seen the holder end.
        wait_until(lambda: not any(p["pid"] == self.pid for p in self.rig.processes(exe="probe.exe")), timeout=20,
                   what="the lock to go")


def drag_files(rig, start, end, paths):
    """Drags the files as from Explorer: the probe shows a square standing for
    them at `start`, the button goes down on it, the pointer moves to `end`
    like a hand and lets go. Returns what the probe saw: whether the drop
    happened and the effect the target chose."""
    path = rig.logs / "drag.jsonl"

    def lines():
        return [json.loads(line) for line in path.read_text(encoding="utf-8").splitlines() if line.endswith("}")]

    with open(path, "wb") as out:
        popen = subprocess.Popen(["wine", str(rig.probe_exe), "drag-files", *map(str, start), *paths], env=rig.env,
                                 stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                                 start_new_session=True)
        try:
            wait_until(lambda: any(line["state"] == "ready" for line in lines()), timeout=20,
                       what="the files to drag")
            grip = (start[0] + 20, start[1] + 20)
            steps = []
            for i in range(1, 13):
                steps += ["mousemove", grip[0] + (end[0] - grip[0]) * i // 12,
                          grip[1] + (end[1] - grip[1]) * i // 12, "sleep", 0.1]
            rig.xdotool("mousemove", *grip, "mousedown", 1, "sleep", 0.2, *steps, "sleep", 0.3, "mouseup", 1)
            popen.wait(patience(20))
        finally:
            if popen.poll() is None:
                popen.kill()
                rig.xdotool("mouseup", 1)
    return lines()[-1]


POSITION_BOX = (96 + 92, 580 + 10)
POSITIONS = ["Tile (unscaled, top-left)", "Fill", "Fit", "Stretch", "Center"]


def choose_position(rig, program, window, name, dpi=96):
    """Opens the picture position's drop-down and clicks the item."""
    click(rig, window, POSITION_BOX, dpi)
    drop = wait_until(lambda: next((w for w in visible_windows(program) if w["class"] == "ComboLBox"), None),
                      timeout=10, what="the position's list to drop")
    left, top, right, bottom = drop["rect"]
    row = (bottom - top) / len(POSITIONS)
    rig.click((left + right) // 2, int(top + row * POSITIONS.index(name) + row / 2))
    wait_until(lambda: not any(w["class"] == "ComboLBox" for w in visible_windows(program)), timeout=10,
               what="the position's list to close")

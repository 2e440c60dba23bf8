"""The end-to-end rig: the real KVX.exe under Wine, in the virtual desktop
"velmora" (1280x800, taskbar and notification area) on a private Xvfb, or,
with Rig(root, monitors=[...]), on several monitors without a virtual desktop.

The build is the one scripts/wine-arch chooses (VELMORA_WINE_ARCH): the 32-bit
program under 32-bit Wine where 32-bit programs run here, else the 64-bit build
of the same sources under 64-bit Wine.

Fixtures:
  rig      (session) the display, the booted Wine prefix and the desktop, with
           helpers for input, screenshots, the probe and the registry.
  workdir  a fresh folder C:\\e2e\\<test> holding KVX.exe and resources/dist/*.
  kvx      kvx(*args) starts KVX.exe in workdir; the test's end stops it.
  pattern  pattern(left, top, width, height) shows the probe's window of a
           known pattern; the test's end closes it.
  two_monitors
           (module) a session of its own on two monitors, 1280x800 (the
           primary) and 1024x768 right of it. A module runs its tests there,
           kvx and workdir included, by overriding rig with it:
               @pytest.fixture(scope="module")
               def rig(two_monitors):
                   return two_monitors

Windows screen coordinates are X root coordinates: the desktop window fills
the Xvfb screen from (0, 0), which the rig checks when it starts.

Monitors: an Xephyr on the Xvfb has one head (Xinerama screen) per monitor,
the first the primary; Wine sees them as monitors only without XRandR (which
shows Xephyr as one output) and without a virtual desktop (which is one
window). Then there is no taskbar: the icons sit in Wine's stand-alone tray
window, and nothing paints a wallpaper. Windows coordinates are Xephyr's root
coordinates less rig.origin, which is (0, 0) unless a monitor lies left of or
above the primary; the input helpers take Windows coordinates.
"""

import json
import os
import re
import select
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

import pytest
from PIL import Image

REPO = Path(__file__).resolve().parents[2]


def _repo_path(variable, default):
    path = Path(os.environ.get(variable, default))
    return path if path.is_absolute() else REPO / path


def _wine_arch():
    arch = os.environ.get("VELMORA_WINE_ARCH")
    if not arch:
        arch = subprocess.run([str(REPO / "scripts" / "wine-arch"), "End-to-end tests"], stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, text=True).stdout.strip()
    if arch not in ("win32", "win64"):
        raise RuntimeError(f"no Windows build to test (scripts/wine-arch said {arch!r})")
    return arch


ARCH = _wine_arch()
# Debian's "wine" picks the 32-bit loader whenever wine32 is installed, so the
# 64-bit build is run by the 64-bit loader itself.
WINE = "wine" if ARCH == "win32" else "/usr/lib/wine/wine64"
# 64-bit Wine does not draw a colour-keyed layered window shown after it was
# created hidden (the about card, the copy window); scenarios that look at
# such a window's pixels say so there and check the rest.
COLOUR_KEY_DRAWN = ARCH == "win32"
COLOUR_KEY_NOTE = "64-bit Wine does not draw colour-keyed layered windows: their pixels are not checked here"
KVX_EXE = _repo_path("KVX_EXE", f"build/{ARCH}/KVX.exe")
PROBE_EXE = _repo_path("PROBE_EXE", f"build/{ARCH}/tests/e2e/probe/probe.exe")
DIST = REPO / "resources" / "dist"
E2E = REPO / "build" / "e2e"
ARTIFACTS = REPO / "build" / "e2e-artifacts"

SCREEN_W, SCREEN_H = 1280, 800
DESKTOP = "velmora"
TASKBAR = [0, SCREEN_H - 20, SCREEN_W, SCREEN_H]

STANDALONE_TRAY = "__winex11_standalone_tray"

_rig = None  # the session's rig, for the failure hook
PROBE_RETRIES = []  # the probe's failed queries that were asked again, for the run's summary


# Deadlines are written for an idle machine. One whose two cores are busy with
# a build beside the tests takes several times as long for Wine to start a
# process or for a picture to be composed, so every rig deadline is stretched
# by this factor: a correct program is waited for, a hung one still fails.
# Waits that assert the program's own timing (a timer's period) pass
# strict=True and keep their figure.
SLACK = float(os.environ.get("VELMORA_E2E_SLACK", "4"))


def patience(seconds):
    """A rig deadline of `seconds` on an idle machine, stretched by SLACK."""
    return seconds * SLACK


def wait_until(condition, timeout=10.0, what="the condition", interval=0.1, strict=False):
    """Polls condition() until it returns something truthy and returns that."""
    limit = timeout if strict else patience(timeout)
    deadline = time.monotonic() + limit
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {limit:g} s waiting for {what}")
        time.sleep(interval)


def safe_name(text):
    return re.sub(r"[^A-Za-z0-9_.-]+", "_", text).strip("_")[:100]


def scaled(dpi, point):
    """A point of a 96-DPI layout at `dpi`, rounded as the program rounds."""
    return tuple(int(v * dpi / 96 + 0.5) for v in point)


def rect_center(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


class Rig:
    def __init__(self, root, screen=(SCREEN_W, SCREEN_H), dpi=96, monitors=None):
        """A Wine session on its own Xvfb display of `screen` pixels; `dpi`
        other than 96 is the session's display scale (LogPixels, set before
        the desktop starts). `monitors` gives a session of that many monitors
        instead (see the module's notes), each (width, height) right of the
        one before, or (width, height, left, top) in Windows coordinates;
        `screen` is then their bounding box."""
        self.root = root
        self.heads = self._places(monitors) if monitors else None
        if self.heads:
            screen = self._bounds(self.heads)
        self.screen_w, self.screen_h = screen
        self._set_origin()
        self.taskbar = [0, self.screen_h - 20, self.screen_w, self.screen_h]
        self._icon_point = (self.taskbar[2] - 11, self.taskbar[1] + 10)
        self.tray = None  # the stand-alone tray's rect, once looked up
        self.prefix = root / "prefix"
        self.logs = root / "logs"
        self.env = {k: v for k, v in os.environ.items() if not k.startswith("WINE") and k != "DISPLAY"}
        self.env.update(WINEPREFIX=str(self.prefix), WINEDEBUG="-all", WINEARCH=ARCH,
                        # Mono and Gecko are not wanted and would ask to be downloaded;
                        # the setup's Start menu shortcut stays inside the prefix.
                        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=")
        if ARCH == "win64":
            self.env["WINELOADER"] = WINE
        self.dpi = dpi  # what programs started now get (LogPixels)
        self.xvfb = None
        self.xephyr = None
        self.explorer = None
        self.desktop_colour = None
        self._last_icon_click = None  # (x, y, time, button) of the last click in the notification area

    # --- start and stop -------------------------------------------------

    def start(self):
        self.wineserver_kill()  # a server left by an interrupted run
        shutil.rmtree(self.root, ignore_errors=True)
        self.logs.mkdir(parents=True)
        self.start_xvfb()
        started = time.monotonic()
        self.run(["wine", "wineboot", "-i"], timeout=240, check=True)
        self.boot_seconds = time.monotonic() - started
        for args in self._monitor_settings() if self.heads else (
            [r"HKCU\Software\Wine\Explorer\Desktops", "/v", DESKTOP, "/d", f"{self.screen_w}x{self.screen_h}"],
            # Wine 8 reads EnableShell from Desktops\<name>; the value under
            # Explorer (read by other versions) is set as well.
            [rf"HKCU\Software\Wine\Explorer\Desktops\{DESKTOP}", "/v", "EnableShell", "/t", "REG_DWORD", "/d", "1"],
            [r"HKCU\Software\Wine\Explorer", "/v", "EnableShell", "/t", "REG_DWORD", "/d", "1"],
            # Every plain "wine PROGRAM" then runs inside the virtual desktop.
            [r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", DESKTOP],
            # A crash ends the process (backtrace in its log) instead of
            # waiting behind a dialog.
            [r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD", "/d", "0"],
        ) + (([r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(self.dpi)],)
             if self.dpi != 96 else ()):
            self.run(["wine", "reg", "add", *args, "/f"], check=True)
        if self.heads:
            # Wine reads the monitors when its server starts, and the boot's
            # server read them through XRandR.
            self.wineserver_kill()
            self.start_session()
        else:
            self.start_desktop()

    def _monitor_settings(self):
        return (
            # With XRandR Wine sees Xephyr's one output; Xinerama has the heads.
            [r"HKCU\Software\Wine\X11 Driver", "/v", "UseXRandR", "/d", "N"],
            [r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD", "/d", "0"],
        ) + (([r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(self.dpi)],)
             if self.dpi != 96 else ())

    @staticmethod
    def _places(monitors):
        """(width, height, left, top) of each monitor in Windows coordinates:
        a (width, height) goes right of the one before it."""
        heads, right = [], 0
        for monitor in monitors:
            width, height, left, top = monitor if len(monitor) == 4 else (*monitor, right, 0)
            heads.append((width, height, left, top))
            right = max(right, left + width)
        assert heads[0][2:] == (0, 0), "the first monitor is the primary, its corner at (0, 0)"
        return heads

    def _set_origin(self):
        # Where Windows' (0, 0) is on the X screen: right of and below the
        # monitors left of and above the primary.
        self.origin = (-min(head[2] for head in self.heads), -min(head[3] for head in self.heads)) \
            if self.heads else (0, 0)

    @staticmethod
    def _bounds(heads):
        return (max(left + width for width, _, left, _ in heads) - min(left for _, _, left, _ in heads),
                max(top + height for _, height, _, top in heads) - min(top for _, _, _, top in heads))

    def start_xvfb(self):
        self.xvfb, display = self._x_server(
            "xvfb", ["Xvfb", "-screen", "0", f"{self.screen_w}x{self.screen_h}x24", "-nolisten", "tcp"], self.env)
        self.env["DISPLAY"] = display
        if self.heads:
            self.host_display = display
            self.start_xephyr()

    def start_xephyr(self):
        """Xephyr on the Xvfb, one head per monitor. Its host windows are
        placed side by side as the heads are (without a window manager
        nothing else would place them: all would sit at 0, 0)."""
        # X has no negative root coordinates: the heads are shifted so the
        # leftmost and topmost start at 0, and Wine shifts them back so the
        # primary (Xinerama's first screen) has its corner at (0, 0).
        argv = ["Xephyr", "+xinerama", "-no-host-grab", "-nolisten", "tcp"]
        for width, height, left, top in self.heads:
            x, y = left + self.origin[0], top + self.origin[1]
            argv += ["-origin", f"{x},{y}", "-screen", f"{width}x{height}+{x}+{y}"]
        self.xephyr, self.env["DISPLAY"] = self._x_server("xephyr", argv, {**self.env, "DISPLAY": self.host_display})

    def _x_server(self, name, argv, env):
        """Starts an X server that picks a free display number (-displayfd,
        written once it accepts connections); returns it and the display."""
        read_end, write_end = os.pipe()
        with open(self.logs / f"{name}.log", "ab") as log:
            server = subprocess.Popen(
                [argv[0], "-displayfd", str(write_end), *argv[1:]], env=env,
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + patience(20)
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], 0.5)
            if ready:
                chunk = os.read(read_end, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        if not number.strip().isdigit():
            server.kill()
            server.wait()
            raise RuntimeError(f"{argv[0]} did not start (see {self.logs / f'{name}.log'})")
        return server, ":" + number.strip().decode()

    def _install_probe(self):
        probe_dir = self.prefix / "drive_c" / "e2e-probe"
        probe_dir.mkdir(parents=True, exist_ok=True)
        self.probe_exe = probe_dir / "probe.exe"
        shutil.copy2(PROBE_EXE, self.probe_exe)

    def start_session(self):
        """The session of several monitors: the probe waiting forever keeps
        the Wine server and its desktop process up between the programs."""
        self._install_probe()
        with open(self.logs / "holder.log", "ab") as log:
            self.explorer = subprocess.Popen(
                [WINE, self.winpath(self.probe_exe), "hold"], env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                stderr=subprocess.STDOUT, start_new_session=True)
        self._check_monitors()
        self.tray = None
        # Nothing paints a desktop: what shows is Xephyr's root background.
        self.desktop_colour = self.grab().getpixel((self.screen_w // 2, 5))

    def _check_monitors(self):
        """Waits until Wine reports the heads as its monitors, each at its
        place; otherwise fails before any scenario, saying what Wine saw."""
        expected = sorted([left, top, left + width, top + height] for width, height, left, top in self.heads)
        seen = []

        def as_placed():
            seen[:] = sorted(m["rect"] for m in self.monitors())
            return seen == expected

        try:
            wait_until(as_placed, timeout=15, what=f"Wine to see {len(self.heads)} monitors")
        except AssertionError:
            library = "libxinerama1:i386" if ARCH == "win32" else "libxinerama1"
            raise RuntimeError(
                f"Wine reports the monitors {seen} where Xephyr has the heads {expected}. Wine reads the heads "
                f"through Xinerama: is {library} installed (scripts/deps installs it)?") from None

    def restart_display(self, monitors):
        """Another set of monitors, as when one is unplugged or plugged in:
        the Wine session ends (end the programs first), Xephyr starts anew
        with these heads on the same Xvfb, and the session starts again in
        the same prefix."""
        assert self.heads, "restart_display needs a rig of monitors"
        self.wineserver_kill()
        self._end(self.explorer)
        self._end(self.xephyr, terminate=True)
        self.heads = self._places(monitors)
        self.screen_w, self.screen_h = self._bounds(self.heads)
        self._set_origin()
        self.start_xephyr()
        self.start_session()

    def start_desktop(self):
        # A virtual desktop ends with the last program in it; the probe waiting
        # forever inside keeps it up for the whole session. Whether the
        # "wine explorer" command returns at once or stays as the desktop's
        # owner varies, so it is not waited for.
        self._install_probe()
        with open(self.logs / "explorer.log", "wb") as log:
            self.explorer = subprocess.Popen(
                [WINE, "explorer", f"/desktop={DESKTOP},{self.screen_w}x{self.screen_h}", self.winpath(self.probe_exe),
                 "hold",
                 # Wine's desktop may paint a new wallpaper over the taskbar
                 # (always under 64-bit Wine, under load under 32-bit) and
                 # leave it so; the holder repaints it, as Windows would.
                 "--repaint-taskbar"],
                env=self.env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        def taskbar():
            # Along the bottom of the screen, as high as the session's DPI makes it.
            return next((w["rect"] for w in self.windows() if w["class"] == "Shell_TrayWnd" and w["rect"][0] == 0
                         and w["rect"][2:] == [self.screen_w, self.screen_h]), None)

        self.taskbar = wait_until(taskbar, timeout=60, what="the virtual desktop's taskbar")
        # The first icon of the notification area sits at the right end of the taskbar.
        height = self.taskbar[3] - self.taskbar[1]
        self.icon_point = (self.taskbar[2] - height // 2 - 1, self.taskbar[1] + height // 2)
        def desktop_geometry():
            # The search reads every window's name: a window Wine closes meanwhile
            # (a start-up helper's) fails it with BadWindow, and the next try passes.
            code, stdout, _ = self.run(["xdotool", "search", "--name", f"^{DESKTOP} - Wine desktop$",
                                        "getwindowgeometry", "--shell"], timeout=30)
            return stdout if code == 0 and "WIDTH=" in stdout else None

        geometry = wait_until(desktop_geometry, timeout=30, what="the Wine desktop's X window")
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        assert (values.get("X"), values.get("Y"), values.get("WIDTH"), values.get("HEIGHT")) == \
            ("0", "0", str(self.screen_w), str(self.screen_h)), f"the desktop does not fill the screen: {geometry}"
        self.desktop_colour = self.grab().getpixel((self.screen_w // 2, self.screen_h // 2))

    def stop(self):
        self.wineserver_kill()
        self._end(self.explorer)
        self._end(self.xephyr, terminate=True)
        self._end(self.xvfb, terminate=True)

    @staticmethod
    def _end(process, terminate=False):
        if not process:
            return
        if terminate:
            process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()

    def wineserver_kill(self):
        if self.prefix.exists():
            self.run(["wineserver", "-k"], timeout=60)

    # --- commands ---------------------------------------------------------

    def run(self, argv, cwd=None, timeout=60, check=False, env=None):
        """Runs a command with the rig's environment and returns (code, stdout,
        stderr). Output goes through files: Wine's helper processes inherit the
        handles and would hold a pipe open. "wine" stands for the build's loader."""
        if argv and argv[0] == "wine":
            argv = [WINE, *argv[1:]]
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(argv, cwd=cwd, env={**self.env, **(env or {})}, stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=err,
                                  timeout=patience(timeout)).returncode
            out.seek(0)
            err.seek(0)
            stdout, stderr = out.read().decode("utf-8", "replace"), err.read().decode("utf-8", "replace")
        if check and code != 0:
            raise RuntimeError(f"{argv} failed ({code}): {stdout}{stderr}")
        return code, stdout, stderr

    def winpath(self, path):
        """The Windows path of a Unix path (C: for the prefix's drive_c, Z: otherwise)."""
        path = Path(path).resolve()
        drive_c = (self.prefix / "drive_c").resolve()
        if path.is_relative_to(drive_c):
            return "C:\\" + str(path.relative_to(drive_c)).replace("/", "\\")
        return "Z:" + str(path).replace("/", "\\")

    # --- the probe --------------------------------------------------------

    # 64-bit Wine now and then fails to start a process at all ("failed to map
    # the shared user data": the kernel's address-space randomisation put
    # something where Wine maps that page) and ends it with 1 before any of its
    # code runs. The probe never answers 1 itself, so such a start is asked
    # again, a few times at most; every other failure is the answer.
    WINE_START_FAILED = 1
    PROBE_TRIES = 3

    def probe(self, *args):
        """Runs the probe and returns its answer, one dict per line."""
        for attempt in range(1, self.PROBE_TRIES + 1):
            # Wine's own error lines go with a failure, which they explain.
            code, stdout, stderr = self.run(["wine", str(self.probe_exe), *args], timeout=30,
                                            env={"WINEDEBUG": "-all,err+all"})
            if code == 0:
                return [json.loads(line) for line in stdout.splitlines() if line.strip()]
            failure = f"probe {' '.join(args)} failed ({code}): {stderr}{stdout}".strip()
            if code != self.WINE_START_FAILED or attempt == self.PROBE_TRIES:
                break
            # Listed at the end of the run's output and kept in the logs.
            note = f"{failure}; asked again ({attempt + 1} of {self.PROBE_TRIES})"
            PROBE_RETRIES.append(f"{os.environ.get('PYTEST_CURRENT_TEST', '?').split(' ')[0]}: {note}")
            with open(self.logs / "probe-retries.log", "a", encoding="utf-8") as log:
                log.write(note + "\n")
        raise RuntimeError(failure)

    @staticmethod
    def _filter(pid, exe):
        return (["--pid", str(pid)] if pid else []) + (["--exe", exe] if exe else [])

    def windows(self, pid=None, exe=None):
        """Visible top-level windows: hwnd, pid, exe, class, title, rect."""
        return self.probe("windows", *self._filter(pid, exe))

    def msgboxes(self, pid=None, exe=None):
        """Visible message boxes: title, text (the message), rect, and
        "controls" (each with id, class, text, rect; buttons among them)."""
        boxes = []
        for item in self.probe("msgbox", *self._filter(pid, exe)):
            if item["kind"] == "msgbox":
                item["controls"] = []
                boxes.append(item)
            elif item["kind"] == "control" and boxes:
                boxes[-1]["controls"].append(item)
        return boxes

    def processes(self, exe=None):
        return self.probe("processes", *self._filter(None, exe))

    def monitors(self):
        """The monitors as the system reports them: name, rect, work (the
        work area) and primary."""
        return self.probe("monitors")

    def clipboard_formats(self):
        """The clipboard's formats as (id, name) pairs."""
        return [(f["id"], f["name"]) for f in self.probe("clipboard-formats")]

    def set_wallpaper(self, path=""):
        """The desktop wallpaper, through the system (an empty path for none)."""
        self.probe("set-wallpaper", path)

    def press_button(self, hwnd):
        self.probe("click", hwnd)

    def children(self, hwnd):
        """The child windows of a window: class, rect, client (its client
        area on the screen), visible."""
        return self.probe("children", hwnd)

    # --- the registry -----------------------------------------------------

    def reg_query(self, key, value):
        """A registry value as (type, data) from "wine reg query", or None when
        the key or value does not exist."""
        code, stdout, _ = self.run(["wine", "reg", "query", key, "/v", value])
        if code != 0:
            return None
        for line in stdout.splitlines():
            parts = re.split(r"\s{4}", line.strip(), maxsplit=2)
            if len(parts) >= 2 and parts[0] == value and parts[1].startswith("REG_"):
                return parts[1], parts[2] if len(parts) > 2 else ""
        return None

    def reg_text(self, key, value):
        """A string value of the registry as the program reads it, Unicode
        kept, or None when it is missing."""
        answer = self.probe("registry", key, value)
        return answer[0]["data"] if answer else None

    # --- input and eyes ---------------------------------------------------

    def xdotool(self, *args):
        """Runs xdotool; a mousemove's point is in Windows coordinates."""
        args = list(args)
        if self.origin != (0, 0):
            for i, arg in enumerate(args[:-2]):
                if arg == "mousemove":
                    args[i + 1] += self.origin[0]
                    args[i + 2] += self.origin[1]
        code, stdout, stderr = self.run(["xdotool", *map(str, args)], timeout=30)
        if code != 0:
            raise RuntimeError(f"xdotool {args} failed ({code}): {stderr}")
        return stdout

    def move(self, x, y):
        self.xdotool("mousemove", x, y)

    def icon_area(self, wait=True):
        """The box of the first icon of the notification area. With monitors
        it is in the stand-alone tray, which Wine shows only while it holds
        an icon: waited for, or None at once when `wait` is false."""
        if not self.heads:
            left, top, right, bottom = self.taskbar
            return right - (bottom - top) - 2, top + 2, right - 2, bottom - 2
        def tray():
            return next((w["client"] for w in self.windows() if w["class"] == STANDALONE_TRAY), None)
        self.tray = wait_until(tray, timeout=15, what="Wine's stand-alone tray window") if wait else tray()
        if not self.tray:
            return None
        # One row of square icons from the left.
        left, top, _, bottom = self.tray
        return left, top, left + bottom - top, bottom

    @property
    def icon_point(self):
        """Where the program's icon is clicked."""
        if not self.heads:
            return self._icon_point
        return rect_center(self.icon_area())

    @icon_point.setter
    def icon_point(self, point):
        self._icon_point = point

    def _on_icon_area(self, x, y):
        if self.heads:
            return self.tray is not None and self.tray[0] <= x < self.tray[2] and self.tray[1] <= y < self.tray[3]
        return x >= self.taskbar[2] - 2 * (self.taskbar[3] - self.taskbar[1]) and \
            self.taskbar[1] <= y < self.taskbar[3]

    def click(self, x, y, button=1):
        # Wine's taskbar tells a double-click from its own clicks alone, so two
        # clicks on the icon with clicks on the program's windows between them
        # make one, where Windows would see two clicks. A click on the icon at
        # the spot of the last one within the double-click time lands 4 px
        # beside it, still on the icon. The same goes for the right button: a
        # second press taken for a double-click opens no menu. The stand-alone
        # tray belongs to the same explorer process: the same goes there.
        if button in (1, 3) and self._on_icon_area(x, y):
            last = self._last_icon_click
            if (last and last[3] == button and abs(last[0] - x) <= 2 and abs(last[1] - y) <= 2
                    and time.monotonic() - last[2] < 1.0):
                x -= 4
            self._last_icon_click = (x, y, time.monotonic(), button)
        self.xdotool("mousemove", x, y, "click", button)

    def drag(self, start, end, button=1, steps=8, pace=0.0):
        """Presses at start, moves in steps to end, releases. `pace` seconds
        between the moves make a hand's slow drag: the system merges moves
        that come faster than the program takes them, and an eraser acts
        only where a move is delivered."""
        args = ["mousemove", *start, "mousedown", button]
        for i in range(1, steps + 1):
            args += ["mousemove", start[0] + (end[0] - start[0]) * i // steps,
                     start[1] + (end[1] - start[1]) * i // steps]
            if pace:
                args += ["sleep", pace]
        self.xdotool(*args, "mouseup", button)

    def key(self, *keys):
        """Presses keys by X name, e.g. key("Return"), key("ctrl+c")."""
        self.focus_foreground()
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.focus_foreground()
        self.xdotool("type", "--delay", "30", text)

    def focus_foreground(self):
        """Windows gives a key to the foreground window; Wine gives it to the
        thread owning the X window that holds the X focus, which without a
        window manager can stay on the taskbar after a click on the icon. The
        X focus is moved to the foreground window first."""
        foreground = next((w for w in self.windows() if w["foreground"]), None)
        if not foreground or not foreground.get("xwindow"):
            return
        focus = self.xdotool("getwindowfocus").strip()
        if focus != str(foreground["xwindow"]):
            self.xdotool("windowfocus", foreground["xwindow"])

    def screenshot(self, path):
        path = Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        code, _, stderr = self.run(["import", "-window", "root", str(path)], timeout=30)
        if code != 0:
            raise RuntimeError(f"screenshot failed: {stderr}")
        return path

    def in_grab(self, place):
        """A point (x, y) or box (left, top, right, bottom) in Windows
        coordinates as pixels of grab()."""
        return tuple(v + self.origin[i % 2] for i, v in enumerate(place))

    def grab(self):
        """The whole screen as an RGB image. With monitors left of or above
        the primary, Windows' point (x, y) is its pixel in_grab((x, y))."""
        with tempfile.TemporaryDirectory() as folder:
            path = self.screenshot(Path(folder) / "screen.png")
            with Image.open(path) as image:
                return image.convert("RGB")


class WorkDir:
    def __init__(self, path, winpath):
        self.path = path
        self.winpath = winpath

    def __truediv__(self, name):
        return self.path / name


class Program:
    """KVX.exe started in a work directory."""

    def __init__(self, rig, workdir, args, log, cwd=None):
        self.rig = rig
        self.dpi = rig.dpi
        self.args = list(args)
        self.log = log
        self._known = {p["pid"] for p in rig.processes(exe="KVX.exe")}
        self._winpid = None
        with open(log, "ab") as out:
            # From another current directory the program is named by its full path,
            # as the system does when it starts the program at logon.
            program = "KVX.exe" if cwd is None else workdir.winpath + "\\KVX.exe"
            self.popen = subprocess.Popen([WINE, program, *self.args], cwd=cwd or workdir.path, env=rig.env,
                                          stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                          start_new_session=True)

    def running(self):
        return self.popen.poll() is None

    def wait_exit(self, timeout=15):
        """Waits for the program to end by itself; returns its exit code."""
        try:
            return self.popen.wait(patience(timeout))
        except subprocess.TimeoutExpired:
            raise AssertionError(f"KVX.exe {' '.join(self.args)} still runs after {patience(timeout):g} s") from None

    @property
    def winpid(self):
        """The Windows process id (the probe reports those, not Unix ones)."""
        if self._winpid is None:
            def new_pid():
                fresh = [p["pid"] for p in self.rig.processes(exe="KVX.exe") if p["pid"] not in self._known]
                return fresh[0] if len(fresh) == 1 else None
            self._winpid = wait_until(new_pid, timeout=15, what="the KVX.exe process")
        return self._winpid

    def windows(self):
        return self.rig.windows(pid=self.winpid)

    def wait_msgbox(self, timeout=15):
        """The program's message box, once it is visible."""
        boxes = wait_until(lambda: self.rig.msgboxes(pid=self.winpid), timeout=timeout,
                           what="a message box of KVX.exe")
        assert len(boxes) == 1, f"more than one message box: {boxes}"
        return boxes[0]

    def stop(self):
        if self.running():
            self.popen.kill()
        self.popen.wait(30)


def artifacts_dir(item):
    return ARTIFACTS / safe_name(item.name)


def failed(item):
    return any(getattr(item, f"rep_{when}", None) is not None and getattr(item, f"rep_{when}").failed
               for when in ("setup", "call"))


def pytest_configure(config):
    config.addinivalue_line("markers", "soak: a long run of minutes, run by 'make soak' (pytest -m soak)")


def pytest_collection_modifyitems(config, items):
    # The long runs are left out unless a marker expression asks for them.
    if config.option.markexpr:
        return
    soaks = [item for item in items if item.get_closest_marker("soak")]
    if soaks:
        config.hook.pytest_deselected(items=soaks)
        items[:] = [item for item in items if item not in soaks]


def pytest_terminal_summary(terminalreporter):
    if PROBE_RETRIES:
        terminalreporter.section("probe queries asked again")
        for line in PROBE_RETRIES:
            terminalreporter.write_line(line)


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    setattr(item, f"rep_{report.when}", report)
    # Right after a failing step, before teardown ends the program: what was
    # on the screen, and which windows.
    if report.failed and report.when in ("setup", "call") and _rig is not None and _rig.env.get("DISPLAY"):
        folder = artifacts_dir(item)
        try:
            _rig.screenshot(folder / "screen.png")
            (folder / "windows.txt").write_text("\n".join(json.dumps(w, ensure_ascii=False)
                                                          for w in _rig.windows()) + "\n", encoding="utf-8")
        except Exception as error:  # the report must not hide the test's own failure
            (folder / "artifact-error.txt").write_text(repr(error))


def require_builds():
    for exe, how in ((KVX_EXE, f"make build-{ARCH}"), (PROBE_EXE, f"make build-{ARCH}")):
        if not exe.is_file():
            pytest.fail(f"{exe} is missing: run '{how}'", pytrace=False)


@pytest.fixture(scope="session")
def rig():
    global _rig
    require_builds()
    shutil.rmtree(ARTIFACTS, ignore_errors=True)
    instance = Rig(E2E)
    try:
        instance.start()
        _rig = instance
        yield instance
    finally:
        _rig = None
        instance.stop()


@pytest.fixture(scope="module")
def two_monitors():
    global _rig
    require_builds()
    instance = Rig(E2E / "two-monitors", monitors=[(1280, 800), (1024, 768)])
    saved = _rig
    try:
        instance.start()
        _rig = instance
        yield instance
    finally:
        _rig = saved
        instance.stop()


@pytest.fixture
def workdir(rig, request):
    """A fresh work directory C:\\e2e\\<test> with the installation's files."""
    path = rig.prefix / "drive_c" / "e2e" / safe_name(request.node.name)
    shutil.rmtree(path, ignore_errors=True)
    # Every test meets the plain desktop: no wallpaper left by an earlier one.
    rig.set_wallpaper("")
    for name in ("Wallpaper", "TileWallpaper", "WallpaperStyle"):
        rig.run(["wine", "reg", "delete", r"HKCU\Control Panel\Desktop", "/v", name, "/f"])
    path.mkdir(parents=True)
    shutil.copy2(KVX_EXE, path / "KVX.exe")
    if DIST.is_dir():
        shutil.copytree(DIST, path, dirs_exist_ok=True)
    yield WorkDir(path, rig.winpath(path))
    if failed(request.node):
        shutil.copytree(path, artifacts_dir(request.node) / "workdir", dirs_exist_ok=True)
    shutil.rmtree(path, ignore_errors=True)


@pytest.fixture
def kvx(rig, workdir, request):
    """kvx(*args) starts KVX.exe in the work directory and returns a Program;
    kvx(*args, cwd=folder) starts it by its full path from another folder.
    At the test's end every KVX.exe still running is killed."""
    log = rig.logs / f"{safe_name(request.node.name)}.kvx.log"
    started = []

    def start(*args, cwd=None):
        program = Program(rig, workdir, args, log, cwd)
        started.append(program)
        return program

    yield start
    # Whether the program was still running when the test failed tells a
    # crash from a program that did not answer.
    states = [f"KVX.exe {' '.join(p.args)}: " + ("running" if p.running() else f"ended with {p.popen.returncode}")
              for p in started]
    for program in started:
        program.stop()
    if failed(request.node):
        artifacts_dir(request.node).mkdir(parents=True, exist_ok=True)
        (artifacts_dir(request.node) / "programs.txt").write_text("\n".join(states) + "\n")
        if log.exists():
            shutil.copy2(log, artifacts_dir(request.node) / "kvx.log")
    wait_until(lambda: not rig.processes(exe="KVX.exe"), timeout=15, what="every KVX.exe process to end")


@pytest.fixture
def pattern(rig):
    """pattern(left, top, width, height) shows a borderless window whose
    pixels tell their places apart (the probe's "pattern"), once it is on the
    screen; the test's end ends it."""
    shown = []

    def start(left, top, width, height):
        log = open(rig.logs / "pattern.log", "ab")
        shown.append((subprocess.Popen([WINE, str(rig.probe_exe), "pattern", *map(str, (left, top, width, height))],
                                       env=rig.env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                       start_new_session=True), log))
        return wait_until(lambda: next((w for w in rig.windows() if w["class"] == "VelmoraPattern"), None),
                          timeout=20, what="the pattern window")

    yield start
    for process, log in shown:
        process.kill()
        process.wait(30)
        log.close()
    wait_until(lambda: not any(w["class"] == "VelmoraPattern" for w in rig.windows()), timeout=15,
               what="the pattern window to go")

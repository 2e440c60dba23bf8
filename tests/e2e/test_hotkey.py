"""Ctrl+Alt+N, from anywhere, does what a click on the icon does: it opens a
drawing session, and pressed again it saves it as "Done" does. The key is
kept after the settings' older 18 lines and can be changed in the options."""

import json
import subprocess

from conftest import wait_until
from notepad import RED, bmp, done, first_start, open_session, wait_pixel, wait_toolbar, window
from options import DONE, click, open_options
from tray import settings_lines

HOTKEY_BOX = (160, 557)  # client point of the hotkey box in the options window
MOD_ALT, MOD_CONTROL = 1, 2


def session_shown(program, shown=True):
    wait_until(lambda: (window(program, "TForm2") is not None) == shown
               and (window(program, "TForm1") is not None) == shown,
               timeout=15, what="the drawing session to " + ("open" if shown else "close"))


def test_the_hotkey_opens_a_session_and_saves_it(rig, kvx, workdir):
    program = first_start(rig, kvx, workdir)  # from an 18-line kvx.ini
    # The settings write at the end of start-up added the new lines.
    assert settings_lines(workdir)[18:20] == ["Ctrl+Alt+N", "1"]

    rig.key("ctrl+alt+n")
    session_shown(program)
    rig.drag((600, 300), (800, 300))
    wait_pixel(rig, (700, 300), RED, "the stroke")
    wait_toolbar(program)
    rig.key("ctrl+alt+n")
    session_shown(program, False)
    assert bmp(workdir / "1.bmp").getpixel((700, 300)) == RED
    assert bmp(workdir / "2.bmp").getpixel((700, 300)) == RED

    # Another key, chosen in the options, takes its place at once.
    options = open_options(rig, program)
    click(rig, options, HOTKEY_BOX)
    rig.key("ctrl+alt+b")
    click(rig, options, DONE)
    wait_until(lambda: settings_lines(workdir)[18] == "Ctrl+Alt+B", timeout=10, what="line 19 to name the new key")
    rig.key("ctrl+alt+b")
    session_shown(program)
    rig.key("ctrl+alt+b")
    session_shown(program, False)
    rig.key("ctrl+alt+n")  # free again, and no longer the program's
    assert window(program, "TForm2") is None


def test_a_hotkey_taken_by_another_program_costs_nothing_but_a_balloon(rig, kvx, workdir):
    out_path = rig.logs / "hotkey.jsonl"
    with open(out_path, "wb") as out:
        holder = subprocess.Popen(["wine", str(rig.probe_exe), "hotkey", str(MOD_ALT | MOD_CONTROL), str(ord("N"))],
                                  env=rig.env, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                                  start_new_session=True)
        try:
            wait_until(lambda: "held" in out_path.read_text(), timeout=20, what="the probe to hold Ctrl+Alt+N")
            program = first_start(rig, kvx, workdir)
            # One balloon at the icon, from the shell.
            wait_until(lambda: any(w["class"].lower() == "tooltips_class32" for w in rig.windows()), timeout=15,
                       what="the icon's balloon")
            assert rig.msgboxes(pid=program.winpid) == []
            # The icon works as ever; the key is still stored.
            open_session(rig, program)
            done(rig, program)
            assert rig.msgboxes(pid=program.winpid) == []
            assert settings_lines(workdir)[18] == "Ctrl+Alt+N"
        finally:
            holder.kill()
            holder.wait(20)
            pid = json.loads(out_path.read_text().splitlines()[0])["pid"] if out_path.read_text() else None
            wait_until(lambda: not any(p["pid"] == pid for p in rig.processes(exe="probe.exe")), timeout=20,
                       what="the hotkey's holder to end")

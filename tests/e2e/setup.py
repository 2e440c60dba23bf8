"""The setup package and the portable zip as a user meets them: msiexec runs
the package in the rig's prefix, the installed program is found where the
setup put it."""

import re
import warnings
import zipfile
from pathlib import Path

from conftest import ARCH, REPO, Program, WorkDir, wait_until

VERSION = re.search(r"project\(Velmora VERSION (\d+\.\d+\.\d+)", (REPO / "CMakeLists.txt").read_text()).group(1)
# The package holds the 32-bit program; 64-bit Wine alone cannot run it, so
# there the same WiX source is built around the 64-bit build for the run.
PACKAGES = REPO / "build" / ("dist" if ARCH == "win32" else "win64/dist")
MSI = PACKAGES / f"Velmora-{VERSION}.msi"
ZIP = PACKAGES / f"Velmora-{VERSION}-portable.zip"
PACKAGE_NOTE = ("64-bit Wine cannot run the 32-bit KVX.exe the setup ships: the setup scenarios install a package "
                "built from the same WiX source around the 64-bit build (build/win64/dist)")
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
USER_FILES = ["kvx.ini", "wl.ini", "font.typ", "1.bmp", "2.bmp", "1.jpg"]


def note_package():
    if ARCH != "win32":
        warnings.warn(PACKAGE_NOTE)


def unix_path(rig, winpath):
    assert winpath[:3].upper() == "C:\\", winpath
    return rig.prefix / "drive_c" / winpath[3:].replace("\\", "/")


def folder_of(rig, variable):
    """A folder of the current user, from the system's environment."""
    _, stdout, _ = rig.run(["wine", "cmd", "/c", f"echo %{variable}%"], check=True)
    return stdout.strip()


class Installation:
    def __init__(self, rig):
        self.rig = rig
        self.winpath = folder_of(rig, "LOCALAPPDATA") + "\\Programs\\Velmora"
        self.path = unix_path(rig, self.winpath)
        self.shortcut = unix_path(rig, folder_of(rig, "APPDATA")) / "Microsoft/Windows/Start Menu/Programs/Velmora.lnk"

    def msiexec(self, *args, timeout=180):
        code, stdout, stderr = self.rig.run(["wine", "msiexec", *args], timeout=timeout)
        assert code == 0, f"msiexec {' '.join(args)} ended with {code}: {stdout}{stderr}"

    def install(self):
        self.msiexec("/i", self.rig.winpath(MSI), "/qn")

    def uninstall(self):
        self.msiexec("/x", self.rig.winpath(MSI), "/qn")

    def entry(self):
        """The installed-programs entry (product code, name), or None."""
        _, stdout, _ = self.rig.run(["wine", "uninstaller", "--list"], check=True)
        for line in stdout.splitlines():
            code, _, name = line.strip().partition("|||")
            if name == "Velmora":
                return code
        return None

    def start(self, log):
        return Program(self.rig, WorkDir(self.path, self.winpath), [], log)

    def user_files(self):
        return {name: (self.path / name).read_bytes() for name in USER_FILES}


def unpack_zip(folder):
    with zipfile.ZipFile(ZIP) as archive:
        names = sorted(archive.namelist())
        archive.extractall(folder)
    return names


def kill_every_kvx(rig):
    if rig.processes(exe="KVX.exe"):
        rig.run(["wine", "taskkill", "/f", "/im", "KVX.exe"])
    wait_until(lambda: not rig.processes(exe="KVX.exe"), timeout=20, what="every KVX.exe to end")

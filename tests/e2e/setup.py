"""The setup package and the portable zip as a user meets them: msiexec runs
the package in the rig's prefix, the installed program is found where the
setup put it."""

import re
import struct
import subprocess
import tempfile
import warnings
import zipfile
from pathlib import Path

from conftest import ARCH, REPO, WINE, Program, WorkDir, patience, wait_until

VERSION = re.search(r"project\(Velmora VERSION (\d+\.\d+\.\d+)", (REPO / "CMakeLists.txt").read_text()).group(1)
# The package holds the 32-bit program; 64-bit Wine alone cannot run it, so
# there the same WiX source is built around the 64-bit build for the run.
PACKAGES = REPO / "build" / ("dist" if ARCH == "win32" else "win64/dist")
MSI = PACKAGES / f"Velmora-{VERSION}.msi"
ZIP = PACKAGES / f"Velmora-{VERSION}-portable.zip"
PACKAGE_NOTE = ("64-bit Wine cannot run the 32-bit KVX.exe the setup ships: the setup scenarios install a package "
                "built from the same WiX source around the 64-bit build (build/win64/dist)")
# The earlier release the upgrade scenarios start from: these sources built
# under a lower version number by "make build-earlier-<arch>".
EARLIER_BUILD = REPO / "build" / f"earlier-{ARCH}"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
USER_FILES = ["kvx.ini", "wl.ini", "font.typ", "1.bmp", "2.bmp", "1.jpg"]


def version_key(version):
    return tuple(int(part) for part in version.split("."))


def file_version(path):
    """major.minor.build from a program's file version resource."""
    data = Path(path).read_bytes()
    fixed = data.index(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO
    high, low = struct.unpack_from("<II", data, fixed + 8)
    return f"{high >> 16}.{high & 0xFFFF}.{low & 0xFFFF}"


class Earlier:
    """The earlier-numbered package, its version and the program it holds."""

    def __init__(self):
        found = {m.group(1): path for path in (EARLIER_BUILD / "dist").glob("Velmora-*.msi")
                 if (m := re.fullmatch(r"Velmora-(\d+\.\d+\.\d+)\.msi", path.name))
                 and version_key(m.group(1)) < version_key(VERSION)}
        assert found, (f"no package of a version below {VERSION} in {EARLIER_BUILD / 'dist'}: "
                       f"run 'make build-earlier-{ARCH}'")
        self.version = max(found, key=version_key)
        self.msi = found[self.version]
        self.kvx = EARLIER_BUILD / "KVX.exe"
        assert file_version(self.kvx) == self.version, "the earlier program carries the earlier version"
        # The package must be the earlier build's own, not a stale one of another version.
        built = subprocess.run(["msiinfo", "export", str(self.msi), "Property"], capture_output=True, text=True,
                               check=True).stdout
        assert f"ProductVersion\t{self.version}" in built.splitlines(), built


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

    def install(self, msi=MSI, *options):
        self.msiexec("/i", self.rig.winpath(msi), "/qn", *options)

    def start_msiexec(self, *args):
        """msiexec started, not waited for; its finish() answers its exit code
        as Windows gives it (the exit status Wine hands on keeps only its low
        byte: 1603 would read 67)."""
        return Msiexec(self.rig, args)

    def refused_install(self, msi, *options):
        """A silent install expected to fail; its exit code."""
        return self.start_msiexec("/i", self.rig.winpath(msi), "/qn", *options).finish()

    def uninstall(self):
        self.msiexec("/x", self.rig.winpath(MSI), "/qn")

    def entries(self):
        """The product codes of the installed-programs entries named Velmora."""
        _, stdout, _ = self.rig.run(["wine", "uninstaller", "--list"], check=True)
        return [code for code, _, name in (line.strip().partition("|||") for line in stdout.splitlines())
                if name == "Velmora"]

    def entry(self):
        """The installed-programs entry's product code, or None."""
        return next(iter(self.entries()), None)

    def start(self, log):
        return Program(self.rig, WorkDir(self.path, self.winpath), [], log)

    def user_files(self):
        return {name: (self.path / name).read_bytes() for name in USER_FILES}


class Msiexec:
    def __init__(self, rig, args):
        self.command = " ".join(["msiexec", *args])
        self.output = tempfile.TemporaryFile()
        self.popen = subprocess.Popen([WINE, "cmd", "/v:on", "/c", self.command + " & echo exit=!errorlevel!"],
                                      env=rig.env, stdin=subprocess.DEVNULL, stdout=self.output,
                                      stderr=subprocess.STDOUT, start_new_session=True)

    def finish(self, timeout=180):
        self.popen.wait(patience(timeout))
        self.output.seek(0)
        text = self.output.read().decode("utf-8", "replace")
        found = re.search(r"^exit=(\d+)", text, re.M)
        assert found, f"{self.command}: no exit code in {text}"
        return int(found.group(1))


def unpack_zip(folder):
    with zipfile.ZipFile(ZIP) as archive:
        names = sorted(archive.namelist())
        archive.extractall(folder)
    return names


def kill_every_kvx(rig):
    if rig.processes(exe="KVX.exe"):
        rig.run(["wine", "taskkill", "/f", "/im", "KVX.exe"])
    wait_until(lambda: not rig.processes(exe="KVX.exe"), timeout=20, what="every KVX.exe to end")

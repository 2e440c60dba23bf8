"""One version everywhere: the project's version in CMakeLists.txt is the one
the shipped KVX.exe carries in its file version resource and the one the
setup package and the zip name (the about card and "-Ver$" take theirs from
the same generated header, and their tests check the texts)."""

import re
import struct
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
MAJOR, MINOR, BUILD = map(int, re.search(r"project\(Velmora VERSION (\d+)\.(\d+)\.(\d+)",
                                         (REPO / "CMakeLists.txt").read_text()).groups())
VERSION = f"{MAJOR}.{MINOR}.{BUILD}"


def test_the_program_and_the_setup_carry_the_project_version():
    data = (REPO / "build" / "win32" / "KVX.exe").read_bytes()
    fixed = data.index(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", data, fixed + 8)
    assert (file_ms, file_ls) == (product_ms, product_ls) == ((MAJOR << 16) | MINOR, BUILD)
    label = f"{MAJOR}.{MINOR} build {BUILD}"
    assert label.encode("utf-16-le") in data  # FileVersion and ProductVersion texts

    msi = REPO / "build" / "dist" / f"Velmora-{VERSION}.msi"
    assert (REPO / "build" / "dist" / f"Velmora-{VERSION}-portable.zip").is_file()
    properties = subprocess.run(["msiinfo", "export", str(msi), "Property"], check=True, capture_output=True,
                                text=True).stdout
    assert f"ProductVersion\t{VERSION}" in properties.splitlines()

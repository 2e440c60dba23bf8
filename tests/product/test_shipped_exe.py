"""The shipped program, build/win32/KVX.exe, checked on every machine without
running it: where 32-bit programs cannot run, the Windows and end-to-end tests
use the 64-bit build, and this is what still fails when the 32-bit one breaks."""

import struct
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
KVX_EXE = REPO / "build" / "win32" / "KVX.exe"

# What Windows itself supplies; anything else would have to ship beside KVX.exe.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msimg32.dll",
               "msvcrt.dll", "ole32.dll", "shell32.dll", "user32.dll", "uxtheme.dll"}
# What Windows loads from its own folder whatever lies beside the program: its
# known DLLs, and common controls 6 through the manifest. Any other import
# would be taken from beside KVX.exe first, before start-up can limit the search.
NOT_PLANTABLE = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
                 "ole32.dll", "shell32.dll", "user32.dll"}
IMAGE_FILE_MACHINE_I386 = 0x14C
IMAGE_FILE_RELOCS_STRIPPED = 0x0001
IMAGE_FILE_LARGE_ADDRESS_AWARE = 0x0020
PE32_MAGIC = 0x10B
SUBSYSTEM_WINDOWS_GUI = 2
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100


class PeFile:
    def __init__(self, data):
        self.data = data
        assert data[:2] == b"MZ", "no DOS header"
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "no PE signature"
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        directories = optional + 96  # PE32 layout
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, va, raw_size, raw_ptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), va, max(vsize, raw_size), raw_ptr))

    def offset(self, rva):
        for _, va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise AssertionError(f"address {rva:#x} lies in no section")

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if not any(entry):
                return names
            names.append(self.cstring(entry[3]))
            at += 20


@pytest.fixture(scope="module")
def exe():
    if not KVX_EXE.is_file():
        pytest.fail(f"{KVX_EXE} is missing: run 'make build-win32'", pytrace=False)
    return PeFile(KVX_EXE.read_bytes())


def test_the_shipped_program_is_a_32_bit_gui_program_for_i386(exe):
    assert exe.machine == IMAGE_FILE_MACHINE_I386
    assert exe.magic == PE32_MAGIC
    assert exe.subsystem == SUBSYSTEM_WINDOWS_GUI


def test_it_imports_only_system_dlls(exe):
    dlls = [name.lower() for name in exe.imported_dlls()]
    assert "kernel32.dll" in dlls and "user32.dll" in dlls
    assert set(dlls) <= SYSTEM_DLLS, f"DLLs that Windows does not supply: {set(dlls) - SYSTEM_DLLS}"
    assert set(dlls) <= NOT_PLANTABLE, f"imports a planted DLL could stand in for: {set(dlls) - NOT_PLANTABLE}"


def test_it_may_use_4_gb_of_address_space_on_64_bit_windows(exe):
    assert exe.characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE, "not large-address-aware"


def test_aslr_and_dep_are_on(exe):
    assert exe.dll_characteristics & DYNAMIC_BASE, "ASLR (dynamic base) is off"
    assert exe.dll_characteristics & NX_COMPAT, "DEP (NX compatible) is off"
    # ASLR can move the program only when it keeps its relocations.
    assert not exe.characteristics & IMAGE_FILE_RELOCS_STRIPPED
    assert exe.directories[5][1] > 0, "no base relocations"


def test_its_manifest_asks_for_common_controls_6_for_x86():
    data = KVX_EXE.read_bytes()
    start = data.index(b"<assembly")
    manifest = data[start:data.index(b"</assembly>", start)].decode("utf-8")
    assert 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' in manifest
    assert 'processorArchitecture="amd64"' not in manifest
    assert manifest.count('processorArchitecture="x86"') == 2

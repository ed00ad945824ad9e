#!/usr/bin/env python3
"""Checks the release packages that scripts/package.sh wrote.

    check_packages.py DIST [--built ARCH=PATH ...]

VERSION is project(Quillet VERSION ...) in CMakeLists.txt. For each of
quillet-VERSION-win64.zip and -win32.zip: the zip opens, its checksum is
the one in SHA256SUMS, it holds exactly quillet.exe, README.txt
and LICENSE.txt with one date and fixed attributes; the program is a GUI
program for the right processor (PE32+ x86-64, PE32 i386), large-address-
aware, without a link time stamp, with the version in its version resource, importing only DLLs
that come with Windows, and holding no path of this build machine; with
--built, it is byte for byte the program that the build made. Prints one
line per package, and every finding; exit code 1 when there is one.
"""
import argparse
import datetime
import hashlib
import os
import re
import struct
import sys
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ENTRIES = ["quillet.exe", "README.txt", "LICENSE.txt"]
EXPECTED_PE = {  # arch: (machine, optional-header magic, name)
    "win64": (0x8664, 0x20B, "PE32+ x86-64"),
    "win32": (0x014C, 0x10B, "PE32 i386"),
}
GUI_SUBSYSTEM = 2
# The file header's flag that lets the program use more than 2 GB of
# addresses (all 4 GB for the 32-bit program on 64-bit Windows).
LARGE_ADDRESS_AWARE = 0x0020
# DLLs that every supported Windows (7 and later) has in its system folder.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
    "shell32.dll", "shlwapi.dll", "ole32.dll", "oleaut32.dll", "advapi32.dll",
    "msvcrt.dll", "version.dll", "winspool.drv", "uxtheme.dll", "imm32.dll",
    "winmm.dll", "msimg32.dll", "usp10.dll", "ntdll.dll", "dwmapi.dll",
}
# The mingw-w64 runtime DLLs, named when found (a static link needs none).
MINGW_RUNTIME = ("libgcc", "libstdc++", "libwinpthread")
VERSION_STRINGS = ["FileVersion", "ProductVersion", "FileDescription", "ProductName", "CompanyName"]


class PeFile:
    """The parts of a PE image that the checks read."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, self.timestamp = struct.unpack_from("<HHI", data, pe + 4)
        optional_size, self.characteristics = struct.unpack_from("<HH", data, pe + 20)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directory_count = struct.unpack_from("<I", data, directories - 4)[0]
        self.directories = directories
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def directory(self, index):
        if index >= self.directory_count:
            return 0, 0
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def text_at(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    # (directory, record size, offset of the DLL name's address in a record)
    IMPORT_TABLES = (
        (1, 20, 12),  # the import table
        (13, 32, 4),  # the delay-load table
    )

    def imported_dlls(self):
        names = []
        for index, record_size, name_at in self.IMPORT_TABLES:
            rva, _ = self.directory(index)
            while rva:
                name = struct.unpack_from("<I", self.data, self.offset(rva) + name_at)[0]
                if not name:
                    break
                names.append(self.text_at(name))
                rva += record_size
        return names


def version_resource(data):
    """(file version numbers, {key: text}) from the version resource's bytes."""
    root = data.find("VS_VERSION_INFO\0".encode("utf-16-le"))
    fixed = data.find(struct.pack("<I", 0xFEEF04BD), root) if root >= 0 else -1
    numbers = None
    if fixed >= 0:
        ms, ls, product_ms, product_ls = struct.unpack_from("<4I", data, fixed + 8)
        numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), \
            (product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16, product_ls & 0xFFFF)
    strings = {}
    for key in VERSION_STRINGS:
        # A String record: key in UTF-16 with its terminator, padded to 4 bytes, value.
        at = data.find((key + "\0").encode("utf-16-le"))
        if at < 0:
            continue
        value = at + 2 * (len(key) + 1)
        value += (-(value - (at - 6))) % 4  # the record (6 bytes before the key) is 4-aligned
        end = value
        while data[end:end + 2] != b"\0\0":
            end += 2
        strings[key] = data[value:end].decode("utf-16-le")
    return numbers, strings


def version_numbers(version):
    parts = [int(p) for p in version.split(".")]
    return tuple(parts + [0] * (4 - len(parts)))


def check_program(arch, data, version, problems):
    machine, magic, kind = EXPECTED_PE[arch]
    pe = PeFile(data)
    if (pe.machine, pe.magic) != (machine, magic):
        problems.append(f"quillet.exe is machine {pe.machine:#x}, magic {pe.magic:#x}; wanted {kind}")
    if pe.subsystem != GUI_SUBSYSTEM:
        problems.append(f"quillet.exe has subsystem {pe.subsystem}, not the Windows GUI (2)")
    if not pe.characteristics & LARGE_ADDRESS_AWARE:
        problems.append("quillet.exe is not large-address-aware")
    if pe.timestamp != 0:
        problems.append(f"quillet.exe carries a link time stamp ({pe.timestamp})")
    dlls = pe.imported_dlls()
    for dll in dlls:
        if dll.lower().startswith(MINGW_RUNTIME):
            problems.append(f"quillet.exe needs the mingw runtime DLL {dll}")
        elif dll.lower() not in SYSTEM_DLLS:
            problems.append(f"quillet.exe imports {dll}, which is not known to come with Windows")
    numbers, strings = version_resource(data)
    wanted = version_numbers(version)
    if numbers != (wanted, wanted):
        problems.append(f"version resource numbers {numbers}, wanted {wanted} for both")
    for key in VERSION_STRINGS:
        if key not in strings or not strings[key]:
            problems.append(f"version resource lacks {key}")
    for key in ("FileVersion", "ProductVersion"):
        if strings.get(key, version) != version:
            problems.append(f"version resource {key} is {strings[key]!r}, not {version!r}")
    # Nothing of this machine's build: its folders, or today's compile date.
    for marker in (ROOT, datetime.date.today().strftime("%b %e %Y")):
        if marker.encode() in data or marker.encode("utf-16-le") in data:
            problems.append(f"quillet.exe holds {marker!r}")
    return f"{kind}, GUI, {len(data)} bytes, version {strings.get('FileVersion')}, imports {' '.join(dlls)}"


def check_package(dist, version, arch, sums, built, problems):
    name = f"quillet-{version}-{arch}.zip"
    path = os.path.join(dist, name)
    with open(path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    if sums.get(name) != digest:
        problems.append(f"SHA256SUMS does not give {name}'s checksum {digest}")
    with zipfile.ZipFile(path) as archive:
        bad = archive.testzip()
        if bad:
            problems.append(f"{bad} is damaged")
        infos = archive.infolist()
        if [i.filename for i in infos] != ENTRIES:
            problems.append(f"holds {[i.filename for i in infos]}, not {ENTRIES}")
            return "unexpected entries"
        dates = {i.date_time for i in infos}
        if len(dates) != 1:
            problems.append(f"entries carry different dates: {sorted(dates)}")
        for i in infos:
            if (i.create_system, i.external_attr, i.compress_type) != (0, 0x20, zipfile.ZIP_DEFLATED):
                problems.append(f"{i.filename}: system {i.create_system}, attributes "
                                f"{i.external_attr:#x}, compression {i.compress_type}")
        program = archive.read("quillet.exe")
        readme = archive.read("README.txt").decode("ascii")
        licence = archive.read("LICENSE.txt")
    if arch in built:
        with open(built[arch], "rb") as f:
            if f.read() != program:
                problems.append(f"quillet.exe is not the program built at {built[arch]}")
    for needed in (f"Quillet {version}", "Quillet_Settings.ini", "LICENSE.txt"):
        if needed not in readme:
            problems.append(f"README.txt does not mention {needed!r}")
    with open(os.path.join(ROOT, "LICENSE"), "rb") as f:
        if licence != f.read().replace(b"\n", b"\r\n"):
            problems.append("LICENSE.txt is not LICENSE with Windows line ends")
    if b"\n" in readme.replace("\r\n", "").encode():
        problems.append("README.txt has line ends other than CR LF")
    return check_program(arch, program, version, problems) + f"; {len(infos)} entries dated {infos[0].date_time}"


def project_version():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        found = re.search(r"project\(\s*Quillet\s+VERSION\s+([0-9.]+)", f.read())
    if not found:
        raise SystemExit("FAULT: no project(Quillet VERSION ...) in CMakeLists.txt")
    return found.group(1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("dist")
    parser.add_argument("--built", action="append", default=[], help="ARCH=PATH of the built quillet.exe")
    args = parser.parse_args()
    built = dict(item.split("=", 1) for item in args.built)
    version = project_version()

    sums = {}
    with open(os.path.join(args.dist, "SHA256SUMS"), encoding="ascii") as f:
        for line in f:
            digest, name = line.rstrip("\n").split("  ", 1)
            sums[name] = digest
    failed = False
    for arch in EXPECTED_PE:
        problems = []
        try:
            summary = check_package(args.dist, version, arch, sums, built, problems)
        except (OSError, ValueError, struct.error, zipfile.BadZipFile) as error:
            summary, problems = "could not be read", problems + [str(error)]
        print(f"{arch}: {summary}")
        for problem in problems:
            print(f"  FAULT: {problem}")
        failed = failed or bool(problems)
    expected = {f"quillet-{version}-{arch}.zip" for arch in EXPECTED_PE}
    if set(sums) != expected:
        print(f"FAULT: SHA256SUMS lists {sorted(sums)}, not {sorted(expected)}")
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

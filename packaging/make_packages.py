#!/usr/bin/env python3
"""Writes the release zips and their checksums (run by scripts/package.sh).

    make_packages.py --version V --date EPOCH --dist DIR --exe win64=PATH --exe win32=PATH

Each zip holds quillet.exe, README.txt and LICENSE.txt, in that order, with
the same date (EPOCH, the time of the commit), attributes and compression on
every entry, so that the same inputs always give the same bytes. The texts
get Windows line ends.
"""
import argparse
import hashlib
import os
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

# MS-DOS/Windows as the system that made the entries; "archive" attribute.
MADE_ON_WINDOWS = 0
ARCHIVE_ATTRIBUTE = 0x20


def package_name(version, arch):
    return f"quillet-{version}-{arch}.zip"


def windows_text(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("ascii")


def readme_text(version):
    with open(os.path.join(HERE, "README.txt"), encoding="ascii") as f:
        lines = f.read().replace("@VERSION@", version).split("\n")
    if len(lines) > 1 and lines[1] and set(lines[1]) == {"="}:
        lines[1] = "=" * len(lines[0])  # the title's rule fits the version
    return windows_text("\n".join(lines))


def zip_date(epoch):
    # Zip dates have no time zone: the commit's UTC time, no earlier than 1980.
    return max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))


def write_zip(path, entries, date):
    temporary = path + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=date)
            info.create_system = MADE_ON_WINDOWS
            info.external_attr = ARCHIVE_ATTRIBUTE
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(temporary, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--version", required=True)
    parser.add_argument("--date", required=True, type=int, help="seconds since 1970 (UTC)")
    parser.add_argument("--dist", required=True)
    parser.add_argument("--exe", required=True, action="append", help="ARCH=PATH of quillet.exe")
    args = parser.parse_args()

    with open(os.path.join(ROOT, "LICENSE"), encoding="ascii") as f:
        licence = windows_text(f.read())
    readme = readme_text(args.version)
    date = zip_date(args.date)
    os.makedirs(args.dist, exist_ok=True)

    sums = []
    for arch, exe in sorted(item.split("=", 1) for item in args.exe):
        with open(exe, "rb") as f:
            program = f.read()
        name = package_name(args.version, arch)
        path = os.path.join(args.dist, name)
        write_zip(path, [("quillet.exe", program), ("README.txt", readme), ("LICENSE.txt", licence)], date)
        with open(path, "rb") as f:
            sums.append(f"{hashlib.sha256(f.read()).hexdigest()}  {name}\n")
        print(f"{path}: {os.path.getsize(path)} bytes")

    with open(os.path.join(args.dist, "SHA256SUMS"), "w", encoding="ascii", newline="\n") as f:
        f.writelines(sums)
    print(f"{os.path.join(args.dist, 'SHA256SUMS')}: {len(sums)} packages")
    return 0


if __name__ == "__main__":
    sys.exit(main())

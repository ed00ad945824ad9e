#!/usr/bin/env bash
# Builds the 64-bit and the 32-bit quillet.exe (presets win64 and win32, both
# Release) and writes the release packages:
#
#   dist/quillet-<version>-win64.zip   quillet.exe, README.txt, LICENSE.txt
#   dist/quillet-<version>-win32.zip   the same for 32-bit Windows
#   dist/SHA256SUMS                    checksums of both (sha256sum -c SHA256SUMS)
#
# <version> is project(Quillet VERSION ...) in CMakeLists.txt. The same commit
# gives the same bytes: every zip entry carries the commit's time (or
# SOURCE_DATE_EPOCH when set), and the programs carry no link time stamp.
#
#   bash scripts/package.sh
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT=$(pwd)
DIST="$ROOT/dist"

if [[ -n "${SOURCE_DATE_EPOCH:-}" ]]; then
  date=$SOURCE_DATE_EPOCH
elif ! date=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null) || [[ -z "$date" ]]; then
  echo "package: not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2
  exit 1
fi
if [[ -n "$(git -C "$ROOT" status --porcelain --untracked-files=no 2>/dev/null)" ]]; then
  echo "package: note: the working tree has uncommitted changes; the zips carry the last commit's date"
fi

exes=()
for arch in win64 win32; do
  cmake --preset "$arch" >/dev/null
  cmake --build --preset "$arch" --target quillet
  exes+=(--exe "$arch=$ROOT/build/$arch/bin/quillet.exe")
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$ROOT/build/win64/CMakeCache.txt")
if [[ -z "$version" ]]; then
  echo "package: no project version in build/win64/CMakeCache.txt" >&2
  exit 1
fi

rm -f "$DIST"/quillet-*-win64.zip "$DIST"/quillet-*-win32.zip "$DIST/SHA256SUMS"
python3 "$ROOT/packaging/make_packages.py" --version "$version" --date "$date" --dist "$DIST" "${exes[@]}"

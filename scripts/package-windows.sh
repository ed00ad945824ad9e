#!/usr/bin/env bash
# Writes the release zip of one build made on Windows (MSYS2), the way
# scripts/package.sh writes those of the cross builds: packaging/make_packages.py
# with the project's version and the commit's date.
#
#   bash scripts/package-windows.sh ARCH BUILD_DIR
#
# ARCH is win64 or win32; BUILD_DIR a configured and built Release tree (for
# example build/windows-x64). Writes dist/quillet-<version>-ARCH.zip and
# dist/SHA256SUMS (listing that zip alone). The date is SOURCE_DATE_EPOCH
# when set, else the time of the checked-out commit.
set -euo pipefail

if (($# != 2)) || [[ "$1" != win64 && "$1" != win32 ]]; then
  echo "usage: bash scripts/package-windows.sh win64|win32 BUILD_DIR" >&2
  exit 2
fi
arch=$1
cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT=$(pwd)
build=$2
[[ "$build" == /* ]] || build="$ROOT/$build"
exe="$build/bin/quillet.exe"
cache="$build/CMakeCache.txt"

if [[ ! -f "$exe" || ! -f "$cache" ]]; then
  echo "package-windows: no built quillet.exe or CMakeCache.txt in $build" >&2
  exit 1
fi
if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$cache"; then
  echo "package-windows: $build is not a Release build" >&2
  exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cache")
if [[ -z "$version" ]]; then
  echo "package-windows: no project version in $cache" >&2
  exit 1
fi

if [[ -n "${SOURCE_DATE_EPOCH:-}" ]]; then
  date=$SOURCE_DATE_EPOCH
# (A checkout made by another user of the machine is still this one's own.)
elif ! date=$(git -c safe.directory="*" -C "$ROOT" log -1 --format=%ct) || [[ -z "$date" ]]; then
  echo "package-windows: not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2
  exit 1
fi

python=$(command -v python3 || command -v python || true)
if [[ -z "$python" ]]; then
  echo "package-windows: no python3 or python on the path" >&2
  exit 1
fi

# A Windows Python wants Windows paths (MSYS2's cygpath gives them).
native_path() {
  if command -v cygpath >/dev/null 2>&1; then cygpath -m "$1"; else printf '%s\n' "$1"; fi
}

DIST="$ROOT/dist"
rm -f "$DIST/quillet-$version-$arch.zip" "$DIST/SHA256SUMS"
"$python" "$(native_path "$ROOT/packaging/make_packages.py")" --version "$version" --date "$date" \
  --dist "$(native_path "$DIST")" --exe "$arch=$(native_path "$exe")"

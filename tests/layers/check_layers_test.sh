#!/usr/bin/env bash
# Runs scripts/check_layers.sh on tiny made-up trees: the clean tree passes, and
# each fault added to it fails (exit 1) with the line given for it.
set -euo pipefail
check="$(dirname "${BASH_SOURCE[0]}")/../../scripts/check_layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# file:line, each line added to its file. Every form of include is here, and
# each reaches only its own folder, a folder below it or a system header.
clean=(
  'platform/a.h:#include <windows.h>'
  'program/p.h:#include "platform/a.h"'
  'document/b.h:	#include <string>'
  'document/b.cpp:#include "b.h"'
  'document/b.cpp:  #  include <program/p.h>'
  'ui/u.h:#include "document/b.h"'
  'app/main.cpp:# include "ui/u.h"'
  'app/main.rc:#include "app/ids.h"'
)
# A table in which document/ and ui/ may include each other.
printf '%s\n' 'platform ->' 'program -> platform' 'document -> ui program platform' \
  'ui -> document program platform' 'app -> ui document program platform' >"$work/cyclic"

# name | table (empty: the script's own) | exit | a line of the output | file:line;...
cases=(
  'clean tree||0|6 includes, 4 folder edges, one way|'
  'quoted include||1|document/c.cpp:1: #include "app/x.h": document/ may not include app/|document/c.cpp:#include "app/x.h"'
  'angle include||1|document/c.cpp:1: #include <app/x.h>: document/ may not include app/|document/c.cpp:#include <app/x.h>'
  'indented include||1|document/c.cpp:2: #include "app/x.h": document/|document/c.cpp:;document/c.cpp: 	 #include "app/x.h"'
  'blank after #||1|document/c.cpp:1: #include "app/x.h": document/|document/c.cpp:# include "app/x.h"'
  'blanks after #||1|document/c.cpp:1: #include "app/x.h": document/|document/c.cpp:#   include "app/x.h"'
  '.inl file||1|document/c.inl:1: #include "app/x.h": document/|document/c.inl:#include "app/x.h"'
  '.ipp file||1|document/c.ipp:1: #include "app/x.h": document/|document/c.ipp:#include "app/x.h"'
  'relative path||1|document/c.cpp:1: #include "../app/x.h": a path with|document/c.cpp:#include "../app/x.h"'
  'platform/ upward||1|platform/c.h:1: #include "program/p.h": platform/ may not include program/|platform/c.h:#include "program/p.h"'
  'files include each other||1|files include each other round a loop|document/c.h:#include "document/b.h";document/b.h:#include "document/c.h"'
  'folders include each other|cyclic|1|folders include each other round a loop: |document/c.cpp:#include "ui/u.h"'
  'folder not in the table||1|extra/: folder not in the table|extra/e.h:#include "platform/a.h"'
  'file outside every folder||1|src/main.cpp: file outside every folder|main.cpp:#include "app/x.h"'
)

failures=0
for case in "${cases[@]}"; do
  IFS='|' read -r name table want expected added <<<"$case"
  rm -rf "$work/src"
  IFS=';' read -ra lines <<<"$added"
  for entry in "${clean[@]}" "${lines[@]}"; do
    file=$work/src/${entry%%:*}
    mkdir -p "$(dirname "$file")"
    printf '%s\n' "${entry#*:}" >>"$file"
  done
  got=0
  out=$(LAYERS_TABLE=${table:+$work/$table} bash "$check" "$work/src" 2>&1) || got=$?
  if [[ $got != "$want" || $out != *"$expected"* ]]; then
    printf 'FAIL %s: exit %s (want %s), output:\n%s\n' "$name" "$got" "$want" "$out"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
done
((failures == 0)) || { echo "$failures of ${#cases[@]} layer cases failed"; exit 1; }
echo "all ${#cases[@]} layer cases pass"

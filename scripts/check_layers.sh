#!/usr/bin/env bash
# Keeps the source's includes running one way. A file may include the files of
# its own folder and of the folders the table below allows that folder, nothing
# else. Also fails when folders include each other round a loop (whatever the
# table says) and when files do: a file and its header count as one, so a.cpp
# including b.h while b.cpp includes a.h is a loop. Run by CTest.
#
#   check_layers.sh [TREE]     checks TREE (default: the repository's src/)
#   LAYERS_TABLE=FILE          reads the allowed edges from FILE, written
#                              like the table below, instead
#
# Every include form is read ("x/y.h", <x/y.h>, indented, "#  include"), in
# every text file whatever its extension (a file holding NUL bytes is not
# text and is skipped). An include whose first folder is neither a folder of TREE nor one of
# the table's (<windows.h>, <string>) is a system header and is left alone.
# Exit 0: one way, one summary line; 1: faults, one line each; 2: bad use.
set -euo pipefail

# folder   -> the folders it may include besides its own
default_table='
platform  ->                                                      # the floor
program   -> platform
document  -> program platform
editing   -> program platform
options   -> program platform
about     -> program platform
ui        -> document program platform
app       -> ui document editing options about program platform   # the top
'

die() { echo "layers: $*" >&2; exit 2; }
(($# <= 1)) || die "usage: check_layers.sh [TREE]"
if (($# == 0)); then cd "$(dirname "${BASH_SOURCE[0]}")/.."; fi
tree=${1:-src}
[[ -d $tree ]] || die "$tree is not a folder"
[[ $tree == / ]] || tree=${tree%/}
table=$default_table
if [[ -n ${LAYERS_TABLE:-} ]]; then
  table=$(cat -- "$LAYERS_TABLE") || die "cannot read the table $LAYERS_TABLE"
fi

declare -A allowed=() present=() example=()
row_re='^[[:space:]]*([^[:space:]]+)[[:space:]]*->(.*)$'
n=0
while IFS= read -r row; do
  n=$((n + 1))
  row=${row%%#*}
  if [[ -z ${row//[[:space:]]/} ]]; then continue; fi
  [[ $row =~ $row_re ]] || die "table line $n is not 'folder -> folders': $row"
  [[ -z ${allowed[${BASH_REMATCH[1]}]+set} ]] || die "table names ${BASH_REMATCH[1]} twice"
  read -ra targets <<<"${BASH_REMATCH[2]}"
  allowed[${BASH_REMATCH[1]}]=${targets[*]}
done <<<"$table"
((${#allowed[@]})) || die "the table is empty"
for folder in "${!allowed[@]}"; do for to in ${allowed[$folder]}; do
  [[ -n ${allowed[$to]+set} ]] || die "table: $folder -> $to, but $to has no row"
done; done

found=$(mktemp) files=$(mktemp) folders=$(mktemp) loops=$(mktemp) problems=$(mktemp)
trap 'rm -f "$found" "$files" "$folders" "$loops" "$problems"' EXIT
fail() { echo "$*" >>"$problems"; }
node() { local base=${1##*/} dir=${1%/*}; [[ $1 == */* ]] || dir=.; echo "${dir//[[:space:]]/?}/${base%.*}"; }

for path in "$tree"/*; do
  name=${path##*/}
  if [[ -d $path ]]; then present[$name]=1; fi
  if [[ -d $path && -z ${allowed[$name]+set} ]]; then fail "$path/: folder not in the table"; fi
  if [[ -e $path && ! -d $path ]]; then fail "$path: file outside every folder of $tree/"; fi
done

include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"][^>"]+[>"])'
grep -rnHIZE "$include_re" -- "$tree" >"$found" || (($? == 1)) || die "could not read every file under $tree"
includes=0
while IFS= read -r -d '' file && IFS=: read -r line text; do
  [[ $text =~ $include_re ]] || continue
  written=${BASH_REMATCH[1]} rel=${file#"$tree"/} from='' to=''
  path=${written:1:${#written}-2} where="$file:$line: #include $written"
  if [[ $rel == */* ]]; then from=${rel%%/*}; fi
  # A path that climbs out with ".." would hide its folder from the table.
  if [[ /$path/ == */../* ]]; then
    fail "$where: a path with \"..\"; include by the folder's name"
    continue
  fi
  # The folder included: a first folder, the includer's own for a bare name
  # found beside it, none for a file directly in TREE; else a system header.
  if [[ $path == */* ]]; then
    to=${path%%/*}
    [[ -n ${present[$to]+set} || -n ${allowed[$to]+set} ]] || continue
  elif [[ -f ${file%/*}/$path && -n $from ]]; then
    to=$from path=${rel%/*}/$path
  elif [[ ! -f $tree/$path ]]; then
    continue
  fi
  includes=$((includes + 1))
  if [[ -z $to ]]; then
    fail "$where: includes a file outside every folder"
  elif [[ -z ${allowed[$to]+set} ]]; then
    fail "$where: $to/ is not in the table"
  elif [[ -n $from && -n ${allowed[$from]+set} && $from != "$to" && " ${allowed[$from]} " != *" $to "* ]]; then
    fail "$where: $from/ may not include $to/ (allowed: ${allowed[$from]:-nothing})"
  fi
  # Edges for tsort, whose words are split at blanks.
  edge="$(node "$rel") $(node "$path")"
  if [[ ${edge% *} != "${edge#* }" ]]; then echo "$edge" >>"$files"; : "${example["files $edge"]:=$where}"; fi
  if [[ -n $from && -n $to && $from != "$to" ]]; then
    edge="${from//[[:space:]]/?} ${to//[[:space:]]/?}"
    echo "$edge" >>"$folders"; : "${example["folders $edge"]:=$where}"
  fi
done <"$found"

# Names, once each, the includes that close a loop tsort finds among the edges.
declare -A told=()
for kind in folders files; do
  sort -u "${!kind}" | tsort >/dev/null 2>"$loops" && continue
  grep -q 'input contains a loop:$' "$loops" || die "tsort failed: $(cat "$loops")"
  while read -ra group; do
    for a in "${group[@]}"; do for b in "${group[@]}"; do
      where=${example["$kind $a $b"]:-}
      if [[ -n $where && -z ${told["$kind $where"]:-} ]]; then
        told["$kind $where"]=1
        fail "$where: $kind include each other round a loop: ${group[*]}"
      fi
    done; done
  done < <(sed 's/^tsort: //' "$loops" |
    awk '/input contains a loop:$/ { if (g != "") print g; g = ""; next }
         { g = g " " $0 } END { if (g != "") print g }')
done

if [[ -s $problems ]]; then sort -u -t: -k1,1 -k2,2n -k3 "$problems" | sed 's/^/layers: /'; exit 1; fi
echo "layers: $includes includes, $(sort -u "$folders" | wc -l) folder edges, one way"

#!/usr/bin/env bash
# Shows that two builds publish the same files: runs both command-line programs over the example
# race and every real result file (../shared/testdata/real, when present) and compares what they
# write, byte for byte: every data type in HTML, CSV and TEXT, the chart images, the race viewer,
# the analysis JSON and each save layout (the XML export's creation time aside); split-sheet PDFs are compared by their rendered pages,
# since a PDF carries the time it was made.
#
#   bash scripts/compare-outputs.sh OLD/splitduel-cli NEW/splitduel-cli [RACE...]
#
# Exit status 0 when every file is the same, 1 otherwise (the differing files are listed).
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OLD_CLI NEW_CLI [RACE...]" >&2; exit 64; }
old=$(realpath "$1") new=$(realpath "$2"); shift 2
top=$(cd "$(dirname "$0")/.." && pwd)
races=("$@")
if [ ${#races[@]} -eq 0 ]; then
  races=("$top/examples/spring-cup.lap")
  real="$top/../shared/testdata/real"
  [ -d "$real" ] && while IFS= read -r f; do races+=("$f"); done < <(
    find "$real" -type f ! -name '*.md' | sort)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Everything one build writes for one race into folder $3.
publish() {
  local cli=$1 race=$2 out=$3
  mkdir -p "$out"
  "$cli" info "$race" > "$out/info.txt" 2> "$out/info.err"
  echo "exit $?" >> "$out/info.txt"
  "$cli" analyse "$race" --detail > "$out/analysis.json" 2>/dev/null
  for layout in lap csv-rows csv-columns iof-xml; do
    "$cli" convert "$race" "$out/convert.$layout" --layout "$layout" > /dev/null 2>&1
  done
  for type in 0 1 2 3 4 5 6 7; do
    for ft in html csv text; do
      "$cli" output "$race" "$out/o$type$ft" race --data-type "$type" --file-type "$ft" \
        > /dev/null 2>&1
    done
  done
  "$cli" output "$race" "$out/o0columns" race --file-type csv --layout columns > /dev/null 2>&1
  "$cli" output "$race" "$out/o0onefile" race --file-type csv --one-file > /dev/null 2>&1
  "$cli" chart "$race" "$out/chart" race > /dev/null 2>&1
  "$cli" viewer "$race" "$out/viewer.html" > /dev/null 2>&1
  for type in 0 1 2 3; do
    if "$cli" print "$race" "$out/print$type.pdf" --data-type "$type" > /dev/null 2>&1; then
      pdftoppm -r 40 "$out/print$type.pdf" "$out/print$type-page" && rm "$out/print$type.pdf"
    fi
  done
  find "$out" -name .splitduel-keys -delete
  # The XML export says when it was made.
  [ -f "$out/convert.iof-xml" ] && sed -i 's/createTime="[^"]*"/createTime=""/' "$out/convert.iof-xml"
  return 0
}

status=0 n=0
for race in "${races[@]}"; do
  n=$((n + 1))
  publish "$old" "$race" "$work/old/$n"
  publish "$new" "$race" "$work/new/$n"
  if ! diff -rq "$work/old/$n" "$work/new/$n" > "$work/diff" 2>&1; then
    status=1
    echo "DIFFERENT: $race"
    sed 's/^/  /' "$work/diff" | head -n 20
  fi
  rm -rf "$work/old/$n" "$work/new/$n"
done
[ $status -eq 0 ] && echo "same files for all $n races"
exit $status

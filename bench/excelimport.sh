#!/usr/bin/env bash
# The Excel import under Wine beside openpyxl's read-only load of the same
# workbook, in one run: a 10,000-row, two-column workbook (13-digit barcodes
# stored as numbers and Turkish names, title row first) written by
# tests/support/workbook/make_workbook.py; openpyxl reading every cell in
# read-only mode (wall time and peak resident size of the python process);
# Dozuri's import form transferring it into the record table
# (bench/excelimport_wbench.cpp, in the test desktop: time and peak working
# set, and the reader alone over the same cells). Also the unpacked size of the worksheet, the yardstick for memory.
# Goal: the whole import under 10 s, memory a small multiple of the sheet.
#   bench/excelimport.sh
# Needs the Windows build (cmake --build build/win --target excelimport_wbench)
# and python3-openpyxl (tools/setup installs it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ROWS=${ROWS:-10000}
python=/usr/bin/python3

if [ "${1:-}" = "--inside-desktop" ]; then
  # The workbook is handed over as a Windows path of the drive Wine maps to /.
  wine "$root/build/win/bench/excelimport_wbench.exe" "Z:${2//\//\\}" </dev/null
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
book=$work/kitap.xlsx
"$python" "$root/tests/support/workbook/make_workbook.py" barcodes "$book" "$ROWS"
sheet_kb=$("$python" -c 'import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).getinfo("xl/worksheets/sheet1.xml").file_size // 1024)' "$book")
echo "== workbook: $ROWS rows + title row, $(( $(stat -c %s "$book") / 1024 )) KB on disk, worksheet unpacked $sheet_kb KB"

echo "== openpyxl read-only (every cell's value)"
/usr/bin/time -f '%e %M' -o "$work/peer" "$python" -c '
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
rows = sum(1 for r in book.worksheets[0].iter_rows(values_only=True))
print(rows, "rows read")' "$book"
read -r peer_s peer_kb <"$work/peer"

echo "== Dozuri import under Wine (test desktop)"
DOZURI_BUILD=${DOZURI_BUILD:-$root/build} "$root/tools/desktop" bash "$0" --inside-desktop "$book" | tee "$work/ours"
read -r records ours_s before_mb after_mb errors finished reader_s < <(tail -1 "$work/ours")

echo "== side by side"
LC_ALL=C awk -v ps="$peer_s" -v pk="$peer_kb" -v r="$records" -v os="$ours_s" -v b="$before_mb" -v a="$after_mb" \
  -v e="$errors" -v f="$finished" -v rd="$reader_s" -v s="$sheet_kb" -v n="$ROWS" 'BEGIN{
  printf "%-36s %10s %16s %s\n", "", "seconds", "peak memory MB", "x unpacked sheet";
  printf "%-36s %10.3f %16.1f %.1f\n", "openpyxl read-only (whole process)", ps, pk / 1024, pk / s;
  printf "%-36s %10.3f %16.1f %.1f\n", "Dozuri import (peak working set)", os, a, a * 1024 / s;
  printf "Dozuri: %d records of %d rows, %d cell errors, finished %s; working set peak before the click %.1f MB (the import adds %.1f MB, %.1f x the sheet)\n",
    r, n, e, f, b, a - b, (a - b) * 1024 / s;
  printf "Dozuri: the same reader alone over the same cells %.3f s (the rest of the import: the form appending the records)\n", rd;
  printf "goal under 10 s: %s\n", (os < 10 && r == n && f == "yes") ? "met" : "NOT met" }'

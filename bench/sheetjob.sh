#!/usr/bin/env bash
# The sheet mode's report job beside the peer label program in one run:
# Dozuri's "Önizleme" over a 500 x 3 sheet (bench/sheetjob_wbench.cpp, 1,500
# labels on 72 pages, under Wine in the test desktop, to its PDF queue) and
# the peer's batch run of 1,000 labels (../shared/bench-peers/glabels-1000.sh).
# Ours is timed to the first preview page, to the spooler and to the finished
# PDF (the print server's file time); the peer to its PDF. The figures are
# compared per label. Our PDF is checked: 72 pages, and the 21 codes of page
# 1 read back at 300 dpi (zbarimg).
#   bench/sheetjob.sh
# Needs the Windows build (cmake --build build/win --target sheetjob_wbench)
# and root (the test desktop's print server). Installs the peer's packages
# itself when they are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
peers=${DOZURI_BENCH_PEERS:-$root/../shared/bench-peers}
[ -d "$peers" ] || peers=$root/../../shared/bench-peers
ROWS=${ROWS:-500}

inside_desktop() {
  [ -n "${DOZURI_PDF_OUT:-}" ] || { echo "sheetjob: no PDF queue in the test desktop (root needed)" >&2; exit 1; }
  local work
  work=$(mktemp -d)
  rm -f "$DOZURI_PDF_OUT"/*.pdf
  wine "$root/build/win/bench/sheetjob_wbench.exe" "$ROWS" 2>/dev/null >"$work/row" </dev/null
  read -r labels pages first spool start < <(tail -1 "$work/row")
  local pdf=""
  for _ in $(seq 1 6000); do
    pdf=$(ls -t "$DOZURI_PDF_OUT"/*.pdf 2>/dev/null | head -1 || true)
    if [ -n "$pdf" ] && [ -z "$(lpstat -o 2>/dev/null)" ] && pdfinfo "$pdf" >/dev/null 2>&1; then break; fi
    sleep 0.1
  done
  [ -n "$pdf" ] || { echo "sheetjob: no PDF" >&2; exit 1; }
  local finished checks=ok got
  finished=$(LC_ALL=C stat -c %.3Y "$pdf")
  got=$(pdfinfo "$pdf" | awk '/^Pages:/{print $2}')
  [ "$got" = "$pages" ] || checks="pages=$got/$pages"
  pdftoppm -r 300 -f 1 -l 1 -png "$pdf" "$work/p1"
  got=$(zbarimg --quiet "$work"/p1-*.png 2>/dev/null | grep -c '^EAN-13:' || true)
  [ "$got" = "21" ] || checks="$checks codes=$got/21"
  LC_ALL=C printf '%s %s %s %s %.3f %s\n' "$labels" "$pages" "$first" "$spool" \
    "$(LC_ALL=C awk -v a="$finished" -v b="$start" 'BEGIN{print a-b}')" "${checks# }"
  rm -rf "$work"
}

if [ "${1:-}" = "--inside-desktop" ]; then
  inside_desktop
  exit 0
fi

if ! command -v glabels-3-batch >/dev/null || ! command -v zbarimg >/dev/null || ! command -v pdfinfo >/dev/null; then
  apt-get install -y --no-install-recommends glabels time poppler-utils zbar-tools python3 >/dev/null
fi

row=$(mktemp)
trap 'rm -f "$row"' EXIT
echo "== Dozuri (sheet mode, $ROWS x 3 sheet, PDF queue under Wine)"
DOZURI_BUILD=${DOZURI_BUILD:-$root/build/desk-bench} "$root/tools/desktop" bash "$0" --inside-desktop | tee "$row"
ours=$(tail -1 "$row")
echo "== peer ($(basename "$peers")/glabels-1000.sh)"
peer=$(mktemp)
trap 'rm -f "$row" "$peer"' EXIT
RUNS=1 SIZES=1000 bash "$peers/glabels-1000.sh" | tee "$peer"
theirs=$(awk '$1 == 1000 && $5 == "/" {print $6}' "$peer" | head -1)
read -r labels pages first spool pdf checks <<<"$ours"
echo "== per label (ms)"
LC_ALL=C awk -v n="$labels" -v f="$first" -v s="$spool" -v p="$pdf" -v t="${theirs:-0}" -v c="$checks" 'BEGIN{
  printf "ours: first page %.2f, spooler %.2f, PDF %.2f (%d labels, checks %s)\n", 1000*f/n, 1000*s/n, 1000*p/n, n, c;
  if (t > 0) printf "peer: PDF %.2f (1000 labels); ours to the PDF / peer: %.2f\n", t, (p/n)/(t/1000);
  else print "peer: no figure" }'

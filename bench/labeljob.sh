#!/usr/bin/env bash
# The label job side by side with the peer label program: Dozuri's runner
# (bench/labeljob_wbench.cpp, under Wine in the test desktop, to its PDF
# queue) and the peer's batch run (../shared/bench-peers/glabels-1000.sh),
# both over the same 3 x 7 A4 sheet, fields and records, in one run. Both
# sides are timed to the same end point, the finished PDF: ours from the
# start of the print run until the print server has written the PDF (the
# queue empty, the file's own time), the peer's batch run to its PDF. Each
# of our PDFs is checked as the peer checks its own: the page count
# (pdfinfo), every product name (pdftotext) and every code of page 1 read
# back at 300 dpi (zbarimg).
#   bench/labeljob.sh                 # 1,000 and 10,000 labels
#   SIZES="1000" RUNS=1 bench/labeljob.sh
# Needs the Windows build (cmake --build build/win --target labeljob_wbench)
# and root (the test desktop's print server). Installs the peer's packages
# itself when they are missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
peers=${DOZURI_BENCH_PEERS:-$root/../shared/bench-peers}
[ -d "$peers" ] || peers=$root/../../shared/bench-peers
SIZES=${SIZES:-"1000 10000"}
RUNS=${RUNS:-1}
PER_SHEET=21

# Inside the test desktop: one Wine run per size, each waiting for its PDF
# before the next starts. Prints one line per size:
#   labels pages prepare_s spooler_s pdf_s peakMB_prep peakMB_print checks
inside_desktop() {
  local layout=$1; shift
  [ -n "${DOZURI_PDF_OUT:-}" ] || { echo "labeljob: no PDF queue in the test desktop (root needed)" >&2; exit 1; }
  local work
  work=$(mktemp -d)
  for n in "$@"; do
    rm -f "$DOZURI_PDF_OUT"/*.pdf
    wine "$root/build/win/bench/labeljob_wbench.exe" "$layout" "$n" 2>/dev/null >"$work/row" </dev/null
    # labels pages prepare spooler peakprep peakprint start
    read -r _ pages prepare spool peakprep peakprint start < <(tail -1 "$work/row")
    # The job is done when the queue is empty and the PDF has been written.
    local pdf=""
    for _ in $(seq 1 6000); do
      pdf=$(ls -t "$DOZURI_PDF_OUT"/*.pdf 2>/dev/null | head -1 || true)
      if [ -n "$pdf" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then break; fi
      sleep 0.1
    done
    [ -n "$pdf" ] || { echo "labeljob: no PDF for $n labels" >&2; exit 1; }
    local finished
    finished=$(LC_ALL=C stat -c %.3Y "$pdf")
    local checks=ok want got
    want=$(( (n + PER_SHEET - 1) / PER_SHEET ))
    got=$(pdfinfo "$pdf" | awk '/^Pages:/{print $2}')
    [ "$got" = "$want" ] || checks="pages=$got/$want"
    got=$(python3 - "$n" "$pdf" <<'PY'
import subprocess, sys
n, pdf = int(sys.argv[1]), sys.argv[2]
text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
lines = set(l.strip() for l in text.replace("\f", "\n").splitlines())
quals = ["Köy", "Doğal", "Organik", "Taze", "Günlük", "Yerli", "Şef", "İthal", "Çiftlik", "Ege", "Özel", "Ekstra"]
nouns = ["Çay", "Toz Şeker", "Süt", "Beyaz Peynir", "Kaşar Peyniri", "Zeytinyağı", "Ayçiçek Yağı", "Mercimek",
         "Bulgur", "Pirinç", "Un", "Makarna", "Yoğurt", "Tereyağı", "Çiçek Balı", "Vişne Reçeli", "Türk Kahvesi",
         "Lokum", "Helva", "Yumurta", "Sucuk", "Pastırma", "Nohut", "Kuru Fasulye", "Salça", "Kuru İncir", "Fındık",
         "Fıstık", "Kuru Üzüm", "Kayısı", "Şalgam Suyu", "Ayran", "Maden Suyu", "Çikolata", "Bisküvi", "Gofret",
         "Deterjan", "Şampuan", "Diş Macunu", "Sabun", "Kağıt Havlu", "Güllaç"]
sizes = ["250 g", "500 g", "1 kg", "2 kg", "200 ml", "1 L", "2 L", "6'lı"]
found = 0
for i in range(1, n + 1):
    k = (i * 1111 + 17) % (12 * 42 * 8)
    found += "%s %s %s" % (quals[k % 12], nouns[(k // 12) % 42], sizes[k // (12 * 42)]) in lines
print(found)
PY
)
    [ "$got" = "$n" ] || checks="$checks names=$got/$n"
    pdftoppm -r 300 -f 1 -l 1 -png "$pdf" "$work/p1"
    want=$(( n < PER_SHEET ? n : PER_SHEET ))
    got=$(zbarimg --quiet "$work"/p1-*.png 2>/dev/null | grep -c '^EAN-13:' || true)
    rm -f "$work"/p1-*.png
    [ "$got" = "$want" ] || checks="$checks codes=$got/$want"
    # Figures with a decimal point, whatever the desktop's locale.
    LC_ALL=C printf '%s %s %s %s %.3f %s %s %s\n' "$n" "$pages" "$prepare" "$spool" \
      "$(LC_ALL=C awk -v a="$finished" -v b="$start" 'BEGIN{print a-b}')" "$peakprep" "$peakprint" "${checks# }"
  done
  rm -rf "$work"
}

if [ "${1:-}" = "--inside-desktop" ]; then
  shift
  inside_desktop "$@"
  exit 0
fi

if ! command -v glabels-3-batch >/dev/null || ! command -v zbarimg >/dev/null || ! command -v pdfinfo >/dev/null; then
  apt-get install -y --no-install-recommends glabels time poppler-utils zbar-tools python3 >/dev/null
fi

ours=$(mktemp)
theirs=$(mktemp)
trap 'rm -f "$ours" "$theirs"' EXIT
echo "== Dozuri (report runner, default layout etiket.vlp, PDF queue under Wine)"
for _ in $(seq "$RUNS"); do
  DOZURI_BUILD=${DOZURI_BUILD:-$root/build/desk-bench} "$root/tools/desktop" \
    bash "$0" --inside-desktop "$root/resources/etiket.vlp" $SIZES | tee -a "$ours"
done

echo "== peer ($(basename "$peers")/glabels-1000.sh)"
RUNS=$RUNS SIZES=$SIZES bash "$peers/glabels-1000.sh" | tee "$theirs"

median() { sort -g | awk '{a[NR]=$1} END{print (NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2}'; }
echo "== to the finished PDF, medians of $RUNS run(s)"
printf '%-7s %-6s %-12s %-12s %-10s %-10s %-14s %s\n' labels pages "prepare s" "spooler s" "PDF s" "peer PDF s" \
  "ratio" "peak MB (prep / print), checks"
for n in $SIZES; do
  rows=$(awk -v n="$n" '$1 == n' "$ours")
  pdf=$(echo "$rows" | awk '{print $5}' | median)
  peer=$(awk -v n="$n" '$1 == n && $5 == "/" {print $6}' "$theirs" | head -1)
  read -r _ pages prepare spool _ peakprep peakprint checks < <(echo "$rows" | tail -1)
  printf '%-7s %-6s %-12s %-12s %-10s %-10s %-14s %s / %s, %s\n' "$n" "$pages" "$prepare" "$spool" "$pdf" "${peer:-?}" \
    "$(awk -v a="$pdf" -v b="${peer:-0}" 'BEGIN{ if (b > 0) printf "%.2f", a/b; else print "?" }')" \
    "$peakprep" "$peakprint" "$checks"
done

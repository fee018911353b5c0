#!/usr/bin/env bash
# The label job side by side with the peer label program: Dozuri's runner
# (bench/labeljob_wbench.cpp, under Wine in the test desktop, to its PDF
# queue) and the peer's batch run (../shared/bench-peers/glabels-1000.sh),
# both over the same 3 x 7 A4 sheet, fields and records, in one run.
#   bench/labeljob.sh                 # 1,000 and 10,000 labels
#   SIZES="1000" RUNS=1 bench/labeljob.sh
# Needs the Windows build (cmake --build build/win --target labeljob_wbench).
# Installs the peer's packages itself when they are missing (root only).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
peers=${DOZURI_BENCH_PEERS:-$root/../shared/bench-peers}
[ -d "$peers" ] || peers=$root/../../shared/bench-peers
SIZES=${SIZES:-"1000 10000"}
RUNS=${RUNS:-1}

if ! command -v glabels-3-batch >/dev/null || ! command -v zbarimg >/dev/null || ! command -v pdfinfo >/dev/null; then
  apt-get install -y --no-install-recommends glabels time poppler-utils zbar-tools python3 >/dev/null
fi

echo "== Dozuri (report runner, default layout etiket.vlp, PDF queue under Wine)"
DOZURI_BUILD=${DOZURI_BUILD:-$root/build/desk-bench} "$root/tools/desktop" \
  wine "$root/build/win/bench/labeljob_wbench.exe" "$root/resources/etiket.vlp" $SIZES 2>/dev/null

echo "== peer ($(basename "$peers")/glabels-1000.sh)"
RUNS=$RUNS SIZES=$SIZES bash "$peers/glabels-1000.sh"

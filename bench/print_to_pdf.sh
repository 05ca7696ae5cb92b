#!/usr/bin/env bash
# Builds and runs the print-to-PDF benchmark against its hand-written Qt
# yardstick, on the PDF queue of the private print server: for each kind of
# text (the same 25 words mixed, or no word ever repeated) the report printed
# through its printer device (OK in the print dialog), Qt writing the PDF file
# itself, and Qt printing on the queue, in turn, `rounds` times; then page
# generation alone against Qt laying out its text documents. Also the PDF
# file device writing a file against QPdfWriter writing the same pages, and
# the processor time the server's PDF filter (pdftopdf) spends on each file. Each line is one
# process (its peak memory is its own); the summary gives the medians of the
# ratios of runs made side by side, as the machine is shared.
#   bench/print_to_pdf.sh [pages] [rounds]   (BUILD_DIR, BUILD_TYPE override)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
pages=${1:-1000}
rounds=${2:-3}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" > /dev/null
cmake --build "$build" -j2 --target bench_print_to_pdf bench_qt_print_to_pdf > /dev/null
command -v /usr/bin/time > /dev/null || { echo "print_to_pdf.sh needs /usr/bin/time (scripts/packages.txt)" >&2; exit 1; }
source "$root/scripts/test-services.sh"
start_test_services
out=$(mktemp -d)
trap 'stop_test_services; rm -rf "$out"' EXIT

valdora="$build/bench/bench_print_to_pdf"
qt="$build/bench/bench_qt_print_to_pdf"
picture="$root/assets/check.jpg"
log="$out/runs.txt"

# Processor seconds of pdftopdf on a file, run as the PDF queue runs it.
pdftopdf_cpu() {
  local file=$1
  PPD=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd CONTENT_TYPE=application/pdf \
    FINAL_CONTENT_TYPE=application/vnd.cups-pdf /usr/bin/time -o "$out/time.txt" -f '%U %S' \
    /usr/lib/cups/filter/pdftopdf 1 bench Report 1 "" "$file" > /dev/null 2>&1
  awk '{ printf "%.3f", $1 + $2 }' "$out/time.txt"
}

for words in repeated unique; do
  for _ in $(seq 1 "$rounds"); do
    "$valdora" print "$pages" "$words" | tee -a "$log"
    "$qt" pdf "$pages" "$words" "$picture" "$out/qt.pdf" | tee -a "$log"
    "$qt" queue "$pages" "$words" "$picture" | tee -a "$log"
    "$valdora" file "$pages" "$words" "$out/valdora.pdf" | tee -a "$log"
    "$qt" writer "$pages" "$words" "$picture" "$out/writer.pdf" | tee -a "$log"
    echo "pdftopdf valdora-file $words cpu $(pdftopdf_cpu "$out/valdora.pdf") qt-writer cpu $(pdftopdf_cpu "$out/writer.pdf")" | tee -a "$log"
  done
done
for words in repeated unique; do
  for _ in $(seq 1 "$rounds"); do
    "$valdora" generate "$pages" "$words" | tee -a "$log"
    "$qt" generate "$pages" "$words" "$picture" | tee -a "$log"
  done
done

# Ratios of each round's runs, then their median.
awk '
  function median(list, n,   i, j, t) {
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (list[j] < list[i]) { t = list[i]; list[i] = list[j]; list[j] = t }
    return (n % 2) ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
  }
  function field(name,   i) { for (i = 3; i < NF; i++) if ($i == name) return $(i + 1); return 0 }
  $1 == "valdora" && $2 == "print" { w = $3; vf[w] = $0; vfin[w] = field("finished"); vacc[w] = field("accepted"); vbytes[w] = field("pdf"); vcpu[w] = field("cpu") }
  $1 == "qt" && $2 == "pdf" { w = $3; n = ++pdfn[w]; fin[w, n] = field("finished") / vfin[w]; bytes[w, n] = vbytes[w] / field("pdf") }
  $1 == "qt" && $2 == "queue" { w = $3; n = ++qn[w]; qfin[w, n] = field("finished") / vfin[w]; qacc[w, n] = field("accepted") / vacc[w] }
  $1 == "valdora" && $2 == "file" { w = $3; ffin[w] = field("finished"); fbytes[w] = field("pdf") }
  $1 == "qt" && $2 == "writer" { w = $3; n = ++wn[w]; wfin[w, n] = field("finished") / ffin[w]; wbytes[w, n] = fbytes[w] / field("pdf") }
  $1 == "pdftopdf" { w = $3; n = ++pn[w]; pv[w, n] = $5; pq[w, n] = $8 }
  $1 == "valdora" && $2 == "generate" { w = $3; vgen[w] = $(NF - 7) }
  $1 == "qt" && $2 == "generate" { w = $3; n = ++gn[w]; gen[w, n] = vgen[w] / $(NF - 7) }
  END {
    for (w in pdfn) {
      n = pdfn[w]
      for (i = 1; i <= n; i++) { a[i] = fin[w, i]; b[i] = bytes[w, i]; c[i] = qfin[w, i]; d[i] = qacc[w, i] }
      printf "%-8s finished PDF, pages/s against Qt writing its file: %.2f times; against Qt through the queue: %.2f; to job accepted against Qt through the queue: %.2f; PDF bytes against Qt'"'"'s file: %.2f\n", w, median(a, n), median(c, n), median(d, n), median(b, n)
    }
    for (w in wn) {
      n = wn[w]
      for (i = 1; i <= n; i++) { a[i] = wfin[w, i]; b[i] = wbytes[w, i] }
      printf "%-8s PDF file device to a file against QPdfWriter: %.2f times as fast; file %.2f times QPdfWriter'"'"'s\n", w, median(a, n), median(b, n)
    }
    for (w in pn) {
      n = pn[w]
      for (i = 1; i <= n; i++) { a[i] = pv[w, i]; b[i] = pq[w, i] }
      printf "%-8s pdftopdf processor time: %.3f s on the PDF file device'"'"'s file, %.3f s on QPdfWriter'"'"'s\n", w, median(a, n), median(b, n)
    }
    for (w in gn) {
      n = gn[w]
      for (i = 1; i <= n; i++) e[i] = gen[w, i]
      printf "%-8s page generation, pages per processor second against Qt: %.2f times\n", w, median(e, n)
    }
  }' "$log"

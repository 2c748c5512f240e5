#!/usr/bin/env bash
# Start-up time and memory of the demonstration program in --screenshot mode, each beside the
# same figure of a plain Qt program doing the same job (DemoBaseline), measured in one run:
#   - time from process start to the first frame of the form, with its phases;
#   - peak resident memory;
#   - resident memory after 1000 and after 2000 animation ticks.
# Each figure is the median of RUNS runs (default 7); the process start clock counts in 10 ms.
# Usage: Bench/demo_startup.sh [BUILD_DIR [RUNS]]   (default build/default, a Release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/default}"
runs="${2:-7}"
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUILL_REGISTRY="$work/registry.json" QUILL_SETTINGS_DIR="$work/settings"
export QT_QPA_PLATFORM=offscreen
"$bin/quill-regsvr" "$bin/Quillkit.so" >/dev/null

value() { grep "^$1: " "$2" | cut -d' ' -f2; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "run  first_frame_ms  form_load_ms  peak_kb   | baseline_first_frame_ms  baseline_peak_kb"
for i in $(seq 1 "$runs"); do
    "$bin/QuillkitTest" --screenshot "$work/shot.png" --report "$work/report.txt" >/dev/null 2>&1
    "$build/Bench/DemoBaseline" "$bin/ChartSample.jpg" >"$work/baseline.txt" 2>/dev/null
    cat "$work/report.txt" >>"$work/reports.txt"
    cat "$work/baseline.txt" >>"$work/baselines.txt"
    printf "%3d  %14s  %12s  %7s   | %23s  %16s\n" "$i" \
        "$(value timing.first_frame_ms "$work/report.txt")" "$(value timing.form_load_ms "$work/report.txt")" \
        "$(value memory.peak_kb "$work/report.txt")" \
        "$(value baseline.first_frame_ms "$work/baseline.txt")" "$(value baseline.peak_kb "$work/baseline.txt")"
done

echo
echo "medians of $runs runs:"
for key in timing.first_frame_ms memory.peak_kb timing.before_main_ms timing.application_ms \
    timing.form_created_ms timing.form_load_ms timing.first_paint_ms timing.main_ms; do
    printf "  %-28s %10s\n" "$key" "$(grep "^$key: " "$work/reports.txt" | cut -d' ' -f2 | median)"
done
for key in baseline.first_frame_ms baseline.peak_kb baseline.before_main_ms baseline.application_ms \
    baseline.fill_ms baseline.picture_ms baseline.main_ms; do
    printf "  %-28s %10s\n" "$key" "$(grep "^$key: " "$work/baselines.txt" | cut -d' ' -f2 | median)"
done
frame=$(grep "^timing.first_frame_ms: " "$work/reports.txt" | cut -d' ' -f2 | median)
baseFrame=$(grep "^baseline.first_frame_ms: " "$work/baselines.txt" | cut -d' ' -f2 | median)
peak=$(grep "^memory.peak_kb: " "$work/reports.txt" | cut -d' ' -f2 | median)
basePeak=$(grep "^baseline.peak_kb: " "$work/baselines.txt" | cut -d' ' -f2 | median)
awk -v f="$frame" -v bf="$baseFrame" -v p="$peak" -v bp="$basePeak" \
    'BEGIN { printf "  first frame %.2fx the baseline'\''s, peak memory %.3fx\n", f / bf, p / bp }'

echo
echo "2000 animation ticks (20 ms each, about 40 s):"
"$bin/QuillkitTest" --screenshot "$work/shot.png" --report "$work/report.txt" --ticks 2000 >/dev/null 2>&1
before=$(value memory.rss_before_ticks_kb "$work/report.txt")
half=$(value memory.rss_after_half_ticks_kb "$work/report.txt")
after=$(value memory.rss_after_ticks_kb "$work/report.txt")
echo "rss before the first tick: ${before} kB, after 1000 ticks: ${half} kB, after 2000: ${after} kB"
echo "growth from tick 1000 to tick 2000: $((after - half)) kB"
echo "picture box at the end: $(grep "^picture.rect: " "$work/report.txt" | cut -d" " -f2-) (left top width height, twips)"

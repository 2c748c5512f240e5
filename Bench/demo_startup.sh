#!/usr/bin/env bash
# Start-up time and memory of the demonstration program in --screenshot mode, each beside the
# same figure of a plain Qt program doing the same job (DemoBaseline), measured in one run:
#   - time from process start to the first frame of the form, and the share of Form_Load;
#   - peak resident memory;
#   - resident memory before and after 1000 animation ticks.
# Usage: Bench/demo_startup.sh [BUILD_DIR]   (default build/default, a Release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/default}"
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUILL_REGISTRY="$work/registry.json" QUILL_SETTINGS_DIR="$work/settings"
export QT_QPA_PLATFORM=offscreen
"$bin/quill-regsvr" "$bin/Quillkit.so" >/dev/null

runs=5
echo "run  first_frame_ms  form_load_ms  peak_kb   | baseline_first_frame_ms  baseline_peak_kb"
for i in $(seq 1 $runs); do
    "$bin/QuillkitTest" --screenshot "$work/shot.png" --report "$work/report.txt" >/dev/null
    "$build/Bench/DemoBaseline" "$bin/ChartSample.jpg" >"$work/baseline.txt"
    value() { grep "^$1: " "$2" | cut -d' ' -f2; }
    printf "%3d  %14s  %12s  %7s   | %23s  %16s\n" "$i" \
        "$(value timing.first_frame_ms "$work/report.txt")" "$(value timing.form_load_ms "$work/report.txt")" \
        "$(value memory.peak_kb "$work/report.txt")" \
        "$(value baseline.first_frame_ms "$work/baseline.txt")" "$(value baseline.peak_kb "$work/baseline.txt")"
done

echo
echo "1001 animation ticks (20 ms each, about 20 s):"
"$bin/QuillkitTest" --screenshot "$work/shot.png" --report "$work/report.txt" --ticks 1001 >/dev/null
before=$(grep '^memory.rss_before_ticks_kb: ' "$work/report.txt" | cut -d' ' -f2)
first=$(grep '^memory.rss_after_first_tick_kb: ' "$work/report.txt" | cut -d' ' -f2)
after=$(grep '^memory.rss_after_ticks_kb: ' "$work/report.txt" | cut -d' ' -f2)
echo "rss before the first tick: ${before} kB, after it: ${first} kB (one-time: $((first - before)) kB)"
echo "rss after 1000 more ticks: ${after} kB, growth over those 1000 ticks: $((after - first)) kB"

#!/usr/bin/env bash
# Start-up and memory of the real program, with the real data:
#  - time from process start to the end of the first paint that drew the map
#    (zerim prints it from its own clock; the wall time of the whole process
#    is taken too), against one full decode of the same JPEG by djpeg;
#  - peak memory (max RSS) once the full picture is drawn, against the same
#    program without the picture (its JPEG replaced by junk through --data),
#    as a multiple of the decoded picture (width x height x 4 bytes).
# Usage: bench/bench_startup.sh [BUILD_DIR]   (medians of 11 runs)
set -euo pipefail
build=${1:-build}
zerim=$build/zerim
runs=11
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

"$zerim" --dump JPG 131 > "$work/map.jpg"
mkdir "$work/nopicture"
head -c 4096 /dev/zero > "$work/nopicture/JPG_131"

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
now_ms() { date +%s.%N | awk '{printf "%.3f", $1 * 1000}'; }

inside=(); wall=(); decode=()
for _ in $(seq $runs); do
    start=$(now_ms)
    out=$(ZERIM_EXIT_AFTER_FIRST_MAP=1 "$zerim" 2>/dev/null)
    end=$(now_ms)
    inside+=("$(echo "$out" | awk '/map painted after/ {print $4}')")
    wall+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.1f", b - a}')")
    start=$(now_ms)
    djpeg -outfile /dev/null "$work/map.jpg"
    end=$(now_ms)
    decode+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.1f", b - a}')")
done
m_inside=$(printf '%s\n' "${inside[@]}" | median)
m_wall=$(printf '%s\n' "${wall[@]}" | median)
m_decode=$(printf '%s\n' "${decode[@]}" | median)
echo "first map painted, zerim's own clock: $m_inside ms (median of $runs)"
echo "first map painted, whole process:     $m_wall ms"
echo "djpeg, one full decode:               $m_decode ms"
awk -v a="$m_inside" -v b="$m_wall" -v d="$m_decode" \
    'BEGIN {printf "ratio to djpeg: %.2f (own clock), %.2f (whole process); target at most 1.5\n", a / d, b / d}'

rss() { /usr/bin/time -f %M env ZERIM_EXIT_AFTER_FIRST_MAP="$1" "$zerim" "${@:2}" 2>&1 >/dev/null | tail -n 1; }
with=(); without=()
for _ in $(seq 5); do
    with+=("$(rss full)")
    without+=("$(rss 1 --data "$work/nopicture")")
done
m_with=$(printf '%s\n' "${with[@]}" | median)
m_without=$(printf '%s\n' "${without[@]}" | median)
decoded_kb=$((3300 * 3800 * 4 / 1024))
echo "peak memory with the full picture: $m_with KB; without the picture: $m_without KB"
awk -v w="$m_with" -v o="$m_without" -v d="$decoded_kb" \
    'BEGIN {printf "extra memory: %.2f times the decoded picture (%d KB); target at most 1.4\n", (w - o) / d, d}'

#!/usr/bin/env bash
# Start-up on an X server, from outside: launch to the first map pixels on
# screen, for zerim (its compiled-in map), gpicview and feh (the same map as
# a JPEG file), and launch to exit for one full decode of that JPEG by djpeg,
# in interleaved rounds on one Xvfb (1920 x 1080 x 24, MIT-SHM, no window
# manager; every window fills the screen at 0,0). Prints a markdown table:
# median, min and max of each program over the rounds, each median as a
# multiple of djpeg's, then zerim's median as a multiple of gpicview's and
# of feh's.
# Usage: bench/startup_x/run.sh [ZERIM] [ROUNDS]
#   ZERIM: default build-h/zerim, else build/zerim, of this repository;
#   ROUNDS: default 10.
# Environment: STARTUP_X_SHOTS=DIR also saves, from the warm-up round, the
# frame in which each program's map was seen and the last frame before it
# (PNG), and a screenshot taken with import while the window is still up.
# Needs what setup.sh installs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
default_zerim=$here/../../build-h/zerim
[ -x "$default_zerim" ] || default_zerim=$here/../../build/zerim
zerim=$(realpath "${1:-$default_zerim}")
rounds=${2:-10}
shots=${STARTUP_X_SHOTS:-}
# The area that every program fills with the map at start-up (see README).
area=${STARTUP_X_AREA:-520,220,120,560}
colours=${STARTUP_X_COLOURS:-1000}
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/startup_x" "$here/startup_x.c" -lX11 -lXext
cc -O2 -shared -fPIC -o "$work/fill_screen.so" "$here/fill_screen.c" -ldl
"$zerim" --dump JPG 131 > "$work/map.jpg"

free_display() {
    local n
    for n in $(seq 90 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }
    done
    echo "startup_x: no free display number" >&2
    exit 1
}
display=:$(free_display)
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp -noreset -br +extension MIT-SHM >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.05; done
export DISPLAY=$display
# Settings of a fresh user: nothing saved by an earlier session changes the
# windows (zerim's remembered view, gpicview's preferences).
export XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

programs=(zerim gpicview feh djpeg)
run_one() {  # program, extra options of startup_x...
    local program=$1
    shift
    xsetroot -solid black
    case $program in
    zerim) "$work/startup_x" -a "$area" -n "$colours" "$@" -- "$zerim" -geometry 1920x1080+0+0 ;;
    gpicview) "$work/startup_x" -a "$area" -n "$colours" -e LD_PRELOAD="$work/fill_screen.so" "$@" -- \
        gpicview "$work/map.jpg" ;;
    feh) "$work/startup_x" -a "$area" -n "$colours" "$@" -- \
        feh -g 1920x1080+0+0 --scale-down "$work/map.jpg" ;;
    djpeg) "$work/startup_x" -x -- djpeg -outfile /dev/null "$work/map.jpg" ;;
    esac
}

warm_up() {
    local p
    for p in "${programs[@]}"; do
        if [ -n "$shots" ] && [ "$p" != djpeg ]; then
            mkdir -p "$shots"
            run_one "$p" -s "$work/$p-map.ppm" -p "$work/$p-before.ppm" -k 1500 &
            local run=$!
            # The frame is written once the map is seen; the window then
            # stays up 1.5 s more.
            while [ ! -s "$work/$p-map.ppm" ] && kill -0 "$run" 2>/dev/null; do sleep 0.05; done
            sleep 0.2
            import -display "$display" -window root "$shots/$p-import.png"
            wait "$run"
            convert "$work/$p-map.ppm" "$shots/$p-map.png"
            convert "$work/$p-before.ppm" "$shots/$p-before.png"
        else
            run_one "$p" >/dev/null
        fi
    done
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
warm_up
declare -A times failures
for round in $(seq "$rounds"); do
    for p in "${programs[@]}"; do
        if line=$(run_one "$p"); then
            times[$p]+="$(echo "$line" | awk '{print $2}') "
        else
            failures[$p]=$((${failures[$p]:-0} + 1))
        fi
        echo "round $round $p: $line" >&2
    done
done

stats() {  # median min max of the numbers given
    printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.1f %.1f %.1f\n", m, v[1], v[NR]}'
}
declare -A median
echo
echo "| program | median ms | min ms | max ms | median / djpeg | failed runs |"
echo "|---|---:|---:|---:|---:|---:|"
# shellcheck disable=SC2086
read -r djpeg_median _ _ <<<"$(stats ${times[djpeg]})"
for p in "${programs[@]}"; do
    if [ -z "${times[$p]:-}" ]; then
        echo "| $p | - | - | - | - | ${failures[$p]} |"
        median[$p]=nan
        continue
    fi
    # shellcheck disable=SC2086
    read -r m lo hi <<<"$(stats ${times[$p]})"
    median[$p]=$m
    awk -v p="$p" -v m="$m" -v lo="$lo" -v hi="$hi" -v d="$djpeg_median" -v f="${failures[$p]:-0}" \
        'BEGIN {printf "| %s | %.1f | %.1f | %.1f | %.2f | %d |\n", p, m, lo, hi, m / d, f}'
done
echo
awk -v z="${median[zerim]}" -v g="${median[gpicview]}" -v f="${median[feh]}" -v d="$djpeg_median" -v n="$rounds" \
    'BEGIN {printf "zerim: %.2f x djpeg (target at most 1.3), %.2f x gpicview, %.2f x feh (targets below 1); medians of %d rounds\n", z / d, z / g, z / f, n}'
echo "load average (1, 5, 15 min): $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"

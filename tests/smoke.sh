#!/usr/bin/env bash
# Starts the real zerim in an X server (Xvfb), clicks the zoom-in button,
# reads the title, types part of a place name and Enter, and checks that the
# screenshot shows green (found) labels.
#   smoke.sh ZERIM OUT_DIR
set -euo pipefail
zerim=$1
out=$2
mkdir -p "$out"
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
    echo "xvfb-run, xdotool or import missing: run scripts/deps.sh"; exit 1
fi

run() {
    "$zerim" &
    zerim_pid=$!
    trap 'kill $zerim_pid 2>/dev/null || true' EXIT
    local win
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Sarvenhal\.' | head -n 1)
    sleep 1
    # The first tool bar button (zoom in) sits at the window's top left.
    xdotool mousemove --window "$win" 15 33 click 1
    sleep 0.5
    local title
    title=$(xdotool getwindowname "$win")
    echo "title after zoom in: $title"
    [ "$title" = "Sarvenhal. (Zoom 30%)" ] || { echo "unexpected title"; exit 1; }
    # The place field, then a text that many place names contain.
    xdotool mousemove --window "$win" 240 33 click 1
    xdotool type --delay 30 "harbour"
    xdotool key Return
    sleep 1
    import -window root "$out/smoke.png"
    local green
    green=$(convert "$out/smoke.png" -fill black +opaque "rgb(0,255,0)" -fill white -opaque "rgb(0,255,0)" \
            -format "%[fx:round(mean*w*h)]" info:)
    echo "green label pixels: $green"
    [ "$green" -gt 100 ] || { echo "no green labels on the map"; exit 1; }
    echo "smoke test passed"
}

# Runs itself again inside a fresh X server.
if [ -z "${ZERIM_SMOKE_INSIDE:-}" ]; then
    ZERIM_SMOKE_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$zerim" "$out"
fi
run

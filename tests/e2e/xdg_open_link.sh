#!/usr/bin/env bash
# The installed program as the desktop opens a link: run in an X server
# (xvfb-run) after the package is installed. The desktop's handler of
# zerim: links is our entry; xdg-open of a place link, with a window open,
# hands the link to it (the place lit in green, the link's zoom in the
# title) and starts no second window; with none open, it opens one there.
#   xdg_open_link.sh DESKTOP_ID OUT_DIR
set -euo pipefail
id=$1
out=$2
mkdir -p "$out"
fail() { echo "xdg_open_link: FAILED: $*" >&2; exit 1; }

# Private folders: the socket, the settings and the notes are the test's own.
export XDG_RUNTIME_DIR="$out/runtime" XDG_CONFIG_HOME="$out/config" ZERIM_NOTES_DB="$out/notes.sqlite"
rm -rf "$XDG_RUNTIME_DIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"

handler=$(xdg-mime query default x-scheme-handler/zerim || true)
[ "$handler" = "$id.desktop" ] || fail "xdg-mime gives '$handler' for x-scheme-handler/zerim, not $id.desktop"
echo "zerim: links open with $handler"

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
window() { timeout 20 xdotool search --sync --onlyvisible --name '^Sarvenhal\.' | head -n 1; }
green_pixels() {
    import -window root "$1"
    convert "$1" -fill black +opaque "rgb(0,255,0)" -fill white -opaque "rgb(0,255,0)" \
        -format "%[fx:round(mean*w*h)]" info:
}
expect_shown() {  # TITLE SCREENSHOT
    local title="" i
    for i in $(seq 50); do
        title=$(xdotool getwindowname "$win")
        [ "$title" = "$1" ] && break
        sleep 0.2
    done
    [ "$title" = "$1" ] || fail "the window's title is '$title', not '$1'"
    sleep 1
    local green
    green=$(green_pixels "$2")
    echo "$1: $green green label pixels"
    [ "$green" -gt 50 ] || fail "the linked place is not lit on the map ($2)"
}

# A window open, listening once its first map is on screen.
zerim &
pids+=($!)
win=$(window)
for i in $(seq 50); do [ -S "$XDG_RUNTIME_DIR"/zerim-x11-*.link ] && break; sleep 0.2; done
xdg-open 'zerim:place/Eilerellan?zoom=150'
expect_shown "Sarvenhal. (Zoom 150%)" "$out/handed-over.png"
[ "$(xdotool search --onlyvisible --name '^Sarvenhal\.' | wc -l)" -eq 1 ] || fail "a second window opened"
xdotool windowfocus --sync "$win" key ctrl+q
timeout 30 tail --pid="${pids[0]}" -f /dev/null || fail "zerim did not quit"

# None open: the link opens one, there.
xdg-open 'zerim:place/eilerellan?zoom=75' &
win=$(window)
expect_shown "Sarvenhal. (Zoom 75%)" "$out/opened.png"
xdotool windowfocus --sync "$win" key ctrl+q
echo "xdg-open opens zerim: links"

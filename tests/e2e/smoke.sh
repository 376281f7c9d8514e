#!/usr/bin/env bash
# Starts the real zerim in an X server (Xvfb), clicks the zoom-in button,
# reads the title, zooms with Ctrl++ and Ctrl+wheel (the title follows),
# goes to the place field with Ctrl+F, types part of a place name and Enter,
# and checks that the screenshot shows green (found) labels; then opens and
# closes both finders and the About box, quits through the menu and checks
# that the program ended cleanly (under the sanitizers, a leak or a fault
# makes that exit fail); a second run quits with Ctrl+Q alone; a place
# marked visited is still marked after a restart; a route planned through
# the one search shows its line on the map; two more open windows asked
# larger than the screen, which open within it.
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
    # The keyboard zooms in about the centre, Ctrl+wheel about the pointer.
    xdotool key ctrl+plus
    expect_title "$win" "Sarvenhal. (Zoom 45%)" "after Ctrl++"
    xdotool mousemove --window "$win" 400 400 keydown ctrl click 4 keyup ctrl
    expect_title "$win" "Sarvenhal. (Zoom 67%)" "after Ctrl+wheel"
    # Ctrl+F puts the cursor in the place field, then a text that many place
    # names contain.
    xdotool key ctrl+f
    sleep 0.3
    xdotool type --delay 30 "harbour"
    xdotool key Return
    sleep 1
    import -window root "$out/smoke.png"
    local green
    green=$(convert "$out/smoke.png" -fill black +opaque "rgb(0,255,0)" -fill white -opaque "rgb(0,255,0)" \
            -format "%[fx:round(mean*w*h)]" info:)
    echo "green label pixels: $green"
    [ "$green" -gt 100 ] || { echo "no green labels on the map"; exit 1; }
    open_and_close "$win" "Recherche de NPCs" 61
    open_and_close "$win" "Recherche de sorts" 84
    # The About box through its menu (alt+? opens "?"), then Enter on its item.
    xdotool windowfocus --sync "$win" key alt+question
    sleep 0.5
    xdotool key Return
    close_dialog '^Sarvenhal\.\.\.\.$' "About"
    # Quit through Fichier > Quitter; the program must end by itself, cleanly.
    xdotool windowfocus --sync "$win" key alt+f
    sleep 0.5
    xdotool key q
    local status=0
    timeout 30 tail --pid="$zerim_pid" -f /dev/null || { echo "zerim did not quit"; exit 1; }
    wait "$zerim_pid" || status=$?
    trap - EXIT
    echo "exit status after Quitter: $status"
    [ "$status" -eq 0 ] || { echo "zerim did not end cleanly"; exit 1; }
    quit_with_ctrl_q
    mark_kept_after_restart
    route_drawn
    window_within_screen -geometry 999999x999999
    QT_SCALE_FACTOR=2 window_within_screen
    echo "smoke test passed"
}

# A window asked larger than the screen (by -geometry, or 1024 x 768 at a
# scale factor of 2) opens within it: 1280 x 1024 here.
window_within_screen() {
    "$zerim" "$@" &
    zerim_pid=$!
    trap 'kill $zerim_pid 2>/dev/null || true' EXIT
    local win size
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Sarvenhal\.' | head -n 1)
    sleep 1
    size=$(xdotool getwindowgeometry "$win" | awk '/Geometry:/ { print $2 }')
    echo "window size with ${QT_SCALE_FACTOR:+QT_SCALE_FACTOR=$QT_SCALE_FACTOR }$*: $size"
    xdotool windowfocus --sync "$win" key ctrl+q
    timeout 30 tail --pid="$zerim_pid" -f /dev/null || { echo "zerim did not quit"; exit 1; }
    trap - EXIT
    [ "${size%x*}" -le 1280 ] && [ "${size#*x}" -le 1024 ] || { echo "a window larger than the screen"; exit 1; }
}

# A place marked visited (Ctrl+M on the one place found) is still marked
# after a restart: drawn with its check, and listed by --notes-list.
mark_kept_after_restart() {
    export ZERIM_NOTES_DB="$out/notes.sqlite"
    rm -f "$out"/notes.sqlite*
    local check
    start_and_find Eilerellan
    xdotool key ctrl+m
    sleep 0.5
    quit_window "$win"
    start_and_find Eilerellan
    import -window root "$out/smoke-mark.png"
    # The check's light green, drawn only over a visited place.
    check=$(convert "$out/smoke-mark.png" -fuzz 6% -fill black +opaque "rgb(120,255,140)" -fill white \
            -opaque "rgb(120,255,140)" -format "%[fx:round(mean*w*h)]" info:)
    echo "check mark pixels after a restart: $check"
    quit_window "$win"
    [ "$check" -gt 3 ] || { echo "the visited mark is not drawn after a restart"; exit 1; }
    "$zerim" --notes-list | grep -q "^lieu	Eilerellan	-72432	111512	visité" ||
        { echo "the visited mark is not kept"; exit 1; }
    unset ZERIM_NOTES_DB
    echo "a mark kept after a restart"
}

# A route across the map asked of the one search (« de … a … », Enter): the
# route window opens and the map shows the route's line in its blue.
route_drawn() {
    "$zerim" &
    zerim_pid=$!
    trap 'kill $zerim_pid 2>/dev/null || true' EXIT
    local win blue
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Sarvenhal\.' | head -n 1)
    sleep 1
    xdotool windowfocus --sync "$win" key ctrl+k
    sleep 0.3
    xdotool type --delay 30 "de Gwenannon a Hollinley"
    sleep 0.5
    xdotool key Return
    timeout 20 xdotool search --sync --onlyvisible --name '^Itinéraire$' >/dev/null || { echo "no route window"; exit 1; }
    sleep 1
    import -window root "$out/smoke-route.png"
    blue=$(convert "$out/smoke-route.png" -fill black +opaque "rgb(0,114,178)" -fill white -opaque "rgb(0,114,178)" \
           -format "%[fx:round(mean*w*h)]" info:)
    echo "route pixels: $blue"
    quit_window "$win"
    [ "$blue" -gt 300 ] || { echo "no route on the map"; exit 1; }
}

# Starts zerim, searches the place field for $1; its window is $win.
start_and_find() {
    "$zerim" &
    zerim_pid=$!
    trap 'kill $zerim_pid 2>/dev/null || true' EXIT
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Sarvenhal\.' | head -n 1)
    sleep 1
    xdotool windowfocus --sync "$win" key ctrl+f
    sleep 0.3
    xdotool type --delay 30 "$1"
    xdotool key Return
    sleep 1.5
}

quit_window() {
    local status=0
    xdotool windowfocus --sync "$1" key ctrl+q
    timeout 30 tail --pid="$zerim_pid" -f /dev/null || { echo "zerim did not quit"; exit 1; }
    wait "$zerim_pid" || status=$?
    trap - EXIT
    [ "$status" -eq 0 ] || { echo "zerim did not end cleanly"; exit 1; }
}

# A second run, ended by its shortcut alone.
quit_with_ctrl_q() {
    "$zerim" &
    zerim_pid=$!
    trap 'kill $zerim_pid 2>/dev/null || true' EXIT
    local win status=0
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Sarvenhal\.' | head -n 1)
    sleep 1
    xdotool windowfocus --sync "$win" key ctrl+q
    timeout 30 tail --pid="$zerim_pid" -f /dev/null || { echo "zerim did not quit on Ctrl+Q"; exit 1; }
    wait "$zerim_pid" || status=$?
    trap - EXIT
    echo "exit status after Ctrl+Q: $status"
    [ "$status" -eq 0 ] || { echo "zerim did not end cleanly on Ctrl+Q"; exit 1; }
}

# Waits a moment, then checks the title of window $1 against $2.
expect_title() {
    sleep 0.5
    local title
    title=$(xdotool getwindowname "$1")
    echo "title $3: $title"
    [ "$title" = "$2" ] || { echo "unexpected title $3"; exit 1; }
}

# Clicks the tool bar button at x = $3 of window $1 and waits for the dialog
# titled $2, then closes it with Escape.
open_and_close() {
    xdotool windowfocus --sync "$1" mousemove --window "$1" "$3" 33 click 1
    close_dialog "^$2\$" "$2"
}

close_dialog() {
    local dialog
    dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1) ||
        { echo "no $2 dialog"; exit 1; }
    [ -n "$dialog" ] || { echo "no $2 dialog"; exit 1; }
    sleep 0.5
    import -window root "$out/smoke-$(echo "$2" | tr ' ' '-').png"
    xdotool windowfocus --sync "$dialog" key Escape
    sleep 0.5
    echo "$2 opened and closed"
}

# Runs itself again inside a fresh X server.
if [ -z "${ZERIM_SMOKE_INSIDE:-}" ]; then
    ZERIM_SMOKE_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$zerim" "$out"
fi
run

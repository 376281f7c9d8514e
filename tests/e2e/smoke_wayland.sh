#!/usr/bin/env bash
# The real zerim under a Wayland compositor (weston, headless, drawing in
# memory): it starts and paints its map with Qt's Wayland platform named,
# and again with no platform named and no X display (Qt's choice in a
# Wayland session); it closes cleanly; and a Wayland socket that does not
# answer gets a message that names it and does not talk of X.
#   smoke_wayland.sh ZERIM OUT_DIR
set -euo pipefail
zerim=$1
out=$2
mkdir -p "$out"
for tool in weston weston-screenshooter convert; do
    command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/deps.sh"; exit 1; }
done

# Under the sanitizers: the Wayland client library and Qt's Wayland plugins
# (unloaded before the leak check, so that it cannot name them) keep a few
# blocks until exit. The program's own leaks are checked by the X11 smoke
# test and the widget tests, which run the same code.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
socket=zerim-smoke
weston --backend=headless-backend.so --use-pixman --socket=$socket --width=1600 --height=1000 \
       --debug --idle-time=0 >"$out/weston.log" 2>&1 &
weston_pid=$!
cleanup() {
    kill "${zerim_pid:-}" 2>/dev/null || true
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -S "$runtime/$socket" ] && break; sleep 0.1; done
[ -S "$runtime/$socket" ] || { echo "weston did not start"; cat "$out/weston.log"; exit 1; }

fail() { echo "FAILED: $*"; exit 1; }

# The map on screen: the compositor's own picture holds the map's colours
# (the empty desktop has a few hundred, the map tens of thousands).
env -u DISPLAY WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$zerim" 2>"$out/painted.err" &
zerim_pid=$!
colours=0
for _ in $(seq 30); do  # a loaded machine may take a while to paint
    sleep 1
    kill -0 "$zerim_pid" 2>/dev/null || fail "zerim ended under Wayland: $(cat "$out/painted.err")"
    (cd "$out" && rm -f wayland-screenshot-*.png && WAYLAND_DISPLAY=$socket timeout 20 weston-screenshooter)
    colours=$(convert "$out"/wayland-screenshot-*.png -format "%k" info:)
    [ "$colours" -gt 20000 ] && break
done
kill "$zerim_pid"
wait "$zerim_pid" 2>/dev/null || true
echo "colours on the Wayland screen: $colours"
[ "$colours" -gt 20000 ] || fail "no map on the Wayland screen"

# Started, painted and closed the ordinary way: exit 0, nothing said.
for platform in wayland ""; do
    status=0
    env -u DISPLAY WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=$platform \
        ZERIM_EXIT_AFTER_FIRST_MAP=quit timeout 60 "$zerim" 2>"$out/quit.err" || status=$?
    echo "platform ${platform:-(not named)}: exit $status"
    [ "$status" -eq 0 ] || fail "zerim did not end cleanly: $(cat "$out/quit.err")"
    [ ! -s "$out/quit.err" ] || fail "zerim wrote on standard error: $(cat "$out/quit.err")"
done

# A socket nobody listens on.
status=0
env -u DISPLAY WAYLAND_DISPLAY=nobody-listens QT_QPA_PLATFORM=wayland timeout 20 "$zerim" 2>"$out/dead.err" || status=$?
cat "$out/dead.err"
[ "$status" -eq 1 ] || fail "exit $status for a dead socket"
grep -q "affichage Wayland $runtime/nobody-listens ne répond pas" "$out/dead.err" || fail "the socket is not named"
! grep -qE "(^|[^_])DISPLAY|serveur X|xvfb" "$out/dead.err" || fail "the message talks of X"
echo "Wayland smoke test passed"

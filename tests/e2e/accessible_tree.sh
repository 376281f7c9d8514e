#!/usr/bin/env bash
# The accessible tree of the real zerim, walked from outside as a screen
# reader walks it (accessible_tree.py), in an X server of its own and a
# D-Bus session that starts the accessibility bus when asked.
#   accessible_tree.sh ZERIM OUT_DIR
# Without the packages it needs, it is skipped when run by hand and fails
# when ZERIM_REQUIRE_ACCESSIBILITY is set (scripts/test sets it, after
# installing them).
set -euo pipefail
zerim=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)

missing=()
command -v xvfb-run >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v dbus-run-session >/dev/null || missing+=(dbus)
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi2-core)
/usr/bin/python3 -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null || missing+=(python3-gi gir1.2-atspi-2.0)
if [ ${#missing[@]} -gt 0 ]; then
    echo "missing: ${missing[*]} (scripts/deps.sh installs them)"
    [ -n "${ZERIM_REQUIRE_ACCESSIBILITY:-}" ] && exit 1
    echo "SKIPPED: the accessible tree cannot be walked here"
    exit 77
fi

# The program's own places for its settings, notes and link socket.
export XDG_CONFIG_HOME="$out/config" XDG_DATA_HOME="$out/data" ZERIM_NOTES_DB="$out/notes.db"
export XDG_RUNTIME_DIR="$out/runtime"
rm -rf "$out/config" "$out/data" "$out/notes.db" "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- /usr/bin/python3 "$here/accessible_tree.py" "$zerim"

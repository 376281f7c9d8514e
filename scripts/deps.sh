#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the program and the tests
# need, when they are missing. Run as root (or with sudo available).
set -euo pipefail

packages=(
    build-essential cmake pkg-config      # compiler and build
    qt6-base-dev libgl-dev libx11-dev     # Qt 6 Widgets; X11 for the lock keys
    libfontconfig-dev                     # the font configuration, read ahead at start-up
    qt6-svg-dev libqt6svg6                # the tool bar and window icons drawn sharp above 100%
    libturbojpeg0-dev                     # the map picture's decoder
    libsqlite3-dev                        # the player's notes, kept in SQLite
    libbenchmark-dev libjpeg-turbo-progs time  # benchmarks under bench/ (djpeg: the reference decode)
    xvfb xauth xdotool imagemagick        # a real X server for the smoke test and screenshots
    openbox                               # a window manager over it, for the documentation's pictures
    weston qt6-wayland                    # a Wayland compositor (headless) and Qt's platform for it
    qt6-translations-l10n                 # Qt's own dialogs and menus in French
    poppler-utils                         # pdftotext: the print test reads the text of a printed PDF
    groff-base                            # the manual pages laid out, to check them
    fonts-dejavu-core                     # a proportional font for the interface
    clang libclang-rt-14-dev              # libFuzzer and the sanitizers' run-time for the fuzz targets
    dpkg-dev lintian file                 # the Debian package (dpkg-shlibdeps) and its check
    desktop-file-utils appstream          # validating the desktop entry and the metainfo
    xdg-utils                             # xdg-mime and xdg-open: the zerim: link handler, checked installed
    at-spi2-core dbus                     # the accessibility bus and a session bus, for the screen reader's view
    python3-gi gir1.2-atspi-2.0           # Python's AT-SPI bindings: the accessible tree walked from outside
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs what the start-up benchmark on an X server needs and the tests do
# not: the two image viewers it compares against, djpeg, an X server with
# MIT-SHM, the X headers for the poller, and the screenshot tools used to
# check the detection. Idempotent: installs only what is missing. Run as root.
set -euo pipefail
packages=(gpicview feh libjpeg-turbo-progs xvfb libx11-dev libxext-dev
          gcc imagemagick x11-utils x11-xserver-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "startup_x: every package is installed"
    exit 0
fi
echo "startup_x: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=600 update -qq
apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs a built tree into a scratch prefix as a user would
# (cmake --install --strip) and checks that every file lies where the
# desktop, the icon theme, man and software centres look for it, that each
# is well formed, and that the versions of program, metainfo and changelog
# agree.
#   install_layout.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
scratch=$2
id=example.sarvenhal_guild.zerim
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli readelf; do
    command -v "$tool" >/dev/null || fail "$tool missing: run scripts/deps.sh"
done

rm -rf "$scratch"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" --strip >/dev/null

# Every file, by the path that users' tools expect.
expected=(
    bin/zerim bin/zerim-tables
    share/man/man1/zerim.1.gz share/man/man1/zerim-tables.1.gz
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/doc/zerim/copyright share/doc/zerim/changelog.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for path in "${expected[@]}"; do
    [ -f "$prefix/$path" ] || fail "$path is not installed"
done

# The programs run from where they are installed, stripped.
for program in zerim zerim-tables; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
    ! readelf -S "$prefix/bin/$program" | grep -q '\.symtab' || fail "bin/$program is not stripped"
done
version=$("$prefix/bin/zerim" --version) || fail "zerim --version failed"
[[ $version =~ ^zerim\ ([0-9]+\.[0-9]+\.[0-9]+) ]] || fail "unexpected version line: $version"
release=${BASH_REMATCH[1]}

# Each PNG holds the size its folder names (width and height from IHDR).
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print ($1*16777216 + $2*65536 + $3*256 + $4), ($5*16777216 + $6*65536 + $7*256 + $8) }')
    [ "$w x $h" = "$size x $size" ] || fail "${size}x${size} icon is $w x $h"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon holds no <svg>"

# Manual pages: valid gzip of a man page each.
for page in zerim zerim-tables; do
    gzip -dc "$prefix/share/man/man1/$page.1.gz" | grep -q '^\.TH' || fail "$page.1.gz is not a manual page"
done

# The desktop entry: valid, starts zerim (with a zerim: link, which it
# handles), names the installed icon, speaks French too.
desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" | grep -v ': hint: ' || true
desktop-file-validate "$desktop" >/dev/null || fail "desktop-file-validate"
for line in "Exec=zerim %u" "MimeType=x-scheme-handler/zerim;" "Icon=$id" "Terminal=false"; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
done
for key in Name GenericName Comment Keywords; do
    grep -q "^$key=" "$desktop" && grep -q "^$key\[fr\]=" "$desktop" ||
        fail "the desktop entry lacks $key or $key[fr]"
done

# The metainfo: valid, names this entry and these programs, this release.
metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate"
grep -qF "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
for program in zerim zerim-tables; do
    grep -qF "<binary>$program</binary>" "$metainfo" || fail "the metainfo does not provide $program"
done
grep -qF "<release version=\"$release\"" "$metainfo" || fail "the metainfo has no release $release"
gzip -dc "$prefix/share/doc/zerim/changelog.gz" | head -n 1 | grep -qF "zerim ($release)" ||
    fail "the changelog's latest entry is not $release"
echo "installed under $prefix: ${#expected[@]} files checked"

#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root, checks that
# every file is where the desktop looks for it, validates the desktop entry
# and the metainfo, and starts the installed program on a virtual display.
set -euo pipefail
build_dir=$1 version=$2 app_id=$3
cd "$build_dir"

rm -f tarvo_*.deb
cpack -G DEB >/dev/null
deb=$(ls tarvo_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

expect=(
    usr/bin/tarvo
    "usr/share/applications/$app_id.desktop"
    "usr/share/metainfo/$app_id.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    usr/share/doc/tarvo/copyright
)
for size in 16 32 48 64 128 256; do
    expect+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${expect[@]}"; do
    [ -f "$root/$f" ] || { echo "missing from the package: /$f"; exit 1; }
done
[ -x "$root/usr/bin/tarvo" ] || { echo "/usr/bin/tarvo is not executable"; exit 1; }

desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "package version is not $version"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins 'fonts-noto-cjk | fonts-wqy-microhei'; do
    grep -qF "$d" <<<"$depends" || { echo "Depends lacks $d: $depends"; exit 1; }
done

# The desktop entry's command, from the unpacked root, keeps running.
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$app_id.desktop")
status=0
timeout 3 xvfb-run -a "$root/usr/bin/$exec_line" >/dev/null 2>&1 || status=$?
[ "$status" = 124 ] || { echo "the installed game exited early with status $status"; exit 1; }
echo "package $deb: files, validators, dependencies and start-up fine"

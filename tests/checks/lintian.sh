#!/usr/bin/env bash
# Builds the Debian package in a directory of its own (the package check
# builds one in the build directory at the same time) and runs lintian on
# it: any error or warning fails. Also checks that the changelog's latest
# entry is this version and that the manual page renders without warnings.
set -euo pipefail
source_dir=$1 build_dir=$2 version=$3
out="$build_dir/lintian-package"
cd "$build_dir"

rm -rf "$out"
cpack -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/tarvo_*.deb)

changelog_version=$(dpkg-parsechangelog -l "$source_dir/data/changelog" -S Version)
[ "$changelog_version" = "$version" ] || {
    echo "data/changelog starts with version $changelog_version, the project is $version"
    exit 1
}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/tarvo.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "man: $warnings"; exit 1; }

# --no-cfg: the verdict does not depend on a user's lintian settings.
lintian --no-cfg --fail-on error,warning --display-info "$deb"
echo "lintian: no error and no warning in $(basename "$deb")"

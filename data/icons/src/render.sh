#!/bin/sh
# Regenerates every PNG under data/icons/ from the sources in data/icons/src/
# and the scalable icon in data/icons/hicolor/scalable/apps/.
#
# Needs these Debian packages:
#   librsvg2-bin   (rsvg-convert: renders the SVGs)
#   imagemagick    (convert: turns the ASCII pixel map into a PNG)
# e.g.  apt-get install -y --no-install-recommends librsvg2-bin imagemagick
#
# Sources:
#   hicolor/scalable/apps/org.tarvo.Tarvo.svg  application icon; rendered at 48..256 px
#   src/org.tarvo.Tarvo-32.svg                 the same picture hand-tuned for 32 px
#   src/org.tarvo.Tarvo-small.svg              the same picture hand-tuned for 16 px
#   src/about-pointer.txt                      the About box arrow, 32 x 32 pixel map
#                                              ('.' transparent, '#' black, 'o' white,
#                                              lines starting with ';' are comments)
#
# Usage: sh data/icons/src/render.sh   (from any directory)
set -eu

src=$(cd "$(dirname "$0")" && pwd)
icons=$(dirname "$src")
app=org.tarvo.Tarvo

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "render.sh: $tool not found (see the packages listed at the top)" >&2
        exit 1
    }
done

render() { # render SVG SIZE
    mkdir -p "$icons/hicolor/$2x$2/apps"
    rsvg-convert --width "$2" --height "$2" --format png \
        --output "$icons/hicolor/$2x$2/apps/$app.png" "$1"
}

render "$src/$app-small.svg" 16
render "$src/$app-32.svg" 32
for size in 48 64 128 256; do
    render "$icons/hicolor/scalable/apps/$app.svg" "$size"
done

# The pixel map becomes an XPM image, which ImageMagick reads.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
{
    echo '/* XPM */'
    echo 'static char *about_pointer[] = {'
    echo '"32 32 3 1",'
    echo '". c None",'
    echo '"# c #000000",'
    echo '"o c #FFFFFF",'
    grep -v '^;' "$src/about-pointer.txt" | sed 's/.*/"&",/'
    echo '};'
} > "$tmp/about-pointer.xpm"
rows=$(grep -vc '^;' "$src/about-pointer.txt")
bad=$(grep -v '^;' "$src/about-pointer.txt" | grep -cvx '[.#o]\{32\}' || true)
if [ "$rows" -ne 32 ] || [ "$bad" -ne 0 ]; then
    echo "render.sh: about-pointer.txt must hold 32 lines of 32 characters from '.#o'" >&2
    exit 1
fi
convert "$tmp/about-pointer.xpm" -strip -define png:exclude-chunks=date,time \
    "PNG32:$icons/about-pointer.png"

echo "render.sh: PNGs written under $icons"

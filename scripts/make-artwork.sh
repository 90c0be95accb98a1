#!/usr/bin/env bash
# Rebuilds the editor artwork and every picture made from it: the tape font,
# every PNG with the resource script resources/resources.rc, the review
# sheets in docs/review/, then (with the plug-in rebuilt on the new images)
# the user manual's pictures and the README's picture docs/editor.png.
# The output is committed, so an ordinary build never needs this.
#
#   scripts/make-artwork.sh [build dir]     (default: build-artwork/ beside the sources)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-artwork}
/usr/bin/python3 "$root/scripts/make-font.py"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target valdora_artgen -j 2
mkdir -p "$root/docs/review"
"$build/tools/artgen/valdora_artgen" "$root/resources" "$root/docs/review" "$root/resources/font/QORValdora.qsf"

# The manual is drawn from the editor itself (valdora-render manual), so it is rebuilt
# on the new images; the README shows the window as valdora-meter renders it.
cmake --build "$build" --target valdora_manual valdora-meter -j 2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    "$build/tools/valdora-meter/valdora-meter" --meter vu --set 6=1 --set 7=1 --set 15=1 \
    --render "$root/docs/editor.png" >/dev/null
echo "artwork, review sheets, manual pictures and docs/editor.png regenerated"

#!/usr/bin/env bash
# Rebuilds the editor artwork: the tape font, every PNG with the resource
# script resources/resources.rc, and the review sheets in docs/review/.
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

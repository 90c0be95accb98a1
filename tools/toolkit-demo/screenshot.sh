#!/bin/sh
# Screenshots of the toolkit demo editor: one from a window under a private
# Xvfb server, one rendered offscreen. Both should show the same picture.
#   tools/toolkit-demo/screenshot.sh [build-dir] [out-dir]
set -eu
build=${1:-build}
out=${2:-.}
demo="$build/tools/toolkit-demo/toolkit-demo"
[ -x "$demo" ] || { echo "build the toolkit-demo target first: $demo" >&2; exit 1; }
mkdir -p "$out"
xvfb-run -a -s "-screen 0 640x480x24" "$demo" --window "$out/toolkit-demo-window.png"
"$demo" --offscreen "$out/toolkit-demo-offscreen.png"
echo "wrote $out/toolkit-demo-window.png and $out/toolkit-demo-offscreen.png"

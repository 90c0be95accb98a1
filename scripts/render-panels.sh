#!/bin/sh
# Renders every meter's back panel and the strips, compact and expanded, of
# the real editor offscreen into PNG files.
#   scripts/render-panels.sh [build-dir] [out-dir] [scale: 1, 1.5 or 2]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
out=${2:-"$build/panel-renders"}
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
ninja -C "$build" panel-render
"$build/tools/panel-render/panel-render" "$out" --scale "${3:-1}"

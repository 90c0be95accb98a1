#!/bin/sh
# Screenshots of the editor as a host shows it: the built plug-in is loaded,
# its editor opened into a window of a private Xvfb server and fed a test
# signal (1 kHz sine, -16 dBFS left, -24 dBFS right); each window is read
# back from the server into a PNG.
# With a scale (1, 1.5 or 2) the editor opens at that size, as the user's
# setting asks.
#   scripts/editor-screenshots.sh [build-dir] [out-dir] [scale]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$build/editor-window-shots}
tool="$build/tools/editor-screenshot/editor-screenshot"
plugin="$build/QOR Valdora_x64.so"
[ -x "$tool" ] || { echo "build the editor-screenshot target first: $tool" >&2; exit 1; }
[ -f "$plugin" ] || { echo "build the plug-in first: $plugin" >&2; exit 1; }
mkdir -p "$out"
# The plug-in keeps per-user settings; a throw-away home keeps the real one untouched.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
if [ -n "${3:-}" ]; then
    HOME="$home" XDG_CONFIG_HOME="$home/.config" "$build/tools/valdora-settings/valdora-settings" --editor-scale "$3"
fi
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$tool" "$plugin" "$out"

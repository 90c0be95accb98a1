#!/usr/bin/env bash
# Builds the Windows plug-ins (scripts/build-windows.sh) and checks them under
# wine against the Linux build: plugin-dump writes each plug-in's identity,
# parameters, chunk round trip and audio pass-through as text, and the texts
# must be the same; the stored meter settings must be in the registry;
# platform-check exercises the registry, the clock, the PNG resources and the
# shell; editor-check opens the editor in a host-like window on a virtual X
# display (Xvfb) and checks that it draws, resizes the host's window, and that
# the trim and a filter slider are drawn at their values and follow drag and wheel,
# and that with the user's scale setting at 2 it opens at twice its size.
# wine's prefix lives in the build dir, never in $HOME.
#
#   scripts/test-windows.sh [linux build dir] [64-bit build dir] [32-bit build dir]
#   (defaults: build/, build-win64/, build-win32/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Every wine program of a run shares one wine session, whose windows need an X
# display: the whole run goes on a virtual one, never on the user's screen.
if [ -z "${VALDORA_WINE_DISPLAY:-}" ]; then
    "$root/scripts/install-deps.sh"
    export VALDORA_WINE_DISPLAY=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi
linux=${1:-$root/build}
build64=${2:-$root/build-win64}
build32=${3:-$root/build-win32}

"$root/scripts/build-windows.sh" "$build64" "$build32"
if [ ! -x "$linux/tools/plugin-dump/plugin-dump" ]; then
    cmake -S "$root" -B "$linux" -G Ninja >/dev/null
    cmake --build "$linux" -j "$(nproc)" --target valdora_plugin plugin-dump
fi

export WINEDEBUG=-all
# No Mono or Gecko prompts while the prefix is made, and a crash ends the
# program instead of waiting in wine's debugger.
export WINEDLLOVERRIDES="mscoree,mshtml,winedbg.exe="
failed=0
expected=$(mktemp)
# The Linux run writes its settings into a scratch home, never the user's.
scratch=$(mktemp -d)
trap 'rm -f "$expected"; rm -rf "$scratch"' EXIT
HOME=$scratch XDG_CONFIG_HOME=$scratch/.config "$linux/tools/plugin-dump/plugin-dump" "$linux/QOR Valdora_x64.so" >"$expected"

run_checks() {
    local label=$1 wine=$2 dir=$3 dll=$4
    export WINEPREFIX=$dir/wineprefix
    mkdir -p "$WINEPREFIX"
    local got=$dir/plugin-dump.txt
    "$wine" reg delete 'HKCU\SOFTWARE\Brontal\QORMETERS300' /f >/dev/null 2>&1 || true
    if (cd "$dir" && timeout 300 "$wine" tools/plugin-dump/plugin-dump.exe "$dll") >"$got" 2>"$dir/plugin-dump.err" &&
        diff -u --strip-trailing-cr "$expected" "$got"; then
        echo "$label: plugin-dump ok, same answers as the Linux build"
    else
        echo "$label: plugin-dump FAILED (see $got)"
        failed=1
    fi
    # The 27 meter settings the plug-in stored, as REG_BINARY values of its key.
    local stored
    stored=$("$wine" reg query 'HKCU\SOFTWARE\Brontal\QORMETERS300' 2>/dev/null | grep -c 'REG_BINARY' || true)
    if [ "$stored" -eq 27 ]; then
        echo "$label: registry ok, 27 meter settings stored"
    else
        echo "$label: registry FAILED, $stored meter settings stored instead of 27"
        failed=1
    fi
    if (cd "$dir" && timeout 300 "$wine" tools/platform-check/platform-check.exe QORValdora.qsf) >"$dir/platform-check.txt" 2>&1; then
        echo "$label: platform-check ok"
    else
        cat "$dir/platform-check.txt"
        echo "$label: platform-check FAILED"
        failed=1
    fi
    if (cd "$dir" && timeout 300 "$wine" tools/editor-check/editor-check.exe "$dll" editor.bmp) \
            >"$dir/editor-check.txt" 2>&1; then
        echo "$label: editor-check ok (what it showed: $dir/editor.bmp)"
    else
        cat "$dir/editor-check.txt"
        echo "$label: editor-check FAILED"
        failed=1
    fi
}

if command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ]; then
    run_checks "64-bit" "$(command -v wine64 || echo /usr/lib/wine/wine64)" "$build64" "QOR Valdora_x64.dll"
else
    echo "wine64 is not installed: the 64-bit checks did not run"
    failed=1
fi
# 32-bit Windows programs need wine32 (i386 multiarch), which is optional.
if [ -x /usr/lib/wine/wine ] && dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q 'ok installed'; then
    run_checks "32-bit" /usr/lib/wine/wine "$build32" "QOR Valdora.dll"
else
    echo "wine32 is not installed: the 32-bit DLL was built but not run"
fi
exit $failed

#!/usr/bin/env bash
# Installs QOR Valdora for the current user, without administrator rights:
# the plug-in into ~/.vst, the manual, the tape font and its licence into
# ~/.local/share/qor-valdora, and the manual's path into the user's settings
# as "ManualPath". Builds first when the build folder lacks anything needed.
#
#   scripts/install-user.sh [build dir]      (default: build/ beside the sources)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
plugin="$build/QOR Valdora_x64.so"
settings_tool="$build/tools/valdora-settings/valdora-settings"
vst_dir="$HOME/.vst"
data_dir="${XDG_DATA_HOME:-$HOME/.local/share}/qor-valdora"

if ! command -v rst2pdf >/dev/null; then
  echo "install-user.sh: the manual needs rst2pdf (sudo apt-get install rst2pdf)" >&2
  exit 1
fi
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The manual is named with the version the build was configured with.
manual_name="QOR Valdora v$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt") - User Manual.pdf"
if [ ! -f "$plugin" ] || [ ! -f "$build/$manual_name" ] || [ ! -x "$settings_tool" ]; then
  cmake --build "$build" --target valdora_plugin valdora_manual valdora-settings
fi

mkdir -p "$vst_dir" "$data_dir"
install -m 0644 "$plugin" "$vst_dir/"
install -m 0644 "$build/$manual_name" "$root/resources/font/QORValdora.qsf" \
  "$root/resources/font/LICENSE.txt" "$root/resources/font/PanelFace-LICENSE.txt" "$data_dir/"
"$settings_tool" set-string ManualPath "$data_dir/$manual_name"

echo "Installed the plug-in into $vst_dir"
echo "Installed the manual, the font and its licence into $data_dir"
# Reaper, Bitwig and Qtractor scan ~/.vst; Ardour's default list has only the
# system folders, so say what to add there.
echo "Ardour does not scan $vst_dir by default: add it in Edit > Preferences > Plugins > VST,"
echo "  \"Linux VST Path\", then rescan (or start Ardour with LXVST_PATH=$vst_dir:/usr/lib/vst)."

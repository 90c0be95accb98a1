#!/usr/bin/env bash
# Removes what scripts/install-user.sh installed for the current user. The
# user's settings (meter settings, "ManualPath", remembered paths) stay.
set -euo pipefail
vst_dir="$HOME/.vst"
data_dir="${XDG_DATA_HOME:-$HOME/.local/share}/qor-valdora"

rm -f "$vst_dir/QOR Valdora_x64.so"
rm -f "$data_dir/QOR Valdora v"*" - User Manual.pdf" "$data_dir/QORValdora.qsf" "$data_dir/LICENSE.txt" "$data_dir/PanelFace-LICENSE.txt"
rmdir "$data_dir" 2>/dev/null || true
rmdir "$vst_dir" 2>/dev/null || true
echo "Removed QOR Valdora from $vst_dir and $data_dir"

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then cross-builds the
# Windows plug-ins and checks them under wine against the Linux build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")
"$root/scripts/test-windows.sh" "$root/build"

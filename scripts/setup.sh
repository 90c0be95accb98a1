#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine: installs what is missing, builds, and runs
# the command-line host's demo on the freshly built plug-in, then the offline
# meter's demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
# The demo defaults to the plug-in of this build, build/QOR Valdora_x64.so.
"$root/build/tools/vsthost/vsthost" --demo
echo
exec "$root/build/tools/valdora-meter/valdora-meter"

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j "$(nproc)"
# The Debian package: built with CPack, installed into and removed from a
# scratch root, the installed plug-in loaded.
"$root/scripts/test-package.sh" "$root/build"

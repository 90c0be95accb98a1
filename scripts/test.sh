#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the Debian
# package check, the cross-thread tests built with ThreadSanitizer
# (build-tsan/), and the Windows plug-ins cross-built and
# checked under wine against the Linux build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j "$(nproc)"
# The Debian package: built with CPack, installed into and removed from a
# scratch root, the installed plug-in loaded.
"$root/scripts/test-package.sh" "$root/build"

# Only the thread tests: the library and plug-in they use and the tests
# themselves. editor_host_threads loads the plug-in built here, so its audio,
# automation and editor threads all run instrumented code.
cmake -S "$root" -B "$root/build-tsan" -G Ninja -DVALDORA_TSAN=ON -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS=-g1 >/dev/null
cmake --build "$root/build-tsan" -j "$(nproc)" --target editor_automation_thread editor_host_threads
ctest --test-dir "$root/build-tsan" -R '^(editor_automation_thread|editor_host_threads)$' --output-on-failure

"$root/scripts/test-windows.sh" "$root/build"

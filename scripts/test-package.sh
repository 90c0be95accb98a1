#!/usr/bin/env bash
# Builds the Debian package with CPack from a build folder and checks it:
# the control data (dependencies found by dpkg-shlibdeps), the files it
# holds, an installation and a removal with `dpkg --root` into a scratch root,
# and the installed plug-in loading in vsthost. Runs lintian when installed
# and prints its tags (they do not fail the check).
#
#   scripts/test-package.sh [build dir]      (default: build/ beside the sources)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
fail() { echo "test-package: $*" >&2; exit 1; }
manual="QOR Valdora v$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt") - User Manual.pdf"

[ -f "$build/$manual" ] || fail "no manual in $build (is rst2pdf installed?)"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/qor-valdora_*_*.deb | head -n 1)
echo "package: $deb"

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for lib in libc6 libstdc++6 libcairo2 libx11-6 libfreetype6 libsndfile1; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

contents=$(dpkg-deb -c "$deb")
for path in "./usr/lib/vst/QOR Valdora_x64.so" "./usr/bin/valdora-meter" \
            "./usr/share/qor-valdora/$manual" "./usr/share/qor-valdora/QORValdora.qsf" \
            "./usr/share/qor-valdora/LICENSE.txt" "./usr/share/qor-valdora/PanelFace-LICENSE.txt" \
            "./usr/share/doc/qor-valdora/copyright"; do
  grep -qF "$path" <<<"$contents" || fail "the package lacks $path"
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
plugin="$scratch/usr/lib/vst/QOR Valdora_x64.so"
check_installed() {
  [ -f "$plugin" ] || fail "the plug-in was not installed"
  cmp -s "$scratch/usr/share/qor-valdora/QORValdora.qsf" "$root/resources/font/QORValdora.qsf" \
    || fail "the installed font differs"
  [ "$(head -c 5 "$scratch/usr/share/qor-valdora/$manual")" = "%PDF-" ] || fail "the installed manual is no PDF"
  "$build/tools/vsthost/vsthost" "$plugin" --quiet --sine 1000 --duration 0.5 >/dev/null \
    || fail "the installed plug-in does not load"
  "$scratch/usr/bin/valdora-meter" --help >/dev/null || fail "the installed valdora-meter does not run"
}

if [ "$(id -u)" -eq 0 ]; then
  # dpkg runs the maintainer scripts (CPack's ldconfig call) inside the root:
  # give it a shell and ldconfig there.
  mkdir -p "$scratch/var/lib/dpkg/info" "$scratch/var/lib/dpkg/updates" "$scratch/bin" "$scratch/sbin" \
    "$scratch/etc" "$scratch/tmp"
  touch "$scratch/var/lib/dpkg/status"
  cp /bin/sh "$scratch/bin/sh"
  cp "$(command -v ldconfig)" "$scratch/sbin/ldconfig"
  for lib in $(ldd /bin/sh | grep -o '/[^ ]*'); do
    mkdir -p "$scratch$(dirname "$lib")"
    cp -L "$lib" "$scratch$lib"
  done
  # The scratch root holds none of the libraries the package depends on.
  dpkg --root="$scratch" --force-depends -i "$deb" >/dev/null 2>"$scratch/tmp/dpkg.log" \
    || { cat "$scratch/tmp/dpkg.log" >&2; fail "dpkg --root -i failed"; }
  [ "$(dpkg-query --admindir="$scratch/var/lib/dpkg" -W -f='${Status}' qor-valdora)" = "install ok installed" ] \
    || fail "dpkg does not list the package as installed"
  check_installed
  dpkg --root="$scratch" --purge qor-valdora >/dev/null 2>"$scratch/tmp/dpkg.log" \
    || { cat "$scratch/tmp/dpkg.log" >&2; fail "dpkg --root --purge failed"; }
  left=$(find "$scratch/usr" -type f 2>/dev/null || true)
  [ -z "$left" ] || fail "files left after removal: $left"
  status=$(dpkg-query --admindir="$scratch/var/lib/dpkg" -W -f='${Status}' qor-valdora 2>/dev/null || true)
  case "$status" in *installed*) fail "dpkg still lists the package: $status" ;; esac
  echo "installed into and removed from a scratch root with dpkg --root: ok"
else
  # dpkg --root needs root to run maintainer scripts; unpack and check instead.
  dpkg-deb -x "$deb" "$scratch"
  check_installed
  echo "unpacked with dpkg-deb -x (not root, so no dpkg --root): ok"
fi

if command -v lintian >/dev/null; then
  echo "lintian:"
  lintian --tag-display-limit 0 "$deb" 2>/dev/null || true
fi

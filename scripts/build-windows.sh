#!/usr/bin/env bash
# Cross-builds the Windows plug-ins with mingw-w64:
#   build-win64/QOR Valdora_x64.dll   (64-bit)
#   build-win32/QOR Valdora.dll       (32-bit)
# and the Windows check programs beside them. Then lists each DLL's exports
# and imports.
#
#   scripts/build-windows.sh [64-bit build dir] [32-bit build dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build64=${1:-$root/build-win64}
build32=${2:-$root/build-win32}
jobs=$(nproc)

"$root/scripts/install-deps.sh"

build() {
    local dir=$1 toolchain=$2
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

summary() {
    local objdump=$1 dll=$2
    echo "$dll"
    echo "  exports: $("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
        awk '/\[/ && !/Table/ {print $NF}' | tr '\n' ' ')"
    echo "  imports: $("$objdump" -p "$dll" | awk '/DLL Name:/ {print $3}' | tr '\n' ' ')"
}

build "$build64" toolchain-mingw64.cmake
build "$build32" toolchain-mingw32.cmake
summary x86_64-w64-mingw32-objdump "$build64/QOR Valdora_x64.dll"
summary i686-w64-mingw32-objdump "$build32/QOR Valdora.dll"

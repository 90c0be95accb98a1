#!/bin/sh
# Fails when a source file includes a folder its layer may not use. Each
# product folder may include itself and the folders listed after it here;
# tools/, tests/ and bench/ stand above them all.
#   scripts/check-layers.sh [source dir]
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
layers='
editor:    controls toolkit core presets meters platform resources base
controls:  toolkit core presets meters platform resources base
toolkit:   platform
core:      presets meters platform base
presets:   base
meters:    platform base
platform:  base
resources:
base:
'
cd "$root"
violations=$(echo "$layers" | while IFS=: read -r folder allowed; do
    [ -n "$folder" ] && [ -d "$folder" ] || continue
    grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z0-9_-]+/' "$folder" \
        --include='*.h' --include='*.cpp' --include='*.in' |
    while IFS= read -r hit; do
        used=$(echo "$hit" | sed -E 's/.*"([a-z0-9_-]+)\/$/\1/')
        [ "$used" = "$folder" ] && continue
        case " $allowed " in *" $used "*) continue ;; esac
        echo "${hit%:*}: $folder/ may not include $used/"
    done
done)
if [ -n "$violations" ]; then
    echo "$violations" >&2
    exit 1
fi
echo "include layers: ok"

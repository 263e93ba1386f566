#!/usr/bin/env bash
# Renders the program's icon into the PNG sizes the desktop installs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
for s in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$s" -h "$s" "$here/data/icons/org.velmar.velmar.svg" \
    -o "$here/data/icons/png/org.velmar.velmar-$s.png"
done

#!/usr/bin/env bash
# Makes the README's pictures in docs/screenshots/ under a virtual display.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target velmar-screenshots
xvfb-run -a -s "-screen 0 1280x900x24" "$here/build/velmar-screenshots" "$here/docs/screenshots"

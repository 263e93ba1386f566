#!/usr/bin/env bash
# Sets up, builds and starts Velmar. The program keeps its files (moon.inf,
# sokuti.dat, exports) in its data folder, ${XDG_DATA_HOME:-~/.local/share}/velmar,
# unless it is started in a folder that already holds them.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target velmar velmar-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "画面がありません (DISPLAY も WAYLAND_DISPLAY も未設定): ウィンドウを開くには画面が必要です。"
  echo "代わりに現在の日時の推算結果を表示します。"
  echo
  # The same sites as the window uses.
  data="${XDG_DATA_HOME:-$HOME/.local/share}/velmar"
  mkdir -p "$data"
  cd "$data"
  exec "$here/build/velmar-cli"
fi
cd "$HOME"
exec "$here/build/velmar"

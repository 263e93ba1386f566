#!/usr/bin/env bash
# Sets up, builds and starts Velmar. The program reads and writes its files
# (moon.inf, sokuti.dat, exports) in the current directory, so it runs in a
# data folder of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target velmar velmar-cli

data="$HOME/.local/share/velmar"
mkdir -p "$data"
cd "$data"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "画面がありません (DISPLAY も WAYLAND_DISPLAY も未設定): ウィンドウを開くには画面が必要です。"
  echo "代わりに現在の日時の推算結果を表示します。"
  echo
  exec "$here/build/velmar-cli"
fi
exec "$here/build/velmar"

#!/usr/bin/env bash
# Builds the Debian package of Velmar (velmar_<version>_<arch>.deb) in
# build-package/, from a release build.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build-package" -DCMAKE_BUILD_TYPE=Release \
  -DVELMAR_TESTS=OFF -DVELMAR_BENCH=OFF >/dev/null
cmake --build "$here/build-package" -j"$(nproc)"
cd "$here/build-package"
cpack -G DEB
ls -1 "$here"/build-package/velmar_*.deb

#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Velmar need.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  qt6-svg-dev libqt6svg6 qt6-translations-l10n
  qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6sql6-sqlite
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-noto-cjk fonts-ipafont-gothic libfontconfig-dev
  xvfb xauth
  python3-ephem
  libswe-dev libswe2.0 swe-basic-data
  desktop-file-utils appstream dpkg-dev file librsvg2-bin
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "velmar setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "velmar setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the build into a folder of its own and packages it: the installed
# velmar-cli runs, the desktop entry and the AppStream file validate, and the
# package holds what a desktop needs.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
prefix=$work/prefix

# The installed command line program gives the same numbers as the built one.
args=(--date 2001-03-09 --time 21:05:00 --dt 66 --lat 35.6544 --lon 139.7447)
(cd "$work" && "$prefix/bin/velmar-cli" "${args[@]}") >"$work/installed.txt"
(cd "$work" && "$build/velmar-cli" "${args[@]}") >"$work/built.txt"
cmp "$work/installed.txt" "$work/built.txt"

for f in bin/velmar share/man/man1/velmar-cli.1 share/velmar/velmar.qch share/applications/org.velmar.velmar.desktop \
         share/metainfo/org.velmar.velmar.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.velmar.velmar.svg \
         share/icons/hicolor/48x48/apps/org.velmar.velmar.png; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/org.velmar.velmar.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.velmar.velmar.metainfo.xml" >/dev/null

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/velmar_*.deb)
contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/velmar ./usr/bin/velmar-cli ./usr/share/velmar/velmar.qch \
         ./usr/share/applications/org.velmar.velmar.desktop \
         ./usr/share/icons/hicolor/scalable/apps/org.velmar.velmar.svg \
         ./usr/share/doc/velmar/copyright; do
  grep -q " $f\$" <<<"$contents" || { echo "not in the package: $f" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6
# Qt's own dialogs speak Japanese only with its translations installed.
dpkg-deb -f "$deb" Depends | grep -q qt6-translations-l10n
dpkg-deb -f "$deb" Depends | grep -q fonts-ipafont-gothic
# The almanac's ephemeris: the library (by shlibdeps) and its files.
dpkg-deb -f "$deb" Depends | grep -q libswe2.0
dpkg-deb -f "$deb" Depends | grep -q swe-basic-data
echo "installed and packaged: $(basename "$deb")"

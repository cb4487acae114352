#!/usr/bin/env bash
# Makes the Debian package from a built build folder (build/, or $QUORIX_BUILD_DIR), has lintian
# check it, unpacks it into a temporary folder and runs the unpacked programs there.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUORIX_BUILD_DIR:-build}"

if ! said=$(cd "$build_dir" && cpack -G DEB 2>&1); then
    echo "$said" >&2
    exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
deb="$build_dir/quorix_${version}_$(dpkg --print-architecture).deb"
lintian --fail-on error "$deb" 2> >(grep -v 'root privileges' >&2)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
for file in bin/quorix bin/quorixctl share/applications/org.quorix.Quorix.desktop \
    share/icons/hicolor/scalable/apps/org.quorix.Quorix.svg \
    share/metainfo/org.quorix.Quorix.metainfo.xml share/man/man1/quorix.1.gz \
    share/man/man1/quorixctl.1.gz share/bash-completion/completions/quorixctl \
    share/doc/quorix/copyright share/quorix/factory/system.cif share/quorix/factory/weekly.cif; do
    [ -s "$work/usr/$file" ] || { echo "$deb lacks /usr/$file" >&2; exit 1; }
done
# Both programs answer without a display.
for program in quorixctl quorix; do
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/usr/bin/$program" --version)
    [ "$said" = "$program $version" ] || { echo "$program --version said: $said" >&2; exit 1; }
done
# Without a suite, the unpacked quorixctl finds the factory files the package ships.
said=$(env WINEPREFIX="$work/no-wine" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data" \
    "$work/usr/bin/quorixctl" paths)
[[ "$said" == *"\"DefaultsDir\":{\"host\":\"$work/usr/share/quorix/factory\"}"* ]] ||
    { echo "quorixctl paths of the package said: $said" >&2; exit 1; }
dpkg-deb -f "$deb" Recommends | grep -q pipewire-bin ||
    { echo "$deb recommends no player for the preview" >&2; exit 1; }
echo "$deb: lintian clean of errors, contents complete, both programs run"

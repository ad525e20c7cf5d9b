#!/usr/bin/env bash
# Builds the Debian package weldcalc_<version>_amd64.deb into the build folder: the set-up of
# ./run, the desktop entry and the software-centre metadata checked by their validators, then CPack.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

# Only packaging needs these: dpkg-shlibdeps finds the package's dependencies, the validators
# check the desktop files, `file` lets CPack find the binaries.
packages=(dpkg-dev file desktop-file-utils appstream)
source tools/install-packages.sh
install_missing_packages "${packages[@]}"

BUILD_DIR=$build_dir tools/prepare.sh

desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net packaging/*.metainfo.xml

(cd "$build_dir" && cpack -G DEB)
deb=$(ls -t "$build_dir"/weldcalc_*_*.deb | head -n 1)
# The installed tree as a whole: the metadata's launchable and the desktop entry's icon exist.
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
dpkg-deb -x "$deb" "$staging"
appstreamcli validate-tree --no-net "$staging"
dpkg-deb --info "$deb"
echo "Package: $deb"

#!/usr/bin/env bash
# Shared set-up of ./run and ./test: installs the Debian packages that building and starting the
# program need, then configures and builds. Usage: tools/prepare.sh [cmake option]...
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  qt6-webengine-dev libqt6webenginecore6-bin
  libjpeg62-turbo-dev libx11-dev libcsv-dev
  fonts-liberation
)

source "$(dirname "$0")/install-packages.sh"
source "$(dirname "$0")/compiler-cache.sh"
install_missing_packages "${packages[@]}"

build_dir=${BUILD_DIR:-build}
# Every time, so that a changed option reaches an existing build folder; cheap when nothing changed.
quietly cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  "$@"
cmake --build "$build_dir"

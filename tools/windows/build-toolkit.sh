#!/usr/bin/env bash
# Builds, once, the Windows libraries the program links against: Qt 6 (Core, Gui, Widgets, Test
# and the windows and offscreen platform plugins) from Debian's own qt6-base source, and libjpeg
# from Debian's libjpeg-turbo source. Both go into a cache outside the tree and are reused while
# their stamp file is there, so only the first run pays for them.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache=${WELDCALC_CACHE:-$HOME/.cache/weldcalc}
prefix=$cache/windows-x86_64
toolchain=$here/mingw64.cmake
jobs=${WELD_JOBS:-$(nproc)}
stamp=$prefix/.complete-qt6.4.2-libjpeg2.1.5

[[ -f $stamp ]] && exit 0

mkdir -p "$cache/src" "$prefix"
cd "$cache/src"

# Debian's source packages of the same versions as the host tools.
if [[ ! -d qtbase || ! -d libjpeg-turbo ]]; then
  if ! apt-get source --download-only qt6-base=6.4.2+dfsg-10 libjpeg-turbo >/dev/null 2>&1; then
    echo "Cannot download the Debian source packages; is a deb-src entry configured?" >&2
    exit 1
  fi
  rm -rf qtbase libjpeg-turbo
  dpkg-source -x --no-check qt6-base_6.4.2+dfsg-*.dsc qtbase >/dev/null
  # Qt 6.4 leaves dynamic OpenGL on when OpenGL is off, and the windows platform plugin then
  # asks for OpenGL classes that do not exist.
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(opengl) \&\& QT_CONFIG(dynamicgl)/' \
    qtbase/src/plugins/platforms/windows/qwindowswindow.cpp
  dpkg-source -x --no-check libjpeg-turbo_2.1.5-*.dsc libjpeg-turbo >/dev/null
fi

echo "== libjpeg for Windows"
cmake -S libjpeg-turbo -B build-libjpeg -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON >/dev/null
cmake --build build-libjpeg -j "$jobs" >/dev/null
cmake --install build-libjpeg >/dev/null

echo "== Qt 6.4.2 for Windows (about 1,000 build steps; this takes a while once)"
# Only what the program uses. Debian's repacked source has no wintab, so no tablet events;
# the system libraries are those bundled with Qt, never the host's through pkg-config.
cmake -S qtbase -B build-qtbase -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
  -DFEATURE_pkg_config=OFF -DFEATURE_zstd=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_jpeg=OFF >/dev/null
cmake --build build-qtbase -j "$jobs"
cmake --install build-qtbase >/dev/null
# Qt's catalogs are not part of qtbase; the host's are those of the same version.
mkdir -p "$prefix/translations"
cp /usr/share/qt6/translations/qtbase_ru.qm "$prefix/translations/"

touch "$stamp"
